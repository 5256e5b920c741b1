#pragma once
// The tables the payroll program calculates with, loaded once at start-up from the program
// folder: the salary and bonus withholding tax tables and the health insurance grades.
//
// The newest tables lie beside the programs under their fixed names and the program cannot start
// without them.  Below them, the folder "表データ" keeps the tables of each year in a folder of
// its own, named by the month from which they apply: "2025" holds the tables of 2025 (from
// January), "2020-09" a grade table that changed in September 2020.
//
// The tax tables are chosen by the calendar year the period is paid in, each kind on its own: the
// salary table and the bonus table of that year's folder.  A year before the oldest folder takes
// the oldest; a year without a table of a kind of its own (after the newest folder, or a bonus
// table not yet published) takes the newest earlier one of that kind; a year whose folder's files
// are missing or damaged takes the newest beside the programs; the caller tells the user so.
// The grade table is chosen by date alone: the one in force in the period's month among every
// folder's, whatever tax tables the folders hold.

#include <filesystem>
#include <functional>
#include <map>
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

// The table files a folder of "表データ" must hold: always the grade table; in a January folder
// also each tax table it holds, and the salary table when it holds the bonus table (the tax
// tables go by calendar year, so another month's folder holds the grade table alone).
std::vector<std::string_view> tableFilesIn(const std::filesystem::path& folder,
                                           const TableStart& start);

// The two kinds of withholding tax table, chosen separately for a year.
enum class TaxKind { Salary, Bonus };

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
    TaxTables tax;  // January only; either table may be absent (not loaded)
    std::optional<HealthGradeTable> grades;
};

// The tax tables chosen for a year: the salary and the bonus table, each of its own kind, and
// where the table of the kind asked for came from.
struct TaxChoice {
    TaxTables& tables;
    int year = 0;                   // whose table of that kind; 0: the newest, of a year not known
    bool fellBackToNewest = false;  // the year has no table of that kind: an older one is used
};

struct PayrollTables {
    TaxTables tax;  // the newest of each kind, beside the programs
    std::optional<HealthGradeTable> grades;
    // How many of the newest loaded, and why a present file could not be used.
    TableLoadReport report;

    std::vector<DatedTables> dated;           // ascending by start; only folders that loaded
    std::vector<TableStart> unusableFolders;  // folders whose files did not all load
    std::vector<std::string> datedProblems;   // why, in Japanese

    static constexpr int kRequired = 3;
    bool complete() const { return report.loaded == kRequired; }
    // What start-up shows when a table is missing: each unusable file's reason, then
    // "必要な表データファイルが足りません。".  Empty when all three loaded.
    std::vector<StartupMessage> missingTableMessages() const;
    // Warnings about the folders whose tables are missing or damaged (their years are calculated
    // with the newest instead); empty when every folder loaded.
    std::vector<StartupMessage> datedTableMessages() const;

    // Whether the tables of a calendar year's own January folder are there but cannot be used
    // (damaged, unreadable): that year is calculated with the newest instead.
    bool damagedYear(int calendarYear) const { return unusableYear(calendarYear); }
    // The newest year with a table of the kind in a folder of its own; 0 when there is none.
    int newestYear(TaxKind kind = TaxKind::Salary) const;
    // The tax tables for a calendar year (see the opening comment); the year and fallback
    // reported are those of `kind`'s table.
    TaxChoice taxFor(int calendarYear, TaxKind kind = TaxKind::Salary);
    // The grade table in force in a month of a calendar year; nullptr only when there is no
    // grade table at all.
    const HealthGradeTable* gradesFor(int calendarYear, int month) const;
    // The tax tables and grades for the open period of a year file (a bonus period reports on
    // its bonus table).
    TaxChoice taxFor(const YearData& year);
    const HealthGradeTable* gradesFor(const YearData& year) const;

  private:
    struct KindChoice {
        const DatedTables* folder = nullptr;  // nullptr: the newest beside the programs
        int year = 0;
        bool fellBack = false;
    };
    KindChoice choose(int calendarYear, TaxKind kind) const;
    bool unusableYear(int year) const;

    std::map<int, TaxTables> composed_;  // per calendar year asked for, each kind chosen
};

PayrollTables loadPayrollTables(const Places& places);

// The grade table in force from a month (yyyymm) of `tables`, `fallback` where there is none: what
// a revision starting in another month than September is decided with.
std::function<const HealthGradeTable&(int yearMonth)> gradesFromMonth(
    const PayrollTables& tables, const HealthGradeTable& fallback);

// What the main window tells the user, once per run, year and kind, when `year` has no tax table
// of that kind of its own and is calculated with the one of `newestYear` (0: not known):
// "令和9年（2027年）分の税額表がありません。\n最新の令和8年（2026年）分の税額表で計算します。"
// and for the bonus table "…分の賞与の税額表がありません。\n最新の…分の賞与の税額表で計算します。"
std::string missingTaxYearNotice(int year, int newestYear, const EraNames& names,
                                 TaxKind kind = TaxKind::Salary);

}  // namespace keiro::calc
