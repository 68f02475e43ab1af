#include "ui/rg_ChaoJiLieBiaoKuang.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "ui/FontDescription.h"

namespace {

Qt::Alignment ColumnQtAlignment(int alignment) {
    const Qt::Alignment h = alignment == 1   ? Qt::AlignHCenter
                            : alignment == 2 ? Qt::AlignRight
                                             : Qt::AlignLeft;
    return h | Qt::AlignVCenter;
}

}  // namespace

CVWnd_ListView::CVWnd_ListView(rg_ChaoJiLieBiaoKuang* list, QWidget* parent)
    : QTableWidget(parent), list_(list) {}

void CVWnd_ListView::mousePressEvent(QMouseEvent* event) {
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
    } else if (event->button() == Qt::RightButton) {
        list_->RightClickedEvent.Fire(list_);
    }
}

void CVWnd_ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    if (list_ != nullptr && event->button() == Qt::LeftButton) {
        list_->DoubleClickedEvent.Fire(list_);
    }
}

rg_ChaoJiLieBiaoKuang::~rg_ChaoJiLieBiaoKuang() {
    if (HasWindow()) {
        List()->DetachList();
    }
}

const ClassDescriptor& rg_ChaoJiLieBiaoKuang::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("rg_ChaoJiLieBiaoKuang", [] { return new rg_ChaoJiLieBiaoKuang; },
                            {&CVolWinControl::StaticClass()});
    return d;
}

void rg_ChaoJiLieBiaoKuang::InsertColumnsFromDefinition(const QString& definitionText) {
    columnDefinition_ = definitionText;
}

QWidget* rg_ChaoJiLieBiaoKuang::CreateWindowObject(CreateParams& params) {
    auto* list = new CVWnd_ListView(this, params.parent);
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(false);
    list->setTabKeyNavigation(false);
    QObject::connect(list, &QTableWidget::currentCellChanged, list,
                     [this](int row) { CurrentRowChangedEvent.Fire(this, row); });
    QObject::connect(list, &QTableWidget::itemActivated, list,
                     [this](QTableWidgetItem* item) { RowActivatedEvent.Fire(this, item->row()); });
    QObject::connect(list->horizontalHeader(), &QHeaderView::sectionClicked, list,
                     [this](int column) { ColumnClickedEvent.Fire(this, column); });
    return list;
}

void rg_ChaoJiLieBiaoKuang::AfterCreate(CreateParams& params) {
    CVolWinControl::AfterCreate(params);
    CVWnd_ListView* list = List();
    const ListViewStyleProperties& s = style_;
    const bool report = s.view == 3;
    QHeaderView* header = list->horizontalHeader();
    header->setVisible(report && !s.headerHidden);
    header->setSectionsClickable(s.headerClickable);
    header->setSectionsMovable(s.headerDragDrop);
    header->setHighlightSections(false);
    list->setSelectionBehavior(s.fullRowSelect ? QAbstractItemView::SelectRows
                                               : QAbstractItemView::SelectItems);
    list->setSelectionMode(s.singleSelection ? QAbstractItemView::SingleSelection
                                             : QAbstractItemView::ExtendedSelection);
    list->setShowGrid(s.gridLines);
    list->setMouseTracking(s.hotTracking);

    QPalette palette = list->palette();
    palette.setColor(QPalette::Text, ColourFromRef(s.textColour, palette.color(QPalette::Text)));
    palette.setColor(QPalette::Base,
                     ColourFromRef(s.backgroundColour, palette.color(QPalette::Button)));
    list->setPalette(palette);

    columns_ = report ? ParseColumnDefinition(columnDefinition_) : std::vector<ColumnDefinition>();
    list->setColumnCount(static_cast<int>(columns_.size()));
    for (size_t i = 0; i < columns_.size(); ++i) {
        const int c = static_cast<int>(i);
        auto* item = new QTableWidgetItem(columns_[i].title);
        item->setTextAlignment(ColumnQtAlignment(columns_[i].alignment));
        list->setHorizontalHeaderItem(c, item);
        list->setColumnWidth(c, columns_[i].width);
    }
    if (s.initialSelection >= 0) {
        SetItemState(s.initialSelection, 3, 3);
    }
}

int rg_ChaoJiLieBiaoKuang::ColumnCount() const {
    return static_cast<int>(columns_.size());
}

QString rg_ChaoJiLieBiaoKuang::ColumnTitle(int column) const {
    if (!HasWindow()) {
        return QString();
    }
    const QTableWidgetItem* item = List()->horizontalHeaderItem(column);
    return item != nullptr ? item->text() : QString();
}

int rg_ChaoJiLieBiaoKuang::ColumnWidth(int column) const {
    return HasWindow() ? List()->columnWidth(column) : 0;
}

int rg_ChaoJiLieBiaoKuang::ColumnAlignment(int column) const {
    return column >= 0 && column < ColumnCount() ? columns_[static_cast<size_t>(column)].alignment
                                                 : 0;
}

QTableWidgetItem* rg_ChaoJiLieBiaoKuang::MakeItem(int column, const QString& text) const {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(ColumnQtAlignment(ColumnAlignment(column)));
    const QColor back =
        ColourFromRef(style_.textBackgroundColour, List()->palette().color(QPalette::Button));
    item->setBackground(back);
    return item;
}

void rg_ChaoJiLieBiaoKuang::SortRows() {
    if (style_.sort == 1 || style_.sort == 2) {
        List()->sortItems(0, style_.sort == 1 ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

int rg_ChaoJiLieBiaoKuang::RowCount() const {
    return HasWindow() ? List()->rowCount() : 0;
}

int rg_ChaoJiLieBiaoKuang::InsertRow(int index, const QString& text) {
    if (!HasWindow()) {
        return -1;
    }
    CVWnd_ListView* list = List();
    const int row = std::clamp(index, 0, list->rowCount());
    list->insertRow(row);
    QTableWidgetItem* item = MakeItem(0, text);
    list->setItem(row, 0, item);
    for (int c = 1; c < list->columnCount(); ++c) {
        list->setItem(row, c, MakeItem(c, QString()));
    }
    SortRows();
    return item->row();
}

bool rg_ChaoJiLieBiaoKuang::SetCellText(int row, int column, const QString& text) {
    if (!HasWindow() || row < 0 || row >= RowCount() || column < 0 ||
        column >= List()->columnCount()) {
        return false;
    }
    if (QTableWidgetItem* item = List()->item(row, column)) {
        item->setText(text);
    } else {
        List()->setItem(row, column, MakeItem(column, text));
    }
    if (column == 0) {
        SortRows();
    }
    return true;
}

QString rg_ChaoJiLieBiaoKuang::CellText(int row, int column) const {
    if (!HasWindow()) {
        return QString();
    }
    const QTableWidgetItem* item = List()->item(row, column);
    return item != nullptr ? item->text() : QString();
}

bool rg_ChaoJiLieBiaoKuang::DeleteRow(int row) {
    if (!HasWindow() || row < 0 || row >= RowCount()) {
        return false;
    }
    CVWnd_ListView* list = List();
    const bool wasSelected = list->selectionModel()->isRowSelected(row, QModelIndex());
    list->removeRow(row);
    if (wasSelected) {
        // Qt would select a neighbour in single selection; a report list leaves none selected.
        list->clearSelection();
    }
    return true;
}

void rg_ChaoJiLieBiaoKuang::DeleteAllRows() {
    if (HasWindow()) {
        List()->setRowCount(0);
    }
}

int rg_ChaoJiLieBiaoKuang::CurrentSelection() const {
    if (!HasWindow()) {
        return style_.initialSelection < 0 ? -1 : style_.initialSelection;
    }
    const QList<QTableWidgetItem*> selected = List()->selectedItems();
    int first = -1;
    for (const QTableWidgetItem* item : selected) {
        if (first < 0 || item->row() < first) {
            first = item->row();
        }
    }
    return first;
}

bool rg_ChaoJiLieBiaoKuang::SetItemState(int row, uint32_t state, uint32_t mask) {
    if (!HasWindow() || row < 0 || row >= RowCount()) {
        return false;
    }
    CVWnd_ListView* list = List();
    QItemSelectionModel* selection = list->selectionModel();
    const QModelIndex index = list->model()->index(row, 0);
    if (mask & 2u) {
        const auto rows = QItemSelectionModel::Rows;
        if (state & 2u) {
            const auto clear = style_.singleSelection ? QItemSelectionModel::ClearAndSelect
                                                      : QItemSelectionModel::Select;
            selection->select(index, clear | rows);
        } else {
            selection->select(index, QItemSelectionModel::Deselect | rows);
        }
    }
    if ((mask & 1u) && (state & 1u)) {
        selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
    return true;
}
