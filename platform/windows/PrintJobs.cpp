#include "platform/PrintJobs.h"

#include <QMutex>
#include <QPrinter>
#include <QSet>
#include <QThread>
#include <vector>

#include "platform/windows/SpoolerJobState.h"

#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

namespace vantric {

namespace {

constexpr std::chrono::milliseconds kAskEvery{250};

// A printer opened for asking, closed with the object.
class OpenedPrinter {
  public:
    explicit OpenedPrinter(const QString& name) {
        std::wstring wide = name.toStdWString();
        if (!::OpenPrinterW(wide.data(), &handle_, nullptr)) {
            handle_ = nullptr;
        }
    }
    ~OpenedPrinter() {
        if (handle_ != nullptr) {
            ::ClosePrinter(handle_);
        }
    }
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;
    HANDLE Handle() const { return handle_; }

    // PRINTER_INFO_2's Status and Attributes; false when the spooler does not say.
    bool Status(uint32_t* status, uint32_t* attributes) const {
        DWORD needed = 0;
        ::GetPrinterW(handle_, 2, nullptr, 0, &needed);
        if (handle_ == nullptr || needed == 0) {
            return false;
        }
        std::vector<BYTE> buffer(needed);
        if (!::GetPrinterW(handle_, 2, buffer.data(), needed, &needed)) {
            return false;
        }
        const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
        *status = info->Status;
        *attributes = info->Attributes;
        return true;
    }

    struct Job {
        int32_t id;
        QString document;
        uint32_t status;
        QString text;
    };
    // Every job of the queue, as EnumJobs level 1 lists them.
    std::vector<Job> Jobs() const {
        std::vector<Job> jobs;
        DWORD needed = 0, count = 0;
        ::EnumJobsW(handle_, 0, 0xFFFF, 1, nullptr, 0, &needed, &count);
        if (handle_ == nullptr || needed == 0) {
            return jobs;
        }
        std::vector<BYTE> buffer(needed);
        if (!::EnumJobsW(handle_, 0, 0xFFFF, 1, buffer.data(), needed, &needed, &count)) {
            return jobs;
        }
        const auto* info = reinterpret_cast<const JOB_INFO_1W*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            jobs.push_back(Job{static_cast<int32_t>(info[i].JobId), Text(info[i].pDocument),
                               info[i].Status, Text(info[i].pStatus)});
        }
        return jobs;
    }

    // The job as GetJob level 1 gives it; none once the queue no longer holds it.
    std::optional<Job> FindJob(int32_t id) const {
        DWORD needed = 0;
        ::GetJobW(handle_, static_cast<DWORD>(id), 1, nullptr, 0, &needed);
        if (handle_ == nullptr || needed == 0) {
            return std::nullopt;
        }
        std::vector<BYTE> buffer(needed);
        if (!::GetJobW(handle_, static_cast<DWORD>(id), 1, buffer.data(), needed, &needed)) {
            return std::nullopt;
        }
        const auto* info = reinterpret_cast<const JOB_INFO_1W*>(buffer.data());
        return Job{id, Text(info->pDocument), info->Status, Text(info->pStatus)};
    }

  private:
    static QString Text(const wchar_t* text) {
        return text != nullptr ? QString::fromWCharArray(text) : QString();
    }

    HANDLE handle_ = nullptr;
};

// The print library tells a failing device step only in a warning that ends with the system's
// own text (FormatMessage of the error) in brackets:
//   QWin32PrintEngine::begin: StartDoc failed, document "NAME" (TEXT)
// The warnings of a document are caught while it is printed and passed on.
QMutex watchLock;
DeviceDocumentWatch::State* watching = nullptr;
QtMessageHandler passOn = nullptr;

QString SystemTextOf(const QString& message) {
    if (!message.contains(QLatin1String("Win32PrintEngine::")) ||
        !message.contains(QLatin1String("failed"))) {
        return QString();
    }
    // The document's name and file, quoted, come before the system's text.
    const qsizetype from =
        std::max(message.indexOf(QLatin1String("failed")), message.lastIndexOf(u'"'));
    const qsizetype open = message.indexOf(QLatin1String(" ("), from);
    if (open < 0 || !message.endsWith(u')')) {
        return QString();
    }
    return message.mid(open + 2, message.size() - open - 3).trimmed();
}

}  // namespace

struct DeviceDocumentWatch::State {
    QString printer;
    QString document;
    QSet<int32_t> jobsBefore;
    QString systemError;
};

namespace {

void CatchPrintEngineWarnings(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    {
        QMutexLocker lock(&watchLock);
        if (watching != nullptr && watching->systemError.isEmpty()) {
            watching->systemError = SystemTextOf(message);
        }
    }
    if (passOn != nullptr) {
        passOn(type, context, message);
    }
}

}  // namespace

JobReport FollowPrintJob(const PrintJobId& job, std::chrono::milliseconds bound,
                         const std::atomic<bool>* stop) {
    const OpenedPrinter printer(job.queue);
    if (printer.Handle() == nullptr) {
        return JobReport{JobEnd::Unknown, QString(), QString()};
    }
    const auto deadline = std::chrono::steady_clock::now() + bound;
    uint32_t earlier = 0;
    for (;;) {
        spooler::JobStatus now;
        if (const auto found = printer.FindJob(job.id)) {
            now.inQueue = true;
            now.status = found->status;
            now.text = found->text;
        }
        uint32_t attributes = 0;
        printer.Status(&now.printerStatus, &attributes);
        if (const auto end = spooler::JobEndOf(now, earlier)) {
            return *end;
        }
        earlier = now.status;
        if (std::chrono::steady_clock::now() >= deadline || (stop != nullptr && *stop)) {
            return JobReport{JobEnd::Printing, QStringLiteral("printing"), now.text};
        }
        QThread::msleep(static_cast<unsigned long>(kAskEvery.count()));
    }
}

PrinterReadiness PrinterReadinessOf(const QString& name) {
    const OpenedPrinter printer(name);
    uint32_t status = 0, attributes = 0;
    if (!printer.Status(&status, &attributes)) {
        // A printer the spooler cannot say anything about is left to the document to fail on.
        return PrinterReadiness{};
    }
    return spooler::ReadinessOf(status, attributes);
}

DeviceDocumentWatch::DeviceDocumentWatch(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty()) {
        return;
    }
    state_ = std::make_unique<State>();
    state_->printer = printer.printerName();
    state_->document = printer.docName();
    for (const OpenedPrinter::Job& job : OpenedPrinter(state_->printer).Jobs()) {
        state_->jobsBefore.insert(job.id);
    }
    QMutexLocker lock(&watchLock);
    watching = state_.get();
    passOn = qInstallMessageHandler(CatchPrintEngineWarnings);
}

DeviceDocumentWatch::~DeviceDocumentWatch() {
    if (state_) {
        QMutexLocker lock(&watchLock);
        qInstallMessageHandler(passOn);
        watching = nullptr;
        passOn = nullptr;
    }
}

QString DeviceDocumentWatch::SystemError() const {
    if (!state_) {
        return QString();
    }
    QMutexLocker lock(&watchLock);
    return state_->systemError;
}

std::optional<PrintJobId> DeviceDocumentWatch::Job() const {
    if (!state_) {
        return std::nullopt;
    }
    // The newest job of this document that was not in the queue before it.
    int32_t newest = 0;
    for (const OpenedPrinter::Job& job : OpenedPrinter(state_->printer).Jobs()) {
        if (!state_->jobsBefore.contains(job.id) && job.document == state_->document) {
            newest = std::max(newest, job.id);
        }
    }
    if (newest == 0) {
        return std::nullopt;
    }
    return PrintJobId{state_->printer, newest};
}

QString QueueWord() {
    return QStringLiteral("printer");
}

}  // namespace vantric
