// Page flips in the print preview: the first and the last page of a long multi-ticket sheet.
//
//   preview_bench --benchmark_filter=Flip     the view's paint of page 1, 6,000 and 6,244
//   preview_bench --benchmark_filter=Fresh    the same pages laid out afresh for every paint
//   preview_bench --benchmark_filter=Layout   one layout of the whole sheet, what a flip saves
// The sheet: 25 tickets of 999 cartons, 24,975 labels on 6,244 pages (43,708 rows).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "grid/CGridPrinter.h"
#include "grid/CPreviewDialog.h"
#include "grid/CPreviewParentDialog.h"
#include "grid/PageRenderer.h"
#include "tests/support/DeskSheet.h"

using namespace vantric;

namespace {

CGridCtrl& LongSheet() {
    static std::unique_ptr<CGridCtrl> grid = [] {
        auto g = std::make_unique<CGridCtrl>();
        fixtures::BuildDeskSheet(*g, std::vector<int32_t>(25, 999));
        return g;
    }();
    return *grid;
}

// The view on a 1920 x 1080 screen at 96 dpi, the sheet fitted to its height.
const QSize kClient(1920, 1020);

// A page flip as the preview makes it: the page view paints the sheet, its shadow and the page.
void BM_Flip(benchmark::State& state) {
    CGridCtrl& grid = LongSheet();
    CPreviewParentDialog window(grid, {}, preview::A4Sheet());
    CPreviewDialog* view = window.PageView();
    const preview::PreviewScale scale{96, 96, preview::FitZoom(kClient.height() * 254 / 96, 2970)};
    QImage image(kClient, QImage::Format_RGB32);
    const int32_t page = static_cast<int32_t>(state.range(0));
    view->SetPage(page);
    for (auto _ : state) {
        QPainter dc(&image);
        view->PaintView(dc, kClient, scale);
    }
    state.counters["page"] = page;
    state.counters["layouts"] = static_cast<double>(window.Renderer().LayoutsMade());
}
BENCHMARK(BM_Flip)->Arg(1)->Arg(6000)->Arg(6244)->ArgNames({"page"})->Unit(benchmark::kMicrosecond);

// The same page with the layout made again for every paint (the rows walked every time).
void BM_Fresh(benchmark::State& state) {
    CGridCtrl& grid = LongSheet();
    const int32_t zoom = preview::FitZoom(kClient.height() * 254 / 96, 2970);
    const preview::PreviewScale scale{96, 96, zoom};
    const PageSurface surface = PrinterSurface(preview::A4Sheet().device);
    const QRect target(50, 20, scale.ToDeviceX(2100), scale.ToDeviceY(2970));
    QImage image(kClient, QImage::Format_RGB32);
    QPainter dc(&image);
    const int32_t page = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        image.fill(Qt::white);
        benchmark::DoNotOptimize(RenderPreviewPage(grid, dc, surface, target, page));
    }
    state.counters["page"] = page;
}
BENCHMARK(BM_Fresh)->Arg(1)->Arg(6000)->Arg(6244)->ArgNames({"page"})->Unit(
    benchmark::kMicrosecond);

void BM_Layout(benchmark::State& state) {
    CGridCtrl& grid = LongSheet();
    PageRenderer renderer(grid);
    const PageSurface surface = PrinterSurface(preview::A4Sheet().device);
    int32_t total = 0;
    for (auto _ : state) {
        renderer.Invalidate();
        total = renderer.Layout(surface);
    }
    state.counters["pages"] = total;
    state.counters["rows"] = grid.RowCount();
}
BENCHMARK(BM_Layout)->Unit(benchmark::kMicrosecond);

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
