#include "invoicing/newinvoicewindow.h"

#include "datafiles/invoicelines.h"
#include "datafiles/itemfile.h"
#include "datafiles/masterdatafile.h"
#include "datafiles/registerfile.h"
#include "invoicing/einvoiceissue.h"
#include "invoicing/invoicefields.h"
#include "invoicing/linedialog.h"
#include "invoicing/offerwindow.h"
#include "payments/openitemcolumns.h"
#include "payments/receivablechanges.h"
#include "printing/deliverynoteprintout.h"
#include "printing/invoiceprintout.h"
#include "runtime/conversions.h"
#include "runtime/numbers.h"
#include "runtime/wohnort.h"
#include "state/companydata.h"
#include "state/customernumbers.h"
#include "state/invoicestate.h"
#include "state/offerstate.h"
#include "state/settings.h"
#include "state/shellstate.h"
#include "state/taxrate.h"
#include "toolkit/toolkit.h"

#include <array>
#include <string>
#include <unordered_map>

namespace {

/// Tab goes through the window in reading order; a field the window does not have is passed over.
constexpr std::array kTabOrder = {kCustomerPicks,      kCustomerSearchField, kDeliveryDateField,
                                  kPaymentDaysField,   kValidUntilField,     kNewLineButton,
                                  kDeleteLineButton,   kLinesList,           kCancelInvoiceButton,
                                  kDeliveryNoteButton, kCreateInvoiceButton, kCreateOfferButton};

/// Each window starts without a customer, so that neither printout can name one chosen before.
void forgetCustomer() {
    InvoiceState& invoice = invoiceState();
    invoice.customerIndex = -1;
    for (std::string* text :
         {&invoice.customerNumberText, &invoice.customerSalutation, &invoice.customerFullName,
          &invoice.customerAddition, &invoice.customerStreet, &invoice.customerTown})
        text->clear();
    invoice.customerCells.clear();
    invoice.customerTaxCase.clear();
}

} // namespace

bool customerChosen() {
    if (invoiceState().customerIndex >= 0)
        return true;
    messageBox("Hinweis!", "Bitte zuerst einen Kunden ausw\xE4hlen.", kMessageOk);
    return false;
}

std::optional<money::Amount> countableLineSum() {
    const std::optional<money::Amount> sum = sumOfLines();
    const Settings& s = settings();
    if (sum && money::totalsOf(*sum, money::parse<money::Rate>(s.taxRate), s.pricesGross == 1))
        return sum;
    messageBox("Fehler!", "Der Rechnungsbetrag ist zu gro\xDF.", kMessageOk);
    return std::nullopt;
}

namespace {

// The window's lines are the only copy of the invoice in progress.
bool mayDiscardInvoice() {
    return rowCount(kLinesList) == 0 || messageBox("Hinweis!",
                                                   "Die Rechnung in Arbeit geht verloren. Trotzdem schlie\xDF"
                                                   "en?",
                                                   kMessageYesNo) == kAnswerYes;
}

// The names, in the order of the customer list, so pick row r is customer row r; a name that several
// customers share reads "Name, Vorname (Ort)".
void fillCustomerPicks() {
    const int customers = rowCount(kCustomerList);
    std::unordered_map<std::string, int> named;
    for (int r = 0; r < customers; ++r)
        ++named[getCell(kCustomerList, r, 1)];
    for (int r = 0; r < customers; ++r) {
        std::string name = getCell(kCustomerList, r, 1);
        if (named[name] > 1) {
            const std::string wohnort = getCell(kCustomerList, r, 5);
            const std::string town = placeOfWohnort(wohnort).town;
            const std::string& place = town.empty() ? wohnort : town;
            name += ", " + getCell(kCustomerList, r, 2) + (place.empty() ? "" : " (" + place + ")");
        }
        addRow(kCustomerPicks, -1, name);
    }
}

// "Vorname Name"; a company without a first name prints its name without a blank in front.
std::string joinedName(const std::string& first, const std::string& last) {
    if (first.empty() || last.empty())
        return first + last;
    return first + " " + last;
}

void createControls() {
    createPickList(kCustomerPicks, 10, 10, 100, 65);
    setTooltip(kCustomerPicks, "Mit Linksklick einen Kunden ausw\xE4hlen");
    createInvoiceFields();
    // An offer is created by a button of its own, in the place of "Rechnung erstellen", and has no
    // delivery note.
    if (offerState().composingOffer) {
        createOfferFields();
        createPushButton(kCreateOfferButton, 650, 10, 100, 24, "Angebot erstellen");
    } else {
        createPushButton(kCreateInvoiceButton, 650, 10, 100, 24, "Rechnung erstellen");
    }
    createPushButton(kCancelInvoiceButton, 550, 10, 80, 24, "Abbruch");
    if (!offerState().composingOffer)
        createPushButton(kDeliveryNoteButton, 650, 40, 110, 24, "Lieferschein erstellen");
    createPushButton(kNewLineButton, 10, 80, 80, 24, "Neuer Eintrag");
    setTooltip(kNewLineButton, "Einen neuen Rechnungseintrag erstellen");
    createPushButton(kDeleteLineButton, 95, 80, 80, 24, "Eintrag L\xF6schen");
    setTooltip(kDeleteLineButton, "Den markierten Rechnungseintrag l\xF6schen");
    // Right of the line buttons, where the window has room.
    createLabel(kRunningTotalLabel, 190, 82, 572, 20, "");
    // Down to 10 pixels above the window's lower edge, so that its scroll bar can be reached.
    createReportList(kLinesList, 10, 120, 752, 370, "Pos", 25, kReportListFlags);
    // Each position is one past the column's final index; past the last column appends.
    addColumn(kLinesList, 2, "Bezeichnung", 100);
    addColumn(kLinesList, 3, "Beschreibung", 120);
    addColumn(kLinesList, 4, "Einzelpr.", 60);
    addColumn(kLinesList, 5, "Menge", 60);
    addColumn(kLinesList, 6, "Gesamtpr.", 60);
    // The line's rate, category and unit code, kept with it behind the columns on view.
    for (int c = 0; c < 3; ++c)
        addHiddenColumn(kLinesList);
}

/// Adds the invoice to the invoice list and writes its three files; false when one failed. A
/// failed file does not stop the others.
bool registerInvoice() {
    InvoiceState& invoice = invoiceState();
    // The customer as chosen, whatever the list holds at its old place by now.
    invoice.customerLastName = invoice.customerCells.size() > 1 ? invoice.customerCells[1] : std::string();
    invoice.invoiceDateText = formatDate("%dd.%mm.%yyyy", issueDateOrNow(invoice));
    // The list row comes before the files.
    addRow(kInvoiceList, -1,
           formatInt(invoice.invoiceCounter) + "\n" + invoice.customerLastName + "\n" +
               invoice.customerNumberText + "\n" + invoice.invoiceTotalText + "\n" + invoice.invoiceDateText +
               "\n" + registerGross(invoice.invoiceTotalText));
    // The item file before the register line, then the terms it was issued with, the counter last.
    const bool itemWritten = writeItemFile() && (!invoiceLinesNeeded() || writeInvoiceLines());
    const bool lineAppended = appendRegisterLine();
    const bool termsKept = rememberRegisteredInvoice();
    const bool masterSaved = saveMasterData();
    if (!masterSaved)
        markDataChanged();
    fillOpenItemRow(rowCount(kInvoiceList) - 1);
    // The invoice is registered: the next one starts unprinted.
    invoice.printedFlag = 0;
    return itemWritten && lineAppended && termsKept && masterSaved;
}

// The window for an invoice or, with offer, for an offer; false when it was not opened.
bool openComposer(bool offer) {
    // An invoice in progress goes only when the user agrees; the new one starts from nothing.
    if (!mayReplaceWindow(kDialogWindow))
        return false;
    closeWindow(kDialogWindow);
    shellState().savedFlag = 0;
    invoiceState().invoiceTotal = {};
    forgetCustomer();
    offerState().composingOffer = offer;
    offerState().sourceOffer.clear();
    // Replaces whatever dialog holds number 1.
    if (!openWindow(kDialogWindow, 100, 100, 782, 500, offer ? "Neues Angebot" : "Neue Rechnung",
                    kWindowCentred, kMainWindow))
        return false;
    guardWindow(kDialogWindow, mayDiscardInvoice);
    useControlList(kDialogWindow);
    createControls();
    fillCustomerPicks();
    setTabOrder(kTabOrder);
    setDialogKeys(kDialogWindow, -1);
    return true;
}

} // namespace

void openNewInvoiceWindow() {
    openComposer(false);
}

bool openInvoiceComposer() {
    return openComposer(false);
}

void openNewOfferWindow() {
    openComposer(true);
}

void chooseCustomer() {
    const int r = getState(kCustomerPicks);
    shellState().selectedRow = r;
    if (r == -1)
        return;
    takeCustomerRow(r);
}

void takeCustomerRow(int r) {
    // The whole row is copied now, with the customer's own number.
    InvoiceState& invoice = invoiceState();
    invoice.customerIndex = r;
    invoice.customerCells.clear();
    for (int c = 0; c <= kCustomerTaxCaseColumn; ++c)
        invoice.customerCells.push_back(getCell(kCustomerList, r, c));
    invoice.customerTaxCase = invoice.customerCells[kCustomerTaxCaseColumn];
    invoice.customerNumberText = customerNumberAt(r);
    invoice.customerSalutation = getCell(kCustomerList, r, 0);
    invoice.customerFullName = joinedName(getCell(kCustomerList, r, 2), getCell(kCustomerList, r, 1));
    invoice.customerAddition = getCell(kCustomerList, r, 3);
    invoice.customerStreet = getCell(kCustomerList, r, 4);
    invoice.customerTown = getCell(kCustomerList, r, 5);
}

void customerRowDeleted(int row) {
    // Without the window there is no pick list, and no choice to keep in step.
    if (row < 0 || row >= rowCount(kCustomerPicks))
        return;
    removeRow(kCustomerPicks, row);
    InvoiceState& invoice = invoiceState();
    if (invoice.customerIndex > row) {
        --invoice.customerIndex;
    } else if (invoice.customerIndex == row) {
        forgetCustomer();
        messageBox("Hinweis!", "Der gew\xE4hlte Kunde wurde gel\xF6scht; bitte einen Kunden ausw\xE4hlen.",
                   kMessageOk);
    }
}

void deleteSelectedLine() {
    const int r = getState(kLinesList);
    shellState().selectedRow = r;
    if (r == -1)
        return;
    removeRow(kLinesList, r);
    // The remaining lines are numbered 1 to n again.
    const int n = rowCount(kLinesList);
    for (int i = 1; i <= n; ++i)
        setCell(kLinesList, i - 1, formatInt(i), 0);
    // Summed anew, so the total is exactly what the listed lines add up to; a sum out of range is
    // refused when the invoice is created.
    InvoiceState& invoice = invoiceState();
    invoice.invoiceTotal = sumOfLines().value_or(invoice.invoiceTotal);
    showRunningTotal();
}

void showRunningTotal() {
    const std::optional<money::Amount> sum = sumOfLines();
    const Settings& s = settings();
    const auto totals =
        sum ? money::totalsOf(*sum, money::parse<money::Rate>(s.taxRate), s.pricesGross == 1) : std::nullopt;
    const auto euros = [](money::Amount amount) { return money::formatAmount(amount) + " \x80"; };
    if (!totals)
        setText(kRunningTotalLabel, "");
    else if (invoicesWithoutTax())
        setText(kRunningTotalLabel, "Summe: " + euros(*sum));
    else
        setText(kRunningTotalLabel, "Netto: " + euros(totals->net) + "   MwSt.: " + euros(totals->tax) +
                                        "   Brutto: " + euros(totals->gross));
}

std::optional<money::Amount> sumOfLines() {
    std::optional<money::Amount> sum = money::Amount{};
    const int n = rowCount(kLinesList);
    for (int row = 0; row < n && sum; ++row)
        sum = money::add(*sum, money::parse<money::Amount>(getCell(kLinesList, row, 5)));
    return sum;
}

void createInvoice() {
    createAndRegisterInvoice();
}

InvoiceOutcome createAndRegisterInvoice(const std::function<PrintResult()>& print) {
    InvoiceState& invoice = invoiceState();
    // One reading of the clock for paper, register and e-invoice, even across midnight.
    invoice.issueDate = currentDate();
    // A rate the totals cannot be computed with would put "inf" or "nan" on paper.
    if (!isValidTaxRate(settings().taxRate)) {
        messageBox("Fehler!", kTaxRateRefusal, kMessageOk);
        return InvoiceOutcome::RateRefused;
    }
    if (!customerChosen())
        return InvoiceOutcome::NoCustomer;
    if (rowCount(kLinesList) == 0 &&
        messageBox("Hinweis!", "Die Rechnung hat keine Positionen. Trotzdem erstellen?", kMessageYesNo) !=
            kAnswerYes)
        return InvoiceOutcome::Declined;
    const std::optional<money::Amount> sum = countableLineSum();
    if (!sum)
        return InvoiceOutcome::TooLarge;
    if (!takeInvoiceFields())
        return InvoiceOutcome::FieldRefused;
    const EInvoicePlan plan = planEInvoice(nextNumber(invoice.invoiceCounter));
    if (plan == EInvoicePlan::Back)
        return InvoiceOutcome::KeptForEInvoice;
    invoice.invoiceTotal = *sum;
    const std::int32_t previousNumber = invoice.invoiceCounter;
    invoice.invoiceCounter = nextNumber(previousNumber);
    invoice.invoiceLineCount = rowCount(kLinesList);
    invoice.invoiceTotalText = money::formatAmount(invoice.invoiceTotal);
    const PrintResult printed = print ? print() : printInvoice();
    if (!printed) {
        // Nothing was issued: the number goes back, and the window keeps its lines for another try.
        invoice.invoiceCounter = previousNumber;
        if (printed.outcome == PrintOutcome::Cancelled)
            return InvoiceOutcome::NotPrinted;
        messageBox("Fehler!", "Die Rechnung konnte nicht gedruckt werden!", kMessageOk);
        return InvoiceOutcome::Refused;
    }
    const InvoiceOutcome outcome =
        registerInvoice() ? InvoiceOutcome::Registered : InvoiceOutcome::SavedIncompletely;
    // Made and listed: the offer it was made from, if any, is settled by it.
    settleSourceOffer(formatInt(invoice.invoiceCounter));
    // A number whose files are incomplete may come again; its e-invoice is not archived.
    if (outcome == InvoiceOutcome::Registered)
        issueEInvoice(plan);
    // The lines go with the window.
    invoice.invoiceTotal = {};
    closeWindow(kDialogWindow);
    activateWindow(kMainWindow);
    // The invoice is in the list and printed, so the user must learn that a file is missing.
    if (outcome == InvoiceOutcome::SavedIncompletely)
        messageBox("Fehler!",
                   "Die Rechnung Nr.:" + formatInt(invoice.invoiceCounter) +
                       " konnte nicht vollst\xE4ndig gespeichert werden!",
                   kMessageOk);
    return outcome;
}

void cancelInvoice() {
    if (!mayReplaceWindow(kDialogWindow))
        return;
    closeWindow(kDialogWindow);
    activateWindow(kMainWindow);
}

void printDeliveryNoteClicked() {
    if (!customerChosen() || !takeDeliveryDate())
        return;
    InvoiceState& invoice = invoiceState();
    invoice.issueDate = currentDate();
    invoice.deliveryNoteNumber = nextNumber(invoice.invoiceCounter);
    invoice.invoiceLineCount = rowCount(kLinesList);
    if (printDeliveryNote().outcome == PrintOutcome::Refused)
        messageBox("Fehler!", "Der Lieferschein konnte nicht gedruckt werden!", kMessageOk);
}
