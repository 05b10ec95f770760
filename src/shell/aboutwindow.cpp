#include "shell/aboutwindow.h"

#include "shell/mainwindow.h"
#include "toolkit/toolkit.h"

void openAboutWindow() {
    openWindow(kAboutWindow, 0, 0, 220, 100, "About Quillora", kWindowCentred, kMainWindow);
    useControlList(kAboutWindow);
    createLabel(kAnonymous, 10, 20, 200, 20, "Quillora 2006 by MV");
    createPushButton(kAboutCloseButton, 70, 60, 80, 20,
                     "Schlie\xDF"
                     "en");
    setDialogKeys(kAboutWindow, kAboutCloseButton);
}

void closeAboutWindow() {
    closeWindow(kAboutWindow);
    activateWindow(kMainWindow);
}
