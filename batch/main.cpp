// vantric-batch: the label sheets without a screen (see BatchCommandLine.h for the commands).
// Exit status: 0 done (a job on a queue: printed), 1 the dump or the print could not be made or
// the job failed, 2 a usage error or a refused count, 3 the job waits in a stopped queue, 4 the
// job was still printing when the wait ran out.
#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

#include "batch/BatchCommandLine.h"
#include "batch/BatchRun.h"
#include "platform/Console.h"
#include "platform/DrivePath.h"

int main(int argc, char* argv[]) {
    // The arguments decide which application object is needed, so they are read before one
    // exists, the way QCoreApplication would decode them.
    vantric::PrepareStandardStreams();
    const QStringList arguments = vantric::ProgramArguments(argc, argv);
    const BatchParse parse = ParseBatchCommandLine(arguments);
    if (parse.outcome == BatchParse::Outcome::Help ||
        parse.outcome == BatchParse::Outcome::Version) {
        batch::PrintLine(stdout, parse.message);
        return batch::kDone;
    }
    if (parse.outcome == BatchParse::Outcome::UsageError) {
        batch::PrintLine(stderr, parse.message);
        return batch::kRefused;
    }

    // Printing draws text, so it needs fonts and a platform; without a display it draws
    // offscreen.
    std::unique_ptr<QCoreApplication> app;
    if (batch::NeedsGui(parse.request)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !vantric::HasDisplay()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The same settings file as the program: drive D is made under the default drive root.
    vantric::PrepareDriveRoot();
    return batch::RunBatchRequest(parse.request);
}
