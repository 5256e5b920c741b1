#include "print/qt/picture_export.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "core/fileio.h"
#include "print/built_report.h"
#include "print/pictures.h"
#include "print/qt/painter_canvas.h"

namespace keiro::print {
namespace {

// Small type stays legible at this quality.
constexpr int kJpegQuality = 90;

QByteArray jpegOf(const PageDocument& pictures, int index, const PageDevice& device) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter, device);
        pictures.drawPage(canvas, index + 1);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", kJpegQuality);
    return bytes;
}

}  // namespace

std::vector<std::filesystem::path> writePictures(const Report& report,
                                                 const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (int index = 0; index < report.pictureCount(); ++index)
        names.push_back(report.pictureName(index));
    const std::vector<std::string> files = pictureFileNames(names);
    const PageDevice device = pictureDevice(report.picturePaper());
    // A folder named but not there yet is made, readable by its owner only.
    if (report.pictureCount() > 0) createPrivateDirectories(folder);

    const PageDocument pictures = pictureDocument(report);
    std::vector<std::filesystem::path> written;
    for (int index = 0; index < pictures.pageCount(); ++index) {
        const QByteArray jpeg = jpegOf(pictures, index, device);
        if (jpeg.isEmpty()) throw IoError(folder, "書き込み", "JPEG画像を作成できませんでした。");
        const std::filesystem::path path = folder / files[index];
        writeFileAtomic(path,
                        std::string_view(jpeg.constData(), static_cast<std::size_t>(jpeg.size())));
        written.push_back(path);
    }
    return written;
}

}  // namespace keiro::print
