// How a list view paints its cells: the custom-draw event's colours, the hot row's underlines,
// and a selection shown only while the list has the focus unless "selection always shown" is
// on. Also answers where a cell's check box and text lie, for clicks and info tips.
#pragma once

#include <QStyledItemDelegate>

#include "grid/model/GridTypes.h"

class CVWnd_ListView;

class ListViewItemDelegate : public QStyledItemDelegate {
  public:
    explicit ListViewItemDelegate(CVWnd_ListView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // Clicks and the space key on a check box: the list hears of a change from the event loop.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // The cell's check box and text areas in viewport coordinates.
    QRect CheckBoxRect(const QModelIndex& index) const;
    QRect TextRect(const QModelIndex& index) const;
    // True when the cell's text does not fit the width its column leaves for it.
    bool TextCutOff(const QModelIndex& index) const;

  private:
    QStyleOptionViewItem CellOption(const QModelIndex& index) const;

    CVWnd_ListView* view_;
};

// The COLORREF of a colour.
COLORREF RefFromColour(const QColor& colour);
