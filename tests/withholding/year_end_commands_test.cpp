// The clerk's December in the main window: the annual tax and 過不足 beside each status, and the
// question before printing documents of employees not calculated yet.
#include <QAction>
#include <QHeaderView>
#include <QPushButton>
#include <QtTest>
#include <cstring>
#include <stdexcept>
#include <tuple>

#include "core/fileio.h"
#include "withholding/adjust/automatic_calculation.h"
#include "withholding/print/year_end_list.h"

#include "tests/support/qt_test_main.h"
#include "tests/withholding/lg_fixture.h"

namespace keiro::withholding {

using testing::LgFixture;
using ui::Answer;

class YearEndCommandsTest : public QObject {
    Q_OBJECT

    static QString lineOf(const LgFixture& lg, int slot) {
        return lg.list()->item(lg.rowOf(slot))->text();
    }

    // Rebuilds the list as it is after the editor closes.
    static void refreshList(LgFixture& lg) {
        lg.window->setEditor([](int, bool) {});
        lg.list()->setCurrentRow(0);
        lg.window->editSelectedEmployee();
    }

  private slots:
    void theListShowsTheAnnualTaxAndTheDifferenceBesideTheStatus() {
        LgFixture lg;
        QVERIFY(lg.start());
        WithholdingRecord& refund = lg.window->file().record(1);
        refund.adjustStatus = kCalculated;
        refund.annualTax = 45'600;
        refund.withheld = 60'000;
        WithholdingRecord& outside = lg.window->file().record(2);
        outside.adjustStatus = kNotAdjusted;
        outside.annualTax = 38'206;
        outside.withheld = 38'206;
        refreshList(lg);
        QVERIFY(lineOf(lg, 1).endsWith(QString("済み             45,600      -14,400")));
        QVERIFY(lineOf(lg, 2).endsWith(QString("対象外           38,206") + QString(13, ' ')));
        QVERIFY(lineOf(lg, 3).endsWith(QString("未処理") + QString(30, ' ')));
        QCOMPARE(lg.window->findChild<QHeaderView*>("HeadCtrl")->count(), 8);
    }

    void printingUncalculatedEmployeesAsksFirstAndNoPrintsNothing() {
        LgFixture lg;
        QVERIFY(lg.start());
        std::vector<std::vector<int>> printed;
        lg.window->setPrinter([&printed](int, bool, std::vector<int> checked) {
            printed.push_back(std::move(checked));
        });
        lg.window->file().record(1).adjustStatus = kCalculated;
        refreshList(lg);  // slot 1 is checked, being calculated
        QCOMPARE(lg.window->checkedSlots(), std::vector<int>{1});

        // Only calculated employees: no question.
        lg.window->findChild<QPushButton*>("sbGensen")->click();
        QVERIFY(lg.messages.shown().empty());
        QCOMPARE(printed.size(), std::size_t{1});

        for (int slot : {3, 2}) lg.list()->item(lg.rowOf(slot))->setCheckState(Qt::Checked);
        const std::string name2 = lg.window->year().block(12).employee(2).name.utf8();
        const std::string name3 = lg.window->year().block(12).employee(3).name.utf8();
        for (const char* command : {"sbGensen", "sbKanpukin", "sbPrnSiharai"}) {
            lg.messages.clear();
            lg.messages.answerNext(Answer::No);
            lg.window->findChild<QPushButton*>(command)->click();
            QCOMPARE(lg.messages.shown().size(), std::size_t{1});
            const QString asked = lg.messages.lastText();
            QVERIFY(asked.contains("社員が 2名 います。"));
            QVERIFY(asked.contains(QString::fromStdString(name2 + "、" + name3)));
            QCOMPARE(printed.size(), std::size_t{1});
        }
        lg.messages.answerNext(Answer::Yes);
        menu(lg, "mnKanpukin")->trigger();
        QCOMPARE(printed.size(), std::size_t{2});
        QCOMPARE(printed.back(), (std::vector<int>{1, 2, 3}));
    }

    void batchCalculationIsTheEditorsCalculationForEveryCheckedEmployee() {
        LgFixture lg;
        QVERIFY(lg.start());
        WithholdingFile oneByOne = lg.window->file();
        for (int row = 0; row < lg.list()->count(); ++row)
            lg.list()->item(row)->setCheckState(Qt::Checked);
        const std::vector<int> checked = lg.window->checkedSlots();
        QVERIFY(checked.size() >= 5);

        lg.window->findChild<QPushButton*>("sbBatchCalc")->click();
        int calculated = 0;
        int outside = 0;
        for (int slot : checked) {
            calculateSlot(oneByOne, slot, lg.window->year(), 2026, true);
            QVERIFY2(std::memcmp(&oneByOne.record(slot), &lg.window->file().record(slot),
                                 sizeof(WithholdingRecord)) == 0,
                     qPrintable(QString::number(slot)));
            const std::uint8_t status = oneByOne.record(slot).adjustStatus;
            calculated += status == kCalculated;
            outside += status == kNotAdjusted;
            QVERIFY(status != kNotProcessed);
        }
        QCOMPARE(lg.messages.shown().size(), std::size_t{1});
        QCOMPARE(lg.messages.shown()[0].kind, ui::MessageKind::Information);
        const QString summary = lg.messages.lastText();
        QVERIFY(summary.contains(QString("計算済　　　%1名").arg(calculated)));
        QVERIFY(summary.contains(QString("年調対象外　%1名").arg(outside)));
        QVERIFY(!summary.contains("計算できなかった"));
        // The list shows the new states and keeps the checks.
        QCOMPARE(lg.window->checkedSlots(), checked);
        for (int slot : checked) {
            const std::string_view status = statusOf(oneByOne, slot);
            QVERIFY(lineOf(lg, slot).contains(
                QString::fromUtf8(status.data(), qsizetype(status.size()))));
        }
    }

    void batchCalculationListsTheRefusedByNameAndCalculatesTheRest() {
        LgFixture lg;
        QVERIFY(lg.start());
        WithholdingRecord& absurd = lg.window->file().record(2);
        absurd.manualFlags[kManualSocialInsurance - 1] = 1;
        absurd.socialInsurance = 2'000'000'000;
        absurd.smallBusinessMutualAid = 2'000'000'000;
        const WithholdingRecord before = absurd;
        for (int slot : {1, 2}) lg.list()->item(lg.rowOf(slot))->setCheckState(Qt::Checked);
        menu(lg, "mnBatchCalc")->trigger();
        QCOMPARE(lg.messages.shown().back().kind, ui::MessageKind::Warning);
        const QString name2 =
            QString::fromStdString(lg.window->year().block(12).employee(2).name.utf8());
        QVERIFY(lg.messages.lastText().contains("計算できなかった社員　1名\n　" + name2 + "："));
        QVERIFY(std::memcmp(&before, &lg.window->file().record(2), sizeof before) == 0);
        QVERIFY(lg.window->file().record(1).adjustStatus != kNotProcessed);

        // Nobody checked: nothing to do.
        for (int row = 0; row < lg.list()->count(); ++row)
            lg.list()->item(row)->setCheckState(Qt::Unchecked);
        menu(lg, "mnBatchCalc")->trigger();
        QVERIFY(lg.messages.lastText().startsWith("計算する社員が選択されていません。"));
    }

    void theYearEndListOfTheCheckedIsPrintedOrWrittenAsCsv() {
        LgFixture lg;
        QVERIFY(lg.start());
        std::vector<std::vector<int>> printed;
        lg.window->setYearEndListPrinter(
            [&printed](std::vector<int> checked) { printed.push_back(std::move(checked)); });
        menu(lg, "mnYearEndList")->trigger();
        QVERIFY(lg.messages.lastText().startsWith("印刷対象者が選択されていません。"));
        QVERIFY(printed.empty());

        for (int slot : {3, 1}) lg.list()->item(lg.rowOf(slot))->setCheckState(Qt::Checked);
        lg.window->calculateChecked();
        menu(lg, "mnYearEndList")->trigger();
        QCOMPARE(printed, (std::vector<std::vector<int>>{{1, 3}}));

        const std::filesystem::path csv = lg.folder / "list.csv";
        lg.dialogs.answerNext(testing::qpath(csv));
        lg.messages.clear();
        menu(lg, "mnYearEndListCsv")->trigger();
        QCOMPARE(lg.messages.lastText(), QString("指定ファイルに出力しました。"));
        const auto rows = yearEndListRows(lg.window->file(), lg.window->year().block(12), {1, 3});
        QCOMPARE(readFile(csv), yearEndListCsv(rows));
        QCOMPARE(std::filesystem::status(csv).permissions() & std::filesystem::perms::all,
                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

        // Cancelled: nothing written, nothing said.
        std::filesystem::remove(csv);
        lg.messages.clear();
        lg.dialogs.answerNext(std::nullopt);
        menu(lg, "mnYearEndListCsv")->trigger();
        QVERIFY(!std::filesystem::exists(csv));
        QVERIFY(lg.messages.shown().empty());
    }

    void settlingAsksForThePeriodAndWritesTheCalculatedDifferences() {
        LgFixture lg;
        QVERIFY(lg.start());
        std::vector<std::pair<int, std::vector<SettlementEntry>>> written;
        lg.window->setSettlementWriter(
            [&written](int period, const std::vector<SettlementEntry>& entries) {
                written.emplace_back(period, entries);
                return static_cast<int>(entries.size());
            });
        std::vector<std::vector<PeriodChoice>> offered;
        std::optional<int> choice = 12;
        lg.window->setPeriodChooser([&](const std::vector<PeriodChoice>& periods) {
            offered.push_back(periods);
            return choice;
        });
        menu(lg, "mnSettle")->trigger();
        QCOMPARE(lg.messages.lastText(), QString::fromUtf8(kMsgNobodyToSettle));

        for (int slot : {1, 2}) lg.list()->item(lg.rowOf(slot))->setCheckState(Qt::Checked);
        lg.window->calculateChecked();
        lg.list()->item(lg.rowOf(3))->setCheckState(Qt::Checked);  // not calculated: left out
        lg.messages.clear();
        lg.messages.answerNext(Answer::No);
        menu(lg, "mnSettle")->trigger();
        QCOMPARE(offered.size(), std::size_t{1});
        QVERIFY(!offered[0].empty());
        QCOMPARE(offered[0][0].period, 12);  // the saved ones of December and the bonuses
        QCOMPARE(offered[0][0].name, QString("12月分給与"));
        for (const PeriodChoice& p : offered[0]) QVERIFY(p.period >= 12 && p.period <= 15);
        QCOMPARE(lg.messages.lastText(),
                 QString("計算済の社員 2名の年調過不足を12月分給与に書き込みますか？"));
        QVERIFY(written.empty());

        lg.messages.answerNext(Answer::Yes);
        menu(lg, "mnSettle")->trigger();
        QCOMPARE(written.size(), std::size_t{1});
        QCOMPARE(written[0].first, 12);
        QCOMPARE(written[0].second.size(), std::size_t{2});
        for (std::size_t i = 0; i < 2; ++i) {
            const int slot = static_cast<int>(i) + 1;
            const WithholdingRecord& r = lg.window->file().record(slot);
            QCOMPARE(written[0].second[i].amount, std::int64_t{r.annualTax} - r.withheld);
            QCOMPARE(written[0].second[i].recordId,
                     lg.window->year().block(12).employee(slot).recordId.utf8());
        }
        QCOMPARE(lg.messages.lastText(), QString("2名の年調過不足を12月分給与に書き込みました。"));

        // The writer's refusal is shown as it says; a cancelled choice asks nothing.
        lg.window->setSettlementWriter([](int, const std::vector<SettlementEntry>&) -> int {
            throw std::runtime_error("給与計算がこの年のデータファイルを開いています。");
        });
        menu(lg, "mnSettle")->trigger();
        QCOMPARE(lg.messages.shown().back().kind, ui::MessageKind::Error);
        QCOMPARE(lg.messages.lastText(),
                 QString("給与計算がこの年のデータファイルを開いています。"));
        choice.reset();
        lg.messages.clear();
        menu(lg, "mnSettle")->trigger();
        QVERIFY(lg.messages.shown().empty());
    }

    void settlingThroughThePayrollWriterStoresTheDifferenceInTheChosenPeriod() {
        LgFixture lg;
        QVERIFY(lg.start());
        lg.window->setPeriodChooser([](const std::vector<PeriodChoice>&) { return 12; });
        lg.window->setSettlementWriter(
            [&lg](int period, const std::vector<SettlementEntry>& entries) {
                return static_cast<int>(
                    settleYearEnd(lg.window->year().path(), period, entries).size());
            });
        lg.list()->item(lg.rowOf(1))->setCheckState(Qt::Checked);
        lg.window->calculateChecked();
        const WithholdingRecord& r = lg.window->file().record(1);
        QCOMPARE(int(r.adjustStatus), int(kCalculated));
        lg.messages.clear();
        menu(lg, "mnSettle")->trigger();
        QCOMPARE(lg.messages.lastText(), QString("1名の年調過不足を12月分給与に書き込みました。"));

        const YearView after(lg.year2026());
        const std::string id = lg.window->year().block(12).employee(1).recordId.utf8();
        int found = 0;
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            if (after.block(12).employee(slot).recordId.utf8() != id) continue;
            ++found;
            DeductionRecord deduction = after.block(12).deductions[slot - 1];
            QCOMPARE(deduction.amount(DeductionRecord::kSettlementItem), r.annualTax - r.withheld);
        }
        QCOMPARE(found, 1);
    }

    void settlingLeavesOutAndNamesWhomThePeriodDoesNotPay() {
        // Slot 9 is on leave all year: calculated, but December pays nothing to settle in.
        LgFixture lg;
        QVERIFY(lg.start());
        std::vector<SettlementEntry> written;
        lg.window->setPeriodChooser([](const std::vector<PeriodChoice>&) { return 12; });
        lg.window->setSettlementWriter([&written](int, const std::vector<SettlementEntry>& e) {
            written = e;
            return static_cast<int>(e.size());
        });
        for (int slot : {1, 9}) lg.list()->item(lg.rowOf(slot))->setCheckState(Qt::Checked);
        lg.window->calculateChecked();
        QCOMPARE(int(lg.window->file().record(9).adjustStatus), int(kCalculated));
        lg.messages.clear();
        lg.messages.answerNext(Answer::Yes);
        menu(lg, "mnSettle")->trigger();
        const QString leftOut =
            QString::fromStdString(lg.window->year().block(12).employee(9).name.utf8()) +
            QString("は12月分給与に支給がないため書き込みません。");
        QCOMPARE(
            lg.messages.shown().front().text,
            QString("計算済の社員 1名の年調過不足を12月分給与に書き込みますか？\n\n") + leftOut);
        QCOMPARE(written.size(), std::size_t{1});
        QCOMPARE(written[0].recordId, lg.window->year().block(12).employee(1).recordId.utf8());
        QCOMPARE(lg.messages.lastText(),
                 QString("1名の年調過不足を12月分給与に書き込みました。\n\n") + leftOut);
    }

  private:
    static QAction* menu(const LgFixture& lg, const char* name) {
        return lg.window->findChild<QAction*>(name);
    }
};

KEIRO_QTEST(YearEndCommandsTest);

}  // namespace keiro::withholding

#include "year_end_commands_test.moc"
