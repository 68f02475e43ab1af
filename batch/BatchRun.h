// The work of one vantric-batch run, as the main window would do it: load the print margins from
// the settings file (as at start-up), build the sheet, then dump it or print it as the print
// button does.
#pragma once

#include <cstdio>

#include "batch/BatchCommandLine.h"

namespace batch {

constexpr int kDone = 0;         // done; a print: the job printed (--no-wait: was taken)
constexpr int kFailed = 1;       // the dump or the print could not be made, or the job failed
constexpr int kRefused = 2;      // a usage error or a refused count
constexpr int kWaiting = 3;      // the job waits in a stopped queue or on a stopped printer
constexpr int kNotFinished = 4;  // the job was still printing when the wait ran out

// Runs the request; messages go to stderr. Printing needs a QGuiApplication.
int RunBatchRequest(const BatchRequest& request);

// Writes `text` as UTF-8, ending it with a newline when it has none.
void PrintLine(std::FILE* to, const QString& text);

// Whether the request needs a QGuiApplication (fonts, PDF and printer output).
bool NeedsGui(const BatchRequest& request);

}  // namespace batch
