#include "ui/ListViewItemDelegate.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "ui/CVWnd_ListView.h"
#include "ui/FontDescription.h"
#include "ui/rg_ChaoJiLieBiaoKuang.h"

COLORREF RefFromColour(const QColor& colour) {
    return RGBColour(colour.red(), colour.green(), colour.blue());
}

ListViewItemDelegate::ListViewItemDelegate(CVWnd_ListView* view)
    : QStyledItemDelegate(view), view_(view) {}

QStyleOptionViewItem ListViewItemDelegate::CellOption(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    option.initFrom(view_->viewport());
    option.rect = view_->visualRect(index);
    option.font = view_->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.showDecorationSelected = true;
    option.textElideMode = view_->textElideMode();
    initStyleOption(&option, index);
    return option;
}

QRect ListViewItemDelegate::CheckBoxRect(const QModelIndex& index) const {
    QStyleOptionViewItem option = CellOption(index);
    if (!(option.features & QStyleOptionViewItem::HasCheckIndicator)) {
        return QRect();
    }
    return view_->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view_);
}

QRect ListViewItemDelegate::TextRect(const QModelIndex& index) const {
    QStyleOptionViewItem option = CellOption(index);
    return view_->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, view_);
}

bool ListViewItemDelegate::TextCutOff(const QModelIndex& index) const {
    const QStyleOptionViewItem option = CellOption(index);
    if (option.text.isEmpty()) {
        return false;
    }
    // The style keeps a margin on both sides of the text.
    const int margin = view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1;
    const int room = TextRect(index).width() - 2 * margin;
    return option.fontMetrics.horizontalAdvance(option.text) > room;
}

void ListViewItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& given,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem option(given);
    initStyleOption(&option, index);
    rg_ChaoJiLieBiaoKuang* list = view_->List();
    if (list != nullptr) {
        const ListViewStyleProperties& style = list->Style();
        if (!style.showSelectionAlways && !view_->HasListFocus()) {
            option.state &= ~QStyle::State_Selected;
        }
        if (style.hotTracking) {
            const bool hot = index.row() == view_->HotRow();
            if ((hot && style.underlineHot) || (!hot && style.underlineCold)) {
                option.font.setUnderline(true);
            }
        }
        const QColor text = option.palette.color(QPalette::Text);
        const QColor back = option.backgroundBrush.style() != Qt::NoBrush
                                ? option.backgroundBrush.color()
                                : option.palette.color(QPalette::Base);
        rg_ChaoJiLieBiaoKuangHuiZhiCanShu cell{index.row(), index.column(), RefFromColour(text),
                                               RefFromColour(back)};
        const rg_ChaoJiLieBiaoKuangHuiZhiCanShu asked = cell;
        list->CustomDrawEvent.Fire(list, &cell);
        if (cell.textColour != asked.textColour) {
            option.palette.setColor(QPalette::Text, ColourFromRef(cell.textColour, text));
        }
        if (cell.backgroundColour != asked.backgroundColour) {
            option.backgroundBrush = QBrush(ColourFromRef(cell.backgroundColour, back));
        }
    }
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &option, painter, widget);
}

bool ListViewItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                       const QStyleOptionViewItem& option,
                                       const QModelIndex& index) {
    const QVariant before = index.data(Qt::CheckStateRole);
    const bool handled = QStyledItemDelegate::editorEvent(event, model, option, index);
    if (handled && before.isValid() && index.data(Qt::CheckStateRole) != before) {
        view_->RelayCheckBox(index.row());
    }
    return handled;
}
