// The question of a new fiscal year's rates on the sample company: asked for a new period that
// still holds last year's rates, Yes sets them and works the premiums out again from the grades,
// No leaves everything; a saved period and one already up to date are not asked about.  Also the
// settings dialog's defaults of a new 2027 period.
#include <QAbstractButton>
#include <QLineEdit>
#include <cstring>

#include "calc/premiums.h"
#include "payroll/config_dialog.h"
#include "tests/payroll/demo_main_window.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"

namespace keiro::payroll {
namespace {

// 埼玉's 令和7年度 health and the 令和7年度 介護 and 雇用保険 shares.
void holdLastYearsRates(PeriodSettings& s) {
    s.generalBusiness = 1;
    s.healthInsRate = 4.88;
    s.nursingInsRate = 0.795;
    s.employmentInsRate = 0.55;
}

}  // namespace

class RateQuestionTest : public QObject {
    Q_OBJECT
  private slots:
    void yesSetsTheRatesAndThePremiumsOfTheGrades() {
        DemoMainWindow demo(12);  // December 2026: not saved yet
        PeriodBlock& block = demo.year.block();
        holdLastYearsRates(block.settings);
        const calc::HealthGradeTable& grades = *demo.tables.gradesFor(demo.year);

        demo.messages.answerNext(ui::Answer::Yes);
        demo.main->offerRateUpdate();
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
        const QString question = demo.messages.lastText();
        QVERIFY(question.startsWith(QStringLiteral("令和8年度の料率に更新しますか")));
        QVERIFY(question.contains(QStringLiteral("健康保険　4.880% → 4.835%")));
        QVERIFY(question.contains(QStringLiteral("介護保険　0.795% → 0.810%")));
        QVERIFY(question.contains(QStringLiteral("雇用保険　0.550% → 0.500%")));

        QCOMPARE(double(block.settings.healthInsRate), 4.835);
        QCOMPARE(double(block.settings.nursingInsRate), 0.81);
        QCOMPARE(double(block.settings.employmentInsRate), 0.5);
        int recalculated = 0;
        for (const EmployeeRecord& e : block.employees) {
            if (!e.isUsed() || !grades.hasGrade(e.insuranceGrade)) continue;
            const calc::MonthlyPremiums p =
                calc::SetPremiumsFromGrade(grades, e.insuranceGrade, block.settings);
            QCOMPARE(int(e.healthInsPremium), int(p.health));
            QCOMPARE(int(e.nursingInsPremium), int(p.nursing));
            QCOMPARE(int(e.supportPremium), int(p.supportFor(e.nursingInsured != 0)));
            ++recalculated;
        }
        QVERIFY(recalculated > 0);

        // Up to date now: asked no more.
        demo.main->offerRateUpdate();
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
    }

    void noLeavesThePeriodAsItWas() {
        DemoMainWindow demo(12);
        holdLastYearsRates(demo.year.block().settings);
        const auto before = std::make_unique<PeriodBlock>(demo.year.block());
        demo.messages.answerNext(ui::Answer::No);
        demo.main->offerRateUpdate();
        QCOMPARE(demo.messages.shown().size(), std::size_t{1});
        QCOMPARE(std::memcmp(before.get(), &demo.year.block(), sizeof(PeriodBlock)), 0);
    }

    void aSavedPeriodIsNotAskedAbout() {
        DemoMainWindow demo(11);
        holdLastYearsRates(demo.year.block().settings);
        demo.main->offerRateUpdate();
        QVERIFY(demo.messages.shown().empty());
    }

    // A 2027 period with nothing set yet: 令和9年度 is not published, so the 令和8年度 shares.
    void aNew2027PeriodOffersThePublishedShares() {
        testing_support::TempFolder folder{"keiro-config-2027"};
        IniFile ini{folder / "Keiro.ini"};
        Settings settings = loadSettings(ini);
        ui::ScriptedMessageService messages;
        ConfigDialog dialog{nullptr, settings, ini, messages, folder / "none.dat", [] {}};
        PeriodSettings period;
        std::memset(&period, 0, sizeof period);
        const calc::PremiumRateHistory published =
            calc::PremiumRateHistory::fromDataFolder(KEIRO_SOURCE_DIR "/data");
        dialog.prepare(period, calc::ratesOfPeriod(published, calc::rateMonthsOf(2027, 1, 0), 2));
        const auto shown = [&](const char* name) {
            return dialog.findChild<QLineEdit*>(name)->text().trimmed();
        };
        QCOMPARE(shown("edKoyRitu"), QStringLiteral("0.500"));
        QCOMPARE(shown("edKaiRitu"), QStringLiteral("0.810"));
        QCOMPARE(shown("edNenRitu"), QStringLiteral("9.150"));
        QCOMPARE(shown("edSienRitu"), QStringLiteral("0.115"));
        dialog.findChild<QAbstractButton*>("rbIgai")->click();
        QCOMPARE(shown("edKoyRitu"), QStringLiteral("0.600"));  // 建設の事業
    }
};

}  // namespace keiro::payroll

using keiro::payroll::RateQuestionTest;
KEIRO_QTEST(RateQuestionTest);

#include "rate_question_test.moc"
