#include "ui/CVWnd_ListViewEdit.h"

#include <QKeyEvent>

#include "ui/CVWnd_ListView.h"
#include "ui/CVolWinControl.h"
#include "ui/ListViewItemDelegate.h"
#include "ui/rg_ChaoJiLieBiaoKuang.h"

CVWnd_ListViewEdit::CVWnd_ListViewEdit(QWidget* parent, std::function<void(bool)> finished)
    : QLineEdit(parent), finished_(std::move(finished)) {
    setProperty(kWantsAllKeysProperty, true);
    setFrame(false);
}

void CVWnd_ListViewEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        finished_(true);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        finished_(false);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CVWnd_ListViewEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu of the editor's own keeps the edit going.
    if (event->reason() != Qt::PopupFocusReason) {
        finished_(true);
    }
}

// The editing session of the list view.

CVWnd_ListViewEdit* CVWnd_ListView::Editor() const {
    return editor_.data();
}

void CVWnd_ListView::BeginEdit(const QModelIndex& index, const QPoint& clickPos) {
    if (list_ == nullptr || !index.isValid()) {
        return;
    }
    EndEdit(true);
    const int row = index.row();
    const int column = index.column();
    if (column == 0 ? list_->LabelEditStartingEvent.Fire(list_, row) != 0
                    : list_->CellEditableEvent.Fire(list_, row, column) != 0) {
        return;
    }
    QRect rect = delegate_->TextRect(index);
    if (column != 0) {
        rect.setLeft(rect.left() + 5);
    }
    auto* editor = new CVWnd_ListViewEdit(viewport(), [this](bool take) { EndEdit(take); });
    editor->setFont(font());
    editor->setText(index.data(Qt::DisplayRole).toString());
    editor->setGeometry(rect);
    editor_ = editor;
    edited_ = QPersistentModelIndex(index);
    editor->show();
    editor->setFocus(Qt::MouseFocusReason);
    if (column == 0) {
        editor->selectAll();
    } else {
        editor->setCursorPosition(editor->cursorPositionAt(editor->mapFrom(viewport(), clickPos)));
    }
}

void CVWnd_ListView::EndEdit(bool take) {
    if (editor_ == nullptr || ending_) {
        return;
    }
    ending_ = true;
    CVWnd_ListViewEdit* editor = editor_.data();
    const QPersistentModelIndex cell = edited_;
    const QString text = editor->text();
    editor_ = nullptr;
    edited_ = QPersistentModelIndex();
    // The list takes the focus back before the editor goes, so that hiding it moves the focus
    // nowhere else.
    if (editor->hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
    editor->hide();
    editor->deleteLater();
    if (take && list_ != nullptr && cell.isValid()) {
        const int row = cell.row();
        const int column = cell.column();
        const int answer = column == 0 ? list_->LabelEditEndedEvent.FireOr(1, list_, row, text)
                                       : list_->CellEditEndedEvent.FireOr(1, list_, row, column,
                                                                          text);
        if (answer != 0 && cell.isValid()) {
            list_->SetCellText(cell.row(), cell.column(), text);
        }
    }
    ending_ = false;
}
