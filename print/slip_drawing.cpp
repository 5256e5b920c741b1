#include "print/slip_drawing.h"

namespace keiro::print {

void drawSlipComment(Canvas& canvas, const SlipData& slip, float x, float y) {
    constexpr float kLineHeight = 3.8f;
    for (std::size_t i = 0; i < slip.comment.size(); ++i) {
        canvas.putText(slip.comment[i], x, y + kLineHeight * static_cast<float>(i));
    }
}

void drawSlipPayDate(Canvas& canvas, const SlipData& slip, const PayDatePlaces& places) {
    canvas.putText(slip.payDateEra, places.eraX, places.y);
    canvas.putText(slip.payDateMonth, places.monthX, places.y);
    canvas.putText(slip.payDateDay, places.dayX, places.y);
}

}  // namespace keiro::print
