#include "app/model/LabelChoice.h"

#include <algorithm>
#include <optional>

#include "app/model/CountRules.h"
#include "app/model/LabelSheetBuilders.h"
#include "grid/model/CGridCtrl.h"

namespace labels {

namespace {

// Rows of a page below a label's caption that still belong to it; the row after them is the
// gap between the upper and the lower labels.
constexpr int32_t kGapRow = sheet::kLabelRows;

// A carton or ticket number as written in a list: plain decimal digits, at most nine (past any
// run, within 32 bits).
std::optional<int64_t> ListNumber(QStringView text) {
    if (text.isEmpty() || text.size() > 9) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value;
}

struct Cartons {
    int64_t first = 0;
    int64_t last = 0;  // -1: to the ticket's last carton
};

// "N", "N-M" or, where `open` allows it, "" for every carton.
std::optional<Cartons> ReadCartons(QStringView text, bool open) {
    if (text.isEmpty()) {
        return open ? std::optional<Cartons>(Cartons{1, -1}) : std::nullopt;
    }
    const qsizetype dash = text.indexOf(u'-');
    const auto first = ListNumber(dash < 0 ? text : text.left(dash));
    const auto last = dash < 0 ? first : ListNumber(text.mid(dash + 1));
    if (!first || !last) {
        return std::nullopt;
    }
    return Cartons{*first, *last};
}

QString Plural(int64_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

}  // namespace

std::vector<int64_t> PlacesInCells(const CellRange& cells, int32_t rowCount) {
    std::vector<int64_t> places;
    const int32_t bottom = std::min(cells.bottom, rowCount - 1);
    for (int32_t row = std::max(0, cells.top); row <= bottom; ++row) {
        const int32_t inPage = row % sheet::kRowsPerPage;
        if (inPage == kGapRow) {
            continue;
        }
        const int64_t firstOfRow = int64_t{row / sheet::kRowsPerPage} * counts::kLabelsPerPage +
                                   (inPage > kGapRow ? 2 : 0);
        for (int side = 0; side < 2; ++side) {
            const int64_t place = firstOfRow + side;
            const int32_t column = sheet::LabelColumn(place);
            if (column >= cells.left && column <= cells.right) {
                places.push_back(place);
            }
        }
    }
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    return places;
}

LabelList ReadLabelList(QStringView list, const std::vector<int32_t>& tickets, bool multi) {
    LabelList result;
    const QString malformed =
        multi ? QStringLiteral(
                    "\"%1\" is not TICKET:CARTON, TICKET:FIRST-LAST or TICKET: "
                    "(as in 2:5,1:28-30,3:)")
              : QStringLiteral("\"%1\" is not a carton number N or a range N-M (as in 37,40-42)");
    std::vector<int64_t> firstPlaceOf(tickets.size() + 1, 0);
    for (size_t t = 0; t < tickets.size(); ++t) {
        firstPlaceOf[t + 1] = firstPlaceOf[t] + tickets[t];
    }
    for (const QStringView raw : list.split(u',')) {
        const QStringView item = raw.trimmed();
        const qsizetype colon = item.indexOf(u':');
        std::optional<int64_t> ticket = int64_t{1};
        std::optional<Cartons> cartons;
        if (multi && colon >= 0) {
            ticket = ListNumber(item.left(colon));
            cartons = ReadCartons(item.mid(colon + 1), true);
        } else if (!multi && colon < 0) {
            cartons = ReadCartons(item, false);
        }
        if (!ticket || !cartons) {
            result.error = malformed.arg(item);
            break;
        }
        if (*ticket < 1 || *ticket > int64_t(tickets.size())) {
            result.error = QStringLiteral("ticket %1 in \"%2\" is not in the run, which has %3")
                               .arg(*ticket)
                               .arg(item)
                               .arg(Plural(int64_t(tickets.size()), "ticket", "tickets"));
            break;
        }
        const int64_t total = tickets[*ticket - 1];
        const int64_t last = cartons->last < 0 ? total : cartons->last;
        if (last < cartons->first) {
            result.error = QStringLiteral("\"%1\" runs backwards").arg(item);
            break;
        }
        const int64_t outside = cartons->first < 1 ? cartons->first : last;
        if (outside < 1 || outside > total) {
            result.error =
                multi ? QStringLiteral("carton %1 in \"%2\" is not in ticket %3, which has %4")
                            .arg(outside)
                            .arg(item)
                            .arg(*ticket)
                            .arg(Plural(total, "carton", "cartons"))
                      : QStringLiteral("carton %1 in \"%2\" is not in the run, which has %3")
                            .arg(outside)
                            .arg(item)
                            .arg(Plural(total, "carton", "cartons"));
            break;
        }
        for (int64_t k = cartons->first; k <= last; ++k) {
            result.places.push_back(firstPlaceOf[*ticket - 1] + k - 1);
        }
    }
    if (!result.error.isEmpty()) {
        result.places.clear();
        return result;
    }
    std::sort(result.places.begin(), result.places.end());
    result.places.erase(std::unique(result.places.begin(), result.places.end()),
                        result.places.end());
    return result;
}

}  // namespace labels
