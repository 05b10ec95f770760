#include "shell/startup.h"

#include "archive/archivefiles.h"
#include "datafiles/correctionfile.h"
#include "datafiles/itemfile.h"
#include "datafiles/masterdatafile.h"
#include "datafiles/offerfile.h"
#include "datafiles/receivedfile.h"
#include "datafiles/registerfile.h"
#include "incoming/keepreceived.h"
#include "invoicing/correctionstatus.h"
#include "payments/openitemcolumns.h"
#include "payments/receivables.h"
#include "printing/printjob.h"
#include "runtime/atomicsave.h"
#include "runtime/linefile.h"
#include "settings/companyfile.h"
#include "settings/companyletterhead.h"
#include "settings/settingsfile.h"
#include "shell/dispatch.h"
#include "shell/instancelock.h"
#include "shell/mainwindow.h"
#include "shell/openitemspage.h"
#include "shell/receivedwindow.h"
#include "shell/recurringcommands.h"
#include "state/companydata.h"
#include "state/customeredit.h"
#include "state/invoicestate.h"
#include "state/offerstate.h"
#include "state/settings.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <string>
#include <utility>
#include <vector>

namespace {

enum class StartOutcome { Started, NoToolkit, FolderInUse };

// Exit status of a start refused because another program uses the data folder.
constexpr int kFolderInUseStatus = 2;

StartOutcome startUp() {
    // Clear all program state; SavedFlag and QuitFlag are 0.
    resetShellState();
    resetInvoiceState();
    resetSettings();
    resetCustomerEdit();
    resetCompanyData();
    resetReceivables();
    resetShownReceived();
    resetOfferState();
    resetCorrections();
    // Make the toolkit ready.
    if (!makeToolkitReady())
        return StartOutcome::NoToolkit;
    // Two programs saving into one folder would overwrite each other's invoices; the second one leaves
    // before it touches any file or window.
    if (!acquireInstanceLock()) {
        messageBox("Hinweis!",
                   "Quillora ist in diesem Ordner bereits ge\xF6"
                   "ffnet!",
                   kMessageOk);
        return StartOutcome::FolderInUse;
    }
    // Whoever answers the message boxes (a person, or a test) answers those of the start too.
    const MessageAnswerer answerer = messageAnswerer();
    resetToolkit();
    setMessageAnswerer(answerer);
    clearReplacementProtection();
    // SelectedRow, the footer lines and printedFlag start cleared with the state above.
    // The main window with its menu, tab panel, buttons and lists.
    buildMainWindow();
    // An interrupted save leaves its temporary files; the data files themselves are whole.
    removeTemporaryLeftovers(".");
    removeTemporaryLeftovers(kItemFolder);
    removeTemporaryLeftovers(kOfferFolder);
    removeTemporaryLeftovers(kArchiveFolder);
    removeTemporaryLeftovers(incoming::kIncomingFolder);
    // The data files fill the lists the main window made.
    const bool masterDataWhole = loadMasterData();
    const bool optionsSaved = fileSize(kSettingsName) >= 0;
    const bool settingsWhole = loadSettings();
    const bool companyWhole = loadCompanyData();
    // Options never saved would print their placeholders where the company data know better.
    if (!optionsSaved && companyData().present)
        takeLetterheadFromCompany(settings(), companyData());
    const RegisterLoad registered = loadRegister();
    const bool correctionsWhole = loadCorrections();
    showCorrectionStatus();
    const bool receivedWhole = loadReceivedList();
    // The offers' series goes on after the highest offer in their register.
    const OfferLoad offers = loadOffers();
    offerState().highestOffer = offers.highest.value_or(0);
    // An older Daten.dat may hold a counter below registered invoices; raising it keeps numbers unique.
    if (registered.highest && *registered.highest > invoiceState().invoiceCounter)
        invoiceState().invoiceCounter = *registered.highest;
    std::vector<std::string_view> partlyRead;
    for (const auto& [whole, name] :
         {std::pair{masterDataWhole, kMasterDataName}, std::pair{settingsWhole, kSettingsName},
          std::pair{companyWhole, kCompanyName}, std::pair{registered.whole, kRegisterName},
          std::pair{receivedWhole, kReceivedName}, std::pair{offers.whole, kOfferRegisterName},
          std::pair{correctionsWhole, kCorrectionsName}}) {
        if (!whole)
            partlyRead.push_back(name);
    }
    // The receivables' files, and the register's columns computed from them.
    for (const std::string_view name : loadReceivables())
        partlyRead.push_back(name);
    fillOpenItemColumns();
    for (const std::string_view name : partlyRead)
        messageBox("Fehler!",
                   "Die Datei " + std::string(name) +
                       " konnte nicht vollst\xE4ndig gelesen werden! Sie wird in dieser Sitzung nicht "
                       "\xFC"
                       "berschrieben.",
                   kMessageOk);
    showOverdueNotice();
    // Recurring invoices whose date has come wait for the user's confirmation.
    offerDueInvoicesAtStart();
    return StartOutcome::Started;
}

} // namespace

bool startProgram() {
    return startUp() == StartOutcome::Started;
}

void runEventLoop() {
    do {
        dispatchEvent(waitEvent());
    } while (shellState().quitFlag != 1);
}

void shutDownProgram() {
    closeAllWindows();
    // The held printer goes before the application object does.
    resetPrintJob();
    closeAllFiles();
    resetToolkit();
    releaseInstanceLock();
}

int runProgram() {
    switch (startUp()) {
    case StartOutcome::NoToolkit:
        return 1;
    case StartOutcome::FolderInUse:
        return kFolderInUseStatus;
    case StartOutcome::Started:
        break;
    }
    runEventLoop();
    shutDownProgram();
    return 0;
}
