#include "platform/Console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#include <algorithm>

namespace vantric {

namespace {

HANDLE ConsoleOf(std::FILE* stream) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    // The null device is a character device too; only a console has a console mode.
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}

void WriteConsoleText(HANDLE console, const QString& text) {
    DWORD written = 0;
    ::WriteConsoleW(console, reinterpret_cast<const wchar_t*>(text.utf16()), DWORD(text.size()),
                    &written, nullptr);
}

}  // namespace

QStringList ProgramArguments(int argc, char* argv[]) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    QStringList arguments;
    if (wide == nullptr) {
        for (int i = 0; i < argc; ++i) {
            arguments << QString::fromLocal8Bit(argv[i]);
        }
        return arguments;
    }
    for (int i = 0; i < count; ++i) {
        arguments << QString::fromWCharArray(wide[i]);
    }
    ::LocalFree(wide);
    return arguments;
}

void PrepareStandardStreams() {
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    qputenv("QT_FORCE_STDERR_LOGGING", "1");
}

bool IsConsole(std::FILE* stream) {
    return ConsoleOf(stream) != nullptr;
}

void WriteLine(std::FILE* stream, const QString& text) {
    const QString line = text.endsWith(u'\n') ? text : text + u'\n';
    if (HANDLE console = ConsoleOf(stream)) {
        std::fflush(stream);
        WriteConsoleText(console,
                         QString(line).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
        return;
    }
    std::fputs(line.toUtf8().constData(), stream);
}

void RewriteConsoleLine(std::FILE* stream, const QString& text) {
    HANDLE console = ConsoleOf(stream);
    if (console == nullptr) {
        return;
    }
    // Blank what the line held before: it may have been longer.
    CONSOLE_SCREEN_BUFFER_INFO info{};
    qsizetype width = text.size();
    if (::GetConsoleScreenBufferInfo(console, &info)) {
        width = std::max<qsizetype>(width, info.dwSize.X - 1);
    }
    WriteConsoleText(console, u'\r' + text.leftJustified(width, u' ') + u'\r' + text);
}

bool HasDisplay() {
    return true;
}

}  // namespace vantric
