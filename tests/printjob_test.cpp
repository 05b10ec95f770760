// The print job: page scale, millimetres to pixels, fonts, text anchoring, line strokes and the
// device's lifetime, on a recording device of known scale and in a real PDF.

#include "printtesting.h"

#include "state/settings.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <QFont>
#include <QImage>
#include <QPainter>

namespace {

class PrintJobTest : public PrintTest {
  protected:
    void SetUp() override {
        PrintTest::SetUp();
        settings() = defaultSettings();
    }
    void beginOn(const PrintableArea& area) {
        printTarget().kind = PrintTargetKind::Recorder;
        printTarget().recorderArea = area;
        ASSERT_TRUE(beginPrintout("test"));
    }
};

TEST_F(PrintJobTest, PageScaleComesFromPrintableAreaInWholeMillimetres) {
    struct Case {
        const char* name;
        PrintableArea area;
        float x;
        float y;
    };
    const Case cases[] = {
        {"24 px/mm both ways", {5040, 7128, 210, 297}, 24.0f, 24.0f},
        {"half the pixels down", {5040, 3564, 210, 297}, 24.0f, 12.0f},
        {"2.5 px/mm", {525, 750, 210, 300}, 2.5f, 2.5f},
        {"uneven",
         {4961, 7016, 203, 290},
         static_cast<float>(4961.0 / 203),
         static_cast<float>(7016.0 / 290)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        beginOn(c.area);
        EXPECT_EQ(printJob().pixelsPerMmX, c.x);
        EXPECT_EQ(printJob().pixelsPerMmY, c.y);
        EXPECT_TRUE(endPrintout());
    }
}

TEST_F(PrintJobTest, MillimetresRoundToNearestPixelWithHalvesToEven) {
    beginOn({5040, 7128, 210, 297});
    EXPECT_EQ(mmToDevice(25), 600);
    EXPECT_EQ(mmToDevice(0.5f), 12);
    EXPECT_EQ(mmToDevice(185), 4440);
    beginOn({525, 750, 210, 300});
    EXPECT_EQ(mmToDevice(1), 2);
    EXPECT_EQ(mmToDevice(3), 8);
    EXPECT_EQ(mmToDevice(5), 12);
    EXPECT_EQ(mmToDevice(7), 18);
    EXPECT_EQ(mmToDevice(9), 22);
}

TEST_F(PrintJobTest, TextSizeBecomesCharacterHeight) {
    beginOn({5040, 7128, 210, 297});
    EXPECT_EQ(textSizeToDevice(10), 63);
    EXPECT_EQ(characterHeight(10, 96), 84);
    EXPECT_EQ(characterHeight(10, 120), 105);
    // 63 * 92 / 72 = 80.5: the half goes up.
    EXPECT_EQ(characterHeight(10, 92), 81);
    EXPECT_EQ(characterHeight(0, 96), 0);

    // Only the text height follows the vertical scale.
    beginOn({5040, 3564, 210, 297});
    EXPECT_EQ(textSizeToDevice(10), 31);
    EXPECT_EQ(characterHeight(10, 96), 41);
}

TEST_F(PrintJobTest, LineStepRoundsSizeOverThreePointEightPlusExtra) {
    struct Case {
        int size;
        int extra;
        int step;
    };
    const Case cases[] = {{8, 5, 7},  {7, 2, 4},  {18, 2, 7}, {6, 2, 4},  {9, 2, 4},  {10, 2, 5},
                          {13, 2, 5}, {19, 2, 7}, {20, 2, 7}, {21, 2, 8}, {10, 3, 6}, {0, 2, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(lineStep(c.size, c.extra), c.step) << "size " << c.size << " extra " << c.extra;
}

TEST_F(PrintJobTest, TextCellTopLeftStandsAtThePoint) {
    beginOn({5040, 7128, 210, 297});
    setTransparentText();
    selectTextSize(10, true);
    placeText(25, 0.5f, "Betrag 12,50 \x80");
    selectTextSize(7, false);
    placeText(40, 87,
              "Gr\xF6\xDF"
              "e");
    ASSERT_TRUE(endPrintout());

    const auto& texts = recording().texts;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Betrag 12,50 \u20AC");
    EXPECT_EQ(texts[0].x, 600);
    EXPECT_EQ(texts[0].baseline - texts[0].ascent, 12);
    EXPECT_EQ(texts[0].pixelSize, 84);
    EXPECT_TRUE(texts[0].bold);
    EXPECT_EQ(texts[0].family, "Arial");

    EXPECT_EQ(texts[1].text, "Gr\u00F6\u00DFe");
    EXPECT_EQ(texts[1].x, 960);
    EXPECT_EQ(texts[1].baseline - texts[1].ascent, 2088);
    EXPECT_EQ(texts[1].pixelSize, characterHeight(7, 96));
    EXPECT_FALSE(texts[1].bold);
}

TEST_F(PrintJobTest, VerticalScaleChangesOnlyTextHeight) {
    beginOn({5040, 3564, 210, 297});
    selectTextSize(10, false);
    placeText(25, 10, "x");
    placeLine(25, 10, 30, 10, 0);
    ASSERT_TRUE(endPrintout());
    ASSERT_EQ(recording().texts.size(), 1u);
    EXPECT_EQ(recording().texts[0].x, 600);
    EXPECT_EQ(recording().texts[0].baseline - recording().texts[0].ascent, 240);
    EXPECT_EQ(recording().texts[0].pixelSize, 41);
    ASSERT_EQ(recording().strokes.size(), 1u);
    EXPECT_EQ(recording().strokes[0].y1, 240);
    EXPECT_EQ(recording().strokes[0].x2, 720);
}

TEST_F(PrintJobTest, EmptyTextAndSizeZero) {
    beginOn({5040, 7128, 210, 297});
    selectTextSize(10, false);
    placeText(25, 10, "");
    // Size 0 keeps the platform's default height, and the text is still drawn.
    selectTextSize(0, false);
    placeText(25, 20, "Standard");
    ASSERT_TRUE(endPrintout());
    ASSERT_EQ(recording().texts.size(), 1u);
    EXPECT_EQ(recording().texts[0].text, "Standard");
    EXPECT_EQ(recording().texts[0].pixelSize, QFont().pixelSize());
}

TEST_F(PrintJobTest, LineThicknessBecomesStrokes) {
    struct Case {
        const char* name;
        PrintableArea area;
        float thickness;
        int strokes;
        bool downward;
    };
    const Case cases[] = {
        {"1 mm at 24 px/mm", {5040, 7128, 210, 297}, 1.0f, 24, false},
        {"0 is one stroke", {5040, 7128, 210, 297}, 0.0f, 1, true},
        {"-1 mm goes down", {5040, 7128, 210, 297}, -1.0f, 24, true},
        {"4 mm at 24 px/mm", {5040, 7128, 210, 297}, 4.0f, 96, false},
        {"2.5 strokes round up", {525, 750, 210, 300}, 1.0f, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        beginOn(c.area);
        placeLine(25, 220, 185, 220, c.thickness);
        ASSERT_TRUE(endPrintout());
        const auto& strokes = recording().strokes;
        ASSERT_EQ(static_cast<int>(strokes.size()), c.strokes);
        const int x1 = mmToDevice(25), x2 = mmToDevice(185), y = mmToDevice(220);
        for (int i = 0; i < c.strokes; ++i) {
            const RecordedStroke& s = strokes[static_cast<std::size_t>(i)];
            const int dx = c.downward ? 0 : i;
            const int dy = c.downward ? i : 0;
            EXPECT_TRUE(s.x1 == x1 + dx && s.x2 == x2 + dx && s.y1 == y + dy && s.y2 == y + dy)
                << "stroke " << i;
        }
    }
}

TEST_F(PrintJobTest, PenCoversBothEndPointsOfAStroke) {
    beginOn({5040, 7128, 210, 297});
    const QPen pen = printJob().painter->pen();
    ASSERT_TRUE(endPrintout());
    EXPECT_TRUE(pen.isCosmetic());
    EXPECT_EQ(pen.color(), QColor(Qt::black));

    QImage image(40, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(pen);
    painter.drawLine(3, 1, 30, 1);
    painter.end();
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_EQ(image.pixel(3, 1), black);
    EXPECT_EQ(image.pixel(30, 1), black);
    EXPECT_EQ(image.pixel(2, 1), white);
    EXPECT_EQ(image.pixel(31, 1), white);
    EXPECT_EQ(image.pixel(15, 2), white);
}

TEST_F(PrintJobTest, DeviceIsHeldUntilTheNextDialog) {
    printTarget().kind = PrintTargetKind::Cancelled;
    EXPECT_FALSE(beginPrintout("test"));
    EXPECT_FALSE(beginPrintout("test"));
    EXPECT_EQ(printJob().device, nullptr);
    EXPECT_EQ(printJob().painter, nullptr);
    EXPECT_FALSE(endPrintout());

    beginOn({5040, 7128, 210, 297});
    ASSERT_TRUE(endPrintout());
    ASSERT_NE(printJob().device, nullptr);
    EXPECT_EQ(recording().paintingsBegun, 1);
    EXPECT_EQ(recording().paintingsEnded, 1);

    printTarget().kind = PrintTargetKind::Cancelled;
    EXPECT_FALSE(beginPrintout("test"));
    EXPECT_EQ(printJob().device, nullptr);
}

TEST_F(PrintJobTest, CancelledPrintDialogOpensNoJob) {
    ASSERT_NE(openWindow(kDialogWindow, 0, 0, 400, 300, "Neue Rechnung", kWindowCentred), 0);
    activateWindow(kDialogWindow);
    QApplication::processEvents();
    QString title;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        owner = dialog->parentWidget();
        dialog->reject();
    });
    EXPECT_FALSE(beginPrintout("test"));
    EXPECT_EQ(title, "Drucken");
    EXPECT_EQ(owner, windowWidget(kDialogWindow));
    EXPECT_EQ(printJob().device, nullptr);
}

TEST_F(PrintJobTest, PdfTextStandsAtItsMillimetres) {
    printToPdf();
    ASSERT_TRUE(beginPrintout("test"));
    // The PDF device's printable area is 200 x 287 mm.
    EXPECT_NEAR(printJob().pixelsPerMmX, 1200 / 25.4, 0.05);
    setTransparentText();
    selectTextSize(18, false);
    placeText(25, 10, "Oben");
    selectTextSize(7, true);
    placeText(175, 235, "23,80 \x80");
    selectTextSize(10, false);
    placeText(100, 150, "M\xFCller");
    ASSERT_TRUE(endPrintout());

    const std::vector<PdfWord> words = readPdfWords(pdfPath());
    ASSERT_EQ(words.size(), 4u);
    expectPlaced(words, {{"Oben", 25, 10}, {"23,80", 175, 235}, {"M\xFCller", 100, 150}});
    EXPECT_EQ(countWords(words, "\u20AC"), 1);
}

} // namespace
