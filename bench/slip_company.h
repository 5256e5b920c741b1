// The pay slips' set-up for the benchmarks: the sample company at 100 employees, written with the
// build's table files, and its November slips for everyone in either design.
#pragma once

#include <chrono>
#include <numeric>
#include <vector>

#include "bench/sample_files.h"
#include "core/ini.h"
#include "core/layouts.h"
#include "core/settings.h"
#include "core/yearfile.h"
#include "print/pay_slip_report.h"

namespace keiro::print {

using namespace std::chrono;

class SlipCompany {
  public:
    SlipCompany() : sample_("slips", year_month_day{2026y, December, 8d}) {
        const IniFile ini(sample_.files().places.iniFile);
        settings_ = loadSettings(ini);
        tables_ = buildPrintTables(loadLayout(ini, LayoutKind::Salary));
        year_.setFile(sample_.files().yearFiles.back(), "令和", 8, {"平成", "令和"});
        PeriodEntry entry;
        entry.scheduledDays = 19;
        entry.scheduledHours = 152;
        year_.openPeriod(11, entry, nullptr);
        everyone_.resize(kMaxEmployees);
        std::iota(everyone_.begin(), everyone_.end(), 1);
    }
    PaySlipReport report(int formType) const {
        const SlipPeriod period{.block = &year_.block(),
                                .header = &year_.header(),
                                .period = 11,
                                .fileYear = {"令和", 8},
                                .eraNames = {"平成", "令和"},
                                .names = &settings_.itemNames,
                                .tables = &tables_,
                                .settings = &settings_};
        PrintChoices choices;
        choices.formType = formType;
        choices.payDate = {"令和", 8, 11, 25};
        return PaySlipReport(period, everyone_, year_.path(), choices);
    }

  private:
    bench::SampleFilesOnDisk sample_;
    Settings settings_;
    PrintTables tables_;
    YearData year_;
    std::vector<int> everyone_;
};

}  // namespace keiro::print
