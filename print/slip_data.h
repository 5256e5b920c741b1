#pragma once
// What one pay slip shows, gathered from the open period before anything is drawn: the heading
// texts, the rows of the four bands as the employee's pay form prints them, the totals, the
// payment method and the year-to-date sums.  Values are already the texts that go on paper
// (amounts with thousands separators in 10 characters, attendance as days or hours), so the
// drawings only place them and the figures can be checked without a canvas.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/layouts.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/year_view.h"
#include "print/report.h"
#include "print/slip_year_to_date.h"

namespace keiro::print {

// A row or cell of a band: the item's name and its value; both empty for a blank row.
struct SlipLine {
    std::string name;
    std::string value;
    bool operator==(const SlipLine&) const = default;
};

// A cell of the grid design: its line in the band (from 0) and its column (0..8, 8 being the
// total column on the right).
struct GridCell {
    int line = 0;
    int column = 0;
    SlipLine item;
    bool operator==(const GridCell&) const = default;
};

// The cells of the grid design, band by band.
struct SlipGrid {
    std::vector<GridCell> pay;
    std::vector<GridCell> deduction;
    std::vector<GridCell> attendance;
    std::vector<GridCell> other;  // one line: the other items, their total and the net pay
};

struct SlipData {
    std::string title;  // "令和8年 11月分給与", "令和8年 夏期賞与" …
    std::string company;
    std::string name;
    std::string section;  // department・category
    std::string code;
    std::vector<std::string> comment;  // at most five lines
    std::string payDateEra;            // era name and year of the pay date
    std::string payDateMonth;          // "%2d", blank when not given
    std::string payDateDay;
    bool cash = false;             // paid in cash rather than by transfer
    bool secondaryColumn = false;  // 乙欄
    int dependents = 0;

    // The rows of the row design: attendance 16, pay 18, deduction 18, other 3.
    std::array<std::vector<SlipLine>, kBandCount> rows;
    SlipGrid grid;

    long long payTotal = 0;
    long long deductionTotal = 0;
    long long otherTotal = 0;  // the other items the slip prints
    long long netPay = 0;      // pay total + other total − deduction total

    std::optional<YearToDate> yearToDate;  // when the slip prints the year-to-date block
};

// The open period and everything a slip is drawn from.
struct SlipPeriod {
    const PeriodBlock* block = nullptr;
    const YearFileHeader* header = nullptr;
    int period = 1;     // 1..12 months, 13..15 bonuses
    EraYear fileYear;   // the era and year of the data file
    EraNames eraNames;  // for the era that follows the earlier one
    const ItemNames* names = nullptr;
    const PrintTables* tables = nullptr;
    const Settings* settings = nullptr;
};

// The title of the slips of a period ("令和8年 11月分給与"), without "明細書": a salary month
// names its month, a bonus its name; the earlier era's 31 after April is year 1 of the new era.
// `grid` gives the grid design's wording ("令和8年夏期 賞与", "令和8年 11月分給与").
std::string slipTitle(const SlipPeriod& period, bool grid);

// The name of the period in a slip picture's file name: 夏期賞与, 冬期賞与, the extra bonus's
// name, or 給与<era year>-<month> ("給与08-11").
std::string slipPeriodLabel(const SlipPeriod& period);

// The slip of the employee in `slot` (1..100).  `rowDesign` chooses what is gathered for which
// drawing: the rows and, when `earlier` (the data file as saved on disk) is given, the
// year-to-date sums for the row design; the cells for the grid design.
SlipData collectSlip(const SlipPeriod& period, int slot, const PrintChoices& choices,
                     bool rowDesign, const YearView* earlier);

}  // namespace keiro::print
