#include "withholding/print/form_drawing.h"

#include <cstdio>

#include "print/fitted_text.h"

namespace keiro::withholding {

void useFont(print::Canvas& canvas, const char* face, float points) {
    print::FontInfo font;
    font.face = face;
    font.sizeMm = print::pointsToMm(points);
    canvas.setFont(font);
}

void putLabel(print::Canvas& canvas, std::string_view text, float x, float y, float points,
              const char* face) {
    useFont(canvas, face, points);
    canvas.putText(text, x, y);
}

void putCentred(print::Canvas& canvas, std::string_view text, float x1, float x2, float y) {
    const float width = print::textWidth(canvas, text);
    canvas.putText(text, x1 + (x2 - x1 - width) / 2, y);
}

void putCentredWithin(print::Canvas& canvas, std::string_view text, float x1, float x2, float y) {
    const float width = print::textWidth(canvas, text);
    if (width <= x2 - x1) {
        putCentred(canvas, text, x1, x2, y);
    } else {
        print::putTextWithin(canvas, text, x1, y, x2 - x1);
    }
}

void putVertical(print::Canvas& canvas, std::string_view text, float x, float y, float step) {
    std::size_t at = 0;
    float line = y;
    while (at < text.size()) {
        // One UTF-8 character at a time.
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead >= 0xF0) {
            length = 4;
        } else if (lead >= 0xE0) {
            length = 3;
        } else if (lead >= 0xC0) {
            length = 2;
        }
        canvas.putText(text.substr(at, length), x, line);
        at += length;
        line += step;
    }
}

void putMark(print::Canvas& canvas, bool on, float x1, float x2, float y) {
    if (on) putCentred(canvas, "○", x1, x2, y);
}

void putDigitBoxes(print::Canvas& canvas, float x, float y1, float y2, int count) {
    canvas.putBox(x, y1, x + kDigitBoxWidth * static_cast<float>(count), y2);
    for (int i = 1; i < count; ++i) {
        const float at = x + kDigitBoxWidth * static_cast<float>(i);
        canvas.putLine(at, y1, at, y2);
    }
}

std::string digitText(long long number, int places) {
    if (number <= 0) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.*lld", places, number);
    return text;
}

void putDigits(print::Canvas& canvas, long long number, int count, float x, float y) {
    const std::string digits = digitText(number, count);
    // More digits than boxes is no such number (a damaged record): nothing is guessed.
    if (digits.size() != static_cast<std::size_t>(count)) return;
    for (int i = 0; i < count; ++i) {
        const float left = x + kDigitBoxWidth * static_cast<float>(i);
        putCentred(canvas, std::string_view(digits).substr(static_cast<std::size_t>(i), 1), left,
                   left + kDigitBoxWidth, y);
    }
}

void putStruck(print::Canvas& canvas, float x1, float y1, float x2, float y2) {
    canvas.putBox(x1, y1, x2, y2);
    canvas.putLine(x1, y2, x2, y1);
}

}  // namespace keiro::withholding
