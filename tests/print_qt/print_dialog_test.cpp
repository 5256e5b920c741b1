// The print dialog: pages counted again on every choice, the controls of each report, the
// comment and correction rules, and printing to PDF with the settings kept.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "core/ini.h"
#include "core/settings.h"
#include "print/qt/dialog/comment_memo.h"
#include "print/qt/dialog/print_dialog.h"
#include "tests/print_qt/dialog_fixture.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::print {

using testing::DialogFixture;
using testing::FakeReport;

class PrintDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void tabFollowsReadingOrder() {
        for (ReportKind kind : {ReportKind::PaySlips, ReportKind::Ledger}) {
            testing::DialogFixture f;
            f.open(kind);
            KEIRO_VERIFY_TAB_ORDER(*f.dialog);
        }
    }

    void countsPagesAgainWhenTheFormTypeChanges() {
        DialogFixture f;
        f.open(ReportKind::PaySlips);
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("給与明細書の印刷"));
        QCOMPARE(f.text("pnPages"), QStringLiteral(" 2枚 [3名]"));  // two slips a sheet
        QCOMPARE(f.text("pnPaper"), QStringLiteral(" Ａ４用紙・縦 [210mm×297mm]"));

        auto* formType = f.find<QComboBox>("cbFormType");
        QCOMPARE(formType->count(), 8);
        QCOMPARE(formType->currentIndex(), 3);
        formType->setCurrentIndex(1);
        emit formType->activated(1);
        QCOMPARE(f.log.built.back().formType, 1);
        QCOMPARE(f.text("pnPages"), QStringLiteral(" 3枚 [3名]"));
        QCOMPARE(f.text("pnPaper"), QStringLiteral(" Ｂ５用紙・横 [257mm×182mm]"));
    }

    void showsTheControlsOfEachReport() {
        DialogFixture f;
        f.open(ReportKind::PaySlips, true);
        QVERIFY(f.find<QComboBox>("cbFormType")->isVisible());
        QVERIFY(f.find<QPlainTextEdit>("mmEditMemo")->isEnabled());
        QVERIFY(f.find<QCheckBox>("cbBikoPrn")->isVisible());
        QVERIFY(!f.find<QCheckBox>("cbAllPrint")->isVisible());
        QCOMPARE(f.find<QPushButton>("btCsvFile")->text(), QStringLiteral("画像に保存"));
        QVERIFY(f.find<QPushButton>("btCsvFile")->isEnabled());
        QCOMPARE(f.text("lbNengappi1"), QStringLiteral("令和    年    月    日"));
        QCOMPARE(f.find<QLineEdit>("edMonth")->text(), QStringLiteral(" 4"));
        QCOMPARE(f.text("pnPrinter"), QStringLiteral(" PDFに保存"));

        f.open(ReportKind::MonthlyList);  // no export given: the button stays off
        QCOMPARE(f.text("lbNengappi"), QStringLiteral("印刷方法"));
        QVERIFY(f.find<QRadioButton>("rbNormal")->isVisible());
        QVERIFY(!f.find<QLineEdit>("edYear")->isVisible());
        QVERIFY(!f.find<QComboBox>("cbFormType")->isVisible());
        QVERIFY(!f.find<QPlainTextEdit>("mmEditMemo")->isEnabled());
        QCOMPARE(f.find<QPushButton>("btCsvFile")->text(), QStringLiteral("CSV書き出し"));
        QVERIFY(!f.find<QPushButton>("btCsvFile")->isEnabled());
        QCOMPARE(f.text("pnPaper"), QStringLiteral(" Ａ４用紙・横 [297mm×210mm]"));
        f.click("rbBusyo");
        QCOMPARE(f.log.built.back().listMethod, ListMethod::ByDepartment);

        f.open(ReportKind::Denominations);
        QVERIFY(f.find<QCheckBox>("cbAllPrint")->isVisible());
        // The pay date row belongs to the slips: no greyed boxes beside 支給日 elsewhere.
        QVERIFY(!f.find<QLineEdit>("edYear")->isVisible());
        QVERIFY(!f.find<QLabel>("lbNengappi")->isVisible());
        QVERIFY(!f.find<QPushButton>("btCsvFile")->isEnabled());
        f.click("cbAllPrint");
        QVERIFY(f.log.built.back().allEmployees);
    }

    void payDateEditsTakeDigitsAndBlanksOnly() {
        DialogFixture f;
        f.settings.overwriteInput = false;
        f.makeDialog();
        f.open(ReportKind::PaySlips);
        auto* day = f.find<QLineEdit>("edDay");
        day->clear();
        QTest::keyClicks(day, "1a-");
        QCOMPARE(day->text(), QStringLiteral("1"));
        QTest::keyClick(day, Qt::Key_5);
        QCOMPARE(f.dialog->choices().payDate, (PayDateEntry{"令和", 8, 4, 15}));
    }

    void commentKeepsFiveLinesAndTheLengthLimit() {
        QCOMPARE(limitedMemoText(QStringLiteral("1\n2\n3\n4\n5\n6")),
                 QStringLiteral("1\n2\n3\n4\n5"));
        QCOMPARE(limitedMemoText(QStringLiteral("1\n2\n3\n4\n5\n")),
                 QStringLiteral("1\n2\n3\n4\n5"));
        QCOMPARE(limitedMemoText(QString(171, QChar(0x3042))), QString(170, QChar(0x3042)));

        DialogFixture f;
        f.open(ReportKind::PaySlips);
        auto* memo = f.find<QPlainTextEdit>("mmEditMemo");
        memo->setPlainText(QStringLiteral("一\n二\n三\n四\n五"));
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Return);  // a sixth line is taken away at once
        QCOMPARE(memo->toPlainText(), QStringLiteral("一\n二\n三\n四\n五"));
        QCOMPARE(f.dialog->choices().comment,
                 (std::vector<std::string>{"一", "二", "三", "四", "五"}));

        f.click("cbBikoPrn");
        QVERIFY(!memo->isEnabled());
        QVERIFY(f.dialog->choices().printRemarks);
    }

    void correctionButtonsMoveByATenthAndReset() {
        DialogFixture f;
        f.settings.printOffsetYTenths = 3;
        f.makeDialog();
        f.open(ReportKind::PaySlips);
        auto* vertical = f.find<QLineEdit>("edAdjustV");
        auto* horizontal = f.find<QLineEdit>("edAdjustH");
        QCOMPARE(vertical->text(), QStringLiteral("  0.3"));
        QCOMPARE(horizontal->maxLength(), 5);
        for (int i = 0; i < 4; ++i) f.click("sbUp");
        QCOMPARE(vertical->text(), QStringLiteral(" -0.1"));
        f.click("sbDown");
        QCOMPARE(vertical->text(), QStringLiteral("  0.0"));
        f.click("sbRight");
        f.click("sbRight");
        f.click("sbLeft");
        QCOMPARE(horizontal->text(), QStringLiteral("  0.1"));
        vertical->setText(QStringLiteral("-99.9"));
        f.click("sbUp");  // -100.0 would not fit the edit
        QCOMPARE(vertical->text(), QStringLiteral("-99.9"));
        f.click("sbReset");
        QCOMPARE(vertical->text(), QStringLiteral("  0.0"));
        QCOMPARE(horizontal->text(), QStringLiteral("  0.0"));
    }

    void correctionThatIsNoNumberIsRefused() {
        DialogFixture f;
        f.open(ReportKind::PaySlips);
        auto* vertical = f.find<QLineEdit>("edAdjustV");
        vertical->setText(QStringLiteral("1.2.3"));
        f.click("sbDown");
        QCOMPARE(vertical->text(), QStringLiteral("1.2.3"));
        QVERIFY(f.messages.lastText().contains(QStringLiteral("「1.2.3」は数値ではありません")));

        f.files.answerNext(f.pdfPath());
        f.click("btPrint");
        QCOMPARE(f.files.asked(), 0);  // nothing asked, nothing printed
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Cancelled);
        QVERIFY(!QFile::exists(f.pdfPath()));
        QCOMPARE(f.messages.shown().size(), std::size_t(2));
    }

    void printsToPdfAndKeepsTheSettings() {
        DialogFixture f;
        f.open(ReportKind::PaySlips);
        auto* formType = f.find<QComboBox>("cbFormType");
        formType->setCurrentIndex(2);  // one slip a sheet: three pages
        emit formType->activated(2);
        f.click("sbDown");
        f.click("sbLeft");
        f.click("sbLeft");
        // The report was built for the new form type; printing draws from that build.
        QCOMPARE(f.log.drawn, (std::vector<int>{1, 2, 1, 2, 3}));
        f.files.answerNext(f.pdfPath());
        f.click("btPrint");

        QCOMPARE(f.dialog->outcome(), PrintOutcome::Printed);
        QVERIFY(!f.dialog->isVisible());
        // Where the file went is said.
        QCOMPARE(f.messages.shown().size(), std::size_t{1});
        QVERIFY(f.messages.lastText().startsWith(QStringLiteral("PDFファイルを保存しました。")));
        QVERIFY(f.messages.lastText().contains(QFileInfo(f.pdfPath()).fileName()));
        QFileInfo pdf(f.pdfPath());
        QVERIFY(pdf.exists() && pdf.size() > 0);
        QCOMPARE(pdfPages(f.pdfPath()), 3);
        QCOMPARE(f.log.drawn.size(), std::size_t{5});

        f.ini.reload();
        QCOMPARE(f.ini.readInt("Option", "FormType", -1), 2);
        QCOMPARE(f.ini.readInt("Option", "PrAdjustH", 99), -2);
        QCOMPARE(f.ini.readInt("Option", "PrAdjustV", 99), 1);
        QCOMPARE(f.ini.readString("PrintInfo", "DeviceName"), std::string("PDFに保存"));
        QCOMPARE(f.ini.readString("PrintInfo", "PaperSize"), std::string("9"));
        QCOMPARE(f.ini.readString("PrintInfo", "Orientation"), std::string("1"));

        // The next dialog starts from what was printed.
        f.makeDialog();
        f.open(ReportKind::PaySlips);
        QCOMPARE(f.find<QComboBox>("cbFormType")->currentIndex(), 2);
        QCOMPARE(f.find<QLineEdit>("edAdjustH")->text(), QStringLiteral(" -0.2"));
        QCOMPARE(f.text("pnPrinter"), QStringLiteral(" PDFに保存"));
    }

    // With a system printer chosen, PDFに保存 still writes a PDF, proposing the report's name in
    // the folder the last PDF went to.
    void pdfButtonWritesAPdfWhateverPrinterIsChosen() {
        DialogFixture f;
        f.open(ReportKind::PaySlips);
        f.files.answerNext(f.pdfPath());
        f.click("btPdf");
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Printed);
        QVERIFY(QFileInfo(f.pdfPath()).size() > 0);
        QVERIFY2(f.files.lastProposal().endsWith(QStringLiteral(".pdf")),
                 qPrintable(f.files.lastProposal()));

        f.makeDialog();
        f.open(ReportKind::PaySlips);
        f.files.answerNext(std::nullopt);
        f.click("btPdf");
        QCOMPARE(QFileInfo(f.files.lastProposal()).absolutePath(),
                 QFileInfo(f.pdfPath()).absolutePath());
    }

    void unwritablePdfIsReportedNotPrinted() {
        DialogFixture f;
        f.open(ReportKind::TransferList);
        f.files.answerNext(f.folder.filePath(QStringLiteral("無い/一覧.pdf")));
        f.click("btPrint");
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Cancelled);
        QVERIFY(f.dialog->isVisible());
        QVERIFY(f.messages.lastText().startsWith(
            QStringLiteral("PDFファイルを書き込めませんでした。")));

        // Cancelling the file dialog prints nothing and says nothing.
        f.messages.clear();
        f.files.answerNext(std::nullopt);
        f.click("btPrint");
        QVERIFY(f.dialog->isVisible());
        QVERIFY(f.messages.shown().empty());
    }

    void nothingToPrintIsSaid() {
        DialogFixture f;
        f.employees = 0;
        f.open(ReportKind::PaySlips);
        f.click("btPrint");
        QCOMPARE(f.files.asked(), 0);
        QCOMPARE(f.messages.lastText(), QStringLiteral("印刷するページがありません。"));
    }

    void reportThatFailsToDrawIsSaidAndNotPrinted() {
        DialogFixture f;
        PrintRequest request = f.request(ReportKind::Roster);
        request.buildReport = [&f](const PrintChoices& choices) {
            auto report = std::make_unique<FakeReport>(ReportKind::Roster, 3, choices, f.log);
            report->failOnPage(1);
            return report;
        };
        f.dialog->prepare(request);
        f.dialog->show();
        f.files.answerNext(f.pdfPath());
        f.click("btPrint");
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Cancelled);
        QVERIFY(f.dialog->isVisible());
        QVERIFY(f.messages.lastText().contains(QStringLiteral("データファイルを読めません。")));
        QVERIFY(!QFile::exists(f.pdfPath()));
    }

    void exportClosesTheDialog() {
        DialogFixture f;
        f.open(ReportKind::Ledger, true);
        f.click("btCsvFile");
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Exported);
        QVERIFY(!f.dialog->isVisible());
    }

    // 社員別PDF出力 is offered for pay slips given that export only, and runs that export.
    void employeePdfsButtonRunsItsOwnExport() {
        DialogFixture f;
        f.open(ReportKind::PaySlips, true);
        QVERIFY(!f.find<QPushButton>("btPdfEach")->isVisible());
        PrintRequest request = f.request(ReportKind::PaySlips, true);
        std::vector<PrintChoices> exported;
        request.exportReport = [](QWidget*, const PrintChoices&) { return false; };
        request.exportEmployeePdfs = [&](QWidget*, const PrintChoices& choices) {
            exported.push_back(choices);
            return true;
        };
        f.dialog->prepare(request);
        QVERIFY(f.find<QPushButton>("btPdfEach")->isVisibleTo(f.dialog.get()));
        f.click("btPdfEach");
        QCOMPARE(exported.size(), std::size_t{1});
        QCOMPARE(exported[0].formType, 3);
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Exported);

        f.open(ReportKind::Ledger, true);  // another report keeps it hidden
        QVERIFY(!f.find<QPushButton>("btPdfEach")->isVisible());
    }

  private:
    static int pdfPages(const QString& path) {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) return 3;
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path});
        if (!info.waitForFinished()) return -1;
        for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
            if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
        }
        return -1;
    }
};

KEIRO_QTEST(PrintDialogTest);

}  // namespace keiro::print

#include "print_dialog_test.moc"
