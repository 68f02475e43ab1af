// Progress of a long print on a terminal: one line, "page k of n", rewritten in place.
#pragma once

#include <QElapsedTimer>
#include <cstdio>

#include "grid/GridPrintJob.h"

namespace batch {

class TerminalProgress : public vantric::IPrintProgress {
  public:
    explicit TerminalProgress(std::FILE* to) : to_(to) {}
    void Started(int32_t totalPages) override;
    bool PageDone(int32_t page) override;
    void Finished() override;

  private:
    void Show(int32_t page);

    std::FILE* to_;
    int32_t total_ = 0;
    bool shown_ = false;
    QElapsedTimer sinceShown_;
};

}  // namespace batch
