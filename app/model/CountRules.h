// How operator-entered carton counts are read and checked, and the arithmetic of label pages.
// Pure rules: the windows show the messages, the sheet builders and the batch tool share them.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace counts {

// Refusal messages, titled "温馨提示".
inline const QString kSingleTotalRefused = QStringLiteral("请输入   1-999  数量的箱标号");
inline const QString kTicketCountRefused = QStringLiteral("请输入合法的   1-999  数量的箱标号");
inline const QString kNoTickets = QStringLiteral("请添加多票  1-999  数量的箱标号");
inline const QString kTooManyLabels = QStringLiteral("箱标总数超过上限 1000000，请分批打印");
inline const QString kReminderTitle = QStringLiteral("温馨提示");

constexpr int32_t kMinCount = 1;
constexpr int32_t kMaxCount = 999;  // the most three characters can hold
constexpr int32_t kCountTextLength = 3;
constexpr int32_t kLabelsPerPage = 4;
// The most labels one sheet takes (250,000 pages, about 560 MB of grid). The ticket list has no
// length limit, so without a cap a long list would exhaust memory instead of being refused.
constexpr int64_t kMaxSheetLabels = 1'000'000;

// A carton count as the operator entered it, in the count edit or the add-ticket dialog: the
// whole text by the wide-text-to-long rule. Nothing is cut, so a zero-padded "0012" reads 12 and
// "1000" reads 1000, for the 1-to-999 check to refuse.
int32_t ReadCartonTotal(QStringView text);
constexpr bool IsValidCount(int64_t count) {
    return count >= kMinCount && count <= kMaxCount;
}
// A count written out where nobody watches it being typed (a ticket file): what the add-ticket
// dialog and the command line both take, plain decimal digits read as the dialog reads them, so
// "0012" is 12 and "1000" is refused; null for anything else, "1 200" and "7a" among it.
std::optional<int32_t> ReadWrittenCount(QStringView text);

// Filler labels that complete the last page of a sheet of `labels` labels (0 to 3).
constexpr int32_t FillerCountFor(int64_t labels) {
    const auto rest = static_cast<int32_t>(labels % kLabelsPerPage);
    return rest == 0 ? 0 : kLabelsPerPage - rest;
}
// Pages a sheet of `labels` labels takes, the last one completed by fillers.
constexpr int64_t PageCountFor(int64_t labels) {
    return (labels + kLabelsPerPage - 1) / kLabelsPerPage;
}
// The font height of the numbers of a ticket of `total` cartons: wider numbers, smaller type.
constexpr int32_t NumberFontHeightFor(int32_t total) {
    return total < 10 ? 180 : (total <= 99 ? 145 : 100);
}

}  // namespace counts
