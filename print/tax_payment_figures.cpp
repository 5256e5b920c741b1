#include "print/tax_payment_figures.h"

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "core/entry.h"
#include "core/pay_day.h"

namespace keiro::print {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr int kMonthsInHalf = 6;

year_month_day dateOf(int calendarYear, int monthNumber, int dayNumber) {
    const int last = daysInMonth(calendarYear, monthNumber);
    return year_month_day{year{calendarYear}, month{static_cast<unsigned>(monthNumber)},
                          day{static_cast<unsigned>(std::clamp(dayNumber, 1, last))}};
}

// When period `period` of the file of `calendarYear` was paid; nothing for a bonus without a
// pay month.  A pay day of 0 is the 1st, a day past the end of its month the month end.
std::optional<year_month_day> payDateOf(const YearView& file, int calendarYear, int period) {
    if (isBonusPeriod(period)) {
        const int bonus = period - kFirstBonusPeriod;
        const int payMonth = file.header().bonusPayMonth[bonus];
        if (payMonth < 1 || payMonth > 12) return std::nullopt;
        return dateOf(calendarYear, payMonth, file.header().bonusPayDay[bonus]);
    }
    const SalaryPayDay paid = salaryPayDay(calendarYear, period, file.block(period).settings);
    return dateOf(paid.year, paid.month, paid.day);
}

void addDate(std::vector<year_month_day>& dates, const year_month_day& date) {
    const auto at = std::lower_bound(dates.begin(), dates.end(), date);
    if (at == dates.end() || *at != date) dates.insert(at, date);
}

// A month being summed: who was paid each kind, by record id.
struct MonthSums {
    MonthTaxFigures figures;
    std::set<std::string> salaryPeople;
    std::set<std::string> bonusPeople;
};

void addPeriod(const PeriodBlock& block, bool bonus, const year_month_day& date, MonthSums& sums) {
    PaidKind& kind = bonus ? sums.figures.bonus : sums.figures.salary;
    std::set<std::string>& people = bonus ? sums.bonusPeople : sums.salaryPeople;
    bool anybodyPaid = false;
    for (int i = 0; i < kMaxEmployees; ++i) {
        if (!block.employees[i].isUsed()) continue;
        const std::int64_t taxable = block.payments[i].taxablePayTotal;
        const std::int64_t tax = block.deductions[i].incomeTax;
        const std::int64_t settled = block.deductions[i].yearEndSettlement;
        if (settled > 0) sums.figures.yearEnd.collect += settled;
        if (settled < 0) sums.figures.yearEnd.refund -= settled;
        if (taxable <= 0 && tax == 0) continue;
        anybodyPaid = true;
        people.insert(block.employees[i].recordId.utf8());
        kind.paid += taxable;
        kind.tax += tax;
    }
    if (anybodyPaid) addDate(kind.payDates, date);
}

void addKind(PaidKind& into, const PaidKind& month) {
    for (const year_month_day& date : month.payDates) addDate(into.payDates, date);
    into.people += month.people;
    into.paid += month.paid;
    into.tax += month.tax;
}

}  // namespace

TaxPaymentSpan TaxPaymentSpan::of(int calendarYear, const TaxPaymentChoice& choice) {
    if (choice.halfYear) {
        if (choice.number != 1 && choice.number != 2)
            throw std::invalid_argument("half-year must be 1 or 2");
        const int first = choice.number == 1 ? 1 : 1 + kMonthsInHalf;
        return {calendarYear, first, first + kMonthsInHalf - 1};
    }
    if (choice.number < 1 || choice.number > 12) throw std::invalid_argument("month must be 1..12");
    return {calendarYear, choice.number, choice.number};
}

TaxPaymentFigures taxPaymentFigures(const YearView& year, const YearView* previousYear,
                                    const TaxPaymentSpan& span) {
    std::vector<MonthSums> months(static_cast<std::size_t>(span.lastMonth - span.firstMonth + 1));
    for (std::size_t m = 0; m < months.size(); ++m)
        months[m].figures.month = span.firstMonth + static_cast<int>(m);

    TaxPaymentFigures figures;
    figures.span = span;
    const auto addFile = [&](const YearView& file, int fileYear) {
        for (int period = 1; period <= kPeriodCount; ++period) {
            if (!file.isSaved(period)) continue;
            const std::optional<year_month_day> date = payDateOf(file, fileYear, period);
            if (!date) {
                if (fileYear == span.calendarYear) figures.undatedBonuses.push_back(period);
                continue;
            }
            const int payMonth = static_cast<int>(static_cast<unsigned>(date->month()));
            if (static_cast<int>(date->year()) != span.calendarYear || payMonth < span.firstMonth ||
                payMonth > span.lastMonth)
                continue;
            addPeriod(file.block(period), isBonusPeriod(period), *date,
                      months[static_cast<std::size_t>(payMonth - span.firstMonth)]);
        }
    };
    if (previousYear) addFile(*previousYear, span.calendarYear - 1);
    addFile(year, span.calendarYear);

    for (MonthSums& sums : months) {
        MonthTaxFigures& month = sums.figures;
        month.salary.people = static_cast<int>(sums.salaryPeople.size());
        month.bonus.people = static_cast<int>(sums.bonusPeople.size());
        addKind(figures.salary, month.salary);
        addKind(figures.bonus, month.bonus);
        figures.yearEnd.refund += month.yearEnd.refund;
        figures.yearEnd.collect += month.yearEnd.collect;
        figures.months.push_back(std::move(month));
    }
    const std::int64_t due =
        figures.salary.tax + figures.bonus.tax + figures.yearEnd.collect - figures.yearEnd.refund;
    figures.total = std::max<std::int64_t>(due, 0);
    figures.carried = std::max<std::int64_t>(-due, 0);
    return figures;
}

TaxPaymentFiles TaxPaymentFiles::open(const std::filesystem::path& yearFile, const EraNames& names,
                                      const TaxPaymentChoice& choice) {
    const std::optional<EraYear> fileYear = parseYearFileName(yearFile.filename().string());
    if (!fileYear)
        throw std::invalid_argument("not a year file name: " + yearFile.filename().string());
    const TaxPaymentSpan span = TaxPaymentSpan::of(calendarYearOf(*fileYear, names), choice);
    YearView year(yearFile);
    std::optional<YearView> previous;
    if (span.firstMonth == 1) {
        previous =
            YearView::ifExists(yearFile.parent_path() /
                               previousYearFileName(fileYear->eraName, fileYear->eraYear, names));
    }
    return {span, std::move(year), std::move(previous)};
}

TaxPaymentFigures TaxPaymentFiles::figures() const {
    return taxPaymentFigures(year, previousYear ? &*previousYear : nullptr, span);
}

const PeriodSettings* TaxPaymentFiles::company() const {
    for (int period = span.lastMonth; period >= 1; --period) {
        if (year.isSaved(period)) return &year.block(period).settings;
    }
    for (int period = kPeriodCount; period >= 1; --period) {
        if (year.isSaved(period)) return &year.block(period).settings;
    }
    return nullptr;
}

}  // namespace keiro::print
