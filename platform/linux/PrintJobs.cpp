#include "platform/PrintJobs.h"

#include <QThread>

#include "platform/linux/CupsRequests.h"

namespace vantric {

namespace {

// Often enough that the box comes within moments of the answer, seldom enough that the
// scheduler does not notice.
constexpr std::chrono::milliseconds kAskEvery{250};

}  // namespace

JobReport FollowPrintJob(const PrintJobId& job, std::chrono::milliseconds bound,
                         const std::atomic<bool>* stop) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        QString error;
        const cups::JobAttributes attributes = cups::AskJob(job, &error);
        if (attributes.jobState == 0) {
            return JobReport{JobEnd::Unknown, QString(), error};
        }
        if (const auto end = cups::JobEndOf(attributes)) {
            return *end;
        }
        if (std::chrono::steady_clock::now() >= deadline || (stop != nullptr && *stop)) {
            return JobReport{JobEnd::Printing, attributes.jobStateName,
                             attributes.jobPrinterStateMessage};
        }
        QThread::msleep(static_cast<unsigned long>(kAskEvery.count()));
    }
}

PrinterReadiness PrinterReadinessOf(const QString&) {
    return PrinterReadiness{};
}

struct DeviceDocumentWatch::State {};

DeviceDocumentWatch::DeviceDocumentWatch(const QPrinter&) {}

DeviceDocumentWatch::~DeviceDocumentWatch() = default;

QString DeviceDocumentWatch::SystemError() const {
    return QString();
}

std::optional<PrintJobId> DeviceDocumentWatch::Job() const {
    return std::nullopt;
}

QString QueueWord() {
    return QStringLiteral("queue");
}

}  // namespace vantric
