// 年調過不足を給与に反映: the 過不足 of the checked, calculated employees written into a saved
// period of the payroll year (December's salary or a bonus), after the clerk chose the period
// and said yes.
#include <QAction>
#include <QStringList>

#include <memory>

#include "core/period_check.h"
#include "core/yearfile.h"
#include "widgets/message_service.h"
#include "withholding/adjust/settlement_plan.h"
#include "withholding/main_window.h"
#include "withholding/model/check_list.h"

namespace keiro::withholding {

namespace {

// December's salary and the three bonuses: where a year's adjustment is settled.
constexpr int kSettlementPeriods[] = {12, 13, 14, 15};

// The calculated employees the period pays nothing (a leaver, one on leave): named, for the
// clerk to settle another way.
QString notPaidNote(const std::vector<SettlementLine>& lines, const QString& period) {
    if (lines.empty()) return {};
    QStringList names;
    for (const SettlementLine& line : lines) names << QString::fromStdString(line.name);
    return QStringLiteral("%1は%2に支給がないため書き込みません。")
        .arg(names.join(QStringLiteral("、")), period);
}

QString periodName(int period) {
    return QString::fromStdString(periodLabel(period)) +
           (period == kDecember ? QStringLiteral("分給与") : QString());
}

}  // namespace

bool MainWindow::anyCheckedCalculated() const {
    for (int slot : checkedSlots()) {
        if (statusOf(*file_, slot) == kStatusDone) return true;
    }
    return false;
}

void MainWindow::settleIntoPayroll() {
    if (!anyCheckedCalculated()) {
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
    try {
        const std::unique_ptr<PeriodBlock> paying = readPeriodBlock(year_->path(), *period);
        const SettlementPlan plan =
            planSettlement(*file_, year_->block(kDecember), *paying, checkedSlots());
        const QString name = periodName(*period);
        const QString leftOut = notPaidNote(plan.notPaidInPeriod, name);
        if (plan.payable.empty()) {
            context_.messages.error(this, leftOut);
            return;
        }
        const QString question =
            QStringLiteral("計算済の社員 %1名の年調過不足を%2に書き込みますか？")
                .arg(plan.payable.size())
                .arg(name);
        if (!context_.messages.confirm(
                this, leftOut.isEmpty() ? question : question + QStringLiteral("\n\n") + leftOut)) {
            return;
        }
        const int written = settlementWriter_(*period, entriesOf(plan.payable));
        const QString done =
            QStringLiteral("%1名の年調過不足を%2に書き込みました。").arg(written).arg(name);
        context_.messages.information(
            this, leftOut.isEmpty() ? done : done + QStringLiteral("\n\n") + leftOut);
    } catch (const std::exception& refusal) {
        context_.messages.error(this, QString::fromUtf8(refusal.what()));
    }
}

}  // namespace keiro::withholding
