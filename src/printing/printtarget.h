#pragma once
// Where a printout goes. Normally the print dialog picks a printer; tests choose a PDF file, a
// recording device of known scale, or a dialog that the "user" always cancels.

#include <memory>
#include <string>
#include <string_view>

class QPaintDevice;
class QPrinter;
class RecordingDevice;
struct PrintRecording;

enum class PrintTargetKind {
    /// The platform's print dialog, owned by the program's active window.
    Dialog,
    /// A PDF file on an A4 page whose printable area is inset by whole millimetres.
    PdfFile,
    /// A recording device with a printable area given in pixels and whole millimetres.
    Recorder,
    /// A print dialog that is always cancelled.
    Cancelled,
};

/// A device's printable area in pixels and in whole millimetres, as a printer driver reports it.
struct PrintableArea {
    int widthPixels = 0;
    int heightPixels = 0;
    int widthMm = 0;
    int heightMm = 0;
};

struct PrintTarget {
    PrintTargetKind kind = PrintTargetKind::Dialog;
    /// PdfFile: the file written when the printout ends.
    std::string pdfPath;
    /// PdfFile: the unprintable margin on every side of the A4 page, in millimetres.
    int pdfMarginMm = 5;
    /// PdfFile: device pixels per inch.
    int pdfResolution = 1200;
    /// Recorder: the printable area the device reports.
    PrintableArea recorderArea;
    /// Recorder: the device refuses to start a page beyond this many (0: no limit).
    int recorderPageLimit = 0;
};

/// The drawing device of one printout: a printer (dialog or PDF) or a recorder. It stays held after
/// the printout ends, until the next printout starts.
class PrintDevice {
  public:
    explicit PrintDevice(std::unique_ptr<QPrinter> printer);
    PrintDevice(const PrintableArea& area, int pageLimit);
    ~PrintDevice();
    PrintDevice(const PrintDevice&) = delete;
    PrintDevice& operator=(const PrintDevice&) = delete;

    /// The device to paint on.
    QPaintDevice* paintDevice() const;
    /// The printable area: its pixels, and its millimetres truncated to whole numbers.
    PrintableArea printableArea() const;
    /// Ends the page and starts the next one of the same document; false when the device refused.
    bool newPage();
    /// What a recorder has received; nullptr for a printer.
    const PrintRecording* recording() const;

  private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<RecordingDevice> recorder_;
};

/// The target of the next printouts; Dialog at start and after resetPrintTarget.
PrintTarget& printTarget();
/// Back to the print dialog.
void resetPrintTarget();

/// Asks the target for a device for a document named documentName: shows the dialog, or makes the
/// PDF printer or the recorder. nullptr when the dialog was cancelled.
std::unique_ptr<PrintDevice> openPrintDevice(const PrintTarget& target, std::string_view documentName);
