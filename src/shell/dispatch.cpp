#include "shell/dispatch.h"

#include "invoicing/linedialog.h"
#include "invoicing/newinvoicewindow.h"
#include "runtime/toolkit.h"
#include "settings/optionswindow.h"
#include "shell/aboutwindow.h"
#include "shell/articledialogs.h"
#include "shell/customerdialogs.h"
#include "shell/invoicedeletion.h"
#include "shell/menucommands.h"
#include "shell/shellstate.h"

#include <array>

namespace {

constexpr int kAnySubType = -1;

struct ControlHandler {
    int control;
    void (*handler)();
    /// The one sub-type the handler takes, or kAnySubType.
    int subType = kAnySubType;
};

// Control numbers are unique in the whole program, so the number alone picks the handler.
constexpr std::array kControlTable = {
    ControlHandler{100, newCustomerClicked},
    ControlHandler{101, deleteCustomerClicked},
    ControlHandler{102, changeCustomerClicked},
    ControlHandler{1100, newCustomerOkClicked},
    ControlHandler{2100, changeCustomerOkClicked},
    ControlHandler{110, newArticleClicked},
    ControlHandler{111, deleteArticleClicked},
    ControlHandler{112, changeArticleClicked},
    ControlHandler{3100, newArticleOkClicked},
    ControlHandler{4100, changeArticleOkClicked},
    ControlHandler{210, openNewInvoiceWindow},
    ControlHandler{211, deleteSelectedInvoice},
    ControlHandler{300, openLineDialog},
    ControlHandler{301, deleteSelectedLine},
    ControlHandler{310, chooseCustomer, 0},
    ControlHandler{311, createInvoice},
    ControlHandler{312, cancelInvoice},
    ControlHandler{313, printDeliveryNoteClicked},
    ControlHandler{5000, takeArticle, 2},
    ControlHandler{5100, addLineClicked},
    ControlHandler{6008, saveOptionsClicked},
    ControlHandler{15000, closeAboutWindow},
};

struct MenuHandler {
    int item;
    void (*handler)();
};

constexpr std::array kMenuTable = {
    MenuHandler{10002, saveClicked},
    MenuHandler{10007, exitClicked},
    MenuHandler{10009, openOptionsWindow},
    MenuHandler{10011, openAboutWindow},
};

bool dispatchControl(int control, int subType) {
    for (const ControlHandler& row : kControlTable) {
        if (row.control == control) {
            if (row.subType != kAnySubType && row.subType != subType)
                return false;
            row.handler();
            return true;
        }
    }
    return false;
}

bool dispatchMenu(int item) {
    for (const MenuHandler& row : kMenuTable) {
        if (row.item == item) {
            row.handler();
            return true;
        }
    }
    return false;
}

} // namespace

void handleCloseRequest(int window) {
    ShellState& shell = shellState();
    // 1. Unsaved data: ask first.
    if (shell.savedFlag == 0) {
        const int answer = messageBox("Hinweis!", "Daten wurden nicht gespeichert! Sind Sie sicher?", kMessageYesNo);
        if (answer == kAnswerYes) {
            closeWindow(1);
            activateWindow(0);
            shell.savedFlag = 1;
        }
    }
    // 2. Saved (or agreed to discard): a dialog closes, any other window ends the program.
    if (shell.savedFlag == 1) {
        if (window == 1) {
            closeWindow(1);
            activateWindow(0);
        } else {
            shell.quitFlag = 1;
        }
    }
}

bool dispatchEvent(int kind) {
    switch (kind) {
    case CloseRequest:
        handleCloseRequest(eventWindow());
        return true;
    case MenuCommand:
        return dispatchMenu(eventMenu());
    case ControlEvent:
        return dispatchControl(eventControl(), eventType());
    default:
        return false;
    }
}
