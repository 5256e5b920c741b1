#pragma once
// The days Japanese banks are open, for the 取組日 of the bank transfer file.
//
// Banks close on Saturdays and Sundays, on the national holidays (国民の祝日 with 振替休日 and
// 国民の休日) and from 12/31 to 1/3.  The holidays come from a table shipped beside the programs
// ("祝日.csv", built from data/public_holidays.csv): UTF-8, the header line "date,name", then one
// line per holiday "YYYY-MM-DD,name" in rising order.  The table covers whole calendar years,
// from the year of its first line to that of its last; in a year outside them only the
// weekends and the year-end days are known, which `covers` lets a caller say.

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/places.h"

namespace keiro {

using CalendarDate = std::chrono::year_month_day;

inline constexpr std::string_view kHolidayFileName = "祝日.csv";

class BankCalendar {
  public:
    // No holidays at all (only weekends and the year-end days).
    BankCalendar() = default;

    // The table's text.  Throws std::runtime_error naming the line of a malformed table.
    static BankCalendar parse(std::string_view csv);
    // Throws IoError when the file cannot be read, std::runtime_error (naming the file) when it
    // is malformed.
    static BankCalendar load(const std::filesystem::path& file);

    // Whether the table lists the year's holidays.
    bool covers(int calendarYear) const;
    // The holiday's name ("成人の日", "振替休日"), or nothing.
    std::optional<std::string> holiday(CalendarDate date) const;

    bool isBankBusinessDay(CalendarDate date) const;
    // The last business day before the date.
    CalendarDate previousBusinessDay(CalendarDate date) const;
    // The date itself when banks are open on it, else the business day before it.
    CalendarDate businessDayOnOrBefore(CalendarDate date) const;

    // Why banks are closed on the date, for messages ("日曜日", "成人の日", "年末年始"); empty on a
    // business day.
    std::string closedReason(CalendarDate date) const;

  private:
    std::map<std::chrono::sys_days, std::string> holidays_;
    int firstYear_ = 0;
    int lastYear_ = -1;
};

// The shipped table, found beside the programs or in the installed tree's share folder.
// Throws IoError when it is missing or unreadable, std::runtime_error when it is malformed.
BankCalendar loadBankCalendar(const Places& places);

// "2026年1月12日(月)".
std::string japaneseDate(CalendarDate date);
// "(月)": the day of the week in one character.
std::string weekdayMark(CalendarDate date);

}  // namespace keiro
