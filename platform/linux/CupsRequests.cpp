#include "platform/linux/CupsRequests.h"

#include <cups/cups.h>

#include <memory>

namespace vantric::cups {

namespace {

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

QString PrinterUri(const QString& queue) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.toUtf8().constData());
    return QString::fromUtf8(uri);
}

QString Text(ipp_t* response, const char* name) {
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO);
    const char* text = a != nullptr ? ippGetString(a, 0, nullptr) : nullptr;
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

int Enum(ipp_t* response, const char* name) {
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ENUM);
    return a != nullptr ? ippGetInteger(a, 0) : 0;
}

QStringList Keywords(ipp_t* response, const char* name) {
    QStringList words;
    if (ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_KEYWORD)) {
        for (int i = 0; i < ippGetCount(a); ++i) {
            words << QString::fromUtf8(ippGetString(a, i, nullptr));
        }
    }
    return words;
}

// Sends `request` (taken) to the scheduler; the response when it succeeded.
Ipp Ask(ipp_t* request, QString* error) {
    Ipp response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (!response || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        if (error != nullptr) {
            *error = QString::fromUtf8(cupsLastErrorString());
        }
        return nullptr;
    }
    return response;
}

Ipp AskPrinter(const QString& queue, QString* error) {
    static const char* const wanted[] = {"printer-state", "printer-state-reasons",
                                         "printer-state-message"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 PrinterUri(queue).toUtf8().constData());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    return Ask(request, error);
}

}  // namespace

JobAttributes AskJob(const PrintJobId& job, QString* error) {
    static const char* const wanted[] = {"job-state", "job-state-reasons",
                                         "job-printer-state-message"};
    JobAttributes a;
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 PrinterUri(job.queue).toUtf8().constData());
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job.id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    const Ipp response = Ask(request, error);
    if (!response) {
        return a;
    }
    a.jobState = Enum(response.get(), "job-state");
    a.jobStateName = QString::fromUtf8(ippEnumString("job-state", a.jobState));
    a.jobStateReasons = Keywords(response.get(), "job-state-reasons");
    a.jobPrinterStateMessage = Text(response.get(), "job-printer-state-message");
    if (const Ipp printer = AskPrinter(job.queue, nullptr)) {
        a.printerState = Enum(printer.get(), "printer-state");
        a.printerStateReasons = Keywords(printer.get(), "printer-state-reasons");
        a.printerStateMessage = Text(printer.get(), "printer-state-message");
    }
    return a;
}

QString QueueMessage(const QString& queue) {
    const Ipp printer = AskPrinter(queue, nullptr);
    return printer ? Text(printer.get(), "printer-state-message") : QString();
}

}  // namespace vantric::cups
