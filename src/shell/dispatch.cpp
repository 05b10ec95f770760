#include "shell/dispatch.h"

#include "invoicing/correction.h"
#include "invoicing/creditnotewindow.h"
#include "invoicing/invoicefields.h"
#include "invoicing/linedialog.h"
#include "invoicing/newinvoicewindow.h"
#include "invoicing/offerwindow.h"
#include "settings/companywindow.h"
#include "settings/optionswindow.h"
#include "shell/aboutwindow.h"
#include "shell/accountingcommands.h"
#include "shell/archivecommand.h"
#include "shell/articledialogs.h"
#include "shell/backupcommands.h"
#include "shell/customerdialogs.h"
#include "shell/customereinvoice.h"
#include "shell/dunningcommand.h"
#include "shell/invoicedeletion.h"
#include "shell/listcommands.h"
#include "shell/menucommands.h"
#include "shell/offercommands.h"
#include "shell/paymentwindow.h"
#include "shell/receivedcommands.h"
#include "shell/receivedwindow.h"
#include "shell/recurringcommands.h"
#include "shell/searchwindow.h"
#include "shell/vatwindow.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <array>

namespace {

constexpr int kAnySubType = -1;

struct ControlHandler {
    int control;
    void (*handler)();
    /// The one sub-type the handler takes, or kAnySubType.
    int subType = kAnySubType;
    /// The OK of a dialog that saves what is typed: a character the files cannot hold is refused first.
    bool savesText = false;
};

constexpr bool kSavesText = true;

// Control numbers are unique in the whole program, so the number alone picks the handler.
constexpr std::array kControlTable = {
    ControlHandler{kNewCustomerButton, newCustomerClicked},
    ControlHandler{kDeleteCustomerButton, deleteCustomerClicked},
    ControlHandler{kChangeCustomerButton, changeCustomerClicked},
    ControlHandler{kNewCustomerOkButton, newCustomerOkClicked, kAnySubType, kSavesText},
    ControlHandler{kChangeCustomerOkButton, changeCustomerOkClicked, kAnySubType, kSavesText},
    ControlHandler{kCustomerEInvoiceButton, customerEInvoiceClicked},
    ControlHandler{kCustomerEInvoiceOkButton, customerEInvoiceOkClicked, kAnySubType, kSavesText},
    ControlHandler{kNewArticleButton, newArticleClicked},
    ControlHandler{kDeleteArticleButton, deleteArticleClicked},
    ControlHandler{kChangeArticleButton, changeArticleClicked},
    ControlHandler{kNewArticleOkButton, newArticleOkClicked, kAnySubType, kSavesText},
    ControlHandler{kChangeArticleOkButton, changeArticleOkClicked, kAnySubType, kSavesText},
    ControlHandler{kNewInvoiceButton, openNewInvoiceWindow},
    ControlHandler{kDeleteInvoiceButton, deleteSelectedInvoice},
    ControlHandler{kCancelCorrectionButton, cancelSelectedInvoice},
    ControlHandler{kCreditNoteButton, openCreditNoteWindow},
    ControlHandler{kCreditLinesList, creditLineChosen, kSelectionChanged},
    ControlHandler{kCreditChangeButton, changeCreditLine},
    ControlHandler{kCreditDeleteButton, deleteCreditLine},
    ControlHandler{kCreditCreateButton, createCreditNote, kAnySubType, kSavesText},
    ControlHandler{kCreditCancelButton, closeCreditNoteWindow},
    ControlHandler{kPaymentButton, openPaymentWindow},
    ControlHandler{kPaymentOkButton, paymentOkClicked, kAnySubType, kSavesText},
    ControlHandler{kRemovePaymentButton, removePaymentClicked},
    ControlHandler{kDunningButton, dunningClicked},
    ControlHandler{kSeriesButton, seriesClicked},
    ControlHandler{kSeriesOkButton, seriesOkClicked, kAnySubType, kSavesText},
    ControlHandler{kDueSeriesCreateButton, createDueSeriesClicked},
    ControlHandler{kDueSeriesCancelButton, cancelDueSeriesClicked},
    ControlHandler{kNewLineButton, openLineDialog},
    ControlHandler{kDeleteLineButton, deleteSelectedLine},
    ControlHandler{kCustomerPicks, chooseCustomer, kSelectionChanged},
    ControlHandler{kCreateInvoiceButton, createInvoice},
    ControlHandler{kCancelInvoiceButton, cancelInvoice},
    ControlHandler{kDeliveryNoteButton, printDeliveryNoteClicked},
    ControlHandler{kCustomerSearchField, customerSearchEdited},
    ControlHandler{kArticlePicks, takeArticle},
    ControlHandler{kLineOkButton, addLineClicked, kAnySubType, kSavesText},
    ControlHandler{kSaveOptionsButton, saveOptionsClicked, kAnySubType, kSavesText},
    ControlHandler{kSaveCompanyButton, saveCompanyClicked, kAnySubType, kSavesText},
    ControlHandler{kAboutCloseButton, closeAboutWindow},
    ControlHandler{kFindNextButton, findNextClicked},
    ControlHandler{kDatevOkButton, datevPeriodChosen},
    ControlHandler{kVatOkButton, vatPeriodChosen},
    ControlHandler{kAuditOkButton, auditPeriodChosen},
    ControlHandler{kVatPrintButton, printVatClicked},
    ControlHandler{kVatCloseButton, closeVatWindow},
    ControlHandler{kReceivedPrintButton, printReceivedClicked},
    ControlHandler{kReceivedKeepButton, keepReceivedClicked},
    ControlHandler{kReceivedAttachmentsButton, saveAttachmentsClicked},
    ControlHandler{kReceivedList, openKeptInvoice, kDoubleClicked},
    // The offers page and the offer in the new-invoice window.
    ControlHandler{kNewOfferButton, openNewOfferWindow},
    ControlHandler{kDeleteOfferButton, deleteSelectedOffer},
    ControlHandler{kOfferToInvoiceButton, offerToInvoice},
    ControlHandler{kOfferAcceptedButton, markOfferAccepted},
    ControlHandler{kOfferRejectedButton, markOfferRejected},
    ControlHandler{kCreateOfferButton, createOffer},
};

struct MenuHandler {
    int item;
    void (*handler)();
};

constexpr std::array kMenuTable = {
    MenuHandler{kFindItem, openSearchWindow},
    MenuHandler{kPrintListItem, printListClicked},
    MenuHandler{kExportListItem, exportListClicked},
    MenuHandler{kFindAgainKey, findAgain},
    MenuHandler{kSaveItem, saveClicked},
    MenuHandler{kOpenEInvoiceItem, openEInvoiceClicked},
    MenuHandler{kExitItem, exitClicked},
    MenuHandler{kOptionsItem, openOptionsWindow},
    MenuHandler{kCompanyDataItem, openCompanyWindow},
    MenuHandler{kCheckArchiveItem, checkArchiveClicked},
    MenuHandler{kAboutItem, openAboutWindow},
    MenuHandler{kDatevExportItem, datevExportClicked},
    MenuHandler{kVatOverviewItem, vatOverviewClicked},
    MenuHandler{kAuditExportItem, auditExportClicked},
    MenuHandler{kBackupItem, backupClicked},
    MenuHandler{kRestoreItem, restoreClicked},
    MenuHandler{kDueSeriesItem, dueSeriesClicked},
};

bool dispatchControl(int control, int subType) {
    for (const ControlHandler& row : kControlTable) {
        if (row.control == control) {
            if (row.subType != kAnySubType && row.subType != subType)
                return false;
            if (row.savesText &&
                !textsFitCodePage(eventWindow(), "Das Zeichen \x84", "\x93 kann nicht gespeichert werden."))
                return true;
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
    // The search window holds nothing to save.
    if (window == kSearchWindow) {
        closeSearchWindow();
        return;
    }
    // The line dialog and the about window hold nothing that closing them could lose.
    if (window != kMainWindow && window != kDialogWindow) {
        closeWindow(window);
        return;
    }
    ShellState& shell = shellState();
    // Unsaved data: ask first.
    if (shell.savedFlag == 0) {
        const int answer =
            messageBox("Hinweis!", "Daten wurden nicht gespeichert! Sind Sie sicher?", kMessageYesNo);
        if (answer != kAnswerYes)
            return;
        closeWindow(kDialogWindow);
        activateWindow(kMainWindow);
        // A dialog's "Ja" discards that dialog only: changed customers, articles or invoices stay unsaved.
        if (window == kDialogWindow) {
            shell.savedFlag = shell.dataChanged ? 0 : 1;
            return;
        }
        shell.savedFlag = 1;
    }
    // Saved (or agreed to discard): a dialog closes, any other window ends the program.
    if (shell.savedFlag == 1) {
        if (window == kDialogWindow) {
            closeWindow(kDialogWindow);
            activateWindow(kMainWindow);
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
