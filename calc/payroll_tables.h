#pragma once
// The tables the payroll program calculates with, loaded once at start-up from the program
// folder: the salary and bonus withholding tax tables and the health insurance grades.
//
// The newest tables lie beside the programs under their fixed names and the program cannot start
// without them.  Below them, the folder "表データ" keeps the tables of each year in a folder of
// its own, named by the month from which they apply: "2025" holds the tables of 2025 (from
// January), "2020-09" a grade table that changed in September 2020.  A period is calculated with
// the tables of the year it is paid in; a year before the oldest folder takes the oldest, a year
// without tables of its own (newer than the newest folder, or whose files are missing or
// damaged) the newest beside the programs, and the caller tells the user so.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/premium_tables.h"
#include "calc/tax_tables.h"
#include "core/era.h"
#include "core/places.h"

namespace keiro {
class YearData;
}

namespace keiro::calc {

inline constexpr std::string_view kYearTablesFolderName = "表データ";

// The first month a folder of "表データ" applies from: "2025" is January 2025, "2020-09"
// September 2020.
struct TableStart {
    int year = 0;
    int month = 1;

    std::string folderName() const;
    // Nothing for a name of another form or a month outside 1..12.
    static std::optional<TableStart> parse(std::string_view name);
    friend auto operator<=>(const TableStart&, const TableStart&) = default;
};

// The table files a folder holds: all three from January, the grade table alone from another
// month (the tax tables go by calendar year).
std::vector<std::string_view> tableFilesOf(const TableStart& start);

// The calendar year whose tax tables calculate the open period: the year of its pay date.  That
// is the file's own year, except December's salary with `payNextMonth`, paid in January of the
// next year.  A bonus goes by its pay month, which lies in the file's year.
int taxYearOf(const YearData& year);
// The month whose grade table applies to the open period: the salary's own month, a bonus's pay
// month (January when it has none).
int gradeMonthOf(const YearData& year);
// The calendar year of the open year file.
int fileCalendarYearOf(const YearData& year);

// The tables in force from one month on, loaded whole.
struct DatedTables {
    TableStart start;
    TaxTables tax;  // from January only
    std::optional<HealthGradeTable> grades;
};

// The tax tables chosen for a year.
struct TaxChoice {
    TaxTables& tables;
    int year = 0;                   // whose tables they are; 0: the newest, of a year not known
    bool fellBackToNewest = false;  // the year has no tables of its own: the newest are used
};

struct PayrollTables {
    TaxTables tax;  // the newest, beside the programs
    std::optional<HealthGradeTable> grades;
    // How many of the newest loaded, and why a present file could not be used.
    TableLoadReport report;

    std::vector<DatedTables> dated;  // ascending by start; only years whose files all loaded
    std::vector<int> unusableYears;  // years with a folder whose files did not all load
    std::vector<std::string> datedProblems;  // why, in Japanese

    static constexpr int kRequired = 3;
    bool complete() const { return report.loaded == kRequired; }
    // What start-up shows when a table is missing: each unusable file's reason, then
    // "必要な表データファイルが足りません。".  Empty when all three loaded.
    std::vector<StartupMessage> missingTableMessages() const;
    // Warnings about the years whose own tables are missing or damaged (they are calculated with
    // the newest instead); empty when every year folder loaded.
    std::vector<StartupMessage> datedTableMessages() const;

    // The newest year with a folder of its own; 0 when there is none.
    int newestYear() const;
    // The tax tables for a calendar year (see the opening comment).
    TaxChoice taxFor(int calendarYear);
    // The grade table in force in a month of a calendar year; nullptr only when the newest grade
    // table is missing too.
    const HealthGradeTable* gradesFor(int calendarYear, int month) const;
    // The tax tables and grades for the open period of a year file.
    TaxChoice taxFor(const YearData& year) { return taxFor(taxYearOf(year)); }
    const HealthGradeTable* gradesFor(const YearData& year) const;

  private:
    // The year whose folder stands for `calendarYear` (the oldest for earlier years).
    int folderYearFor(int calendarYear) const;
    bool usable(int year) const;
};

PayrollTables loadPayrollTables(const Places& places);

// What the main window tells the user, once per run and year, when `year` has no tax tables of
// its own and is calculated with those of `newestYear` (0: not known):
// "令和9年（2027年）分の税額表がありません。\n最新の令和8年（2026年）分の税額表で計算します。"
std::string missingTaxYearNotice(int year, int newestYear, const EraNames& names);

}  // namespace keiro::calc
