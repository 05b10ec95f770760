#pragma once
// A paint device that keeps a list of the strokes and texts painted on it instead of pixels. It
// reports a printable area chosen by its owner, so the page scale of a printout on it is exact.

#include "printing/printtarget.h"

#include <QPaintDevice>
#include <memory>
#include <string>
#include <vector>

/// One line drawn with the pen, in device pixels, both end points included.
struct RecordedStroke {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    /// The page it was drawn on, from 0.
    int page = 0;
};

/// One run of text, positioned by its baseline.
struct RecordedText {
    double x = 0;
    double baseline = 0;
    /// UTF-8, as the device received it.
    std::string text;
    std::string family;
    int pixelSize = 0;
    bool bold = false;
    /// Ascent of the font on this device, in pixels: the cell's top lies this far above the baseline.
    int ascent = 0;
    /// Descent of the font on this device, in pixels: the cell's bottom lies this far below the baseline.
    int descent = 0;
    /// The page it was drawn on, from 0.
    int page = 0;
};

struct PrintRecording {
    std::vector<RecordedStroke> strokes;
    std::vector<RecordedText> texts;
    /// How many times painting began and ended on the device.
    int paintingsBegun = 0;
    int paintingsEnded = 0;
    /// The page being drawn, from 0: the number of page breaks so far.
    int page = 0;
};

class RecordingEngine;

class RecordingDevice : public QPaintDevice {
  public:
    /// A device of this printable area that takes up to pageLimit pages (0: any number).
    RecordingDevice(const PrintableArea& area, int pageLimit);
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override;
    const PrintRecording& recording() const { return recording_; }
    const PrintableArea& area() const { return area_; }
    /// Moves on to the next page; false, staying on the page, when that would pass the page limit.
    bool newPage();

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    friend class RecordingEngine;
    PrintableArea area_;
    int pageLimit_ = 0;
    PrintRecording recording_;
    std::unique_ptr<RecordingEngine> engine_;
};
