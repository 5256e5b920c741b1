#include "print/page_transform.h"

#include <cmath>

namespace keiro::print {
namespace {

constexpr double kMmPerInch = 25.4;

int roundToInt(double value) {
    return static_cast<int>(std::lround(value));
}

// Windows' MulDiv for the positive values used here: a × b / c rounded.
int mulDiv(int a, int b, int c) {
    return roundToInt(static_cast<double>(a) * b / c);
}

}  // namespace

PageDevice printerDevice(const DeviceMetrics& printer) {
    PageDevice d;
    d.pixelsPerMmX = static_cast<float>(printer.dpiX / kMmPerInch);
    d.pixelsPerMmY = static_cast<float>(printer.dpiY / kMmPerInch);
    d.offsetXmm = roundToInt(printer.offsetX / d.pixelsPerMmX);
    d.offsetYmm = roundToInt(printer.offsetY / d.pixelsPerMmY);
    d.thinPen = roundToInt(printer.dpiX / 360.0 * 2);
    d.thickPen = roundToInt(printer.dpiX / 360.0 * 5);
    return d;
}

PageDevice previewDevice(const DeviceMetrics& printer, int screenDpi, int zoomPercent) {
    PageDevice d = printerDevice(printer);
    const float perMm = static_cast<float>(mulDiv(screenDpi, zoomPercent, 100) / kMmPerInch);
    d.pixelsPerMmX = perMm;
    d.pixelsPerMmY = perMm;
    d.thinPen = 1;
    d.thickPen = 1;
    return d;
}

int PageTransform::x(double mm) const {
    return roundToInt((mm + correctionH_ + originX_ - device_.offsetXmm) * device_.pixelsPerMmX);
}

int PageTransform::y(double mm) const {
    return roundToInt((mm + correctionV_ + originY_ - device_.offsetYmm) * device_.pixelsPerMmY);
}

int PageTransform::lengthY(double mm) const {
    return roundToInt(mm * device_.pixelsPerMmY);
}

}  // namespace keiro::print
