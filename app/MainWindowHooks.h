// Windows the main window opens but does not own: the grid's print preview and the margin
// settings window. Their makers register them here; until a hook is set the command that would
// open the window does nothing.
#pragma once

#include <functional>

class QWidget;
class rg_my_main_window;
namespace vantric {
class CVWnd_Grid;
}

namespace mainwindow {

// Opens the modal print preview of `grid` over `owner`.
using PrintPreviewHook = std::function<void(vantric::CVWnd_Grid& grid, QWidget* owner)>;
// Runs a fresh margin settings window modally for `window`.
using MarginWindowHook = std::function<void(rg_my_main_window& window)>;

// Each returns the hook it replaces; an empty function removes the hook.
PrintPreviewHook SetPrintPreviewHook(PrintPreviewHook hook);
MarginWindowHook SetMarginWindowHook(MarginWindowHook hook);

const PrintPreviewHook& PrintPreview();
const MarginWindowHook& MarginWindow();

}  // namespace mainwindow
