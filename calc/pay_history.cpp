#include "calc/pay_history.h"

#include <memory>
#include <stdexcept>
#include <utility>

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

// The periods of one year file as it is on disk, each read and checked only when it is asked
// for, so that a damaged period the calculation does not use cannot stop it.  The header is
// read (and checked) at once.  IoError as for the single-period readers.
class SavedPeriods {
  public:
    explicit SavedPeriods(fs::path path)
        : path_(std::move(path)), header_(readYearFileHeader(path_)) {}

    const YearFileHeader& header() const { return header_; }
    bool isSaved(int period) const { return header_.isSaved(period); }

    // Nothing for a period never saved (it holds no employees); otherwise the block, valid
    // until the next call.
    const PeriodBlock* block(int period) {
        if (!isSaved(period)) return nullptr;
        readPeriodBlock(path_, period, *block_);
        return block_.get();
    }

  private:
    fs::path path_;
    YearFileHeader header_;
    std::unique_ptr<PeriodBlock> block_ = std::make_unique<PeriodBlock>();
};

// Calls add(block, sameMonth) for each earlier bonus that counts in the health insurance year of
// bonus `bonusPeriod`: this year's periods taken from `blockOf(period)` (a PeriodBlock pointer,
// null for a period never saved), the previous year's read from its file when they count.
template <class BlockOf, class Add>
void forEachEarlierBonus(const BlockOf& blockOf, const fs::path& previousYearFile, int bonusPeriod,
                         const YearFileHeader& header, const Add& add) {
    requireBonusPeriod(bonusPeriod);
    const int currentMonth = header.bonusPayMonth[bonusPeriod - kFirstBonusPeriod];
    const int currentDay = header.bonusPayDay[bonusPeriod - kFirstBonusPeriod];
    const bool yearBeganLastApril = inJanuaryToMarch(currentMonth);
    if (!yearBeganLastApril && !inAprilToDecember(currentMonth)) return;  // no pay month

    // The previous year's file is read only when its bonuses count: a damaged one must not
    // stop the bonuses paid from April on.
    if (yearBeganLastApril && mayExist(previousYearFile)) {
        SavedPeriods previous(previousYearFile);
        for (int period = kFirstBonusPeriod; period <= kPeriodCount; ++period) {
            const int month = previous.header().bonusPayMonth[period - kFirstBonusPeriod];
            if (!inAprilToDecember(month)) continue;
            if (const PeriodBlock* block = previous.block(period)) add(*block, false);
        }
    }
    for (int period = kFirstBonusPeriod; period <= kPeriodCount; ++period) {
        if (period == bonusPeriod) continue;
        const int month = header.bonusPayMonth[period - kFirstBonusPeriod];
        const int day = header.bonusPayDay[period - kFirstBonusPeriod];
        const bool sameHalf =
            yearBeganLastApril ? inJanuaryToMarch(month) : inAprilToDecember(month);
        if (!sameHalf || !paidNoLater(month, day, currentMonth, currentDay)) continue;
        if (const PeriodBlock* block = blockOf(period)) add(*block, month == currentMonth);
    }
}

}  // namespace

BonusHistory BonusHistory::load(const fs::path& yearFile, const fs::path& previousYearFile,
                                int bonusPeriod, const YearFileHeader& header) {
    requireBonusPeriod(bonusPeriod);
    SavedPeriods thisYear(yearFile);
    BonusHistory history;
    forEachEarlierBonus(
        [&thisYear](int period) { return thisYear.block(period); }, previousYearFile, bonusPeriod,
        header,
        [&history](const PeriodBlock& block, bool sameMonth) { history.add(block, sameMonth); });
    return history;
}

BonusHistory BonusHistory::load(const YearView& thisYear, const fs::path& previousYearFile,
                                int bonusPeriod, const YearFileHeader& header) {
    BonusHistory history;
    forEachEarlierBonus(
        [&thisYear](int period) { return &thisYear.block(period); }, previousYearFile, bonusPeriod,
        header,
        [&history](const PeriodBlock& block, bool sameMonth) { history.add(block, sameMonth); });
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
    inputs.history = BonusHistory::load(year);

    const int payMonth = year.header().bonusPayMonth[year.period() - kFirstBonusPeriod];
    // The health insurance year begins in April: a bonus of January to March is last year's.
    const int calendarYear = fileCalendarYearOf(year);
    inputs.history.setHealthYear(payMonth >= 1 && payMonth <= 3 ? calendarYear - 1 : calendarYear);
    if (payMonth < 1 || payMonth > 12) return inputs;  // no pay month: no pay the month before
    inputs.payYearMonth = calendarYear * 100 + payMonth;
    std::unique_ptr<PeriodBlock> before;
    if (payMonth == 1) {
        const fs::path previousYear = year.previousYearPath();
        if (!mayExist(previousYear)) return inputs;
        inputs.previousMonthKept = readYearFileHeader(previousYear).isSaved(12);
        before = readPeriodBlock(previousYear, 12);
    } else {
        // A month never saved holds nobody's pay.
        inputs.previousMonthKept = readYearFileHeader(year.path()).isSaved(payMonth - 1);
        if (!inputs.previousMonthKept) return inputs;
        before = readPeriodBlock(year.path(), payMonth - 1);
    }
    for (int index = 0; index < kMaxEmployees; ++index) {
        const std::string_view id = before->employees[index].recordId.bytes();
        if (id.empty()) continue;
        inputs.previousPay.emplace(std::string(id), before->deductions[index].payAfterSocialIns);
    }
    return inputs;
}

}  // namespace keiro::calc
