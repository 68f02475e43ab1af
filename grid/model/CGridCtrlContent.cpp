// CGridCtrl: what goes into cells (values, fonts, formats), column kinds, merged ranges and row
// banding.
#include <QLocale>
#include <algorithm>
#include <cmath>

#include "base/Text.h"
#include "grid/model/CGridCtrl.h"
#include "grid/model/GridState.h"

namespace {

// Kinds whose cell texts must read as numbers.
bool IsNumberKind(int32_t kind) {
    return kind == colkind::kNumber || kind == colkind::kCurrency;
}

bool ReadsAsNumber(QStringView text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(value);
}

// The text that PutCellValue(what = 1) stores for a value, or a null string when the value does
// not fit its type.
QString ValueText(char16_t valueType, const QVariant& value) {
    switch (valueType) {
        case u'S':
            return value.toString();
        case u'F': {
            bool ok = false;
            const double d = value.toDouble(&ok);
            return ok ? QString::number(d, 'g', QLocale::FloatingPointShortest) : QString();
        }
        case u'B':
            return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        default: {
            // 'n' and the other integer types.
            bool ok = false;
            const qlonglong n = value.toLongLong(&ok);
            return ok ? QString::number(n) : QString();
        }
    }
}

}  // namespace

bool CGridCtrl::PutCellValue(int32_t row, int32_t column, int what, char16_t valueType,
                             const QVariant& value) {
    State& s = *s_;
    if (!s.Inside(row, column)) {
        return false;
    }
    CGridCell& cell = s.At(row, column);
    const ColumnKindEntry* kind = ColumnKindOf(column);
    const int32_t kindNumber = kind ? kind->kind : 0;
    switch (what) {
        case 1: {
            QString text = ValueText(valueType, value);
            if (text.isNull() && valueType != u'S') {
                return false;
            }
            if (valueType == u'S' && !cell.IsFixed() && IsNumberKind(kindNumber)) {
                const QStringView trimmed = vantric::TrimControlAndSpace(text);
                if (!ReadsAsNumber(trimmed)) {
                    return false;
                }
                text = trimmed.toString();
            }
            cell.text = std::move(text);
            break;
        }
        case 5:
            if (kindNumber != colkind::kCheck) {
                return false;
            }
            cell.values[0] = value.toInt();
            break;
        case 6: {
            if (kindNumber != colkind::kPicture) {
                return false;
            }
            PictureRef picture;
            if (s.pictures && valueType == u'n') {
                picture = s.pictures->LoadById(value.toInt());
            } else if (s.pictures && valueType == u'S') {
                picture = s.pictures->LoadByName(value.toString());
            }
            // A picture that cannot be loaded leaves the cell without one.
            cell.picture = std::move(picture);
            s.Repaint();
            return cell.picture != nullptr;
        }
        default:
            return false;
    }
    s.Repaint();
    return true;
}

bool CGridCtrl::SetRangeFont(int32_t firstRow, int32_t firstColumn, int32_t lastRow,
                             int32_t lastColumn, const QString& faceName, int32_t height) {
    State& s = *s_;
    if (faceName.isEmpty() && height == 0) {
        return false;
    }
    if (lastRow < 0) {
        lastRow = firstRow;
    }
    if (lastColumn < 0) {
        lastColumn = firstColumn;
    }
    firstRow = std::max(firstRow, 0);
    firstColumn = std::max(firstColumn, 0);
    lastRow = std::min(lastRow, s.rows - 1);
    lastColumn = std::min(lastColumn, s.columns - 1);
    if (firstRow > lastRow || firstColumn > lastColumn) {
        return false;
    }
    const QString face = faceName.left(GridFontTable::kMaxFaceLength);
    // Cells of a range mostly share a few fonts: derive each new font once per call.
    std::vector<std::pair<uint32_t, uint32_t>> derived;
    for (int32_t r = firstRow; r <= lastRow; ++r) {
        for (int32_t c = firstColumn; c <= lastColumn; ++c) {
            CGridCell& cell = s.At(r, c);
            auto it = std::find_if(derived.begin(), derived.end(),
                                   [&](const auto& p) { return p.first == cell.fontId; });
            if (it == derived.end()) {
                LogFont font = s.fonts.At(cell.fontId);
                if (!face.isEmpty()) {
                    font.faceName = face;
                }
                if (height != 0) {
                    font.height = height;
                }
                derived.emplace_back(cell.fontId, s.fonts.Intern(font));
                it = derived.end() - 1;
            }
            cell.fontId = it->second;
        }
    }
    s.Repaint();
    return true;
}

bool CGridCtrl::CentreRowCells(int32_t firstRow, int32_t lastRow) {
    State& s = *s_;
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, s.rows - 1);
    const int32_t lastColumn = std::min(2, s.columns - 1);
    if (firstRow > lastRow || lastColumn < 0) {
        return false;
    }
    constexpr uint32_t kCentredWrapped =
        dt::kCenter | dt::kVCenter | dt::kWordBreak | dt::kNoPrefix;
    constexpr uint32_t kCentredSingle =
        dt::kCenter | dt::kVCenter | dt::kSingleLine | dt::kNoPrefix;
    for (int32_t r = firstRow; r <= lastRow; ++r) {
        for (int32_t c = 0; c <= lastColumn; ++c) {
            CGridCell& cell = s.At(r, c);
            cell.format = (cell.format & dt::kWordBreak) ? kCentredWrapped : kCentredSingle;
        }
    }
    s.Repaint();
    return true;
}

// --- column kinds -----------------------------------------------------------------------------

bool CGridCtrl::AddColumnKind(int32_t column, int32_t kind) {
    State& s = *s_;
    if (column < 0 || column >= s.columns) {
        return false;
    }
    auto forEachFreeCell = [&s, column](auto&& apply) {
        for (int32_t r = 0; r < s.rows; ++r) {
            CGridCell& cell = s.At(r, column);
            if (!cell.IsFixed()) {
                apply(cell);
            }
        }
    };
    for (auto it = s.kinds.begin(); it != s.kinds.end();) {
        if (it->column != column) {
            ++it;
            continue;
        }
        if (it->kind == colkind::kPicture) {
            forEachFreeCell([](CGridCell& cell) { cell.picture.reset(); });
        } else if (it->kind == colkind::kCheck) {
            forEachFreeCell([](CGridCell& cell) { cell.values[0] = 0; });
        }
        it = s.kinds.erase(it);
    }
    ColumnKindEntry entry;
    entry.column = column;
    entry.kind = kind;
    switch (kind) {
        case colkind::kPicture:
            entry.param = 201;
            forEachFreeCell([](CGridCell& cell) { cell.text.clear(); });
            break;
        case colkind::kDate:
            entry.format = QStringLiteral("%Y-%m-%d");
            break;
        case colkind::kCurrency:
            entry.prefix = QStringLiteral("\uFFE5");
            break;
        case colkind::kText:
        case colkind::kList:
        case colkind::kList2:
            entry.listItems = s.listItems;
            break;
        default:
            break;
    }
    s.kinds.push_back(std::move(entry));
    s.Repaint();
    return true;
}

int32_t CGridCtrl::FindColumnKind(int32_t column) const {
    const auto& kinds = s_->kinds;
    for (size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].column == column && kinds[i].kind == colkind::kPicture) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

bool CGridCtrl::SetColumnKindParam(int32_t column, int32_t value) {
    const int32_t index = FindColumnKind(column);
    if (index < 0) {
        return false;
    }
    s_->kinds[static_cast<size_t>(index)].param = value;
    s_->Repaint();
    return true;
}

const ColumnKindEntry* CGridCtrl::ColumnKindOf(int32_t column) const {
    for (const ColumnKindEntry& entry : s_->kinds) {
        if (entry.column == column) {
            return &entry;
        }
    }
    return nullptr;
}

const std::vector<ColumnKindEntry>& CGridCtrl::ColumnKinds() const {
    return s_->kinds;
}

QStringList& CGridCtrl::ListItems() {
    return s_->listItems;
}

// --- merged ranges ----------------------------------------------------------------------------

bool CGridCtrl::MergeCells(const CellRange& range) {
    State& s = *s_;
    const bool valid = range.top >= 0 && range.left >= 0 && range.top <= range.bottom &&
                       range.left <= range.right && range.bottom < s.rows &&
                       range.right < s.columns &&
                       (range.top != range.bottom || range.left != range.right);
    if (!valid) {
        return false;
    }
    for (const CellRange& m : s.merged) {
        const bool apart = m.bottom < range.top || range.bottom < m.top || m.right < range.left ||
                           range.right < m.left;
        if (!apart) {
            return false;
        }
    }
    s.merged.push_back(range);
    for (int32_t r = range.top; r <= range.bottom; ++r) {
        for (int32_t c = range.left; c <= range.right; ++c) {
            if (r != range.top || c != range.left) {
                s.At(r, c).state |= cellstate::kMergedCovered;
            }
        }
    }
    s.Repaint();
    return true;
}

const CellRange* CGridCtrl::MergedRangeAt(int32_t row, int32_t column) const {
    for (const CellRange& m : s_->merged) {
        if (m.Contains(row, column)) {
            return &m;
        }
    }
    return nullptr;
}

const std::vector<CellRange>& CGridCtrl::MergedRanges() const {
    return s_->merged;
}

std::vector<std::array<int32_t, 4>>& CGridCtrl::ColumnLinkList() {
    return s_->links;
}

// --- row banding ------------------------------------------------------------------------------

void CGridCtrl::State::PaintBanding() {
    for (int32_t r = fixedRows; r < rows; ++r) {
        for (int32_t c = fixedColumns; c < columns; ++c) {
            // Mode 1 bands rows, any other mode bands columns; odd indices take colour A.
            const int32_t index = bandingMode == 1 ? r : c;
            At(r, c).background = (index % 2 == 1) ? bandingA : bandingB;
        }
    }
}

void CGridCtrl::ApplyRowBanding(int32_t mode, COLORREF colourA, COLORREF colourB) {
    State& s = *s_;
    s.bandingOn = true;
    s.bandingMode = mode;
    s.bandingA = colourA;
    s.bandingB = colourB;
    s.PaintBanding();
    s.Repaint();
}

bool CGridCtrl::RowBandingOn() const {
    return s_->bandingOn;
}

void CGridCtrl::ReapplyRowBanding() {
    if (s_->bandingOn) {
        s_->PaintBanding();
        s_->Repaint();
    }
}
