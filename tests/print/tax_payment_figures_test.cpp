// The figures of the withheld tax's payment: pay counted in the month it was paid (December's
// salary paid in January from last year's file), people once a month and 延べ over a half-year,
// the year-end adjustment apart, and the total never below zero.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "core/yearfile.h"
#include "print/tax_payment_figures.h"
#include "sample/sample_company.h"
#include "tests/print/ledger_fixture.h"
#include "tests/support/temp_folder.h"

namespace keiro::print {
namespace {

using namespace std::chrono;
using testing_support::addEmployee;
using testing_support::newBlock;

const EraNames kNames{"平成", "令和"};

// A year file holding the given saved periods, the bonuses paid on the given months and days.
void writeYear(const std::filesystem::path& path,
               const std::array<const PeriodBlock*, kPeriodCount>& periods,
               std::array<int, 3> bonusMonths = {}, std::array<int, 3> bonusDays = {}) {
    testing_support::writeYearFile(path, periods);
    YearFileHeader header = readYearFileHeader(path);
    for (std::size_t b = 0; b < 3; ++b) {
        header.bonusPayMonth[b] = bonusMonths[b];
        header.bonusPayDay[b] = bonusDays[b];
    }
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
}

// A salary month paid on the 25th, or on the 10th of the month after.
std::unique_ptr<PeriodBlock> salaryMonth(bool paidNextMonth) {
    auto block = newBlock();
    block->settings.payDay = paidNextMonth ? 10 : 25;
    block->settings.payNextMonth = paidNextMonth ? 1 : 0;
    return block;
}

// Each addEmployee pays basePay + 5,000 taxable and withholds 4,000.
struct SmallCompany {
    testing_support::TempFolder folder{"keiro-tax-payment"};
    std::filesystem::path thisYear = folder.path() / "令和08年給与･賞与.dat";
    std::filesystem::path lastYear = folder.path() / "令和07年給与･賞与.dat";
};

TEST(TaxPaymentFiguresTest, JanuaryTakesLastDecemberPaidInJanuaryAndCountsEachPersonOnce) {
    SmallCompany company;
    // 2025: December's salary is paid on 10 January 2026.
    auto december = salaryMonth(true);
    addEmployee(*december, 1, "A", "甲", 300'000);
    addEmployee(*december, 2, "B", "乙", 200'000).taxColumn = 1;  // 乙欄 counts like any other
    december->deductions[1].incomeTax = 22'000;
    december->deductions[0].yearEndSettlement = -12'000;  // refunded in that pay
    december->deductions[1].yearEndSettlement = 3'000;    // collected in that pay
    writeYear(company.lastYear, {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, december.get()});

    // 2026: January paid on the 25th (the company changed its pay day), February paid in March;
    // a bonus on 20 January for A only; C is in the master but paid nothing.
    auto january = salaryMonth(false);
    addEmployee(*january, 1, "A", "甲", 310'000);
    addEmployee(*january, 2, "B", "乙", 200'000);
    addEmployee(*january, 3, "C", "丙", 0);
    january->payments[2] = PaymentRecord{};
    january->deductions[2] = DeductionRecord{};
    auto february = salaryMonth(true);
    addEmployee(*february, 1, "A", "甲", 999'000);
    auto bonus = newBlock();
    addEmployee(*bonus, 1, "A", "甲", 500'000);
    bonus->deductions[0].incomeTax = 51'000;
    writeYear(company.thisYear,
              {january.get(), february.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
               nullptr, nullptr, nullptr, nullptr, bonus.get()},
              {1, 0, 0}, {20, 0, 0});

    const TaxPaymentFiles files =
        TaxPaymentFiles::open(company.thisYear, kNames, TaxPaymentChoice{false, 1});
    const TaxPaymentFigures f = files.figures();
    ASSERT_TRUE(files.previousYear.has_value());
    // Salary: A and B paid on 1/10 and again on 1/25 count as two people, not four.
    EXPECT_EQ(f.salary.people, 2);
    EXPECT_EQ(f.salary.paid, 305'000 + 205'000 + 315'000 + 205'000);
    EXPECT_EQ(f.salary.tax, 4'000 + 22'000 + 4'000 + 4'000);
    ASSERT_EQ(f.salary.payDates.size(), 2u);
    EXPECT_EQ(f.salary.payDates[0], year_month_day(2026y, January, 10d));
    EXPECT_EQ(f.salary.payDates[1], year_month_day(2026y, January, 25d));
    EXPECT_EQ(f.bonus.people, 1);
    EXPECT_EQ(f.bonus.paid, 505'000);
    EXPECT_EQ(f.bonus.tax, 51'000);
    EXPECT_EQ(f.yearEnd.refund, 12'000);
    EXPECT_EQ(f.yearEnd.collect, 3'000);
    // 34,000 + 51,000 + 3,000 − 12,000
    EXPECT_EQ(f.total, 76'000);
    EXPECT_EQ(f.carried, 0);

    // February's salary is paid in March, so February holds nothing.
    const TaxPaymentFigures feb =
        TaxPaymentFiles::open(company.thisYear, kNames, {false, 2}).figures();
    EXPECT_EQ(feb.salary.people, 0);
    EXPECT_TRUE(feb.salary.payDates.empty());
    EXPECT_EQ(TaxPaymentFiles::open(company.thisYear, kNames, {false, 3}).figures().salary.paid,
              1'004'000);
}

TEST(TaxPaymentFiguresTest, RefundsBeyondTheTaxLeaveZeroToPayAndCarryTheRest) {
    SmallCompany company;
    auto december = salaryMonth(false);
    addEmployee(*december, 1, "A", "甲", 300'000);
    december->deductions[0].yearEndSettlement = -30'000;
    auto bonus = newBlock();  // a saved bonus with no pay month: named, not counted
    addEmployee(*bonus, 1, "A", "甲", 800'000);
    std::array<const PeriodBlock*, kPeriodCount> periods{};
    periods[11] = december.get();
    periods[14] = bonus.get();
    writeYear(company.thisYear, periods);

    const TaxPaymentFigures f =
        TaxPaymentFiles::open(company.thisYear, kNames, {false, 12}).figures();
    EXPECT_EQ(f.salary.tax, 4'000);
    EXPECT_EQ(f.yearEnd.refund, 30'000);
    EXPECT_EQ(f.total, 0);
    EXPECT_EQ(f.carried, 26'000);
    EXPECT_EQ(f.undatedBonuses, std::vector<int>{15});
    EXPECT_EQ(f.bonus.paid, 0);
}

TEST(TaxPaymentFiguresTest, AHalfYearCountsSomebodyPaidEveryMonthOncePerMonth) {
    SmallCompany company;
    std::vector<std::unique_ptr<PeriodBlock>> months;
    std::array<const PeriodBlock*, kPeriodCount> periods{};
    for (int m = 1; m <= 12; ++m) {
        months.push_back(salaryMonth(false));
        addEmployee(*months.back(), 1, "A", "甲", 100'000 * m);
        if (m == 3) addEmployee(*months.back(), 2, "B", "乙", 50'000);
        periods[static_cast<std::size_t>(m - 1)] = months.back().get();
    }
    writeYear(company.thisYear, periods);

    const TaxPaymentFigures first =
        TaxPaymentFiles::open(company.thisYear, kNames, {true, 1}).figures();
    EXPECT_EQ(first.span, (TaxPaymentSpan{2026, 1, 6}));
    EXPECT_FALSE(first.months.empty());
    EXPECT_EQ(first.months.size(), 6u);
    EXPECT_EQ(first.salary.people, 7);  // A six times, B once
    // (1 + … + 6) × 100,000 + 6 × 5,000 + 55,000
    EXPECT_EQ(first.salary.paid, 2'100'000 + 30'000 + 55'000);
    EXPECT_EQ(first.salary.tax, 7 * 4'000);
    EXPECT_EQ(first.salary.payDates.size(), 6u);
    EXPECT_EQ(first.months[2].salary.people, 2);

    const TaxPaymentFigures second =
        TaxPaymentFiles::open(company.thisYear, kNames, {true, 2}).figures();
    EXPECT_EQ(second.salary.people, 6);
    EXPECT_EQ(second.salary.payDates.back(), year_month_day(2026y, December, 25d));
    EXPECT_THROW(TaxPaymentSpan::of(2026, {true, 3}), std::invalid_argument);
    EXPECT_THROW(TaxPaymentSpan::of(2026, {false, 13}), std::invalid_argument);
}

// The sample company as of 8 December 2026: November's salary and the second half-year so far
// (July to November and the summer bonus of 10 July), summed here from the saved records.
struct SampleSums {
    int people = 0;
    std::int64_t paid = 0, tax = 0;
    void add(const PeriodBlock& block) {
        for (int i = 0; i < kMaxEmployees; ++i) {
            const std::int64_t taxable = block.payments[i].taxablePayTotal;
            const std::int64_t withheld = block.deductions[i].incomeTax;
            if (!block.employees[i].isUsed() || (taxable <= 0 && withheld == 0)) continue;
            ++people;
            paid += taxable;
            tax += withheld;
        }
    }
};

TEST(TaxPaymentFiguresTest, TheSampleCompanysNovemberAndSecondHalfAreItsSavedRecords) {
    testing_support::TempFolder folder("keiro-tax-sample");
    const sample::SampleFiles files = sample::createSampleCompany(
        folder.path() / "root", year_month_day{2026y, December, 8d}, KEIRO_BINARY_DIR "/bin");
    const std::filesystem::path& path = files.yearFiles.back();

    SampleSums november;
    november.add(*readPeriodBlock(path, 11));
    const TaxPaymentFigures f = TaxPaymentFiles::open(path, kNames, {false, 11}).figures();
    EXPECT_GT(november.people, 5);
    EXPECT_EQ(f.salary.people, november.people);
    EXPECT_EQ(f.salary.paid, november.paid);
    EXPECT_EQ(f.salary.tax, november.tax);
    EXPECT_EQ(f.salary.payDates, std::vector<year_month_day>{year_month_day(2026y, November, 25d)});
    EXPECT_EQ(f.bonus.people, 0);
    EXPECT_EQ(f.total, november.tax);

    SampleSums salaries, summerBonus;
    for (int m = 7; m <= 11; ++m) salaries.add(*readPeriodBlock(path, m));
    summerBonus.add(*readPeriodBlock(path, 13));
    const TaxPaymentFigures half = TaxPaymentFiles::open(path, kNames, {true, 2}).figures();
    EXPECT_EQ(half.salary.people, salaries.people);
    EXPECT_EQ(half.salary.paid, salaries.paid);
    EXPECT_EQ(half.salary.tax, salaries.tax);
    EXPECT_EQ(half.bonus.people, summerBonus.people);
    EXPECT_EQ(half.bonus.paid, summerBonus.paid);
    EXPECT_EQ(half.bonus.tax, summerBonus.tax);
    EXPECT_EQ(half.bonus.payDates, std::vector<year_month_day>{year_month_day(2026y, July, 10d)});
    EXPECT_EQ(half.total, salaries.tax + summerBonus.tax);
    EXPECT_EQ(half.months.back().salary.people, 0);  // December not yet paid
}

}  // namespace
}  // namespace keiro::print
