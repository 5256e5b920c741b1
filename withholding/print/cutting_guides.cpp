#include "withholding/print/cutting_guides.h"

namespace keiro::withholding {

void drawCuttingGuides(print::Canvas& canvas, GuideLayout layout) {
    canvas.transform().setOrigin(0.0f, 0.0f);
    canvas.setPen(print::Pen::Thin);
    if (layout == GuideLayout::Notices) {
        canvas.putLine(10.0f, 128.5f, 172.0f, 128.5f);
        return;
    }
    canvas.putLine(148.5f, 10.0f, 148.5f, 200.0f);
    if (layout == GuideLayout::FourCopies) canvas.putLine(10.0f, 105.0f, 287.0f, 105.0f);
}

}  // namespace keiro::withholding
