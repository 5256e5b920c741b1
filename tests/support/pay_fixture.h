// What the tests of the pay calculation and of the payroll windows' view-models share: a year
// file of 令和8 in a private folder, the item layouts with every item switched on (each test
// switches off what it needs), the tax tables the build generated, and employees written
// straight into the records.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "calc/pay_calc.h"
#include "core/fileio.h"
#include "core/layouts.h"
#include "core/places.h"
#include "core/yearfile.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc::testing {

namespace fs = std::filesystem;

inline const EraNames kNames{"平成", "令和"};
inline const EraYear kReiwa8{"令和", 8};
inline const EraYear kReiwa7{"令和", 7};

// The withholding tables of the published 2026 figures, as the build generated them.
inline const TaxTables& builtTaxTables() {
    static const TaxTables tables = [] {
        const fs::path folder = fs::path(KEIRO_BINARY_DIR) / "bin" / "表データ" / "2026";
        TaxTables t;
        t.salary = SalaryTaxTable::fromFile(folder / kSalaryTaxTableFileName);
        t.bonus = BonusTaxTable::fromFile(folder / kBonusTaxTableFileName);
        return t;
    }();
    return tables;
}

// A layout of the standard items with every row used by every pay form.
inline ItemLayout everythingOn(LayoutKind kind) {
    ItemLayout layout = defaultLayout(kind);
    for (auto& band : layout.bands) {
        for (LayoutRow& row : band) row.use = {true, true, true};
    }
    return layout;
}

// Switches the row holding `code` off (or on) for one pay form.
inline void setUse(ItemLayout& layout, Band band, std::string_view code, int payForm, bool use) {
    for (LayoutRow& row : layout.band(band)) {
        if (row.code == code) row.use[payForm - 1] = use;
    }
}

struct EmployeeSpec {
    const char* recordId = "260101_090000";
    int payForm = 1;
    int workStatus = 1;
    std::int32_t basePay = 0;
};

class PayFixture : public ::testing::Test {
  protected:
    PayFixture() { useLayout(everythingOn(LayoutKind::Salary)); }

    fs::path file(const EraYear& year) const { return folder_ / yearFileName(year); }

    // Opens a period of a year file (created when missing) as the main window would.
    YearData& open(int period, const EraYear& year = kReiwa8,
                   PeriodEntry entry = {20, 160.0, 0, 0}) {
        createYearFileIfMissing(file(year));
        year_.setFile(file(year), year.eraName, year.eraYear, kNames);
        year_.openPeriod(period, entry, nullptr);
        year_.block().settings.companyName.assign("テスト商事");
        return year_;
    }

    // Opens a bonus period paid on month/day.
    YearData& openBonus(int period, int month, int day = 10, const EraYear& year = kReiwa8) {
        useLayout(everythingOn(LayoutKind::Bonus));
        return open(period, year, PeriodEntry{0, 0.0, month, day});
    }

    EmployeeRecord& addEmployee(int slot, const EmployeeSpec& profile) {
        return addEmployee(year_.block(), slot, profile);
    }
    static EmployeeRecord& addEmployee(PeriodBlock& block, int slot, const EmployeeSpec& profile) {
        EmployeeRecord& e = block.employee(slot);
        e.recordId.assign(profile.recordId);
        e.name.assign("社員" + std::to_string(slot));
        e.payForm = static_cast<std::uint8_t>(profile.payForm);
        e.workStatus = static_cast<std::uint8_t>(profile.workStatus);
        e.basePay = profile.basePay;
        return e;
    }

    AttendanceRecord& attendance(int slot) { return year_.block().attendance[slot - 1]; }
    PaymentRecord& payment(int slot) { return year_.block().payments[slot - 1]; }
    DeductionRecord& deduction(int slot) { return year_.block().deductions[slot - 1]; }

    // Puts a block into a year file on disk (created when missing), marked saved.
    void writeBlock(const EraYear& year, int period, const PeriodBlock& block) {
        createYearFileIfMissing(file(year));
        std::string content = readFile(file(year));
        std::memcpy(content.data() + blockOffset(period), &block, kBlockSize);
        content[8 + period - 1] = 1;
        writeFileAtomic(file(year), content);
    }

    // Sets a bonus period's pay month and day in a year file's header on disk.
    void writeBonusPayDate(const EraYear& year, int period, int month, int day) {
        createYearFileIfMissing(file(year));
        std::string content = readFile(file(year));
        YearFileHeader header;
        std::memcpy(&header, content.data(), sizeof header);
        header.bonusPayMonth[period - kFirstBonusPeriod] = month;
        header.bonusPayDay[period - kFirstBonusPeriod] = day;
        std::memcpy(content.data(), &header, sizeof header);
        writeFileAtomic(file(year), content);
    }

    void useLayout(const ItemLayout& layout) {
        layout_ = layout;
        refreshActive();
    }
    // After a change of layout_ or of the display names.
    void refreshActive() { active_ = ActiveItems(buildPrintTables(layout_), settings_.itemNames); }

    CalcContext ctx() { return CalcContext{settings_, active_, tax_, 2026}; }

    testing_support::TempFolder folder_{"keiro-paycalc"};
    Settings settings_;
    ItemLayout layout_;
    ActiveItems active_;
    TaxTables tax_ = builtTaxTables();
    YearData year_;
};

}  // namespace keiro::calc::testing
