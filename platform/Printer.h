// Printers as the rest of Vantric sees them: the device measures of a page, the paper geometry in
// tenths of a millimetre, the printer remembered for the life of the process and the system's
// default printer.
//
// Everything that paginates works on DeviceMeasures, a plain record, so page arithmetic can be
// tested with invented devices and no printer at all.
#pragma once

#include <QMarginsF>
#include <QPageSize>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QPrinter;

namespace vantric {

// The measures a printer reports for its current page, all in device pixels except the two
// resolutions (dots per inch).
struct DeviceMeasures {
    int32_t dpiX = 0, dpiY = 0;                        // LOGPIXELSX, LOGPIXELSY
    int32_t horzRes = 0, vertRes = 0;                  // printable area: HORZRES, VERTRES
    int32_t physicalWidth = 0, physicalHeight = 0;     // whole sheet
    int32_t physicalOffsetX = 0, physicalOffsetY = 0;  // printable area's top-left on the sheet
    bool monochrome = false;                           // a two-colour device
};

DeviceMeasures MeasuresOf(const QPrinter& printer);

// A4 with no unprintable strips at the given resolution: what a page looks like when there is no
// printer to ask.
DeviceMeasures A4Measures(int32_t dpi);

// The sheet in tenths of a millimetre, as the preview draws it.
struct PaperGeometry {
    int32_t paperWidth = 0, paperHeight = 0;
    int32_t offsetLeft = 0, offsetTop = 0;    // unprintable strips left and top
    int32_t stripRight = 0, stripBottom = 0;  // unprintable strips right and bottom
    int32_t printableWidth = 0, printableHeight = 0;

    bool operator==(const PaperGeometry&) const = default;
};

// Device measure m to tenths of a millimetre: d = m / dpi * 10 / 0.0394, truncated, plus one
// when the fraction reaches the threshold. Zero for a resolution of zero or less.
int32_t DeviceToTenths(int32_t measure, int32_t dpi, double threshold);

// Sheet sizes use a threshold of 0.5, offsets and strips 0.1.
PaperGeometry PaperGeometryOf(const DeviceMeasures& measures);

// The printable area of a printer is the device's own: its unprintable strips for the current
// paper, in points, as the print service reports them (a PPD's ImageableArea); none for a file.
// The print library starts every printer with margins of its own instead, which would shift
// and shrink the page on paper.
QMarginsF DeviceMargins(const QPrinter& printer);
// Sets the page layout's margins to the device's strips, so that the printer's page rectangle
// (HORZRES x VERTRES at the physical offsets) is exactly the printable area. Needed again after
// every change of printer or paper.
void UseDeviceMargins(QPrinter& printer);

// The printer chosen in the last accepted printer dialog, or the default printer taken when
// none was chosen, kept until the process ends. Null before the first print. A remembered
// printer prints on its device's printable area, every page once: the pages and copies a dialog
// chose are not remembered with it.
QPrinter* RememberedPrinter();
void RememberPrinter(std::unique_ptr<QPrinter> printer);
void ForgetRememberedPrinter();  // for tests

// Name of the system's default print queue, empty when there is none (or no print service).
QString DefaultPrinterName();
// Whether the print service knows any printer at all.
bool AnyPrinterInstalled();

// A printer on the default queue, or null when there is none.
std::unique_ptr<QPrinter> CreateDefaultPrinter();

// A new printer with the settings of `printer` (queue or file, paper, resolution, copies, ...).
std::unique_ptr<QPrinter> CopyPrinter(const QPrinter& printer);
// What a printer dialog starts from: a copy of the remembered printer, else the default printer,
// else a bare printer. The dialog changes the copy; only an accepted one is remembered.
std::unique_ptr<QPrinter> PrinterForDialog();

// A printer on the named queue ("default" for the system's default), paper left as the queue
// has it unless one is given. Null, with a reason in *error, when the queue does not exist.
std::unique_ptr<QPrinter> CreateQueuePrinter(const QString& queue,
                                             const std::optional<QPageSize>& paper, QString* error);

// Job options of a queue printer as the print service takes them. No copies: a job holds every
// copy it makes, so the service prints it once.
struct SpoolOptions {
    QString sides;  // "one-sided", "two-sided-long-edge", "two-sided-short-edge"; empty: queue's
    QString media;  // paper name, e.g. "A4"; empty: queue's
    bool monochrome = false;
};
SpoolOptions SpoolOptionsOf(const QPrinter& printer);

// Why the print service refused a job, in its own words.
struct SpoolRefusal {
    QString reason;        // the refusal ("Destination ... is not accepting jobs.")
    QString queueMessage;  // what the queue says of itself, e.g. the reason it rejects jobs
};

// Whether finished PDF files can be handed to print queues directly: through the print service
// on Linux; never on Windows, where a job goes straight onto the printer's device.
bool CanSpoolFiles();
// Hands a finished PDF file to the named queue as one job; the job's number in the queue, or 0,
// with why in *refusal, when the job was refused.
int32_t SpoolPdfFile(const QString& queue, const QString& file, const QString& title,
                     const SpoolOptions& options, SpoolRefusal* refusal);

// A printer that writes a PDF file on the given paper.
std::unique_ptr<QPrinter> CreatePdfPrinter(const QString& path, const QPageSize& paper);

}  // namespace vantric
