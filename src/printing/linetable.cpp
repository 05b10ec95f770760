#include "printing/linetable.h"

#include "printing/companydetails.h"
#include "printing/printjob.h"
#include "printing/textfit.h"
#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/linetax.h"
#include "state/settings.h"

#include <algorithm>

namespace {

// Where the table's columns start; a wrapped text keeps this gap before the next column.
constexpr float kDesignationX = 40;
constexpr float kDescriptionX = 65;
constexpr float kQuantityX = 140;
constexpr float kColumnGap = 1;
constexpr float kRightEdge = 185;

// The head of the pages after the first.
constexpr float kHeadY = 10;
constexpr float kNameY = 16;

// Returns where the number ends.
float placeTitle(std::string_view label, std::int32_t number, float y) {
    const int size = settings().invoiceTextSize;
    placeText(25, y, label);
    // The number follows the label further right as the text grows; 3.8 is single precision here. A
    // longer title ("Stornorechnung Nr.:") pushes it further.
    const auto numberX =
        std::max(static_cast<float>(25.0 + 12.0 * size / static_cast<double>(3.8f)), 27 + textWidth(label));
    const std::string text = formatInt(number);
    placeText(numberX, y, text);
    return numberX + textWidth(text);
}

// The stored texts of a line's cells, one function a column.
std::string_view designationText(int row) {
    return listCell(kLinesList, row, 1);
}
std::string_view descriptionText(int row) {
    return listCell(kLinesList, row, 2);
}
// The quantity, and the line's unit after it where one was chosen ("2,5 Std.").
std::string quantityText(int row) {
    std::string text(listCell(kLinesList, row, 4));
    if (const std::string unit = unitName(listCell(kLinesList, row, kLineTaxColumn + 2)); !unit.empty())
        text.append(" ").append(unit);
    return text;
}

std::vector<std::string> fitColumn(std::string_view text, float width, int maxLines) {
    const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
    // A text that fits is printed as it is, blanks and all.
    if (measure(text) <= width)
        return {std::string(text)};
    return wrapToWidth(text, width, maxLines, measure);
}

} // namespace

void drawTitleBlock(std::string_view label, std::int32_t number, std::string_view reference) {
    const int size = settings().invoiceTextSize;
    selectTextSize(size, false);
    const float numberEnd = placeTitle(label, number, 80);
    if (!reference.empty())
        placeText(numberEnd + 5, 80, reference);
    const auto ruleY = static_cast<float>(80.0 + lineStep(size, 3));
    placeLine(25, ruleY, 185, ruleY, 1);
}

void drawFollowingPageHead(std::string_view label, std::int32_t number, int page, int pages) {
    const int size = settings().invoiceTextSize;
    selectTextSize(size, false);
    placeTitle(label, number, kHeadY);
    drawPageNumber(kHeadY, page, pages);
    placeTextInArea(25, kNameY, invoiceState().customerFullName);
    const auto ruleY = static_cast<float>(kNameY + lineStep(size, 3));
    placeLine(25, ruleY, 185, ruleY, 1);
}

void drawPageNumber(float y, int page, int pages) {
    selectTextSize(settings().invoiceTextSize, false);
    const std::string text = "Seite " + formatInt(page + 1) + " von " + formatInt(pages);
    const float end = page == 0 ? firstPageNumberEnd(kRightEdge) : kRightEdge;
    placeText(end - textWidth(text), y, text);
}

void drawColumnTitles(float y, bool withPrices) {
    const int size = settings().otherTextSize;
    selectTextSize(size, false);
    placeText(25, y, "Pos.");
    placeText(kDesignationX, y, "Art.-Nr.");
    placeText(kDescriptionX, y, "Bezeichnung");
    placeText(kQuantityX, y, "Menge");
    if (withPrices) {
        // The stored unit prices are gross when the settings say prices include the tax; a small
        // business shows no tax at all.
        placeText(155, y,
                  invoicesWithoutTax()          ? "Einzelpreis"
                  : settings().pricesGross == 1 ? "Einzelp.Brutto"
                                                : "Einzelp.Netto");
        placeText(175, y, "Betrag");
    }
    const auto ruleY = static_cast<float>(y + lineStep(size, 3));
    placeLine(25, ruleY, 185, ruleY, 1);
}

int RowTexts::lines() const {
    return static_cast<int>(std::max(designation.size(), description.size()));
}

RowTexts fitRowTexts(int row, int maxLines) {
    selectTextSize(settings().invoiceTextSize, false);
    return {fitColumn(designationText(row), kDescriptionX - kDesignationX - kColumnGap, maxLines),
            fitColumn(descriptionText(row), kQuantityX - kDescriptionX - kColumnGap, maxLines)};
}

void drawLineRow(int row, const RowTexts& texts, float y, float lineStep) {
    selectTextSize(settings().invoiceTextSize, false);
    // The position is counted afresh; the stored column 0 is not read.
    placeText(30, y, formatInt(row + 1));
    for (std::size_t i = 0; i < texts.designation.size(); ++i)
        placeText(kDesignationX, y + static_cast<float>(i) * lineStep, texts.designation[i]);
    for (std::size_t i = 0; i < texts.description.size(); ++i)
        placeText(kDescriptionX, y + static_cast<float>(i) * lineStep, texts.description[i]);
    placeText(kQuantityX, y, quantityText(row));
}
