#include "printing/printjob.h"

#include "printing/printtarget.h"
#include "printing/textfit.h"
#include "runtime/codepage.h"
#include "runtime/conversions.h"
#include "state/settings.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QScreen>
#include <cmath>
#include <vector>

namespace {

PrintJob theJob;

void endPainting() {
    if (!theJob.painter)
        return;
    if (theJob.painter->isActive())
        theJob.painter->end();
    theJob.painter.reset();
}

// The screen's logical resolution down the screen, read each time a font is made, as the font
// height rule is written for it.
int screenDotsPerInchY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

float pixelsPerMm(int pixels, int mm) {
    return mm > 0 ? static_cast<float>(static_cast<double>(pixels) / mm) : 0.0f;
}

} // namespace

PrintJob::PrintJob() = default;
PrintJob::~PrintJob() = default;

PrintJob& printJob() {
    return theJob;
}

void resetPrintJob() {
    endPainting();
    theJob.device.reset();
    theJob.pixelsPerMmX = 0.0f;
    theJob.pixelsPerMmY = 0.0f;
    theJob.widthMm = 0.0f;
    theJob.heightMm = 0.0f;
    theJob.page = 0;
}

PrintResult beginPrintout(std::string_view documentName) {
    endPainting();
    theJob.device.reset();
    return beginPrintoutOn(openPrintDevice(printTarget(), documentName));
}

PrintResult beginPrintoutOn(std::unique_ptr<PrintDevice> device) {
    endPainting();
    theJob.device.reset();
    theJob.page = 0;
    if (!device)
        return {PrintOutcome::Cancelled};
    theJob.painter = std::make_unique<QPainter>();
    if (!theJob.painter->begin(device->paintDevice())) {
        theJob.painter.reset();
        return {PrintOutcome::Refused};
    }
    theJob.device = std::move(device);
    QPen pen(Qt::black);
    pen.setWidth(1);
    pen.setCosmetic(true);
    // A square cap covers the last pixel too, so a stroke includes both of its end points.
    pen.setCapStyle(Qt::SquareCap);
    theJob.painter->setPen(pen);
    theJob.painter->setBrush(Qt::NoBrush);
    theJob.painter->setRenderHint(QPainter::Antialiasing, false);
    theJob.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);

    const PrintableArea area = theJob.device->printableArea();
    theJob.pixelsPerMmX = pixelsPerMm(area.widthPixels, area.widthMm);
    theJob.pixelsPerMmY = pixelsPerMm(area.heightPixels, area.heightMm);
    theJob.widthMm = static_cast<float>(area.widthMm);
    theJob.heightMm = static_cast<float>(area.heightMm);
    return {};
}

bool newPage() {
    if (!theJob.painter || !theJob.device->newPage())
        return false;
    ++theJob.page;
    return true;
}

void setTransparentText() {
    if (theJob.painter)
        theJob.painter->setBackgroundMode(Qt::TransparentMode);
}

std::int32_t textSizeToDevice(int size) {
    return truncateToInt(static_cast<double>(size) * static_cast<double>(theJob.pixelsPerMmY) / 3.8);
}

std::int32_t characterHeight(int size, int dotsPerInch) {
    // n * d / 72 with halves rounded away from zero, as an integer multiply-divide does it.
    const std::int64_t product = static_cast<std::int64_t>(textSizeToDevice(size)) * dotsPerInch;
    const std::int64_t half = product >= 0 ? 36 : -36;
    return static_cast<std::int32_t>((product + half) / 72);
}

void selectTextSize(int size, bool bold) {
    if (!theJob.painter)
        return;
    QFont font(toQString(settings().fontName));
    const std::int32_t height = characterHeight(size, screenDotsPerInchY());
    // The pixel size is the character height without internal leading; 0 keeps the default size.
    if (height != 0)
        font.setPixelSize(std::abs(height));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    theJob.painter->setFont(font);
}

std::int32_t lineStep(int size, int extra) {
    return roundToInt(static_cast<double>(size) / 3.8 + extra);
}

std::int32_t mmToDevice(float v) {
    return roundToInt(static_cast<double>(v) * static_cast<double>(theJob.pixelsPerMmX));
}

void placeText(float x, float y, std::string_view text) {
    if (!theJob.painter || text.empty())
        return;
    const int left = mmToDevice(x);
    const int top = mmToDevice(y);
    // QPainter places text by its baseline; the cell's top lies one ascent above it.
    const int ascent = theJob.painter->fontMetrics().ascent();
    theJob.painter->drawText(QPoint(left, top + ascent), toQString(text));
}

void placeTextInArea(float x, float y, std::string_view text) {
    if (!theJob.painter || text.empty())
        return;
    const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
    placeText(x, y, shortenToWidth(text, static_cast<double>(theJob.widthMm) - x, measure));
}

float textWidth(std::string_view text) {
    if (!theJob.painter || theJob.pixelsPerMmX <= 0.0f)
        return 0.0f;
    const QFontMetricsF metrics(theJob.painter->font(), theJob.painter->device());
    return static_cast<float>(metrics.horizontalAdvance(toQString(text)) /
                              static_cast<double>(theJob.pixelsPerMmX));
}

float textHeight() {
    if (!theJob.painter || theJob.pixelsPerMmX <= 0.0f)
        return 0.0f;
    // Positions are rounded to the pixel, and so may be a rule's: one pixel more keeps them apart.
    const QFontMetrics metrics = theJob.painter->fontMetrics();
    return static_cast<float>((metrics.ascent() + metrics.descent() + 1) /
                              static_cast<double>(theJob.pixelsPerMmX));
}

void placeLine(float x1, float y1, float x2, float y2, float thickness) {
    if (!theJob.painter)
        return;
    const int left1 = mmToDevice(x1);
    const int top1 = mmToDevice(y1);
    const int left2 = mmToDevice(x2);
    const int top2 = mmToDevice(y2);
    const float strokes = thickness == 0.0f ? 1.0f
                                            : static_cast<float>(static_cast<double>(std::fabs(thickness)) *
                                                                 static_cast<double>(theJob.pixelsPerMmX));
    std::vector<QLine> lines;
    for (float i = 0.0f; i < strokes; i += 1.0f) {
        const int shift = static_cast<int>(i);
        if (thickness > 0.0f)
            lines.emplace_back(left1 + shift, top1, left2 + shift, top2);
        else
            lines.emplace_back(left1, top1 + shift, left2, top2 + shift);
    }
    if (left1 == left2 && top1 == top2) {
        // A line of no length is still its one pixel.
        std::vector<QPoint> points;
        for (const QLine& line : lines)
            points.push_back(line.p1());
        theJob.painter->drawPoints(points.data(), static_cast<int>(points.size()));
        return;
    }
    theJob.painter->drawLines(lines.data(), static_cast<int>(lines.size()));
}

bool endPrintout() {
    if (!theJob.painter)
        return false;
    endPainting();
    return true;
}
