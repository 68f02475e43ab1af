// vantric-batch: the label sheets without a screen (see BatchCommandLine.h for the commands).
// Exit status: 0 done, 1 the output could not be written, 2 a usage error or a refused count.
#include <QCoreApplication>
#include <cstdio>
#include <vector>

#include "app/model/CountRules.h"
#include "app/model/LabelSheetBuilders.h"
#include "batch/BatchCommandLine.h"
#include "batch/GridDump.h"
#include "grid/model/CGridCtrl.h"

namespace {

constexpr int kWriteFailed = 1;
constexpr int kRefused = 2;

void PrintLine(std::FILE* to, const QString& text) {
    std::fputs(text.toUtf8().constData(), to);
    if (!text.endsWith(u'\n')) {
        std::fputc('\n', to);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const BatchParse parse = ParseBatchCommandLine(QCoreApplication::arguments());
    if (parse.outcome == BatchParse::Outcome::Help) {
        PrintLine(stdout, parse.message);
        return 0;
    }
    if (parse.outcome == BatchParse::Outcome::UsageError) {
        PrintLine(stderr, parse.message);
        return kRefused;
    }

    const BatchRequest& request = parse.request;
    CGridCtrl grid;
    SetUpSheetGrid(grid);
    SheetWorkingIntegers ints;
    SheetBuildResult result;
    if (request.mode == BatchRequest::Mode::Single) {
        result = BuildSingleTicketSheet(grid, request.counts.front(), ints);
    } else {
        std::vector<int32_t> tickets;
        for (const QString& text : request.counts) {
            const int32_t count = ReadBatchTicketCount(text);
            if (count < 0) {
                PrintLine(stderr, counts::kTicketCountRefused);
                PrintLine(stderr, QStringLiteral("vantric-batch: refused count \"%1\"").arg(text));
                return kRefused;
            }
            tickets.push_back(count);
        }
        result = BuildMultiTicketSheet(grid, tickets, ints);
    }
    if (result != SheetBuildResult::Built) {
        PrintLine(stderr, SheetRefusalMessage(result));
        return kRefused;
    }
    if (request.dump && !WriteGridJson(grid, stdout)) {
        PrintLine(stderr, QStringLiteral("vantric-batch: could not write the dump"));
        return kWriteFailed;
    }
    return 0;
}
