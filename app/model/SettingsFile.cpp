#include "app/model/SettingsFile.h"

#include "base/Text.h"
#include "grid/model/CGridCtrl.h"
#include "platform/DrivePath.h"
#include "platform/ProfileFile.h"

namespace vantric::settings {

namespace {

int32_t ReadInt(const QString& path, const QString& section, const QString& key) {
    return TextToInt(ReadProfileText(path, section, key, QString()));
}

ProfileEntry IntEntry(const QString& section, const QString& key, int32_t value) {
    return {section, key, IntToText(value)};
}

}  // namespace

std::array<int32_t, 7> PrintLayoutValues(const rg_class_DaYinYuLanBianJu& margins) {
    return {margins.LeftMargin,   margins.RightMargin,  margins.TopMargin,     margins.BottomMargin,
            margins.HeaderHeight, margins.FooterHeight, margins.HeaderTableGap};
}

void ApplyPrintMarginsToGrid(const rg_class_DaYinYuLanBianJu& margins, CGridCtrl& grid) {
    const std::array<int32_t, 7> values = PrintLayoutValues(margins);
    for (int which = 1; which <= 7; ++which) {
        grid.SetPrintLayoutValue(which, values[which - 1]);
    }
}

bool LoadPrintMargins(rg_class_DaYinYuLanBianJu& margins, const PrintMarginApplier& apply,
                      const QString& settingsPath, const QString& settingsFolder) {
    if (!FileExists(settingsPath)) {
        SavePrintMargins(margins, apply, settingsPath, settingsFolder);
        return false;
    }
    margins.HeaderHeight = ReadInt(settingsPath, kMarginSection, kHeaderHeightKey);
    margins.FooterHeight = ReadInt(settingsPath, kMarginSection, kFooterHeightKey);
    margins.HeaderTableGap = ReadInt(settingsPath, kMarginSection, kHeaderTableGapKey);
    margins.TopMargin = ReadInt(settingsPath, kMarginSection, kTopMarginKey);
    margins.BottomMargin = ReadInt(settingsPath, kMarginSection, kBottomMarginKey);
    margins.LeftMargin = ReadInt(settingsPath, kMarginSection, kLeftMarginKey);
    margins.RightMargin = ReadInt(settingsPath, kMarginSection, kRightMarginKey);
    if (apply) {
        apply(margins);
    }
    return true;
}

bool SavePrintMargins(const rg_class_DaYinYuLanBianJu& margins, const PrintMarginApplier& apply,
                      const QString& settingsPath, const QString& settingsFolder, QString* reason) {
    if (!EnsureFolder(settingsFolder, reason)) {
        return false;
    }
    // One update of the file for the whole record; only the last key's write decides.
    const std::vector<bool> written =
        WriteProfileTexts(settingsPath,
                          {IntEntry(kMarginSection, kHeaderHeightKey, margins.HeaderHeight),
                           IntEntry(kMarginSection, kFooterHeightKey, margins.FooterHeight),
                           IntEntry(kMarginSection, kHeaderTableGapKey, margins.HeaderTableGap),
                           IntEntry(kMarginSection, kTopMarginKey, margins.TopMargin),
                           IntEntry(kMarginSection, kBottomMarginKey, margins.BottomMargin),
                           IntEntry(kMarginSection, kLeftMarginKey, margins.LeftMargin),
                           IntEntry(kMarginSection, kRightMarginKey, margins.RightMargin)},
                          reason);
    if (!written.back()) {
        return false;
    }
    if (apply) {
        apply(margins);
    }
    return true;
}

QString MarginsNotSavedMessage(const QString& settingsPath, const QString& reason) {
    return QStringLiteral("边距没有保存到设置文件 %1：\n%2")
        .arg(PathForMessage(settingsPath), reason);
}

bool LoadOverweightSettings(rg_class_ChaoChongBiao_BianJu& overweight,
                            const QString& settingsPath) {
    if (!FileExists(settingsPath)) {
        return false;
    }
    overweight.LabelWidth = ReadInt(settingsPath, kWidthSection, kLabelWidthKey);
    if (overweight.LabelWidth == 0) {
        return false;
    }
    overweight.LabelHeight = ReadInt(settingsPath, kHeightSection, kLabelHeightKey);
    overweight.ColumnGap = ReadInt(settingsPath, kWidthSection, kColumnGapKey);
    overweight.RowGap = ReadInt(settingsPath, kHeightSection, kRowGapKey);
    return true;
}

bool SaveOverweightSettings(const rg_class_ChaoChongBiao_BianJu& overweight,
                            const QString& settingsPath, const QString& settingsFolder,
                            const QString& tableLines) {
    const ProfileEntry tableLinesEntry{kTableSection, kTableLinesKey, tableLines};
    if (!EnsureFolder(settingsFolder)) {
        // The switch is written without making the folder.
        if (!tableLines.isEmpty()) {
            WriteProfileText(settingsPath, kTableSection, kTableLinesKey, tableLines);
        }
        return false;
    }
    std::vector<ProfileEntry> entries{
        IntEntry(kWidthSection, kLabelWidthKey, overweight.LabelWidth),
        IntEntry(kHeightSection, kLabelHeightKey, overweight.LabelHeight),
        IntEntry(kWidthSection, kColumnGapKey, overweight.ColumnGap),
        IntEntry(kHeightSection, kRowGapKey, overweight.RowGap)};
    if (!tableLines.isEmpty()) {
        entries.push_back(tableLinesEntry);
    }
    // One update of the file; the row gap's write alone decides.
    return WriteProfileTexts(settingsPath, entries)[3];
}

}  // namespace vantric::settings
