#include "sample/recalculator.h"

#include "calc/period_calc.h"

namespace keiro::sample {
namespace {

ActiveItems activeItemsOf(const IniFile& ini, LayoutKind kind, const ItemNames& names) {
    return ActiveItems(buildPrintTables(loadLayout(ini, kind)), names);
}

}  // namespace

Recalculator::Recalculator(const IniFile& ini, calc::PayrollTables& tables, int currentCalendarYear)
    : settings_(loadSettings(ini)),
      salary_(activeItemsOf(ini, LayoutKind::Salary, settings_.itemNames)),
      bonus_(activeItemsOf(ini, LayoutKind::Bonus, settings_.itemNames)),
      tables_(tables),
      currentCalendarYear_(currentCalendarYear) {}

std::vector<int> Recalculator::recalculate(YearData& year) const {
    const calc::CalcContext context = calc::contextFor(
        settings_, activeItems(isBonusPeriod(year.period())), tables_, year, currentCalendarYear_);
    return calc::RecalculatePeriod(year, context, nullptr);
}

}  // namespace keiro::sample
