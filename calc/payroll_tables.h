#pragma once
// The three tables the payroll program cannot work without, loaded once at start-up from the
// program folder: the salary and bonus withholding tax tables and the health insurance grades.

#include <optional>
#include <string>
#include <vector>

#include "calc/premium_tables.h"
#include "calc/tax_tables.h"
#include "core/places.h"

namespace keiro::calc {

struct PayrollTables {
    TaxTables tax;
    std::optional<HealthGradeTable> grades;
    TableLoadReport report;  // how many loaded, and why a present file could not be used

    static constexpr int kRequired = 3;
    bool complete() const { return report.loaded == kRequired; }
    // What start-up shows when a table is missing: each unusable file's reason, then
    // "必要な表データファイルが足りません。".  Empty when all three loaded.
    std::vector<StartupMessage> missingTableMessages() const;
};

PayrollTables loadPayrollTables(const Places& places);

}  // namespace keiro::calc
