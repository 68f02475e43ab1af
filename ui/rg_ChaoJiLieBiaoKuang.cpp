#include "ui/rg_ChaoJiLieBiaoKuang.h"

#include <QHeaderView>

#include "ui/CVWnd_ListView.h"
#include "ui/FontDescription.h"

namespace {

Qt::Alignment ColumnQtAlignment(int alignment) {
    const Qt::Alignment h = alignment == 1   ? Qt::AlignHCenter
                            : alignment == 2 ? Qt::AlignRight
                                             : Qt::AlignLeft;
    return h | Qt::AlignVCenter;
}

constexpr int kRowDataRole = Qt::UserRole;
constexpr int kInfoTipRole = Qt::UserRole + 1;  // as CVWnd_ListView reads it

}  // namespace

CVWnd_ListView* rg_ChaoJiLieBiaoKuang::List() const {
    return static_cast<CVWnd_ListView*>(Widget());
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
    // Only a new current row counts, not a new column in the same row.
    QObject::connect(list, &QTableWidget::currentCellChanged, list,
                     [this](int row, int, int previousRow) {
                         if (row != previousRow) {
                             CurrentRowChangedEvent.Fire(this, row);
                         }
                     });
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
    const QColor buttonFace = palette.color(QPalette::Button);
    palette.setColor(QPalette::Text, ColourFromRef(s.textColour, buttonFace));
    palette.setColor(QPalette::Base, ColourFromRef(s.backgroundColour, buttonFace));
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
    if (!rowsDefinition_.isEmpty()) {
        ApplyRowsDefinition(std::exchange(rowsDefinition_, QString()));
    }
    if (s.initialSelection >= 0) {
        SetItemState(s.initialSelection, 3, 3);
    }
}

void rg_ChaoJiLieBiaoKuang::SetRowsDefinition(const QString& definitionText) {
    if (HasWindow()) {
        ApplyRowsDefinition(definitionText);
    } else {
        rowsDefinition_ = definitionText;
    }
}

void rg_ChaoJiLieBiaoKuang::ApplyRowsDefinition(const QString& definitionText) {
    CVWnd_ListView* list = List();
    list->setUpdatesEnabled(false);
    DeleteAllRows();
    int row = -1;
    int column = 0;
    for (const ListRowCell& cell : ParseRowDefinition(definitionText)) {
        if (!cell.furtherCell || row < 0) {
            row = InsertRow(RowCount(), cell.text);
            column = 0;
        } else if (++column >= list->columnCount()) {
            continue;
        } else {
            SetCellText(row, column, cell.text);
        }
        QTableWidgetItem* item = Item(row, column);
        if (cell.imageIndex >= 0 && cell.imageIndex < ImageCount()) {
            item->setIcon(images_[cell.imageIndex]);
        }
        if (column == 0) {
            item->setData(kRowDataRole, cell.data);
            if (style_.checkBoxes && (cell.stateImage == 1 || cell.stateImage == 2)) {
                item->setCheckState(cell.stateImage == 2 ? Qt::Checked : Qt::Unchecked);
            }
        }
        if (cell.textColour) {
            item->setForeground(ColourFromRef(*cell.textColour, list->palette().color(QPalette::Text)));
        }
        if (!cell.infoTip.isEmpty()) {
            item->setData(kInfoTipRole, cell.infoTip);
        }
    }
    list->setUpdatesEnabled(true);
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

QTableWidgetItem* rg_ChaoJiLieBiaoKuang::Item(int row, int column) const {
    return HasWindow() ? List()->item(row, column) : nullptr;
}

QTableWidgetItem* rg_ChaoJiLieBiaoKuang::MakeItem(int column, const QString& text) const {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (column == 0 && style_.checkBoxes) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
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
    list->EndEdit(false);  // the edited cell may be going
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
        List()->EndEdit(false);
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

bool rg_ChaoJiLieBiaoKuang::IsRowChecked(int row) const {
    const QTableWidgetItem* item = Item(row, 0);
    return style_.checkBoxes && item != nullptr && item->checkState() == Qt::Checked;
}

bool rg_ChaoJiLieBiaoKuang::SetRowChecked(int row, bool checked) {
    QTableWidgetItem* item = Item(row, 0);
    if (!style_.checkBoxes || item == nullptr) {
        return false;
    }
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

int32_t rg_ChaoJiLieBiaoKuang::RowData(int row) const {
    const QTableWidgetItem* item = Item(row, 0);
    return item != nullptr ? item->data(kRowDataRole).toInt() : 0;
}
