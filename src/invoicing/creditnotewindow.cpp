#include "invoicing/creditnotewindow.h"

#include "invoicing/correction.h"
#include "runtime/conversions.h"
#include "runtime/fieldchecks.h"
#include "runtime/numbers.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <string>
#include <vector>

namespace {

// The invoice the open window credits: its register row and its lines as issued.
struct CreditedInvoice {
    int row = -1;
    std::vector<InvoiceLine> lines;
};

CreditedInvoice& credited() {
    static CreditedInvoice invoice;
    return invoice;
}

// The list's hidden last column keeps the line's index among the invoice's lines.
constexpr int kIndexColumn = 6;

std::string priceText(money::Price price) {
    return money::formatDecimal(price.units, money::Price::kDecimals, 2, ',');
}

void setRow(int r, const InvoiceLine& line) {
    setCell(kCreditLinesList, r, priceText(line.unitPrice), 3);
    setCell(kCreditLinesList, r, money::formatQuantity(line.quantity), 4);
    setCell(kCreditLinesList, r, money::formatAmount(line.amount), 5);
}

void createControls(const std::string& customer) {
    createLabel(kAnonymous, 10, 10, 500, 20, "Kunde: " + customer);
    createReportList(kCreditLinesList, 10, 40, 752, 300, "Pos", 25, kReportListFlags);
    addColumn(kCreditLinesList, 2, "Bezeichnung", 150);
    addColumn(kCreditLinesList, 3, "Beschreibung", 200);
    addColumn(kCreditLinesList, 4, "Einzelpr.", 80);
    addColumn(kCreditLinesList, 5, "Menge", 80);
    addColumn(kCreditLinesList, 6, "Gesamtpr.", 80);
    addHiddenColumn(kCreditLinesList);
    createLabel(kAnonymous, 10, 352, 50, 20, "Menge");
    createTextField(kCreditQuantityField, 60, 350, 80, 22, "");
    createLabel(kAnonymous, 150, 352, 70, 20, "Einzelpreis");
    createTextField(kCreditPriceField, 225, 350, 90, 22, "");
    createPushButton(kCreditChangeButton, 325, 349, 80, 24, "\xC4ndern");
    createPushButton(kCreditDeleteButton, 410, 349, 100, 24, "Eintrag L\xF6schen");
    createLabel(kAnonymous, 10, 392, 130, 20, "Grund der Gutschrift");
    createTextField(kCreditReasonField, 145, 390, 617, 22, "");
    setForbiddenCharacters(kCreditReasonField, kRecordBreakers);
    createPushButton(kCreditCancelButton, 550, 440, 80, 24, "Abbruch");
    createPushButton(kCreditCreateButton, 650, 440, 112, 24, "Gutschrift erstellen");
}

// The typed value of a field when it reads as one whole, not negative and not above limit.
template <class T> std::optional<T> loweredValue(int field, T limit) {
    const money::Reading r = money::read(getText(field), T::kDecimals);
    if (!r.found || !r.whole || r.overflow || r.units < 0 || r.units > limit.units)
        return std::nullopt;
    return T{r.units};
}

} // namespace

void openCreditNoteWindow() {
    const int r = getState(kInvoiceList);
    shellState().selectedRow = r;
    if (r == -1) {
        messageBox("Hinweis!", "Bitte zuerst eine Rechnung markieren.", kMessageOk);
        return;
    }
    if (const std::string refusal = correctionRefusal(r, CorrectionKind::CreditNote, {}); !refusal.empty()) {
        messageBox("Hinweis!", refusal, kMessageOk);
        return;
    }
    const std::string number = getCell(kInvoiceList, r, 0);
    if (!openWindow(kCreditNoteWindow, 100, 100, 782, 480, "Gutschrift zur Rechnung Nr. " + number,
                    kWindowCaption | kWindowCloseBox | kWindowCentredOnOwner, kMainWindow))
        return;
    credited() = {r, correctableLines(number, getCell(kInvoiceList, r, 3))};
    useControlList(kCreditNoteWindow);
    createControls(getCell(kInvoiceList, r, 1));
    for (std::size_t i = 0; i < credited().lines.size(); ++i) {
        const InvoiceLine& line = credited().lines[i];
        addRow(kCreditLinesList, -1,
               formatInt(static_cast<int>(i) + 1) + "\n" + line.designation + "\n" + line.description +
                   "\n\n\n\n" + formatInt(static_cast<int>(i)));
        setRow(static_cast<int>(i), line);
    }
}

void creditLineChosen() {
    const int r = getState(kCreditLinesList);
    if (r < 0)
        return;
    setText(kCreditQuantityField, getCell(kCreditLinesList, r, 4));
    setText(kCreditPriceField, getCell(kCreditLinesList, r, 3));
}

void changeCreditLine() {
    const int r = getState(kCreditLinesList);
    const int index = r < 0 ? -1 : parseInt(getCell(kCreditLinesList, r, kIndexColumn));
    if (index < 0 || index >= static_cast<int>(credited().lines.size())) {
        messageBox("Hinweis!", "Bitte zuerst einen Eintrag markieren.", kMessageOk);
        return;
    }
    InvoiceLine line = credited().lines[static_cast<std::size_t>(index)];
    const auto quantity = loweredValue(kCreditQuantityField, line.quantity);
    const auto price = loweredValue(kCreditPriceField, line.unitPrice);
    const auto amount = quantity && price ? money::lineAmount(*quantity, *price) : std::nullopt;
    if (!amount) {
        messageBox("Fehler!",
                   "Menge und Einzelpreis d\xFCrfen die der Rechnung nicht \xFC"
                   "bersteigen.",
                   kMessageOk);
        return;
    }
    line.quantity = *quantity;
    line.unitPrice = *price;
    line.amount = *amount;
    setRow(r, line);
}

void deleteCreditLine() {
    const int r = getState(kCreditLinesList);
    if (r >= 0)
        removeRow(kCreditLinesList, r);
}

void createCreditNote() {
    const std::string reason = getText(kCreditReasonField);
    if (isBlankValue(reason)) {
        messageBox("Hinweis!", "Bitte den Grund der Gutschrift angeben.", kMessageOk);
        return;
    }
    std::vector<InvoiceLine> lines;
    for (int r = 0; r < rowCount(kCreditLinesList); ++r) {
        InvoiceLine line =
            credited().lines[static_cast<std::size_t>(parseInt(getCell(kCreditLinesList, r, kIndexColumn)))];
        line.quantity = money::parse<money::Quantity>(getCell(kCreditLinesList, r, 4));
        line.unitPrice = money::parse<money::Price>(getCell(kCreditLinesList, r, 3));
        line.amount = money::parse<money::Amount>(getCell(kCreditLinesList, r, 5));
        lines.push_back(std::move(line));
    }
    if (lines.empty()) {
        messageBox("Hinweis!", "Die Gutschrift hat keine Positionen.", kMessageOk);
        return;
    }
    const CorrectionOutcome outcome =
        issueCorrection({CorrectionKind::CreditNote, credited().row, lines, reason});
    if (outcome == CorrectionOutcome::Issued || outcome == CorrectionOutcome::SavedIncompletely)
        closeCreditNoteWindow();
}

void closeCreditNoteWindow() {
    closeWindow(kCreditNoteWindow);
    activateWindow(kMainWindow);
}
