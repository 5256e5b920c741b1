#pragma once
// The sample company of keiro-tool demo (dated 2026-12-08) in a temporary settings root, started
// as the program starts, with one period of the current year's file opened, without anything of
// the windows: for tests of code that reads the open period (reports).  Test executables that
// link keiro_sample and find the table files under KEIRO_BINARY_DIR.

#include <chrono>
#include <memory>

#include "calc/payroll_tables.h"
#include "core/ini.h"
#include "core/places.h"
#include "core/startup.h"
#include "core/yearfile.h"
#include "sample/sample_company.h"
#include "tests/support/temp_folder.h"

namespace keiro::testing_support {

struct DemoYear {
    TempFolder folder{"keiro-demo"};
    Places places = placesUnder(folder / "root", KEIRO_BINARY_DIR "/bin");
    StartupState state;
    std::unique_ptr<IniFile> ini;
    calc::PayrollTables tables;
    YearData year;

    // Opens `period` of 令和8年 with `entry`, or, when the entry is empty, with the figures the
    // data-selection window shows for the saved period.
    explicit DemoYear(int period, PeriodEntry entry = {}) {
        using namespace std::chrono;
        const year_month_day date{2026y, December, 8d};
        sample::createSampleCompany(folder / "root", date, places.programFolder);
        state = startWithoutWindows(places, date);
        ini = std::make_unique<IniFile>(places.iniFile);
        tables = calc::loadPayrollTables(places);
        year.setFile(state.currentYearFile, state.currentYear.eraName, state.currentYear.eraYear,
                     state.eraNames);
        if (entry.scheduledDays == 0 && entry.bonusPayMonth == 0) entry = storedEntry(period);
        year.openPeriod(period, entry, {});
    }

    // What the data-selection window shows for a saved period: its stored figures.
    PeriodEntry storedEntry(int period) const {
        PeriodBlock stored{};
        readPeriodBlock(year.path(), period, stored);
        const YearFileHeader header = readYearFileHeader(year.path());
        PeriodEntry figures{stored.settings.scheduledDays, stored.settings.scheduledHours, 0, 0};
        if (period >= 13) {
            figures.bonusPayMonth = header.bonusPayMonth[period - 13];
            figures.bonusPayDay = header.bonusPayDay[period - 13];
        }
        return figures;
    }
};

}  // namespace keiro::testing_support
