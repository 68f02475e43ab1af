// Label-sheet grid: drawing, pagination, printing and the grid window.
//
// grid/model holds the data (CGridCtrl); this folder shows and prints it:
//   GdiText       fonts, colours and DrawText on a QPainter (DrawCellText)
//   CellDrawing   one cell on screen (DrawCell) or on a page (PrintCell), pictures in PictureFit
//   PageLayout    page arithmetic over plain values: page size, body, page breaks
//   CGridPrinter  one page of the grid into any QPainter (printer or preview surface)
//   GridPrintJob  whole jobs onto a QPrinter, headless-callable (PDF file, print queue)
//   CVWnd_Grid    the grid window: painting, scroll bars, resizing, in-place editing, and the
//                 "nothing happens without a window" guard of the operations the program calls
// The preview dialogs draw their pages with RenderPreviewPage from CGridPrinter.
#pragma once

#include <QAbstractScrollArea>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <vector>

#include "grid/GdiText.h"
#include "grid/GridPrintJob.h"
#include "grid/GridScrollBars.h"
#include "grid/model/CGridCtrl.h"

namespace vantric {

class CInPlaceEdit;

class CVWnd_Grid : public QAbstractScrollArea, public IGridObserver {
    Q_OBJECT
  public:
    explicit CVWnd_Grid(QWidget* parent = nullptr);
    ~CVWnd_Grid() override;

    CGridCtrl& Grid() { return grid_; }
    const CGridCtrl& Grid() const { return grid_; }

    // Creating the window copies the stored defaults into the live grid. Before that, and after
    // DestroyWindow, the guarded operations below do nothing and report failure.
    bool Create();
    void DestroyWindow();
    bool HasWindow() const { return created_; }

    // --- operations of the program, guarded by HasWindow ----------------------------------
    bool SetPrintLayoutValue(int which, int32_t value);
    bool SetFirstPageOffset(int32_t x, int32_t y);
    bool SetGridFont(const LogFont& font);
    // The print command: printer dialog (AskForPrinter), remembered or default printer, a
    // progress dialog for long jobs. Non-zero when every page was spooled. Its dialogs and boxes
    // belong to the window of `asker` (the grid's own when none is given): an empty sheet,
    // margins without room, pages outside the run and a printer or service that does not take
    // the job print nothing and say so there; a job the service took is followed, and one that
    // fails or waits in a stopped queue is told there when the answer comes.
    int PrintSheet(QWidget* asker = nullptr);
    // The top-level window caption the job is named after.
    QString DocumentName() const;

    // --- properties: each sets the stored default and the live value together -------------
    void SetGridLineColourProperty(COLORREF colour);
    void SetGridLineModeProperty(int32_t mode);
    void SetPrintLineWidthProperty(int32_t width);
    void SetFitColumnsToPageProperty(bool on);
    void SetAskForPrinterProperty(bool on);
    void SetPreviewPrintButtonProperty(bool on);
    void SetCellEditingProperty(bool on);
    void SetControlBackgroundProperty(COLORREF colour);
    void SetPageNumberPositionProperty(int32_t position);
    void SetPrintDatePositionProperty(int32_t position);
    // The model keeps no live switch apart from its stored default for these two; they take
    // effect when the window is created and at every ClearSheet.
    void SetRowResizeProperty(bool on);
    void SetColumnResizeProperty(bool on);

    // --- what tests and the component plug in --------------------------------------------
    void SetPrinterChooser(IPrinterChooser* chooser) { chooser_ = chooser; }
    void SetPrintProgress(IPrintProgress* progress) { progress_ = progress; }
    // What the print command prints when the dialog's "selection" is chosen; without one the
    // dialog never offers it.
    void SetSelectionSheet(const ISelectionSheet* selection) { selection_ = selection; }
    // Asked before an edit starts; false refuses it (the application's may-edit event).
    void SetMayEdit(std::function<bool(int32_t, int32_t)> mayEdit) {
        mayEdit_ = std::move(mayEdit);
    }

    // --- focus, editing, geometry -----------------------------------------------------------
    // The focus cell lives in the grid model; -1 while no cell has it.
    int32_t FocusRow() const { return grid_.FocusRow(); }
    int32_t FocusColumn() const { return grid_.FocusColumn(); }
    // Moves the focus cell (and drops the selection); a cell outside the grid is ignored.
    void SetFocusCell(int32_t row, int32_t column);
    // Opens the editor on the focus cell with `initial` as its text; false when refused, and
    // always while no cell has the focus.
    bool BeginEdit(const QString& initial, bool keepText = false);

    // --- cut, copy and paste of cells (Ctrl+X/C/V, Shift+Delete, Ctrl+Insert, Shift+Insert) --
    // On the selection, else the focus cell, through the system clipboard as plain text (see
    // GridClipboard.h). They belong to the cell-editing switch: off, they do nothing. True when
    // the clipboard or a cell changed.
    bool CutCells();
    bool CopyCells();
    bool PasteCells();
    bool Editing() const;
    // The cell rectangle on the viewport (inclusive edges), for a visible or hidden cell.
    GdiRect CellRect(int32_t row, int32_t column) const;
    // The cell under a viewport point, or (-1, -1).
    std::pair<int32_t, int32_t> CellAt(QPoint point) const;
    void RefreshScrollBars();
    ScrollBarState ScrollBars() const { return scrollBars_; }

    // IGridObserver
    void GridContentChanged() override;
    void GridSizesChanged() override;

  Q_SIGNALS:
    void CellEditStarted(int row, int column);
    void CellEditEnded(int row, int column);
    void CellClicked(int row, int column);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void Refresh();  // repaint when redraw is on
    void UpdateExtents() const;
    int32_t Inset() const;
    int32_t RowTop(int32_t row) const;
    int32_t ColumnLeft(int32_t column) const;
    void PaintArea(QPainter& dc, const QRect& clip, int32_t firstRow, int32_t endRow,
                   int32_t firstColumn, int32_t endColumn);
    std::pair<int32_t, int32_t> VisibleRows() const;
    std::pair<int32_t, int32_t> VisibleColumns() const;
    void MoveFocus(int key, Qt::KeyboardModifiers modifiers);
    bool ClipboardCommandsOn() const;
    bool MayEdit(int32_t row, int32_t column) const;
    void EnsureVisible(int32_t row, int32_t column);
    void EditorClosed(int key, bool cancelled);
    // The resize handle under a point: column (or row) whose far edge is there, else -1.
    int32_t ColumnEdgeAt(QPoint point) const;
    int32_t RowEdgeAt(QPoint point) const;

    CGridCtrl grid_;
    QtFontMeasurer measurer_;
    bool created_ = false;
    IPrinterChooser* chooser_ = nullptr;
    IPrintProgress* progress_ = nullptr;
    const ISelectionSheet* selection_ = nullptr;
    std::function<bool(int32_t, int32_t)> mayEdit_;

    int32_t anchorRow_ = -1, anchorColumn_ = -1;  // where a Shift selection started
    QPointer<CInPlaceEdit> editor_;
    int32_t editRow_ = -1, editColumn_ = -1;

    ScrollBarState scrollBars_;
    mutable bool extentsDirty_ = true;
    mutable std::vector<int64_t> rowTops_;      // rows + 1 entries
    mutable std::vector<int64_t> columnLefts_;  // columns + 1 entries

    enum class Drag { None, Column, Row };
    Drag drag_ = Drag::None;
    int32_t dragIndex_ = -1;
};

}  // namespace vantric
