#pragma once
// Drawing part of a page higher than its layout says: the tabular reports print their heading
// 7 mm and their table 10 mm above the positions of their layouts, so that a table of forty-odd
// rows fits on A4 landscape.  While an instance lives, everything drawn on the canvas moves up
// by the given distance, on top of the user's position correction; the layout's own offset comes
// back when it goes.

#include "print/canvas.h"

namespace keiro::print {

class RaisedLayout {
  public:
    RaisedLayout(Canvas& canvas, float mm)
        : transform_(canvas.transform()),
          originX_(transform_.originX()),
          originY_(transform_.originY()) {
        transform_.setOrigin(originX_, originY_ - mm);
    }
    ~RaisedLayout() { transform_.setOrigin(originX_, originY_); }
    RaisedLayout(const RaisedLayout&) = delete;
    RaisedLayout& operator=(const RaisedLayout&) = delete;

  private:
    PageTransform& transform_;
    float originX_;
    float originY_;
};

inline constexpr float kHeadingRaiseMm = 7.0f;
inline constexpr float kTableRaiseMm = 10.0f;

}  // namespace keiro::print
