// The automatic calculation over the sample company's 2026, as KeiroLG sees it in January 2027:
// every employee of December through the built withholding file, two of them cross-checked
// against the calculation of plain inputs built here by hand.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <limits>
#include <vector>

#include "sample/sample_company.h"
#include "tests/support/temp_folder.h"
#include "tests/withholding_model/year_files.h"
#include "withholding/adjust/automatic_calculation.h"
#include "withholding/adjust/batch_calculation.h"
#include "withholding/model/opening.h"

namespace keiro::withholding {
namespace {

using namespace std::chrono;

constexpr int kDecember = 12;

class SampleYear2026 : public ::testing::Test {
  protected:
    void SetUp() override {
        const sample::SampleFiles files = sample::createSampleCompany(
            folder_ / "root", year_month_day{2027y, January, 15d}, KEIRO_BINARY_DIR "/bin");
        year_.emplace(files.yearFiles.at(0));
        const EraNames names{"平成", "令和"};
        file_ = openWithholdingFile(*year_, withholdingPathsFor(year_->path(), {"令和", 8}, names));
        ASSERT_TRUE(file_.has_value());
    }

    const EmployeeRecord& employee(int slot) const {
        return year_->block(kDecember).employee(slot);
    }

    YearEndInput totalsOnly(int slot) const {
        const YearlyTotals totals = yearlyTotals(*year_, employee(slot).recordId.bytes());
        YearEndInput input;
        input.dataYear = 2026;
        input.paid = totals.paid;
        input.withheld = totals.withheld;
        input.socialInsurance = totals.socialInsurance;
        input.generalDependants = employee(slot).dependents;  // carried from payroll
        return input;
    }

    testing_support::TempFolder folder_{"keiro-adjust-sample"};
    std::optional<YearView> year_;
    std::optional<WithholdingFile> file_;
};

TEST_F(SampleYear2026, EveryEmployeeIsAdjustedOrMarkedAsNotNeeded) {
    int adjusted = 0;
    int otsu = 0;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (!employee(slot).isUsed()) continue;
        SCOPED_TRACE(slot);
        const YearEndResult result = calculateSlot(*file_, slot, *year_, 2026, true);
        const WithholdingRecord& r = file_->record(slot);
        // 乙欄, and the employee who left last year (退職, nothing paid this year).
        if (employee(slot).taxColumn == 1 || employee(slot).workStatus == 3) {
            if (employee(slot).taxColumn == 1) ++otsu;
            EXPECT_TRUE(result.notNeeded);
            EXPECT_EQ(r.annualTax, r.withheld);
            EXPECT_EQ(result.difference, 0);
            EXPECT_EQ(r.adjustStatus, kNotAdjusted);
            continue;
        }
        ++adjusted;
        EXPECT_EQ(r.adjustStatus, kCalculated);
        EXPECT_EQ(r.annualTax % 100, 0);
        EXPECT_EQ(result.difference, r.annualTax - r.withheld);
        // Without declarations beyond the count from payroll: the totals decide the rest.
        const YearEndResult expected = calculateYearEnd(totalsOnly(slot));
        EXPECT_EQ(r.incomeAfterDeduction, expected.incomeAfterDeduction);
        EXPECT_EQ(r.annualTax, expected.annualTax);
    }
    EXPECT_GE(adjusted, 8);
    EXPECT_GE(otsu, 1);
}

TEST_F(SampleYear2026, DeclarationsOfTheRecordReachTheCalculation) {
    // Slot 2 declares a spouse of modest income, a child of 20, an elderly parent living with
    // them, insurance premiums and a housing-loan credit.
    WithholdingRecord& r = file_->record(2);
    r.spouseIncome = 1'000'000;
    r.dependants.specific = 1;
    r.dependants.elderlyLivingTogether = 1;
    r.lifeNew = 70'000;
    r.earthquakeInsurance = 30'000;
    r.housingLoanCredit = 50'000;
    r.smallBusinessMutualAid = 120'000;
    calculateSlot(*file_, 2, *year_, 2026, true);

    YearEndInput input = totalsOnly(2);
    input.spouseIncome = 1'000'000;
    input.specificDependants = 1;
    input.elderlyDependants = 1;
    input.cohabitingParents = 1;
    input.lifePremiums = LifePremiums{70'000, 0, 0, 0, 0};
    input.earthquakeInsurance = 30'000;
    input.housingLoanCredit = 50'000;
    input.smallEnterprise = 120'000;
    const YearEndResult expected = calculateYearEnd(input);
    EXPECT_GT(expected.spouseSpecial, 0);
    EXPECT_EQ(r.spouseSpecial, expected.spouseSpecial);
    EXPECT_EQ(r.lifeInsurance, expected.lifeInsurance);
    EXPECT_EQ(r.totalDeductions, expected.totalDeductions);
    EXPECT_EQ(r.annualTax, expected.annualTax);
    EXPECT_EQ(r.dependants.elderly, 1);

    // An employee on leave (休職 in the year file) is adjusted, but not when marked 乙欄.
    int onLeaveSeen = 0;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (employee(slot).workStatus != 2) continue;
        ++onLeaveSeen;
        EXPECT_FALSE(calculateSlot(*file_, slot, *year_, 2026, true).notNeeded) << slot;
        file_->record(slot).flags.secondaryColumn = 1;
        const YearEndResult onLeave = calculateSlot(*file_, slot, *year_, 2026, true);
        EXPECT_EQ(onLeave.reason, NotAdjustedReason::SecondaryColumn) << slot;
        EXPECT_EQ(file_->record(slot).adjustStatus, kNotAdjusted) << slot;
        EXPECT_EQ(file_->record(slot).annualTax, file_->record(slot).withheld) << slot;
    }
    EXPECT_EQ(onLeaveSeen, 1);
}

TEST_F(SampleYear2026, TheBatchEqualsTheCalculationOfEachEmployee) {
    file_->record(2).spouseDeductible = 1;
    file_->record(3).joinLeaveBirth.left = 1;  // a leaver without an exception
    file_->record(99).address1.assign("手付かず");
    WithholdingFile oneByOne = *file_;
    const std::vector<int> slots = occupiedSlots(*year_);
    ASSERT_GE(slots.size(), 9u);

    std::vector<int> withEmpty = slots;
    withEmpty.push_back(99);  // nobody there: refused, the record left alone
    const BatchResult batch = calculateAll(*file_, *year_, withEmpty, 2026, true);
    ASSERT_EQ(batch.outcomes.size(), withEmpty.size());
    for (int slot : slots) calculateSlot(oneByOne, slot, *year_, 2026, true);
    EXPECT_TRUE(file_->bytes() == oneByOne.bytes()) << "each record as 自動計算 leaves it";

    int notAdjusted = 0;
    for (const SlotOutcome& o : batch.outcomes) {
        if (o.slot == 99) continue;
        const WithholdingRecord& r = oneByOne.record(o.slot);
        EXPECT_EQ(o.annualTax, r.annualTax) << o.slot;
        EXPECT_EQ(o.withheld, r.withheld) << o.slot;
        EXPECT_EQ(o.difference, std::int64_t{r.annualTax} - r.withheld) << o.slot;
        EXPECT_TRUE(o.refusal.empty()) << o.slot;
        if (o.status == YearEndStatus::NotAdjusted) ++notAdjusted;
    }
    EXPECT_EQ(batch.outcomes.back().refusal, "社員が登録されていません");
    EXPECT_EQ(batch.refused, 1);
    EXPECT_EQ(batch.notAdjusted, notAdjusted);
    EXPECT_GE(batch.notAdjusted, 2) << "the 乙欄 employee and the leaver";
    EXPECT_EQ(batch.calculated + batch.notAdjusted, static_cast<int>(slots.size()));
}

TEST(BatchCalculation, AResultOutOfRangeIsRefusedAndTheOthersGoOn) {
    testing_support::TempFolder folder{"keiro-adjust-batch"};
    withholding::testing::YearFileWriter writer;
    writer.put(12, 1, "a", 3'000'000, 400'000, 50'000);
    writer.put(12, 2, "b", 3'000'000, 400'000, 50'000);
    writer.write(folder / "y.dat");
    const YearView year(folder / "y.dat");
    WithholdingFile file(true);
    file.record(1).smallBusinessMutualAid = std::numeric_limits<std::int32_t>::max();
    file.record(1).lifeInsurance = std::numeric_limits<std::int32_t>::max();
    const WithholdingRecord before = file.record(1);
    const BatchResult batch = calculateAll(file, year, {1, 2}, 2026, true);
    EXPECT_EQ(batch.refused, 1);
    EXPECT_EQ(batch.calculated, 1);
    EXPECT_FALSE(batch.outcomes[0].refusal.empty());
    EXPECT_EQ(std::memcmp(&file.record(1), &before, sizeof before), 0);
    EXPECT_EQ(file.record(2).adjustStatus, kCalculated);
}

}  // namespace
}  // namespace keiro::withholding
