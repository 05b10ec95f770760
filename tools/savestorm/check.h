#pragma once
// The check after a kill: every data file holds its old or its new version, and the next start
// loads the folder, leaves no leftover behind and gives no invoice number twice.

#include <string>

struct CheckOptions {
    std::string journal;
    /// A file keeping the highest invoice number ever registered, across kills.
    std::string issued;
};

/// Checks the current folder against the journal; prints one line of findings. 0 when all holds.
int runCheck(const CheckOptions& options);
