#include "withholding/adjust/batch_calculation.h"

#include <stdexcept>

#include "withholding/adjust/automatic_calculation.h"

namespace keiro::withholding {
namespace {

constexpr int kDecember = 12;

void describeSlot(const WithholdingFile& file, int slot, SlotOutcome& outcome) {
    const YearEndFigures figures = yearEndFiguresOf(file, slot);
    outcome.status = static_cast<YearEndStatus>(figures.status);
    outcome.annualTax = figures.annualTax;
    outcome.withheld = figures.withheld;
    outcome.difference = figures.difference();
}

}  // namespace

BatchResult calculateAll(WithholdingFile& file, const YearView& year, const std::vector<int>& slots,
                         int dataYear, bool roundTaxTo100) {
    BatchResult batch;
    for (int slot : slots) {
        SlotOutcome outcome;
        outcome.slot = slot;
        if (slot < 1 || slot > kMaxEmployees) {
            outcome.refusal = "社員番号が範囲外です";
        } else if (!year.block(kDecember).employee(slot).isUsed()) {
            outcome.refusal = "社員が登録されていません";
        } else {
            try {
                calculateSlot(file, slot, year, dataYear, roundTaxTo100);
            } catch (const std::overflow_error&) {
                outcome.refusal = "計算結果が金額の範囲を超えました。入力内容を確認して下さい。";
            }
        }
        if (slot >= 1 && slot <= kMaxEmployees) describeSlot(file, slot, outcome);
        if (!outcome.refusal.empty()) {
            ++batch.refused;
        } else if (outcome.status == YearEndStatus::NotAdjusted) {
            ++batch.notAdjusted;
        } else {
            ++batch.calculated;
        }
        batch.outcomes.push_back(std::move(outcome));
    }
    return batch;
}

std::vector<int> occupiedSlots(const YearView& year) {
    std::vector<int> slots;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (year.block(kDecember).employee(slot).isUsed()) slots.push_back(slot);
    }
    return slots;
}

}  // namespace keiro::withholding
