#pragma once
// The journal of a save storm: before each step the files it is going to change and their new bytes,
// after it the word that the step is done. Every record is on the disk before the storm goes on, so
// whoever reads the journal after a kill knows the old and the new version of every file.

#include "support/datafolder.h"

#include <string>
#include <vector>

enum class RecordKind {
    /// The data files as the program found them at start.
    Base,
    /// A step is about to run; files holds its changes.
    Step,
    /// The step of the same number has finished and its changes are on disk.
    Done,
};

struct JournalRecord {
    RecordKind kind = RecordKind::Base;
    int step = 0;
    /// What the step does ("customer", "options", "invoice", "delete").
    std::string action;
    FileSet files;
};

/// Appends a record to the journal file and flushes it to disk; false when that failed.
bool appendRecord(const std::string& journal, const JournalRecord& record);

/// The complete records of a journal, in order; a record cut off by a kill is left out.
std::vector<JournalRecord> readJournal(const std::string& journal);
