#include "app/MainWindowTexts.h"

#include "app/model/CountRules.h"

namespace mainwindow {

QString ProgramTitle() {
    return QStringLiteral("Vantric1.0.1") + QString(12, u' ') + QStringLiteral("By:") + kAuthor +
           QString(2, u' ') + kSite;
}

QString AboutText() {
    return kAuthor + QStringLiteral("（作者：") + kAuthor +
           QStringLiteral("）为本软件提供技术支持，本软件完全免费，官方网站：") + kSite;
}

QString TicketSummaryText(const std::vector<int32_t>& ticketCounts) {
    // 64 bits: the list has no length limit, and a long one would overflow a 32-bit sum.
    int64_t labels = 0;
    for (int32_t count : ticketCounts) {
        labels += count;
    }
    return QStringLiteral("[%1]票箱标总数：%2 需补数：%3")
        .arg(ticketCounts.size())
        .arg(labels)
        .arg(counts::FillerCountFor(labels));
}

}  // namespace mainwindow
