#include "printing/companydetails.h"

#include "printing/printjob.h"
#include "printing/textfit.h"
#include "runtime/conversions.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/paymentterms.h"
#include "state/settings.h"

#include <algorithm>
#include <string>

namespace {

// The letterhead's right-hand block: the tax numbers' labels and values, the dates' values.
constexpr float kTaxLabelX = 145;
constexpr float kTaxValueX = 160;
constexpr float kTaxNumberY = 45;
constexpr float kDateValueX = 185;
constexpr float kDateY = 70;
// A label that ends before its value keeps this gap.
constexpr float kGap = 1;

// Left of the totals' double rule, which starts at x 170, and above the footer at 250.
constexpr float kLeftX = 25;
constexpr float kPaymentY = 245;
constexpr float kPaymentEnd = 168;
// The small business's one total, its label, and the note left of the label.
constexpr float kSumX = 175;
constexpr float kSumY = 225;
constexpr float kTotalLabelX = 145;
constexpr float kNoteY = 235;
constexpr float kNoteEnd = 143;

// With company data the Leistungsdatum stands where page 1's page number would end.
constexpr float kFirstPageNumberEnd = 145;

TextMeasure printMeasure() {
    return [](std::string_view t) { return static_cast<double>(textWidth(t)); };
}

} // namespace

void drawCompanyLetterheadLines() {
    const int size = settings().otherTextSize;
    selectTextSize(size, false);
    const auto step = static_cast<float>(lineStep(size, 2));
    const std::string& vatId = companyData().vatId;
    if (!vatId.empty()) {
        const std::string label = "USt-IdNr.:";
        placeText(kTaxLabelX, kTaxNumberY + step, label);
        // The label is wider than the tax number's at size 10.
        placeTextInArea(std::max(kTaxValueX, kTaxLabelX + textWidth(label) + kGap), kTaxNumberY + step,
                        vatId);
    }
    // Under "Kd-Nr.:"; the label is too wide for x 175, so it ends before the date, and the date
    // moves left where it would pass the right edge.
    const std::string& delivered = invoiceState().deliveryDateText;
    if (!delivered.empty()) {
        const std::string label = "Leistungsdatum:";
        const float dateX = std::min(kDateValueX, printJob().widthMm - textWidth(delivered));
        placeText(dateX - kGap - textWidth(label), kDateY + 2 * step, label);
        placeText(dateX, kDateY + 2 * step, delivered);
    }
}

float firstPageNumberEnd(float usualEnd) {
    return companyData().present ? kFirstPageNumberEnd : usualEnd;
}

void drawPaymentTerms() {
    selectTextSize(settings().otherTextSize, false);
    const int days = invoiceState().paymentDays;
    const DateValue due = addDays(issueDateOrNow(invoiceState()), days);
    const std::string dueText = "Zahlbar bis " + formatDate("%dd.%mm.%yyyy", due);
    const double room = kPaymentEnd - kLeftX - 2 * kGap - textWidth(dueText);
    const std::string terms =
        shortenToWidth(filledPaymentTerms(companyData().paymentTerms, days, due), room, printMeasure());
    float x = kLeftX;
    if (!terms.empty()) {
        placeText(x, kPaymentY, terms);
        x += textWidth(terms) + 2 * kGap;
    }
    placeText(x, kPaymentY, dueText);
}

void drawSmallBusinessTotals(const std::optional<money::Amount>& sum, float noteX, std::string_view label) {
    const int size = settings().invoiceTextSize;
    const auto step = static_cast<float>(lineStep(size, 2));
    placeLine(25, 220, 185, 220, 1);
    selectTextSize(size, false);
    // The label ends before the sum, further left at the larger sizes.
    placeText(std::min(kTotalLabelX, kSumX - 2 * kGap - textWidth(label)), kSumY, label);
    const std::string note = "Gem\xE4\xDF \xA7 19 UStG wird keine Umsatzsteuer berechnet.";
    placeText(noteX, kNoteY, shortenToWidth(note, kNoteEnd - noteX, printMeasure()));
    selectTextSize(size, true);
    if (sum)
        placeText(kSumX, kSumY, money::formatAmount(*sum) + " \x80");
    placeLine(170, kSumY + 5 + step, 185, kSumY + 5 + step, 4);
    placeLine(170, kSumY + 6 + step, 185, kSumY + 6 + step, 4);
}
