// The widget of a list view (rg_ChaoJiLieBiaoKuang): a table without row headers whose clicks,
// keys and mouse moves become the list's events.
//
// In-place editing (both editing switches on, report view), on a double click after the
// double-click event: on column 0 the label-edit-starting event may cancel; on another column
// the may-a-cell-be-edited event may refuse. The editor then covers the cell's text (moved 5
// pixels right on other columns) with the cell's text, in the list's font, the caret at the
// character under the click (all text selected on column 0). Enter or the editor losing the
// focus ends the edit and asks the edit-ended event whether to take the text; Escape drops it.
// Scrolling, the wheel and resizing end a running edit first. A double click on a check box
// starts no edit.
//
// Rows are as high as a report list's on the platform: the height of the list's font plus a
// small padding, following the font when it changes.
#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>

class rg_ChaoJiLieBiaoKuang;
class ListViewItemDelegate;
class CVWnd_ListViewEdit;

class CVWnd_ListView : public QTableWidget {
  public:
    CVWnd_ListView(rg_ChaoJiLieBiaoKuang* list, QWidget* parent);
    void DetachList() { list_ = nullptr; }
    rg_ChaoJiLieBiaoKuang* List() const { return list_; }

    // The row under the mouse with hot tracking on, else -1.
    int HotRow() const { return hotRow_; }
    // The list or its in-place editor has the focus.
    bool HasListFocus() const;

    // The running in-place edit's editor (null when none runs) and its cell.
    CVWnd_ListViewEdit* Editor() const;
    QModelIndex EditedCell() const { return edited_; }
    // Ends a running edit; `take` asks the edit-ended event, else the text is dropped.
    void EndEdit(bool take);

    // A row's check box was ticked or cleared by the operator: tells the list from the event
    // loop, once the click or key has been dealt with.
    void RelayCheckBox(int row);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FitRowsToFont();
    void SetHotRow(int row);
    bool OnCheckBox(const QModelIndex& index, const QPoint& pos) const;
    void BeginEdit(const QModelIndex& index, const QPoint& clickPos);
    void ShowInfoTip(const QPoint& pos, const QPoint& globalPos);

    rg_ChaoJiLieBiaoKuang* list_;
    ListViewItemDelegate* delegate_;
    Qt::MouseButton pressed_ = Qt::NoButton;
    int hotRow_ = -1;
    QTimer hoverSelect_;  // hot tracking: selects the row the mouse rests on
    QPointer<CVWnd_ListViewEdit> editor_;
    QPersistentModelIndex edited_;
    bool ending_ = false;
};
