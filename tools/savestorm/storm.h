#pragma once
// The save storm: the real program, started in the current folder, saving again and again through
// its own handlers, with every step announced in a journal before it runs and confirmed after it.

#include <string>

struct StormOptions {
    std::string journal;
    /// Steps to run; below 0 runs until the process is killed.
    int steps = -1;
    unsigned seed = 1;
    /// Where the invoices are printed (a PDF file); empty prints to a recorder in memory.
    std::string pdf;
};

/// How a storm ended.
enum class StormResult {
    Finished = 0,
    NotStarted = 2,
    DiskDiffers = 3,
    UnexpectedMessage = 4,
    JournalFailed = 5,
    StepFailed = 6,
};

/// Starts the program in the current folder and runs the steps.
StormResult runStorm(const StormOptions& options);
