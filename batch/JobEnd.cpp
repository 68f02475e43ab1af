#include "batch/JobEnd.h"

#include "batch/BatchRun.h"

namespace batch {

namespace {

// "job 12 on queue "Desk1"" ("printer" on Windows).
QString JobName(const vantric::PrintJobId& job) {
    return QStringLiteral("job %1 on %2 \"%3\"").arg(job.id).arg(vantric::QueueWord(), job.queue);
}

// ": what the service says", or nothing when it says nothing.
QString Saying(const QString& reason) {
    return reason.isEmpty() ? QString() : QStringLiteral(": \"%1\"").arg(reason);
}

}  // namespace

int FollowJobToItsEnd(const QString& printer, const std::optional<vantric::PrintJobId>& taken,
                      bool follow, std::chrono::seconds bound) {
    using vantric::JobEnd;
    if (!taken) {
        PrintLine(stderr, QStringLiteral("vantric-batch: the %1 \"%2\" took the document, and "
                                         "its queue shows no job of it any more: handed on to "
                                         "the printer")
                              .arg(vantric::QueueWord(), printer));
        return kDone;
    }
    const vantric::PrintJobId& job = *taken;
    PrintLine(stderr, QStringLiteral("vantric-batch: %1 taken").arg(JobName(job)));
    if (!follow) {
        return kDone;
    }
    const vantric::JobReport report = vantric::FollowPrintJob(job, bound);
    switch (report.end) {
        case JobEnd::Completed:
            PrintLine(stderr, QStringLiteral("vantric-batch: %1 printed").arg(JobName(job)));
            return kDone;
        case JobEnd::Failed:
            PrintLine(stderr, QStringLiteral("vantric-batch: printing failed: %1 is %2%3")
                                  .arg(JobName(job), report.state, Saying(report.reason)));
            return kFailed;
        case JobEnd::Waiting:
            PrintLine(stderr, QStringLiteral("vantric-batch: %1 waits (%2), the %3 is stopped%4; "
                                             "it prints once the %3 is started or the job "
                                             "released")
                                  .arg(JobName(job), report.state, vantric::QueueWord(),
                                       Saying(report.reason)));
            return kWaiting;
        case JobEnd::Printing:
            PrintLine(stderr, QStringLiteral("vantric-batch: %1 still %2 after %3 s; not waiting "
                                             "longer (not a failure)")
                                  .arg(JobName(job), report.state)
                                  .arg(bound.count()));
            return kNotFinished;
        case JobEnd::Unknown:
            break;
    }
    PrintLine(stderr, QStringLiteral("vantric-batch: the print service cannot say what became of "
                                     "%1%2")
                          .arg(JobName(job), Saying(report.reason)));
    return kNotFinished;
}

}  // namespace batch
