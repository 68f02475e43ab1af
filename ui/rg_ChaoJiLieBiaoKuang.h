// The list view, used in report view: columns from a ColumnDefinition text, rows of cells
// added, changed and deleted by the program, click and right-click events that fire on empty
// space too.
//
// Style properties are set before creation. Rows are numbered from 0; with sorting off a row
// stays where it was inserted. Every row operation does nothing without a widget.
//
// With check boxes on, the space key and a click or double click on a row's box tick or clear
// it and fire CheckBoxChangedEvent after the click has been dealt with. With label editing and
// sub-item editing on, in report view, a double click edits the cell in place (see
// CVWnd_ListView.h). A cell whose text does not fit its column shows the whole text as a tip
// when the mouse rests on it. With "selection always shown" off the selected row shows as
// selected only while the list has the focus.
#pragma once

#include <QIcon>
#include <QList>
#include <vector>

#include "ui/CVolWinControl.h"
#include "ui/ColumnDefinition.h"

class CVWnd_ListView;
class QTableWidgetItem;

// The style properties of a list view (the program's values in brackets in the comments).
struct ListViewStyleProperties {
    int view = 3;  // 0 icons, 1 small icons, 2 list, 3 report [3]; only report view shows columns
    bool headerHidden = false;
    bool headerClickable = true;
    bool headerDragDrop = false;  // [on]
    bool fullRowSelect = false;   // [on]
    bool gridLines = false;       // [on]
    // The hot row follows the mouse (HotRowChangedEvent), one click activates a row, and a row
    // the mouse rests on is selected.
    bool hotTracking = false;
    bool underlineHot = false;   // with hot tracking: the hot row's text is underlined
    bool underlineCold = false;  // with hot tracking: the other rows' text is underlined
    bool handCursor = false;     // with hot tracking: the hand cursor over rows, else the arrow
    bool labelEditing = false;   // both editing switches on: a double click edits in place
    bool subItemEditing = false;
    int sort = 0;  // 0 none, 1 ascending, 2 descending, by the first column's text [0]
    bool checkBoxes = false;
    bool flatScrollBars = false;   // [on]; Qt draws its own scroll bars either way
    bool singleSelection = false;  // [on]
    bool showSelectionAlways = false;
    // Colours as COLORREF; kDefaultColour stands for the system's button-face colour in all
    // three.
    COLORREF textColour = 0x000000;
    COLORREF textBackgroundColour = 0xFFFFFF;
    COLORREF backgroundColour = 0xFFFFFF;
    int initialSelection = -1;  // negative: none
};

// Handed to CustomDrawEvent for each cell as it is painted; the handler may change the colours.
// A selected cell keeps the selection's colours.
struct rg_ChaoJiLieBiaoKuangHuiZhiCanShu {
    int32_t row = 0;
    int32_t column = 0;
    COLORREF textColour = 0;
    COLORREF backgroundColour = 0;
};

class rg_ChaoJiLieBiaoKuang : public CVolWinControl {
  public:
    ~rg_ChaoJiLieBiaoKuang() override;
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    ListViewStyleProperties& Style() { return style_; }
    const ListViewStyleProperties& Style() const { return style_; }

    // Kept and applied when the widget is created in report view.
    void InsertColumnsFromDefinition(const QString& definitionText);
    int ColumnCount() const;
    // Header text, width in pixels and alignment (0 left, 1 centre, 2 right) of a column.
    QString ColumnTitle(int column) const;
    int ColumnWidth(int column) const;
    int ColumnAlignment(int column) const;

    // The images rows may show (by image index); set before the rows that use them.
    void SetImages(const QList<QIcon>& images) { images_ = images; }
    int ImageCount() const { return static_cast<int>(images_.size()); }
    // Replaces all rows with those of a row definition text (see ListRowCell); without a widget
    // the text is kept and applied at creation. The text is not kept afterwards.
    void SetRowsDefinition(const QString& definitionText);

    int RowCount() const;
    // Inserts a row with `text` in its first column at `index` (clamped to the row count);
    // returns the row's index, or -1 without a widget.
    int InsertRow(int index, const QString& text);
    bool SetCellText(int row, int column, const QString& text);
    QString CellText(int row, int column) const;
    bool DeleteRow(int row);
    void DeleteAllRows();
    // The selected row, or -1; without a widget the initial selection.
    int CurrentSelection() const;
    // State bits: 1 focused, 2 selected; only the bits in `mask` change.
    bool SetItemState(int row, uint32_t state, uint32_t mask);
    // The row's check box (false without check boxes). Setting it fires no event.
    bool IsRowChecked(int row) const;
    bool SetRowChecked(int row, bool checked);
    // The integer kept with a row (from its definition), 0 when none.
    int32_t RowData(int row) const;

    EventBinding<int> CurrentRowChangedEvent;  // the row that became current
    EventBinding<int> RowActivatedEvent;
    EventBinding<int> ColumnClickedEvent;
    EventBinding<int> HotRowChangedEvent;  // -1 when the mouse leaves the rows
    EventBinding<> ClickedEvent;
    EventBinding<> RightClickedEvent;
    EventBinding<> DoubleClickedEvent;
    // Row; a nonzero answer cancels the edit.
    EventBinding<int> LabelEditStartingEvent;
    // Row and new text; a nonzero answer (or no handler) takes the text.
    EventBinding<int, QString> LabelEditEndedEvent;
    // Row and new state (0 clear, 1 ticked).
    EventBinding<int, int> CheckBoxChangedEvent;
    EventBinding<rg_ChaoJiLieBiaoKuangHuiZhiCanShu*> CustomDrawEvent;
    // Row and column of a cell about to be edited; a nonzero answer refuses.
    EventBinding<int, int> CellEditableEvent;
    // Row, column and new text; a nonzero answer (or no handler) takes the text.
    EventBinding<int, int, QString> CellEditEndedEvent;

  protected:
    QWidget* CreateWindowObject(CreateParams& params) override;
    void AfterCreate(CreateParams& params) override;
    void ApplyText(QWidget*, const QString&) override {}
    QString ReadText(const QWidget*) const override { return QString(); }

  private:
    friend class CVWnd_ListView;
    CVWnd_ListView* List() const;
    QTableWidgetItem* MakeItem(int column, const QString& text) const;
    QTableWidgetItem* Item(int row, int column) const;
    void SortRows();
    void ApplyRowsDefinition(const QString& definitionText);

    ListViewStyleProperties style_;
    QString columnDefinition_;
    QString rowsDefinition_;
    std::vector<ColumnDefinition> columns_;
    QList<QIcon> images_;
};
