#include "print/recording_canvas.h"

namespace keiro::print {
namespace {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string numbers(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) out += ' ' + std::to_string(v);
    return out;
}

std::string corners(const DeviceRect& r) {
    return numbers({r.topLeft.x, r.topLeft.y, r.bottomRight.x, r.bottomRight.y});
}

}  // namespace

void RecordingCanvas::clear() {
    texts_.clear();
    out_.clear();
    hasFont_ = false;
}

void RecordingCanvas::drawText(const std::vector<Glyph>& glyphs, const DeviceFont& font) {
    if (!hasFont_ || font != lastFont_) {
        addLine("font " + quoted(font.face) + numbers({font.height, font.width}) +
                (font.bold ? " bold" : "") + (font.italic ? " italic" : ""));
        lastFont_ = font;
        hasFont_ = true;
    }
    std::string text;
    for (const Glyph& g : glyphs) text += g.character;
    const DevicePoint at = glyphs.front().at;
    addLine("text" + numbers({at.x, at.y}) + ' ' + quoted(text));
    texts_.push_back(glyphs);
}

void RecordingCanvas::drawLine(DevicePoint from, DevicePoint to, int width) {
    addLine("line" + numbers({from.x, from.y, to.x, to.y, width}));
}

void RecordingCanvas::drawBox(const DeviceRect& rect, int width) {
    addLine("box" + corners(rect) + numbers({width}));
}

void RecordingCanvas::fillShade(const DeviceRect& rect) {
    addLine("shade" + corners(rect));
}

}  // namespace keiro::print
