// The main window as the clerk uses it on the sample company: the caption, typing into the pay
// grid, Enter moving down the editable rows, saving, and the question about unsaved changes
// when closing.
#include <QApplication>
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <cstring>
#include <filesystem>
#include <utility>

#include "calc/payroll_tables.h"
#include "core/attendance_import.h"
#include "core/employee_csv.h"
#include "core/employee_transfer.h"
#include "core/fileio.h"
#include "core/slip_password.h"
#include "core/startup.h"
#include "core/text.h"
#include "core/yearfile.h"
#include "payroll/employee_editor.h"
#include "payroll/employee_list_window.h"
#include "payroll/layout_grid.h"
#include "payroll/main_window.h"
#include "payroll/pay_entry_window.h"
#include "payroll/pay_grid_view.h"
#include "payroll/slip_layout_window.h"
#include "payroll/social_insurance_tasks.h"
#include "payroll/tool_tray.h"
#include "payroll/zengin_date_dialog.h"
#include "tests/support/demo_company.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"
#include "widgets/notice_window.h"

namespace keiro::payroll {

using testing_support::TempFolder;
using ui::Answer;
using ui::ScriptedMessageService;

class MainWindowTest : public QObject {
    Q_OBJECT

    // The sample company of 2026-12-08 with one period open in the main window.
    struct Demo : testing_support::DemoCompany {
        std::unique_ptr<MainWindow> window;

        explicit Demo(int period, PeriodEntry entry = {}) : DemoCompany(period, entry) {
            MainContext context{places,         *ini,     state.settings, tables,
                                state.eraNames, messages, dialogs,        2026};
            window = std::make_unique<MainWindow>(context, year);
            window->resize(1000, 600);
            window->show();
            window->showPeriod();
        }

        PayGrid& grid() { return window->grid(); }
        PayGridView* view() { return window->gridView(); }
        int row(const char* label) {
            for (int r = 1; r < grid().rowCount(); ++r) {
                if (grid().text(r, 0) == label) return r;
            }
            return 0;
        }
        int editableColumn(int row) {
            for (int c = 1; c <= grid().employeeCount(); ++c) {
                if (grid().isEditable(row, c)) return c;
            }
            return 0;
        }
        // Opens the cell editor on grid cell (row, col), types `keys` and presses Enter.
        void type(int row, int col, const QString& keys) {
            view()->selectCell(row, col);
            view()->edit(view()->model()->index(row - 1, col - 1));
            auto* editor = qobject_cast<QLineEdit*>(view()->cellEditor());
            QVERIFY(editor != nullptr);
            editor->selectAll();
            QTest::keyClicks(editor, keys);
            QTest::keyClick(editor, Qt::Key_Return);
        }
        // Runs a print command of the tool tray: the employee list's choice (everyone, as it
        // starts) when the command asks for one, then the print dialog, whose `button` is
        // clicked.
        void print(const char* command, const char* caption, const char* button, bool chooses) {
            const auto clickInDialog = [caption, button] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog != nullptr);
                QCOMPARE(dialog->windowTitle(), QString(caption));
                dialog->findChild<QPushButton*>(button)->click();
            };
            QTimer::singleShot(0, [chooses, clickInDialog] {
                if (!chooses) return clickInDialog();
                auto* list = qobject_cast<EmployeeListWindow*>(QApplication::activeModalWidget());
                QVERIFY(list != nullptr);
                QTimer::singleShot(0, clickInDialog);
                list->findChild<QPushButton*>("btOK")->click();
            });
            window->toolTray()->button(command)->click();
        }
        std::string cell(int row, int col) {
            return QString::fromStdString(grid().text(row, col)).trimmed().toStdString();
        }
    };

    // Answers the 取組日 dialog the transfer file asks for, with `date` when given.
    static void acceptTransferDate(QDate date = {}) {
        QTimer::singleShot(0, [date] {
            auto* dialog = qobject_cast<ZenginDateDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            if (date.isValid()) dialog->findChild<QDateEdit*>("edKumiDate")->setDate(date);
            dialog->accept();
        });
    }

  private slots:
    void captionNamesTheCompanyAndThePeriod() {
        Demo demo(11);
        QCOMPARE(demo.window->windowTitle(),
                 QString("Keiro 【株式会社サンプル商事 令和8年11月分給与】"));
        QVERIFY(demo.grid().employeeCount() > 0);
        // KEIRO_MAIN_WINDOW_SHOT=file.png keeps a picture of the window for a person to look at.
        if (const QString shot = qEnvironmentVariable("KEIRO_MAIN_WINDOW_SHOT"); !shot.isEmpty()) {
            demo.window->resize(1366, 768);  // an office laptop's screen
            demo.window->toolTray()->button("imInformation")->click();
            QApplication::processEvents();
            QVERIFY(demo.window->grab().save(shot));
        }
        QVERIFY(demo.window->toolTray()->button("imDataEdit")->isEnabled());
    }

    // Every command of the table has its button; each button is enabled by its rule and a
    // disabled one says why, whatever the state of the period.
    void commandsAreEnabledByTheirRules() {
        Demo demo(11);
        ToolTray* tray = demo.window->toolTray();
        const auto enabledAndTip = [tray](const char* name) {
            QToolButton* button = tray->button(QString::fromLatin1(name));
            return std::make_pair(button->isEnabled(), button->toolTip());
        };
        for (const MainWindow::Command& command : demo.window->commands()) {
            QVERIFY2(tray->button(QString::fromLatin1(command.name)) != nullptr, command.name);
        }
        QCOMPARE(enabledAndTip("imFileSave"), std::make_pair(true, QString("データ保存")));
        QCOMPARE(enabledAndTip("sbDataEdit").first, true);

        // A period without employees: nothing to enter for, everything else as before.
        std::memset(demo.year.block().employees, 0, sizeof demo.year.block().employees);
        demo.window->showPeriod();
        QCOMPARE(enabledAndTip("imDataEdit"),
                 std::make_pair(false, QString("社員が登録されていないため使えません。")));
        QCOMPARE(enabledAndTip("sbKintaiInport").first, false);
        QCOMPARE(enabledAndTip("imFileSave"), std::make_pair(true, QString("データ保存")));

        // No period open: only what needs none.
        YearData none;
        MainContext context{demo.places,         *demo.ini,     demo.state.settings, demo.tables,
                            demo.state.eraNames, demo.messages, demo.dialogs,        2026};
        MainWindow empty(context, none);
        empty.showPeriod();
        ToolTray* emptyTray = empty.toolTray();
        QVERIFY(!emptyTray->button("imFileSave")->isEnabled());
        QCOMPARE(emptyTray->button("sbConfig")->toolTip(),
                 QString("給与対象月/賞与時期を選択すると使えます。"));
        QVERIFY(emptyTray->button("imReturn")->isEnabled());
        QVERIFY(emptyTray->button("sbVerInfo")->isEnabled());
        emptyTray->button("imFileSave")->click();  // a disabled button does nothing
        QVERIFY(demo.messages.shown().empty());
    }

    // Only the slip layout of the open period's kind is offered; its OK rebuilds the grid from
    // the layout written.
    void slipLayoutOfThePeriodKindRebuildsTheGrid() {
        Demo demo(11);
        ToolTray* tray = demo.window->toolTray();
        QVERIFY(tray->button("sbPrnFormK")->isEnabled());
        QVERIFY(!tray->button("sbPrnFormS")->isEnabled());
        QCOMPARE(tray->button("sbPrnFormS")->toolTip(), QString("賞与時期を選択すると使えます。"));
        QVERIFY(tray->button("sbDaicho")->isEnabled());

        // 変動手当１ switched off on every tab: no pay form enters it, so the grid drops its row.
        const std::string label = layoutItemName(demo.state.settings.itemNames, "V変動手当１");
        QVERIFY(demo.row(label.c_str()) > 0);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<SalarySlipLayoutWindow*>(QApplication::activeModalWidget());
            QVERIFY(window != nullptr);
            opened = true;
            LayoutGrid* pay = window->grid(Band::Pay);
            int row = 0;
            while (row < pay->rowCount() && pay->item(row, 1)->text().toStdString() != label) ++row;
            QVERIFY(row < pay->rowCount());
            auto* tabs = window->findChild<QTabWidget*>("PageCtrl");
            for (int tab = 0; tab < 3; ++tab) {
                tabs->setCurrentIndex(tab);
                if (pay->isShownUsed(row))
                    QTest::mouseClick(pay->viewport(), Qt::LeftButton, {}, pay->namePoint(row));
            }
            window->findChild<QPushButton*>("bbOk")->click();
        });
        tray->button("sbPrnFormK")->click();
        QVERIFY(opened);
        QCOMPARE(demo.row(label.c_str()), 0);
        QVERIFY(demo.row("出勤日数") > 0);

        Demo bonus(13, PeriodEntry{0, 0.0, 6, 25});
        ToolTray* bonusTray = bonus.window->toolTray();
        QVERIFY(bonusTray->button("sbPrnFormS")->isEnabled());
        QVERIFY(!bonusTray->button("sbPrnFormK")->isEnabled());
        QCOMPARE(bonusTray->button("sbPrnFormK")->toolTip(),
                 QString("給与の対象月を選択すると使えます。"));
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window != nullptr);
            shown = window->objectName();
            window->findChild<QPushButton*>("bbCancel")->click();
        });
        bonusTray->button("sbPrnFormS")->click();
        QCOMPARE(shown, QString("TfmPrnFormS"));
        QVERIFY(bonus.row("賞与") > 0);
    }

    void attendanceImportFillsTheGridAndReportsUnknownCodes() {
        Demo demo(11);
        const EmployeeRecord& first = demo.year.block().employee(1);
        const double previous = demo.year.readPreviousPaidLeaveBalance(11, first.recordId.bytes());
        QVERIFY(previous != YearData::kNoPaidLeaveBalance);
        const std::string code = first.employeeCode.utf8();
        const auto csv = demo.folder / "勤怠.csv";
        writeFileAtomic(csv, text::toCp932("社員コード,出勤,有休\r\n" + code +
                                           ",19,1.5,0,0,0,150:30,10:15,0,0,0,0,0,\r\n"
                                           "\"NOBODY\",20\r\n"));
        demo.dialogs.answerNext(QString::fromStdString(csv.string()));
        demo.window->toolTray()->button("sbKintaiInport")->click();

        // The refused lines are listed in one question before anything is imported.
        QCOMPARE(demo.messages.shown().size(), std::size_t{2});
        QCOMPARE(demo.messages.shown()[0].kind, ui::MessageKind::Confirmation);
        QVERIFY(demo.messages.shown()[0].text.contains(
            QString::fromStdString(unknownEmployeeMessage("NOBODY"))));
        QCOMPARE(demo.messages.lastText(), QStringLiteral("1名の勤怠データをインポートしました。"));
        QCOMPARE(demo.cell(demo.row("出勤日数"), 1), std::string("19.00"));
        QCOMPARE(demo.cell(demo.row("普通残業時間"), 1), std::string("10:15"));
        QCOMPARE(demo.year.block().attendance[0].paidLeaveBalance, previous - 1.5);

        // Answering いいえ to the list imports nothing, not even the good lines.
        QVERIFY(demo.window->recalculatePeriod());
        const auto before = std::make_unique<PeriodBlock>(demo.year.block());
        writeFileAtomic(
            csv, text::toCp932("社員コード,出勤\r\n" + code + ",18\r\n" + code + ",20,0,-1\r\n"));
        demo.dialogs.answerNext(QString::fromStdString(csv.string()));
        demo.messages.answerNext(ui::Answer::No);
        demo.window->toolTray()->button("sbKintaiInport")->click();
        QVERIFY(demo.messages.lastText().contains(QStringLiteral("負の値は入力できません。")));
        QVERIFY(std::memcmp(before.get(), &demo.year.block(), sizeof(PeriodBlock)) == 0);

        // A file gone since it was chosen: a message, nothing changed.
        demo.messages.clear();
        demo.dialogs.answerNext(QString::fromStdString((demo.folder / "gone.csv").string()));
        demo.window->toolTray()->button("sbKintaiInport")->click();
        QVERIFY(demo.messages.lastText().startsWith(QString::fromUtf8(kMsgCsvCannotOpen.data())));
        QVERIFY(std::memcmp(before.get(), &demo.year.block(), sizeof(PeriodBlock)) == 0);
    }

    // 給与/賞与明細書: the employees chosen in the list, in its order, printed to a PDF (no printer
    // is installed here) and saved as pictures, through the shared print dialog.
    void paySlipsOfTheChosenEmployeesPrintAndSaveAsPictures() {
        Demo demo(11);
        const QString pdf = QString::fromStdString((demo.folder.path() / "slips.pdf").string());
        const std::filesystem::path pictures = demo.folder.path() / "pictures";
        std::filesystem::create_directory(pictures);
        demo.window->setChooseFolder([&](QWidget*, const QString& title) {
            return std::optional<QString>(title == "明細書を画像として保存する場所を指定"
                                              ? QString::fromStdString(pictures.string())
                                              : QString());
        });
        demo.dialogs.answerNext(pdf);
        demo.print("sbMeisaihyo", "給与明細書の印刷", "btPrint", true);
        QVERIFY(QFileInfo::exists(pdf));
        QCOMPARE(
            std::filesystem::status(pdf.toStdString()).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

        demo.print("sbMeisaihyo", "給与明細書の印刷", "btCsvFile", true);
        QVERIFY(demo.messages.lastText().startsWith(
            "下記の場所に明細書をJPEG画像として保存しました。"));
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(pictures)) {
            QVERIFY(entry.path().filename().string().rfind("給与08-11[", 0) == 0);
            ++files;
        }
        int used = 0;  // the list starts with everyone registered chosen, on leave or not
        while (used < kMaxEmployees && demo.year.block().employee(used + 1).isUsed()) ++used;
        QCOMPARE(files, used);
    }

    // 社員別PDF出力 with passwords: new ones are saved with the period before any file is written,
    // each file opens with its employee's password, and the clerk is told of the notice.
    void employeePdfsAreEncryptedWithPasswordsSavedFirst() {
        Demo demo(11);
        const std::filesystem::path pdfs = demo.folder.path() / "pdfs";
        demo.window->setChooseFolder([&](QWidget*, const QString& title) {
            return std::optional<QString>(title == "社員別PDFを保存する場所を指定"
                                              ? QString::fromStdString(pdfs.string())
                                              : QString());
        });
        demo.messages.answerNext(ui::Answer::Yes);  // protect with passwords
        demo.print("sbMeisaihyo", "給与明細書の印刷", "btPdfEach", true);
        QVERIFY2(demo.messages.lastText().startsWith("下記の場所に明細書を社員別のPDFとして"),
                 qPrintable(demo.messages.lastText()));
        QVERIFY(demo.messages.lastText().contains("パスワード通知書_2026-11.pdf"));

        const auto saved = readPeriodBlock(demo.year.path(), 11);
        const EmployeeRecord& first = saved->employee(1);
        QVERIFY(hasSlipPassword(first));
        QCOMPARE(slipPasswordOf(first), slipPasswordOf(demo.year.block().employee(1)));
        const std::filesystem::path file = pdfs / (first.employeeCode.utf8() + "_2026-11.pdf");
        QVERIFY(!testing_support::openPdf(file).opened);
        QVERIFY(testing_support::openPdf(file, slipPasswordOf(first)).opened);
        QVERIFY(std::filesystem::exists(pdfs / "パスワード通知書_2026-11.pdf"));
    }

    // The tabular reports: the monthly list as CSV in code page 932, the ledger (after saying
    // that unsaved changes are not in it) and the money tables on paper, here a PDF.
    void tabularReportsPrintAndExport() {
        Demo demo(11);
        const std::filesystem::path folder = demo.folder.path();
        const QString csv = QString::fromStdString((folder / "list.csv").string());
        demo.dialogs.answerNext(csv);
        demo.print("sbKyuyoIchiran", "月別給与/賞与一覧の印刷", "btCsvFile", false);
        QCOMPARE(demo.messages.lastText(),
                 QString("月別給与/賞与一覧をCSVファイルに出力しました。"));
        const std::string bytes = readFile(csv.toStdString());
        QVERIFY(bytes.rfind(text::toCp932("氏名,"), 0) == 0);
        QVERIFY(bytes.find("\r\n") != std::string::npos);

        demo.type(demo.row("普通残業時間"), 1, "3:00");  // a change not yet saved
        demo.messages.answerNext(ui::Answer::Cancel);
        demo.window->toolTray()->button("sbKyuyoDaicho")->click();  // nothing opens
        QCOMPARE(demo.messages.lastText(),
                 QString("変更内容を保存しないと社員別給与台帳に反映されません。"));
        demo.messages.answerNext(ui::Answer::Yes);  // OK: print the ledger all the same
        const QString ledger = QString::fromStdString((folder / "ledger.pdf").string());
        demo.dialogs.answerNext(ledger);
        demo.print("sbKyuyoDaicho", "社員別給与台帳の印刷", "btPrint", true);
        QVERIFY(QFileInfo::exists(ledger));

        // 住民税納付一覧 as CSV: the municipality given to one employee, the others unset.
        demo.year.block().employee(1).residentTaxCityCode = 131016;
        demo.year.block().employee(1).residentTaxCity.assign("千代田区");
        const QString residentCsv = QString::fromStdString((folder / "resident.csv").string());
        demo.dialogs.answerNext(residentCsv);
        demo.print("sbJuuminList", "住民税納付一覧の印刷", "btCsvFile", false);
        QCOMPARE(demo.messages.lastText(), QString("住民税納付一覧をCSVファイルに出力しました。"));
        const std::string resident = text::fromCp932(readFile(residentCsv.toStdString()));
        QVERIFY2(resident.find("\r\n131016,千代田区,1,") != std::string::npos, resident.c_str());
        QVERIFY2(resident.find("\r\n,合計,") != std::string::npos, resident.c_str());

        for (const auto& [command, caption] :
             {std::pair{"sbFuriList", "給与/賞与振込一覧の印刷"},
              std::pair{"sbKinsyuList", "給与/賞与支払金種表の印刷"},
              std::pair{"sbJuuminList", "住民税納付一覧の印刷"}}) {
            const QString pdf = QString::fromStdString((folder / command).string() + ".pdf");
            demo.dialogs.answerNext(pdf);
            demo.print(command, caption, "btPrint", false);
            QVERIFY2(QFileInfo(pdf).size() > 0, command);
        }
    }

    // 振込データ作成 beside the transfer list: refused with the employees named while one lacks
    // its codes, else written where the clerk chose, with the count and total said.
    void transferFileIsRefusedOrWrittenWhereChosen() {
        Demo demo(11);
        const QString path = QString::fromStdString((demo.folder / "zengin.txt").string());
        EmployeeRecord& second = demo.year.block().employee(2);
        const EmployeeRecord kept = second;
        setTransferCodes(second, "", "", "");
        demo.dialogs.answerNext(path);  // not asked for: the refusal comes first
        demo.window->toolTray()->button("sbFuriData")->click();
        QVERIFY(demo.messages.shown().back().kind == ui::MessageKind::Error);
        QVERIFY2(demo.messages.lastText().contains(QString::fromStdString(second.name.utf8()) +
                                                   " : 銀行コード、支店コード、口座名義ｶﾅ"),
                 qPrintable(demo.messages.lastText()));
        QVERIFY(!QFileInfo::exists(path));

        second = kept;
        acceptTransferDate();
        demo.window->toolTray()->button("sbFuriData")->click();
        QVERIFY2(demo.messages.lastText().startsWith("振込データを作成しました。"),
                 qPrintable(demo.messages.lastText()));
        const std::string bytes = readFile(path.toStdString());
        QCOMPARE(bytes.size() % 122, std::size_t{0});
        QCOMPARE(bytes.substr(0, 4), std::string("1110"));
        QVERIFY(demo.messages.lastText().contains(QString("%1件").arg(bytes.size() / 122 - 3)));

        // A folder that is not there: said so, never reported as written.
        demo.dialogs.answerNext(QString::fromStdString((demo.folder / "none" / "z.txt").string()));
        acceptTransferDate();
        demo.window->toolTray()->button("sbFuriData")->click();
        QVERIFY2(demo.messages.lastText().startsWith("振込データを作成できませんでした。"),
                 qPrintable(demo.messages.lastText()));
    }

    // The 取組日 asked before the file is saved goes into its header; an employee whose net pay
    // is below zero is left out and named in the completion message.
    void transferFileTakesTheChosenDateAndNamesNegativeNetPay() {
        Demo demo(11);
        EmployeeRecord& first = demo.year.block().employee(1);
        first.residentTax = 9'999'999;
        const QString path = QString::fromStdString((demo.folder / "zengin.txt").string());
        demo.dialogs.answerNext(path);
        acceptTransferDate(QDate(2026, 11, 24));
        demo.window->toolTray()->button("sbFuriData")->click();
        const QString text = demo.messages.lastText();
        QVERIFY2(text.startsWith("振込データを作成しました。"), qPrintable(text));
        QVERIFY2(text.contains("取組日 2026年11月24日(火)"), qPrintable(text));
        QVERIFY2(
            text.contains("差引支給額がマイナスのため、次の社員は振込データに含めていません:\n  " +
                          QString::fromStdString(first.name.utf8()) + " : -"),
            qPrintable(text));
        const std::string bytes = readFile(path.toStdString());
        QCOMPARE(bytes.substr(54, 4), std::string("1124"));
    }

    void aNewEmployeeFromTheEmployeeListGetsAColumn() {
        Demo demo(11);
        const int before = demo.grid().employeeCount();
        bool stored = false;
        QTimer::singleShot(0, [&] {
            auto* list = qobject_cast<EmployeeListWindow*>(QApplication::activeModalWidget());
            QVERIFY(list != nullptr);
            QTimer::singleShot(0, [&] {
                auto* editor = qobject_cast<EmployeeEditor*>(QApplication::activeModalWidget());
                QVERIFY(editor != nullptr);
                editor->findChild<QLineEdit*>("edSimei")->setText("新井　一郎");
                editor->saveEmployee();
                stored = editor->storedSlot() > 0;
            });
            list->addEmployee();
            list->reject();
        });
        demo.window->toolTray()->button("imSyainEdit")->click();
        QVERIFY(stored);
        QCOMPARE(demo.grid().employeeCount(), before + 1);
        QCOMPARE(demo.grid().text(0, before + 1), std::string("新井　一郎"));
    }

    void detailEntryTakesTheGridAndTheGridShowsWhatWasEntered() {
        Demo demo(11);
        const int overtime = demo.row("普通残業時間");
        QVERIFY(overtime > 0);
        demo.type(overtime, 1, "3:00");  // typed in the grid, not yet in the records
        demo.view()->selectCell(overtime, 1);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* entry = qobject_cast<PayEntryWindow*>(QApplication::activeModalWidget());
            QVERIFY(entry != nullptr);
            opened = true;
            QCOMPARE(entry->slot(), demo.grid().slotOf(1));
            QLineEdit* box = nullptr;
            int position = 0;
            for (int n = 1; n <= 16 && box == nullptr; ++n) {
                const auto* label = entry->findChild<QLabel*>(QString("lbKintai%1").arg(n));
                if (label != nullptr && label->text() == "普通残業時間") {
                    box = entry->findChild<QLineEdit*>(QString("edKintai%1").arg(n));
                    position = n - 1;
                }
            }
            QVERIFY(box != nullptr);
            QCOMPARE(box->text().trimmed(), QString("3:00"));
            box->setText("4:30");
            entry->boxLeft(Band::Attendance, position);
            entry->findChild<QPushButton*>("sbNext")->click();  // on to the next at work
            entry->reject();
        });
        demo.window->toolTray()->button("sbDataEdit")->click();
        QVERIFY(opened);
        QCOMPARE(demo.year.block().attendance[demo.grid().slotOf(1) - 1].overtimeHours, 4.5);
        QCOMPARE(demo.cell(overtime, 1), std::string("4:30"));
        // The grid is back on the row, in the column of the employee shown last.
        QCOMPARE(demo.view()->currentRow(), overtime);
        QCOMPARE(demo.view()->currentColumn(), 2);
    }

    // The 支給控除一覧 under the grid: each employee's figures as calculated, the company's sum
    // first, following an entry once the cell is left, and F9 recalculating on demand.
    void summaryShowsEveryNetPayAndTheCompanyTotal() {
        Demo demo(11);
        auto* table = demo.window->findChild<QTableWidget*>("sgSummary");
        QVERIFY(table != nullptr);
        QCOMPARE(table->columnCount(), demo.grid().employeeCount() + 1);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("合計"));
        int netRow = -1;
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->verticalHeaderItem(r)->text() == QStringLiteral("差引支給額")) netRow = r;
        }
        QVERIFY(netRow >= 0);
        const auto amount = [&](int col) {
            return table->item(netRow, col)->text().remove(QLatin1Char(',')).toLongLong();
        };
        const auto netOf = [&](int slot) {
            const PeriodBlock& block = demo.year.block();
            const auto i = static_cast<std::size_t>(slot - 1);
            return static_cast<long long>(block.payments[i].payTotal) -
                   block.deductions[i].deductionTotal + block.payments[i].otherItem1 +
                   block.payments[i].otherItem2 + block.payments[i].otherItem3;
        };
        long long sum = 0;
        for (int c = 1; c <= demo.grid().employeeCount(); ++c) {
            QCOMPARE(amount(c), netOf(demo.grid().slotOf(c)));
            sum += amount(c);
        }
        QCOMPARE(amount(0), sum);

        const int allowance = demo.row("精勤手当");
        QVERIFY(allowance > 0);
        const long long before = amount(1);
        demo.type(allowance, 1, "10000");
        QTRY_VERIFY(amount(1) > before);
        QCOMPARE(amount(1), netOf(demo.grid().slotOf(1)));

        demo.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(demo.window.get()));
        const long long typed = amount(1);
        demo.type(allowance, 1, "20000");
        QTest::keyClick(demo.view(), Qt::Key_F9);  // at once, before the pause after a cell
        QVERIFY(amount(1) > typed);
        QCOMPARE(amount(1), netOf(demo.grid().slotOf(1)));
    }

    void typedHoursAreFormattedAndRefusedKeysAreSwallowed() {
        Demo demo(11);
        const int overtime = demo.row("普通残業時間");
        QVERIFY(overtime > 0);
        const int col = demo.editableColumn(overtime);
        QVERIFY(col > 0);
        demo.type(overtime, col, "10:3x0");  // "x" is no hours character
        QCOMPARE(demo.cell(overtime, col), std::string("10:30"));
        QCOMPARE(demo.view()->currentRow(), demo.grid().nextEditableRow(overtime, col));
        QVERIFY(demo.messages.shown().empty());

        demo.type(overtime, col, "1.2.3");  // no number: refused, the cell emptied
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
        QCOMPARE(demo.cell(overtime, col), std::string());
    }

    void enterInTheLastEditableRowWrapsToTheFirst() {
        Demo demo(11);
        const int col = 1;
        int last = 0;
        int first = 0;
        for (int r = 1; r < demo.grid().rowCount(); ++r) {
            if (!demo.grid().isEditable(r, col)) continue;
            if (first == 0) first = r;
            last = r;
        }
        QVERIFY(first > 0 && last > first);
        demo.view()->selectCell(last, col);
        QTest::keyClick(demo.view(), Qt::Key_Return);
        QCOMPARE(demo.view()->currentRow(), first);
        QCOMPARE(demo.view()->currentColumn(), col);
    }

    void aColumnWithoutAnEmployeeIsNotEditable() {
        Demo demo(11);
        const int empty = demo.grid().employeeCount() + 1;
        const QModelIndex index = demo.view()->model()->index(0, empty - 1);
        QVERIFY(!(demo.view()->model()->flags(index) & Qt::ItemIsEditable));
        QCOMPARE(demo.grid().cellKind(1, empty), GridCellKind::Disabled);
        QVERIFY(!demo.view()->model()->data(index, Qt::DisplayRole).isValid());
    }

    void savingMarksThePeriodSavedAndShowsTheNotice() {
        Demo demo(12, PeriodEntry{20, 160.0, 0, 0});
        QVERIFY(!readYearFileHeader(demo.year.path()).isSaved(12));
        demo.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(demo.window.get()));
        QTest::keyClick(demo.view(), Qt::Key_S, Qt::ControlModifier);  // as the picture does
        QVERIFY(readYearFileHeader(demo.year.path()).isSaved(12));
        ui::NoticeWindow* notice = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<ui::NoticeWindow*>(widget);
                found && found->isVisible()) {
                notice = found;
            }
        }
        if (notice == nullptr) notice = demo.window->findChild<ui::NoticeWindow*>();
        QVERIFY(notice != nullptr);
        QCOMPARE(notice->text(), QString("データファイルに保存しました。"));
        QVERIFY(demo.messages.shown().empty());
    }

    // 佐藤 has care insurance set; born 昭和36 (1961) on the 1st of a month, he reaches 65 on
    // the day before, the last day of the previous month, and care is no longer due from then.
    void agesThatChangeInsuranceAreNoticedOnSavingAndOpening() {
        Demo demo(11);
        EmployeeRecord& sato = demo.year.block().employee(1);
        QCOMPARE(sato.nursingInsured, std::uint8_t{1});
        sato.birthEra = 3;
        sato.birthYear = 36;
        sato.birthMonth = 12;
        sato.birthDay = 1;
        const QString line = QString::fromStdString(sato.name.utf8()) +
                             QStringLiteral(": 介護保険の対象外になりました（65歳）");
        demo.window->toolTray()->button("imFileSave")->click();
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
        QCOMPARE(demo.messages.shown()[0].kind, ui::MessageKind::Information);
        QCOMPARE(demo.messages.lastText(),
                 QString::fromUtf8(kMsgInsuranceAges) + QStringLiteral("\n\n") + line);
        QCOMPARE(demo.year.block().employee(1).nursingInsured, std::uint8_t{1});  // unchanged

        // October of an employee born on the 1st of `month` of 昭和36.
        auto octoberBornOn = [&demo](int month) {
            return [&demo, month] {
                demo.year.openPeriod(10, demo.storedEntry(10), {});
                EmployeeRecord& e = demo.year.block().employee(1);
                e.birthEra = 3;
                e.birthYear = 36;
                e.birthMonth = static_cast<std::uint8_t>(month);
                e.birthDay = 1;
                return PeriodChoice{DataSelectionWindow::Outcome::Opened, false};
            };
        };
        // Born on 1 December, care ends with November: nothing to say in October.
        demo.messages.clear();
        demo.window->setChoosePeriod(octoberBornOn(12));
        demo.window->toolTray()->button("imReturn")->click();
        QVERIFY(demo.messages.shown().empty());
        // Born on 1 November, October is the first month without care.
        demo.window->setChoosePeriod(octoberBornOn(11));
        demo.messages.answerNext(Answer::No);  // the birth date typed above is not saved
        demo.window->toolTray()->button("imReturn")->click();
        QCOMPARE(demo.messages.shown().size(), std::size_t{2});
        QCOMPARE(demo.messages.shown()[0].text, QString::fromUtf8(kMsgSaveChanges));
        QVERIFY(demo.messages.lastText().endsWith(line));
    }

    // December paid in January 2027 takes the 2027 table; without it, the year is said once.
    void aYearWithoutItsOwnTaxTablesIsNoticedOncePerYear() {
        Demo demo(12, PeriodEntry{20, 160.0, 0, 0});
        QVERIFY(demo.messages.shown().empty());  // 2026 has its tables
        demo.year.block().settings.payNextMonth = 1;
        demo.window->showPeriod();
        QVERIFY(demo.messages.shown().empty());  // and so has 2027
        std::erase_if(demo.tables.dated, [](const calc::DatedTables& d) {
            return d.start == calc::TableStart{2027, 1};
        });
        demo.window->showPeriod();
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
        QCOMPARE(demo.messages.lastText(),
                 QStringLiteral("令和9年（2027年）分の税額表がありません。\n"
                                "最新の令和8年（2026年）分の税額表で計算します。"));
        demo.window->showPeriod();
        QVERIFY(demo.window->recalculatePeriod());
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
    }

    // A year whose folder has a salary table but no bonus table: its bonuses are taxed with the
    // newest earlier bonus table, and the notice names the bonus table.
    void aBonusWithoutItsYearsBonusTableIsNoticedNamingTheBonusTable() {
        Demo demo(13, PeriodEntry{0, 0.0, 7, 10});
        const std::size_t before = demo.messages.shown().size();
        for (calc::DatedTables& d : demo.tables.dated) {
            if (d.start == calc::TableStart{2026, 1}) d.tax.bonus = calc::BonusTaxTable{};
        }
        demo.window->showPeriod();
        QCOMPARE(demo.messages.shown().size(), before + 1);
        QCOMPARE(demo.messages.lastText(),
                 QStringLiteral("令和8年（2026年）分の賞与の税額表がありません。\n"
                                "最新の令和7年（2025年）分の賞与の税額表で計算します。"));
        demo.window->showPeriod();
        QCOMPARE(demo.messages.shown().size(), before + 1);
    }

    void bonusesTaxedByTheMonthlyTableAreNamedOnce() {
        // Paid in January: there is no December before it, so the rate table cannot serve.
        Demo demo(14, PeriodEntry{0, 0.0, 1, 15});
        const int bonus = demo.row("賞与");
        const int col = demo.editableColumn(bonus);
        demo.type(bonus, col, "3000000");
        QVERIFY(demo.window->recalculatePeriod());
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
        QCOMPARE(demo.messages.shown().back().kind, ui::MessageKind::Information);
        const int slot = demo.grid().slotOf(col);
        const QString name = QString::fromStdString(demo.year.block().employee(slot).name.utf8());
        QVERIFY(demo.messages.lastText().startsWith(
            name + "さんの賞与の所得税は月額表で計算しました。\n\n"));  // only the one paid
        QVERIFY(demo.year.block().deductions[slot - 1].incomeTax > 0);
        QVERIFY(!demo.year.block().deductions[slot - 1].isManual(DeductionRecord::kIncomeTaxItem));

        QVERIFY(demo.window->recalculatePeriod());  // the same list is not shown again
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
    }

    void closingWithChangesAsksYesNoCancel() {
        Demo demo(11);
        const int overtime = demo.row("普通残業時間");
        const int col = demo.editableColumn(overtime);
        demo.type(overtime, col, "7:15");
        const QString question("データが変更されています。保存しますか？");
        const QString closing("Keiroを終了しますか？");

        demo.messages.answerNext(Answer::Cancel);  // keeps the window and the entry
        QVERIFY(!demo.window->close());
        QCOMPARE(demo.messages.lastText(), question);
        QCOMPARE(demo.cell(overtime, col), std::string("7:15"));

        demo.messages.clear();
        demo.messages.answerNext(Answer::No);  // not saved
        demo.messages.answerNext(Answer::No);  // and not closing either
        QVERIFY(!demo.window->close());
        QCOMPARE(demo.messages.shown().size(), std::size_t{2});
        QCOMPARE(demo.messages.lastText(), closing);
        PeriodBlock onDisk{};
        readPeriodBlock(demo.year.path(), 11, onDisk);
        const int slot = demo.grid().slotOf(col);
        QVERIFY(onDisk.attendance[slot - 1].overtimeHours != 7.25);

        demo.messages.clear();
        demo.messages.answerNext(Answer::Yes);  // saved,
        demo.messages.answerNext(Answer::Yes);  // then the closing question
        QVERIFY(demo.window->close());
        QCOMPARE(demo.messages.shown().size(), std::size_t{2});
        QCOMPARE(demo.messages.lastText(), closing);
        readPeriodBlock(demo.year.path(), 11, onDisk);
        QCOMPARE(onDisk.attendance[slot - 1].overtimeHours, 7.25);
        QVERIFY(IniFile(demo.places.iniFile).hasKey("Window", "Width"));
    }

    // The year file pulled away or replaced under the open period: saving writes a new file and
    // says so; when nothing can be written, closing asks whether to close without saving.
    void aVanishedOrUnwritableYearFileNeverLocksTheWindow() {
        Demo demo(11);
        const int overtime = demo.row("普通残業時間");
        const int col = demo.editableColumn(overtime);
        const int slot = demo.grid().slotOf(col);
        const std::filesystem::path path = demo.year.path();
        demo.type(overtime, col, "7:15");
        std::filesystem::remove(path);

        demo.messages.answerNext(Answer::Yes);  // save
        demo.messages.answerNext(Answer::No);   // but stay
        QVERIFY(!demo.window->close());
        const auto& shown = demo.messages.shown();
        QCOMPARE(shown.size(), std::size_t{3});
        QVERIFY(shown[1].text.contains("見つからない"));
        QVERIFY(shown[1].text.contains(QString::fromStdString(path.string())));
        QCOMPARE(shown[2].text, QString("Keiroを終了しますか？"));
        PeriodBlock onDisk{};
        readPeriodBlock(path, 11, onDisk);
        QCOMPARE(onDisk.attendance[slot - 1].overtimeHours, 7.25);

        demo.type(overtime, col, "8:00");
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);  // nothing can be written there
        const QString closeUnsaved(
            "保存できませんでした。保存せずに終了しますか？\n（変更は失われます）");
        demo.messages.clear();
        demo.messages.answerNext(Answer::Yes);  // save: fails and is shown
        demo.messages.answerNext(Answer::No);   // not closing without saving
        QVERIFY(!demo.window->close());
        QCOMPARE(demo.messages.lastText(), closeUnsaved);
        QCOMPARE(demo.cell(overtime, col), std::string("8:00"));

        demo.messages.clear();
        demo.messages.answerNext(Answer::Yes);  // save: fails again
        demo.messages.answerNext(Answer::Yes);  // close without saving
        QVERIFY(demo.window->close());
        QCOMPARE(demo.messages.lastText(), closeUnsaved);
    }

    void changeOfPeriodShowsTheChosenPeriodAndQuitCloses() {
        Demo demo(11);
        demo.window->setChoosePeriod([&demo] {
            demo.year.openPeriod(13, demo.storedEntry(13), {});
            return PeriodChoice{DataSelectionWindow::Outcome::Opened, false};
        });
        demo.window->toolTray()->button("imReturn")->click();
        QVERIFY(demo.messages.shown().empty());  // nothing changed: no question
        QCOMPARE(demo.window->windowTitle(),
                 QString("Keiro 【株式会社サンプル商事 令和8年・夏期賞与】"));
        QVERIFY(demo.row("賞与") > 0);
        QVERIFY(demo.window->isVisible());

        demo.window->setChoosePeriod([] {
            return PeriodChoice{DataSelectionWindow::Outcome::Quit, false};
        });
        demo.window->toolTray()->button("imReturn")->click();
        QVERIFY(!demo.window->isVisible());
        QVERIFY(demo.messages.shown().empty());  // the selection window asked already
    }

    void f1OpensThePageOfTheWindowAndNeverFailsSilently() {
        Demo demo(11);
        QList<QUrl> opened;
        bool browser = true;
        demo.window->setOpenUrl([&](const QUrl& url) {
            opened.append(url);
            return browser;
        });
        demo.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(demo.window.get()));
        QTest::keyClick(demo.view(), Qt::Key_F1);
        QCOMPARE(opened,
                 QList<QUrl>{QUrl::fromLocalFile(KEIRO_BINARY_DIR "/bin/manual/monthly-pay.html")});

        browser = false;  // no browser installed: the page shows in a window of Keiro's own
        QTest::keyClick(demo.view(), Qt::Key_F1);
        auto* own = demo.window->findChild<QDialog*>("fmManual");
        QVERIFY(own != nullptr);
        QVERIFY(own->isVisible());
        QVERIFY(own->findChild<QTextBrowser*>()->toPlainText().contains("支給控除一覧"));
        QVERIFY(demo.messages.shown().empty());
    }

    void onlineManualOpensOnlyAfterTheConnectionTest() {
        Demo demo(11);
        QList<QUrl> opened;
        demo.window->setOpenUrl([&opened](const QUrl& url) {
            opened.append(url);
            return true;
        });
        QToolButton* manual = demo.window->toolTray()->button("sbManual");

        // No address set: the manual built beside the programs.
        demo.state.settings.manualUrl.clear();
        manual->click();
        QCOMPARE(opened,
                 QList<QUrl>{QUrl::fromLocalFile(KEIRO_BINARY_DIR "/bin/manual/index.html")});
        QVERIFY(demo.messages.shown().empty());
        opened.clear();

        QTcpServer server;  // answers every request with a page
        QVERIFY(server.listen(QHostAddress::LocalHost));
        connect(&server, &QTcpServer::newConnection, &server, [&server] {
            QTcpSocket* socket = server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                socket->readAll();
                socket->write(
                    "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
                socket->disconnectFromHost();
            });
        });
        const QString address = QString("http://127.0.0.1:%1/manual/").arg(server.serverPort());
        demo.state.settings.manualUrl = address.toStdString();
        manual->click();
        QTRY_COMPARE(opened.size(), 1);
        QCOMPARE(opened.front(), QUrl(address));

        server.close();  // nobody listens any more
        manual->click();
        QTRY_COMPARE(demo.messages.lastText(), QString("インターネットに接続できません。"));
        QCOMPARE(opened.size(), 1);
    }
};

KEIRO_QTEST(MainWindowTest);

}  // namespace keiro::payroll

#include "main_window_test.moc"
