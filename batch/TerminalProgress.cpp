#include "batch/TerminalProgress.h"

#include "platform/Console.h"

namespace batch {

namespace {

// Rewriting the line more often than this only costs the terminal time.
constexpr qint64 kRedrawMilliseconds = 100;

}  // namespace

void TerminalProgress::Started(int32_t totalPages) {
    total_ = totalPages;
    shown_ = false;
    sinceShown_.start();
}

bool TerminalProgress::PageDone(int32_t page) {
    if (page == total_ || sinceShown_.elapsed() >= kRedrawMilliseconds) {
        Show(page);
    }
    return true;
}

void TerminalProgress::Finished() {
    if (shown_) {
        vantric::WriteLine(to_, QString());
    }
    shown_ = false;
}

void TerminalProgress::Show(int32_t page) {
    vantric::RewriteConsoleLine(
        to_, QStringLiteral("vantric-batch: page %1 of %2").arg(page).arg(total_));
    shown_ = true;
    sinceShown_.restart();
}

}  // namespace batch
