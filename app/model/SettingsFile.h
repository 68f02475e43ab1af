// Application model: the settings file and the operations that move the two settings records
// in and out of it.
//
// The file holds the print margins, the overweight-label sizes and the table-lines switch of
// the overweight sheet, addressed through the platform's profile functions. Loads and saves
// never report anything to the operator; they answer true or false and callers ignore the
// results of saves. Applying margins to the grid is the caller's business (the main window
// applies only while its grid has a window), so the margin operations take it as a callback.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "app/model/rg_class_ChaoChongBiao_BianJu.h"
#include "app/model/rg_class_DaYinYuLanBianJu.h"

class CGridCtrl;

namespace vantric::settings {

// Every read and write goes to this file; the folder literal (two slashes) is only made before
// a save.
inline const QString kSettingsPath = QStringLiteral("D:/data/dypz.ini");
inline const QString kSettingsFolder = QStringLiteral("D://data");

inline const QString kMarginSection = QStringLiteral("打印预览边距");
inline const QString kHeaderHeightKey = QStringLiteral("页眉");
inline const QString kFooterHeightKey = QStringLiteral("页脚");
inline const QString kHeaderTableGapKey = QStringLiteral("表头表格间距");
inline const QString kTopMarginKey = QStringLiteral("上边距");
inline const QString kBottomMarginKey = QStringLiteral("下边距");
inline const QString kLeftMarginKey = QStringLiteral("左边距");
inline const QString kRightMarginKey = QStringLiteral("右边距");

inline const QString kWidthSection = QStringLiteral("超重标宽度");
inline const QString kLabelWidthKey = QStringLiteral("列");
inline const QString kColumnGapKey = QStringLiteral("列间隔");
inline const QString kHeightSection = QStringLiteral("超重标高度");
inline const QString kLabelHeightKey = QStringLiteral("行");
inline const QString kRowGapKey = QStringLiteral("行间隔");

inline const QString kTableSection = QStringLiteral("超重标表格");
inline const QString kTableLinesKey = QStringLiteral("表格线是否显示");
inline const QString kTableLinesShown = QStringLiteral("真");
inline const QString kTableLinesHidden = QStringLiteral("假");

// Hands the record's margins to the grid (the main window's ApplyPrintMargins).
using PrintMarginApplier = std::function<void(const rg_class_DaYinYuLanBianJu&)>;

// The margins in the grid's order of print layout values 1..7: left, right, top, bottom,
// header, footer, header-table gap.
std::array<int32_t, 7> PrintLayoutValues(const rg_class_DaYinYuLanBianJu& margins);
// SetPrintLayoutValue 1..7 on the grid with those values: how the main window and vantric-batch
// hand margins to their grid.
void ApplyPrintMarginsToGrid(const rg_class_DaYinYuLanBianJu& margins, CGridCtrl& grid);

// Without a file: saves the record (which creates the file when it can) and answers false.
// Otherwise reads the seven margins (missing or non-numeric ones become 0), applies them and
// answers true.
bool LoadPrintMargins(rg_class_DaYinYuLanBianJu& margins, const PrintMarginApplier& apply,
                      const QString& settingsPath = kSettingsPath,
                      const QString& settingsFolder = kSettingsFolder);

// Makes the folder, writes the seven margins in one update of the file and applies them when
// the last key's write worked. The record is never changed; on false the grid keeps what it had,
// and *reason (when given) says why, as the folder or the file refused.
bool SavePrintMargins(const rg_class_DaYinYuLanBianJu& margins, const PrintMarginApplier& apply,
                      const QString& settingsPath = kSettingsPath,
                      const QString& settingsFolder = kSettingsFolder, QString* reason = nullptr);

// What the operator is told when the margins they saved did not reach the settings file.
QString MarginsNotSavedMessage(const QString& settingsPath, const QString& reason);

// False without a file or with a label width of 0 (the record then keeps the fields not yet
// read); true with all four fields read.
bool LoadOverweightSettings(rg_class_ChaoChongBiao_BianJu& overweight,
                            const QString& settingsPath = kSettingsPath);

// Makes the folder and writes the four values; answers the success of the last write. A
// non-empty tableLines is written as the table-lines switch in the same update (or alone when
// the folder cannot be made); a save is always one update of the file, so that a program killed
// during it leaves the whole old record or the whole new one.
bool SaveOverweightSettings(const rg_class_ChaoChongBiao_BianJu& overweight,
                            const QString& settingsPath = kSettingsPath,
                            const QString& settingsFolder = kSettingsFolder,
                            const QString& tableLines = QString());

}  // namespace vantric::settings
