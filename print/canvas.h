#pragma once
// The page every report draws on.  Reports speak in millimetres from the top left corner of
// their layout; the canvas turns that into device pixels through its one PageTransform and hands
// the result to a backend (a painter on paper, preview or image; a recording in tests).
//
// Text is never laid out by the font: characters sit one by one on a fixed pitch of half the
// font size (narrow fonts: 3/7 of it), a double-byte character taking two pitches, so columns of
// names and right-aligned amounts line up exactly whatever the glyphs' own widths.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "print/page_transform.h"

namespace keiro::print {

// The current font of a report.
struct FontInfo {
    std::string face = "ＭＳ 明朝";
    float sizeMm = 3.5f;  // the character cell's height
    bool bold = false;
    bool underline = false;
    bool italic = false;
    bool narrow = false;  // characters 3/7 of the height wide instead of 1/2
    bool operator==(const FontInfo&) const = default;
};

// Font sizes given in points, as the layouts have them: one point counts as 1/2.8 mm.
constexpr float pointsToMm(float points) {
    return points / 2.8f;
}

enum class Pen { Thin, Thick };

// The font as the device builds it: a cell height in pixels and, for narrow fonts, a character
// width (0: the face's own).
struct DeviceFont {
    std::string face;
    int height = 0;
    int width = 0;
    bool bold = false;
    bool italic = false;
    bool operator==(const DeviceFont&) const = default;
};

// One character of a text and the top left corner of its cell.
struct Glyph {
    std::string character;  // UTF-8
    DevicePoint at;
};

struct DeviceRect {
    DevicePoint topLeft;
    DevicePoint bottomRight;
};

// Shaded areas are solid light blue.
struct Rgb {
    std::uint8_t red, green, blue;
};
inline constexpr Rgb kShadeColour{187, 220, 255};

class Canvas {
  public:
    explicit Canvas(const PageDevice& device) : transform_(device) {}
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    PageTransform& transform() { return transform_; }
    const PageTransform& transform() const { return transform_; }

    void setFont(const FontInfo& font) { font_ = font; }
    const FontInfo& font() const { return font_; }
    void setFontPt(float points) { font_.sizeMm = pointsToMm(points); }
    void setPen(Pen pen) { pen_ = pen; }
    Pen pen() const { return pen_; }
    int penWidth() const;

    // (x, y) is the top left corner of the first character's cell.  A canvas that keeps the
    // drawing in millimetres (a built report's page) takes these over; the others turn them into
    // device primitives.
    virtual void putText(std::string_view utf8, float x, float y);
    virtual void putLine(float x1, float y1, float x2, float y2);
    virtual void putBox(float x1, float y1, float x2, float y2);
    virtual void putShade(float x1, float y1, float x2, float y2);

    // The distance from one character to the next with the current font, in millimetres.
    float pitch() const;

  protected:
    virtual void drawText(const std::vector<Glyph>& glyphs, const DeviceFont& font) = 0;
    virtual void drawLine(DevicePoint from, DevicePoint to, int width) = 0;
    virtual void drawBox(const DeviceRect& rect, int width) = 0;
    virtual void fillShade(const DeviceRect& rect) = 0;

  private:
    DeviceFont deviceFont() const;
    DeviceRect rect(float x1, float y1, float x2, float y2) const;

    PageTransform transform_;
    FontInfo font_;
    Pen pen_ = Pen::Thin;
};

}  // namespace keiro::print
