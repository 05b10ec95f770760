#include "storm.h"

#include "journal.h"
#include "predictions.h"

#include "printing/printtarget.h"
#include "runtime/conversions.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <functional>
#include <random>

namespace {

// One step: what it does, the files it changes, the messages it shows, and the click that does it.
struct Step {
    std::string action;
    FileSet changes;
    std::vector<std::string> messages;
    std::function<bool()> fire;
};

struct Storm {
    std::string journal;
    FileSet disk;
    std::mt19937 random;
    /// Captions of the message boxes shown during the current step, and their texts.
    std::vector<std::string> shown;
    std::vector<std::string> shownTexts;

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }
};

bool press(int button) {
    const bool pressed = clickButton(button);
    dispatch();
    return pressed;
}

bool typeAll(int firstField, const std::vector<QString>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!typeInto(firstField + static_cast<int>(i), texts[i]))
            return false;
    }
    return true;
}

bool saveMenu() {
    const bool chosen = chooseMenuItem("Save");
    dispatch();
    return chosen;
}

// A new customer while there are few, else a changed address addition; then "Save".
bool customerStep(Storm& storm, int k, Step& step) {
    const int rows = rowCount(kCustomerList);
    const QString n = QString::number(k);
    if (rows < 12 || storm.pick(4) == 0) {
        if (!press(kNewCustomerButton) ||
            !typeAll(1000, {"Herr", "Kunde" + n, QString::fromUtf8("Jörg"), "", "Weg " + n, "12345 Ort"}) ||
            !press(kNewCustomerOkButton))
            return false;
    } else {
        if (!selectRow(kCustomerList, storm.pick(rows)) || !press(kChangeCustomerButton) ||
            !typeInto(kChangeCustomerFirstField + 3, "Zusatz " + n) || !press(kChangeCustomerOkButton))
            return false;
    }
    step.action = "customer";
    step.changes["Daten.dat"] = masterDataBytes(invoiceState().invoiceCounter);
    step.fire = saveMenu;
    return true;
}

// A new article while there are few, else a changed price; then "Save".
bool articleStep(Storm& storm, int k, Step& step) {
    const int rows = rowCount(kArticleList);
    const QString n = QString::number(k);
    if (rows < 4) {
        if (!press(kNewArticleButton) ||
            !typeAll(3000, {"Artikel" + n, "Teile", n + ",25", QString::fromUtf8("Maß ") + n}) ||
            !press(kNewArticleOkButton))
            return false;
    } else {
        if (!selectRow(kArticleList, storm.pick(rows)) || !press(kChangeArticleButton) ||
            !typeInto(kChangeArticleFirstField + 2, QString::number(1 + storm.pick(90)) + ",50") ||
            !press(kChangeArticleOkButton))
            return false;
    }
    step.action = "article";
    step.changes["Daten.dat"] = masterDataBytes(invoiceState().invoiceCounter);
    step.fire = saveMenu;
    return true;
}

bool optionsStep(Storm&, int k, Step& step) {
    const std::string logo = "Firma " + formatInt(k);
    if (!chooseMenuItem(QString::fromLatin1("Algemeine Einstellungen")))
        return false;
    dispatch();
    if (!typeInto(kLogoLine1Field, QString::fromStdString(logo)))
        return false;
    Settings next = settings();
    next.logoLine1 = logo;
    step.action = "options";
    step.changes["Option.ini"] = settingsBytes(next);
    step.fire = [] { return press(kSaveOptionsButton); };
    return true;
}

bool invoiceStep(Storm& storm, int, Step& step) {
    if (!press(kNewInvoiceButton) || !selectRow(kCustomerPicks, storm.pick(rowCount(kCustomerList))))
        return false;
    dispatch();
    const int lines = 1 + storm.pick(3);
    for (int i = 0; i < lines; ++i) {
        if (!press(kNewLineButton) || !doubleClickRow(kArticlePicks, storm.pick(rowCount(kArticleList))))
            return false;
        dispatch();
        if (!typeInto(kQuantityField, QString::number(1 + storm.pick(20))) || !press(kLineOkButton))
            return false;
    }
    const std::int32_t number = invoiceState().invoiceCounter + 1;
    const std::string oldRegister = storm.disk.count("ReData.dat") ? *storm.disk["ReData.dat"] : "";
    step.action = "invoice";
    step.changes["Rechnungen/" + formatInt(number) + ".txt"] = itemFileBytes();
    step.changes["ReData.dat"] = oldRegister + registerLineBytes(number);
    step.changes["Daten.dat"] = masterDataBytes(number);
    step.fire = [] { return press(kCreateInvoiceButton); };
    return true;
}

// Deletes the oldest invoice whose item file is there; one without it (left by a kill) only gives
// the error message and changes nothing.
bool deleteStep(Storm& storm, int, Step& step) {
    const int rows = rowCount(kInvoiceList);
    const int r = storm.pick(std::min(rows, 3));
    const std::string number = getCell(kInvoiceList, r, 0);
    if (!selectRow(kInvoiceList, r))
        return false;
    dispatch();
    step.action = "delete";
    const std::string item = "Rechnungen/" + number + ".txt";
    if (storm.disk.count(item)) {
        step.changes[item] = std::nullopt;
        step.changes["ReData.dat"] = registerWithout(*storm.disk["ReData.dat"], number);
        step.messages = {"Hinweis!", "Rechnung gel\xF6scht"};
    } else {
        step.messages = {"Hinweis!", "Fehler!"};
    }
    step.fire = [] { return press(kDeleteInvoiceButton); };
    return true;
}

bool prepareStep(Storm& storm, int k, Step& step) {
    if (rowCount(kCustomerList) == 0)
        return customerStep(storm, k, step);
    if (rowCount(kArticleList) == 0)
        return articleStep(storm, k, step);
    const int roll = storm.pick(100);
    if (roll < 25)
        return customerStep(storm, k, step);
    if (roll < 35)
        return articleStep(storm, k, step);
    if (roll < 50)
        return optionsStep(storm, k, step);
    if (roll < 80 || rowCount(kInvoiceList) < 4)
        return invoiceStep(storm, k, step);
    return deleteStep(storm, k, step);
}

StormResult runStep(Storm& storm, int k) {
    Step step;
    if (!prepareStep(storm, k, step)) {
        std::fprintf(stderr, "step %d: the windows did not take the input\n", k);
        return StormResult::StepFailed;
    }
    if (!appendRecord(storm.journal, {RecordKind::Step, k, step.action, step.changes}))
        return StormResult::JournalFailed;
    storm.shown.clear();
    storm.shownTexts.clear();
    if (!step.fire()) {
        std::fprintf(stderr, "step %d (%s): the button was missing\n", k, step.action.c_str());
        return StormResult::StepFailed;
    }
    if (storm.shown != step.messages) {
        std::fprintf(stderr, "step %d (%s): %zu unexpected message(s)%s%s\n", k, step.action.c_str(),
                     storm.shown.size(), storm.shown.empty() ? "" : ", first: ",
                     storm.shown.empty() ? "" : storm.shownTexts.front().c_str());
        return StormResult::UnexpectedMessage;
    }
    const FileSet expected = applied(storm.disk, step.changes);
    bool readable = false;
    const FileSet actual = readDataFiles(".", &readable);
    if (!readable) {
        std::fprintf(stderr, "step %d (%s): the folder cannot be read any more\n", k, step.action.c_str());
        return StormResult::DiskDiffers;
    }
    if (actual != expected) {
        for (const auto& [name, bytes] : applied(expected, actual)) {
            const auto want = expected.count(name) ? expected.at(name) : std::nullopt;
            const auto have = actual.count(name) ? actual.at(name) : std::nullopt;
            if (want != have)
                std::fprintf(stderr, "step %d (%s): %s is %s\n", k, step.action.c_str(), name.c_str(),
                             describeDifference(want, have).c_str());
        }
        return StormResult::DiskDiffers;
    }
    if (!appendRecord(storm.journal, {RecordKind::Done, k, step.action, {}}))
        return StormResult::JournalFailed;
    storm.disk = actual;
    return StormResult::Finished;
}

} // namespace

StormResult runStorm(const StormOptions& options) {
    Storm storm{options.journal, {}, std::mt19937(options.seed), {}, {}};
    // Every box is answered OK or Ja and remembered by its caption; the refusal of a second start
    // included.
    const MessageAnswerer answerer = [&storm](const std::string& caption, const std::string& text,
                                              int flags) {
        storm.shown.push_back(caption);
        storm.shownTexts.push_back(text);
        return flags == kMessageYesNo ? kAnswerYes : kAnswerOk;
    };
    makeToolkitReady();
    setMessageAnswerer(answerer);
    if (!startProgram()) {
        std::fprintf(stderr, "the program did not start: %s\n",
                     storm.shown.empty() ? "" : storm.shownTexts[0].c_str());
        return StormResult::NotStarted;
    }
    setMessageAnswerer(answerer);
    if (options.pdf.empty()) {
        printTarget().kind = PrintTargetKind::Recorder;
        printTarget().recorderArea = {2000, 2800, 200, 280};
    } else {
        printTarget().kind = PrintTargetKind::PdfFile;
        printTarget().pdfPath = options.pdf;
    }
    // What the journal takes as the start must be what is on disk, so an unreadable folder ends here.
    bool readable = false;
    storm.disk = readDataFiles(".", &readable);
    if (!readable) {
        std::fprintf(stderr, "the folder cannot be read\n");
        return StormResult::NotStarted;
    }
    if (!appendRecord(storm.journal, {RecordKind::Base, 0, "start", storm.disk}))
        return StormResult::JournalFailed;
    for (int k = 1; options.steps < 0 || k <= options.steps; ++k) {
        const StormResult result = runStep(storm, k);
        if (result != StormResult::Finished)
            return result;
    }
    shutDownProgram();
    return StormResult::Finished;
}
