#include "shell/aboutwindow.h"

#include "runtime/toolkit.h"
#include "shell/mainwindow.h"

void openAboutWindow() {
    openWindow(kAboutWindow, 0, 0, 220, 100, "About Quillora", kWindowCentred, kMainWindow);
    useControlList(kAboutWindow);
    createLabel(-1, 10, 20, 200, 20, "Quillora 2006 by MV");
    createPushButton(15000, 70, 60, 80, 20, "Schlie\xDF""en");
}

void closeAboutWindow() {
    closeWindow(kAboutWindow);
    activateWindow(kMainWindow);
}
