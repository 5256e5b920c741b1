// 年調過不足を給与に反映: the 過不足 of the checked, calculated employees written into a saved
// period of the payroll year (December's salary or a bonus), after the clerk chose the period
// and said yes.
#include <QAction>

#include "core/period_check.h"
#include "core/yearfile.h"
#include "widgets/message_service.h"
#include "withholding/main_window.h"
#include "withholding/model/check_list.h"

namespace keiro::withholding {

namespace {

// December's salary and the three bonuses: where a year's adjustment is settled.
constexpr int kSettlementPeriods[] = {12, 13, 14, 15};

QString periodName(int period) {
    return QString::fromStdString(periodLabel(period)) +
           (period == kDecember ? QStringLiteral("分給与") : QString());
}

}  // namespace

std::vector<SettlementEntry> TfmMain::settlementEntries() const {
    std::vector<SettlementEntry> entries;
    for (int slot : checkedSlots()) {
        if (statusOf(*file_, slot) != kStatusDone) continue;
        const ListFigures figures = figuresOf(*file_, slot);
        // The 過不足: annual tax − tax withheld, negative when refunded.
        entries.push_back(
            {year_->block(kDecember).employee(slot).recordId.utf8(), *figures.difference});
    }
    return entries;
}

void TfmMain::mnSettleClick() {
    const std::vector<SettlementEntry> entries = settlementEntries();
    if (entries.empty()) {
        context_.messages.error(this, QString::fromUtf8(kMsgNobodyToSettle));
        return;
    }
    // The periods saved now: the payroll program may have saved a bonus since the year opened.
    const YearFileHeader header = readYearFileHeader(year_->path());
    std::vector<PeriodChoice> periods;
    for (int period : kSettlementPeriods) {
        if (header.isSaved(period)) periods.push_back({period, periodName(period)});
    }
    if (periods.empty()) {
        context_.messages.error(this, QString::fromUtf8(kMsgNoPeriodToSettle));
        return;
    }
    const std::optional<int> period = periodChooser_ ? periodChooser_(periods) : std::nullopt;
    if (!period) return;
    const QString question = QStringLiteral("計算済の社員 %1名の年調過不足を%2に書き込みますか？")
                                 .arg(entries.size())
                                 .arg(periodName(*period));
    if (!context_.messages.confirm(this, question)) return;
    try {
        const int written = settlementWriter_(*period, entries);
        context_.messages.information(this, QStringLiteral("%1名の年調過不足を%2に書き込みました。")
                                                .arg(written)
                                                .arg(periodName(*period)));
    } catch (const std::exception& refusal) {
        context_.messages.error(this, QString::fromUtf8(refusal.what()));
    }
}

}  // namespace keiro::withholding
