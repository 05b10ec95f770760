#include "invoicing/offerwindow.h"

#include "datafiles/invoicelines.h"
#include "datafiles/itemfile.h"
#include "datafiles/offerfile.h"
#include "invoicing/invoicefields.h"
#include "invoicing/newinvoicewindow.h"
#include "printing/invoiceprintout.h"
#include "runtime/conversions.h"
#include "runtime/fieldchecks.h"
#include "runtime/numbers.h"
#include "state/customernumbers.h"
#include "state/invoicestate.h"
#include "state/offerstate.h"
#include "state/settings.h"
#include "state/taxrate.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

constexpr int kValidDays = 30;

bool takeValidUntil() {
    const std::string date = getText(kValidUntilField);
    if (!parseDate(date)) {
        messageBox("Fehler!", "Das Datum \x84" + date + "\x93 ist kein g\xFCltiges Datum (TT.MM.JJJJ).",
                   kMessageOk);
        return false;
    }
    offerState().validUntilText = date;
    return true;
}

bool readyToNumber() {
    if (!isValidTaxRate(settings().taxRate)) {
        messageBox("Fehler!", kTaxRateRefusal, kMessageOk);
        return false;
    }
    if (!customerChosen())
        return false;
    if (rowCount(kLinesList) == 0 &&
        messageBox("Hinweis!", "Das Angebot hat keine Positionen. Trotzdem erstellen?", kMessageYesNo) !=
            kAnswerYes)
        return false;
    return countableLineSum() && takeDeliveryDate() && takeValidUntil();
}

// The list row first, then the item file, the line record (which "Als Rechnung" reads) and the register.
bool registerOffer(std::int32_t number) {
    const InvoiceState& invoice = invoiceState();
    const std::string name = invoice.customerCells.size() > 1 ? invoice.customerCells[1] : std::string();
    addRow(kOfferList, -1,
           formatInt(number) + "\n" + name + "\n" + invoice.customerNumberText + "\n" +
               invoice.invoiceTotalText + "\n" + formatDate("%dd.%mm.%yyyy", issueDateOrNow(invoice)) + "\n" +
               offerState().validUntilText + "\n" + std::string(kOfferOpen));
    const bool itemWritten = writeItemFile(kOfferFolder, number);
    const bool linesWritten = writeInvoiceLines(kOfferFolder, number);
    return saveOffers() && itemWritten && linesWritten;
}

int customerRowNumbered(const std::string& number) {
    for (int r = 0; r < rowCount(kCustomerList); ++r) {
        if (customerNumberAt(r) == number)
            return r;
    }
    return -1;
}

// A line as the line dialog adds it: the rate, category and unit behind the columns only where they
// are not what the invoice gives every line anyway.
std::string lineRow(int position, const InvoiceLine& line) {
    const money::Rate optionsRate = money::parse<money::Rate>(settings().taxRate);
    const bool ownCategory = line.category != "S" && line.category != invoiceState().customerTaxCase;
    const bool ownRate = line.rate != optionsRate && line.category != invoiceState().customerTaxCase;
    return formatInt(position) + "\n" + line.designation + "\n" + line.description + "\n" +
           money::priceColumnText(
               money::formatDecimal(line.unitPrice.units, money::Price::kDecimals, 0, ',')) +
           "\n" + money::formatQuantity(line.quantity) + "\n" + money::formatAmount(line.amount) + "\n" +
           (ownRate ? money::formatDecimal(line.rate.units, money::Rate::kDecimals, 0, ',') : "") + "\n" +
           (ownCategory ? line.category : "") + "\n" + (line.unit == "C62" ? "" : line.unit);
}

int offerRowNumbered(std::string_view number) {
    for (int r = 0; r < rowCount(kOfferList); ++r) {
        if (getCell(kOfferList, r, 0) == number)
            return r;
    }
    return -1;
}

} // namespace

void createOfferFields() {
    createLabel(kAnonymous, 320, 55, 75, 20, "G\xFCltig bis");
    createTextField(kValidUntilField, 400, 55, 75, 20,
                    formatDate("%dd.%mm.%yyyy", addDays(currentDate(), kValidDays)));
    setForbiddenCharacters(kValidUntilField, kRecordBreakers);
}

void createOffer() {
    createAndRegisterOffer();
}

OfferOutcome createAndRegisterOffer() {
    InvoiceState& invoice = invoiceState();
    invoice.issueDate = currentDate();
    if (!readyToNumber())
        return OfferOutcome::Kept;
    // The offers' own series: one after the highest offer given.
    const std::int32_t number = nextNumber(offerState().highestOffer);
    invoice.invoiceTotal = *sumOfLines();
    invoice.invoiceLineCount = rowCount(kLinesList);
    invoice.invoiceTotalText = money::formatAmount(invoice.invoiceTotal);
    const PrintResult printed = printOffer(number);
    if (!printed) {
        if (printed.outcome == PrintOutcome::Cancelled)
            return OfferOutcome::NotPrinted;
        messageBox("Fehler!", "Das Angebot konnte nicht gedruckt werden!", kMessageOk);
        return OfferOutcome::Refused;
    }
    offerState().highestOffer = number;
    const OfferOutcome outcome =
        registerOffer(number) ? OfferOutcome::Registered : OfferOutcome::SavedIncompletely;
    invoice.invoiceTotal = {};
    closeWindow(kDialogWindow);
    activateWindow(kMainWindow);
    if (outcome == OfferOutcome::SavedIncompletely)
        messageBox("Fehler!",
                   "Das Angebot Nr.:" + formatInt(number) +
                       " konnte nicht vollst\xE4ndig gespeichert werden!",
                   kMessageOk);
    return outcome;
}

void offerToInvoice() {
    const int r = getState(kOfferList);
    if (r == -1)
        return;
    const std::string number = getCell(kOfferList, r, 0);
    if (const auto invoiced = invoiceOfStatus(getCell(kOfferList, r, kOfferStatusColumn));
        invoiced && messageBox("Hinweis!",
                               "Das Angebot Nr. " + number + " ist bereits mit Rechnung " + *invoiced +
                                   " abgerechnet. Trotzdem eine weitere Rechnung daraus erstellen?",
                               kMessageYesNo) != kAnswerYes)
        return;
    if (!openInvoiceComposer())
        return;
    offerState().sourceOffer = number;
    // The customer by its own number, wherever the list holds it now.
    const int customer = customerRowNumbered(getCell(kOfferList, r, 2));
    if (customer >= 0) {
        setState(kCustomerPicks, customer);
        chooseCustomer();
    }
    const InvoiceLines lines = readInvoiceLines(kOfferFolder, number);
    for (std::size_t i = 0; i < lines.lines.size(); ++i)
        addRow(kLinesList, -1, lineRow(static_cast<int>(i) + 1, lines.lines[i]));
    invoiceState().invoiceTotal = sumOfLines().value_or(money::Amount{});
    showRunningTotal();
    if (customer < 0)
        messageBox("Hinweis!",
                   "Der Kunde des Angebots ist nicht mehr vorhanden; bitte einen Kunden ausw\xE4hlen.",
                   kMessageOk);
}

void settleSourceOffer(std::string_view invoiceNumber) {
    OfferState& offers = offerState();
    const int r = offers.sourceOffer.empty() ? -1 : offerRowNumbered(offers.sourceOffer);
    offers.sourceOffer.clear();
    if (r == -1)
        return;
    setCell(kOfferList, r, invoicedStatus(invoiceNumber), kOfferStatusColumn);
    if (!saveOffers())
        messageBox("Fehler!", "Das Angebotsregister konnte nicht ge\xE4ndert werden!", kMessageOk);
}
