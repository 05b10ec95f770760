#include "printing/recordingdevice.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPaintEngine>
#include <QPixmap>
#include <QPointF>
#include <cmath>

// Claims every feature, so that QPainter hands lines and text runs over as they are instead of
// emulating them with paths.
class RecordingEngine : public QPaintEngine {
  public:
    explicit RecordingEngine(RecordingDevice& device) : QPaintEngine(AllFeatures), device_(device) {}

    bool begin(QPaintDevice*) override {
        ++device_.recording_.paintingsBegun;
        return true;
    }
    bool end() override {
        ++device_.recording_.paintingsEnded;
        return true;
    }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    // Filled shapes (the GiroCode's modules) are not recorded.
    void drawPath(const QPainterPath&) override {}
    Type type() const override { return User; }

    using QPaintEngine::drawLines;
    using QPaintEngine::drawPoints;

    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QLineF& l = lines[i];
            device_.recording_.strokes.push_back(
                {static_cast<int>(std::lround(l.x1())), static_cast<int>(std::lround(l.y1())),
                 static_cast<int>(std::lround(l.x2())), static_cast<int>(std::lround(l.y2())),
                 device_.recording_.page});
        }
    }

    void drawPoints(const QPointF* points, int count) override {
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(std::lround(points[i].x()));
            const int y = static_cast<int>(std::lround(points[i].y()));
            device_.recording_.strokes.push_back({x, y, x, y, device_.recording_.page});
        }
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        RecordedText text;
        text.x = p.x();
        text.baseline = p.y();
        text.text = item.text().toStdString();
        text.family = item.font().family().toStdString();
        text.pixelSize = item.font().pixelSize();
        text.bold = item.font().bold();
        const QFontMetrics metrics(item.font(), &device_);
        text.ascent = metrics.ascent();
        text.descent = metrics.descent();
        text.page = device_.recording_.page;
        device_.recording_.texts.push_back(std::move(text));
    }

  private:
    RecordingDevice& device_;
};

RecordingDevice::RecordingDevice(const PrintableArea& area, int pageLimit)
    : area_(area), pageLimit_(pageLimit), engine_(std::make_unique<RecordingEngine>(*this)) {}

RecordingDevice::~RecordingDevice() = default;

bool RecordingDevice::newPage() {
    if (pageLimit_ > 0 && recording_.page + 1 >= pageLimit_)
        return false;
    ++recording_.page;
    return true;
}

QPaintEngine* RecordingDevice::paintEngine() const {
    return engine_.get();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    const auto dotsPerInch = [](int pixels, int mm) {
        return mm > 0 ? static_cast<int>(std::lround(pixels * 25.4 / mm)) : 72;
    };
    switch (metric) {
    case PdmWidth:
        return area_.widthPixels;
    case PdmHeight:
        return area_.heightPixels;
    case PdmWidthMM:
        return area_.widthMm;
    case PdmHeightMM:
        return area_.heightMm;
    case PdmNumColors:
        return 2;
    case PdmDepth:
        return 1;
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return dotsPerInch(area_.widthPixels, area_.widthMm);
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return dotsPerInch(area_.heightPixels, area_.heightMm);
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
}
