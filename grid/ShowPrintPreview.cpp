#include "grid/ShowPrintPreview.h"

#include "grid/CPreviewParentDialog.h"
#include "grid/CVWnd_Grid.h"

namespace vantric {

bool ShowPrintPreview(CVWnd_Grid& grid) {
    if (!grid.HasWindow()) {
        return false;
    }
    // Its "打印" asks from the preview: what the print command has to say appears over it.
    CPreviewParentDialog dialog(grid.Grid(), [&grid, &dialog] { return grid.PrintSheet(&dialog); });
    dialog.exec();
    return true;
}

void ShowPrintPreview(CGridCtrl& grid, std::function<int()> printSheet) {
    CPreviewParentDialog dialog(grid, std::move(printSheet));
    dialog.exec();
}

}  // namespace vantric
