// Carton label sheets.
//
// app/model holds what the main window decides without drawing anything: the sheet builders,
// the count rules, the ticket list and the settings records. Everything here works on the grid
// model (grid/model) and plain values, so the windows and the batch tool share one code path.
//
// A sheet is pages of seven rows and three columns (label, gutter, label), four labels to a page:
// caption, number k/N, origin. The builders start from ClearSheet, so a build replaces whatever
// the grid held.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class CGridCtrl;

// The main window's working integers: what the last build used, kept between builds.
struct SheetWorkingIntegers {
    int32_t CartonTotal = 0;
    int32_t FullPageCount = 0;
    int32_t FillerCount = 0;
    int32_t CaptionFontHeight = 0;
    int32_t OriginFontHeight = 0;
    int32_t NumberFontHeight = 0;
    bool operator==(const SheetWorkingIntegers&) const = default;
};

enum class SheetBuildResult {
    Built,
    TotalRefused,        // a single-ticket total outside 1..999
    TicketCountRefused,  // a ticket count outside 1..999 in the list
    NoTickets,           // an empty ticket list
    TooManyLabels,       // more than counts::kMaxSheetLabels labels
};

// The message the operator sees for a refused build (titled counts::kReminderTitle); empty for
// Built.
QString SheetRefusalMessage(SheetBuildResult result);

// Row geometry of a label page.
namespace sheet {
constexpr int32_t kRowsPerPage = 7;
constexpr int32_t kRowHeights[kRowsPerPage] = {61, 304, 101, 70, 61, 304, 101};
constexpr int32_t kColumnWidths[3] = {336, 23, 336};
constexpr int32_t kCaptionFontHeight = 33;
constexpr int32_t kOriginFontHeight = 41;
constexpr int32_t kLabelRows = 3;  // caption, number, origin

// The label at `place` of a sheet (from 0, in sheet order: slot place % 4 of page place / 4,
// the slots left to right, top to bottom) has its caption in this row and column, its number and
// origin in the two rows below.
int32_t LabelCaptionRow(int64_t place);
int32_t LabelColumn(int64_t place);
}  // namespace sheet

// Clears the grid and lays out `pages` label pages as every carton sheet starts: rows, columns,
// lines, fonts, alignment, captions and origins, the numbers still to be written. False (and
// nothing laid out) when the grid cannot take that many rows.
bool LayLabelPages(CGridCtrl& grid, int64_t pages);
// Takes the texts out of the label at `place`, for a place that stays unused; its grid lines
// still print.
void ClearLabelPlace(CGridCtrl& grid, int64_t place);

// Gives a bare grid the desk's sheet-grid properties (SheetGridProperties.h, the window font at
// `dpi`) as stored defaults and live values, as creating the main window's grid does.
void SetUpSheetGrid(CGridCtrl& grid, int dpi = 96);

// Builds the sheet of one ticket whose total is read from `cartonTotalText` as the count edit is
// read. A total outside 1..999 leaves the grid cleared and only CartonTotal changed.
//
// Both builders start the labels at `firstPlace` (0 to 3), for a sheet whose first places were
// used already: the places before it stay empty, and the fillers (FillerCount) complete the last
// page of what then prints.
SheetBuildResult BuildSingleTicketSheet(CGridCtrl& grid, QStringView cartonTotalText,
                                        SheetWorkingIntegers& ints, int32_t firstPlace = 0);

// Builds one sheet of all tickets, each numbered from 1 to its own total, fillers last. Refused
// (grid and integers untouched) for an empty list, a count outside 1..999 or too many labels.
SheetBuildResult BuildMultiTicketSheet(CGridCtrl& grid, const std::vector<int32_t>& ticketCounts,
                                       SheetWorkingIntegers& ints, int32_t firstPlace = 0);
