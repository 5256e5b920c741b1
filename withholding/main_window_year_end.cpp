// The year-end commands over the checked employees: 一括計算 with its summary.
#include <QAction>

#include "core/era.h"
#include "widgets/message_service.h"
#include "withholding/adjust/batch_calculation.h"
#include "withholding/main_window.h"

namespace keiro::withholding {

namespace {

// At most this many names are listed under one heading of the summary.
constexpr std::size_t kNamesListed = 10;

}  // namespace

int TfmMain::dataYear() const {
    return calendarYearOf(eraYear_, context_.eraNames);
}

std::string TfmMain::employeeName(int slot) const {
    const std::string name = year_->block(kDecember).employee(slot).name.utf8();
    return name.empty() ? "No." + std::to_string(slot) : name;
}

QString TfmMain::batchSummary(const BatchResult& result) const {
    std::string text = "一括計算が終わりました。\n\n計算済　　　" +
                       std::to_string(result.calculated) + "名\n年調対象外　" +
                       std::to_string(result.notAdjusted) + "名";
    std::vector<std::string> outside;
    for (const SlotOutcome& outcome : result.outcomes) {
        if (outcome.status == YearEndStatus::NotAdjusted && outcome.refusal.empty())
            outside.push_back(employeeName(outcome.slot));
    }
    for (std::size_t i = 0; i < outside.size() && i < kNamesListed; ++i)
        text += (i == 0 ? "（" : "、") + outside[i];
    if (outside.size() > kNamesListed)
        text += " ほか" + std::to_string(outside.size() - kNamesListed) + "名";
    if (!outside.empty()) text += "）";
    if (result.refused > 0) {
        text += "\n計算できなかった社員　" + std::to_string(result.refused) + "名";
        for (const SlotOutcome& outcome : result.outcomes) {
            if (!outcome.refusal.empty())
                text += "\n　" + employeeName(outcome.slot) + "：" + outcome.refusal;
        }
    }
    return QString::fromStdString(text);
}

void TfmMain::mnBatchCalcClick() {
    std::vector<int> checked = checkedSlots();
    if (checked.empty()) {
        context_.messages.error(this, QString::fromUtf8(kMsgNobodyToCalculate));
        return;
    }
    // The tax is rounded as 自動計算 rounds it: the setting as it stands now.
    const bool roundTaxTo100 = context_.ini.readBool(kOptionSection, "HasuuCut", true);
    const BatchResult result = calculateAll(*file_, *year_, checked, dataYear(), roundTaxTo100);
    fillList(order_, checked, selectedSlot());
    if (result.refused > 0) {
        context_.messages.warning(this, batchSummary(result));
    } else {
        context_.messages.information(this, batchSummary(result));
    }
}

}  // namespace keiro::withholding
