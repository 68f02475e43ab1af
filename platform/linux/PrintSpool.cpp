#include <QFile>

#include "platform/Printer.h"

#include <dlfcn.h>

namespace vantric {

namespace {

// The print service's client library, looked up at run time: the print support plugin loads it
// where there is a print service, and nothing here needs it where there is none.
struct CupsLibrary {
    struct Option {
        char* name;
        char* value;
    };
    using LastError = int (*)();
    using LastErrorString = const char* (*)();
    using PrintFile = int (*)(const char*, const char*, const char*, int, Option*);
    using AddOption = int (*)(const char*, const char*, int, Option**);
    using FreeOptions = void (*)(int, Option*);

    LastError lastError = nullptr;
    LastErrorString lastErrorString = nullptr;
    PrintFile printFile = nullptr;
    AddOption addOption = nullptr;
    FreeOptions freeOptions = nullptr;

    static const CupsLibrary& Get() {
        static const CupsLibrary library = [] {
            CupsLibrary l;
            // Kept open for the life of the process, like the plugin that uses it.
            void* handle = dlopen("libcups.so.2", RTLD_LAZY);
            if (handle != nullptr) {
                l.lastError = reinterpret_cast<LastError>(dlsym(handle, "cupsLastError"));
                l.lastErrorString =
                    reinterpret_cast<LastErrorString>(dlsym(handle, "cupsLastErrorString"));
                l.printFile = reinterpret_cast<PrintFile>(dlsym(handle, "cupsPrintFile"));
                l.addOption = reinterpret_cast<AddOption>(dlsym(handle, "cupsAddOption"));
                l.freeOptions = reinterpret_cast<FreeOptions>(dlsym(handle, "cupsFreeOptions"));
            }
            return l;
        }();
        return library;
    }

    QString LastMessage() const {
        const char* why = lastErrorString != nullptr ? lastErrorString() : nullptr;
        const QString reason = why != nullptr         ? QString::fromLocal8Bit(why)
                               : lastError != nullptr ? QString::number(lastError(), 16)
                                                      : QString();
        return QStringLiteral("the print service refused the job: %1").arg(reason);
    }
};

}  // namespace

bool CanSpoolFiles() {
    const CupsLibrary& cups = CupsLibrary::Get();
    return cups.printFile != nullptr && cups.addOption != nullptr && cups.freeOptions != nullptr;
}

bool SpoolPdfFile(const QString& queue, const QString& file, const QString& title,
                  const SpoolOptions& options, QString* error) {
    const CupsLibrary& cups = CupsLibrary::Get();
    if (!CanSpoolFiles()) {
        if (error != nullptr) {
            *error = QStringLiteral("no print service to hand the job to");
        }
        return false;
    }
    int count = 0;
    CupsLibrary::Option* list = nullptr;
    auto add = [&](const char* name, const QString& value) {
        if (!value.isEmpty()) {
            count = cups.addOption(name, value.toUtf8().constData(), count, &list);
        }
    };
    add("copies", QString::number(options.copies));
    if (options.copies > 1) {
        add("multiple-document-handling",
            options.collate ? QStringLiteral("separate-documents-collated-copies")
                            : QStringLiteral("separate-documents-uncollated-copies"));
    }
    add("sides", options.sides);
    add("media", options.media);
    if (options.monochrome) {
        add("print-color-mode", QStringLiteral("monochrome"));
    }
    const int job =
        cups.printFile(queue.toLocal8Bit().constData(), QFile::encodeName(file).constData(),
                       title.toUtf8().constData(), count, list);
    cups.freeOptions(count, list);
    if (job <= 0) {
        if (error != nullptr) {
            *error = cups.LastMessage();
        }
        return false;
    }
    return true;
}

}  // namespace vantric
