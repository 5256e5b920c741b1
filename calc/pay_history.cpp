#include "calc/pay_history.h"

#include <memory>
#include <optional>
#include <stdexcept>

#include "calc/payroll_tables.h"
#include "core/fileio.h"
#include "core/year_view.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

bool paidNoLater(int month, int day, int currentMonth, int currentDay) {
    return month < currentMonth || (month == currentMonth && day <= currentDay);
}

bool inJanuaryToMarch(int month) {
    return month >= 1 && month <= 3;
}
bool inAprilToDecember(int month) {
    return month >= 4 && month <= 12;
}

void requireBonusPeriod(int period) {
    if (!isBonusPeriod(period) || period > kPeriodCount) {
        throw std::invalid_argument("period " + std::to_string(period) + " is not a bonus period");
    }
}

}  // namespace

BonusHistory BonusHistory::load(const fs::path& yearFile, const fs::path& previousYearFile,
                                int bonusPeriod, const YearFileHeader& header) {
    requireBonusPeriod(bonusPeriod);
    return load(YearView(yearFile), previousYearFile, bonusPeriod, header);
}

BonusHistory BonusHistory::load(const YearView& thisYear, const fs::path& previousYearFile,
                                int bonusPeriod, const YearFileHeader& header) {
    requireBonusPeriod(bonusPeriod);
    const int currentMonth = header.bonusPayMonth[bonusPeriod - kFirstBonusPeriod];
    const int currentDay = header.bonusPayDay[bonusPeriod - kFirstBonusPeriod];
    const bool yearBeganLastApril = inJanuaryToMarch(currentMonth);
    if (!yearBeganLastApril && !inAprilToDecember(currentMonth)) return {};  // no pay month

    BonusHistory history;
    // The previous year's file is read only when its bonuses count: a damaged one must not
    // stop the bonuses paid from April on.
    if (yearBeganLastApril) {
        if (const std::optional<YearView> previous = YearView::ifExists(previousYearFile)) {
            for (int period = kFirstBonusPeriod; period <= kPeriodCount; ++period) {
                const int month = previous->header().bonusPayMonth[period - kFirstBonusPeriod];
                if (inAprilToDecember(month)) history.add(previous->block(period), false);
            }
        }
    }
    for (int period = kFirstBonusPeriod; period <= kPeriodCount; ++period) {
        if (period == bonusPeriod) continue;
        const int month = header.bonusPayMonth[period - kFirstBonusPeriod];
        const int day = header.bonusPayDay[period - kFirstBonusPeriod];
        const bool sameHalf =
            yearBeganLastApril ? inJanuaryToMarch(month) : inAprilToDecember(month);
        if (!sameHalf || !paidNoLater(month, day, currentMonth, currentDay)) continue;
        history.add(thisYear.block(period), month == currentMonth);
    }
    return history;
}

BonusHistory BonusHistory::load(const YearData& year) {
    return load(year.path(), year.previousYearPath(), year.period(), year.header());
}

std::int32_t PeriodInputs::previousPayAfterSocialIns(std::string_view recordId) const {
    const auto found = previousPay.find(std::string(recordId));
    return found == previousPay.end() ? 0 : found->second;
}

PeriodInputs loadPeriodInputs(const YearData& year) {
    PeriodInputs inputs;
    if (!isBonusPeriod(year.period()) || year.period() > kPeriodCount) return inputs;
    const YearView thisYear(year.path());
    inputs.history =
        BonusHistory::load(thisYear, year.previousYearPath(), year.period(), year.header());

    const int payMonth = year.header().bonusPayMonth[year.period() - kFirstBonusPeriod];
    // The health insurance year begins in April: a bonus of January to March is last year's.
    const int calendarYear = fileCalendarYearOf(year);
    inputs.history.setHealthYear(payMonth >= 1 && payMonth <= 3 ? calendarYear - 1 : calendarYear);
    if (payMonth < 1 || payMonth > 12) return inputs;  // no pay month: no pay the month before
    std::unique_ptr<PeriodBlock> december;
    if (payMonth == 1) {
        const fs::path previousYear = year.previousYearPath();
        if (!mayExist(previousYear)) return inputs;
        inputs.previousMonthKept = readYearFileHeader(previousYear).isSaved(12);
        december = readPeriodBlock(previousYear, 12);
    } else {
        inputs.previousMonthKept = thisYear.isSaved(payMonth - 1);
    }
    const PeriodBlock& before = december ? *december : thisYear.block(payMonth - 1);
    for (int index = 0; index < kMaxEmployees; ++index) {
        const std::string_view id = before.employees[index].recordId.bytes();
        if (id.empty()) continue;
        inputs.previousPay.emplace(std::string(id), before.deductions[index].payAfterSocialIns);
    }
    return inputs;
}

}  // namespace keiro::calc
