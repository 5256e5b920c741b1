#include "core/bank_calendar.h"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "core/errors.h"
#include "core/fileio.h"

namespace keiro {
namespace {

using std::chrono::sys_days;

constexpr std::string_view kHeader = "date,name";
constexpr std::array<std::string_view, 7> kWeekdays{"日", "月", "火", "水", "木", "金", "土"};

unsigned weekdayOf(CalendarDate date) {
    return std::chrono::weekday(sys_days(date)).c_encoding();  // 0 Sunday .. 6 Saturday
}

bool isYearEnd(CalendarDate date) {
    const unsigned month = static_cast<unsigned>(date.month());
    const unsigned day = static_cast<unsigned>(date.day());
    return (month == 12 && day == 31) || (month == 1 && day <= 3);
}

// "YYYY-MM-DD" exactly.
std::optional<CalendarDate> isoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    const auto digits = [&](std::size_t from, std::size_t count) {
        unsigned value = 0;
        for (std::size_t i = from; i < from + count; ++i)
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
        return value;
    };
    const CalendarDate date{std::chrono::year(static_cast<int>(digits(0, 4))),
                            std::chrono::month(digits(5, 2)), std::chrono::day(digits(8, 2))};
    if (!date.ok()) return std::nullopt;
    return date;
}

}  // namespace

BankCalendar BankCalendar::parse(std::string_view csv) {
    BankCalendar calendar;
    int lineNumber = 0;
    std::optional<sys_days> last;
    while (!csv.empty()) {
        const std::size_t end = csv.find('\n');
        std::string_view line = csv.substr(0, end);
        csv = end == std::string_view::npos ? std::string_view() : csv.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto fail = [&](std::string_view what) {
            throw std::runtime_error("祝日表の" + std::to_string(lineNumber) + "行目" +
                                     std::string(what) + ": " + std::string(line));
        };
        if (lineNumber == 1) {
            if (line != kHeader) fail("が見出し(date,name)ではありません");
            continue;
        }
        if (line.empty()) continue;
        const std::size_t comma = line.find(',');
        const std::optional<CalendarDate> date =
            comma == std::string_view::npos ? std::nullopt : isoDate(line.substr(0, comma));
        if (!date) fail("の日付が読めません");
        const std::string_view name = line.substr(comma + 1);
        if (name.empty() || name.find(',') != std::string_view::npos) fail("の名前が読めません");
        const sys_days day(*date);
        if (last && day <= *last) fail("の日付が前の行より後ではありません");
        last = day;
        const int year = static_cast<int>(date->year());
        if (calendar.holidays_.empty()) calendar.firstYear_ = year;
        calendar.lastYear_ = year;
        calendar.holidays_.emplace(day, std::string(name));
    }
    if (calendar.holidays_.empty()) throw std::runtime_error("祝日表に祝日がありません。");
    return calendar;
}

BankCalendar BankCalendar::load(const std::filesystem::path& file) {
    const std::string text = readFile(file);
    try {
        return parse(text);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(std::string(e.what()) + "\n" + file.string());
    }
}

bool BankCalendar::covers(int calendarYear) const {
    return calendarYear >= firstYear_ && calendarYear <= lastYear_;
}

std::optional<std::string> BankCalendar::holiday(CalendarDate date) const {
    const auto found = holidays_.find(sys_days(date));
    if (found == holidays_.end()) return std::nullopt;
    return found->second;
}

bool BankCalendar::isBankBusinessDay(CalendarDate date) const {
    const unsigned weekday = weekdayOf(date);
    return weekday != 0 && weekday != 6 && !isYearEnd(date) && !holiday(date);
}

CalendarDate BankCalendar::previousBusinessDay(CalendarDate date) const {
    sys_days day(date);
    do {
        day -= std::chrono::days(1);
    } while (!isBankBusinessDay(CalendarDate(day)));
    return CalendarDate(day);
}

CalendarDate BankCalendar::businessDayOnOrBefore(CalendarDate date) const {
    return isBankBusinessDay(date) ? date : previousBusinessDay(date);
}

std::string BankCalendar::closedReason(CalendarDate date) const {
    if (const std::optional<std::string> name = holiday(date)) return *name;
    if (isYearEnd(date)) return "年末年始";
    const unsigned weekday = weekdayOf(date);
    if (weekday == 0) return "日曜日";
    if (weekday == 6) return "土曜日";
    return {};
}

BankCalendar loadBankCalendar(const Places& places) {
    const std::optional<std::filesystem::path> file = findTableFile(places, kHolidayFileName);
    if (!file) {
        throw IoError(places.programFolder / kHolidayFileName, "読み込み", "祝日表がありません。");
    }
    return BankCalendar::load(*file);
}

std::string japaneseDate(CalendarDate date) {
    char text[32];
    std::snprintf(text, sizeof text, "%d年%u月%u日", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text + weekdayMark(date);
}

std::string weekdayMark(CalendarDate date) {
    return "(" + std::string(kWeekdays[weekdayOf(date)]) + ")";
}

}  // namespace keiro
