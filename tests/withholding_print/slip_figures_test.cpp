// What the slip's boxes show of a record: the figures the calculation stored when it stored
// them, the fields as they are otherwise; the person marks of each form.
#include <gtest/gtest.h>

#include "withholding/print/slip_figures.h"

namespace keiro::withholding {
namespace {

constexpr EraYear kReiwa8{"令和", 8};

TEST(SlipFiguresTest, SpouseBoxHoldsWhicheverSpouseDeductionWasGiven) {
    WithholdingRecord r{};
    // A spouse without income: the 配偶者控除 of 380,000, which the old field never held.
    r.spouseDeductible = 1;
    r.figuresStored = 1;
    r.spouseAmountGiven = 380'000;
    EXPECT_EQ(spouseAmountShown(r, kReiwa8), 380'000);
    // Not calculated since the figures were added: the spouse special field, as before.
    r.figuresStored = 0;
    r.spouseSpecial = 260'000;
    EXPECT_EQ(spouseAmountShown(r, kReiwa8), 260'000);
    EXPECT_EQ(spouseAmountShown(r, {"平成", 29}), 0);  // no income, a year it is not typed
    r.spouseIncome = 900'000;
    EXPECT_EQ(spouseAmountShown(r, {"平成", 29}), 260'000);
}

TEST(SlipFiguresTest, HousingBoxHoldsTheCreditUsedNotTheCreditDeclared) {
    WithholdingRecord r{};
    r.housingLoanCredit = 120'000;  // declared
    EXPECT_EQ(housingCreditShown(r), 120'000);
    r.figuresStored = 1;
    r.housingLoanUsed = 41'750;  // the tax before the credit was 41,750
    EXPECT_EQ(housingCreditShown(r), 41'750);
}

TEST(SlipFiguresTest, WidowAndSingleParentMarksFollowTheFormOfTheYear) {
    const FormEdition before2020 = formEdition(2019);
    const FormEdition from2020 = formEdition(2020);
    EXPECT_EQ(personMarks(before2020).size(), 11u);
    EXPECT_EQ(personMarks(from2020).size(), 10u);
    EXPECT_EQ(personMarkLabel(PersonMark::Widow, from2020),
              (std::vector<std::string_view>{"寡婦"}));
    EXPECT_EQ(personMarkGroup(PersonMark::Widow, from2020), "");
    EXPECT_EQ(personMarkGroup(PersonMark::Widow, before2020), "寡　婦");

    WithholdingRecord r{};
    r.flags.widowSpecial = 1;  // kept from a year before 2020
    EXPECT_TRUE(personMarkSet(r, PersonMark::WidowSpecial, before2020));
    EXPECT_FALSE(personMarkSet(r, PersonMark::Widow, before2020));
    EXPECT_TRUE(personMarkSet(r, PersonMark::Widow, from2020));
    // A ひとり親 gets that deduction, not the 寡婦's: one mark only.
    r.singleParent = 1;
    EXPECT_FALSE(personMarkSet(r, PersonMark::Widow, from2020));
    EXPECT_TRUE(personMarkSet(r, PersonMark::SingleParent, from2020));
}

}  // namespace
}  // namespace keiro::withholding
