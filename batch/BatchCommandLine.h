// vantric-batch: builds a label sheet without a screen and dumps or prints it.
//
//   vantric-batch single TEXT OUTPUT        TEXT read as the count edit reads it
//   vantric-batch multi N1 N2 ... OUTPUT    one ticket per count, 1..999 each
//   vantric-batch multi --from FILE OUTPUT  the tickets of a file ("-": standard input)
//   vantric-batch overweight OUTPUT         the six caution labels
//
// OUTPUT is one of --dump (the grid as JSON on stdout), --pdf FILE, or --printer NAME ("default"
// for the system's default queue). Printing takes --paper NAME (A4 for a file; the queue's own
// paper for a printer), --no-fit (the page width follows the paper instead of the columns),
// --title TEXT (the document name the queue shows), --pages LIST (only those pages of the run,
// e.g. "3,7-9" or "7-") and --copies N (1..999, collated). A job on a queue is followed until it
// printed, failed or waits in a stopped queue, for --wait SECONDS at most (60); --no-wait ends
// as soon as the queue took it. A carton sheet also takes --labels LIST (only those labels,
// packed: "37,40-42" in a single run, "2:5,1:28-30,3:" in a multi run) and --start-slot N (1..4,
// the first place of page 1 that prints, for a partly used sheet).
//
// The words after the command are the counts, even when they look like options ("-5", "-"):
// options are the known long names (and -h).
#pragma once

#include <QCommandLineParser>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <vector>

#include "grid/GridPrintJob.h"
#include "platform/PrintJobs.h"

struct BatchRequest {
    enum class Mode { Single, Multi, Overweight };
    enum class Output { Dump, Pdf, Printer };
    Mode mode = Mode::Single;
    QStringList counts;  // the single TEXT, or the multi counts as given
    Output output = Output::Dump;
    QString target;                  // the PDF file or the queue name
    std::optional<QPageSize> paper;  // as named by --paper
    bool fitColumnsToPage = true;
    QString title;     // empty: the default document name
    QString fromFile;  // --from: the file of tickets, "-" for standard input; empty: none
    std::vector<vantric::PageRange> pages;  // empty: every page of the run
    int32_t copies = 1;
    bool followJob = true;  // --printer: wait for the job's end (--no-wait: do not)
    std::chrono::seconds waitBound = vantric::kJobFollowBound;  // --wait
    std::optional<QString> labels;  // --labels as given, read against the run once it is built
    int32_t startSlot = 1;          // 1..4, left to right, top to bottom
};

struct BatchParse {
    enum class Outcome { Run, Help, Version, UsageError };
    Outcome outcome = Outcome::UsageError;
    BatchRequest request;
    QString message;  // help or version text, or what was wrong
};

// `arguments` as QCoreApplication::arguments() gives them, program name first.
BatchParse ParseBatchCommandLine(const QStringList& arguments);

// A multi count as given on the command line: plain decimal digits, 1..999; -1 otherwise.
int32_t ReadBatchTicketCount(const QString& text);

// A page list as --pages takes it: "N", "N-M" (N <= M) or "N-" (N to the run's end), joined by
// commas, pages from 1. Null for anything else.
std::optional<std::vector<vantric::PageRange>> ParsePageList(const QString& text);

// A page size by its name ("A4", "letter", "A5", ...), compared without regard to case.
std::optional<QPageSize> PaperByName(const QString& name);
