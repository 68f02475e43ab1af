#include "app/model/SettingsFile.h"

#include "base/Text.h"
#include "grid/model/CGridCtrl.h"
#include "platform/ProfileFile.h"

namespace vantric::settings {

namespace {

int32_t ReadInt(const QString& path, const QString& section, const QString& key) {
    return TextToInt(ReadProfileText(path, section, key, QString()));
}

bool WriteInt(const QString& path, const QString& section, const QString& key, int32_t value) {
    return WriteProfileText(path, section, key, IntToText(value));
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
                      const QString& settingsPath, const QString& settingsFolder) {
    if (!EnsureFolder(settingsFolder)) {
        return false;
    }
    WriteInt(settingsPath, kMarginSection, kHeaderHeightKey, margins.HeaderHeight);
    WriteInt(settingsPath, kMarginSection, kFooterHeightKey, margins.FooterHeight);
    WriteInt(settingsPath, kMarginSection, kHeaderTableGapKey, margins.HeaderTableGap);
    WriteInt(settingsPath, kMarginSection, kTopMarginKey, margins.TopMargin);
    WriteInt(settingsPath, kMarginSection, kBottomMarginKey, margins.BottomMargin);
    WriteInt(settingsPath, kMarginSection, kLeftMarginKey, margins.LeftMargin);
    // Only the last write decides: the file holds all seven once that one has landed.
    if (!WriteInt(settingsPath, kMarginSection, kRightMarginKey, margins.RightMargin)) {
        return false;
    }
    if (apply) {
        apply(margins);
    }
    return true;
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
                            const QString& settingsPath, const QString& settingsFolder) {
    if (!EnsureFolder(settingsFolder)) {
        return false;
    }
    WriteInt(settingsPath, kWidthSection, kLabelWidthKey, overweight.LabelWidth);
    WriteInt(settingsPath, kHeightSection, kLabelHeightKey, overweight.LabelHeight);
    WriteInt(settingsPath, kWidthSection, kColumnGapKey, overweight.ColumnGap);
    return WriteInt(settingsPath, kHeightSection, kRowGapKey, overweight.RowGap);
}

}  // namespace vantric::settings
