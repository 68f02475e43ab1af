// Test and benchmark sheets: a carton-label sheet laid out the way the sheet builders lay it
// out (seven rows and four labels to a page), filled here so the printing code can be exercised
// on its own.
#pragma once

#include <QString>
#include <vector>

#include "grid/model/CGridCtrl.h"

namespace vantric::fixtures {

// Tickets of the given carton totals, numbered k/N one after the other, four labels to a page,
// fillers at the end. Grid lines in both directions, width 2, black.
inline void FillLabelSheet(CGridCtrl& grid, const std::vector<int>& tickets) {
    int labels = 0;
    for (int t : tickets) {
        labels += t;
    }
    const int pages = (labels + 3) / 4;
    const int fillers = pages * 4 - labels;
    std::vector<int> all = tickets;
    if (fillers > 0) {
        all.push_back(fillers);
    }

    grid.SetRedraw(false);
    grid.SetFixedRowTotal(0);
    grid.SetFixedColumnTotal(0);
    grid.SetColumnTotal(3);
    grid.SetRowTotal(std::max(1, pages * 7));
    grid.SetGridLineMode(3);
    grid.SetGridLineColour(0);
    grid.Print().printLineWidth = 2;
    grid.AddColumnKind(0, colkind::kText);
    grid.AddColumnKind(2, colkind::kText);
    grid.SetColumnPixelWidth(0, 336);
    grid.SetColumnPixelWidth(1, 23);
    grid.SetColumnPixelWidth(2, 336);

    static const int kHeights[7] = {61, 304, 101, 70, 61, 304, 101};
    for (int p = 0; p < pages; ++p) {
        const int base = 7 * p;
        for (int i = 0; i < 7; ++i) {
            grid.SetRowPixelHeight(base + i, kHeights[i]);
        }
        for (int r : {base, base + 4}) {
            grid.SetRangeFont(r, 0, r, 2, QStringLiteral("Arial"), 33);
            grid.PutCellValue(r, 0, 1, u'S', QStringLiteral(" Carton No. :"));
            grid.PutCellValue(r, 2, 1, u'S', QStringLiteral(" Carton No. :"));
        }
        for (int r : {base + 2, base + 6}) {
            grid.SetRangeFont(r, 0, r, 2, QStringLiteral("Arial"), 41);
            grid.CentreRowCells(r, r);
            grid.PutCellValue(r, 0, 1, u'S', QStringLiteral("Made in China"));
            grid.PutCellValue(r, 2, 1, u'S', QStringLiteral("Made in China"));
        }
        grid.CentreRowCells(base + 1, base + 1);
        grid.CentreRowCells(base + 5, base + 5);
    }
    // Numbers in slot order: top left, top right, bottom left, bottom right.
    int slot = 0;
    for (int total : all) {
        const int height = total < 10 ? 180 : total <= 99 ? 145 : 100;
        for (int k = 1; k <= total; ++k, ++slot) {
            const int page = slot / 4;
            const int s = slot % 4;
            const int row = 7 * page + (s < 2 ? 1 : 5);
            const int col = s % 2 == 0 ? 0 : 2;
            grid.SetRangeFont(row, col, row, col, QStringLiteral("Arial"), height);
            grid.PutCellValue(row, col, 1, u'S', QStringLiteral("%1/%2").arg(k).arg(total));
        }
    }
    grid.SetRedraw(true);
}

}  // namespace vantric::fixtures
