#include "print/canvas.h"

#include <cmath>
#include <utility>

#include "core/text.h"

namespace keiro::print {

int Canvas::penWidth() const {
    const PageDevice& d = transform_.device();
    return pen_ == Pen::Thick ? d.thickPen : d.thinPen;
}

float Canvas::pitch() const {
    return font_.narrow ? font_.sizeMm / 7 * 3 : font_.sizeMm / 2;
}

DeviceFont Canvas::deviceFont() const {
    DeviceFont f;
    f.face = font_.face;
    f.height = transform_.lengthY(font_.sizeMm);
    if (font_.narrow) f.width = static_cast<int>(std::lround(f.height / 7.0 * 3));
    f.bold = font_.bold;
    f.italic = font_.italic;
    return f;
}

void Canvas::putText(std::string_view utf8, float x, float y) {
    // Each character advances by its code page 932 width: one pitch for a single-byte
    // character, two for a double-byte one.
    const float step = pitch();
    std::vector<Glyph> glyphs;
    int pitches = 0;
    for (text::WidthCharacter& c : text::widthCharacters(utf8)) {
        glyphs.push_back({std::move(c.character), transform_.point(x + pitches * step, y)});
        pitches += static_cast<int>(c.width);
    }
    if (!glyphs.empty()) drawText(glyphs, deviceFont());
    if (font_.underline && pitches > 0) {
        const int width = static_cast<int>(std::lround(transform_.device().thinPen * 1.2));
        const float underY = y + font_.sizeMm;
        drawLine(transform_.point(x, underY), transform_.point(x + pitches * step, underY), width);
    }
}

void Canvas::putLine(float x1, float y1, float x2, float y2) {
    drawLine(transform_.point(x1, y1), transform_.point(x2, y2), penWidth());
}

DeviceRect Canvas::rect(float x1, float y1, float x2, float y2) const {
    return {transform_.point(x1, y1), transform_.point(x2, y2)};
}

void Canvas::putBox(float x1, float y1, float x2, float y2) {
    drawBox(rect(x1, y1, x2, y2), penWidth());
}

void Canvas::putShade(float x1, float y1, float x2, float y2) {
    fillShade(rect(x1, y1, x2, y2));
}

}  // namespace keiro::print
