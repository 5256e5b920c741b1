// Printing in the withholding-slip program on the sample company's 2026: the dialog each
// document opens, the printer each keeps for itself, the system log after a print, and the
// preview's ボタンを表示する kept as the program's setting; the 年末調整一覧表.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "core/syslog.h"
#include "print/qt/dialog/preview_window.h"
#include "tests/support/qt_test_main.h"
#include "tests/withholding/lg_fixture.h"
#include "withholding/document_printing.h"

namespace keiro::withholding {

namespace fs = std::filesystem;
using testing::LgFixture;

namespace {

// The sample's company with its employees' first three lines checked and calculated, and
// printing wired as the program wires it (no printer installed, so a print is a PDF).
struct PrintFixture {
    LgFixture lg;
    std::unique_ptr<DocumentPrinting> printing;
    std::vector<int> checked;

    PrintFixture() {
        if (!lg.start()) qFatal("the sample year did not open");
        for (int row = 0; row < 3; ++row) {
            lg.list()->item(row)->setCheckState(Qt::Checked);
            checked.push_back(lg.list()->item(row)->text().mid(1, 3).toInt());
        }
        lg.window->calculateChecked();  // calculated first, as a clerk prints them
        lg.messages.clear();
        DocumentPrinting::Services services{
            lg.messages, lg.dialogs, *lg.ini, lg.files.places.dataFolder, {}};
        services.installedPrinters = [] { return QStringList(); };
        printing = std::make_unique<DocumentPrinting>(*lg.window, services, lg.settings);
        lg.window->setPrinter([this](int tag, bool, std::vector<int> people) {
            printing->print(tag, std::move(people));
        });
    }

    print::PrintDialog& dialog() { return printing->dialog(); }
    QString text(const char* name) {
        return dialog().findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    void click(const char* name) {
        dialog().findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    }

    // Runs the print command `tag`; `whileOpen` acts on the open dialog and must close it.
    void print(int tag, std::function<void()> whileOpen) {
        QTimer::singleShot(0, &dialog(), std::move(whileOpen));
        lg.window->printChecked(tag);
    }
    // Prints `tag` to a PDF of that name in the data folder.
    fs::path printToPdf(int tag, const char* name) {
        const fs::path pdf = lg.files.places.dataFolder / name;
        lg.dialogs.answerNext(testing::qpath(pdf));
        print(tag, [this] { click("btPrint"); });
        return pdf;
    }

    std::vector<std::string> log() const { return readLogLines(lg.files.places.dataFolder).lines; }
    std::string ini(const char* section, const char* key) {
        lg.ini->reload();
        return lg.ini->readString(section, key);
    }
};

bool endsWith(const std::string& line, const std::string& tail) {
    return line.size() >= tail.size() &&
           line.compare(line.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

  private slots:
    void eachDocumentOpensItsOwnDialog() {
        PrintFixture f;
        const std::size_t before = f.log().size();
        struct Case {
            int tag;
            QString caption, sheets;
        };
        for (const Case& c : {Case{kPrintSlips, "源泉徴収票の印刷", " 3枚 [3名]"},
                              Case{kPrintRefunds, "還付金通知書の印刷", " 2枚 [3名]"},
                              Case{kPrintPaymentReports, "給与支払報告書の印刷", " 3枚 [3名]"}}) {
            bool seen = false;
            f.print(c.tag, [&] {
                seen = true;
                QCOMPARE(f.dialog().windowTitle(), c.caption);
                QCOMPARE(f.text("pnPages"), c.sheets);
                // Nothing to choose but the printer and the correction, nothing to export.
                QVERIFY(!f.dialog().findChild<QWidget*>("gbReport")->isVisible());
                QVERIFY(!f.dialog().findChild<QWidget*>("btCsvFile")->isVisible());
                f.click("btCancel");
            });
            QVERIFY(seen);
        }
        QCOMPARE(f.log().size(), before);  // nothing was printed
    }

    // The documents are those of the withholding file in memory, which has not been saved yet.
    void slipsAndReportsAreLoggedNoticesAreNot() {
        PrintFixture f;
        QVERIFY(!fs::exists(f.lg.withholdingFile()));
        const std::size_t before = f.log().size();

        QVERIFY(fs::file_size(f.printToPdf(kPrintSlips, "slips.pdf")) > 0);
        QCOMPARE(f.log().size(), before + 1);
        QVERIFY(endsWith(f.log().back(), "  源泉徴収票の印刷"));

        QVERIFY(fs::file_size(f.printToPdf(kPrintRefunds, "notices.pdf")) > 0);
        QCOMPARE(f.log().size(), before + 1);

        // 印刷実行 in the preview prints as the dialog does.
        f.lg.dialogs.answerNext(testing::qpath(f.lg.files.places.dataFolder / "reports.pdf"));
        f.print(kPrintPaymentReports, [&f] {
            print::PreviewWindow* preview = f.dialog().preview();
            QTimer::singleShot(0, preview, [preview] { preview->accept(); });
            f.click("btPreView");
        });
        QVERIFY(fs::file_size(f.lg.files.places.dataFolder / "reports.pdf") > 0);
        QCOMPARE(f.log().size(), before + 2);
        QVERIFY(endsWith(f.log().back(), "  給与支払報告書の印刷"));

        // A PDF that was not written is no print.
        f.lg.dialogs.answerNext(std::nullopt);
        f.print(kPrintSlips, [&f] {
            f.click("btPrint");  // the file dialog is cancelled: the dialog stays open
            f.click("btCancel");
        });
        QCOMPARE(f.log().size(), before + 2);
        // Nothing was said but where each PDF went.
        for (const auto& shown : f.lg.messages.shown())
            QVERIFY2(shown.text.startsWith(QStringLiteral("PDFファイルを保存しました。")),
                     qPrintable(shown.text));
    }

    void eachDocumentKeepsItsPrinterAndAllShareTheCorrection() {
        PrintFixture f;
        f.print(kPrintSlips, [&f] {
            f.click("sbPosDown");
            f.click("sbPosRight");
            f.lg.dialogs.answerNext(testing::qpath(f.lg.files.places.dataFolder / "s.pdf"));
            f.click("btPrint");
        });
        f.printToPdf(kPrintRefunds, "n.pdf");

        QCOMPARE(f.ini("PrintInfo1", "DeviceName"), std::string("PDFに保存"));
        QCOMPARE(f.ini("PrintInfo1", "PaperSize"), std::string("9"));
        QCOMPARE(f.ini("PrintInfo1", "Orientation"), std::string("2"));
        QCOMPARE(f.ini("PrintInfo2", "PaperSize"), std::string("13"));
        QCOMPARE(f.ini("PrintInfo2", "Orientation"), std::string("1"));
        QVERIFY(!f.lg.ini->hasKey("PrintInfo5", "DeviceName"));
        // The payroll program's printer and form type are its own.
        QVERIFY(!f.lg.ini->hasKey("PrintInfo", "DeviceName"));
        QVERIFY(!f.lg.ini->hasKey("Option", "FormType"));
        QCOMPARE(f.lg.ini->readInt("Option", "PrAdjustH", 0), 1);
        QCOMPARE(f.lg.ini->readInt("Option", "PrAdjustV", 0), 1);

        // The next dialog of any document starts from the correction printed with.
        f.print(kPrintPaymentReports, [&f] {
            QCOMPARE(f.dialog().findChild<QLineEdit*>("edPrAdjustV")->text(),
                     QStringLiteral("  0.1"));
            QCOMPARE(f.text("pnPrinter"), QStringLiteral(" PDFに保存"));
            QCOMPARE(f.text("pnPaper"), QStringLiteral(" Ａ４用紙・横  [297mm×210mm]"));
            // The correction group is this program's: its title and its own control names.
            auto* group = f.dialog().findChild<QLineEdit*>("edPrAdjustH")->parentWidget();
            QCOMPARE(static_cast<QGroupBox*>(group)->title(), QStringLiteral("印刷位置補正"));
            QVERIFY(f.dialog().findChild<QToolButton*>("sbPosReset"));
            f.click("btCancel");
        });
    }

    void previewButtonsAreTheProgramsSetting() {
        PrintFixture f;
        QVERIFY(f.lg.window->previewButtons());
        f.print(kPrintRefunds, [&f] {
            print::PreviewWindow* preview = f.dialog().preview();
            QTimer::singleShot(0, preview, [&f, preview] {
                auto* toolBar = preview->findChild<QWidget*>("pnToolBar");
                QVERIFY(toolBar->isVisible());
                QAction* buttons = preview->contextMenu()->actions().back();
                QCOMPARE(buttons->text(), QStringLiteral("ボタンを表示する(&D)"));
                buttons->trigger();
                QVERIFY(!toolBar->isVisible());
                QVERIFY(!f.lg.window->previewButtons());
                QCOMPARE(f.ini("Option", "PreViewBtn"), std::string("0"));
                preview->reject();
            });
            f.click("btPreView");
            f.click("btCancel");
        });
        // The next preview starts without its tool bar.
        f.print(kPrintRefunds, [&f] {
            print::PreviewWindow* preview = f.dialog().preview();
            QTimer::singleShot(0, preview, [preview] {
                QVERIFY(!preview->findChild<QWidget*>("pnToolBar")->isVisible());
                QVERIFY(!preview->contextMenu()->actions().back()->isChecked());
                preview->reject();
            });
            f.click("btPreView");
            f.click("btCancel");
        });
    }

    // The 年末調整一覧表 of the checked employees: its own dialog and printer, no log line.
    void yearEndListPrintsThroughTheSameDialog() {
        PrintFixture f;
        const std::size_t before = f.log().size();
        const fs::path pdf = f.lg.files.places.dataFolder / "list.pdf";
        f.lg.dialogs.answerNext(testing::qpath(pdf));
        QTimer::singleShot(0, &f.dialog(), [&f] {
            QCOMPARE(f.dialog().windowTitle(), QStringLiteral("年末調整一覧表の印刷"));
            QCOMPARE(f.text("pnPages"), QStringLiteral("  1枚 [3名]"));
            f.click("btPrint");
        });
        f.printing->printYearEndList(f.checked);
        QVERIFY(fs::file_size(pdf) > 0);
        QCOMPARE(f.ini("PrintInfo3", "Orientation"), std::string("2"));
        QCOMPARE(f.log().size(), before);
    }
};

KEIRO_QTEST(PrintingTest);

}  // namespace keiro::withholding

#include "printing_test.moc"
