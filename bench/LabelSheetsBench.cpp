// Sheet builds at their largest: a single ticket of 999, a hundred tickets of 999 (99,900
// labels, 174,825 rows) and a million labels. Heap use is read from the C library's allocator
// statistics, so QString data (which bypasses operator new) is counted too.
//
//   cmake --build build --target label_sheets_bench && build/bin/label_sheets_bench
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <vector>

#include "app/model/LabelSheetBuilders.h"
#include "grid/model/CGridCtrl.h"

namespace {

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::unique_ptr<CGridCtrl> NewSheetGrid() {
    auto grid = std::make_unique<CGridCtrl>();
    SetUpSheetGrid(*grid);
    return grid;
}

void ReportHeap(benchmark::State& state, const std::vector<int32_t>& tickets) {
    auto grid = NewSheetGrid();
    SheetWorkingIntegers ints;
    const size_t before = HeapInUse();
    BuildMultiTicketSheet(*grid, tickets, ints);
    const size_t after = HeapInUse();
    const double cells = double(grid->RowCount()) * grid->ColumnCount();
    state.counters["cells"] = cells;
    state.counters["heap_MB"] = double(after - before) / 1e6;
    state.counters["heap_B_per_cell"] = double(after - before) / cells;
}

void BM_SingleTicket999(benchmark::State& state) {
    auto grid = NewSheetGrid();
    SheetWorkingIntegers ints;
    for (auto _ : state) {
        BuildSingleTicketSheet(*grid, u"999", ints);
        benchmark::DoNotOptimize(grid->RowCount());
    }
}
BENCHMARK(BM_SingleTicket999)->Unit(benchmark::kMillisecond);

// Rebuilding over the same sheet, as the operator does: includes clearing the previous one.
void BM_Multi100x999Rebuild(benchmark::State& state) {
    const std::vector<int32_t> tickets(100, 999);
    auto grid = NewSheetGrid();
    SheetWorkingIntegers ints;
    for (auto _ : state) {
        BuildMultiTicketSheet(*grid, tickets, ints);
        benchmark::DoNotOptimize(grid->RowCount());
    }
    ReportHeap(state, tickets);
}
BENCHMARK(BM_Multi100x999Rebuild)->Unit(benchmark::kMillisecond);

// The first build into a fresh grid.
void BM_Multi100x999Fresh(benchmark::State& state) {
    const std::vector<int32_t> tickets(100, 999);
    SheetWorkingIntegers ints;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = NewSheetGrid();
        state.ResumeTiming();
        BuildMultiTicketSheet(*grid, tickets, ints);
        benchmark::DoNotOptimize(grid->RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Multi100x999Fresh)->Unit(benchmark::kMillisecond);

// The largest sheet the builder takes: 1,000,000 labels (1001 tickets of 999 and one of 1).
void BM_MultiMillionLabels(benchmark::State& state) {
    std::vector<int32_t> tickets(1001, 999);
    tickets.push_back(1);
    auto grid = NewSheetGrid();
    SheetWorkingIntegers ints;
    for (auto _ : state) {
        BuildMultiTicketSheet(*grid, tickets, ints);
        benchmark::DoNotOptimize(grid->RowCount());
    }
    ReportHeap(state, tickets);
}
BENCHMARK(BM_MultiMillionLabels)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
