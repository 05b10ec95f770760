#include "shell/startup.h"

#include "datafiles/masterdatafile.h"
#include "datafiles/registerfile.h"
#include "invoicing/invoicestate.h"
#include "printing/printjob.h"
#include "runtime/linefile.h"
#include "runtime/toolkit.h"
#include "settings/settings.h"
#include "settings/settingsfile.h"
#include "shell/dispatch.h"
#include "shell/mainwindow.h"
#include "shell/shellstate.h"

bool startProgram() {
    // 1. Clear all program state; SavedFlag and QuitFlag are 0.
    resetShellState();
    resetInvoiceState();
    resetSettings();
    // 2. Make the toolkit ready.
    if (!makeToolkitReady())
        return false;
    resetToolkit();
    // 3. to 5.: SelectedRow, the footer lines and printedFlag start cleared with the state above.
    // 6. The main window with its menu, tab panel, buttons and lists.
    buildMainWindow();
    // 7. to 9.: the data files fill the lists that step 6 made.
    loadMasterData();
    loadSettings();
    loadRegister();
    // An older Daten.dat may hold a counter below registered invoices; raising it keeps numbers unique.
    if (highestRegisteredNumber() > invoiceState().invoiceCounter)
        invoiceState().invoiceCounter = highestRegisteredNumber();
    return true;
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
}

int runProgram() {
    if (!startProgram())
        return 1;
    runEventLoop();
    shutDownProgram();
    return 0;
}
