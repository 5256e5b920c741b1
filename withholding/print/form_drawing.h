#pragma once
// The drawing pieces of the ruled withholding forms: labels in a face and size, texts centred
// in a cell, digit boxes with one digit in each, struck-through areas, "○" marks, labels set
// top to bottom.  Coordinates are millimetres from the current copy's origin.

#include <string>
#include <string_view>

#include "print/canvas.h"

namespace keiro::withholding {

inline constexpr const char* kMincho = "ＭＳ 明朝";
inline constexpr const char* kGothic = "ＭＳ ゴシック";

// The width of one box of the individual and corporate numbers.
inline constexpr float kDigitBoxWidth = 3.3f;
inline constexpr int kPersonalNumberDigits = 12;
inline constexpr int kCorporateNumberDigits = 13;

void useFont(print::Canvas& canvas, const char* face, float points);

// Text at (x, y) in the face and size given; the canvas keeps that font.
void putLabel(print::Canvas& canvas, std::string_view text, float x, float y, float points,
              const char* face = kMincho);
// Text centred between x1 and x2 in the canvas's current font.
void putCentred(print::Canvas& canvas, std::string_view text, float x1, float x2, float y);
// Text centred in the cell, shrunk to its width when longer.
void putCentredWithin(print::Canvas& canvas, std::string_view text, float x1, float x2, float y);
// Text set top to bottom, one character under the other, from y with `step` between them.
void putVertical(print::Canvas& canvas, std::string_view text, float x, float y, float step);
// "○" centred in the cell when `on`.
void putMark(print::Canvas& canvas, bool on, float x1, float x2, float y);

// `count` boxes of kDigitBoxWidth from x between y1 and y2.
void putDigitBoxes(print::Canvas& canvas, float x, float y1, float y2, int count);
// A number's digits, one to a box, filled to `count` places with leading zeros ("%.*d"), as an
// individual number may begin with 0; nothing for 0 or for a number longer than its boxes.
void putDigits(print::Canvas& canvas, long long number, int count, float x, float y);
// An area crossed out: its box and one diagonal.
void putStruck(print::Canvas& canvas, float x1, float y1, float x2, float y2);

// The digits of a number with the given count of places ("%.*lld"), or empty for 0.
std::string digitText(long long number, int places);

}  // namespace keiro::withholding
