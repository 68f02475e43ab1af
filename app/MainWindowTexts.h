// The main window's own texts and the summary line of the ticket list.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace mainwindow {

inline const QString kAuthor = QStringLiteral("Vantric");
inline const QString kSite = QStringLiteral("https://vantric.example.com");

// "Vantric1.0.1", twelve blanks, "By:", the author, two blanks, the site.
QString ProgramTitle();

// The About box: who supports the program, that it is free, and where to find it.
QString AboutText();
inline const QString kAboutTitle = QStringLiteral("关于");
inline const QString kUpdateText = QStringLiteral("该功能暂不提供技术支持");
inline const QString kHintTitle = QStringLiteral("提示");

// The add-ticket dialog.
inline const QString kAddTicketTitle = QStringLiteral("提示");
inline const QString kAddTicketPrompt = QStringLiteral("输入1-999数量");
constexpr int kAddTicketInputMode = 2;  // integer: digits and "-"

// The summary before the first add or delete.
inline const QString kInitialSummary = QStringLiteral("多票箱标总数：0");

// "[n]票箱标总数：S 需补数：P": tickets, labels, and the fillers that complete the last page.
QString TicketSummaryText(const std::vector<int32_t>& ticketCounts);

}  // namespace mainwindow
