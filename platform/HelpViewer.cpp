#include "platform/HelpViewer.h"

namespace vantric {
namespace {

IHelpViewer* currentViewer = nullptr;

}  // namespace

bool OpenHelpFile(const QString& path, int32_t context) {
    return (currentViewer != nullptr ? currentViewer : &SystemHelpViewer())->Open(path, context);
}

IHelpViewer* SetHelpViewer(IHelpViewer* viewer) {
    IHelpViewer* previous = currentViewer;
    currentViewer = viewer;
    return previous;
}

}  // namespace vantric
