// 住民税取込 from the employee list on the sample company: the preview of old and new amounts with
// the refused lines, 取込 writing only the accepted employee and logging it, キャンセル writing
// nothing, and the checks that stop before any preview.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <cstring>
#include <functional>

#include "core/employee_csv.h"
#include "core/fileio.h"
#include "core/syslog.h"
#include "core/text.h"
#include "payroll/employee_list_window.h"
#include "payroll/resident_tax_import_dialog.h"
#include "tests/support/demo_company.h"
#include "tests/support/qt_test_main.h"

namespace keiro::payroll {

using testing_support::DemoCompany;
using ui::MessageKind;

class ResidentTaxImportDialogTest : public QObject {
    Q_OBJECT

    struct Fixture : DemoCompany {
        std::unique_ptr<EmployeeListWindow> window;
        std::filesystem::path csv = folder / "juumin.csv";

        explicit Fixture(int period) : DemoCompany(period) {
            EmployeeListContext context{year,
                                        *ini,
                                        state.settings,
                                        places,
                                        messages,
                                        dialogs,
                                        [](QWidget*, int) { return 0; },
                                        nullptr,
                                        {}};
            window = std::make_unique<EmployeeListWindow>(nullptr, context);
        }
        std::string code(int slot) const { return year.block().employee(slot).employeeCode.utf8(); }
        // Clicks 住民税取込 with `body` below the header as the chosen file; `inDialog` runs on
        // the preview once it is shown.
        void import(const std::string& body,
                    const std::function<void(ResidentTaxImportDialog*)>& inDialog = {}) {
            writeFileAtomic(csv, text::toCp932("社員コード,6月分,7月以降\r\n" + body));
            dialogs.answerNext(QString::fromStdString(csv.string()));
            if (inDialog) {
                QTimer::singleShot(0, [inDialog] {
                    auto* dialog =
                        qobject_cast<ResidentTaxImportDialog*>(QApplication::activeModalWidget());
                    QVERIFY(dialog != nullptr);
                    inDialog(dialog);
                });
            }
            window->findChild<QPushButton*>("sbJuuminImport")->click();
        }
        bool logged() const {
            for (const std::string& line : readLogLines(places.dataFolder).lines) {
                if (line.find(logText(kLogEmployeeUpdated)) != std::string::npos) return true;
            }
            return false;
        }
    };

  private slots:
    void previewShowsOldAndNewAndImportWritesOnlyAcceptedLines() {
        Fixture f(11);
        const auto before = std::make_unique<PeriodBlock>(f.year.block());
        const int oldJune = f.year.block().employee(2).residentTaxJune;
        f.import(
            f.code(2) + ",\"15,400\",15000\r\n" + f.code(3) + ",abc,1\r\nZZZ,1,1\r\n",
            [&](ResidentTaxImportDialog* dialog) {
                QCOMPARE(dialog->windowTitle(), QString::fromUtf8(kResidentTaxImportCaption));
                QTableWidget* table = dialog->table();
                QCOMPARE(table->rowCount(), 1);
                QCOMPARE(table->item(0, 0)->text().toStdString(), f.code(2));
                QCOMPARE(table->item(0, 2)->text(),
                         QString::fromStdString(formatAmount(0, oldJune)));
                QCOMPARE(table->item(0, 3)->text(), QStringLiteral("15,400"));
                QCOMPARE(table->item(0, 5)->text(), QStringLiteral("15,000"));
                QCOMPARE(dialog->refusedList()->count(), 2);
                QVERIFY(dialog->refusedList()->item(0)->text().startsWith("3行目: 6月分[abc]"));
                QVERIFY(dialog->refusedList()->item(1)->text().startsWith("4行目: 社員コード"));
                QCOMPARE(dialog->findChild<QLabel*>("lbRefusedCaption")->text(),
                         QStringLiteral(
                             "次の2行は取り込めません。これらの行の社員の住民税は変わりません。"));
                // KEIRO_RESIDENT_TAX_SHOT=file.png keeps a picture of the preview.
                if (const QString shot = qEnvironmentVariable("KEIRO_RESIDENT_TAX_SHOT");
                    !shot.isEmpty()) {
                    QVERIFY(QTest::qWaitForWindowExposed(dialog));
                    QVERIFY(dialog->grab().save(shot));
                }
                dialog->findChild<QPushButton*>("btImport")->click();
            });
        QCOMPARE(f.messages.lastText(), QStringLiteral("1名の住民税額を更新しました。"));
        QCOMPARE(int(f.year.block().employee(2).residentTaxJune), 15'400);
        QCOMPARE(int(f.year.block().employee(2).residentTax), 15'000);
        auto expected = std::make_unique<PeriodBlock>(*before);
        expected->employee(2).residentTaxJune = 15'400;
        expected->employee(2).residentTax = 15'000;
        QVERIFY(std::memcmp(expected.get(), &f.year.block(), sizeof(PeriodBlock)) == 0);
        QVERIFY(f.logged());
    }

    void cancelWritesNothing() {
        Fixture f(11);
        const auto before = std::make_unique<PeriodBlock>(f.year.block());
        f.import(f.code(1) + ",1,2\r\n", [](ResidentTaxImportDialog* dialog) {
            dialog->findChild<QPushButton*>("btCancel")->click();
        });
        QVERIFY(std::memcmp(before.get(), &f.year.block(), sizeof(PeriodBlock)) == 0);
        QVERIFY(f.messages.shown().empty());
        QVERIFY(!f.logged());
    }

    void aMonthBeforeJuneOrAFileWithoutHeaderStopsBeforeThePreview() {
        Fixture may(5);
        may.window->findChild<QPushButton*>("sbJuuminImport")->click();
        QCOMPARE(may.dialogs.asked(), 0);
        QCOMPARE(may.messages.lastText(), QString::fromUtf8(kMsgResidentTaxWrongPeriod.data(),
                                                            kMsgResidentTaxWrongPeriod.size()));

        Fixture f(11);
        const auto before = std::make_unique<PeriodBlock>(f.year.block());
        writeFileAtomic(f.csv, f.code(1) + ",100,100\r\n");
        f.dialogs.answerNext(QString::fromStdString(f.csv.string()));
        f.window->findChild<QPushButton*>("sbJuuminImport")->click();
        QCOMPARE(f.messages.shown().back().kind, MessageKind::Error);
        QCOMPARE(f.messages.lastText(),
                 QString::fromUtf8(kMsgResidentTaxNoHeader.data(), kMsgResidentTaxNoHeader.size()));
        std::filesystem::remove(f.csv);  // gone since it was chosen
        f.dialogs.answerNext(QString::fromStdString(f.csv.string()));
        f.window->findChild<QPushButton*>("sbJuuminImport")->click();
        QCOMPARE(f.messages.lastText(), QString::fromUtf8(kMsgCsvCannotOpen.data()));
        QVERIFY(std::memcmp(before.get(), &f.year.block(), sizeof(PeriodBlock)) == 0);
    }
};

KEIRO_QTEST(ResidentTaxImportDialogTest);

}  // namespace keiro::payroll

#include "resident_tax_import_dialog_test.moc"
