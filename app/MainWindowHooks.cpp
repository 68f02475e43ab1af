#include "app/MainWindowHooks.h"

#include <utility>

namespace mainwindow {

namespace {
PrintPreviewHook& PreviewSlot() {
    static PrintPreviewHook hook;
    return hook;
}
MarginWindowHook& MarginSlot() {
    static MarginWindowHook hook;
    return hook;
}
}  // namespace

PrintPreviewHook SetPrintPreviewHook(PrintPreviewHook hook) {
    return std::exchange(PreviewSlot(), std::move(hook));
}

MarginWindowHook SetMarginWindowHook(MarginWindowHook hook) {
    return std::exchange(MarginSlot(), std::move(hook));
}

const PrintPreviewHook& PrintPreview() {
    return PreviewSlot();
}
const MarginWindowHook& MarginWindow() {
    return MarginSlot();
}

}  // namespace mainwindow
