#include "printing/paymentoffer.h"

#include "payments/cashdiscount.h"
#include "payments/epcpayload.h"
#include "printing/printjob.h"
#include "printing/textfit.h"
#include "state/settings.h"

#include <QPainter>
#include <QPainterPath>
#include <memory>
#include <qrencode.h>

namespace {

// 20 mm square below the totals' rule at 220; a quiet zone of white around it: the page's margin at
// its left, 2.5 mm to the rule above and the terms below, 3 mm to the texts beside it.
constexpr float kCodeX = 25;
constexpr float kCodeY = 222.5f;
constexpr float kCodeSize = 20;
constexpr float kBesideCode = kCodeX + kCodeSize + 3;
constexpr float kLeftX = 25;
// The payment terms' line, and where a text of the free area must end: before the totals' double rule.
constexpr float kPaymentY = 245;
constexpr float kTextEnd = 168;

struct QrCodeDeleter {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

// The dark modules as rectangles of one path, a row's neighbours joined, so that no seam shows
// between them on any device.
QPainterPath modulePath(const QRcode& code, double left, double top, double module) {
    QPainterPath path;
    for (int row = 0; row < code.width; ++row) {
        const unsigned char* modules = code.data + static_cast<std::ptrdiff_t>(row) * code.width;
        for (int column = 0; column < code.width;) {
            if ((modules[column] & 1) == 0) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < code.width && (modules[column] & 1) != 0)
                ++column;
            path.addRect(
                QRectF(left + first * module, top + row * module, (column - first) * module, module));
        }
    }
    return path;
}

} // namespace

float freeAreaLeft(bool withGiroCode) {
    return withGiroCode ? kBesideCode : kLeftX;
}

bool drawGiroCode(std::string_view invoice, money::Amount due) {
    const std::optional<std::string> payload = epcPayload(invoice, due);
    QPainter* painter = printJob().painter.get();
    if (!payload || !painter)
        return false;
    // Version 2 of the EPC's guidelines asks for error correction level M.
    const std::unique_ptr<QRcode, QrCodeDeleter> code(
        QRcode_encodeString8bit(payload->c_str(), 0, QR_ECLEVEL_M));
    if (!code || code->width <= 0)
        return false;
    const double size = mmToDevice(kCodeX + kCodeSize) - mmToDevice(kCodeX);
    painter->fillPath(modulePath(*code, mmToDevice(kCodeX), mmToDevice(kCodeY), size / code->width),
                      Qt::black);
    selectTextSize(settings().otherTextSize, false);
    placeText(kBesideCode, kCodeY, "Bezahlen per Banking-App");
    return true;
}

void drawCashDiscountLine(money::Amount due, float x) {
    const std::optional<CashDiscount> discount = cashDiscount();
    if (!discount)
        return;
    const int size = settings().otherTextSize;
    selectTextSize(size, false);
    const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
    const std::string line = cashDiscountSentence(currentDate(), due, *discount);
    placeText(x, kPaymentY - static_cast<float>(lineStep(size, 2)),
              shortenToWidth(line, kTextEnd - x, measure));
}
