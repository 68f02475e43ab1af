#include "platform/Printer.h"

namespace vantric {

// Windows prints straight onto the printer's own device: its spooler takes a job only when the
// document is closed, and drops an aborted one.
bool CanSpoolFiles() {
    return false;
}

bool SpoolPdfFile(const QString&, const QString&, const QString&, const SpoolOptions&,
                  QString* error) {
    if (error != nullptr) {
        *error = QStringLiteral("the Windows spooler takes documents, not PDF files");
    }
    return false;
}

}  // namespace vantric
