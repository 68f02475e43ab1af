#include "grid/model/GridClipboard.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace {

bool MayChange(const CGridCtrl& grid, int32_t r, int32_t c, const CellEditCheck& mayEdit) {
    return grid.CellTextEditable(r, c) && (!mayEdit || mayEdit(r, c));
}

// Stores `text` when it differs; true when it did.
bool StoreText(CGridCtrl& grid, int32_t r, int32_t c, const QString& text) {
    const CGridCell* cell = grid.GetCell(r, c);
    if (cell == nullptr || cell->text == text) {
        return false;
    }
    return grid.PutCellValue(r, c, 1, u'S', QVariant(text));
}

}  // namespace

QString CellsClipboardText(const CGridCtrl& grid, const CellRange& range) {
    const int32_t top = std::max(range.top, 0);
    const int32_t left = std::max(range.left, 0);
    const int32_t bottom = std::min(range.bottom, grid.RowCount() - 1);
    const int32_t right = std::min(range.right, grid.ColumnCount() - 1);
    QString text;
    for (int32_t r = top; r <= bottom; ++r) {
        if (r > top) {
            text += u'\n';
        }
        for (int32_t c = left; c <= right; ++c) {
            if (c > left) {
                text += u'\t';
            }
            text += grid.GetCell(r, c)->text;
        }
    }
    return text;
}

std::optional<PastedCells> PasteCellsClipboardText(CGridCtrl& grid, int32_t row, int32_t column,
                                                   const QString& text,
                                                   const CellEditCheck& mayEdit) {
    if (grid.GetCell(row, column) == nullptr) {
        return std::nullopt;
    }
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineEnd);
    if (lines.size() > 1 && lines.last().isEmpty()) {
        lines.removeLast();
    }
    CellRange covered{row, column, row, column};
    bool changed = false;
    for (qsizetype i = 0; i < lines.size() && row + i < grid.RowCount(); ++i) {
        const auto r = static_cast<int32_t>(row + i);
        const QStringList fields = lines[i].split(u'\t');
        for (qsizetype j = 0; j < fields.size() && column + j < grid.ColumnCount(); ++j) {
            const auto c = static_cast<int32_t>(column + j);
            covered.bottom = std::max(covered.bottom, r);
            covered.right = std::max(covered.right, c);
            if (MayChange(grid, r, c, mayEdit)) {
                changed = StoreText(grid, r, c, fields[j]) || changed;
            }
        }
    }
    if (changed) {
        grid.SetModified(true);
    }
    return PastedCells{covered, changed};
}

bool ClearCellsText(CGridCtrl& grid, const CellRange& range, const CellEditCheck& mayEdit) {
    bool changed = false;
    for (int32_t r = std::max(range.top, 0); r <= std::min(range.bottom, grid.RowCount() - 1); ++r) {
        for (int32_t c = std::max(range.left, 0); c <= std::min(range.right, grid.ColumnCount() - 1);
             ++c) {
            if (MayChange(grid, r, c, mayEdit)) {
                changed = StoreText(grid, r, c, QString()) || changed;
            }
        }
    }
    if (changed) {
        grid.SetModified(true);
    }
    return changed;
}
