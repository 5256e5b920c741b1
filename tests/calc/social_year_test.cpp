// The yearly tasks read from stored periods: which period is a month's pay, who is reported or
// left out, a revision found from a change of fixed pay, the bonus report across two files, and
// a labour insurance year over two year files with one missing.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "calc/social_year.h"
#include "core/fileio.h"
#include "tests/support/published_grades.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc {
namespace {

using testing_support::publishedGrades;

// A year file built in memory and written whole.
struct StoredYear {
    YearFileHeader header{};
    std::vector<std::unique_ptr<PeriodBlock>> blocks;

    StoredYear() {
        for (int p = 0; p < kPeriodCount; ++p) blocks.push_back(std::make_unique<PeriodBlock>());
    }
    PeriodBlock& period(int p) {
        header.periodSaved[p - 1] = 1;
        return *blocks[static_cast<std::size_t>(p - 1)];
    }
    // Employee `slot` in period p: monthly pay of `pay` (all of it fixed base pay unless
    // `overtime`), social-insurance base the same, absent days as given.
    EmployeeRecord& pay(int p, int slot, const char* id, std::int32_t base,
                        std::int32_t overtime = 0, double absent = 0) {
        PeriodBlock& b = period(p);
        EmployeeRecord& e = b.employee(slot);
        e.recordId.assign(id);
        e.name.assign(std::string("社員") + id);
        e.payForm = 1;
        e.healthInsured = e.pensionInsured = e.employmentInsured = 1;
        e.insuranceGrade = 20;
        b.payments[slot - 1].basePayAmount = base;
        b.payments[slot - 1].overtimePay = overtime;
        b.payments[slot - 1].payTotal = base + overtime;
        b.payments[slot - 1].taxablePayTotal = base + overtime;
        b.deductions[slot - 1].socialInsBase = base + overtime;
        b.attendance[slot - 1].absentDays = absent;
        return e;
    }
    std::filesystem::path write(const std::filesystem::path& path) const {
        std::string bytes(kYearFileSize, '\0');
        std::memcpy(bytes.data(), &header, sizeof header);
        for (int p = 1; p <= kPeriodCount; ++p) {
            std::memcpy(bytes.data() + blockOffset(p),
                        blocks[static_cast<std::size_t>(p - 1)].get(), kBlockSize);
        }
        writeFileAtomic(path, bytes);
        return path;
    }
};

std::array<bool, kPaymentFixedFlagCount> defaultFixed() {
    return Settings{}.fixedPayFlags;
}

class SocialYearTest : public ::testing::Test {
  protected:
    testing_support::TempFolder folder_{"keiro-social"};
};

TEST_F(SocialYearTest, AprilToJuneFromStoredPayWithHiresAndTheNextMonthPayDate) {
    StoredYear y;
    for (int p = 1; p <= 7; ++p) {
        // Pay in the next month: period 3 is the April pay.
        y.period(p).settings.payNextMonth = 1;
        y.pay(p, 1, "A", 300'000).social.insuredSince = 20260105;              // January hire
        if (p >= 6) y.pay(p, 2, "B", 250'000).social.insuredSince = 20260610;  // June hire
        EmployeeRecord& c = y.pay(p, 3, "C", 140'000, 0, p == 4 ? 16 : 0);     // May pay: 14 days
        c.social.dayRule = 2;
    }
    y.pay(3, 1, "A", 300'000, 20'000);                   // April pay (March work) has overtime
    y.period(4).payments[2].absenceDeduction = -60'000;  // May pay: the absence is deducted
    const YearView view(y.write(folder_ / "R08.dat"));
    const SocialYear year{view, 2026, publishedGrades(), defaultFixed()};
    EXPECT_EQ(periodPaidIn(view, 4), 3);
    EXPECT_EQ(periodPaidIn(view, 1), std::nullopt);  // January pay is last year's December

    const std::vector<SanteiLine> lines = santeiOfYear(year);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].excluded, SanteiExclusion::None);  // the January hire counts fully
    EXPECT_EQ(lines[0].months[0].days, 31);               // March work, 31 days
    EXPECT_EQ(lines[0].months[1].days, 30);
    EXPECT_FALSE(lines[0].months[0].partial);
    EXPECT_EQ(lines[0].result.average, 306'666);
    EXPECT_EQ(lines[0].result.grades.health, 22);
    EXPECT_EQ(lines[0].previous.health, 20);
    EXPECT_EQ(lines[1].excluded, SanteiExclusion::JoinedFromJune);
    EXPECT_FALSE(lines[1].result.grades.health);
    // The part-timer: 31 and 14 days (April less 16) and 31: 17-day months only.
    EXPECT_EQ(lines[2].months[1].days, 14);
    EXPECT_EQ(lines[2].result.counted, (std::array<bool, 3>{true, false, true}));
}

TEST_F(SocialYearTest, AMidMonthHireCountsTheDaysFromTheDayCoverageBegan) {
    // Monthly pay, paid in the month worked.  A joins on 20 April (11 days of April, pay cut by
    // hand to 110,000): April falls below 17 days and leaves the total.  B joins on 6 April
    // (25 days): April stays in the total and average, and the 修正平均額 leaves it out.  C is
    // paid by the day: the days worked decide, whatever the date.
    StoredYear y;
    for (int p = 4; p <= 6; ++p) {
        y.pay(p, 1, "A", p == 4 ? 110'000 : 300'000).social.insuredSince = 20260420;
        y.pay(p, 2, "B", p == 4 ? 250'000 : 300'000).social.insuredSince = 20260406;
        EmployeeRecord& c = y.pay(p, 3, "C", 180'000);
        c.payForm = 2;
        c.social.insuredSince = 20260420;
        y.period(p).attendance[2].daysWorked = p == 4 ? 9 : 20;
    }
    const YearView view(y.write(folder_ / "R08.dat"));
    const std::vector<SanteiLine> lines =
        santeiOfYear({view, 2026, publishedGrades(), defaultFixed()});
    ASSERT_EQ(lines.size(), 3u);

    const SanteiLine& a = lines[0];
    EXPECT_TRUE(a.months[0].partial);
    EXPECT_EQ(a.months[0].days, 11);
    EXPECT_EQ(a.months[1].days, 31);
    EXPECT_EQ(a.result.counted, (std::array<bool, 3>{false, true, true}));
    EXPECT_EQ(a.result.total, 600'000);
    EXPECT_EQ(a.result.average, 300'000);

    const SanteiLine& b = lines[1];
    EXPECT_EQ(b.months[0].days, 25);
    EXPECT_EQ(b.result.counted, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(b.result.total, 850'000);
    EXPECT_EQ(b.result.average, 283'333);
    EXPECT_EQ(b.result.adjusted, 300'000);
    EXPECT_EQ(b.result.remuneration, 300'000);

    EXPECT_EQ(lines[2].months[0].days, 9);
    EXPECT_EQ(lines[2].months[1].days, 20);
}

TEST_F(SocialYearTest, UnpaidLeaveMonthsNeverCountAndThePreviousGradeContinues) {
    StoredYear y;
    for (int p = 3; p <= 6; ++p) {
        y.pay(p, 1, "A", 0).workStatus = 2;      // 休職, nothing paid at all
        y.pay(p, 2, "B", p == 5 ? 0 : 280'000);  // May unpaid
    }
    y.period(6).attendance[0].payBasisDays = 30;  // the clerk says June was a paid month
    y.period(6).attendance[0].payBasisDaysSet = 1;
    const YearView view(y.write(folder_ / "R08.dat"));
    const std::vector<SanteiLine> lines =
        santeiOfYear({view, 2026, publishedGrades(), defaultFixed()});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].months[0].days, 0);
    EXPECT_EQ(lines[0].months[2].days, 30);  // the correction stands
    EXPECT_EQ(lines[0].result.counted, (std::array<bool, 3>{false, false, true}));
    EXPECT_EQ(lines[1].months[1].days, 0);
    EXPECT_EQ(lines[1].result.counted, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(lines[1].result.average, 280'000);

    StoredYear none;
    for (int p = 3; p <= 6; ++p) none.pay(p, 1, "A", 0).workStatus = 2;
    const YearView unpaid(none.write(folder_ / "R08b.dat"));
    const std::vector<SanteiLine> kept =
        santeiOfYear({unpaid, 2026, publishedGrades(), defaultFixed()});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(kept[0].result.keepPrevious);
    EXPECT_EQ(kept[0].result.grades.health, 20);  // not grade 1 from an average of 0
}

TEST_F(SocialYearTest, ARaiseInAprilIsARevisionFromJulyAndLeavesTheEmployeeOutOfJuly) {
    StoredYear y;
    for (int p = 1; p <= 7; ++p) {
        y.pay(p, 1, "A", p < 4 ? 260'000 : 300'000).social.decidedRemuneration = 260'000;
        y.pay(p, 2, "B", 260'000, p >= 4 ? 40'000 : 0);  // overtime only: no change of fixed pay
    }
    const YearView view(y.write(folder_ / "R08.dat"));
    const SocialYear year{view, 2026, publishedGrades(), defaultFixed()};
    const std::vector<RevisionLine> revisions = revisionsOfYear(year);
    ASSERT_EQ(revisions.size(), 1u);
    EXPECT_EQ(revisions[0].slot, 1);
    EXPECT_EQ(revisions[0].changeMonth, 202604);
    EXPECT_EQ(revisions[0].appliesFrom, 202607);
    EXPECT_EQ(revisions[0].result.grades.health, 22);
    EXPECT_TRUE(revisions[0].result.health && revisions[0].result.pension);

    const std::vector<SanteiLine> lines = santeiOfYear(year);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].excluded, SanteiExclusion::RevisedJulyToSeptember);
    EXPECT_EQ(lines[1].excluded, SanteiExclusion::None);

    // With overtime flagged as fixed pay, B's change counts too.
    auto flags = defaultFixed();
    flags[6] = true;
    EXPECT_EQ(revisionsOfYear({view, 2026, publishedGrades(), flags}).size(), 2u);
}

TEST_F(SocialYearTest, ARevisionTakesThePensionCeilingOfTheMonthItStarts) {
    // Both raised from 500,000 to 700,000 (health grade 37): A in April, from July, while the
    // pension still stops at 第32級; B in June, from September 2027, when 第33級 has come in.
    const HealthGradeTable fromSeptember = HealthGradeTable::fromBytes(
        buildHealthGradeTable(
            DataCsv(readFile(std::string(KEIRO_SOURCE_DIR) + "/data/health_grades.csv"), "g"), 33),
        "g");
    StoredYear y;
    for (int p = 1; p <= 9; ++p) {
        y.pay(p, 1, "A", p < 4 ? 500'000 : 700'000).social.decidedRemuneration = 500'000;
        y.pay(p, 2, "B", p < 6 ? 500'000 : 700'000).social.decidedRemuneration = 500'000;
    }
    const YearView view(y.write(folder_ / "R09.dat"));
    const SocialYear year{view, 2027, fromSeptember, defaultFixed()};
    const std::vector<RevisionLine> revisions =
        revisionsOfYear(year, [&](int yearMonth) -> const HealthGradeTable& {
            return yearMonth >= 202709 ? fromSeptember : publishedGrades();
        });
    ASSERT_EQ(revisions.size(), 2u);
    EXPECT_EQ(revisions[0].appliesFrom, 202707);
    EXPECT_EQ(revisions[0].result.grades, (SocialGrades{37, 32, 710'000, 650'000}));
    EXPECT_EQ(revisions[1].appliesFrom, 202709);
    EXPECT_EQ(revisions[1].result.grades, (SocialGrades{37, 33, 710'000, 680'000}));
}

TEST_F(SocialYearTest, ARevisionComparesWithSeptembersDecisionOnceApplied) {
    // 260,000 (H20) until September's decision of 300,000 (H22), written from October's pay.
    // A raise to 320,000 first paid in September is one grade above that: no revision, where
    // the grade before September's decision would have given three.
    StoredYear y;
    for (int p = 1; p <= 12; ++p) {
        EmployeeRecord& e = y.pay(p, 1, "A", p < 9 ? 260'000 : 320'000);
        e.social.decidedRemuneration = p < 10 ? 260'000 : 300'000;
        e.insuranceGrade = p < 10 ? 20 : 22;
    }
    const YearView decided(y.write(folder_ / "R08.dat"));
    EXPECT_TRUE(revisionsOfYear({decided, 2026, publishedGrades(), defaultFixed()}).empty());

    // Before that decision is applied, the grade in force is still H20.
    for (int p = 10; p <= 12; ++p) {
        y.period(p).employee(1).social.decidedRemuneration = 260'000;
        y.period(p).employee(1).insuranceGrade = 20;
    }
    const YearView undecided(y.write(folder_ / "R08b.dat"));
    const std::vector<RevisionLine> lines =
        revisionsOfYear({undecided, 2026, publishedGrades(), defaultFixed()});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].appliesFrom, 202612);
    EXPECT_EQ(lines[0].previous.health, 20);
}

TEST_F(SocialYearTest, AnHourlyWorkersFixedPayIsTheHourlyWage) {
    // 1,200 yen an hour: 120 hours in March, 160 from April.  More hours are not a change of
    // fixed pay, so no revision, though the average would be five grades up.
    StoredYear y;
    for (int p = 1; p <= 7; ++p) {
        EmployeeRecord& e = y.pay(p, 1, "H", 1'200 * (p < 4 ? 120 : 160));
        e.payForm = 3;
        e.basePay = 1'200;
        e.insuranceGrade = 11;
        y.period(p).attendance[0].daysWorked = 20;
    }
    const YearView same(y.write(folder_ / "R08.dat"));
    EXPECT_TRUE(revisionsOfYear({same, 2026, publishedGrades(), defaultFixed()}).empty());

    // A raise of the hourly wage in April is one.
    for (int p = 4; p <= 7; ++p) y.period(p).employee(1).basePay = 1'300;
    const YearView raised(y.write(folder_ / "R08b.dat"));
    const std::vector<RevisionLine> lines =
        revisionsOfYear({raised, 2026, publishedGrades(), defaultFixed()});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].changeMonth, 202604);
    EXPECT_EQ(lines[0].direction, 1);
}

TEST_F(SocialYearTest, BonusReportCountsTheHealthYearAcrossTwoFiles) {
    StoredYear last;
    last.pay(14, 1, "A", 3'000'000);
    last.header.bonusPayMonth[1] = 12;
    last.header.bonusPayDay[1] = 10;
    StoredYear now;
    now.pay(13, 1, "A", 3'200'500);
    now.pay(13, 2, "B", 1'800'000).social.carriedBonus = 5'000'000;
    now.period(13).employee(2).social.carriedBonusYear = 2025;
    now.header.bonusPayMonth[0] = 3;
    now.header.bonusPayDay[0] = 15;
    const std::optional<YearView> previous = YearView(last.write(folder_ / "R07.dat"));
    const YearView view(now.write(folder_ / "R08.dat"));
    const SocialYear year{view, 2026, publishedGrades(), defaultFixed()};
    const std::vector<BonusLine> lines = bonusReportOf(year, previous, 13);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].figures.date, 20260315);
    EXPECT_EQ(lines[0].figures.standard, 3'200'000);
    EXPECT_EQ(lines[0].figures.healthBase, 2'730'000);  // December's 3,000,000 came first
    EXPECT_EQ(lines[0].figures.pensionBase, 1'500'000);
    EXPECT_EQ(lines[1].figures.healthBase, 730'000);                         // carried 5,000,000
    EXPECT_THROW(bonusReportOf(year, previous, 14), std::invalid_argument);  // not paid
    EXPECT_THROW(bonusReportOf(year, previous, 4), std::invalid_argument);
}

TEST_F(SocialYearTest, LabourYearOverTwoFilesWithTheSecondMissing) {
    StoredYear y;
    for (int p = 1; p <= 12; ++p) {
        if (p == 8) continue;  // August never saved
        y.pay(p, 1, "A", 200'000);
        y.pay(p, 2, "B", 80'000).employmentInsured = 0;  // 臨時
        EmployeeRecord& d = y.pay(p, 3, "D", 500'000);
        d.category = 1;  // a director: outside
        EmployeeRecord& w = y.pay(p, 4, "W", 400'000);
        w.social.labourClass = 2;  // 兼務役員 with a director's fee
        y.period(p).payments[3].positionAllowanceAmount = 100'000;
    }
    y.pay(13, 1, "A", 500'000);
    y.header.bonusPayMonth[0] = 7;
    y.header.bonusPayDay[0] = 10;
    const std::optional<YearView> first = YearView(y.write(folder_ / "R07.dat"));
    const LabourTotals t = labourTotalsOf(first, std::nullopt, {300, 1'450, 2});
    EXPECT_EQ(t.missingMonths, (std::vector<std::string>{"8月", "1月", "2月", "3月"}));
    ASSERT_EQ(t.rows.size(), 13u);
    EXPECT_EQ(t.rows[12].label, "賞与 7月");
    EXPECT_EQ(t.rows[12].regular.count, 1);  // only A was paid a bonus
    EXPECT_EQ(t.rows[12].temporary.count, 0);
    EXPECT_EQ(t.total.regular.wage, 8 * 200'000 + 500'000);
    EXPECT_EQ(t.total.temporary.wage, 8 * 80'000);
    EXPECT_EQ(t.total.director.wage, 8 * 300'000);
    EXPECT_EQ(t.total.employmentTotal.wage, 8 * 200'000 + 500'000 + 8 * 300'000);
    EXPECT_EQ(t.accidentBase, 5'140'000);

    // The other way round: only the second file, January to March of it.
    const LabourTotals second = labourTotalsOf(std::nullopt, first, {300, 1'450, 2});
    EXPECT_EQ(second.missingMonths.size(), 9u);
    EXPECT_EQ(second.total.regular.wage, 3 * 200'000);  // July's bonus is not in that year
}

TEST_F(SocialYearTest, LabourHeadcountLeavesOutThoseWhoHaveLeft) {
    // A leaves after May's pay and stays on the payroll as 退職; B is on unpaid 休職 and is
    // still a worker and insured; C works throughout.  A's last pay, made after he left, still
    // counts.
    StoredYear y;
    for (int p = 4; p <= 12; ++p) {
        EmployeeRecord& a = y.pay(p, 1, "A", p <= 5 ? 200'000 : 0);
        if (p >= 6) a.workStatus = 3;
        if (p == 6) y.period(p).payments[0].payTotal = 50'000;  // paid off in June
        EmployeeRecord& b = y.pay(p, 2, "B", p >= 9 ? 0 : 250'000);
        if (p >= 9) b.workStatus = 2;
        y.pay(p, 3, "C", 300'000);
    }
    const std::optional<YearView> first = YearView(y.write(folder_ / "R07.dat"));
    const LabourTotals t = labourTotalsOf(first, std::nullopt, {300, 1'450, 2});
    EXPECT_EQ(t.rows[0].regular.count, 3);  // April
    EXPECT_EQ(t.rows[2].regular.count, 3);  // June: A's final payment
    EXPECT_EQ(t.rows[3].regular.count, 2);  // July: B and C
    EXPECT_EQ(t.rows[8].regular.count, 2);  // December: B on leave
    EXPECT_EQ(t.rows[8].insured.count, 2);
    EXPECT_EQ(t.total.regular.wage, 2 * 200'000 + 50'000 + 5 * 250'000 + 9 * 300'000);
    // 3 × 3 + 2 × 6 = 21 monthly counts: 1 a month on average (27 with A after leaving: 2).
    EXPECT_EQ(t.accidentHeadcount, 1);
    EXPECT_EQ(t.employmentHeadcount, 1);
}

TEST_F(SocialYearTest, BackPayIsTakenOutOfTheAverageAndIsNoRevision) {
    // 従前 190,000; a raise of 10,000 from January decided late, its back-pay for January to
    // March (30,000) paid with April's pay, outside the base pay.
    StoredYear y;
    for (int p = 1; p <= 8; ++p) {
        EmployeeRecord& e = y.pay(p, 1, "T8", p < 4 ? 190'000 : 200'000, p == 4 ? 30'000 : 0);
        e.insuranceGrade = 16;
        e.social.decidedRemuneration = 190'000;
    }
    const YearView plain(y.write(folder_ / "R08a.dat"));
    // Without the back-pay marked, the 230,000 April pay gives a revision to 220,000.
    ASSERT_EQ(revisionsOfYear({plain, 2026, publishedGrades(), defaultFixed()}).size(), 1u);

    PaymentRecord& april = y.period(4).payments[0];
    april.backPay = 30'000;
    april.backPayFirstMonth = 202601;
    april.backPayLastMonth = 202603;
    const YearView marked(y.write(folder_ / "R08b.dat"));
    const SocialYear year{marked, 2026, publishedGrades(), defaultFixed()};
    EXPECT_TRUE(revisionsOfYear(year).empty());
    const std::vector<SanteiLine> lines = santeiOfYear(year);
    ASSERT_EQ(lines.size(), 1u);
    const SanteiLine& t8 = lines[0];
    EXPECT_EQ(t8.excluded, SanteiExclusion::None);
    EXPECT_EQ(t8.result.total, 630'000);
    EXPECT_EQ(t8.result.average, 210'000);
    EXPECT_EQ(t8.result.adjusted, 200'000);
    EXPECT_EQ(t8.result.grades.health, 17);
    EXPECT_EQ(t8.backPay, 30'000);
    EXPECT_EQ(t8.backPayMonth, 4);
    EXPECT_EQ(t8.raiseMonth, 4);
    EXPECT_EQ(t8.raiseDirection, 1);

    // Back-pay for March and April: only March's half is taken out of an April-June average.
    april.backPayLastMonth = 202604;
    april.backPayFirstMonth = 202603;
    const YearView spread(y.write(folder_ / "R08c.dat"));
    EXPECT_EQ(santeiOfYear({spread, 2026, publishedGrades(), defaultFixed()})[0].backPay, 15'000);

    // A 修正平均額 the clerk types for the revision governs it as well.
    april.backPay = 0;
    april.revisionAdjustedAverage = 200'000;
    const YearView entered(y.write(folder_ / "R08d.dat"));
    EXPECT_TRUE(revisionsOfYear({entered, 2026, publishedGrades(), defaultFixed()}).empty());
}

TEST_F(SocialYearTest, LeaveIsNoChangeOfFixedPay) {
    // 300,000 a month; April to June on leave.  Once paid a reduced base as 休職給, once with
    // the commuting allowance stopped during 産休.
    for (const std::uint8_t kind : {1, 2}) {
        SCOPED_TRACE(kind);
        StoredYear y;
        for (int p = 1; p <= 9; ++p) {
            const bool leave = p >= 4 && p <= 6;
            const std::int32_t base = kind == 1 && leave ? 100'000 : 300'000;
            EmployeeRecord& e = y.pay(p, 1, "L", base);
            e.insuranceGrade = 22;
            e.social.decidedRemuneration = 300'000;
            PaymentRecord& pay = y.period(p).payments[0];
            pay.commuteNonTaxableAmount = kind == 2 && leave ? 0 : 10'000;
            y.period(p).deductions[0].socialInsBase = base + pay.commuteNonTaxableAmount;
            if (leave) {
                pay.leaveKind = kind;
                pay.leavePay = kind == 1 ? 100'000 : 0;
            }
        }
        const YearView view(y.write(folder_ / "R08.dat"));
        const SocialYear year{view, 2026, publishedGrades(), defaultFixed()};
        EXPECT_TRUE(revisionsOfYear(year).empty());
        const std::vector<SanteiLine> lines = santeiOfYear(year);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(lines[0].onLeave);
        EXPECT_EQ(lines[0].raiseMonth, 0);
    }
}

TEST_F(SocialYearTest, SeventyYearOldEmployeesStayOnTheLists) {
    StoredYear y;
    for (int p = 1; p <= 7; ++p) {
        // 72: pension ended, health still on.
        EmployeeRecord& a = y.pay(p, 1, "A", 200'000);
        a.birthEra = 3;
        a.birthYear = 29;
        a.birthMonth = a.birthDay = 5;
        a.pensionInsured = 0;
        // 76: in neither insurance, marked as a 70歳以上被用者.
        EmployeeRecord& b = y.pay(p, 2, "B", 200'000);
        b.birthEra = 3;
        b.birthYear = 25;
        b.birthMonth = b.birthDay = 5;
        b.healthInsured = b.pensionInsured = 0;
        b.social.over70Employee = 1;
        // 76 and not marked: a part-timer outside both.
        EmployeeRecord& c = y.pay(p, 3, "C", 90'000);
        c = EmployeeRecord{b};
        c.recordId.assign("C");
        c.social.over70Employee = 0;
    }
    // April raises for all three.
    for (int p = 4; p <= 7; ++p) {
        for (int i = 0; i < 3; ++i) y.pay(p, i + 1, i == 0 ? "A" : i == 1 ? "B" : "C", 340'000);
    }
    for (int p = 1; p <= 7; ++p) {
        y.period(p).employee(1).pensionInsured = 0;
        EmployeeRecord& b = y.period(p).employee(2);
        b.healthInsured = b.pensionInsured = 0;
        b.social.over70Employee = 1;
        EmployeeRecord& c = y.period(p).employee(3);
        c.healthInsured = c.pensionInsured = 0;
    }
    const YearView view(y.write(folder_ / "R08.dat"));
    const SocialYear year{view, 2026, publishedGrades(), defaultFixed()};
    const std::vector<SanteiLine> lines = santeiOfYear(year);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].recordId, "A");
    EXPECT_EQ(lines[1].recordId, "B");
    EXPECT_TRUE(lines[0].over70 && lines[1].over70);
    const std::vector<RevisionLine> revisions = revisionsOfYear(year);
    ASSERT_EQ(revisions.size(), 2u);
    EXPECT_TRUE(revisions[0].over70 && revisions[1].over70);

    // A July bonus: the same two on the bonus report, A's during an exempt 育児休業.
    y.header.bonusPayMonth[0] = 7;
    y.header.bonusPayDay[0] = 10;
    for (int slot = 1; slot <= 3; ++slot) {
        y.pay(13, slot, slot == 1 ? "A" : slot == 2 ? "B" : "C", 500'000);
        y.period(13).employee(slot) = EmployeeRecord{y.period(7).employee(slot)};
    }
    y.period(13).payments[0].leaveKind = 2;
    const YearView withBonus(y.write(folder_ / "R08b.dat"));
    const std::vector<BonusLine> bonus =
        bonusReportOf({withBonus, 2026, publishedGrades(), defaultFixed()}, std::nullopt, 13);
    ASSERT_EQ(bonus.size(), 2u);
    EXPECT_TRUE(bonus[0].over70 && bonus[1].over70);
    EXPECT_TRUE(bonus[0].premiumExempt);
    EXPECT_FALSE(bonus[1].premiumExempt);
}

TEST_F(SocialYearTest, ChangesFirstPaidAtTheTurnOfTheYearReadTheNeighbouringFiles) {
    // 260,000 raised to 340,000 from the pay of `change`, in a company paying in the month worked
    // and in one paying the month after; the files of 2025, 2026 and 2027 are all there.
    for (const int payNext : {0, 1}) {
        for (const int change : {202601, 202611, 202612}) {
            SCOPED_TRACE(std::to_string(change) + (payNext == 1 ? " paid the month after" : ""));
            std::vector<std::unique_ptr<StoredYear>> years;
            std::vector<std::unique_ptr<YearView>> views;
            for (int year = 2025; year <= 2027; ++year) {
                auto& y = *years.emplace_back(std::make_unique<StoredYear>());
                for (int p = 1; p <= 12; ++p) {
                    const int payMonth = year * 100 + p + payNext;  // 202513: January 2026
                    const int paid = payMonth % 100 == 13 ? payMonth + 88 : payMonth;
                    y.period(p).settings.payNextMonth = static_cast<std::uint8_t>(payNext);
                    y.pay(p, 1, "X", paid >= change ? 340'000 : 260'000)
                        .social.decidedRemuneration = 260'000;
                }
                views.push_back(std::make_unique<YearView>(
                    y.write(folder_ / ("R" + std::to_string(year) + ".dat"))));
            }
            SocialYear year{*views[1], 2026, publishedGrades(), defaultFixed()};
            year.previous = views[0].get();
            year.next = views[2].get();
            const std::vector<RevisionLine> lines = revisionsOfYear(year);
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].changeMonth, change);
            const int applies = change == 202601 ? 202604 : change == 202611 ? 202702 : 202703;
            EXPECT_EQ(lines[0].appliesFrom, applies);
            EXPECT_EQ(lines[0].months[2].pay, 340'000);

            // Without the neighbouring files the months are not all there: no decision yet.
            year.previous = year.next = nullptr;
            const bool needsNeighbour = change == 202601 || payNext == 0 || change == 202612;
            EXPECT_EQ(revisionsOfYear(year).empty(), needsNeighbour);
        }
    }
}

TEST_F(SocialYearTest, BonusesPaidFourTimesAYearArePayInTheAprilToJuneDecision) {
    // The rules' T9: 250,000 a month; bonuses of 350,000 in December and June, and allowances
    // of 100,000 paid as bonuses in September and March: four in the year to June.
    StoredYear last;
    StoredYear now;
    const auto bonus = [](StoredYear& y, int period, int month, std::int32_t paid) {
        y.header.bonusPayMonth[period - kFirstBonusPeriod] = static_cast<std::uint8_t>(month);
        y.header.bonusPayDay[period - kFirstBonusPeriod] = 10;
        y.pay(period, 1, "T9", paid);
    };
    bonus(last, 13, 9, 100'000);
    bonus(last, 14, 12, 350'000);
    bonus(now, 13, 3, 100'000);
    for (int p = 1; p <= 7; ++p) now.pay(p, 1, "T9", 250'000);
    const YearView before(last.write(folder_ / "R07.dat"));
    const YearView three(now.write(folder_ / "R08a.dat"));
    SocialYear year{three, 2026, publishedGrades(), defaultFixed()};
    year.previous = &before;
    EXPECT_EQ(santeiOfYear(year)[0].frequentBonusShare, 0);  // three times: bonuses

    bonus(now, 14, 6, 350'000);
    const YearView four(now.write(folder_ / "R08b.dat"));
    SocialYear withFour{four, 2026, publishedGrades(), defaultFixed()};
    withFour.previous = &before;
    const SanteiLine t9 = santeiOfYear(withFour)[0];
    EXPECT_EQ(t9.frequentBonusShare, 75'000);
    EXPECT_EQ(t9.months[0].pay, 325'000);
    EXPECT_EQ(t9.result.total, 975'000);
    EXPECT_EQ(t9.result.average, 325'000);
    EXPECT_EQ(t9.result.grades.health, 23);
    EXPECT_EQ(t9.result.grades.pension, 20);
}

}  // namespace
}  // namespace keiro::calc
