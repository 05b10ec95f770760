#pragma once
// The print job: the pages of one document on the chosen printer, drawn in millimetres from the
// top-left corner of the printable area. The invoice and the delivery note are written entirely in
// these terms.

#include <cstdint>
#include <memory>
#include <string_view>

class PrintDevice;
class QPainter;

struct PrintJob {
    PrintJob();
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    /// Printer pixels per millimetre across the page; converts every layout length.
    float pixelsPerMmX = 0.0f;
    /// Printer pixels per millimetre down the page; used only for text heights.
    float pixelsPerMmY = 0.0f;
    /// The printable width in whole millimetres: where a text must end.
    float widthMm = 0.0f;
    /// The printable height in whole millimetres: where a page's drawing must end.
    float heightMm = 0.0f;
    /// The page being drawn, from 0.
    int page = 0;
    /// The device of the last printout, held until the next printout starts.
    std::unique_ptr<PrintDevice> device;
    /// Draws on the device while a page is open.
    std::unique_ptr<QPainter> painter;
};

/// The one print job of the program.
PrintJob& printJob();
/// Ends any open page and releases the held device; the page scale goes back to 0.
void resetPrintJob();

/// How a printout ended.
enum class PrintOutcome {
    /// The device took the document.
    Printed,
    /// The print dialog was cancelled.
    Cancelled,
    /// The device would not begin the document: a file that cannot be written, a printer gone.
    Refused,
};

/// The outcome of a printout; true only when printed.
struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Printed;
    explicit operator bool() const { return outcome == PrintOutcome::Printed; }
};

/// Releases the previous device and asks the print target (normally the print dialog) for a printer.
/// Printed when a document named documentName has its page open and the page scale is measured;
/// when cancelled or refused nothing is held.
PrintResult beginPrintout(std::string_view documentName);
/// Like beginPrintout, on a device made by the caller instead of one the print target gives:
/// Cancelled for no device, Refused when the device refuses the document.
PrintResult beginPrintoutOn(std::unique_ptr<PrintDevice> device);
/// Ends the page and opens the next one of the same document. False when no page is open or the
/// device refused the page; the job then stays on the page it had.
bool newPage();
/// Draws text without filling its background.
void setTransparentText();
/// Makes a font of text size size (normal or bold) in the settings' face the current font.
void selectTextSize(int size, bool bold);
/// The layouts' line step for text size size: roundToInt(size / 3.8 + extra) millimetres.
std::int32_t lineStep(int size, int extra);
/// Draws text with the top-left corner of its first character cell at (x, y) millimetres; an
/// empty text draws nothing.
void placeText(float x, float y, std::string_view text);
/// Like placeText, but a text that would run past the right edge of the printable area is shortened
/// to end there with "…".
void placeTextInArea(float x, float y, std::string_view text);
/// The width of text in the current font on the device, in millimetres across the page; 0 when no
/// page is open.
float textWidth(std::string_view text);
/// How far the cells of the current font reach down from the y a text is placed at (ascent and
/// descent, and the pixel a position may round by), in millimetres; 0 when no page is open.
float textHeight();
/// Draws one-pixel strokes from (x1, y1) to (x2, y2), both ends included, as many as thickness
/// takes in pixels: shifted right for a positive thickness, down otherwise, one for thickness 0.
void placeLine(float x1, float y1, float x2, float y2, float thickness);
/// Ends the page and the document; the device stays held. False when no page was open.
bool endPrintout();
/// roundToInt(v * pixelsPerMmX).
std::int32_t mmToDevice(float v);
/// truncateToInt(size * pixelsPerMmY / 3.8): the device size a text size starts from.
std::int32_t textSizeToDevice(int size);
/// The character height in device pixels of text size size on a screen of dotsPerInch.
std::int32_t characterHeight(int size, int dotsPerInch);
