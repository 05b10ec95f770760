#include "shell/menucommands.h"

#include "datafiles/masterdatafile.h"
#include "shell/dispatch.h"
#include "shell/takenrow.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

void saveClicked() {
    bool saved = false;
    withTakenRowInPlace([&saved] { saved = saveMasterData(); });
    if (saved) {
        shellState().savedFlag = 1;
        shellState().dataChanged = false;
        return;
    }
    // A failed save is never reported as success: the data are still unsaved.
    messageBox("Fehler!", "Die Daten konnten nicht gespeichert werden!", kMessageOk);
}

void exitClicked() {
    handleCloseRequest(kMainWindow);
}
