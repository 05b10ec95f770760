#include "printing/linetable.h"

#include "printing/printjob.h"
#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "state/settings.h"

void drawTitleBlock(std::string_view label, std::int32_t number) {
    const int size = settings().invoiceTextSize;
    selectTextSize(size, false);
    const int step = lineStep(size, 3);
    placeText(25, 80, label);
    // The number follows the label further right as the text grows; 3.8 is single precision here.
    const auto numberX = static_cast<float>(25.0 + 12.0 * size / static_cast<double>(3.8f));
    placeText(numberX, 80, formatInt(number));
    const auto ruleY = static_cast<float>(80.0 + step);
    placeLine(25, ruleY, 185, ruleY, 1);
}

void drawColumnTitles(bool withPrices) {
    const int size = settings().otherTextSize;
    selectTextSize(size, false);
    const int step = lineStep(size, 3);
    placeText(25, 87, "Pos.");
    placeText(40, 87, "Art.-Nr.");
    placeText(65, 87, "Bezeichnung");
    placeText(140, 87, "Menge");
    if (withPrices) {
        placeText(155, 87, "Einzelp.Netto");
        placeText(175, 87, "Betrag");
    }
    const auto ruleY = static_cast<float>(87.0 + step);
    placeLine(25, ruleY, 185, ruleY, 1);
}

float drawLineRow(int row) {
    const int size = settings().invoiceTextSize;
    selectTextSize(size, false);
    const int step = lineStep(size, 5);
    const auto y = static_cast<float>(row * step + 95.0);
    // The position is counted afresh; the stored column 0 is not read.
    placeText(30, y, formatInt(row + 1));
    placeText(40, y, listCell(kLinesList, row, 1));
    placeText(65, y, listCell(kLinesList, row, 2));
    placeText(140, y, listCell(kLinesList, row, 4));
    return y;
}
