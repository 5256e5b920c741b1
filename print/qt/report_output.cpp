#include "print/qt/report_output.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "core/fileio.h"
#include "print/qt/painter_canvas.h"
#include "print/qt/qpdf_encrypt.h"

namespace keiro::print {
namespace {

// PDF pages are drawn at this resolution: fine enough that the rounding to whole pixels moves no
// line visibly (1/47 mm).
constexpr int kPdfDpi = 1200;

QPageSize pageSizeOf(Paper paper) {
    switch (paper) {
        case Paper::A5:
            return QPageSize(QPageSize::A5);
        case Paper::B5:
            return QPageSize(QPageSize::JisB5);
        case Paper::A4:
            break;
    }
    return QPageSize(QPageSize::A4);
}

}  // namespace

DeviceMetrics metricsOf(const QPagedPaintDevice& device) {
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const QRect printable = device.pageLayout().paintRectPixels(dpiX);
    return {dpiX, dpiY, printable.left(), printable.top()};
}

void usePaper(QPagedPaintDevice& device, const PaperChoice& paper) {
    device.setPageSize(pageSizeOf(paper.paper));
    device.setPageOrientation(paper.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
}

bool paintReport(const Report& report, QPagedPaintDevice& device, const Correction& correction) {
    const int pages = report.pageCount();
    if (pages <= 0) return true;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const PageDevice page = printerDevice(metricsOf(device));
    for (int number = 1; number <= pages; ++number) {
        if (number > 1 && !device.newPage()) return false;
        PainterCanvas canvas(painter, page);
        canvas.transform().setCorrection(correction.horizontal, correction.vertical);
        report.drawPage(canvas, number, PageOptions{});
    }
    return painter.end();
}

std::string reportPdfBytes(const Report& report, const Correction& correction,
                           const std::filesystem::path& path) {
    const DocumentInfo info = report.documentInfo();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        usePaper(writer, report.paper());
        writer.setCreator(QStringLiteral("Keiro"));
        writer.setTitle(QString::fromStdString(info.title));
        if (!paintReport(report, writer, correction))
            throw IoError(path, "書き込み", "PDFを作成できませんでした。");
    }
    // Qt's writer has no author: the company goes in afterwards, and the objects into
    // compressed object streams.
    try {
        return qpdfWithInfo(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), info.title,
            info.author);
    } catch (const std::exception& error) {
        throw IoError(path, "書き込み", error.what());
    }
}

void writeReportPdf(const Report& report, const std::filesystem::path& path,
                    const Correction& correction) {
    writeFileAtomic(path, reportPdfBytes(report, correction, path));
}

}  // namespace keiro::print
