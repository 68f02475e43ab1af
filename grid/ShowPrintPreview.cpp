#include "grid/ShowPrintPreview.h"

#include "grid/CPreviewParentDialog.h"
#include "grid/CVWnd_Grid.h"

namespace vantric {

bool ShowPrintPreview(CVWnd_Grid& grid) {
    if (!grid.HasWindow()) {
        return false;
    }
    ShowPrintPreview(grid.Grid(), [&grid] { return grid.PrintSheet(); });
    return true;
}

void ShowPrintPreview(CGridCtrl& grid, std::function<int()> printSheet) {
    CPreviewParentDialog dialog(grid, std::move(printSheet));
    dialog.exec();
}

}  // namespace vantric
