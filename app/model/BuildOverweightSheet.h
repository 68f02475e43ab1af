// Application model: the overweight sheet, six caution pictures in three rows of two with the
// label size and gaps of the overweight-label record.
#pragma once

#include <QString>

#include "app/model/SettingsFile.h"
#include "app/model/rg_class_ChaoChongBiao_BianJu.h"

class CGridCtrl;

namespace vantric {

// Fallbacks used (and saved) when the settings file has no usable label width.
constexpr int32_t kFallbackLabelWidth = 331;
constexpr int32_t kFallbackLabelHeight = 310;
constexpr int32_t kFallbackColumnGap = 30;
constexpr int32_t kFallbackRowGap = 20;

// Lays the sheet out in the grid (whose column count of 3 the caller has set) and reloads the
// record from the settings file. Picture columns, their fit mode and the pixel sizes are set only
// while gridHasWindow; the pictures come from the grid's picture source as picture 501. Also
// sets the grid-line mode from the table-lines switch, writing the switch as "假" unless it is
// exactly "真".
void BuildOverweightSheet(CGridCtrl& grid, rg_class_ChaoChongBiao_BianJu& overweight,
                          bool gridHasWindow, const QString& settingsPath = settings::kSettingsPath,
                          const QString& settingsFolder = settings::kSettingsFolder);

}  // namespace vantric
