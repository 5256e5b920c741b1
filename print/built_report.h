#pragma once
// A report built once: every page's drawing kept as primitives in millimetres (text runs with
// their font, lines, boxes and shades, each with the layout origin it was drawn at), then drawn
// from that on any canvas (preview, printer, PDF, image or the tests' recording) without laying
// the report out again.  The page count is the number of pages built.
//
// The preview at zoom 1 draws a two-slip sheet a little differently; those pages are built the
// first time they are asked for.  Pay slips saved as pictures have a document of their own, a
// page a picture (pictureDocument).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "print/canvas.h"
#include "print/report.h"

namespace keiro::print {

struct PagePrimitive {
    enum class Kind : std::uint8_t { Text, Line, Box, Shade };
    Kind kind = Kind::Line;
    Pen pen = Pen::Thin;     // lines and boxes
    std::uint16_t font = 0;  // texts: the index in the document's fonts
    float x1 = 0, y1 = 0;    // texts: the first character's cell
    float x2 = 0, y2 = 0;
    float originX = 0, originY = 0;
    std::string text;  // UTF-8
};

struct DocumentPage {
    std::vector<PagePrimitive> primitives;
};

// The pages of one drawing and the fonts their texts use.
class PageDocument {
  public:
    int pageCount() const { return static_cast<int>(pages_.size()); }

    // Records one page: whatever `draw` puts on the canvas it is given.
    template <typename Draw>
    void addPage(Draw&& draw);

    // Draws page 1..pageCount() on the canvas, keeping the canvas's origin, font and pen as they
    // were.
    void drawPage(Canvas& canvas, int page) const;

  private:
    friend class DocumentCanvas;
    std::uint16_t fontIndex(const FontInfo& font);

    std::vector<DocumentPage> pages_;
    std::vector<FontInfo> fonts_;
};

// The canvas a page is recorded through: it keeps what is put on it instead of drawing.
class DocumentCanvas final : public Canvas {
  public:
    DocumentCanvas(PageDocument& document, DocumentPage& page)
        : Canvas(PageDevice{}), document_(document), page_(page) {}

    void putText(std::string_view utf8, float x, float y) override;
    void putLine(float x1, float y1, float x2, float y2) override;
    void putBox(float x1, float y1, float x2, float y2) override;
    void putShade(float x1, float y1, float x2, float y2) override;

  protected:
    void drawText(const std::vector<Glyph>&, const DeviceFont&) override {}
    void drawLine(DevicePoint, DevicePoint, int) override {}
    void drawBox(const DeviceRect&, int) override {}
    void fillShade(const DeviceRect&) override {}

  private:
    PagePrimitive& add(PagePrimitive::Kind kind, float x1, float y1, float x2, float y2);

    PageDocument& document_;
    DocumentPage& page_;
};

template <typename Draw>
void PageDocument::addPage(Draw&& draw) {
    pages_.emplace_back();
    DocumentCanvas canvas(*this, pages_.back());
    draw(static_cast<Canvas&>(canvas));
}

// A report with its pages built: what the print dialog, the preview and the outputs hold.  It
// answers as the report it was built from and draws every page from the built document.
class BuiltReport final : public Report {
  public:
    explicit BuiltReport(std::unique_ptr<Report> source);
    // Built from a report the caller keeps alive as long as this.
    explicit BuiltReport(const Report& source);

    const PageDocument& document() const { return pages_; }

    int pageCount() const override { return pages_.pageCount(); }
    std::string countText() const override { return source_->countText(); }
    PaperChoice paper() const override { return source_->paper(); }
    DocumentInfo documentInfo() const override { return source_->documentInfo(); }
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

    bool hasFormPicture() const override { return source_->hasFormPicture(); }
    void drawFormPicture(Canvas& canvas) const override { source_->drawFormPicture(canvas); }
    int pictureCount() const override { return source_->pictureCount(); }
    PaperChoice picturePaper() const override { return source_->picturePaper(); }
    std::string pictureName(int index) const override { return source_->pictureName(index); }
    void drawPicture(Canvas& canvas, int index) const override {
        source_->drawPicture(canvas, index);
    }

  private:
    static PageDocument build(const Report& report, const PageOptions& options);

    std::unique_ptr<Report> owned_;
    const Report* source_;
    PageDocument pages_;
    mutable std::unique_ptr<PageDocument> zoomOnePages_;  // built on first use
};

// Every picture of the report (pay slips saved one person a picture), a page each.
PageDocument pictureDocument(const Report& report);

// The report built, or null for none.
std::unique_ptr<Report> buildReport(std::unique_ptr<Report> report);

}  // namespace keiro::print
