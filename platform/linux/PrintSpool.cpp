#include <QFile>

#include "platform/Printer.h"
#include "platform/linux/CupsRequests.h"

#include <cups/cups.h>

namespace vantric {

bool CanSpoolFiles() {
    return true;
}

int32_t SpoolPdfFile(const QString& queue, const QString& file, const QString& title,
                     const SpoolOptions& options, SpoolRefusal* refusal) {
    int count = 0;
    cups_option_t* list = nullptr;
    auto add = [&](const char* name, const QString& value) {
        if (!value.isEmpty()) {
            count = cupsAddOption(name, value.toUtf8().constData(), count, &list);
        }
    };
    // No copies: the file holds every copy the job makes, each page in its place.
    add("sides", options.sides);
    add("media", options.media);
    if (options.monochrome) {
        add("print-color-mode", QStringLiteral("monochrome"));
    }
    const int job =
        cupsPrintFile(queue.toLocal8Bit().constData(), QFile::encodeName(file).constData(),
                      title.toUtf8().constData(), count, list);
    cupsFreeOptions(count, list);
    if (job <= 0 && refusal != nullptr) {
        const char* why = cupsLastErrorString();
        refusal->reason =
            why != nullptr ? QString::fromUtf8(why) : QString::number(int(cupsLastError()), 16);
        // A queue told to reject jobs carries the reason it was given ("Rejecting Jobs" when
        // none was).
        refusal->queueMessage = cups::QueueMessage(queue);
    }
    return job > 0 ? job : 0;
}

}  // namespace vantric
