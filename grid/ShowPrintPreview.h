// The grid's print preview, as the main window's preview command opens it.
#pragma once

#include <functional>

class CGridCtrl;

namespace vantric {

class CVWnd_Grid;

// Runs the modal print preview of the grid window's sheet (no owner window) and returns when it
// closes; its "打印" prints as the grid window's print command does. Shows nothing and returns
// false when the grid has no window.
bool ShowPrintPreview(CVWnd_Grid& grid);

// The preview of a bare grid model; `printSheet` is what "打印" runs.
void ShowPrintPreview(CGridCtrl& grid, std::function<int()> printSheet);

}  // namespace vantric
