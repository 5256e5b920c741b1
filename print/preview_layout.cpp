#include "print/preview_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace keiro::print {
namespace {

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

bool fitsHeight(const PreviewInput& input) {
    static constexpr std::array<std::string_view, 4> kShapes{"1.33", "1.60", "1.71", "1.78"};
    const std::string ratio = screenRatioText(input.screenWidth, input.screenHeight);
    const bool portrait = input.sheetWidth < input.sheetHeight;
    return portrait || std::find(kShapes.begin(), kShapes.end(), ratio) != kShapes.end();
}

}  // namespace

std::string screenRatioText(int screenWidth, int screenHeight) {
    if (screenHeight <= 0) return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%4.2f",
                  static_cast<double>(screenWidth) / static_cast<double>(screenHeight));
    return buffer;
}

PreviewGeometry previewGeometry(const PreviewInput& input) {
    PreviewGeometry geometry;
    if (input.sheetWidth <= 0 || input.sheetHeight <= 0 || input.printerDpi <= 0 ||
        input.screenDpi <= 0) {
        return geometry;
    }
    PreviewRect& sheet = geometry.sheet;
    if (fitsHeight(input)) {
        sheet.height = input.viewHeight * input.zoom;
        sheet.width =
            rounded(static_cast<double>(input.sheetWidth) * sheet.height / input.sheetHeight);
    } else {
        sheet.width = input.viewWidth * input.zoom;
        sheet.height =
            rounded(static_cast<double>(input.sheetHeight) * sheet.width / input.sheetWidth);
    }
    sheet.x = std::max(0, (input.viewWidth - sheet.width) / 2);
    sheet.y = 0;

    const double screenPerPrinter = static_cast<double>(input.screenDpi) / input.printerDpi;
    geometry.zoomPercent =
        rounded(static_cast<double>(sheet.width) / input.sheetWidth / screenPerPrinter * 100.0);
    const double scale = screenPerPrinter * geometry.zoomPercent / 100.0;
    geometry.page = {rounded(input.offsetX * scale), rounded(input.offsetY * scale),
                     rounded(input.pageWidth * scale), rounded(input.pageHeight * scale)};
    return geometry;
}

}  // namespace keiro::print
