#include "platform/Printer.h"

namespace vantric {

// Windows prints straight onto the printer's own device: its spooler takes a job only when the
// document is closed, and drops an aborted one.
bool CanSpoolFiles() {
    return false;
}

int32_t SpoolPdfFile(const QString&, const QString&, const QString&, const SpoolOptions&,
                     SpoolRefusal* refusal) {
    if (refusal != nullptr) {
        refusal->reason = QStringLiteral("the Windows spooler takes documents, not PDF files");
    }
    return 0;
}

}  // namespace vantric
