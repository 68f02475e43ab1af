#include "ui/CVWnd_ListView.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

#include "ui/CVWnd_ListViewEdit.h"
#include "ui/ListViewItemDelegate.h"
#include "ui/rg_ChaoJiLieBiaoKuang.h"

namespace {

// How long the mouse rests on a hot row before it is selected (the platform's hover time).
constexpr int kHoverSelectMs = 400;

// The role that holds a cell's own info tip.
constexpr int kInfoTipRole = Qt::UserRole + 1;

// Space above and below a row's text, together.
constexpr int kRowPadding = 4;

}  // namespace

CVWnd_ListView::CVWnd_ListView(rg_ChaoJiLieBiaoKuang* list, QWidget* parent)
    : QTableWidget(parent), list_(list), delegate_(new ListViewItemDelegate(this)) {
    setItemDelegate(delegate_);
    FitRowsToFont();
    hoverSelect_.setSingleShot(true);
    hoverSelect_.setInterval(kHoverSelectMs);
    QObject::connect(&hoverSelect_, &QTimer::timeout, this, [this] {
        if (list_ != nullptr && hotRow_ >= 0) {
            list_->SetItemState(hotRow_, 3, 3);
        }
    });
}

bool CVWnd_ListView::HasListFocus() const {
    return hasFocus() || (editor_ != nullptr && editor_->hasFocus());
}

void CVWnd_ListView::RelayCheckBox(int row) {
    // Each relay carries the state its own click gave: the two clicks of a double click may both
    // be dealt with before either relay arrives.
    const int state = list_ != nullptr && list_->IsRowChecked(row) ? 1 : 0;
    QMetaObject::invokeMethod(
        this,
        [this, row, state] {
            if (list_ != nullptr && row < list_->RowCount()) {
                list_->CheckBoxChangedEvent.Fire(list_, row, state);
            }
        },
        Qt::QueuedConnection);
}

bool CVWnd_ListView::OnCheckBox(const QModelIndex& index, const QPoint& pos) const {
    return index.isValid() && delegate_->CheckBoxRect(index).contains(pos);
}

void CVWnd_ListView::mousePressEvent(QMouseEvent* event) {
    EndEdit(true);
    QTableWidget::mousePressEvent(event);
    pressed_ = event->button();
    // A click on empty space clears the selection, as a report list does.
    if (!indexAt(event->position().toPoint()).isValid() && list_ != nullptr &&
        list_->style_.singleSelection) {
        clearSelection();
    }
}

void CVWnd_ListView::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    const Qt::MouseButton pressed = pressed_;
    pressed_ = Qt::NoButton;
    if (list_ == nullptr || pressed != event->button()) {
        return;
    }
    if (event->button() == Qt::LeftButton) {
        list_->ClickedEvent.Fire(list_);
        const QModelIndex index = indexAt(event->position().toPoint());
        if (list_ != nullptr && list_->style_.hotTracking && index.isValid()) {
            list_->RowActivatedEvent.Fire(list_, index.row());  // one click activates
        }
    } else if (event->button() == Qt::RightButton) {
        list_->RightClickedEvent.Fire(list_);
    }
}

void CVWnd_ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    if (list_ == nullptr || event->button() != Qt::LeftButton) {
        return;
    }
    list_->DoubleClickedEvent.Fire(list_);
    const ListViewStyleProperties& s = list_->style_;
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (OnCheckBox(index, pos)) {
        // The second click of a double click on a check box ticks or clears it again, as the
        // first did; it edits nothing.
        list_->SetRowChecked(index.row(), !list_->IsRowChecked(index.row()));
        RelayCheckBox(index.row());
        return;
    }
    if (s.labelEditing && s.subItemEditing && s.view == 3 && index.isValid()) {
        BeginEdit(index, pos);
    }
}

void CVWnd_ListView::SetHotRow(int row) {
    if (row == hotRow_) {
        return;
    }
    hotRow_ = row;
    viewport()->update();
    if (list_ == nullptr) {
        return;
    }
    if (list_->style_.handCursor && row >= 0) {
        viewport()->setCursor(Qt::PointingHandCursor);
    } else {
        viewport()->unsetCursor();
    }
    if (row >= 0) {
        hoverSelect_.start();
    } else {
        hoverSelect_.stop();
    }
    list_->HotRowChangedEvent.Fire(list_, row);
}

void CVWnd_ListView::mouseMoveEvent(QMouseEvent* event) {
    QTableWidget::mouseMoveEvent(event);
    if (list_ != nullptr && list_->style_.hotTracking) {
        SetHotRow(indexAt(event->position().toPoint()).row());
    }
}

void CVWnd_ListView::leaveEvent(QEvent* event) {
    QTableWidget::leaveEvent(event);
    if (list_ != nullptr && list_->style_.hotTracking) {
        SetHotRow(-1);
    }
}

void CVWnd_ListView::keyPressEvent(QKeyEvent* event) {
    if (list_ != nullptr && list_->style_.checkBoxes && event->key() == Qt::Key_Space &&
        event->modifiers() == Qt::NoModifier) {
        const int row = currentIndex().row();
        if (row >= 0) {
            list_->SetRowChecked(row, !list_->IsRowChecked(row));
            RelayCheckBox(row);
        }
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void CVWnd_ListView::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    viewport()->update();  // the selection shows again
}

void CVWnd_ListView::focusOutEvent(QFocusEvent* event) {
    QTableWidget::focusOutEvent(event);
    viewport()->update();
}

void CVWnd_ListView::wheelEvent(QWheelEvent* event) {
    EndEdit(true);
    QTableWidget::wheelEvent(event);
}

void CVWnd_ListView::resizeEvent(QResizeEvent* event) {
    EndEdit(true);
    QTableWidget::resizeEvent(event);
}

void CVWnd_ListView::scrollContentsBy(int dx, int dy) {
    EndEdit(true);
    QTableWidget::scrollContentsBy(dx, dy);
}

void CVWnd_ListView::ShowInfoTip(const QPoint& pos, const QPoint& globalPos) {
    const QModelIndex index = indexAt(pos);
    QString tip;
    if (index.isValid()) {
        tip = index.data(kInfoTipRole).toString();
        if (tip.isEmpty() && delegate_->TextCutOff(index)) {
            tip = index.data(Qt::DisplayRole).toString();
        }
    }
    if (tip.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(globalPos, tip, viewport(), visualRect(index));
    }
}

void CVWnd_ListView::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitRowsToFont();
    }
}

void CVWnd_ListView::FitRowsToFont() {
    // Not the item view's roomy default, which shows half as many rows.
    const int height = fontMetrics().height() + kRowPadding;
    QHeaderView* rows = verticalHeader();
    rows->setMinimumSectionSize(std::min(rows->minimumSectionSize(), height));
    rows->setDefaultSectionSize(height);
    for (int row = 0; row < rowCount(); ++row) {
        setRowHeight(row, height);
    }
}

bool CVWnd_ListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        ShowInfoTip(help->pos(), help->globalPos());
        return true;
    }
    return QTableWidget::viewportEvent(event);
}
