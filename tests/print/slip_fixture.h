// The sample company with one period open, as the pay slips are printed from it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/layouts.h"
#include "print/pay_slip_report.h"
#include "print/recording_canvas.h"
#include "tests/support/built_page.h"
#include "tests/support/demo_year.h"

namespace keiro::print {

// Slots of the sample company: a monthly-paid employee, a daily-paid one and an hourly-paid
// one (乙欄, paid in cash).
inline constexpr int kMonthly = 2;
inline constexpr int kDaily = 6;
inline constexpr int kHourlyCash = 8;

// 254 dpi: exactly 10 pixels per millimetre, no margin.
inline const PageDevice k10PerMm = printerDevice({254, 254, 0, 0});

struct SlipFixture {
    testing_support::DemoYear demo;
    PrintTables tables;

    explicit SlipFixture(int period) : demo(period) {
        const LayoutKind kind = isBonusPeriod(period) ? LayoutKind::Bonus : LayoutKind::Salary;
        tables = buildPrintTables(loadLayout(*demo.ini, kind));
    }

    SlipPeriod period() const {
        const YearData& year = demo.year;
        return {.block = &year.block(),
                .header = &year.header(),
                .period = year.period(),
                .fileYear = {year.eraName(), year.eraYear()},
                .eraNames = year.eraNames(),
                .names = &demo.state.settings.itemNames,
                .tables = &tables,
                .settings = &demo.state.settings};
    }

    // The dialog's choices: the form type and the pay date (the 25th of the salary month, or
    // the bonus's pay day).
    PrintChoices choices(int formType) const {
        PrintChoices choices;
        choices.formType = formType;
        const YearData& year = demo.year;
        const int period = year.period();
        choices.payDate = {
            year.eraName(), year.eraYear(),
            isBonusPeriod(period) ? year.header().bonusPayMonth[period - 13] : period,
            isBonusPeriod(period) ? year.header().bonusPayDay[period - 13] : 25};
        return choices;
    }

    PaySlipReport report(const std::vector<int>& selected, const PrintChoices& choices) const {
        return PaySlipReport(period(), selected, demo.year.path(), choices);
    }

    SlipData slip(int slot, int formType = 3) const {
        return report({slot}, choices(formType)).slips().front();
    }

    // The recording of one page.
    static std::string page(const Report& report, int page, double correctionV = 0.0) {
        return testing_support::builtPageRecording(report, page, k10PerMm, correctionV);
    }
};

// Tests that share one opened November of the sample company (opening it takes a while).
class NovemberSlipsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { november_ = new SlipFixture(11); }
    static void TearDownTestSuite() {
        delete november_;
        november_ = nullptr;
    }
    static inline SlipFixture* november_ = nullptr;
};

}  // namespace keiro::print
