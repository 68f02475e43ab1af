// What CUPS holds about a queue or a job, asked as its own tools ask it (IPP through libcups):
// for tests that check what the print service was told.
#pragma once

#include <QString>

#include <cups/cups.h>

namespace testsupport {

// The first value of an attribute of the queue, or of its job `job` when that is given, as
// text; empty when CUPS does not have it.
inline QString CupsAttribute(const QString& queue, const char* name, int job = 0) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.toUtf8().constData());
    ipp_t* request =
        ippNewRequest(job > 0 ? IPP_OP_GET_JOB_ATTRIBUTES : IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    if (job > 0) {
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    }
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO);
    QString value;
    if (a != nullptr) {
        char text[1024];
        ippAttributeString(a, text, sizeof text);
        value = QString::fromUtf8(text);
    }
    ippDelete(response);
    return value;
}

}  // namespace testsupport
