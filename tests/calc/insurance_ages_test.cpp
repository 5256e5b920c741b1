// The ages that change an employee's social insurance: the month each change takes effect
// (birthdays on the 1st and the 2nd of a month, and on 1 January), birth dates from the era
// codes, the premium month of salary months and bonuses, and the lines listed for a period.
#include "calc/insurance_ages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/pay_fixture.h"

namespace keiro::calc::testing {
namespace {

using Change = InsuranceAgeChange;
using Changes = std::vector<InsuranceAgeChange>;

EmployeeRecord insured(int health, int care, int pension) {
    EmployeeRecord e{};
    e.healthInsured = static_cast<std::uint8_t>(health);
    e.nursingInsured = static_cast<std::uint8_t>(care);
    e.pensionInsured = static_cast<std::uint8_t>(pension);
    return e;
}

TEST(InsuranceAges, EachChangeTakesEffectInItsMonth) {
    const EmployeeRecord noCare = insured(1, 0, 1);
    const EmployeeRecord withCare = insured(1, 1, 1);
    const EmployeeRecord careOnly = insured(1, 1, 0);
    struct Case {
        const char* what;
        EmployeeRecord employee;
        BirthDate birth;
        CalendarMonth before;  // the last month without the change
        CalendarMonth from;    // the first month with it
        Change change;
    };
    const Case cases[] = {
        // 40: the day before the birthday; on the 1st that day is in the previous month.
        {"40, born on the 2nd", noCare, {1986, 5, 2}, {2026, 4}, {2026, 5}, Change::CareStarts},
        {"40, born on the 1st", noCare, {1986, 5, 1}, {2026, 3}, {2026, 4}, Change::CareStarts},
        {"40, born on 1 January", noCare, {1986, 1, 1}, {2025, 11}, {2025, 12}, Change::CareStarts},
        {"65, born on the 2nd", careOnly, {1961, 5, 2}, {2026, 4}, {2026, 5}, Change::CareEnds},
        {"65, born on the 1st", careOnly, {1961, 5, 1}, {2026, 3}, {2026, 4}, Change::CareEnds},
        {"70, born on the 2nd",
         insured(1, 0, 1),
         {1956, 5, 2},
         {2026, 4},
         {2026, 5},
         Change::PensionEnds},
        {"70, born on the 1st",
         insured(1, 0, 1),
         {1956, 5, 1},
         {2026, 3},
         {2026, 4},
         Change::PensionEnds},
        // 75: from the birthday itself, so the 1st moves nothing.
        {"75, born on the 2nd",
         insured(1, 0, 0),
         {1951, 5, 2},
         {2026, 4},
         {2026, 5},
         Change::HealthEnds},
        {"75, born on the 1st",
         insured(1, 0, 0),
         {1951, 5, 1},
         {2026, 4},
         {2026, 5},
         Change::HealthEnds},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(insuranceAgeChanges(c.employee, c.birth, c.before), Changes{});
        EXPECT_EQ(insuranceAgeChanges(c.employee, c.birth, c.from), Changes{c.change});
    }

    // Flags that fit say nothing: care set between 40 and 65, nothing set after 75.
    EXPECT_EQ(insuranceAgeChanges(withCare, {1980, 6, 15}, {2026, 4}), Changes{});
    EXPECT_EQ(insuranceAgeChanges(insured(0, 0, 0), {1940, 6, 15}, {2026, 4}), Changes{});
    // Care goes with health insurance: without it, 40 asks for nothing.
    EXPECT_EQ(insuranceAgeChanges(insured(0, 0, 1), {1980, 6, 15}, {2026, 4}), Changes{});
    // Set before 40 is left alone (some societies collect it from younger members).
    EXPECT_EQ(insuranceAgeChanges(withCare, {1990, 6, 15}, {2026, 4}), Changes{});
    // At 76 with everything still set: all three, care first.
    EXPECT_EQ(insuranceAgeChanges(withCare, {1950, 1, 15}, {2026, 4}),
              (Changes{Change::CareEnds, Change::PensionEnds, Change::HealthEnds}));
}

TEST(InsuranceAges, BirthDatesFromTheEraCodes) {
    EmployeeRecord e{};
    auto born = [&e](int era, int year, int month, int day) {
        e.birthEra = static_cast<std::uint8_t>(era);
        e.birthYear = static_cast<std::uint8_t>(year);
        e.birthMonth = static_cast<std::uint8_t>(month);
        e.birthDay = static_cast<std::uint8_t>(day);
        const std::optional<BirthDate> date = birthDateOf(e);
        return date ? std::to_string(date->year) + "-" + std::to_string(date->month) + "-" +
                          std::to_string(date->day)
                    : std::string("none");
    };
    EXPECT_EQ(born(1, 45, 7, 29), "1912-7-29");    // 明治
    EXPECT_EQ(born(2, 15, 12, 24), "1926-12-24");  // 大正
    EXPECT_EQ(born(3, 61, 5, 1), "1986-5-1");      // 昭和
    EXPECT_EQ(born(4, 1, 1, 8), "1989-1-8");       // 平成
    EXPECT_EQ(born(4, 4, 2, 29), "1992-2-29");
    EXPECT_EQ(born(4, 5, 2, 29), "none");  // not a date
    EXPECT_EQ(born(3, 0, 5, 1), "none");   // no birth date
    EXPECT_EQ(born(0, 50, 5, 1), "none");
    EXPECT_EQ(born(5, 1, 5, 1), "none");
    EXPECT_EQ(born(3, 50, 13, 1), "none");
    EXPECT_EQ(born(3, 50, 4, 0), "none");
}

TEST(InsuranceAges, SeventyYearOldEmployeesByMarkOrFlags) {
    EmployeeRecord e = insured(0, 0, 0);
    e.birthEra = 3;  // 昭和31年7月1日: 70 on 2026-07-01, the day before in June
    e.birthYear = 31;
    e.birthMonth = 7;
    e.birthDay = 1;
    EXPECT_FALSE(isOver70Employee(e, {2026, 6}));  // no flag, no mark
    e.social.over70Employee = 1;
    EXPECT_FALSE(isOver70Employee(e, {2026, 5}));
    EXPECT_TRUE(isOver70Employee(e, {2026, 6}));
    e.social.over70Employee = 0;
    e.healthInsured = 1;
    EXPECT_TRUE(isOver70Employee(e, {2031, 8}));  // 75 and over too
    e.birthYear = 0;
    EXPECT_FALSE(isOver70Employee(e, {2031, 8}));  // no birth date
}

using InsuranceAgesPeriodTest = PayFixture;

EmployeeRecord& bornOn(EmployeeRecord& e, int showaYear, int month, int day) {
    e.birthEra = 3;
    e.birthYear = static_cast<std::uint8_t>(showaYear);
    e.birthMonth = static_cast<std::uint8_t>(month);
    e.birthDay = static_cast<std::uint8_t>(day);
    return e;
}

TEST_F(InsuranceAgesPeriodTest, PremiumMonthOfSalaryMonthsAndBonuses) {
    EXPECT_EQ(premiumMonthOf(year_), std::nullopt);  // nothing open
    open(4);
    EXPECT_EQ(premiumMonthOf(year_), (CalendarMonth{2026, 4}));
    openBonus(13, 7);
    EXPECT_EQ(premiumMonthOf(year_), (CalendarMonth{2026, 7}));
    open(14);  // a bonus without its pay month
    EXPECT_EQ(premiumMonthOf(year_), std::nullopt);
    open(12, EraYear{"平成", 30});
    EXPECT_EQ(premiumMonthOf(year_), (CalendarMonth{2018, 12}));
}

TEST_F(InsuranceAgesPeriodTest, ListsTheUsedEmployeesAtWorkWhoseFlagsDisagree) {
    open(5);
    EmployeeRecord& sato = bornOn(addEmployee(1, {.recordId = "260101_090001"}), 61, 5, 2);
    sato.name.assign("佐藤 健一");
    sato.healthInsured = 1;
    sato.pensionInsured = 1;
    EmployeeRecord& old = bornOn(addEmployee(2, {.recordId = "260101_090002"}), 26, 5, 20);
    old.healthInsured = 1;
    old.nursingInsured = 1;
    old.pensionInsured = 1;
    // The same age but on leave, or with no insurance at all, or no birth date: nothing.
    bornOn(addEmployee(3, {.recordId = "260101_090003", .workStatus = 2}), 61, 5, 2).healthInsured =
        1;
    bornOn(addEmployee(4, {.recordId = "260101_090004"}), 26, 5, 2);
    addEmployee(5, {.recordId = "260101_090005"}).healthInsured = 1;

    EXPECT_EQ(insuranceAgeNotices(year_),
              (std::vector<std::string>{"佐藤 健一: 介護保険の対象になりました（40歳）",
                                        "社員2: 介護保険の対象外になりました（65歳）",
                                        "社員2: 厚生年金保険の対象外になりました（70歳）",
                                        "社員2: 健康保険の対象外になりました（75歳）"}));
    open(4);  // a month earlier 佐藤 is not yet 40
    EmployeeRecord& early = bornOn(addEmployee(1, {.recordId = "260101_090001"}), 61, 5, 2);
    early.healthInsured = 1;
    EXPECT_TRUE(insuranceAgeNotices(year_).empty());
}

}  // namespace
}  // namespace keiro::calc::testing
