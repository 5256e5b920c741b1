#include "core/opening_totals.h"

#include <cstring>
#include <memory>
#include <stdexcept>
#include <utility>

#include "core/year_view.h"
#include "core/yearfile.h"

namespace keiro {
namespace {

struct AmountNames {
    std::string_view key;
    std::string_view caption;
};

constexpr std::array<AmountNames, kOpeningAmounts.size()> kNames{{
    {"pay", "総支給額"},
    {"taxablePay", "課税支給額"},
    {"socialInsurance", "社会保険料"},
    {"incomeTax", "所得税"},
    {"lastPayAfterSocial", "最後の月の社保控除後計"},
}};

// Latest first: the months from December back, then the bonuses from the extra one back.
constexpr std::array<int, kPeriodCount> kLatestFirst{12, 11, 10, 9, 8,  7,  6, 5,
                                                     4,  3,  2,  1, 15, 14, 13};

std::size_t indexOf(OpeningAmount amount) {
    return static_cast<std::size_t>(amount);
}

// Puts each change into the block's slots holding its employee; whether anything changed.
bool patchBlock(PeriodBlock& block, const std::vector<OpeningChange>& changes) {
    bool changed = false;
    for (const OpeningChange& change : changes) {
        if (change.recordId.empty()) continue;
        for (EmployeeRecord& e : block.employees) {
            if (e.recordId.bytes() != change.recordId) continue;
            if (std::memcmp(&e.opening, &change.totals, sizeof e.opening) == 0) continue;
            e.opening = change.totals;
            changed = true;
        }
    }
    return changed;
}

void requireSound(const std::vector<OpeningChange>& changes) {
    for (const OpeningChange& change : changes) {
        const std::string problem = checkOpeningTotals(change.totals);
        if (!problem.empty()) throw std::invalid_argument(problem);
    }
}

void writeSavedPeriods(const std::filesystem::path& yearFile,
                       const std::vector<OpeningChange>& changes) {
    const YearView view(yearFile);
    std::vector<std::unique_ptr<PeriodBlock>> patched;
    std::vector<std::pair<int, const PeriodBlock*>> blocks;
    for (int period = 1; period <= kPeriodCount; ++period) {
        if (!view.isSaved(period)) continue;
        auto block = std::make_unique<PeriodBlock>(view.block(period));
        if (!patchBlock(*block, changes)) continue;
        blocks.emplace_back(period, block.get());
        patched.push_back(std::move(block));
    }
    if (!blocks.empty()) rewriteSavedBlocks(yearFile, blocks);
}

}  // namespace

std::string_view openingKey(OpeningAmount amount) {
    return kNames[indexOf(amount)].key;
}

std::string_view openingCaption(OpeningAmount amount) {
    return kNames[indexOf(amount)].caption;
}

std::int32_t& openingField(OpeningTotals& totals, OpeningAmount amount) {
    switch (amount) {
        case OpeningAmount::Pay:
            return totals.pay;
        case OpeningAmount::TaxablePay:
            return totals.taxablePay;
        case OpeningAmount::SocialInsurance:
            return totals.socialInsurance;
        case OpeningAmount::IncomeTax:
            return totals.incomeTax;
        case OpeningAmount::LastPayAfterSocial:
            break;
    }
    return totals.lastPayAfterSocial;
}

std::int32_t openingField(const OpeningTotals& totals, OpeningAmount amount) {
    OpeningTotals copy = totals;
    return openingField(copy, amount);
}

bool isEmpty(const OpeningTotals& totals) {
    for (OpeningAmount amount : kOpeningAmounts) {
        if (openingField(totals, amount) != 0) return false;
    }
    return true;
}

std::string checkOpeningTotals(const OpeningTotals& totals) {
    for (OpeningAmount amount : kOpeningAmounts) {
        const std::int32_t value = openingField(totals, amount);
        if (value < 0 || value > kOpeningAmountMax) {
            return "｢" + std::string(openingCaption(amount)) +
                   "｣は0から99,999,999までの金額で入力して下さい。";
        }
    }
    if (totals.taxablePay > totals.pay) return "課税支給額が総支給額を超えています。";
    if (totals.incomeTax > totals.taxablePay) return "所得税が課税支給額を超えています。";
    return {};
}

OpeningTotals readOpeningTotals(const YearView& year, std::string_view recordId) {
    for (int period : kLatestFirst) {
        if (!year.isSaved(period)) continue;
        const int slot = slotOf(year.block(period), recordId);
        if (slot >= 0) return year.block(period).employees[slot].opening;
    }
    return {};
}

OpeningTotals readOpeningTotals(const YearData& year, std::string_view recordId) {
    if (year.period() != 0) {
        const int slot = slotOf(year.block(), recordId);
        if (slot >= 0) return year.block().employees[slot].opening;
    }
    return readOpeningTotals(YearView(year.path()), recordId);
}

void writeOpeningTotals(YearData& year, const std::vector<OpeningChange>& changes) {
    requireSound(changes);
    writeSavedPeriods(year.path(), changes);
    if (year.period() != 0) {
        PayrollPeriod& document = year.document();
        const std::vector<EmployeeId> ids = document.employeeIds();
        for (const OpeningChange& change : changes) {
            if (change.recordId.empty()) continue;
            for (const EmployeeId& id : ids) {
                if (id.bytes() == change.recordId) document.setOpeningTotals(id, change.totals);
            }
        }
        document.amendSavedCopy([&](PeriodBlock& saved) { patchBlock(saved, changes); });
    }
}

void writeOpeningTotals(const std::filesystem::path& yearFile,
                        const std::vector<OpeningChange>& changes) {
    requireSound(changes);
    writeSavedPeriods(yearFile, changes);
}

void clearOpeningTotals(PeriodBlock& block) {
    for (EmployeeRecord& e : block.employees) e.opening = OpeningTotals{};
}

}  // namespace keiro
