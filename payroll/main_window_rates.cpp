// The main window and the published premium rates: the defaults and comparisons the settings
// dialog gets, and the question when a new period still holds the rates of an earlier year.

#include "calc/data_csv.h"
#include "core/errors.h"
#include "payroll/main_window.h"
#include "payroll/model/grade_premiums.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

// The published rates beside the programs; none when the file is missing or damaged (the
// settings dialog then keeps its long-standing defaults and nothing is asked).
calc::PremiumRateHistory publishedRates(const Places& places) {
    const std::optional<std::filesystem::path> path =
        findTableFile(places, calc::kPremiumRateFileName);
    if (!path) return {};
    try {
        return calc::PremiumRateHistory::load(*path);
    } catch (const IoError&) {
        return {};
    } catch (const calc::DataError&) {
        return {};
    }
}

calc::PeriodRateMonths rateMonthsOfOpenPeriod(const YearData& year) {
    const int period = year.period();
    const int payMonth =
        isBonusPeriod(period) ? year.header().bonusPayMonth[period - kFirstBonusPeriod] : 0;
    return calc::rateMonthsOf(calc::fileCalendarYearOf(year), period, payMonth);
}

}  // namespace

calc::RatesOfPeriod MainWindow::ratesOfOpenPeriod() const {
    return calc::ratesOfPeriod(publishedRates(context_.places), rateMonthsOfOpenPeriod(year_),
                               context_.settings.employmentBusiness);
}

void MainWindow::offerRateUpdate() {
    const int period = year_.period();
    if (period == 0 || year_.header().isSaved(period)) return;
    PeriodBlock& block = year_.block();
    if (block.settings.companyName.empty()) return;  // the settings dialog offers the defaults
    const std::optional<calc::RateUpdate> update = calc::proposeRateUpdate(
        block.settings, publishedRates(context_.places), rateMonthsOfOpenPeriod(year_),
        context_.settings.employmentBusiness);
    if (!update ||
        !context_.messages.confirm(this, QString::fromStdString(calc::rateUpdateQuestion(*update))))
        return;
    if (!calc::applyRateUpdate(block.settings, *update)) return;
    if (const calc::HealthGradeTable* grades = context_.tables.gradesFor(year_)) {
        recalculateGradePremiums(block, *grades);
    }
}

}  // namespace keiro::payroll
