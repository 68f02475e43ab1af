#include "platform/Printer.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "platform/PrintJobs.h"

namespace vantric {

namespace {

int32_t Px(double v) {
    return static_cast<int32_t>(std::lround(v));
}

std::unique_ptr<QPrinter>& RememberedSlot() {
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

// The printer must go before the application object does: its print engine talks to the print
// service through objects the application owns.
void DropRememberedPrinter() {
    RememberedSlot().reset();
}

}  // namespace

DeviceMeasures MeasuresOf(const QPrinter& printer) {
    DeviceMeasures m;
    m.dpiX = printer.logicalDpiX();
    m.dpiY = printer.logicalDpiY();
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    m.horzRes = Px(page.width());
    m.vertRes = Px(page.height());
    m.physicalWidth = Px(paper.width());
    m.physicalHeight = Px(paper.height());
    m.physicalOffsetX = Px(page.left() - paper.left());
    m.physicalOffsetY = Px(page.top() - paper.top());
    m.monochrome = printer.colorMode() == QPrinter::GrayScale;
    return m;
}

DeviceMeasures A4Measures(int32_t dpi) {
    DeviceMeasures m;
    m.dpiX = m.dpiY = dpi;
    // 210 x 297 mm.
    m.physicalWidth = m.horzRes = Px(210.0 / 25.4 * dpi);
    m.physicalHeight = m.vertRes = Px(297.0 / 25.4 * dpi);
    return m;
}

int32_t DeviceToTenths(int32_t measure, int32_t dpi, double threshold) {
    if (dpi <= 0) {
        return 0;
    }
    const double d = static_cast<double>(measure) / dpi * 10.0 / 0.0394;
    const double whole = std::trunc(d);
    int32_t result = static_cast<int32_t>(whole);
    if (d - whole >= threshold) {
        ++result;
    }
    return result;
}

PaperGeometry PaperGeometryOf(const DeviceMeasures& m) {
    PaperGeometry g;
    g.paperWidth = DeviceToTenths(m.physicalWidth, m.dpiX, 0.5);
    g.paperHeight = DeviceToTenths(m.physicalHeight, m.dpiY, 0.5);
    g.offsetLeft = DeviceToTenths(m.physicalOffsetX, m.dpiX, 0.1);
    g.offsetTop = DeviceToTenths(m.physicalOffsetY, m.dpiY, 0.1);
    g.stripRight = DeviceToTenths(m.physicalWidth - m.horzRes - m.physicalOffsetX, m.dpiX, 0.1);
    g.stripBottom = DeviceToTenths(m.physicalHeight - m.vertRes - m.physicalOffsetY, m.dpiY, 0.1);
    g.printableWidth = g.paperWidth - g.stripRight - g.offsetLeft;
    g.printableHeight = g.paperHeight - g.stripBottom - g.offsetTop;
    return g;
}

SpoolOptions SpoolOptionsOf(const QPrinter& printer) {
    SpoolOptions o;
    switch (printer.duplex()) {
        case QPrinter::DuplexNone:
            o.sides = QStringLiteral("one-sided");
            break;
        case QPrinter::DuplexLongSide:
            o.sides = QStringLiteral("two-sided-long-edge");
            break;
        case QPrinter::DuplexShortSide:
            o.sides = QStringLiteral("two-sided-short-edge");
            break;
        default:
            break;
    }
    o.media = printer.pageLayout().pageSize().key();
    o.monochrome = printer.colorMode() == QPrinter::GrayScale;
    return o;
}

QMarginsF DeviceMargins(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    return layout.minimumMargins();
}

void UseDeviceMargins(QPrinter& printer) {
    printer.setPageMargins(DeviceMargins(printer), QPageLayout::Point);
}

QPrinter* RememberedPrinter() {
    return RememberedSlot().get();
}

void RememberPrinter(std::unique_ptr<QPrinter> printer) {
    static bool cleanupRegistered = false;
    if (!cleanupRegistered && QCoreApplication::instance() != nullptr) {
        qAddPostRoutine(DropRememberedPrinter);
        cleanupRegistered = true;
    }
    if (printer) {
        UseDeviceMargins(*printer);
        // Kept are the printer and its paper. Which pages and how many copies belong to the job
        // they were chosen for: the next dialog starts again from one copy of every page.
        printer->setCopyCount(1);
        printer->setPrintRange(QPrinter::AllPages);
        printer->setFromTo(0, 0);
    }
    RememberedSlot() = std::move(printer);
}

void ForgetRememberedPrinter() {
    RememberedSlot().reset();
}

QString DefaultPrinterName() {
    return QPrinterInfo::defaultPrinterName();
}

bool AnyPrinterInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::unique_ptr<QPrinter> CreateDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    UseDeviceMargins(*printer);
    return printer;
}

std::unique_ptr<QPrinter> CopyPrinter(const QPrinter& from) {
    std::unique_ptr<QPrinter> to;
    const QPrinterInfo info = from.outputFormat() == QPrinter::NativeFormat
                                  ? QPrinterInfo::printerInfo(from.printerName())
                                  : QPrinterInfo();
    if (!info.isNull()) {
        to = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        to = std::make_unique<QPrinter>(QPrinter::HighResolution);
        to->setOutputFormat(from.outputFormat());
        to->setOutputFileName(from.outputFileName());
    }
    to->setResolution(from.resolution());
    to->setPageLayout(from.pageLayout());
    to->setFullPage(from.fullPage());
    to->setCopyCount(from.copyCount());
    to->setCollateCopies(from.collateCopies());
    to->setDuplex(from.duplex());
    to->setColorMode(from.colorMode());
    to->setPageOrder(from.pageOrder());
    to->setDocName(from.docName());
    return to;
}

std::unique_ptr<QPrinter> PrinterForDialog() {
    if (const QPrinter* remembered = RememberedPrinter(); remembered != nullptr) {
        return CopyPrinter(*remembered);
    }
    if (auto printer = CreateDefaultPrinter()) {
        return printer;
    }
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

std::unique_ptr<QPrinter> CreateQueuePrinter(const QString& queue,
                                             const std::optional<QPageSize>& paper,
                                             QString* error) {
    const bool wantDefault = queue.compare(QLatin1String("default"), Qt::CaseInsensitive) == 0;
    const QPrinterInfo info =
        wantDefault ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(queue);
    if (info.isNull()) {
        if (error != nullptr) {
            // The operator most likely mistyped the name: say which names there are.
            const QStringList known = QPrinterInfo::availablePrinterNames();
            const QString queues =
                known.isEmpty() ? QStringLiteral("the print service knows no %1s").arg(QueueWord())
                                : QStringLiteral("the %1s are: %2")
                                      .arg(QueueWord(), known.join(QStringLiteral(", ")));
            *error = (wantDefault ? QStringLiteral("no default printer is set up")
                                  : QStringLiteral("no %1 named \"%2\"").arg(QueueWord(), queue)) +
                     QStringLiteral("; ") + queues;
        }
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (paper && !printer->setPageSize(*paper)) {
        if (error != nullptr) {
            *error = QStringLiteral("printer \"%1\" does not take paper %2")
                         .arg(info.printerName(), paper->name());
        }
        return nullptr;
    }
    UseDeviceMargins(*printer);
    return printer;
}

std::unique_ptr<QPrinter> CreatePdfPrinter(const QString& path, const QPageSize& paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    // A file has no unprintable strips: the whole sheet is the printable area.
    printer->setPageLayout(
        QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    return printer;
}

}  // namespace vantric
