#include "print/built_report.h"

#include <algorithm>
#include <utility>

namespace keiro::print {

std::uint16_t PageDocument::fontIndex(const FontInfo& font) {
    const auto found = std::find(fonts_.begin(), fonts_.end(), font);
    if (found != fonts_.end()) return static_cast<std::uint16_t>(found - fonts_.begin());
    fonts_.push_back(font);
    return static_cast<std::uint16_t>(fonts_.size() - 1);
}

void PageDocument::drawPage(Canvas& canvas, int page) const {
    if (page < 1 || page > pageCount()) return;
    PageTransform& transform = canvas.transform();
    const float keptX = transform.originX();
    const float keptY = transform.originY();
    const FontInfo keptFont = canvas.font();
    const Pen keptPen = canvas.pen();
    using Kind = PagePrimitive::Kind;
    for (const PagePrimitive& p : pages_[static_cast<std::size_t>(page - 1)].primitives) {
        transform.setOrigin(p.originX, p.originY);
        switch (p.kind) {
            case Kind::Text:
                canvas.setFont(fonts_[p.font]);
                canvas.putText(p.text, p.x1, p.y1);
                break;
            case Kind::Line:
                canvas.setPen(p.pen);
                canvas.putLine(p.x1, p.y1, p.x2, p.y2);
                break;
            case Kind::Box:
                canvas.setPen(p.pen);
                canvas.putBox(p.x1, p.y1, p.x2, p.y2);
                break;
            case Kind::Shade:
                canvas.putShade(p.x1, p.y1, p.x2, p.y2);
                break;
        }
    }
    transform.setOrigin(keptX, keptY);
    canvas.setFont(keptFont);
    canvas.setPen(keptPen);
}

PagePrimitive& DocumentCanvas::add(PagePrimitive::Kind kind, float x1, float y1, float x2,
                                   float y2) {
    PagePrimitive& p = page_.primitives.emplace_back();
    p.kind = kind;
    p.pen = pen();
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    p.originX = transform().originX();
    p.originY = transform().originY();
    return p;
}

void DocumentCanvas::putText(std::string_view utf8, float x, float y) {
    if (utf8.empty()) return;
    PagePrimitive& p = add(PagePrimitive::Kind::Text, x, y, x, y);
    p.font = document_.fontIndex(font());
    p.text = utf8;
}

void DocumentCanvas::putLine(float x1, float y1, float x2, float y2) {
    add(PagePrimitive::Kind::Line, x1, y1, x2, y2);
}

void DocumentCanvas::putBox(float x1, float y1, float x2, float y2) {
    add(PagePrimitive::Kind::Box, x1, y1, x2, y2);
}

void DocumentCanvas::putShade(float x1, float y1, float x2, float y2) {
    add(PagePrimitive::Kind::Shade, x1, y1, x2, y2);
}

BuiltReport::BuiltReport(std::unique_ptr<Report> source)
    : owned_(std::move(source)), source_(owned_.get()), pages_(build(*source_, PageOptions{})) {}

BuiltReport::BuiltReport(const Report& source)
    : source_(&source), pages_(build(source, PageOptions{})) {}

PageDocument BuiltReport::build(const Report& report, const PageOptions& options) {
    PageDocument document;
    const int pages = report.pageCount();
    for (int page = 1; page <= pages; ++page) {
        document.addPage([&](Canvas& canvas) { report.drawPage(canvas, page, options); });
    }
    return document;
}

void BuiltReport::drawPage(Canvas& canvas, int page, const PageOptions& options) const {
    if (!options.previewAtZoomOne) {
        pages_.drawPage(canvas, page);
        return;
    }
    if (!zoomOnePages_) zoomOnePages_ = std::make_unique<PageDocument>(build(*source_, options));
    zoomOnePages_->drawPage(canvas, page);
}

PageDocument pictureDocument(const Report& report) {
    PageDocument pictures;
    for (int index = 0; index < report.pictureCount(); ++index)
        pictures.addPage([&](Canvas& canvas) { report.drawPicture(canvas, index); });
    return pictures;
}

std::unique_ptr<Report> buildReport(std::unique_ptr<Report> report) {
    if (!report) return nullptr;
    return std::make_unique<BuiltReport>(std::move(report));
}

}  // namespace keiro::print
