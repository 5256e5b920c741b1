#include "print/fitted_text.h"

#include "core/text.h"

namespace keiro::print {

float textWidth(const Canvas& canvas, std::string_view utf8) {
    std::size_t pitches = 0;
    for (const text::WidthCharacter& character : text::widthCharacters(utf8)) {
        pitches += character.width;
    }
    return static_cast<float>(pitches) * canvas.pitch();
}

void putTextWithin(Canvas& canvas, std::string_view utf8, float x, float y, float widthMm) {
    const float width = textWidth(canvas, utf8);
    if (width <= widthMm || width <= 0.0f) {
        canvas.putText(utf8, x, y);
        return;
    }
    const FontInfo font = canvas.font();
    FontInfo smaller = font;
    smaller.sizeMm = font.sizeMm * widthMm / width;
    canvas.setFont(smaller);
    canvas.putText(utf8, x, y);
    canvas.setFont(font);
}

}  // namespace keiro::print
