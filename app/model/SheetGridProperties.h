// The label-sheet grid as the desk has it.
//
// The main window gives its grid component these properties before the grid window is made;
// vantric-batch and the tests give them to a bare grid (SetUpSheetGrid). Both take them from
// here, so that a sheet printed without the window is printed from the same grid.
#pragma once

#include "grid/model/CGridCtrl.h"

struct SheetGridProperties {
    // The component's stored defaults with the sheet grid's own: resizing by dragging, three
    // columns, the preview's print button, cell editing, no selection by mouse, the system
    // button face behind the cells, no fixed rows or columns, print line width 2, fit to the
    // page, lines in both directions. The rest stay the component's.
    GridDefaults defaults;
    // The window font ".萍方-简, 9, 0, 0, 0, 0, 0" at the screen's dpi, as the framework reads a
    // font description: 9 points as a character height in whole pixels, proof quality.
    LogFont font;
    bool operator==(const SheetGridProperties&) const = default;
};

SheetGridProperties DeskSheetGridProperties(int dpiY);
