#include "batch/TerminalProgress.h"

#include <unistd.h>

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
        std::fputc('\n', to_);
        std::fflush(to_);
    }
    shown_ = false;
}

void TerminalProgress::Show(int32_t page) {
    // Clear to the end of the line: the line before may have been longer.
    std::fprintf(to_, "\rvantric-batch: page %d of %d\033[K", int(page), int(total_));
    std::fflush(to_);
    shown_ = true;
    sinceShown_.restart();
}

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

}  // namespace batch
