#pragma once
// The April-June decision as a table of texts: the same columns in the window, the printed
// list and the CSV file.  Amounts are whole yen with thousands separators (plain numbers in
// CSV); a month without pay shows nothing; the months counted are listed ("4・5・6").  An
// excluded employee shows the months, no decision and why; an employee with no month counted
// keeps the previous grades, marked 従前.

#include <string>
#include <vector>

#include "calc/social_year.h"
#include "print/text_table_report.h"

namespace keiro::print {

enum class SanteiColumn {
    Slot,
    Name,
    Days4,
    Pay4,
    Days5,
    Pay5,
    Days6,
    Pay6,
    Counted,
    Total,
    Average,
    Adjusted,
    NewHealth,
    NewPension,
    OldHealth,
    OldPension,
    Note,
    Count
};
inline constexpr int kSanteiColumnCount = static_cast<int>(SanteiColumn::Count);

std::vector<std::string> santeiHeadings();
// What the form's 備考 and its 昇(降)給 and 遡及支払額 items say of a line: "5月昇給 遡及4月30,000
// 70歳以上被用者算定 途中入社(4/15)"; empty when nothing applies.
std::string santeiRemarks(const calc::SanteiLine& line);
// `plain`: amounts without separators (for CSV).
std::vector<std::string> santeiRow(const calc::SanteiLine& line, bool plain = false);

// The whole table: the headings, then a row per line.
std::vector<std::vector<std::string>> santeiTable(const std::vector<calc::SanteiLine>& lines,
                                                  bool plain);

// The printed list (算定基礎届 list of the months April to June of `calendarYear`).
TextTable santeiReportTable(const std::vector<calc::SanteiLine>& lines, std::string company,
                            int calendarYear);

// The CSV file's name proposed for the year.
std::string santeiCsvFileName(int calendarYear);

}  // namespace keiro::print
