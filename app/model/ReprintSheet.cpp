#include "app/model/ReprintSheet.h"

#include <algorithm>

#include "app/model/CountRules.h"
#include "app/model/LabelChoice.h"
#include "app/model/LabelSheetBuilders.h"
#include "grid/model/CGridCtrl.h"

namespace {

constexpr int32_t kSheetColumns = 3;

// `to` set up as `from` is: its stored defaults and live values, grid font and screen scale.
// Not its number of rows, which the sheet of a long run would make for nothing.
void CopyGridSetup(const CGridCtrl& from, CGridCtrl& to) {
    to.StoredDefaults() = from.StoredDefaults();
    to.StoredDefaults().rows = 1;
    to.ApplyStoredDefaults();
    to.SetGridFont(from.GridFont());
    to.SetPixelSize(from.PixelSize());
}

// The caption, number and origin cells of the label at `fromPlace` into those at `toPlace`; a
// place `from` does not have leaves `toPlace` empty.
void CopyLabel(const CGridCtrl& from, int64_t fromPlace, CGridCtrl& to, int64_t toPlace) {
    ClearLabelPlace(to, toPlace);
    for (int32_t i = 0; i < sheet::kLabelRows; ++i) {
        const CGridCell* source =
            from.GetCell(sheet::LabelCaptionRow(fromPlace) + i, sheet::LabelColumn(fromPlace));
        CGridCell* target =
            to.GetCell(sheet::LabelCaptionRow(toPlace) + i, sheet::LabelColumn(toPlace));
        if (source != nullptr && target != nullptr) {
            *target = *source;
            target->fontId = to.InternFont(from.Font(source->fontId));  // each grid's own ids
        }
    }
}

}  // namespace

bool IsCartonSheet(const CGridCtrl& grid) {
    auto textColumn = [&grid](int32_t column) {
        const ColumnKindEntry* kind = grid.ColumnKindOf(column);
        return kind != nullptr && kind->kind == colkind::kText;
    };
    return grid.ColumnCount() == kSheetColumns && grid.RowCount() >= sheet::kRowsPerPage &&
           grid.RowCount() % sheet::kRowsPerPage == 0 && textColumn(sheet::LabelColumn(0)) &&
           textColumn(sheet::LabelColumn(1));
}

void BuildReprintSheet(const CGridCtrl& whole, const std::vector<int64_t>& places,
                       int32_t firstPlace, CGridCtrl& sheet) {
    firstPlace = std::clamp(firstPlace, 0, counts::kLabelsPerPage - 1);
    CopyGridSetup(whole, sheet);
    const int64_t used = firstPlace + static_cast<int64_t>(places.size());
    const int64_t pages = counts::PageCountFor(used);
    LayLabelPages(sheet, pages);
    for (int64_t place = 0; place < pages * counts::kLabelsPerPage; ++place) {
        const int64_t label = place - firstPlace;
        if (label >= 0 && label < static_cast<int64_t>(places.size())) {
            CopyLabel(whole, places[label], sheet, place);
        } else {
            ClearLabelPlace(sheet, place);
        }
    }
    sheet.Print() = whole.Print();
}

bool CartonSelectionSheet::CanPrint(const CGridCtrl& grid, const CellRange& chosen) const {
    return IsCartonSheet(grid) && !labels::PlacesInCells(chosen, grid.RowCount()).empty();
}

void CartonSelectionSheet::MakeSheet(const CGridCtrl& grid, const CellRange& chosen,
                                     CGridCtrl& sheet) const {
    BuildReprintSheet(grid, labels::PlacesInCells(chosen, grid.RowCount()), 0, sheet);
}
