#include "platform/Console.h"

#include <unistd.h>

namespace vantric {

QStringList ProgramArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

void PrepareStandardStreams() {}

bool IsConsole(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

void WriteLine(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
    if (!text.endsWith(u'\n')) {
        std::fputc('\n', stream);
    }
}

void RewriteConsoleLine(std::FILE* stream, const QString& text) {
    // Clear to the end of the line: the line before may have been longer.
    std::fprintf(stream, "\r%s\033[K", text.toUtf8().constData());
    std::fflush(stream);
}

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace vantric
