#pragma once
// What the preview shows of one page: the sheet as a light grey panel and on it the printable
// page, a white paint box on which the report draws the current page at the preview's scale.
// A report on a pre-printed form has that form's picture stretched over the sheet, the part
// under the paint box showing behind the page.

#include <QImage>
#include <QWidget>

#include "print/preview_layout.h"
#include "print/qt/report_output.h"

class QPrinter;

namespace keiro::print {

inline constexpr QRgb kSheetColour = qRgb(244, 244, 244);

class PreviewPage : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewPage(QWidget* parent = nullptr);

    void setPage(const Report* report, const QPrinter* printer, const Correction& correction,
                 int page, int zoom, int zoomPercent);
    void setPageNumber(int page);
    // The form picture stretched over the whole sheet; the page shows the part under it.
    void setBackground(const QImage& sheetPicture);

  signals:
    // Drawing the page failed (a report that reads a file that has gone); said once per page.
    void drawingFailed(const QString& reason);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool failed_ = false;
    const Report* report_ = nullptr;
    const QPrinter* printer_ = nullptr;
    Correction correction_;
    int page_ = 1;
    int zoom_ = 1;
    int zoomPercent_ = 100;
    QImage background_;
};

class PreviewSheet : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewSheet(QWidget* parent = nullptr);

    PreviewPage* page() const { return page_; }
    // Places the sheet and the page and, for a pre-printed form, draws its picture.
    void arrange(const PreviewGeometry& geometry, const Report& report, const QPrinter& printer);

  private:
    PreviewPage* page_;
};

}  // namespace keiro::print
