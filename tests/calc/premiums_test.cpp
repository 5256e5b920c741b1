// Social insurance premiums: monthly amounts from a grade, the monthly items of a salary, and
// the bonus premiums with the standard bonus, its caps and the earlier bonuses of the health
// insurance year read from real year files.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <stdexcept>

#include "calc/pay_history.h"
#include "calc/premiums.h"
#include "core/fileio.h"
#include "core/yearfile.h"
#include "tests/support/published_grades.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

using testing_support::publishedGrades;
using testing_support::tokyoRates;

EmployeeRecord insuredEmployee(const char* recordId = "260401_090000") {
    EmployeeRecord e{};
    e.recordId.assign(recordId);
    e.employmentInsured = e.healthInsured = e.nursingInsured = e.pensionInsured =
        e.pensionFundMember = 1;
    e.healthInsPremium = 12'806;
    e.nursingInsPremium = 2'106;
    e.pensionPremium = 23'790;
    e.pensionFundPremium = 2'600;
    return e;
}

struct Premiums {
    std::int32_t health, pension, fund, employment, nursing;
};

Premiums itemsOf(const DeductionRecord& d) {
    return {d.healthInsAmount, d.pensionAmount, d.pensionFundAmount, d.employmentInsAmount,
            d.nursingInsAmount};
}

bool operator==(const Premiums& a, const Premiums& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void PrintTo(const Premiums& p, std::ostream* out) {
    *out << "{health " << p.health << ", pension " << p.pension << ", fund " << p.fund
         << ", employment " << p.employment << ", nursing " << p.nursing << "}";
}

// --- from a grade ----------------------------------------------------------------------------

TEST(SetPremiumsFromGrade, RoundsEachPremiumAndKeepsPensionWithinItsGrades) {
    const struct {
        int grade;
        MonthlyPremiums expected;
    } cases[] = {
        // 134,000: health 6,599.5 rounds down; health and care 7,684.9 rounded once gives a
        // care premium of 1,086 (1,085 if care were rounded on its own).
        {10, {6'599, 1'086, 12'261, 1'340}},
        // 58,000 is below the pension grades: pension and fund use 88,000.
        {1, {2'856, 470, 8'052, 880}},
        // 1,390,000 is above them: pension and fund use 650,000.
        {50, {68'457, 11'259, 59'475, 6'500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grade);
        const MonthlyPremiums p = SetPremiumsFromGrade(publishedGrades(), c.grade, tokyoRates());
        EXPECT_EQ(p.health, c.expected.health);
        EXPECT_EQ(p.nursing, c.expected.nursing);
        EXPECT_EQ(p.pension, c.expected.pension);
        EXPECT_EQ(p.pensionFund, c.expected.pensionFund);
    }
#ifndef NDEBUG
    EXPECT_DEATH(SetPremiumsFromGrade(publishedGrades(), 0, tokyoRates()), "hasGrade");
    EXPECT_DEATH(SetPremiumsFromGrade(publishedGrades(), 51, tokyoRates()), "hasGrade");
#endif
}

TEST(MonthlyEmploymentInsurance, DropsHalfAYenAndRoundsUpAboveIt) {
    const struct {
        std::int32_t total;
        double rate;
        std::int32_t expected;
    } cases[] = {
        {250'000, 0.3, 750},
        {250'084, 0.6, 1'501},  // 1,500.504
        {250'083, 0.6, 1'500},  // 1,500.498
        {250'100, 0.5, 1'250},  // 1,250.5 exactly: down
        {0, 0.6, 0},
        {-250'084, 0.6, -1'501},
        {std::numeric_limits<std::int32_t>::max(), 1000.0,
         std::numeric_limits<std::int32_t>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MonthlyEmploymentInsurance(c.total, c.rate), c.expected) << c.total;
    }
}

// --- the items of a salary month --------------------------------------------------------------

TEST(ApplyMonthlyPremiums, TakesTheMastersPremiumsAndEmploymentInsuranceFromThePay) {
    DeductionRecord d{};
    const std::int32_t sum = ApplyMonthlyPremiums(insuredEmployee(), tokyoRates(), 250'100, {}, d);
    EXPECT_EQ(itemsOf(d), (Premiums{12'806, 23'790, 2'600, 1'250, 2'106}));
    EXPECT_EQ(sum, 12'806 + 23'790 + 2'600 + 1'250 + 2'106);
}

TEST(ApplyMonthlyPremiums, UninsuredAbsentAndHandEnteredItems) {
    EmployeeRecord e = insuredEmployee();
    e.nursingInsured = 0;  // under 40: health without care
    e.pensionFundMember = 0;
    e.employmentInsured = 0;

    DeductionRecord d{};
    d.nursingInsAmount = 999;  // left from an earlier calculation
    d.pensionAmount = 30'000;  // entered by hand
    d.manualFlags[kPensionItem - 1] = 1;
    d.employmentInsAmount = 700;  // entered by hand, but the form has no such item
    d.manualFlags[kEmploymentInsItem - 1] = 1;

    DeductionItemsActive onForm;
    onForm.employment = false;
    const std::int32_t sum = ApplyMonthlyPremiums(e, tokyoRates(), 250'000, onForm, d);
    EXPECT_EQ(itemsOf(d), (Premiums{12'806, 30'000, 0, 0, 0}));
    EXPECT_EQ(sum, 12'806 + 30'000);  // a kept amount still counts in the totals
}

// --- bonuses ------------------------------------------------------------------------------

TEST(StandardBonus, TruncatesToThousandsAndCapsThePension) {
    EXPECT_EQ(StandardBonus(1'234'567), 1'234'000);
    EXPECT_EQ(StandardBonus(999), 0);
    EXPECT_EQ(StandardBonus(2'000'000), 2'000'000);
    EXPECT_EQ(PensionStandardBonus(2'000'000), 1'500'000);
    EXPECT_EQ(PensionStandardBonus(1'499'000), 1'499'000);
}

TEST(BonusSocialInsurance, HealthOnTheWholeBonusPensionOnTheCappedOne) {
    PaymentRecord pay{};
    pay.taxablePayTotal = 2'000'000;
    pay.payTotal = 2'010'000;  // with 10,000 of non-taxable commuting allowance
    DeductionRecord d{};
    const std::int32_t sum =
        BonusSocialInsurance(insuredEmployee(), tokyoRates(), pay, BonusHistory(), {}, d);
    // health 2,000,000 × 4.925 %, care (4.925 + 0.81) % less health, pension and fund on
    // 1,500,000, employment on the whole pay.
    EXPECT_EQ(itemsOf(d), (Premiums{98'500, 137'250, 15'000, 10'050, 16'200}));
    EXPECT_EQ(sum, 98'500 + 137'250 + 15'000 + 10'050 + 16'200);
}

TEST(BonusSocialInsurance, StandardBonusOfAnOddAmount) {
    PaymentRecord pay{};
    pay.taxablePayTotal = pay.payTotal = 1'234'567;
    DeductionRecord d{};
    BonusSocialInsurance(insuredEmployee(), tokyoRates(), pay, BonusHistory(), {}, d);
    // On 1,234,000: health 60,774.5 → 60,774; health and care 70,769.9 → 70,770; pension
    // 112,911; fund 12,340; employment on 1,234,567: 6,172.835 → 6,173.
    EXPECT_EQ(itemsOf(d), (Premiums{60'774, 112'911, 12'340, 6'173, 9'996}));
}

TEST(BonusSocialInsurance, DirectorsFeeIsNotSubjectToEmploymentInsurance) {
    PaymentRecord pay{};
    pay.basePayAmount = 600'000;
    pay.positionAllowanceAmount = 400'000;  // 役員報酬
    pay.taxablePayTotal = pay.payTotal = 1'000'000;
    DeductionRecord d{};
    BonusSocialInsurance(insuredEmployee(), tokyoRates(), pay, BonusHistory(), {}, d);
    EXPECT_EQ(d.employmentInsAmount, 3'000);
    EXPECT_EQ(d.healthInsAmount, 49'250);  // the fee counts for the other premiums
}

TEST(BonusSocialInsurance, UninsuredAbsentAndHandEnteredItems) {
    PaymentRecord pay{};
    pay.taxablePayTotal = pay.payTotal = 1'000'000;

    EmployeeRecord noCare = insuredEmployee();
    noCare.nursingInsured = 0;
    noCare.pensionFundMember = 0;
    DeductionRecord d{};
    d.nursingInsAmount = 5'000;
    BonusSocialInsurance(noCare, tokyoRates(), pay, BonusHistory(), {}, d);
    EXPECT_EQ(itemsOf(d), (Premiums{49'250, 91'500, 0, 5'000, 0}));

    // Health entered by hand: care is the combined amount less the health now in the record.
    DeductionRecord manual{};
    manual.healthInsAmount = 40'000;
    manual.manualFlags[kHealthInsItem - 1] = 1;
    DeductionItemsActive onForm;
    onForm.pensionFund = false;
    onForm.employment = false;
    const std::int32_t sum =
        BonusSocialInsurance(insuredEmployee(), tokyoRates(), pay, BonusHistory(), onForm, manual);
    EXPECT_EQ(itemsOf(manual), (Premiums{40'000, 91'500, 0, 0, 57'350 - 40'000}));
    EXPECT_EQ(sum, 40'000 + 91'500 + 17'350);
}

// --- the health insurance year's cap, from the year files --------------------------------------

class BonusHistoryTest : public ::testing::Test {
  protected:
    struct Paid {
        int slot;
        const char* recordId;
        std::int32_t taxablePayTotal;
    };

    // Saves a bonus period into a year file: its pay date in the header, its employees' bonuses.
    static void storeBonus(const fs::path& path, int period, int month, int day,
                           std::initializer_list<Paid> paid) {
        createYearFileIfMissing(path);
        auto block = std::make_unique<PeriodBlock>();
        for (const Paid& p : paid) {
            block->employee(p.slot).recordId.assign(p.recordId);
            block->payments[p.slot - 1].taxablePayTotal = p.taxablePayTotal;
        }
        YearFileHeader header = readYearFileHeader(path);
        header.periodSaved[period - 1] = 1;
        header.bonusPayMonth[period - kFirstBonusPeriod] = month;
        header.bonusPayDay[period - kFirstBonusPeriod] = day;
        std::string content = readFile(path);
        std::memcpy(content.data(), &header, sizeof header);
        std::memcpy(content.data() + blockOffset(period), block.get(), kBlockSize);
        writeFileAtomic(path, content);
    }

    // Marks a period saved with the first employee's pay form out of range, as damage on the
    // disk would leave it.
    static void damage(const fs::path& path, int period) {
        createYearFileIfMissing(path);
        std::string content = readFile(path);
        YearFileHeader header;
        std::memcpy(&header, content.data(), sizeof header);
        header.periodSaved[period - 1] = 1;
        std::memcpy(content.data(), &header, sizeof header);
        auto block = std::make_unique<PeriodBlock>();
        std::memcpy(block.get(), content.data() + blockOffset(period), kBlockSize);
        block->employee(1).recordId.assign("X");
        block->employee(1).payForm = 9;
        std::memcpy(content.data() + blockOffset(period), block.get(), kBlockSize);
        writeFileAtomic(path, content);
    }

    // The message of the IoError `load` throws; "" when it throws none.
    template <class Load>
    static std::string ioErrorOf(const Load& load) {
        try {
            load();
        } catch (const IoError& error) {
            return error.what();
        }
        return "";
    }

    // The earlier bonuses seen by bonus `period`, opened with this pay date.
    BonusHistory history(int period, int month, int day) const {
        createYearFileIfMissing(thisYear_);
        YearFileHeader header = readYearFileHeader(thisYear_);
        header.bonusPayMonth[period - kFirstBonusPeriod] = month;
        header.bonusPayDay[period - kFirstBonusPeriod] = day;
        return BonusHistory::load(thisYear_, lastYear_, period, header);
    }

    testing_support::TempFolder folder_{"keiro-bonus"};
    const fs::path thisYear_ = folder_ / "令和08年給与･賞与.dat";
    const fs::path lastYear_ = folder_ / "令和07年給与･賞与.dat";
};

TEST_F(BonusHistoryTest, CapsTheStandardBonusOverTheYear) {
    storeBonus(
        thisYear_, 13, 7, 10,
        {{1, "A", 5'000'000}, {2, "B", 5'800'000}, {3, "C", 4'730'000}, {4, "D", 5'730'000}});
    // The winter bonus's own block on disk holds an earlier calculation: not counted.
    storeBonus(thisYear_, 14, 12, 10, {{1, "A", 9'999'999}});
    const BonusHistory earlier = history(14, 12, 10);

    const struct {
        const char* recordId;
        std::int32_t expected;
    } cases[] = {
        {"A", 730'000},    // 5,000,000 earlier
        {"B", 0},          // 5,800,000 earlier: over the cap already
        {"C", 1'000'000},  // reaches the cap exactly
        {"D", 0},          // at the cap
        {"E", 1'000'000},  // no earlier bonus
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StandardBonusForHealth(earlier, c.recordId, 1'000'000), c.expected) << c.recordId;
    }

    PaymentRecord pay{};
    pay.taxablePayTotal = pay.payTotal = 1'000'000;
    DeductionRecord d{};
    BonusSocialInsurance(insuredEmployee("A"), tokyoRates(), pay, earlier, {}, d);
    EXPECT_EQ(d.healthInsAmount, 35'952);  // 730,000 × 4.925 % = 35,952.5
    EXPECT_EQ(d.pensionAmount, 91'500);    // the pension has no yearly cap
}

TEST_F(BonusHistoryTest, BonusesOfOneMonthShareThePensionCapAndCarriedTotalsCountForHealth) {
    // B3: 1,000,000 on 10 July, 800,000 on 25 July: the second's pension base is 500,000.
    storeBonus(thisYear_, 13, 7, 10, {{1, "A", 1'000'000}});
    storeBonus(thisYear_, 14, 6, 30, {{1, "A", 1'400'000}});  // June: another month
    const BonusHistory july = history(15, 7, 25);
    EXPECT_EQ(july.earlierThisMonth("A"), 1'000'000);
    EXPECT_EQ(PensionStandardBonus(july, "A", 800'000), 500'000);
    EXPECT_EQ(PensionStandardBonus(july, "B", 2'000'000), 1'500'000);
    PaymentRecord pay{};
    pay.taxablePayTotal = pay.payTotal = 800'000;
    DeductionRecord d{};
    BonusSocialInsurance(insuredEmployee("A"), tokyoRates(), pay, july, {}, d);
    EXPECT_EQ(d.pensionAmount, 45'750);  // 500,000 × 9.15 %

    // 5,000,000 carried in for the year from April 2026: 730,000 of a 1,000,000 bonus is left.
    BonusHistory none;
    EmployeeRecord carried = insuredEmployee("C");
    carried.social.carriedBonus = 5'000'000;
    carried.social.carriedBonusYear = 2026;
    EXPECT_EQ(StandardBonusForHealth(none, carried, 1'000'000), 1'000'000);  // year not known
    none.setHealthYear(2026);
    EXPECT_EQ(StandardBonusForHealth(none, carried, 1'000'000), 730'000);
    pay.taxablePayTotal = pay.payTotal = 1'000'000;
    BonusSocialInsurance(carried, tokyoRates(), pay, none, {}, d);
    EXPECT_EQ(d.healthInsAmount, 35'952);  // 730,000 × 4.925 %
    none.setHealthYear(2027);              // carried for another year
    EXPECT_EQ(StandardBonusForHealth(none, carried, 1'000'000), 1'000'000);
}

TEST_F(BonusHistoryTest, AMarchBonusCountsItsInsuranceYearOnly) {
    storeBonus(lastYear_, 13, 7, 10, {{1, "A", 1'000'000}});   // last July: counts
    storeBonus(lastYear_, 14, 12, 10, {{1, "A", 2'000'000}});  // last December: counts
    storeBonus(lastYear_, 15, 2, 20, {{1, "A", 4'000'000}});   // the year before that
    storeBonus(thisYear_, 14, 1, 15, {{1, "A", 300'000}});     // this January: counts
    storeBonus(thisYear_, 15, 7, 10, {{1, "A", 5'000'000}});   // this July: the next year
    EXPECT_EQ(history(13, 3, 20).earlierTotal("A"), 3'300'000);
    // A bonus paid from April on never looks at the previous year.
    EXPECT_EQ(history(13, 4, 1).earlierTotal("A"), 0);
}

TEST_F(BonusHistoryTest, BonusesOfTheSameMonthCountUpToTheirDay) {
    // Each bonus counts with its standard amount (fractions of 1,000 yen dropped).
    storeBonus(thisYear_, 13, 3, 20, {{1, "A", 1'999}});
    storeBonus(thisYear_, 14, 3, 25, {{1, "A", 100'000}});
    storeBonus(thisYear_, 15, 3, 20, {{1, "A", 10'500}});
    EXPECT_EQ(history(13, 3, 20).earlierTotal("A"), 10'000);  // the same day counts, not the 25th
    EXPECT_EQ(history(15, 3, 20).earlierTotal("A"), 1'000);   // and the other way round
    EXPECT_EQ(history(14, 3, 25).earlierTotal("A"), 11'000);
    EXPECT_EQ(history(14, 0, 0).earlierTotal("A"), 0);  // a bonus without a pay date
}

TEST_F(BonusHistoryTest, MatchesEmployeesByRecordIdInAnySlot) {
    storeBonus(lastYear_, 14, 12, 10,
               {{5, "A", 1'000'000}, {7, "A", 9'000'000}, {1, "B", 2'000'000}});
    const BonusHistory earlier = history(13, 2, 10);
    EXPECT_EQ(earlier.earlierTotal("A"), 1'000'000);  // the first slot with the key
    EXPECT_EQ(earlier.earlierTotal("B"), 2'000'000);
    EXPECT_EQ(earlier.earlierTotal(""), 0);  // free slots match nobody
}

TEST_F(BonusHistoryTest, AMissingPreviousYearAddsNothingADamagedOneFails) {
    storeBonus(thisYear_, 14, 1, 15, {{1, "A", 300'000}});
    EXPECT_EQ(history(13, 2, 10).earlierTotal("A"), 300'000);

    writeFileAtomic(lastYear_, std::string(1000, '\0'));
    EXPECT_THROW(history(13, 2, 10), IoError);
    EXPECT_NO_THROW(history(13, 6, 10));  // not needed from April on
}

// Only what a bonus uses is read and checked: a damaged period that does not count for it
// cannot stop it, one that does fails with the place of the damage.
TEST_F(BonusHistoryTest, ADamagedPeriodMattersOnlyWhenTheBonusUsesIt) {
    storeBonus(thisYear_, 13, 7, 10, {{2, "A", 1'000'000}});
    storeBonus(thisYear_, 15, 2, 20, {{2, "A", 2'000'000}});  // the insurance year before
    storeBonus(lastYear_, 14, 12, 10, {{2, "A", 4'000'000}});
    YearData year;
    year.setFile(thisYear_, "令和", 8, EraNames{"平成", "令和"});
    year.beginOpenPeriod(14, PeriodEntry{0, 0.0, 12, 10});

    damage(thisYear_, 15);
    damage(thisYear_, 6);   // a salary month
    damage(thisYear_, 10);  // not the month before the pay month
    damage(lastYear_, 14);  // the previous year counts only for a bonus of January to March
    EXPECT_EQ(loadPeriodInputs(year).history.earlierTotal("A"), 1'000'000);

    damage(thisYear_, 11);  // the month before: its pay sets the bonus's tax rate
    EXPECT_NE(ioErrorOf([&] {
                  loadPeriodInputs(year);
              }).find("11月のデータが壊れています（従業員欄 1: 給与形態）"),
              std::string::npos);
    damage(thisYear_, 13);  // the summer bonus counts towards the cap
    EXPECT_NE(ioErrorOf([&] {
                  history(14, 12, 10);
              }).find("賞与1のデータが壊れています（従業員欄 1: 給与形態）"),
              std::string::npos);
}

TEST_F(BonusHistoryTest, RefusesAPeriodThatIsNotABonus) {
    for (int period : {0, 12, 16}) {
        EXPECT_THROW(BonusHistory::load(thisYear_, lastYear_, period, YearFileHeader{}),
                     std::invalid_argument);
    }
}

TEST_F(BonusHistoryTest, LoadsForTheOpenPeriodOfTheYear) {
    storeBonus(lastYear_, 14, 12, 10, {{3, "A", 2'000'000}});
    createYearFileIfMissing(thisYear_);
    YearData year;
    year.setFile(thisYear_, "令和", 8, EraNames{"平成", "令和"});
    PeriodEntry entry;
    entry.bonusPayMonth = 3;
    entry.bonusPayDay = 20;
    year.beginOpenPeriod(13, entry);
    EXPECT_EQ(BonusHistory::load(year).earlierTotal("A"), 2'000'000);
}

}  // namespace
}  // namespace keiro::calc
