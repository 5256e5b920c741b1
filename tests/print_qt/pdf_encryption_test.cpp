// A PDF protected for electronic delivery: AES-256, opened by its password only, every page
// still there once opened.

#include <QObject>
#include <QtTest>
#include <filesystem>

#include "core/fileio.h"
#include "print/qt/pdf_encryption.h"
#include "print/qt/report_output.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"

namespace keiro::print {
namespace {

class TwoPages : public Report {
  public:
    int pageCount() const override { return 2; }
    std::string countText() const override { return " 2枚"; }
    PaperChoice paper() const override { return {Paper::A4, Orientation::Portrait}; }
    void drawPage(Canvas& canvas, int page, const PageOptions&) const override {
        canvas.setFont(FontInfo{});
        canvas.putText("差引支給額 " + std::to_string(page * 1000), 20, 20);
    }
};

}  // namespace

using testing_support::openPdf;
using testing_support::TempFolder;

class PdfEncryptionTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithItsPasswordOnly() {
        TempFolder folder("keiro-pdf-encryption");
        const std::filesystem::path plain = folder.path() / "plain.pdf";
        const std::filesystem::path locked = folder.path() / "locked.pdf";
        const std::string pdf = reportPdfBytes(TwoPages{}, {}, plain);
        writeFileAtomic(plain, pdf);
        writeFileAtomic(locked, encryptPdf(pdf, "Kd7fPq3wXyzA"));

        QVERIFY(openPdf(plain).opened);
        QVERIFY(!openPdf(plain).encrypted);
        QVERIFY(!openPdf(locked).opened);
        QVERIFY(!openPdf(locked, "Kd7fPq3wXyz").opened);
        QVERIFY(!openPdf(locked, "kd7fpq3wxyza").opened);  // letters' case counts
        const testing_support::PdfOpening opened = openPdf(locked, "Kd7fPq3wXyzA");
        QVERIFY(opened.opened);
        QVERIFY(opened.aes256);
        QCOMPARE(opened.pages, 2);
    }

    void somethingElseIsRefused() {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, encryptPdf("not a pdf", "Kd7fPq3wXyzA"));
    }
};

KEIRO_QTEST(PdfEncryptionTest);

}  // namespace keiro::print

#include "pdf_encryption_test.moc"
