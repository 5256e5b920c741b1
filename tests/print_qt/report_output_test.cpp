// A report written as PDF: every page there on the report's paper, the text extractable, its
// title and author set, the file private, and a folder that cannot be written reported as the
// error it is.

#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <filesystem>

#include "core/errors.h"
#include "core/fileio.h"
#include "print/qt/report_output.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"

namespace keiro::print {
namespace {

class ThreePages : public Report {
  public:
    int pageCount() const override { return 3; }
    std::string countText() const override { return " 3枚"; }
    PaperChoice paper() const override { return {Paper::A4, Orientation::Landscape}; }
    DocumentInfo documentInfo() const override {
        return {"給与明細書 令和8年 11月分給与", "株式会社テスト商会"};
    }
    void drawPage(Canvas& canvas, int page, const PageOptions&) const override {
        canvas.putBox(10, 10, 100, 50);
        canvas.setFont(FontInfo{});
        canvas.putText("山田 太郎  " + std::to_string(page * 1000), 20, 20);
    }
};

QString popplerOutput(const QString& program, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(program).isEmpty()) return {};
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

using testing_support::TempFolder;

class ReportOutputTest : public QObject {
    Q_OBJECT

  private slots:
    void pdfHoldsEveryPageWithItsTextOnTheReportsPaper() {
        TempFolder folder("keiro-pdf");
        const std::filesystem::path pdf = folder.path() / "slips.pdf";
        writeReportPdf(ThreePages{}, pdf, {});
        QCOMPARE(std::filesystem::status(pdf).permissions() & std::filesystem::perms::all,
                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

        const QString info = popplerOutput("pdfinfo", {QString::fromStdString(pdf.string())});
        if (info.isEmpty()) QSKIP("poppler-utils are not installed");
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3\\n")), qPrintable(info));
        QVERIFY2(info.contains("842 x 595 pts"), qPrintable(info));  // A4 landscape
        // What the file is and whose, as a viewer's document properties show them.
        QVERIFY2(
            info.contains(QString::fromUtf8("Title:           給与明細書 令和8年 11月分給与\n")),
            qPrintable(info));
        QVERIFY2(info.contains(QString::fromUtf8("Author:          株式会社テスト商会\n")),
                 qPrintable(info));
        const QString text =
            popplerOutput("pdftotext", {QString::fromStdString(pdf.string()), "-"});
        QVERIFY2(text.contains(QString::fromUtf8("山田")), qPrintable(text));
        QVERIFY2(text.contains("3000"), qPrintable(text));
    }

    void aFolderThatCannotBeWrittenIsAnError() {
        TempFolder folder("keiro-pdf");
        const std::filesystem::path pdf = folder.path() / "missing" / "slips.pdf";
        QVERIFY_THROWS_EXCEPTION(IoError, writeReportPdf(ThreePages{}, pdf, {}));
        QVERIFY(!std::filesystem::exists(pdf));
    }
};

KEIRO_QTEST(ReportOutputTest);

}  // namespace keiro::print

#include "report_output_test.moc"
