// 所得税徴収高計算書 from the main window on the sample company: the month of the open period is
// proposed, the half-year chosen instead reaches the print dialog, and its CSV is written.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "core/fileio.h"
#include "core/text.h"
#include "payroll/main_window.h"
#include "payroll/tax_payment_chooser.h"
#include "payroll/tool_tray.h"
#include "tests/payroll/demo_main_window.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

class TaxPaymentWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void tabFollowsReadingOrder() {
        TaxPaymentChooser chooser(nullptr);
        KEIRO_VERIFY_TAB_ORDER(chooser);
    }

    void theChoiceRoundTripsAndOnlyItsOwnListIsEnabled() {
        TaxPaymentChooser chooser(nullptr);
        chooser.setChoice({true, 2});
        QVERIFY(chooser.findChild<QRadioButton*>("rbHalf")->isChecked());
        QVERIFY(!chooser.findChild<QComboBox*>("cbMonth")->isEnabled());
        QVERIFY(chooser.choice() == (print::TaxPaymentChoice{true, 2}));
        chooser.findChild<QRadioButton*>("rbMonth")->setChecked(true);
        chooser.findChild<QComboBox*>("cbMonth")->setCurrentIndex(10);
        QVERIFY(chooser.findChild<QComboBox*>("cbMonth")->isEnabled());
        QVERIFY(chooser.choice() == (print::TaxPaymentChoice{false, 11}));
    }

    void theHalfYearChosenFromTheMainWindowIsWrittenAsCsv() {
        DemoMainWindow demo(11);
        const std::filesystem::path csv = demo.folder / "gensen.csv";
        int proposedMonth = 0;
        bool printed = false;
        QTimer::singleShot(0, [&] {
            QWidget* chooser = QApplication::activeModalWidget();
            QVERIFY(chooser != nullptr);
            QCOMPARE(chooser->objectName(), QStringLiteral("fmChoshudakaChoice"));
            proposedMonth = chooser->findChild<QComboBox*>("cbMonth")->currentIndex() + 1;
            chooser->findChild<QRadioButton*>("rbHalf")->setChecked(true);
            chooser->findChild<QComboBox*>("cbHalf")->setCurrentIndex(1);
            QTimer::singleShot(0, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog != nullptr);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("所得税徴収高計算書の印刷"));
                printed = true;
                demo.dialogs.answerNext(QString::fromStdString(csv.string()));
                dialog->findChild<QPushButton*>("btCsvFile")->click();
            });
            qobject_cast<QDialog*>(chooser)->accept();
        });
        demo.main->toolTray()->button("sbChoshudaka")->click();
        QCOMPARE(proposedMonth, 11);
        QVERIFY(printed);
        QCOMPARE(demo.messages.lastText(),
                 QStringLiteral("所得税徴収高計算書をCSVファイルに出力しました。"));
        const std::string content = text::fromCp932(readFile(csv));
        QVERIFY(content.rfind("区分,支払年月日,人員,支給額,税額\r\n", 0) == 0);
        QVERIFY(content.find("賞与,令和8年7月10日,") != std::string::npos);
    }
};

}  // namespace keiro::payroll

using keiro::payroll::TaxPaymentWindowTest;
KEIRO_QTEST(TaxPaymentWindowTest);
#include "tax_payment_window_test.moc"
