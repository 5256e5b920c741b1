#include "withholding/model/yearly_totals.h"

#include <algorithm>
#include <limits>

#include "core/opening_totals.h"

namespace keiro::withholding {
namespace {

constexpr int kDecember = 12;

std::int32_t clamped(std::int64_t sum) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

template <typename Record>
void apply(Record& record, const YearlyTotals& totals) {
    if (!record.isManual(kManualPaid)) record.paid = totals.paid;
    if (!record.isManual(kManualSocialInsurance)) record.socialInsurance = totals.socialInsurance;
    if (!record.isManual(kManualWithheld)) record.withheld = totals.withheld;
}

}  // namespace

YearlyTotals yearlyTotals(const YearView& year, std::string_view recordId) {
    if (recordId.empty()) return {};
    // The months paid before the first period kept in the program, as the clerk entered them
    // with the employee's master.
    const OpeningTotals opening = readOpeningTotals(year, recordId);
    std::int64_t paid = opening.taxablePay;
    std::int64_t socialInsurance = opening.socialInsurance;
    std::int64_t withheld = opening.incomeTax;
    for (int period = 1; period <= kPeriodCount; ++period) {
        if (!year.isSaved(period)) continue;
        const PeriodBlock& block = year.block(period);
        for (int i = 0; i < kMaxEmployees; ++i) {
            if (block.employees[i].recordId.bytes() != recordId) continue;
            paid += block.payments[i].taxablePayTotal;
            socialInsurance += block.deductions[i].socialInsTotal;
            withheld += block.deductions[i].incomeTax;
        }
    }
    // The months paid before the first period kept in this year file (the master's opening
    // totals) add to the same three sums here.
    return {clamped(paid), clamped(socialInsurance), clamped(withheld)};
}

std::array<YearlyTotals, kMaxEmployees> yearlyTotalsOfDecember(const YearView& year) {
    std::array<YearlyTotals, kMaxEmployees> totals{};
    const PeriodBlock& december = year.block(kDecember);
    for (int i = 0; i < kMaxEmployees; ++i) {
        totals[i] = yearlyTotals(year, december.employees[i].recordId.bytes());
    }
    return totals;
}

YearlyTotals withDeclarations(const YearlyTotals& payroll, const WithholdingRecord& record,
                              const WithholdingSupplement& supplement) {
    std::int64_t paid = payroll.paid;
    std::int64_t socialInsurance =
        std::int64_t{payroll.socialInsurance} + record.nationalPension + record.otherDeclaredSocial;
    std::int64_t withheld = payroll.withheld;
    for (const PreviousEmployer& previous : supplement.previousEmployers) {
        paid += previous.pay;
        socialInsurance += previous.socialInsurance;
        withheld += previous.tax;
    }
    return {clamped(paid), clamped(socialInsurance), clamped(withheld)};
}

YearlyTotals withDeclarations(const YearlyTotals& payroll, const LegacyWithholdingRecord& record) {
    YearlyTotals totals = payroll;
    totals.socialInsurance =
        clamped(std::int64_t{payroll.socialInsurance} + record.nationalPension);
    return totals;
}

void applyYearlyTotals(WithholdingRecord& record, const YearlyTotals& totals) {
    apply(record, totals);
}

void applyYearlyTotals(LegacyWithholdingRecord& record, const YearlyTotals& totals) {
    apply(record, totals);
}

}  // namespace keiro::withholding
