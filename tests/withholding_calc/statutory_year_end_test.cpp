// The year-end adjustment from 2020 with the law of each data year: the worked cases of each
// period, the deductions that depend on the employee's and the spouse's incomes, the 2024 flat
// cut, the pay limit of 20,000,000 and the rate table.
#include <gtest/gtest.h>

#include <cstdint>

#include "calc/rounding.h"
#include "withholding/calc/year_end_calc.h"

namespace keiro::withholding {
namespace {

YearEndInput employee(int year, std::int64_t paid, std::int64_t socialInsurance) {
    YearEndInput in;
    in.dataYear = year;
    in.paid = paid;
    in.socialInsurance = socialInsurance;
    return in;
}

// An employee whose hand-entered income and deductions leave `taxable`.
YearEndInput withTaxable(int year, std::int64_t taxable) {
    YearEndInput in;
    in.dataYear = year;
    in.manualIncomeAfterDeduction = taxable;
    in.manualTotalDeductions = 0;
    return in;
}

TEST(StatutoryYearEnd, WorkedCasesOfEachPeriod) {
    struct Case {
        const char* name;
        YearEndInput in;
        std::int64_t tax2023, tax2024, tax2025, tax2026;
    };
    YearEndInput family = employee(0, 9'000'000, 1'300'000);
    family.spouse = true;
    family.specificDependants = 1;
    const Case cases[] = {
        {"5,000,000 single", employee(0, 5'000'000, 750'000), 138'300, 107'700, 117'900, 90'300},
        {"1,600,000 single", employee(0, 1'600'000, 240'000), 16'800, 0, 0, 0},
        {"9,000,000 spouse and a child of 20", family, 423'200, 331'300, 402'700, 394'600},
    };
    for (const Case& c : cases) {
        const std::int64_t expected[] = {c.tax2023, c.tax2024, c.tax2025, c.tax2026};
        for (int i = 0; i < 4; ++i) {
            YearEndInput in = c.in;
            in.dataYear = 2023 + i;
            in.withheld = 100'000;
            const YearEndResult r = calculateYearEnd(in);
            EXPECT_EQ(r.annualTax, expected[i]) << c.name << " " << in.dataYear;
            EXPECT_EQ(r.difference, expected[i] - 100'000);
            EXPECT_EQ(r.status, YearEndStatus::Calculated);
        }
    }
}

TEST(StatutoryYearEnd, WorkedCaseIntermediates) {
    YearEndInput in = employee(2023, 9'000'000, 1'300'000);
    in.spouse = true;
    in.specificDependants = 1;
    YearEndResult r = calculateYearEnd(in);
    EXPECT_EQ(r.employmentIncome, 7'050'000);
    EXPECT_EQ(r.incomeAdjustment, 50'000);
    EXPECT_EQ(r.incomeAfterDeduction, 7'000'000);
    EXPECT_EQ(r.spouseDeduction, 380'000);
    EXPECT_EQ(r.taxable, 4'210'000);
    EXPECT_EQ(r.computedTax, 414'500);

    in.dataYear = 2024;
    r = calculateYearEnd(in);
    EXPECT_EQ(r.flatCut, 90'000);
    in.dataYear = 2025;
    EXPECT_EQ(calculateYearEnd(in).basic, 580'000);
    in.dataYear = 2026;
    EXPECT_EQ(calculateYearEnd(in).basic, 620'000);
}

TEST(StatutoryYearEnd, BasicDeductionByTheEmployeesIncome) {
    struct Case {
        std::int64_t income;
        std::int64_t a2020, b2025, c2026;
    };
    const Case cases[] = {
        {1'320'000, 480'000, 950'000, 1'040'000},
        {1'320'001, 480'000, 880'000, 1'040'000},
        {3'360'001, 480'000, 680'000, 1'040'000},
        {4'890'000, 480'000, 680'000, 1'040'000},
        {4'890'001, 480'000, 630'000, 670'000},
        {6'550'001, 480'000, 580'000, 620'000},
        {23'500'001, 480'000, 480'000, 480'000},
        {24'000'001, 320'000, 320'000, 320'000},
        {24'500'001, 160'000, 160'000, 160'000},
        {25'000'000, 160'000, 160'000, 160'000},
        {25'000'001, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const std::int64_t expected[] = {c.a2020, c.b2025, c.c2026};
        const int years[] = {2021, 2025, 2026};
        for (int i = 0; i < 3; ++i) {
            // A small salary, so that every estimate is above the employment income.
            YearEndInput in = employee(years[i], 1'000'000, 0);
            in.incomeEstimate = c.income;  // an entered estimate wins over the salary
            EXPECT_EQ(calculateYearEnd(in).basic, expected[i]) << years[i] << " " << c.income;
        }
    }
    // Without an estimate the income after deduction is the employee's income.
    EXPECT_EQ(calculateYearEnd(employee(2025, 5'000'000, 0)).totalIncome, 3'560'000);
    EXPECT_EQ(calculateYearEnd(employee(2025, 5'000'000, 0)).basic, 680'000);
    // The estimate includes the employment income: one below it counts as that income.
    YearEndInput low = employee(2025, 5'000'000, 0);
    low.incomeEstimate = 1'000'000;
    EXPECT_EQ(calculateYearEnd(low).totalIncome, 3'560'000);
    EXPECT_EQ(calculateYearEnd(low).basic, 680'000);
}

TEST(StatutoryYearEnd, SpouseDeductionsByBothIncomes) {
    struct Case {
        int year;
        std::int64_t employee, spouse;
        bool elderly;
        std::int64_t deduction, special;
    };
    const Case cases[] = {
        {2022, 9'000'000, 480'000, false, 380'000, 0},
        {2022, 9'000'000, 480'000, true, 480'000, 0},
        {2022, 9'000'001, 0, false, 260'000, 0},
        {2022, 9'500'001, 0, true, 160'000, 0},
        {2022, 10'000'001, 0, false, 0, 0},
        {2022, 9'000'000, 480'001, false, 0, 380'000},
        {2022, 9'400'000, 1'000'000, false, 0, 240'000},
        {2022, 10'000'000, 1'330'000, false, 0, 10'000},
        {2022, 5'000'000, 1'330'001, false, 0, 0},
        {2022, 10'000'001, 700'000, false, 0, 0},
        {2025, 5'000'000, 580'000, false, 380'000, 0},
        {2025, 5'000'000, 580'001, false, 0, 380'000},
        {2026, 5'000'000, 620'000, false, 380'000, 0},
        {2026, 5'000'000, 620'001, false, 0, 380'000},
        {2026, 5'000'000, 1'150'000, false, 0, 210'000},
    };
    for (const Case& c : cases) {
        YearEndInput in = employee(c.year, 3'000'000, 0);
        in.incomeEstimate = c.employee;
        in.spouse = true;
        in.elderlySpouse = c.elderly;
        in.spouseIncome = c.spouse;
        const YearEndResult r = calculateYearEnd(in);
        EXPECT_EQ(r.spouseDeduction, c.deduction) << c.year << " " << c.employee << " " << c.spouse;
        EXPECT_EQ(r.spouseSpecial, c.special) << c.year << " " << c.employee << " " << c.spouse;
    }
    // No spouse flag and no spouse income: no spouse.
    EXPECT_EQ(calculateYearEnd(employee(2022, 3'000'000, 0)).spouseDeduction, 0);
}

TEST(StatutoryYearEnd, PersonalDeductionsAndTheirIncomeLimits) {
    YearEndInput in = employee(2021, 3'000'000, 0);
    in.widower = true;  // no deduction of its own from 2020
    EXPECT_EQ(calculateYearEnd(in).widowOrSingleParent, 0);
    in.singleParent = true;
    EXPECT_EQ(calculateYearEnd(in).widowOrSingleParent, 350'000);
    in.widow = Widow::Special;
    EXPECT_EQ(calculateYearEnd(in).widowOrSingleParent, 350'000);
    in.singleParent = false;
    EXPECT_EQ(calculateYearEnd(in).widowOrSingleParent, 270'000);
    in.incomeEstimate = 5'000'001;
    EXPECT_EQ(calculateYearEnd(in).widowOrSingleParent, 0);
    in.incomeEstimate.reset();
    in.singleParent = true;
    in.dataYear = 2026;
    EXPECT_EQ(calculateYearEnd(in).widowOrSingleParent, 350'000);
    in.dataYear = 2027;  // raised from 2027
    EXPECT_EQ(calculateYearEnd(in).widowOrSingleParent, 380'000);

    struct Student {
        int year;
        std::int64_t income, deduction;
    };
    const Student students[] = {{2022, 750'000, 270'000}, {2022, 750'001, 0},
                                {2025, 850'000, 270'000}, {2025, 850'001, 0},
                                {2026, 890'000, 270'000}, {2026, 890'001, 0}};
    for (const Student& s : students) {
        YearEndInput student = employee(s.year, 1'000'000, 0);
        student.workingStudent = true;
        student.incomeEstimate = s.income;
        EXPECT_EQ(calculateYearEnd(student).workingStudent, s.deduction) << s.year << s.income;
    }
}

TEST(StatutoryYearEnd, SpecificRelativeFrom2025) {
    struct Case {
        int year;
        std::int64_t income, deduction;
    };
    const Case cases[] = {
        {2024, 700'000, 0},       {2025, 580'000, 0},         {2025, 580'001, 630'000},
        {2025, 850'001, 610'000}, {2025, 1'000'000, 410'000}, {2025, 1'230'000, 30'000},
        {2025, 1'230'001, 0},     {2026, 620'000, 0},         {2026, 620'001, 630'000},
    };
    for (const Case& c : cases) {
        YearEndInput in = employee(c.year, 4'000'000, 0);
        in.specificRelativeIncomes = {c.income};
        EXPECT_EQ(calculateYearEnd(in).specificRelative, c.deduction) << c.year << " " << c.income;
    }
    YearEndInput two = employee(2025, 4'000'000, 0);
    two.specificRelativeIncomes = {900'000, 1'200'000};
    EXPECT_EQ(calculateYearEnd(two).specificRelative, 610'000 + 60'000);
}

TEST(StatutoryYearEnd, IncomeAdjustmentNeedsPayAbove8500000AndAYoungOrDisabledFamily) {
    struct Case {
        std::int64_t paid;
        bool qualifies;
        std::int64_t adjustment;
    };
    const Case cases[] = {{8'500'000, true, 0},       {8'500'001, true, 1},
                          {8'500'010, true, 1},       {8'500'011, true, 2},
                          {9'000'000, false, 0},      {10'000'000, true, 150'000},
                          {20'000'000, true, 150'000}};
    for (const Case& c : cases) {
        YearEndInput in = employee(2022, c.paid, 0);
        in.under16Dependants = c.qualifies ? 1 : 0;
        EXPECT_EQ(calculateYearEnd(in).incomeAdjustment, c.adjustment) << c.paid;
    }
    for (auto set : {+[](YearEndInput& in) { in.selfSpecialDisabled = true; },
                     +[](YearEndInput& in) { in.specialDisabled = 1; },
                     +[](YearEndInput& in) { in.youngDependantDeclared = true; },
                     +[](YearEndInput& in) { in.specificDependants = 1; }}) {
        YearEndInput in = employee(2026, 9'000'000, 0);
        set(in);
        EXPECT_EQ(calculateYearEnd(in).incomeAdjustment, 50'000);
    }
    YearEndInput elderlyOnly = employee(2026, 9'000'000, 0);
    elderlyOnly.elderlyDependants = 1;
    elderlyOnly.otherDisabled = 1;
    EXPECT_EQ(calculateYearEnd(elderlyOnly).incomeAdjustment, 0);
}

TEST(StatutoryYearEnd, FlatCutOf2024) {
    YearEndInput in = withTaxable(2024, 4'000'000);  // 372,500 before the cut
    in.spouse = true;
    in.under16Dependants = 2;
    in.generalDependants = 1;
    in.nonResidentDependants = 1;
    YearEndResult r = calculateYearEnd(in);
    EXPECT_EQ(r.flatCut, 4 * 30'000);
    EXPECT_EQ(r.annualTax, (372'500 - 120'000) * 1'021 / 100'000 * 100);

    in.spouseIncome = 480'001;  // no longer within the limit
    EXPECT_EQ(calculateYearEnd(in).flatCut, 3 * 30'000);

    in.housingLoanCredit = 300'000;  // the cut never goes below 0
    r = calculateYearEnd(in);
    EXPECT_EQ(r.flatCut, 72'500);
    EXPECT_EQ(r.annualTax, 0);

    in.incomeEstimate = 18'050'001;
    EXPECT_EQ(calculateYearEnd(in).flatCut, 0);
    in.dataYear = 2023;
    in.incomeEstimate.reset();
    EXPECT_EQ(calculateYearEnd(in).flatCut, 0);
}

TEST(StatutoryYearEnd, NoAdjustmentAbove20000000OfPay) {
    YearEndInput in = employee(2025, 20'000'000, 1'000'000);
    in.withheld = 3'500'000;
    YearEndResult r = calculateYearEnd(in);
    EXPECT_EQ(r.status, YearEndStatus::Calculated);
    EXPECT_EQ(r.incomeAfterDeduction, 18'050'000);
    EXPECT_EQ(r.taxable, 18'050'000 - 1'000'000 - 580'000);  // basic 580,000 in 2025

    in.paid = 20'000'001;
    r = calculateYearEnd(in);
    EXPECT_EQ(r.status, YearEndStatus::NotAdjusted);
    EXPECT_EQ(r.annualTax, 3'500'000);  // the tax withheld stands
    EXPECT_EQ(r.difference, 0);
    EXPECT_EQ(r.incomeAfterDeduction, 0);
}

TEST(StatutoryYearEnd, TopOfTheTableIsTaxedAndTheLoanCreditFloorsAtZero) {
    YearEndResult r = calculateYearEnd(withTaxable(2022, 18'050'000));
    EXPECT_EQ(r.computedTax, 18'050'000LL * 40 / 100 - 2'796'000);
    EXPECT_EQ(r.status, YearEndStatus::Calculated);
    EXPECT_EQ(calculateYearEnd(withTaxable(2022, 18'000'999)).computedTax,
              18'000'000LL * 33 / 100 - 1'536'000);
    EXPECT_EQ(calculateYearEnd(withTaxable(2022, 50'000'000)).computedTax,
              50'000'000LL * 45 / 100 - 4'796'000);

    YearEndInput in = withTaxable(2026, 1'000'000);
    in.housingLoanCredit = 60'000;
    in.withheld = 20'000;
    r = calculateYearEnd(in);
    EXPECT_EQ(r.annualTax, 0);
    EXPECT_EQ(r.status, YearEndStatus::Calculated);
    EXPECT_EQ(r.difference, -20'000);
}

// Rate × taxable and the 102.1 % surtax against the exact products of the rounding helpers.
TEST(StatutoryYearEnd, TaxSweepAgainstExactProducts) {
    struct Row {
        std::int64_t upTo;
        double rate;
        std::int64_t subtract;
    };
    const Row rows[] = {{1'950'000, 0.05, 0},          {3'300'000, 0.10, 97'500},
                        {6'950'000, 0.20, 427'500},    {9'000'000, 0.23, 636'000},
                        {18'000'000, 0.33, 1'536'000}, {18'050'000, 0.40, 2'796'000}};
    for (std::int64_t t = 0; t <= 18'050'000; t += 1'000) {
        const Row* row = rows;
        while (t > row->upTo) ++row;
        const std::int64_t computed =
            calc::Product(row->rate, static_cast<double>(t)).micros / 1'000'000 - row->subtract;
        const std::int64_t surtaxed =
            calc::Product(1.021, static_cast<double>(computed)).micros / 1'000'000;
        const YearEndResult r = calculateYearEnd(withTaxable(2022, t + 999));
        ASSERT_EQ(r.computedTax, computed) << t;
        ASSERT_EQ(r.annualTax, surtaxed / 100 * 100) << t;
    }
}

}  // namespace
}  // namespace keiro::withholding
