// Reprints: a sheet of some labels of a carton sheet, for labels that came out torn or smudged
// and for a sheet whose first places were used already.
#pragma once

#include <cstdint>
#include <vector>

#include "grid/model/ISelectionSheet.h"

class CGridCtrl;

// Whether the grid holds a carton sheet as the builders lay one out: pages of seven rows over
// the three columns, the label columns of text kind. Not the overweight sheet, not an empty grid.
bool IsCartonSheet(const CGridCtrl& grid);

// Lays into `sheet` the labels of `whole` at `places` (see LabelChoice.h), in the order given,
// from `firstPlace` (0 to 3) of the first page on, onto the pages every carton sheet starts from.
// Each label is copied cell for cell, so it prints as on the whole sheet: its text as the
// operator left it, its number in the font of its ticket. The places before the first label and
// after the last stay empty: a reprint adds no fillers. `sheet` takes the setup and print
// settings of `whole`.
void BuildReprintSheet(const CGridCtrl& whole, const std::vector<int64_t>& places,
                       int32_t firstPlace, CGridCtrl& sheet);

// The print dialog's "selection" on a carton sheet: the labels with at least one chosen cell.
class CartonSelectionSheet : public ISelectionSheet {
  public:
    bool CanPrint(const CGridCtrl& grid, const CellRange& chosen) const override;
    void MakeSheet(const CGridCtrl& grid, const CellRange& chosen, CGridCtrl& sheet) const override;
};
