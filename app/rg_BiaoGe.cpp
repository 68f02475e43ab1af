#include "app/rg_BiaoGe.h"

#include "grid/CVWnd_Grid.h"

const ClassDescriptor& rg_BiaoGe::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor("rg_BiaoGe", [] { return new rg_BiaoGe; },
                                                         {&CVolWinControl::StaticClass()});
    return d;
}

rg_BiaoGe::rg_BiaoGe() = default;

// The window goes before the picture source it draws from.
rg_BiaoGe::~rg_BiaoGe() {
    DestroyWindow();
}

vantric::CVWnd_Grid* rg_BiaoGe::GridWindow() const {
    auto* window = static_cast<vantric::CVWnd_Grid*>(Widget());
    return window != nullptr && window->HasWindow() ? window : nullptr;
}

CGridCtrl* rg_BiaoGe::Grid() const {
    vantric::CVWnd_Grid* window = GridWindow();
    return window != nullptr ? &window->Grid() : nullptr;
}

const GridDefaults& rg_BiaoGe::StoredDefaults() const {
    const CGridCtrl* grid = Grid();
    return grid != nullptr ? grid->StoredDefaults() : defaults_;
}

template <typename F>
void rg_BiaoGe::ChangeDefaults(F&& change) {
    change(defaults_);
    if (CGridCtrl* grid = Grid()) {
        change(grid->StoredDefaults());
    }
}

bool rg_BiaoGe::SetStoredDefaults(const GridDefaults& defaults) {
    if (Widget() != nullptr) {
        return false;
    }
    defaults_ = defaults;
    return true;
}

void rg_BiaoGe::SetRowResize(bool on) {
    ChangeDefaults([on](GridDefaults& d) { d.rowResize = on; });
}

void rg_BiaoGe::SetColumnResize(bool on) {
    ChangeDefaults([on](GridDefaults& d) { d.columnResize = on; });
}

void rg_BiaoGe::SetColumnTotal(int32_t columns) {
    ChangeDefaults([columns](GridDefaults& d) { d.columns = columns; });
    if (CGridCtrl* grid = Grid()) {
        grid->SetColumnTotal(columns);
    }
}

void rg_BiaoGe::SetFixedRowTotal(int32_t rows) {
    ChangeDefaults([rows](GridDefaults& d) { d.fixedRows = rows; });
    if (CGridCtrl* grid = Grid()) {
        grid->SetFixedRowTotal(rows);
    }
}

void rg_BiaoGe::SetFixedColumnTotal(int32_t columns) {
    ChangeDefaults([columns](GridDefaults& d) { d.fixedColumns = columns; });
    if (CGridCtrl* grid = Grid()) {
        grid->SetFixedColumnTotal(columns);
    }
}

void rg_BiaoGe::SetMouseSelection(bool on) {
    ChangeDefaults([on](GridDefaults& d) { d.mouseSelection = on; });
}

void rg_BiaoGe::SetFurtherSelection(bool on) {
    ChangeDefaults([on](GridDefaults& d) { d.furtherSelection = on; });
}

void rg_BiaoGe::SetPreviewPrintButton(bool shown) {
    defaults_.previewPrintButton = shown;
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->SetPreviewPrintButtonProperty(shown);
    }
}

void rg_BiaoGe::SetCellEditing(bool on) {
    defaults_.cellEditing = on;
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->SetCellEditingProperty(on);
    }
}

void rg_BiaoGe::SetControlBackground(COLORREF colour) {
    defaults_.controlBackground = colour;
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->SetControlBackgroundProperty(colour);
    }
}

void rg_BiaoGe::SetPrintLineWidth(int32_t width) {
    defaults_.printLineWidth = width;
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->SetPrintLineWidthProperty(width);
    }
}

void rg_BiaoGe::SetFitColumnsToPage(bool on) {
    defaults_.fitColumnsToPage = on;
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->SetFitColumnsToPageProperty(on);
    }
}

void rg_BiaoGe::SetGridLineMode(int32_t mode) {
    defaults_.gridLineMode = mode;
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->SetGridLineModeProperty(mode);
    }
}

void rg_BiaoGe::SetGridFont(const LogFont& font) {
    gridFont_ = font;
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->SetGridFont(font);
    }
}

bool rg_BiaoGe::ClearSheet() {
    CGridCtrl* grid = Grid();
    return grid != nullptr && grid->ClearSheet();
}

bool rg_BiaoGe::SetPrintLayoutValue(int which, int32_t value) {
    vantric::CVWnd_Grid* window = GridWindow();
    return window != nullptr && window->SetPrintLayoutValue(which, value);
}

bool rg_BiaoGe::SetFirstPageOffset(int32_t x, int32_t y) {
    vantric::CVWnd_Grid* window = GridWindow();
    return window != nullptr && window->SetFirstPageOffset(x, y);
}

int rg_BiaoGe::PrintSheet() {
    vantric::CVWnd_Grid* window = GridWindow();
    return window != nullptr ? window->PrintSheet() : 0;
}

void rg_BiaoGe::SetSelectionSheet(const ISelectionSheet* selection) {
    selection_ = selection;
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->SetSelectionSheet(selection);
    }
}

void rg_BiaoGe::UpdateWindow() {
    if (vantric::CVWnd_Grid* window = GridWindow()) {
        window->viewport()->repaint();
    }
}

QWidget* rg_BiaoGe::CreateWindowObject(CreateParams& params) {
    auto* window = new vantric::CVWnd_Grid(params.parent);
    window->Grid().StoredDefaults() = defaults_;
    window->Grid().SetPictureSource(&pictures_);
    window->SetSelectionSheet(selection_);
    window->Create();
    if (gridFont_) {
        window->SetGridFont(*gridFont_);
    }
    return window;
}
