// Page rendering and PDF output of large label sheets.
//
//   print_bench --benchmark_filter=Render      first vs last page of 100 tickets of 999
//   print_bench --benchmark_filter=Pdf         250 and 6,244 pages into a PDF file
// Peak memory of one PDF run: /usr/bin/time -v print_bench --benchmark_filter=Pdf/25
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "grid/CGridPrinter.h"
#include "grid/GridPrintJob.h"
#include "tests/support/DeskSheet.h"

using namespace vantric;

namespace {

// One sheet per ticket count, built once: tickets of 999, or for a count of 0 the same number
// of pages (24,975) made of tickets of 4, so that every page holds the same texts.
CGridCtrl& Sheet(int tickets) {
    static std::map<int, std::unique_ptr<CGridCtrl>> sheets;
    auto& grid = sheets[tickets];
    if (!grid) {
        grid = std::make_unique<CGridCtrl>();
        fixtures::BuildDeskSheet(
            *grid, tickets == 0 ? std::vector<int>(24975, 4) : std::vector<int>(tickets, 999));
    }
    return *grid;
}

// A4 at 150 dpi as a preview surface would give it.
PageSurface A4Surface() {
    return PrinterSurface(150, 150, 1240, 1754);
}

// Page only: the layout is made once, as a print job makes it. Args: last page or first, and
// 100 tickets of 999 or (0) pages that all look alike, which shows the cost of the position
// alone (the last pages of the first sheet carry longer numbers).
void BM_RenderPage(benchmark::State& state) {
    CGridCtrl& grid = Sheet(static_cast<int>(state.range(1)));
    const PageSurface surface = A4Surface();
    QImage image(surface.deviceWidth, surface.deviceHeight, QImage::Format_RGB32);
    QPainter dc(&image);
    CGridPrinter printer(grid);
    PrintJobInfo info;
    printer.BeginPrintLayout(dc, surface, info);
    const int32_t page = state.range(0) == 0 ? 1 : info.maxPage;
    for (auto _ : state) {
        image.fill(Qt::white);
        info.currentPage = page;
        printer.PrintOnePage(dc, info);
    }
    printer.EndPrintLayout(dc, info);
    state.counters["rows"] = grid.RowCount();
    state.counters["page"] = page;
}
BENCHMARK(BM_RenderPage)
    ->ArgsProduct({{0, 1}, {100, 0}})
    ->ArgNames({"last", "tickets"})
    ->Unit(benchmark::kMicrosecond);

// Layout and page together, as the preview renders one page.
void BM_RenderPreviewPage(benchmark::State& state) {
    CGridCtrl& grid = Sheet(100);
    const PageSurface surface = A4Surface();
    QImage image(surface.deviceWidth, surface.deviceHeight, QImage::Format_RGB32);
    QPainter dc(&image);
    const int32_t total = RenderPreviewPage(grid, dc, surface, image.rect(), 1);
    const int32_t page = state.range(0) == 0 ? 1 : total;
    for (auto _ : state) {
        image.fill(Qt::white);
        benchmark::DoNotOptimize(RenderPreviewPage(grid, dc, surface, image.rect(), page));
    }
    state.counters["page"] = page;
}
BENCHMARK(BM_RenderPreviewPage)->Arg(0)->Arg(1)->ArgNames({"last"})->Unit(benchmark::kMicrosecond);

// The whole sheet into a PDF file through the print API (sheet built beforehand).
void BM_Pdf(benchmark::State& state) {
    CGridCtrl& grid = Sheet(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    int32_t pages = 0;
    for (auto _ : state) {
        const PrintOutcome out = PrintGridToPdf(grid, path, QPageSize(QPageSize::A4), {});
        if (!out.ok) {
            state.SkipWithError("printing failed");
            break;
        }
        pages = out.pagesPrinted;
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Pdf)->Arg(1)->Arg(25)->ArgNames({"tickets"})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
