#pragma once
// The figures of the monthly payment of the income tax withheld from pay (所得税徴収高計算書, the
// 納付書 the office pays with): for one calendar month, or for a half-year when the office pays
// twice a year under 納期の特例 (January-June, July-December).
//
// Pay counts in the month it is paid, never the month it is for, and only what was saved counts
// (the figures read the year file on disk):
// - a salary month is paid on the period's pay day, in the next month when the period is paid
//   the month after (入力月の翌月を支給日とする); December's salary then falls in January of the
//   next year, so a January reads the previous year's file beside this one for it;
// - a bonus is paid on its pay month and day; a saved bonus without a pay month cannot be placed
//   and is named instead of counted.
//
// For 俸給・給料等 and for 賞与 separately:
// - the pay dates (every distinct one, earliest first);
// - the people paid (支給人員): the employees paid that kind in a month, each once a month however
//   many payments the month holds; a half-year adds its months (延べ人員, as the 納付書 asks),
//   so somebody paid in six months counts six times.  Somebody is paid when the period gave
//   them taxable pay or took tax from them; a 乙欄 employee counts like any other;
// - the amount paid (支給額): the taxable pay (課税支給合計), before social insurance and tax are
//   deducted and without the non-taxable commuting allowance, which the 納付書 leaves out;
// - the tax withheld (所得税).
// The year-end adjustment settled in pay (年調過不足) counts apart: what was collected from the
// employees (positive amounts) is the 不足税額, what was refunded to them (negative amounts) the
// 超過税額.  The tax to pay (本税) is salary tax + bonus tax + 不足税額 − 超過税額; when the
// refunds are larger the payment is 0 and the rest of the refunds is carried: it is taken from
// the tax of the following payments.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/era.h"
#include "core/year_view.h"

namespace keiro::print {

// What the clerk chooses: a month 1..12, or a half-year (1: January-June, 2: July-December).
struct TaxPaymentChoice {
    bool halfYear = false;
    int number = 1;
    bool operator==(const TaxPaymentChoice&) const = default;
};

// The months one payment covers, in one calendar year.
struct TaxPaymentSpan {
    int calendarYear = 0;
    int firstMonth = 1;
    int lastMonth = 1;

    // std::invalid_argument for a month outside 1..12 or a half other than 1 and 2.
    static TaxPaymentSpan of(int calendarYear, const TaxPaymentChoice& choice);
    bool isHalfYear() const { return firstMonth != lastMonth; }
    bool operator==(const TaxPaymentSpan&) const = default;
};

// One kind of pay (salary or bonus) over the span or one of its months.
struct PaidKind {
    std::vector<std::chrono::year_month_day> payDates;  // distinct, earliest first
    int people = 0;
    std::int64_t paid = 0;
    std::int64_t tax = 0;
};

struct YearEndSettled {
    std::int64_t refund = 0;   // 超過税額: the refunds, as a positive amount
    std::int64_t collect = 0;  // 不足税額: what was collected
};

struct MonthTaxFigures {
    int month = 0;
    PaidKind salary;
    PaidKind bonus;
    YearEndSettled yearEnd;
};

struct TaxPaymentFigures {
    TaxPaymentSpan span;
    std::vector<MonthTaxFigures> months;  // every month of the span, in order
    PaidKind salary;
    PaidKind bonus;
    YearEndSettled yearEnd;
    std::int64_t total = 0;    // 本税: never below 0
    std::int64_t carried = 0;  // the refunds the payment could not take, for later payments
    // Saved bonus periods (13..15) of the year without a pay month: in no month's figures.
    std::vector<int> undatedBonuses;
};

// The figures of `span` from the year file of its calendar year and, for December's salary paid
// in January, the previous year's file (nullptr when there is none).
TaxPaymentFigures taxPaymentFigures(const YearView& year, const YearView* previousYear,
                                    const TaxPaymentSpan& span);

// The files a payment is summed from: the year file at a path, whose name gives its year, and
// the previous year's file of the same folder when the span holds January and it exists.
struct TaxPaymentFiles {
    TaxPaymentSpan span;
    YearView year;
    std::optional<YearView> previousYear;

    // IoError when a file that is there cannot be read; std::invalid_argument for a name that
    // is not a year file's.
    static TaxPaymentFiles open(const std::filesystem::path& yearFile, const EraNames& names,
                                const TaxPaymentChoice& choice);
    TaxPaymentFigures figures() const;
    // The company settings the payment is made under: those of the latest saved salary month
    // up to the span's end, else of the latest saved period; nullptr when nothing was saved.
    const PeriodSettings* company() const;
};

}  // namespace keiro::print
