#include "batch/BatchRun.h"

#include <QFile>
#include <vector>

#include "app/model/BuildOverweightSheet.h"
#include "app/model/CountRules.h"
#include "app/model/LabelChoice.h"
#include "app/model/LabelSheetBuilders.h"
#include "app/model/ReprintSheet.h"
#include "app/model/SettingsFile.h"
#include "batch/GridDump.h"
#include "batch/JobEnd.h"
#include "batch/TerminalProgress.h"
#include "batch/TicketListFile.h"
#include "grid/GridPrintJob.h"
#include "grid/model/CGridCtrl.h"
#include "platform/Console.h"
#include "platform/DrivePath.h"
#include "platform/Printer.h"
#include "platform/ResourcePictureSource.h"

namespace batch {

namespace {

namespace settings = vantric::settings;

// The tickets of --from, or the status to end with: every refused line is reported and nothing
// is built.
int ReadTicketsFrom(const QString& path, std::vector<int32_t>& tickets) {
    const bool standardInput = path == u"-";
    const QString name =
        standardInput ? QStringLiteral("standard input") : vantric::PathForMessage(path);
    QFile file;
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    QByteArray bytes;
    if (opened) {
        bytes = file.readAll();
    }
    if (!opened || file.error() != QFileDevice::NoError) {
        PrintLine(stderr, QStringLiteral("vantric-batch: cannot read the tickets from %1: %2")
                              .arg(name, file.errorString()));
        return kRefused;
    }
    TicketList list = ReadTicketList(bytes);
    if (!list.error.isEmpty()) {
        PrintLine(stderr,
                  QStringLiteral("vantric-batch: %1 holds no tickets: %2").arg(name, list.error));
        return kRefused;
    }
    if (!list.refused.empty()) {
        PrintLine(stderr, counts::kTicketCountRefused);
        for (const RefusedTicketLine& line : list.refused) {
            PrintLine(stderr, QStringLiteral("vantric-batch: %1:%2: \"%3\": %4")
                                  .arg(name)
                                  .arg(line.line)
                                  .arg(line.text, line.reason));
        }
        PrintLine(stderr, QStringLiteral("vantric-batch: %1 of %2 tickets refused; nothing "
                                         "printed")
                              .arg(list.refused.size())
                              .arg(list.refused.size() + list.counts.size()));
        return kRefused;
    }
    tickets = std::move(list.counts);
    return kDone;
}

// The sheet of the request from `firstPlace` on, or the refusal the main window would show;
// the run's tickets (one for single) in *tickets.
int BuildSheet(const BatchRequest& request, CGridCtrl& grid, int32_t firstPlace,
               std::vector<int32_t>* tickets) {
    SheetWorkingIntegers ints;
    SheetBuildResult result = SheetBuildResult::Built;
    switch (request.mode) {
        case BatchRequest::Mode::Single:
            result = BuildSingleTicketSheet(grid, request.counts.front(), ints, firstPlace);
            *tickets = {ints.CartonTotal};
            break;
        case BatchRequest::Mode::Multi: {
            std::vector<int32_t> run;
            if (!request.fromFile.isEmpty()) {
                if (const int read = ReadTicketsFrom(request.fromFile, run); read != kDone) {
                    return read;
                }
            }
            for (const QString& text : request.counts) {
                const int32_t count = ReadBatchTicketCount(text);
                if (count < 0) {
                    PrintLine(stderr, counts::kTicketCountRefused);
                    PrintLine(stderr,
                              QStringLiteral("vantric-batch: refused count \"%1\"").arg(text));
                    return kRefused;
                }
                run.push_back(count);
            }
            result = BuildMultiTicketSheet(grid, run, ints, firstPlace);
            *tickets = std::move(run);
            break;
        }
        case BatchRequest::Mode::Overweight: {
            // The record lives as long as the build: each build reloads it from the file.
            rg_class_ChaoChongBiao_BianJu overweight;
            vantric::BuildOverweightSheet(grid, overweight, true);
            break;
        }
    }
    if (result != SheetBuildResult::Built) {
        PrintLine(stderr, SheetRefusalMessage(result));
        return kRefused;
    }
    return kDone;
}

int Print(const BatchRequest& request, CGridCtrl& grid) {
    vantric::PrintRequest job;  // the print button's first-page offset
    job.fitColumnsToPage = request.fitColumnsToPage;
    if (!request.title.isEmpty()) {
        job.documentName = request.title;
    }
    job.pages = vantric::PageChoice{request.pages, request.copies};
    TerminalProgress progress(stderr);
    if (vantric::IsConsole(stderr)) {
        job.progress = &progress;
    }
    const vantric::PrintOutcome out =
        request.output == BatchRequest::Output::Pdf
            ? vantric::PrintGridToPdf(grid, request.target,
                                      request.paper.value_or(QPageSize(QPageSize::A4)), job)
            : vantric::PrintGridToQueue(grid, request.target, request.paper, job);
    if (out.pagesOutsideRun) {
        PrintLine(stderr, QStringLiteral("vantric-batch: %1; nothing printed").arg(out.error));
        return kRefused;
    }
    if (!out.ok) {
        PrintLine(stderr,
                  QStringLiteral("vantric-batch: printing failed: %1")
                      .arg(out.error.isEmpty() ? QStringLiteral("unknown reason") : out.error));
        if (out.noRoomForTable) {
            // The margins are the program's: say where the operator changes them.
            PrintLine(stderr, QStringLiteral("vantric-batch: the margins are those of %1; make "
                                             "them smaller there or in vantric's margin window")
                                  .arg(vantric::PathForMessage(settings::kSettingsPath)));
        }
        return kFailed;
    }
    if (request.output == BatchRequest::Output::Printer) {
        return FollowJobToItsEnd(out.printer, out.job, request.followJob, request.waitBound);
    }
    return kDone;
}

}  // namespace

void PrintLine(std::FILE* to, const QString& text) {
    vantric::WriteLine(to, text);
}

bool NeedsGui(const BatchRequest& request) {
    return request.output != BatchRequest::Output::Dump;
}

int RunBatchRequest(const BatchRequest& request) {
    vantric::ResourcePictureSource pictures;  // outlives the grid that points at it
    CGridCtrl grid;
    SetUpSheetGrid(grid);
    grid.SetPictureSource(&pictures);

    // Start-up: the margins come from the settings file (which is made from the initial values
    // when there is none and drive D can take it) and go to the grid.
    rg_class_DaYinYuLanBianJu margins;
    settings::LoadPrintMargins(margins, [&grid](const rg_class_DaYinYuLanBianJu& loaded) {
        settings::ApplyPrintMarginsToGrid(loaded, grid);
    });

    // A label list is read against the whole run, whose labels it copies from; without one the
    // whole run is built from its first place on.
    const int32_t firstPlace = request.startSlot - 1;
    std::vector<int32_t> tickets;
    if (const int built = BuildSheet(request, grid, request.labels ? 0 : firstPlace, &tickets);
        built != kDone) {
        return built;
    }
    CGridCtrl labelSheet;
    CGridCtrl* sheet = &grid;
    if (request.labels) {
        const labels::LabelList list = labels::ReadLabelList(
            *request.labels, tickets, request.mode == BatchRequest::Mode::Multi);
        if (!list.error.isEmpty()) {
            PrintLine(stderr, QStringLiteral(
                                  "vantric-batch: refused label list \"%1\": %2; nothing printed")
                                  .arg(*request.labels, list.error));
            return kRefused;
        }
        BuildReprintSheet(grid, list.places, firstPlace, labelSheet);
        sheet = &labelSheet;
    }
    if (request.output == BatchRequest::Output::Dump) {
        if (!WriteGridJson(*sheet, stdout)) {
            PrintLine(stderr, QStringLiteral("vantric-batch: could not write the dump"));
            return kFailed;
        }
        return kDone;
    }
    return Print(request, *sheet);
}

}  // namespace batch
