#pragma once
// The runtime's own state: the open line files, the program's lists by number, the planned disk
// fault and the files that may not be replaced. One record, so that nothing of it hides in a function.

#include "runtime/conversions.h"
#include "runtime/diskops.h"

#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

struct OpenFile;
class ListModel;

struct RuntimeState {
    RuntimeState();
    ~RuntimeState();
    RuntimeState(const RuntimeState&) = delete;
    RuntimeState& operator=(const RuntimeState&) = delete;

    /// Open line files by file number.
    std::map<int, std::unique_ptr<OpenFile>> openFiles;
    /// The rows of the program's lists by control number; the views that show them own them.
    std::unordered_map<int, QPointer<ListModel>> lists;
    /// The disk fault a test has planned, and the counters it reads.
    DiskFaults diskFaults;
    /// Platform paths of the files that may not be replaced in this run: each could not be read whole,
    /// and the program holds only a part of it.
    std::set<std::string> protectedFiles;
    /// What currentDate reads instead of the local clock; empty for the local clock.
    std::function<DateValue()> clock;
};

/// The one runtime state of the program.
RuntimeState& runtimeState();
