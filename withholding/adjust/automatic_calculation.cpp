#include "withholding/adjust/automatic_calculation.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "withholding/model/family_ages.h"

namespace keiro::withholding {
namespace {

constexpr int kDecember = 12;
constexpr int kRetired = 3;  // EmployeeRecord::workStatus 退職

std::int32_t yen(std::int64_t amount, const char* what) {
    if (amount < std::numeric_limits<std::int32_t>::min() ||
        amount > std::numeric_limits<std::int32_t>::max()) {
        throw std::overflow_error(std::string(what) +
                                  " is out of range: " + std::to_string(amount));
    }
    return static_cast<std::int32_t>(amount);
}

// The figures the documents print besides the four amounts; all 0 for an employee who is not
// adjusted.  The 可能額 is the credit declared when the tax could not take all of it.
void storeFigures(WithholdingRecord& r, const YearEndInput& input, const YearEndResult& result) {
    r.figuresStored = 1;
    r.spouseAmountGiven = yen(result.spouseGiven, "spouse amount");
    r.housingLoanUsed = yen(result.housingLoanUsed, "housing loan used");
    r.housingLoanAvailable = input.housingLoanCredit > result.housingLoanUsed && !result.notNeeded
                                 ? yen(input.housingLoanCredit, "housing loan available")
                                 : 0;
    r.flatCutApplied = yen(result.flatCut, "flat cut applied");
    r.flatCutNotApplied = yen(result.flatCutDue - result.flatCut, "flat cut not applied");
    r.flatCutSpouseNotDeductible = result.flatCutSpouseNotDeductible ? 1 : 0;
}

// The counts the birth dates gave the calculation, stored where the slip prints them so that it
// never shows other counts than the tax used (like an insurance deduction worked out from the
// premiums), unless the clerk chose to keep typed counts.  The 同居 part, which no date shows, is
// held within the elderly.
void storeFamilyCounts(WithholdingRecord& r, const WithholdingSupplement& supplement,
                       int dataYear) {
    if (r.typedCountsKept == 1) return;
    const DerivedFamilyCounts family = deriveFamilyCounts(r, supplement, dataYear);
    const auto count = [](int n) { return static_cast<std::uint8_t>(n); };
    if (family.complete) {
        r.dependants.general = count(family.general);
        r.dependants.specific = count(family.specific);
        r.dependants.elderly = count(family.elderly);
        r.dependants.elderlyLivingTogether =
            std::min(r.dependants.elderlyLivingTogether, r.dependants.elderly);
        r.under16 = count(family.under16);
    }
    if (family.spouseAgeKnown) r.spouseElderly = family.spouseElderly ? 1 : 0;
}

YearEndInput inputOf(WithholdingRecord& work, const WithholdingSupplement& supplement,
                     const YearlyTotals& totals, const RecordContext& context) {
    applyYearlyTotals(work, withDeclarations(totals, work, supplement));
    const YearEndInput input = yearEndInputOf(work, supplement, context);
    storeFamilyCounts(work, supplement, context.dataYear);
    return input;
}

YearEndInput inputOf(LegacyWithholdingRecord& work, const WithholdingSupplement&,
                     const YearlyTotals& totals, const RecordContext& context) {
    applyYearlyTotals(work, withDeclarations(totals, work));
    return yearEndInputOf(work, context);
}

template <typename Record>
YearEndResult calculate(Record& record, const WithholdingSupplement& supplement,
                        const YearlyTotals& totals, const RecordContext& context) {
    constexpr bool kCurrentFormat = std::is_same_v<Record, WithholdingRecord>;
    Record work = record;
    raiseCountsToCohabiting(work.dependants, work.disabled);
    const YearEndInput input = inputOf(work, supplement, totals, context);
    const YearEndResult result = calculateYearEnd(input);

    const auto store = [&work](int item, std::int32_t& field, std::int64_t value,
                               const char* what) {
        if (!work.isManual(item)) field = yen(value, what);
    };
    if (spouseSpecialComputed(context.dataYear, kCurrentFormat)) {
        store(kManualSpouseSpecial, work.spouseSpecial, result.spouseSpecial, "spouse special");
    }
    store(kManualIncomeAfterDeduction, work.incomeAfterDeduction, result.incomeAfterDeduction,
          "income after deduction");
    store(kManualTotalDeductions, work.totalDeductions, result.totalDeductions, "total deductions");
    store(kManualAnnualTax, work.annualTax, result.annualTax, "annual tax");
    if (!result.notNeeded) {
        // The amounts deducted: from the premiums, or the typed amount held at the maximum.
        work.lifeInsurance = yen(result.lifeInsurance, "life insurance");
        work.earthquakeInsurance = yen(result.earthquakeInsurance, "earthquake insurance");
    }
    work.adjustStatus = static_cast<std::uint8_t>(result.status);
    if constexpr (kCurrentFormat) storeFigures(work, input, result);
    record = work;
    return result;
}

const WithholdingSupplement kNoSupplement{};

}  // namespace

YearEndResult calculateRecord(WithholdingRecord& record, const WithholdingSupplement& supplement,
                              const YearlyTotals& totals, const RecordContext& context) {
    return calculate(record, supplement, totals, context);
}

YearEndResult calculateRecord(WithholdingRecord& record, const YearlyTotals& totals,
                              const RecordContext& context) {
    return calculate(record, kNoSupplement, totals, context);
}

YearEndResult calculateRecord(LegacyWithholdingRecord& record, const YearlyTotals& totals,
                              const RecordContext& context) {
    return calculate(record, kNoSupplement, totals, context);
}

YearEndResult calculateSlot(WithholdingFile& file, int slot, const YearView& year, int dataYear,
                            bool roundTaxTo100) {
    const EmployeeRecord& employee = year.block(kDecember).employee(slot);
    const YearlyTotals totals = yearlyTotals(year, employee.recordId.bytes());
    const RecordContext context{dataYear, employee.workStatus == kRetired, roundTaxTo100};
    return file.currentFormat()
               ? calculateRecord(file.record(slot), file.supplement(slot), totals, context)
               : calculateRecord(file.legacyRecord(slot), totals, context);
}

}  // namespace keiro::withholding
