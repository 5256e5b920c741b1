#include "print/year_totals.h"

#include "print/ledger_sheet.h"

namespace keiro::print {

std::vector<PeriodTotals> yearTotals(const YearView& year, OpenPeriod open,
                                     const std::string& recordId, const ItemNames& names) {
    std::vector<PeriodTotals> totals;
    for (int period = 1; period <= kPeriodCount; ++period) {
        const bool isOpen = open.block != nullptr && period == open.period;
        if (!isOpen && !year.isSaved(period)) continue;
        const PeriodBlock& block = isOpen ? *open.block : year.block(period);
        PeriodTotals t{period, ledgerPeriodLabel(period, names), 0, 0};
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            const EmployeeRecord& e = block.employee(slot);
            if (!e.isUsed() || (!recordId.empty() && e.recordId.bytes() != recordId)) continue;
            t.pay += block.payments[slot - 1].payTotal;
            t.deductions += block.deductions[slot - 1].deductionTotal;
        }
        totals.push_back(std::move(t));
    }
    return totals;
}

}  // namespace keiro::print
