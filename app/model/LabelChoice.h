// Which labels of a carton sheet the operator names: by choosing cells in the grid, or by a
// list as vantric-batch's --labels takes one. A label is named by its place in the run, from 0
// in sheet order (where a place lies on the sheet: sheet::LabelCaptionRow, sheet::LabelColumn).
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

struct CellRange;

namespace labels {

// The places of the labels with at least one cell among `cells`, ascending, on a sheet of
// `rowCount` rows. The gap row between a page's upper and lower labels and the gutter column
// between its left and right ones belong to no label.
std::vector<int64_t> PlacesInCells(const CellRange& cells, int32_t rowCount);

// A label list, items joined by commas. In a run of one ticket ("single") an item is a carton
// number ("37") or a range of them ("40-42"); in a run of tickets ("multi", even of one) it is
// TICKET:CARTON ("2:5"), TICKET:FIRST-LAST ("1:28-30") or TICKET: for all of the ticket's
// cartons ("3:"). Tickets and cartons count from 1.
struct LabelList {
    std::vector<int64_t> places;  // in run order, each once
    QString error;                // why the list is refused, quoting its item; empty when not
};
LabelList ReadLabelList(QStringView list, const std::vector<int32_t>& tickets, bool multi);

}  // namespace labels
