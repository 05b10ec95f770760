#include "check.h"

#include "journal.h"

#include "runtime/conversions.h"
#include "shell/instancelock.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "state/invoicestate.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

// What the journal says about the folder: the files after the last finished step, and the changes
// of a step that had begun when the program was killed.
struct Expectation {
    FileSet committed;
    FileSet pending;
    std::string pendingAction;
    int highestRegistered = 0;
};

int highestIn(const std::optional<std::string>& registerBytes) {
    if (!registerBytes)
        return 0;
    const std::vector<int> numbers = registerNumbers(*registerBytes);
    return numbers.empty() ? 0 : *std::max_element(numbers.begin(), numbers.end());
}

Expectation expectationOf(const std::vector<JournalRecord>& records) {
    Expectation e;
    const auto registerOf = [](const FileSet& files) {
        const auto it = files.find("ReData.dat");
        return it == files.end() ? std::nullopt : it->second;
    };
    for (const JournalRecord& record : records) {
        switch (record.kind) {
        case RecordKind::Base:
            e.committed = record.files;
            e.pending.clear();
            e.pendingAction.clear();
            break;
        case RecordKind::Step:
            e.pending = record.files;
            e.pendingAction = record.action;
            break;
        case RecordKind::Done:
            e.committed = applied(e.committed, e.pending);
            e.pending.clear();
            e.pendingAction.clear();
            break;
        }
        e.highestRegistered = std::max(e.highestRegistered, highestIn(registerOf(e.committed)));
    }
    return e;
}

std::optional<std::string> lookUp(const FileSet& files, const std::string& name) {
    const auto it = files.find(name);
    return it == files.end() ? std::nullopt : it->second;
}

int readIssued(const std::string& path) {
    std::ifstream in(path);
    int value = 0;
    in >> value;
    return value;
}

// Each file against its two allowed versions; the verdict of the pending step's files is noted.
bool filesAgree(const Expectation& e, const FileSet& actual, std::string& notes) {
    bool ok = true;
    std::set<std::string> names;
    for (const FileSet* files : {&e.committed, &e.pending, &actual})
        for (const auto& entry : *files)
            names.insert(entry.first);
    for (const std::string& name : names) {
        const auto have = lookUp(actual, name);
        const auto old = lookUp(e.committed, name);
        const bool changing = e.pending.count(name) != 0;
        const auto fresh = changing ? e.pending.at(name) : old;
        if (have == old && have == fresh)
            continue;
        if (have == old || have == fresh) {
            notes += " " + name + (have == old ? "=old" : "=new");
            continue;
        }
        std::printf("FAIL %s is %s (old: %s)\n", name.c_str(), describeDifference(fresh, have).c_str(),
                    describeDifference(old, have).c_str());
        ok = false;
    }
    return ok;
}

// The next start: it must come up, load what is there, remove every leftover and keep the numbers.
bool nextStartAgrees(const FileSet& actual, int highest, std::string& notes) {
    std::string refusal;
    setMessageAnswerer([&refusal](const std::string&, const std::string& text, int) {
        refusal = text;
        return kAnswerOk;
    });
    bool started = startProgram();
    // A kill between creating the lock file and writing the owner's number leaves an empty lock that
    // counts as a start under way for two seconds.
    if (!started && fs::exists(kInstanceLockName) && fs::file_size(kInstanceLockName) == 0) {
        notes += " emptylock";
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        started = startProgram();
    }
    if (!started) {
        std::printf("FAIL the next start was refused: %s\n", refusal.c_str());
        return false;
    }
    bool ok = true;
    const std::vector<std::string> left = temporaryFiles(".");
    if (!left.empty()) {
        std::printf("FAIL the next start left %s\n", left.front().c_str());
        ok = false;
    }
    const auto reg = lookUp(actual, "ReData.dat");
    const std::vector<int> numbers = reg ? registerNumbers(*reg) : std::vector<int>{};
    if (rowCount(kInvoiceList) != static_cast<int>(numbers.size())) {
        std::printf("FAIL %d invoices listed, the register has %zu\n", rowCount(kInvoiceList),
                    numbers.size());
        ok = false;
    }
    if (std::set<int>(numbers.begin(), numbers.end()).size() != numbers.size()) {
        std::printf("FAIL an invoice number stands twice in the register\n");
        ok = false;
    }
    const auto master = lookUp(actual, "Daten.dat");
    if (master && rowCount(kCustomerList) != parseInt(fieldOf(*master, 1, "\r"))) {
        std::printf("FAIL %d customers listed, Daten.dat counts %s\n", rowCount(kCustomerList),
                    fieldOf(*master, 1, "\r").c_str());
        ok = false;
    }
    if (invoiceState().invoiceCounter < highest) {
        std::printf("FAIL the counter %d would give number %d again\n", invoiceState().invoiceCounter,
                    invoiceState().invoiceCounter + 1);
        ok = false;
    }
    shutDownProgram();
    if (readDataFiles(".") != actual) {
        std::printf("FAIL the start changed a data file\n");
        ok = false;
    }
    return ok;
}

} // namespace

int runCheck(const CheckOptions& options) {
    const Expectation e = expectationOf(readJournal(options.journal));
    bool readable = false;
    const FileSet actual = readDataFiles(".", &readable);
    if (!readable) {
        std::printf("FAIL the folder cannot be read\n");
        return 1;
    }
    const std::size_t leftovers = temporaryFiles(".").size();
    std::string notes;
    bool ok = filesAgree(e, actual, notes);
    const int highest =
        std::max({readIssued(options.issued), e.highestRegistered, highestIn(lookUp(actual, "ReData.dat"))});
    ok = nextStartAgrees(actual, highest, notes) && ok;
    std::ofstream(options.issued, std::ios::trunc) << highest << "\n";
    // A folder found whole is the base of the next run: the journal starts anew from it, so that it
    // does not grow from kill to kill.
    if (ok) {
        const std::string fresh = options.journal + ".new";
        std::remove(fresh.c_str());
        ok = appendRecord(fresh, {RecordKind::Base, 0, "checked", actual}) &&
             std::rename(fresh.c_str(), options.journal.c_str()) == 0;
    }
    std::printf("%s pending=%s leftovers=%zu%s\n", ok ? "ok" : "FAIL",
                e.pendingAction.empty() ? "none" : e.pendingAction.c_str(), leftovers, notes.c_str());
    return ok ? 0 : 1;
}
