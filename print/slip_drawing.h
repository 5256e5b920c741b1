#pragma once
// What the two designs of the pay slip draw alike: the frame in gothic and what is filled in in
// mincho, and the comment and the pay date at the top, each design at its own places.

#include "print/canvas.h"
#include "print/slip_data.h"

namespace keiro::print {

inline FontInfo slipFrameFont(float points) {
    return {.face = "ＭＳ ゴシック", .sizeMm = pointsToMm(points)};
}

inline FontInfo slipValueFont(float points) {
    return {.face = "ＭＳ 明朝", .sizeMm = pointsToMm(points)};
}

// The comment's lines from (x, y), 3.8 mm apart.
void drawSlipComment(Canvas& canvas, const SlipData& slip, float x, float y);

// Where the pay date's three parts go.
struct PayDatePlaces {
    float eraX, monthX, dayX, y;
};
void drawSlipPayDate(Canvas& canvas, const SlipData& slip, const PayDatePlaces& places);

}  // namespace keiro::print
