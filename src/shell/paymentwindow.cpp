#include "shell/paymentwindow.h"

#include "payments/openitemcolumns.h"
#include "payments/receivablechanges.h"
#include "payments/receivables.h"
#include "runtime/fieldchecks.h"
#include "runtime/lists.h"
#include "shell/openitemspage.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>

namespace {

constexpr std::array kTabOrder = {kPaymentDateField, kPaymentAmountField, kPaymentRemarkField,
                                  kPaymentOkButton,  kPaymentList,        kRemovePaymentButton};

const char* const kSaveFailure = "Die Zahlungen konnten nicht gespeichert werden!";

std::string euro(money::Amount amount) {
    return groupedAmount(amount) + " \x80";
}

// The row of the invoice the window is for; -1 once it is gone from the list.
int windowRow() {
    return invoiceRow(receivables().windowInvoice, receivables().windowRow);
}

void showHeadingAndPayments() {
    const std::string& invoice = receivables().windowInvoice;
    const OpenItem item = openItemOfRow(windowRow());
    setText(kPaymentHeading, "Rechnung Nr. " + invoice + ", offen: " + (item.open ? euro(*item.open) : ""));
    while (rowCount(kPaymentList) > 0)
        removeRow(kPaymentList, 0);
    for (const std::size_t index : paymentsOf(invoice)) {
        const std::string& line = receivables().payments.lines[index];
        addRow(kPaymentList, -1,
               std::string(recordField(line, 2)) + "\n" + std::string(recordField(line, 3)) + "\n" +
                   std::string(recordField(line, 4)));
    }
}

void createControls(const OpenItem& item) {
    createLabel(kPaymentHeading, 10, 10, 400, 20, "");
    createLabel(kAnonymous, 10, 43, 85, 20, "Datum");
    createTextField(kPaymentDateField, 100, 40, 80, 20, formatDate("%dd.%mm.%yyyy", currentDate()));
    createLabel(kAnonymous, 10, 68, 85, 20, "Betrag");
    const bool owed = item.open && item.open->units > 0;
    createTextField(kPaymentAmountField, 100, 65, 80, 20, owed ? money::formatAmount(*item.open) : "");
    createLabel(kAnonymous, 10, 93, 85, 20, "Bemerkung");
    createTextField(kPaymentRemarkField, 100, 90, 310, 20, "");
    for (const int field : {kPaymentDateField, kPaymentAmountField, kPaymentRemarkField})
        setForbiddenCharacters(field, kRecordBreakers);
    createPushButton(kPaymentOkButton, 100, 117, 80, 24, "OK");
    createLabel(kAnonymous, 10, 155, 200, 20, "Bisherige Zahlungen");
    createReportList(kPaymentList, 10, 175, 400, 110, "Datum", 80, kReportListFlags);
    addColumn(kPaymentList, 2, "Betrag", 80);
    addColumn(kPaymentList, 3, "Bemerkung", 220);
    createPushButton(kRemovePaymentButton, 10, 290, 80, 24, "Entfernen");
    setTooltip(kRemovePaymentButton, "Die markierte Zahlung entfernen");
}

void refuse(const std::string& text) {
    messageBox("Fehler!", text, kMessageOk);
}

} // namespace

void openPaymentWindow() {
    const int r = getState(kInvoiceList);
    shellState().selectedRow = r;
    if (r == -1) {
        messageBox("Hinweis!", "Bitte zuerst eine Rechnung markieren.", kMessageOk);
        return;
    }
    const OpenItem item = openItemOfRow(r);
    if (!openWindow(kPaymentWindow, 0, 0, 420, 324, "Zahlung erfassen",
                    kWindowCaption | kWindowCloseBox | kWindowCentredOnOwner, kMainWindow))
        return;
    receivables().windowInvoice = getCell(kInvoiceList, r, 0);
    receivables().windowRow = r;
    useControlList(kPaymentWindow);
    createControls(item);
    showHeadingAndPayments();
    setTabOrder(kTabOrder);
    setDialogKeys(kPaymentWindow, kPaymentOkButton);
    focusControl(kPaymentAmountField);
}

void paymentOkClicked() {
    const std::string date = getText(kPaymentDateField);
    const std::string typed = getText(kPaymentAmountField);
    if (!parseDate(date)) {
        refuse("Das Datum \x84" + date + "\x93 ist kein g\xFCltiges Datum (TT.MM.JJJJ).");
        return;
    }
    const money::Reading amount = money::read(typed, money::Amount::kDecimals);
    if (!amount.found || !amount.whole || amount.overflow || amount.units <= 0) {
        refuse("Der Betrag \x84" + typed +
               "\x93 ist kein g\xFCltiger Betrag \xFC"
               "ber 0.");
        return;
    }
    const std::string invoice = receivables().windowInvoice;
    const int row = windowRow();
    if (row < 0) {
        closePaymentWindow();
        return;
    }
    const OpenItem item = openItemOfRow(row);
    const money::Amount open = item.open.value_or(money::Amount{});
    if (amount.units > open.units && messageBox("Hinweis!",
                                                "Der Betrag \xFC"
                                                "bersteigt den offenen Betrag von " +
                                                    euro(open) + ". Trotzdem erfassen?",
                                                kMessageYesNo) != kAnswerYes)
        return;
    if (!addPaymentRecord(invoice, date, money::Amount{amount.units}, getText(kPaymentRemarkField))) {
        refuse(kSaveFailure);
        return;
    }
    closePaymentWindow();
    openItemChanged(invoice, row);
}

void removePaymentClicked() {
    const int selected = getState(kPaymentList);
    const std::vector<std::size_t> indexes = paymentsOf(receivables().windowInvoice);
    if (selected < 0 || static_cast<std::size_t>(selected) >= indexes.size())
        return;
    const std::string question = "Soll die Zahlung vom " + getCell(kPaymentList, selected, 0) +
                                 " \xFC"
                                 "ber " +
                                 getCell(kPaymentList, selected, 1) + " \x80 wirklich entfernt werden?";
    if (messageBox("Hinweis!", question, kMessageYesNo) != kAnswerYes)
        return;
    if (!removePaymentRecord(indexes[static_cast<std::size_t>(selected)])) {
        refuse(kSaveFailure);
        return;
    }
    showHeadingAndPayments();
    openItemChanged(receivables().windowInvoice, windowRow());
}

void closePaymentWindow() {
    closeWindow(kPaymentWindow);
    activateWindow(kMainWindow);
}
