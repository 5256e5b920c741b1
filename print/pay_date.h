#pragma once
// The pay date the print dialog proposes, as its three edits and their label show it.
//
// The date is the period's own: for a salary month the month's pay day (payDate of core/entry),
// for a bonus the data year with the bonus's pay month and day.  Around the change of era the
// edits and the label follow the new era: a pay date after April of the earlier era's year 31
// reads year 1 of the following era, and so does every date while the current year is the first
// year of an era.

#include <string>

#include "core/entry.h"
#include "core/era.h"
#include "core/records.h"
#include "print/report.h"

namespace keiro::print {

// The default pay date of a period as numbers (era year of the data file's era, month, day).
struct PayDateNumbers {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const PayDateNumbers&) const = default;
};

PayDateNumbers defaultPayDate(FileYear year, int period, const YearFileHeader& header,
                              const PeriodSettings& settings);

// Where the date is shown.
struct PayDateContext {
    std::string dataEraName;       // the data file's era, 平成 or the new era
    bool dataNewEra = false;       // whether that is the new era
    int dataEraYear = 0;           // the data file's era year
    std::string followingEraName;  // the era after the earlier one (令和, or the configured name)
    int todayEraYear = 0;          // the era year of the current date
};

// The edits' "%2d" texts and the label: the era name followed by "    年    月    日".
struct PayDateTexts {
    std::string year, month, day;
    std::string label;
    std::string eraName;  // the era of the label
    bool operator==(const PayDateTexts&) const = default;
};

PayDateTexts payDateTexts(const PayDateNumbers& date, const PayDateContext& context);

// The pay date proposed for a period of a year file, as the dialog shows it: the period's default
// date in the texts of the era rules, today's era year deciding the first-year rule.
PayDateTexts proposedPayDate(const EraYear& fileYear, const EraNames& eraNames, int period,
                             const YearFileHeader& header, const PeriodSettings& settings,
                             int todayEraYear);

// The proposed date as the choices of a print made without the dialog (blank texts read 0).
PayDateEntry payDateEntryOf(const PayDateTexts& texts);

// The label of the pay date row: an era name and the places of the three numbers.
std::string payDateLabel(const std::string& eraName);

}  // namespace keiro::print
