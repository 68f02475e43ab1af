#include <QDir>

#include "platform/HelpViewer.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace vantric {
namespace {

class ShellOpener final : public IHelpViewer {
  public:
    bool Open(const QString& path, int32_t) override {
        const QString native = QDir::toNativeSeparators(path);
        // Values above 32 mean the shell started the program that shows the file.
        const auto started = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(native.utf16()),
                            nullptr, nullptr, SW_SHOWNORMAL));
        return started > 32;
    }
};

}  // namespace

IHelpViewer& SystemHelpViewer() {
    static ShellOpener viewer;
    return viewer;
}

}  // namespace vantric
