#include "ui/DesignScale.h"

#include <algorithm>

namespace {
double scaleFactor = 1.0;
}

double ScaleFactorForDpi(double dpi) {
    return std::max(1.0, dpi / 96.0);
}

double ScaleFactor() {
    return scaleFactor;
}

void SetScaleFactor(double factor) {
    scaleFactor = std::max(1.0, factor);
}

int ScaleDesignMeasure(int v) {
    return static_cast<int>(scaleFactor * v + 0.5);
}
