#include "app/model/LabelSheetBuilders.h"

#include <QVariant>
#include <algorithm>

#include "app/model/CountRules.h"
#include "app/model/LabelConstants.h"
#include "app/model/SheetGridProperties.h"
#include "grid/model/CGridCtrl.h"

namespace {

constexpr int32_t kLabelColumnKind = colkind::kText;

// Where slot s (0 top left, 1 top right, 2 bottom left, 3 bottom right) of page p puts its
// caption; the number and origin cells are the two rows below it.
int32_t CaptionRow(int64_t page, int slot) {
    return static_cast<int32_t>(page * sheet::kRowsPerPage) + (slot < 2 ? 0 : 4);
}
int32_t SlotColumn(int slot) {
    return slot % 2 == 0 ? 0 : 2;
}

// "k/n" built in one allocation: the biggest sheet writes a hundred thousand of these.
QString NumberText(int32_t k, int32_t n) {
    char16_t buffer[24];
    int length = 0;
    auto append = [&buffer, &length](int32_t value) {
        char16_t digits[11];
        int count = 0;
        auto v = static_cast<uint32_t>(value < 0 ? -int64_t{value} : value);
        if (value < 0) {
            buffer[length++] = u'-';
        }
        do {
            digits[count++] = static_cast<char16_t>(u'0' + v % 10);
            v /= 10;
        } while (v != 0);
        while (count > 0) {
            buffer[length++] = digits[--count];
        }
    };
    append(k);
    buffer[length++] = u'/';
    append(n);
    return QString(reinterpret_cast<const QChar*>(buffer), length);
}

// Grid lines in both directions, 2 wide when printed, black: each as stored default and live.
void ApplySheetLines(CGridCtrl& grid) {
    grid.SetGridLineMode(3);
    grid.StoredDefaults().printLineWidth = 2;
    grid.Print().printLineWidth = 2;
    grid.StoredDefaults().gridLineColour = 0;
    grid.SetGridLineColour(0);
}

bool SetSheetRowTotal(CGridCtrl& grid, int32_t rows) {
    if (!grid.SetRowTotal(rows)) {
        return false;
    }
    grid.StoredDefaults().rows = rows;
    grid.ReapplyRowBanding();
    return true;
}

void SetSheetColumns(CGridCtrl& grid) {
    grid.AddColumnKind(0, kLabelColumnKind);
    grid.AddColumnKind(2, kLabelColumnKind);
    grid.MarkLabelColumns(0, 0);
    grid.MarkLabelColumns(2, 2);
    for (int32_t c = 0; c < 3 && c < grid.ColumnCount(); ++c) {
        grid.SetColumnPixelWidth(c, sheet::kColumnWidths[c]);
    }
}

// Row heights, row fonts and alignment, caption and origin texts of page p. The number rows get
// their font here only when `numberFontHeight` is non-zero.
void LayPageSkeleton(CGridCtrl& grid, int64_t page, const SheetWorkingIntegers& ints,
                     int32_t numberFontHeight) {
    static const QVariant caption(CartonCaptionText);
    static const QVariant origin(OriginText);
    const int32_t top = CaptionRow(page, 0);
    for (int32_t i = 0; i < sheet::kRowsPerPage; ++i) {
        grid.SetRowPixelHeight(top + i, sheet::kRowHeights[i]);
    }
    // The stock is four labels to a sheet: a printed page holds this page's rows or none, and
    // each label is its caption, number and origin rows (in the label columns).
    grid.MarkSheetPage(top, top + sheet::kRowsPerPage - 1);
    grid.MarkLabelRows(top, top + 2);
    grid.MarkLabelRows(top + 4, top + 6);
    for (int32_t half : {0, 4}) {
        const int32_t row = top + half;
        grid.SetRangeFont(row, 0, row, 2, LabelFontFace, ints.CaptionFontHeight);
        grid.SetRangeFont(row + 2, 0, row + 2, 2, LabelFontFace, ints.OriginFontHeight);
        grid.CentreRowCells(row + 1, row + 2);
        if (numberFontHeight != 0) {
            grid.SetRangeFont(row + 1, 0, row + 1, 2, LabelFontFace, numberFontHeight);
        }
    }
    for (int slot = 0; slot < counts::kLabelsPerPage; ++slot) {
        const int32_t row = CaptionRow(page, slot);
        grid.PutCellValue(row, SlotColumn(slot), 1, u'S', caption);
        grid.PutCellValue(row + 2, SlotColumn(slot), 1, u'S', origin);
    }
}

// Keeps the grid's redraw switch off while a sheet is laid out and puts it back as it was, which
// refreshes the scroll bars and repaints once. With a grid window, each row height set would
// otherwise measure every row again for the scroll bars, so that laying out a long sheet took
// time growing with the square of its rows (minutes for ten thousand tickets).
class RedrawPaused {
  public:
    explicit RedrawPaused(CGridCtrl& grid) : grid_(grid), was_(grid.Redraw()) {
        grid_.SetRedraw(false);
    }
    ~RedrawPaused() { grid_.SetRedraw(was_); }
    RedrawPaused(const RedrawPaused&) = delete;
    RedrawPaused& operator=(const RedrawPaused&) = delete;

  private:
    CGridCtrl& grid_;
    const bool was_;
};

}  // namespace

QString SheetRefusalMessage(SheetBuildResult result) {
    switch (result) {
        case SheetBuildResult::Built:
            return {};
        case SheetBuildResult::TotalRefused:
            return counts::kSingleTotalRefused;
        case SheetBuildResult::TicketCountRefused:
            return counts::kTicketCountRefused;
        case SheetBuildResult::NoTickets:
            return counts::kNoTickets;
        case SheetBuildResult::TooManyLabels:
            return counts::kTooManyLabels;
    }
    return {};
}

int32_t sheet::LabelCaptionRow(int64_t place) {
    return CaptionRow(place / counts::kLabelsPerPage,
                      static_cast<int>(place % counts::kLabelsPerPage));
}

int32_t sheet::LabelColumn(int64_t place) {
    return SlotColumn(static_cast<int>(place % counts::kLabelsPerPage));
}

void ClearLabelPlace(CGridCtrl& grid, int64_t place) {
    const int32_t row = sheet::LabelCaptionRow(place);
    for (int32_t i = 0; i < sheet::kLabelRows; ++i) {
        grid.PutCellValue(row + i, sheet::LabelColumn(place), 1, u'S', QVariant(QString()));
    }
}

bool LayLabelPages(CGridCtrl& grid, int64_t pages) {
    grid.ClearSheet();
    const int64_t rows = std::max<int64_t>(1, pages * sheet::kRowsPerPage);
    if (!SetSheetRowTotal(grid, static_cast<int32_t>(rows))) {
        return false;  // only when the grid has extra columns
    }
    ApplySheetLines(grid);
    SheetWorkingIntegers ints;
    ints.CaptionFontHeight = sheet::kCaptionFontHeight;
    ints.OriginFontHeight = sheet::kOriginFontHeight;
    SetSheetColumns(grid);
    for (int64_t page = 0; page < pages; ++page) {
        LayPageSkeleton(grid, page, ints, 0);
    }
    return true;
}

void SetUpSheetGrid(CGridCtrl& grid, int dpi) {
    const SheetGridProperties desk = DeskSheetGridProperties(dpi);
    grid.StoredDefaults() = desk.defaults;
    grid.ApplyStoredDefaults();
    grid.SetGridFont(desk.font);
}

SheetBuildResult BuildSingleTicketSheet(CGridCtrl& grid, QStringView cartonTotalText,
                                        SheetWorkingIntegers& ints, int32_t firstPlace) {
    const RedrawPaused paused(grid);
    grid.ClearSheet();
    ApplySheetLines(grid);
    ints.CartonTotal = counts::ReadCartonTotal(cartonTotalText);
    // The count edit holds three characters, so only a negative or zero total reaches here from
    // the window; the upper bound guards other callers against a runaway sheet.
    if (!counts::IsValidCount(ints.CartonTotal)) {
        return SheetBuildResult::TotalRefused;
    }
    const int32_t total = ints.CartonTotal;
    firstPlace = std::clamp(firstPlace, 0, counts::kLabelsPerPage - 1);
    ints.FullPageCount = total / counts::kLabelsPerPage;
    ints.FillerCount = counts::FillerCountFor(firstPlace + total);
    ints.CaptionFontHeight = sheet::kCaptionFontHeight;
    ints.OriginFontHeight = sheet::kOriginFontHeight;
    ints.NumberFontHeight = counts::NumberFontHeightFor(total);

    const int32_t places = firstPlace + total + ints.FillerCount;
    SetSheetRowTotal(grid, std::max(1, places / counts::kLabelsPerPage * sheet::kRowsPerPage));
    SetSheetColumns(grid);
    const int32_t pages = places / counts::kLabelsPerPage;
    for (int32_t page = 0; page < pages; ++page) {
        LayPageSkeleton(grid, page, ints, ints.NumberFontHeight);
        for (int slot = 0; slot < counts::kLabelsPerPage; ++slot) {
            const int32_t k = page * counts::kLabelsPerPage + slot + 1 - firstPlace;
            if (k < 1) {
                ClearLabelPlace(grid, page * counts::kLabelsPerPage + slot);
                continue;
            }
            const QString number =
                k <= total ? NumberText(k, total) : NumberText(k - total, ints.FillerCount);
            grid.PutCellValue(CaptionRow(page, slot) + 1, SlotColumn(slot), 1, u'S',
                              QVariant(number));
        }
    }
    return SheetBuildResult::Built;
}

SheetBuildResult BuildMultiTicketSheet(CGridCtrl& grid, const std::vector<int32_t>& ticketCounts,
                                       SheetWorkingIntegers& ints, int32_t firstPlace) {
    // Checked before anything changes: a refused build leaves the current sheet in place.
    if (ticketCounts.empty()) {
        return SheetBuildResult::NoTickets;
    }
    int64_t labels = 0;
    for (int32_t count : ticketCounts) {
        if (!counts::IsValidCount(count)) {
            return SheetBuildResult::TicketCountRefused;
        }
        labels += count;
    }
    if (labels > counts::kMaxSheetLabels) {
        return SheetBuildResult::TooManyLabels;
    }

    const RedrawPaused paused(grid);
    firstPlace = std::clamp(firstPlace, 0, counts::kLabelsPerPage - 1);
    const int32_t fillers = counts::FillerCountFor(firstPlace + labels);
    const int64_t pages = counts::PageCountFor(firstPlace + labels);
    if (!LayLabelPages(grid, pages)) {
        return SheetBuildResult::TooManyLabels;
    }
    ints.CaptionFontHeight = sheet::kCaptionFontHeight;
    ints.OriginFontHeight = sheet::kOriginFontHeight;
    for (int64_t place = 0; place < firstPlace; ++place) {
        ClearLabelPlace(grid, place);
    }

    // The fillers are numbered as one more ticket after the last. It is read from here rather
    // than appended to the caller's list, which stays as it was.
    const size_t entries = ticketCounts.size() + (fillers > 0 ? 1 : 0);
    auto entryTotal = [&](size_t e) { return e < ticketCounts.size() ? ticketCounts[e] : fillers; };
    size_t entry = 0;
    int32_t total = entryTotal(0);
    int32_t number = 0;
    ints.NumberFontHeight = counts::NumberFontHeightFor(total);
    for (int64_t slot = firstPlace; slot < pages * counts::kLabelsPerPage; ++slot) {
        ++number;
        const int32_t row = CaptionRow(slot / counts::kLabelsPerPage, slot % 4) + 1;
        const int32_t column = SlotColumn(slot % 4);
        grid.SetRangeFont(row, column, row, column, LabelFontFace, ints.NumberFontHeight);
        grid.PutCellValue(row, column, 1, u'S', QVariant(NumberText(number, total)));
        if (number == total) {
            ++entry;
            number = 0;
            if (entry < entries) {
                total = entryTotal(entry);
                ints.NumberFontHeight = counts::NumberFontHeightFor(total);
            }
        }
    }
    return SheetBuildResult::Built;
}
