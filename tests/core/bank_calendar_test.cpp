// The bank calendar: the shipped holiday table checked against the law's rules, the days banks
// are closed, the business day before a date, and the table's refusals.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/bank_calendar.h"
#include "core/errors.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

using namespace std::chrono;

CalendarDate ymd(int y, unsigned m, unsigned d) {
    return CalendarDate{year(y), month(m), day(d)};
}

const BankCalendar& shipped() {
    static const BankCalendar calendar =
        BankCalendar::load(KEIRO_SOURCE_DIR "/data/public_holidays.csv");
    return calendar;
}

// The holidays of a year as the law sets them, worked out here independently of the table:
// fixed days, the Mondays, the equinoxes as published, the 2020 and 2021 moves, then
// 振替休日 (after a Sunday holiday, the next day that is none) and 国民の休日 (a day between two).
std::set<sys_days> holidaysByTheRules(int y) {
    const auto nthMonday = [y](unsigned m, unsigned n) {
        return sys_days(year_month_weekday{year(y), month(m), Monday[n]});
    };
    const std::map<int, std::pair<unsigned, unsigned>> equinoxes{
        {2020, {20, 22}}, {2021, {20, 23}}, {2022, {21, 23}}, {2023, {21, 23}},
        {2024, {20, 22}}, {2025, {20, 23}}, {2026, {20, 23}}, {2027, {21, 23}}};
    std::set<sys_days> holidays{sys_days(ymd(y, 1, 1)),
                                nthMonday(1, 2),
                                sys_days(ymd(y, 2, 11)),
                                sys_days(ymd(y, 2, 23)),
                                sys_days(ymd(y, 3, equinoxes.at(y).first)),
                                sys_days(ymd(y, 4, 29)),
                                sys_days(ymd(y, 5, 3)),
                                sys_days(ymd(y, 5, 4)),
                                sys_days(ymd(y, 5, 5)),
                                nthMonday(9, 3),
                                sys_days(ymd(y, 9, equinoxes.at(y).second)),
                                sys_days(ymd(y, 11, 3)),
                                sys_days(ymd(y, 11, 23))};
    if (y == 2020) {
        holidays.insert(
            {sys_days(ymd(y, 7, 23)), sys_days(ymd(y, 7, 24)), sys_days(ymd(y, 8, 10))});
    } else if (y == 2021) {
        holidays.insert({sys_days(ymd(y, 7, 22)), sys_days(ymd(y, 7, 23)), sys_days(ymd(y, 8, 8))});
    } else {
        holidays.insert({nthMonday(7, 3), sys_days(ymd(y, 8, 11)), nthMonday(10, 2)});
    }
    const std::set<sys_days> named = holidays;
    for (const sys_days d : named) {
        const sys_days between = d + days(1);
        if (named.contains(d + days(2)) && !named.contains(between)) holidays.insert(between);
    }
    for (const sys_days d : named) {
        if (weekday(d) != Sunday) continue;
        sys_days next = d + days(1);
        while (holidays.contains(next)) next += days(1);
        holidays.insert(next);
    }
    return holidays;
}

TEST(BankCalendar, TheShippedTableHoldsTheHolidaysOfTheLawFor2020To2027) {
    for (int y = 2020; y <= 2027; ++y) {
        ASSERT_TRUE(shipped().covers(y)) << y;
        const std::set<sys_days> expected = holidaysByTheRules(y);
        for (sys_days d = sys_days(ymd(y, 1, 1)); d <= sys_days(ymd(y, 12, 31)); d += days(1)) {
            EXPECT_EQ(shipped().holiday(CalendarDate(d)).has_value(), expected.contains(d))
                << japaneseDate(CalendarDate(d));
        }
    }
    EXPECT_FALSE(shipped().covers(2019));
    EXPECT_FALSE(shipped().covers(2028));
    EXPECT_EQ(shipped().holiday(ymd(2026, 9, 22)), "国民の休日");
    EXPECT_EQ(shipped().holiday(ymd(2027, 3, 22)), "振替休日");  // 春分の日 on a Sunday
}

TEST(BankCalendar, TheTableBesideTheProgramsIsTheShippedOne) {
    const testing_support::TempFolder root("bank-calendar");
    const BankCalendar beside = loadBankCalendar(placesUnder(root.path(), KEIRO_BINARY_DIR "/bin"));
    for (sys_days d = sys_days(ymd(2020, 1, 1)); d <= sys_days(ymd(2027, 12, 31)); d += days(1))
        ASSERT_EQ(beside.holiday(CalendarDate(d)), shipped().holiday(CalendarDate(d)));
    // Nowhere to be found: said so, naming the file.
    try {
        loadBankCalendar(placesUnder(root.path(), root.path()));
        FAIL() << "no table, no calendar";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("祝日.csv"), std::string::npos) << e.what();
    }
}

TEST(BankCalendar, BanksCloseOnWeekendsHolidaysAndAtTheYearEnd) {
    const BankCalendar& c = shipped();
    EXPECT_TRUE(c.isBankBusinessDay(ymd(2026, 1, 23)));    // Friday
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2026, 1, 24)));   // Saturday
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2026, 1, 25)));   // Sunday
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2026, 1, 12)));   // 成人の日
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2026, 5, 6)));    // 振替休日
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2026, 9, 22)));   // 国民の休日
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2026, 12, 31)));  // Thursday, but the year end
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2027, 1, 2)));
    EXPECT_TRUE(c.isBankBusinessDay(ymd(2027, 1, 4)));

    EXPECT_EQ(c.closedReason(ymd(2026, 1, 25)), "日曜日");
    EXPECT_EQ(c.closedReason(ymd(2026, 1, 24)), "土曜日");
    EXPECT_EQ(c.closedReason(ymd(2026, 1, 12)), "成人の日");
    EXPECT_EQ(c.closedReason(ymd(2026, 12, 31)), "年末年始");
    EXPECT_EQ(c.closedReason(ymd(2026, 1, 23)), "");

    // A year the table does not list: only the weekends and the year end are known.
    EXPECT_TRUE(c.isBankBusinessDay(ymd(2030, 1, 14)));  // 成人の日 then, unknown here
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2030, 1, 13)));
    EXPECT_FALSE(c.isBankBusinessDay(ymd(2029, 12, 31)));
}

TEST(BankCalendar, TheBusinessDayBeforeSkipsEveryClosedDay) {
    const BankCalendar& c = shipped();
    EXPECT_EQ(c.previousBusinessDay(ymd(2026, 1, 26)), ymd(2026, 1, 23));  // over the weekend
    EXPECT_EQ(c.businessDayOnOrBefore(ymd(2026, 1, 25)), ymd(2026, 1, 23));
    // The holidays of May and the weekend before them: 5/6 back to Friday 5/1.
    EXPECT_EQ(c.businessDayOnOrBefore(ymd(2026, 5, 6)), ymd(2026, 5, 1));
    // 敬老の日, 国民の休日 and 秋分の日 after a weekend: back to Friday 9/18.
    EXPECT_EQ(c.businessDayOnOrBefore(ymd(2026, 9, 23)), ymd(2026, 9, 18));
    // Over the year end into the year before.
    EXPECT_EQ(c.previousBusinessDay(ymd(2027, 1, 4)), ymd(2026, 12, 30));
    EXPECT_EQ(c.businessDayOnOrBefore(ymd(2026, 1, 3)), ymd(2025, 12, 30));
}

TEST(BankCalendar, AMalformedTableIsRefusedNamingTheLine) {
    const auto refusal = [](std::string_view csv) {
        try {
            BankCalendar::parse(csv);
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(refusal("date,name\n2026-01-01,元日\r\n2026-01-12,成人の日\n"), "");
    EXPECT_NE(refusal("日付,名前\n2026-01-01,元日\n").find("1行目"), std::string::npos);
    EXPECT_NE(refusal("date,name\n2026-1-1,元日\n").find("2行目"), std::string::npos);
    EXPECT_NE(refusal("date,name\n2026-01-12,a\n2026-01-01,b\n").find("3行目"), std::string::npos);
    EXPECT_NE(refusal("date,name\n"), "");  // no holidays at all

    const testing_support::TempFolder folder("bank-calendar-file");
    writeFileAtomic(folder / "祝日.csv", "date,name\n2026-13-01,x\n");
    try {
        BankCalendar::load(folder / "祝日.csv");
        FAIL() << "a malformed file is refused";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("祝日.csv"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace keiro
