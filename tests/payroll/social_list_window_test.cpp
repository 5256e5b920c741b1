// The yearly lists shown as they print: 適用 only where given and only after はい, and from the
// main window on the sample company the revisions, the bonus report and the labour insurance
// summary, each printed and written as CSV.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/fileio.h"
#include "core/text.h"
#include "core/yearfile.h"
#include "payroll/main_window.h"
#include "payroll/social_list_window.h"
#include "payroll/tool_tray.h"
#include "tests/payroll/demo_main_window.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

print::TextTable smallTable() {
    print::TextTable t;
    t.title = "一覧";
    t.subtitle = "2026年";
    t.headings = {"番号", "金額"};
    t.columns = {{10, false}, {20, true}};
    t.rows = {{"1", "1,000"}, {"2", "20"}};
    t.notes = {"注記"};
    return t;
}

// 鈴木 美咲 (the third slot, grade 22) paid 100,000 more base pay in the saved periods from
// April to `last`, as if her fixed pay had been raised in April.
void raiseFromApril(const std::filesystem::path& file, int last) {
    std::vector<std::unique_ptr<PeriodBlock>> raised;
    std::vector<std::pair<int, const PeriodBlock*>> blocks;
    for (int p = 4; p <= last; ++p) {
        raised.push_back(readPeriodBlock(file, p));
        raised.back()->payments[2].basePayAmount += 100'000;
        raised.back()->deductions[2].socialInsBase += 100'000;
        blocks.emplace_back(p, raised.back().get());
    }
    rewriteSavedBlocks(file, blocks);
}

struct Demo : DemoMainWindow {
    using DemoMainWindow::DemoMainWindow;
    // Opens the list of `command`, checks the window, writes its CSV and prints it as PDF.
    // Returns the CSV file's bytes.
    std::string run(const char* command, const char* windowName, int* rows) {
        const std::filesystem::path csv = folder / (std::string(command) + ".csv");
        const std::filesystem::path pdf = folder / (std::string(command) + ".pdf");
        bool shown = false;
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window != nullptr);
            QCOMPARE(window->objectName(), QString(windowName));
            shown = true;
            *rows = window->findChild<QTableWidget*>("sgList")->rowCount();
            dialogs.answerNext(QString::fromStdString(csv.string()));
            window->findChild<QPushButton*>("btCsv")->click();
            dialogs.answerNext(QString::fromStdString(pdf.string()));
            QTimer::singleShot(0, [] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog != nullptr);
                dialog->findChild<QPushButton*>("btPrint")->click();
            });
            window->findChild<QPushButton*>("btPrint")->click();
            qobject_cast<QDialog*>(window)->accept();
        });
        main->toolTray()->button(command)->click();
        if (!shown) return {};
        if (!std::filesystem::exists(pdf) || std::filesystem::file_size(pdf) == 0) return {};
        return readFile(csv);
    }
};

}  // namespace

class SocialListWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void tabFollowsReadingOrder() {
        ui::ScriptedMessageService messages;
        SocialListWindow window(nullptr, messages, smallTable(), QStringLiteral("TfmTest"));
        window.setChoice(QStringLiteral("年度"), {QStringLiteral("2026")}, 0, [](int) {});
        window.setApply(QStringLiteral("?"), [](QWidget*) {});
        KEIRO_VERIFY_TAB_ORDER(window);
    }

    void applyShowsOnlyWhereGivenAndRunsOnlyAfterYes() {
        ui::ScriptedMessageService messages;
        SocialListWindow window(nullptr, messages, smallTable(), QStringLiteral("TfmTest"));
        window.show();
        QVERIFY(!window.findChild<QPushButton*>("btApply")->isVisible());
        QCOMPARE(window.findChild<QTableWidget*>("sgList")->item(0, 1)->text(),
                 QStringLiteral("1,000"));
        QCOMPARE(window.findChild<QLabel*>("lbNotes")->text(), QStringLiteral("注記"));

        int applied = 0;
        window.setApply(QStringLiteral("書き換えますか？"), [&](QWidget*) { ++applied; });
        QVERIFY(window.findChild<QPushButton*>("btApply")->isVisible());
        messages.answerNext(ui::Answer::No);
        window.findChild<QPushButton*>("btApply")->click();
        QCOMPARE(messages.lastText(), QStringLiteral("書き換えますか？"));
        QCOMPARE(applied, 0);
        messages.answerNext(ui::Answer::Yes);
        window.findChild<QPushButton*>("btApply")->click();
        QCOMPARE(applied, 1);
    }

    void theRevisionsAndTheLabourSummaryOfTheSampleCompany() {
        Demo demo(11);
        int rows = -1;
        const std::string revisions = demo.run("sbGetsuhen", "TfmGetsuhen", &rows);
        QVERIFY(revisions.rfind(text::toCp932("番号,氏名,変動月"), 0) == 0);
        QCOMPARE(rows, 0);  // the sample's fixed pay never changes

        const std::string labour = demo.run("sbNendoKoshin", "TfmNendoKoshin", &rows);
        QCOMPARE(rows, 13);  // April to March and the total (no bonus of the previous year)
        // The previous year has no file: its months are marked, January to March are counted.
        QVERIFY(labour.find(text::toCp932("4月,データなし")) != std::string::npos);
        QVERIFY(labour.find(text::toCp932("\n1月,")) != std::string::npos);
        QVERIFY(labour.find(text::toCp932("\n1月,データなし")) == std::string::npos);
    }

    void theLabourSummaryShowsTheFiscalYearChosenAndAnEmptyListSaysSo() {
        Demo demo(11);
        QString before;
        QString april;
        QString march;
        QString renewal;
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window != nullptr);
            before = window->windowTitle();
            renewal = window->findChild<QLabel*>("lbNotes")->text();
            // KEIRO_WINDOW_SHOTS=folder keeps a picture of the window for a person to look at.
            if (const QString shots = qEnvironmentVariable("KEIRO_WINDOW_SHOTS"); !shots.isEmpty())
                QVERIFY(window->grab().save(shots + "/labour_renewal.png"));
            // The year running: April on from this file, January to March not yet there.
            window->findChild<QComboBox*>("cbChoice")->setCurrentIndex(1);
            auto* list = window->findChild<QTableWidget*>("sgList");
            april = list->item(0, 1)->text();
            march = list->item(11, 1)->text();
            QVERIFY(window->windowTitle().contains(QStringLiteral("2026年4月")));
            qobject_cast<QDialog*>(window)->accept();
        });
        demo.main->toolTray()->button("sbNendoKoshin")->click();
        QVERIFY(before.contains(QStringLiteral("2025年4月")));
        QVERIFY(april != QStringLiteral("データなし"));
        QVERIFY(!april.isEmpty());
        QCOMPARE(march, QStringLiteral("データなし"));
        // Fiscal 2026's 概算 on fiscal 2025's bases; no 精算 without fiscal 2024's files.
        QVERIFY(renewal.contains(QStringLiteral("2026年度概算保険料")));
        QVERIFY(renewal.contains(QStringLiteral("精算できません")));

        QString notes;
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window != nullptr);
            notes = window->findChild<QLabel*>("lbNotes")->text();
            qobject_cast<QDialog*>(window)->accept();
        });
        demo.main->toolTray()->button("sbGetsuhen")->click();
        QVERIFY(notes.startsWith(QStringLiteral("該当する社員はいません。")));
    }

    void aRaiseInAprilIsListedAndAppliedFromTheAugustPay() {
        Demo demo(11);
        const std::filesystem::path file = demo.year.path();
        raiseFromApril(file, 10);
        const int before = readPeriodBlock(file, 8)->employees[2].insuranceGrade;
        QCOMPARE(before, 22);

        int rows = 0;
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window != nullptr);
            auto* list = window->findChild<QTableWidget*>("sgList");
            rows = list->rowCount();
            demo.messages.answerNext(ui::Answer::Yes);
            window->findChild<QPushButton*>("btApply")->click();
            qobject_cast<QDialog*>(window)->accept();
        });
        demo.main->toolTray()->button("sbGetsuhen")->click();
        QCOMPARE(rows, 1);
        // The July revision is collected from August's pay: July keeps the old grade.
        QCOMPARE(int(readPeriodBlock(file, 7)->employees[2].insuranceGrade), 22);
        for (int p = 8; p <= 10; ++p) {
            const auto block = readPeriodBlock(file, p);
            QCOMPARE(int(block->employees[2].insuranceGrade), 26);  // 383,382 → 380,000
            QCOMPARE(int(block->employees[2].social.revisedYearMonth), 202607);
            QCOMPARE(int(block->employees[2].social.decisionKind), 3);  // 随時改定
        }
    }

    void savingTheThirdMonthAfterARaiseSaysARevisionIsDue() {
        Demo demo(6);
        const std::filesystem::path file = demo.year.path();
        raiseFromApril(file, 5);
        demo.year.block().employees[2].basePay += 100'000;  // June, the third month
        QVERIFY(demo.main->savePeriod());
        QVERIFY(demo.messages.lastText().startsWith(QStringLiteral("固定的賃金の変動から3か月")));
        QVERIFY(demo.messages.lastText().endsWith(QStringLiteral("鈴木　美咲　2026年7月から")));

        // July's save says nothing more: that revision's third month has passed.
        demo.year.openPeriod(7, demo.storedEntry(7), {});
        demo.main->showPeriod();
        const std::size_t shown = demo.messages.shown().size();
        QVERIFY(demo.main->savePeriod());
        for (std::size_t i = shown; i < demo.messages.shown().size(); ++i) {
            QVERIFY(!demo.messages.shown()[i].text.startsWith(QStringLiteral("固定的賃金")));
        }
    }

    void theBonusReportOfTheOpenBonus() {
        Demo demo(13);
        int rows = 0;
        const std::string bonus = demo.run("sbSyoyoTodoke", "TfmSyoyoTodoke", &rows);
        QVERIFY(rows > 0);
        QVERIFY(bonus.find(text::toCp932("高橋　誠,2026年7月10日,510000,510000")) !=
                std::string::npos);
    }
};

}  // namespace keiro::payroll

using keiro::payroll::SocialListWindowTest;
KEIRO_QTEST(SocialListWindowTest);

#include "social_list_window_test.moc"
