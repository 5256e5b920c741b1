#pragma once
// A canvas that draws nothing and writes down every primitive in device pixels, so that a
// report's page can be compared with an expected drawing kept as text.
//
// The text has one primitive per line, fields separated by one blank:
//
//   font "<face>" <height> <width> [bold] [italic]   before a text whose font differs
//   text <x> <y> "<text>"                            x, y: the first character's cell
//   line <x1> <y1> <x2> <y2> <pen width>
//   box <x1> <y1> <x2> <y2> <pen width>
//   shade <x1> <y1> <x2> <y2>
//
// Texts are UTF-8 in double quotes, with '"' and '\' escaped by a backslash.

#include <string>
#include <vector>

#include "print/canvas.h"

namespace keiro::print {

class RecordingCanvas : public Canvas {
  public:
    explicit RecordingCanvas(const PageDevice& device = {}) : Canvas(device) {}

    // Every text drawn so far, each with the position of every character.
    const std::vector<std::vector<Glyph>>& texts() const { return texts_; }
    // The recording as text, one line per primitive, each line ending in '\n'.
    const std::string& recording() const { return out_; }
    void clear();

  protected:
    void drawText(const std::vector<Glyph>& glyphs, const DeviceFont& font) override;
    void drawLine(DevicePoint from, DevicePoint to, int width) override;
    void drawBox(const DeviceRect& rect, int width) override;
    void fillShade(const DeviceRect& rect) override;

  private:
    void addLine(const std::string& line) { out_ += line + '\n'; }

    std::vector<std::vector<Glyph>> texts_;
    std::string out_;
    DeviceFont lastFont_;
    bool hasFont_ = false;
};

}  // namespace keiro::print
