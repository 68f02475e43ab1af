#include "app/model/SheetGridProperties.h"

SheetGridProperties DeskSheetGridProperties(int dpiY) {
    SheetGridProperties p;
    GridDefaults& d = p.defaults;
    d.rowResize = true;
    d.columnResize = true;
    d.columns = 3;
    d.previewPrintButton = true;
    d.cellEditing = true;
    d.mouseSelection = false;
    d.furtherSelection = false;
    d.controlBackground = kDefaultColour;  // the system button face
    d.fixedRows = 0;
    d.fixedColumns = 0;
    d.printLineWidth = 2;
    d.fitColumnsToPage = true;
    d.gridLineMode = 3;

    p.font.faceName = QStringLiteral(".萍方-简");
    p.font.height = -((9 * dpiY + 36) / 72);  // 9 points, rounded to the nearest pixel
    p.font.weight = 400;
    p.font.quality = 2;  // PROOF_QUALITY
    return p;
}
