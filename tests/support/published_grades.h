#pragma once
// The published health insurance grades (data/health_grades.csv) as the program loads them, and
// Tokyo's fiscal-2026 employee shares, for tests of premiums.

#include <string>

#include "calc/data_csv.h"
#include "calc/premium_tables.h"
#include "core/fileio.h"
#include "core/records.h"

namespace keiro::testing_support {

// The pension range is that of September 2020 to August 2027: up to 第32級 (health grade 35).
inline const calc::HealthGradeTable& publishedGrades() {
    static const calc::HealthGradeTable table = calc::HealthGradeTable::fromBytes(
        calc::buildHealthGradeTable(
            calc::DataCsv(readFile(std::string(KEIRO_SOURCE_DIR) + "/data/health_grades.csv"),
                          "grades"),
            32),
        "grades");
    return table;
}

// Tokyo, fiscal 2026: the employee's halves of 9.85 % and 1.62 %, pension 9.15 %.
inline PeriodSettings tokyoRates() {
    PeriodSettings rates{};
    rates.healthInsRate = 4.925;
    rates.nursingInsRate = 0.81;
    rates.pensionRate = 9.15;
    rates.pensionFundRate = 1.0;
    rates.employmentInsRate = 0.5;
    return rates;
}

}  // namespace keiro::testing_support
