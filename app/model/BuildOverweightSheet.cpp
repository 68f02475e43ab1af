#include "app/model/BuildOverweightSheet.h"

#include "grid/model/CGridCtrl.h"
#include "platform/ProfileFile.h"
#include "platform/ResourcePictureSource.h"

namespace vantric {

namespace {

constexpr int kLabelRows = 5;
constexpr int kLinesBoth = 3;  // horizontal and vertical grid lines
constexpr int kLinesNone = 0;
constexpr int kFitKeepingAspect = 205;
constexpr int kPictureValue = 6;
constexpr int kPictureColumns[] = {0, 2};

}  // namespace

void BuildOverweightSheet(CGridCtrl& grid, rg_class_ChaoChongBiao_BianJu& overweight,
                          bool gridHasWindow, const QString& settingsPath,
                          const QString& settingsFolder) {
    grid.ClearSheet();
    grid.SetRowTotal(kLabelRows);
    // Each caution picture is a label, printed whole; a row of them goes to the next page with
    // the gap below it when both do not fit.
    for (int row = 0; row < kLabelRows; row += 2) {
        grid.MarkLabelRows(row, row);
        if (row + 1 < kLabelRows) {
            grid.KeepRowsTogether(row, row + 1);
        }
    }
    for (int column : kPictureColumns) {
        grid.MarkLabelColumns(column, column);
    }

    // Only the exact one-character text shows lines; anything else is rewritten as "假" (into
    // the folder as it is: no folder is made for this one write). The four sizes do not touch
    // the switch, so it reads the same before their save as after it, and a save of the sizes
    // takes it along in the same update.
    const bool linesShown =
        ReadProfileText(settingsPath, settings::kTableSection, settings::kTableLinesKey,
                        QString()) == settings::kTableLinesShown;
    const QString linesToWrite = linesShown ? QString() : settings::kTableLinesHidden;
    if (!settings::LoadOverweightSettings(overweight, settingsPath)) {
        overweight.LabelWidth = kFallbackLabelWidth;
        overweight.LabelHeight = kFallbackLabelHeight;
        overweight.ColumnGap = kFallbackColumnGap;
        overweight.RowGap = kFallbackRowGap;
        settings::SaveOverweightSettings(overweight, settingsPath, settingsFolder, linesToWrite);
    } else if (!linesShown) {
        WriteProfileText(settingsPath, settings::kTableSection, settings::kTableLinesKey,
                         linesToWrite);
    }
    grid.SetGridLineMode(linesShown ? kLinesBoth : kLinesNone);
    const int32_t labelWidth = overweight.LabelWidth;
    const int32_t labelHeight = overweight.LabelHeight;
    const int32_t columnGap = overweight.ColumnGap;
    const int32_t rowGap = overweight.RowGap;

    if (gridHasWindow) {
        for (int column : kPictureColumns) {
            grid.AddColumnKind(column, colkind::kPicture);
        }
        // A successful change is repainted by the grid's own observer.
        for (int column : kPictureColumns) {
            if (grid.FindColumnKind(column) != -1) {
                grid.SetColumnKindParam(column, kFitKeepingAspect);
            }
        }
        // The grid refuses negative and oversized sizes and leaves those rows and columns as
        // they were.
        grid.SetColumnPixelWidth(0, labelWidth);
        grid.SetColumnPixelWidth(1, columnGap);
        grid.SetColumnPixelWidth(2, labelWidth);
        grid.SetRowPixelHeight(0, labelHeight);
        grid.SetRowPixelHeight(1, rowGap);
        grid.SetRowPixelHeight(2, labelHeight);
        grid.SetRowPixelHeight(3, rowGap);
        grid.SetRowPixelHeight(4, labelHeight);
    }

    for (int row = 0; row < kLabelRows; row += 2) {
        for (int column : kPictureColumns) {
            grid.PutCellValue(row, column, kPictureValue, u'n', QVariant(kOverweightPictureId));
        }
    }
}

}  // namespace vantric
