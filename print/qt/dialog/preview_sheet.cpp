#include "print/qt/dialog/preview_sheet.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <exception>

#include "print/page_transform.h"
#include "print/qt/painter_canvas.h"

namespace keiro::print {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kMinimumPictureDpi = 50;

}  // namespace

PreviewPage::PreviewPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pbPage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPage::setPage(const Report* report, const QPrinter* printer,
                          const Correction& correction, int page, int zoom, int zoomPercent) {
    report_ = report;
    printer_ = printer;
    correction_ = correction;
    page_ = page;
    zoom_ = zoom;
    zoomPercent_ = zoomPercent;
    failed_ = false;
    update();
}

void PreviewPage::setPageNumber(int page) {
    if (page != page_) failed_ = false;
    page_ = page;
    update();
}

void PreviewPage::setBackground(const QImage& sheetPicture) {
    background_ = sheetPicture;
    update();
}

void PreviewPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!background_.isNull()) painter.drawImage(QPoint(0, 0), background_, QRect(pos(), size()));
    if (report_ == nullptr || printer_ == nullptr) return;

    const PageDevice device = previewDevice(metricsOf(*printer_), logicalDpiY(), zoomPercent_);
    PainterCanvas canvas(painter, device);
    canvas.transform().setCorrection(correction_.horizontal, correction_.vertical);
    PageOptions options;
    options.previewAtZoomOne = zoom_ == 1;
    try {
        report_->drawPage(canvas, page_, options);
    } catch (const std::exception& error) {
        if (!failed_) emit drawingFailed(QString::fromUtf8(error.what()));
        failed_ = true;
    }
}

PreviewSheet::PreviewSheet(QWidget* parent) : QWidget(parent), page_(new PreviewPage(this)) {
    setObjectName(QStringLiteral("pnPaper"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(kSheetColour));
    setPalette(colours);
}

void PreviewSheet::arrange(const PreviewGeometry& geometry, const Report& report,
                           const QPrinter& printer) {
    setGeometry(geometry.sheet.x, geometry.sheet.y, geometry.sheet.width, geometry.sheet.height);
    page_->setGeometry(geometry.page.x, geometry.page.y, geometry.page.width, geometry.page.height);
    if (!report.hasFormPicture() || geometry.sheet.width <= 0) {
        page_->setBackground({});
        return;
    }
    // The form's picture is drawn on its own, a whole sheet without margin or correction, at
    // about the screen's scale, and then stretched over the sheet.
    const QSizeF sheetMm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const int dpi = std::max(
        kMinimumPictureDpi,
        static_cast<int>(std::lround(geometry.sheet.width * kMmPerInch / sheetMm.width())));
    const QImage picture =
        renderPage([&report](Canvas& canvas) { report.drawFormPicture(canvas); }, sheetMm, dpi);
    page_->setBackground(picture.scaled(geometry.sheet.width, geometry.sheet.height,
                                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace keiro::print
