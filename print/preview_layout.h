#pragma once
// Where the preview puts the sheet and the printable page on the screen, and at what scale.
//
// The sheet (a light grey panel) fills the height of the view, or on a landscape sheet on a
// screen of an unusual shape its width, times the zoom (1 or 2); it is centred horizontally and
// never starts left of the view.  The printable page (the white paint box) sits on it at the
// printer's offset, both scaled alike: the zoom percent says how large a printer pixel is drawn
// against its real size on this screen.

#include <string>

namespace keiro::print {

struct PreviewInput {
    // The printer, in its own pixels.
    int sheetWidth = 0;  // the whole sheet
    int sheetHeight = 0;
    int offsetX = 0;  // the printable area
    int offsetY = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    int printerDpi = 300;  // vertical resolution
    // The screen.
    int screenDpi = 96;
    int screenWidth = 1920;
    int screenHeight = 1080;
    // The scrolled view's visible area.
    int viewWidth = 0;
    int viewHeight = 0;
    int zoom = 1;
};

struct PreviewRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PreviewRect&) const = default;
};

struct PreviewGeometry {
    PreviewRect sheet;  // in the scrolled area
    PreviewRect page;   // in the sheet
    int zoomPercent = 100;
    bool operator==(const PreviewGeometry&) const = default;
};

// "%4.2f" of width / height: the screens whose shape lets a landscape sheet fit the height are
// "1.33", "1.60", "1.71" and "1.78".
std::string screenRatioText(int screenWidth, int screenHeight);

PreviewGeometry previewGeometry(const PreviewInput& input);

}  // namespace keiro::print
