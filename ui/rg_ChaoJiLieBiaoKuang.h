// The list view, used in report view: columns from a ColumnDefinition text, rows of cells
// added, changed and deleted by the program, click and right-click events that fire on empty
// space too.
//
// Style properties are set before creation. Rows are numbered from 0; with sorting off a row
// stays where it was inserted. Every row operation does nothing without a widget.
#pragma once

#include <QTableWidget>
#include <vector>

#include "ui/CVolWinControl.h"
#include "ui/ColumnDefinition.h"

class rg_ChaoJiLieBiaoKuang;

class CVWnd_ListView : public QTableWidget {
  public:
    CVWnd_ListView(rg_ChaoJiLieBiaoKuang* list, QWidget* parent);
    void DetachList() { list_ = nullptr; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    rg_ChaoJiLieBiaoKuang* list_;
    Qt::MouseButton pressed_ = Qt::NoButton;
};

// The style properties of a list view (the program's values in brackets in the comments).
struct ListViewStyleProperties {
    int view = 3;  // 0 icons, 1 small icons, 2 list, 3 report [3]; only report view shows columns
    bool headerHidden = false;
    bool headerClickable = true;
    bool headerDragDrop = false;  // [on]
    bool fullRowSelect = false;   // [on]
    bool gridLines = false;       // [on]
    bool hotTracking = false;
    int sort = 0;  // 0 none, 1 ascending, 2 descending, by the first column's text [0]
    bool checkBoxes = false;
    bool flatScrollBars = false;   // [on]; Qt draws its own scroll bars either way
    bool singleSelection = false;  // [on]
    bool showSelectionAlways = false;
    COLORREF textColour = 0x000000;
    COLORREF textBackgroundColour = 0xFFFFFF;
    COLORREF backgroundColour = 0xFFFFFF;  // kDefaultColour: the system's button face
    int initialSelection = -1;             // negative: none
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

    EventBinding<> ClickedEvent;
    EventBinding<> RightClickedEvent;
    EventBinding<> DoubleClickedEvent;
    EventBinding<int> CurrentRowChangedEvent;
    EventBinding<int> RowActivatedEvent;
    EventBinding<int> ColumnClickedEvent;

  protected:
    QWidget* CreateWindowObject(CreateParams& params) override;
    void AfterCreate(CreateParams& params) override;
    void ApplyText(QWidget*, const QString&) override {}
    QString ReadText(const QWidget*) const override { return QString(); }

  private:
    friend class CVWnd_ListView;
    CVWnd_ListView* List() const { return static_cast<CVWnd_ListView*>(Widget()); }
    QTableWidgetItem* MakeItem(int column, const QString& text) const;
    void SortRows();

    ListViewStyleProperties style_;
    QString columnDefinition_;
    std::vector<ColumnDefinition> columns_;
};
