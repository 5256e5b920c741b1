#pragma once
// Japanese era names and era years, and the year data file names built from them.
//
// Two era names matter: the earlier era (in force on 1989-01-08, 平成) and the new era (in
// force on 2019-05-01, 令和, or the name the user configured).  Year files are named by era name
// and two-digit era year; the calendar year 2019 is always filed under the earlier era's 31.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keiro {

struct EraNames {
    std::string earlier;  // 平成
    std::string newEra;   // 令和, the configured override, or `earlier` before 2019
};

// A date in the Japanese calendar, as the platform calendar gives it.
struct EraDate {
    std::string eraName;
    int eraYear = 0;  // 1 for the first year (never the text 元年)
    int month = 0;
    int day = 0;
};

// An era name with an era year, as in a year file name.
struct EraYear {
    std::string eraName;
    int eraYear = 0;

    friend bool operator==(const EraYear&, const EraYear&) = default;
};

// The Japanese-calendar date of a day (taken at noon, Tokyo time).  Throws std::runtime_error
// when the calendar data is unavailable.
EraDate eraDateOf(std::chrono::year_month_day date);

// A birth date whose year was typed in the Western calendar, in the Japanese calendar: the era
// and era year of that year on the month and day typed.  A missing day is taken as the month's
// last and a missing month as December, so 1989 alone is 平成1 and 1989/1/5 昭和64.  Nothing for
// a year before 1868 or a date that does not exist.
std::optional<EraDate> eraDateOfBirthYear(int westernYear, int month, int day);

// The last era year of an era that has ended (明治 45, 大正 15, 昭和 64, 平成 31); 99 for any
// other, the current era included.
int lastYearOfEra(std::string_view eraName);

// The earlier and the new era's names as seen on `today`.  A non-empty `newEraOverride` replaces
// the new era's name from 2019 on (one containing a path separator cannot name a file and is
// ignored); before 2019 the new era's name is the earlier one.
EraNames eraNamesFor(std::chrono::year_month_day today, std::string_view newEraOverride);

// The era year under which a calendar year is filed: 2019 → earlier era 31, later years → new
// era Y−2018, earlier years → earlier era Y−1988.
EraYear fileEraYearOf(int calendarYear, const EraNames& names);

// The calendar year of an era year: +1988 in the earlier era, +2018 in any other.
int calendarYearOf(const EraYear& eraYear, const EraNames& names);

// "%s%.2d年給与･賞与.dat" (the ･ is the half-width middle dot U+FF65).
std::string yearFileName(const EraYear& eraYear);

// The era and era year a year file's name stands for ("令和08年給与･賞与.dat" → 令和, 8);
// nothing when the name is not a year file's.
std::optional<EraYear> parseYearFileName(std::string_view fileName);

// Today in Japan (UTC+9 all year), which decides the current year's file.
std::chrono::year_month_day todayInJapan();

// The file name of the calendar year that `today` falls in.
std::string currentYearFileName(std::chrono::year_month_day today, const EraNames& names);

// The previous year's file name: the same era with year n−1, except that year 2 of the new era
// follows the earlier era's 31.
std::string previousYearFileName(std::string_view eraName, int eraYear, const EraNames& names);

// The era and year shown for a period of a year file whose (pay) month is `month`: the
// earlier era's 31 after April is shown as year 1 of the new era.
EraYear displayEraYear(const EraYear& fileYear, int month, const EraNames& names);

// One existing year file of the data folder, as the year list shows it.
struct YearFileEntry {
    std::string text;  // era name, two digits, "年": "平成31年"
    EraYear year;
    std::filesystem::path path;
};

// Whether the year list shows files of this era year: the earlier era's years 16..31 and,
// when the new era's name differs, the new era's years 02..20.  A file of any other year would
// be created and then never seen.
bool isListedYear(const EraYear& year, const EraNames& names);
// "作成できるのは平成16年～31年、令和02年～20年のデータファイルです。" (the new era left out
// when its name is the earlier era's).
std::string listedYearsMessage(const EraNames& names);

// The existing year files: the earlier era's years 16..31, then, when the new era's name
// differs, the new era's years 02..20.
std::vector<YearFileEntry> findYearFiles(const std::filesystem::path& dataFolder,
                                         const EraNames& names);

}  // namespace keiro
