// The grid component: the framework control that owns the label-sheet grid window.
//
// Properties set before the window exists wait in the component's stored defaults and are
// copied into the grid when its window is made; afterwards each property sets both the stored
// default and the live value, so ClearSheet keeps it. Every operation on the grid itself does
// nothing and reports failure while there is no window.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "grid/model/CGridCtrl.h"
#include "grid/model/ISelectionSheet.h"
#include "platform/ResourcePictureSource.h"
#include "ui/CVolWinControl.h"

namespace vantric {
class CVWnd_Grid;
}

class rg_BiaoGe : public CVolWinControl {
  public:
    rg_BiaoGe();
    ~rg_BiaoGe() override;
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // The stored defaults: the component's own while there is no window, else the grid's.
    const GridDefaults& StoredDefaults() const;

    // Every stored default at once, before the window is made: the properties it is made with.
    // False (nothing changed) once there is a window, whose properties the setters below change.
    bool SetStoredDefaults(const GridDefaults& defaults);
    void SetRowResize(bool on);
    void SetColumnResize(bool on);
    void SetColumnTotal(int32_t columns);
    void SetFixedRowTotal(int32_t rows);
    void SetFixedColumnTotal(int32_t columns);
    void SetPreviewPrintButton(bool shown);
    void SetCellEditing(bool on);
    void SetMouseSelection(bool on);
    void SetFurtherSelection(bool on);
    void SetControlBackground(COLORREF colour);  // kDefaultColour: the system button face
    void SetPrintLineWidth(int32_t width);
    void SetFitColumnsToPage(bool on);
    void SetGridLineMode(int32_t mode);
    // The window font of the grid: the font of every cell and the source of the default sizes.
    void SetGridFont(const LogFont& font);
    std::optional<LogFont> GridFont() const { return gridFont_; }

    // The grid window and its cells; null without a window.
    vantric::CVWnd_Grid* GridWindow() const;
    CGridCtrl* Grid() const;

    bool ClearSheet();
    // which 1..7: left, right, top, bottom margin, header, footer, header-table gap.
    bool SetPrintLayoutValue(int which, int32_t value);
    bool SetFirstPageOffset(int32_t x, int32_t y);
    // Prints the whole sheet, or what `selection` makes of the chosen cells when the print
    // dialog's "selection" is chosen; non-zero when every page was spooled.
    int PrintSheet();
    // Kept for the grid window, which may be made later; the object outlives the component.
    void SetSelectionSheet(const ISelectionSheet* selection);
    // Paints what is pending now.
    void UpdateWindow();

  protected:
    QWidget* CreateWindowObject(CreateParams& params) override;
    void ApplyText(QWidget*, const QString&) override {}
    QString ReadText(const QWidget*) const override { return QString(); }

  private:
    // Runs `change` on the component's stored defaults and, with a window, on the grid's.
    template <typename F>
    void ChangeDefaults(F&& change);

    GridDefaults defaults_;  // copied into the grid when its window is made
    std::optional<LogFont> gridFont_;
    const ISelectionSheet* selection_ = nullptr;
    vantric::ResourcePictureSource pictures_;
};
