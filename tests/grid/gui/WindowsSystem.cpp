// What the Wine test asks of Windows itself, apart from the grid's headers (their types and
// windows.h do not go together).
#include <QString>
#include <vector>

#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

extern const unsigned long kInvalidHandle = ERROR_INVALID_HANDLE;

QString SystemText(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const QString message = QString::fromWCharArray(text, int(length)).trimmed();
    ::LocalFree(text);
    return message;
}

bool SetWorkOffline(const QString& printer, bool offline) {
    std::wstring name = printer.toStdWString();
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE handle = nullptr;
    if (!::OpenPrinterW(name.data(), &handle, &access)) {
        return false;
    }
    DWORD needed = 0;
    ::GetPrinterW(handle, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    bool done = needed > 0 && ::GetPrinterW(handle, 2, info.data(), needed, &needed);
    if (done) {
        auto* p = reinterpret_cast<PRINTER_INFO_2W*>(info.data());
        p->Attributes = offline ? p->Attributes | PRINTER_ATTRIBUTE_WORK_OFFLINE
                                : p->Attributes & ~PRINTER_ATTRIBUTE_WORK_OFFLINE;
        done = ::SetPrinterW(handle, 2, info.data(), 0) != 0;
    }
    ::ClosePrinter(handle);
    return done;
}
