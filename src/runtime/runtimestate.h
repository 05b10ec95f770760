#pragma once
// The runtime's own state: the open line files, the program's lists by number and the planned disk
// fault. One record, so that nothing of it hides in a function.

#include "runtime/diskops.h"

#include <QPointer>
#include <map>
#include <memory>
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
};

/// The one runtime state of the program.
RuntimeState& runtimeState();
