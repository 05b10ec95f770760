#pragma once
// Helpers for the printout tests: a fixture that prints into a PDF file or onto a recording device,
// and the words of a printed PDF page with their boxes, as poppler's pdftotext -bbox finds them, in
// millimetres from the top-left corner of the paper.

#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "printing/recordingdevice.h"
#include "runtime/codepage.h"
#include "support/testenv.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <cmath>
#include <string>
#include <vector>

struct PdfWord {
    /// UTF-8.
    std::string text;
    double left = 0;
    /// The top of the glyph cell: the baseline less the font's ascent.
    double top = 0;
    double right = 0;
    double bottom = 0;
    /// The page it stands on, from 0.
    int page = 0;
};

inline double pointsToMm(double points) {
    return points * 25.4 / 72.0;
}

/// Runs pdftotext on the file; an empty list when it cannot.
inline std::vector<PdfWord> readPdfWords(const std::string& pdfPath) {
    QProcess process;
    process.start("pdftotext", {"-bbox", QString::fromStdString(pdfPath), "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression wordPattern(
        R"re(<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">(.*?)</word>)re");
    std::vector<PdfWord> words;
    int page = -1;
    for (auto it = wordPattern.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == "<page ") {
            ++page;
            continue;
        }
        QString text = m.captured(5);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&#39;", "'");
        text.replace("&amp;", "&");
        words.push_back({text.toStdString(), pointsToMm(m.captured(1).toDouble()),
                         pointsToMm(m.captured(2).toDouble()), pointsToMm(m.captured(3).toDouble()),
                         pointsToMm(m.captured(4).toDouble()), page});
    }
    return words;
}

/// The words of one page, from 0.
inline std::vector<PdfWord> wordsOnPage(const std::vector<PdfWord>& words, int page) {
    std::vector<PdfWord> onPage;
    for (const PdfWord& w : words) {
        if (w.page == page)
            onPage.push_back(w);
    }
    return onPage;
}

/// The word with this text whose top-left lies nearest to (left, top); nullptr when none has it.
inline const PdfWord* nearestWord(const std::vector<PdfWord>& words, const std::string& text, double left,
                                  double top) {
    const PdfWord* best = nullptr;
    double bestDistance = 0;
    for (const PdfWord& w : words) {
        if (w.text != text)
            continue;
        const double distance = std::hypot(w.left - left, w.top - top);
        if (!best || distance < bestDistance) {
            best = &w;
            bestDistance = distance;
        }
    }
    return best;
}

/// How many words have this text.
inline int countWords(const std::vector<PdfWord>& words, const std::string& text) {
    int count = 0;
    for (const PdfWord& w : words)
        count += w.text == text ? 1 : 0;
    return count;
}

/// A text the layout places at (x, y) page millimetres; for a text with blanks, its first word.
struct Placed {
    std::string text;
    double x = 0;
    double y = 0;
};

class PrintTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        resetPrintJob();
        resetPrintTarget();
    }
    void TearDown() override {
        resetPrintJob();
        resetPrintTarget();
        ProgramTest::TearDown();
    }

    /// The next printouts go to an A4 PDF file whose printable area starts kMargin mm in.
    void printToPdf() {
        printTarget().kind = PrintTargetKind::PdfFile;
        printTarget().pdfPath = pdfPath();
        printTarget().pdfMarginMm = kMargin;
    }
    std::string pdfPath() const { return dataPath("page.pdf"); }

    /// The next printouts go to a recorder of an A4 printable area with this many pixels per mm.
    void printToRecorder(double pixelsPerMm) {
        printTarget().kind = PrintTargetKind::Recorder;
        printTarget().recorderArea = {static_cast<int>(pixelsPerMm * 210),
                                      static_cast<int>(pixelsPerMm * 297), 210, 297};
    }
    const PrintRecording& recording() const { return *printJob().device->recording(); }

    /// Checks that each text's cell stands at its page position, within half a millimetre.
    static void expectPlaced(const std::vector<PdfWord>& words, const std::vector<Placed>& expected) {
        for (const Placed& p : expected) {
            const std::string utf8 = toQString(p.text).toStdString();
            SCOPED_TRACE(utf8 + " at " + std::to_string(p.x) + ", " + std::to_string(p.y));
            const PdfWord* w = nearestWord(words, utf8, kMargin + p.x, kMargin + p.y);
            ASSERT_NE(w, nullptr);
            EXPECT_NEAR(w->left, kMargin + p.x, 0.5);
            EXPECT_NEAR(w->top, kMargin + p.y, 0.5);
        }
    }

    static constexpr int kMargin = 5;
};
