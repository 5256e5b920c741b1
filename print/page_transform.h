#pragma once
// The one conversion from layout millimetres to device pixels that every drawing goes through:
//
//   device x = round((x + correction H + origin X − physical offset X) × pixels per mm X)
//
// and the same for y.  The correction is the user's print position adjustment, the origin the
// current layout's own offset (pay slips move it per slip), the physical offset the unprintable
// margin of the device in whole millimetres (the device draws from the corner of its printable
// area).  Rounding is to the nearest pixel, halves away from zero.

namespace keiro::print {

// What a device tells about itself, in its own pixels.
struct DeviceMetrics {
    int dpiX = 300;
    int dpiY = 300;
    int offsetX = 0;  // the top left corner of the printable area
    int offsetY = 0;
};

// A device made ready for drawing: resolution, margin and the widths of the two pens.
struct PageDevice {
    float pixelsPerMmX = 300 / 25.4f;
    float pixelsPerMmY = 300 / 25.4f;
    int offsetXmm = 0;
    int offsetYmm = 0;
    int thinPen = 2;   // 2/360 inch
    int thickPen = 4;  // 5/360 inch
};

// A printer: its resolution, the margin rounded to whole millimetres, pens of 2/360 and 5/360
// inch.
PageDevice printerDevice(const DeviceMetrics& printer);
// The preview shows the printer's page at zoomPercent on a screen of screenDpi: the printer's
// margin, pens of one pixel.
PageDevice previewDevice(const DeviceMetrics& printer, int screenDpi, int zoomPercent);

struct DevicePoint {
    int x = 0;
    int y = 0;
    bool operator==(const DevicePoint&) const = default;
};

class PageTransform {
  public:
    PageTransform() = default;
    explicit PageTransform(const PageDevice& device) : device_(device) {}

    const PageDevice& device() const { return device_; }
    void setCorrection(double horizontalMm, double verticalMm) {
        correctionH_ = horizontalMm;
        correctionV_ = verticalMm;
    }
    void setOrigin(float xMm, float yMm) {
        originX_ = xMm;
        originY_ = yMm;
    }
    float originX() const { return originX_; }
    float originY() const { return originY_; }

    int x(double mm) const;
    int y(double mm) const;
    DevicePoint point(double xMm, double yMm) const { return {x(xMm), y(yMm)}; }
    // A length (no offsets), as font heights need.
    int lengthY(double mm) const;

  private:
    PageDevice device_;
    double correctionH_ = 0.0;
    double correctionV_ = 0.0;
    float originX_ = 0.0f;
    float originY_ = 0.0f;
};

}  // namespace keiro::print
