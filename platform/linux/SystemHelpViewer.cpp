#include <QDesktopServices>
#include <QUrl>

#include "platform/HelpViewer.h"

namespace vantric {
namespace {

class DesktopOpener final : public IHelpViewer {
  public:
    bool Open(const QString& path, int32_t) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

}  // namespace

IHelpViewer& SystemHelpViewer() {
    static DesktopOpener viewer;
    return viewer;
}

}  // namespace vantric
