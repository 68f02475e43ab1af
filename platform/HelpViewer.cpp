#include "platform/HelpViewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace vantric {
namespace {

class SystemHelpViewer final : public IHelpViewer {
  public:
    bool Open(const QString& path, int32_t) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

SystemHelpViewer systemViewer;
IHelpViewer* currentViewer = nullptr;

}  // namespace

bool OpenHelpFile(const QString& path, int32_t context) {
    return (currentViewer != nullptr ? currentViewer : &systemViewer)->Open(path, context);
}

IHelpViewer* SetHelpViewer(IHelpViewer* viewer) {
    IHelpViewer* previous = currentViewer;
    currentViewer = viewer;
    return previous;
}

}  // namespace vantric
