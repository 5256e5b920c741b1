// Slips saved as pictures: one JPEG of 840 × 592 pixels per employee, all inside the chosen
// folder whatever the names hold, and private.

#include <QImage>
#include <QObject>
#include <QtTest>
#include <filesystem>

#include "print/qt/picture_export.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"

namespace keiro::print {
namespace {

class TwoNamesakes : public Report {
  public:
    int pageCount() const override { return 1; }
    std::string countText() const override { return {}; }
    PaperChoice paper() const override { return {}; }
    void drawPage(Canvas&, int, const PageOptions&) const override {}
    int pictureCount() const override { return 2; }
    std::string pictureName(int) const override { return "給与08-11[../山田]"; }
    void drawPicture(Canvas& canvas, int) const override {
        canvas.setPen(Pen::Thick);
        canvas.putBox(10, 10, 200, 138);
    }
};

}  // namespace

using testing_support::TempFolder;

class PictureExportTest : public QObject {
    Q_OBJECT

  private slots:
    void everyEmployeeGetsAPictureInsideTheFolder() {
        TempFolder folder("keiro-jpeg");
        const auto files = writePictures(TwoNamesakes{}, folder.path());
        QCOMPARE(files.size(), std::size_t{2});
        QCOMPARE(QString::fromStdString(files[0].filename().string()),
                 QString::fromUtf8("給与08-11[.._山田].jpg"));
        QCOMPARE(QString::fromStdString(files[1].filename().string()),
                 QString::fromUtf8("給与08-11[.._山田](2).jpg"));
        for (const auto& file : files) {
            QCOMPARE(file.parent_path(), folder.path());
            QCOMPARE(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
            const QImage picture(QString::fromStdString(file.string()));
            QCOMPARE(picture.size(), QSize(840, 592));
            // The box's left edge at 10 mm (40 pixels at 102 dpi), white inside it.
            QVERIFY(qGray(picture.pixel(40, 300)) < 128);
            QVERIFY(qGray(picture.pixel(400, 300)) > 200);
        }
    }

    void aFolderNotThereYetIsMade() {
        TempFolder folder("keiro-jpeg");
        const std::filesystem::path inside = folder.path() / "明細" / "11月";
        const auto files = writePictures(TwoNamesakes{}, inside);
        QCOMPARE(files.size(), std::size_t{2});
        QVERIFY(std::filesystem::is_regular_file(files[0]));
        QCOMPARE(std::filesystem::status(inside).permissions() & std::filesystem::perms::all,
                 std::filesystem::perms::owner_all);
    }
};

KEIRO_QTEST(PictureExportTest);

}  // namespace keiro::print

#include "picture_export_test.moc"
