// The desk's label sheets for tests and benchmarks: built by the program's own sheet builders on
// a grid set up as the main window sets up its sheet grid, so that what is printed and measured
// is the sheet the desk prints.
#pragma once

#include <QString>
#include <vector>

#include "app/model/LabelSheetBuilders.h"
#include "grid/model/CGridCtrl.h"

namespace vantric::fixtures {

// One ticket as "设置单票数据" lays it out, several as "设置多票数据" does.
inline SheetBuildResult BuildDeskSheet(CGridCtrl& grid, const std::vector<int32_t>& tickets) {
    SetUpSheetGrid(grid);
    SheetWorkingIntegers ints;
    return tickets.size() == 1 ? BuildSingleTicketSheet(grid, QString::number(tickets[0]), ints)
                               : BuildMultiTicketSheet(grid, tickets, ints);
}

}  // namespace vantric::fixtures
