#pragma once
// The totals of the months an employee was paid this year before the first period kept in the
// program (an office that starts using it in the middle of a year): 総支給額, 課税支給額,
// 社会保険料 and 所得税 of those months, and the last of those months' pay after social
// insurance, which the first bonus taxed here needs as the previous month's pay.
//
// Where they live: every period's copy of the employee master carries them
// (EmployeeRecord::opening), and the master moves from period to period.  So they are written
// into every period of the year that holds the employee (the saved ones on disk, in one atomic
// rewrite of the year file, and the open one in memory), and whichever period later reads the
// master sees them.  They are read from the latest period holding the employee.  A master
// carried into a new year starts without them: they belong to one year.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"

namespace keiro {

class YearData;
class YearView;

inline constexpr std::int32_t kOpeningAmountMax = 99'999'999;

// The five amounts, in the order of the record.
enum class OpeningAmount { Pay, TaxablePay, SocialInsurance, IncomeTax, LastPayAfterSocial };
inline constexpr std::array<OpeningAmount, 5> kOpeningAmounts{
    OpeningAmount::Pay, OpeningAmount::TaxablePay, OpeningAmount::SocialInsurance,
    OpeningAmount::IncomeTax, OpeningAmount::LastPayAfterSocial};

// The amount's name on the command line and in JSON ("pay", "taxablePay", ...).
std::string_view openingKey(OpeningAmount amount);
// The amount's caption for the clerk ("総支給額", ...).
std::string_view openingCaption(OpeningAmount amount);
std::int32_t& openingField(OpeningTotals& totals, OpeningAmount amount);
std::int32_t openingField(const OpeningTotals& totals, OpeningAmount amount);

bool isEmpty(const OpeningTotals& totals);

// The first rule the totals break, as the message to show; empty when they are sound.  Each
// amount lies in 0..99,999,999; 課税支給額 is part of 総支給額 and 所得税 was withheld from
// 課税支給額, so neither may exceed the other.
std::string checkOpeningTotals(const OpeningTotals& totals);

// The employee's totals (recordId in code page 932 bytes) from the latest saved period holding
// them: the months from December back, then the bonuses.  Zeros when no period holds them.
OpeningTotals readOpeningTotals(const YearView& year, std::string_view recordId);
// The same with the open period first: what the clerk sees before saving.
OpeningTotals readOpeningTotals(const YearData& year, std::string_view recordId);

struct OpeningChange {
    std::string recordId;  // code page 932 bytes, as stored
    OpeningTotals totals;
};

// Writes each employee's totals into every saved period of the file that holds the employee
// (one atomic rewrite; a file with nothing to change is not written) and, for the first form,
// into the open period in memory.  The saved copy of the open period is changed on disk as well,
// so its other unsaved changes stay unsaved and nothing else counts as a change.
// std::invalid_argument (with the message of checkOpeningTotals) before anything is written
// when any totals are unsound; IoError when the file cannot be read or written.
void writeOpeningTotals(YearData& year, const std::vector<OpeningChange>& changes);
void writeOpeningTotals(const std::filesystem::path& yearFile,
                        const std::vector<OpeningChange>& changes);

// Empties every employee's totals of a block: a master carried into a new year.
void clearOpeningTotals(PeriodBlock& block);

}  // namespace keiro
