#pragma once
// The two faces of the pay slips: the frame is printed in gothic, what is filled in in mincho.

#include "print/canvas.h"

namespace keiro::print {

inline FontInfo slipFrameFont(float points) {
    return {.face = "ＭＳ ゴシック", .sizeMm = pointsToMm(points)};
}

inline FontInfo slipValueFont(float points) {
    return {.face = "ＭＳ 明朝", .sizeMm = pointsToMm(points)};
}

}  // namespace keiro::print
