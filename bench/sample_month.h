// A month of the sample company at full size, held in memory, for the benchmarks that work on a
// period block.  The premium table is read from beside the benchmark's executable.
#pragma once

#include <memory>

#include "calc/premium_tables.h"
#include "core/places.h"
#include "sample/company.h"

namespace keiro::bench {

inline std::unique_ptr<PeriodBlock> sampleMonth(int year, int month) {
    const auto grades =
        calc::HealthGradeTable::load(executableFolder() / kHealthGradeTableFileName);
    auto block = std::make_unique<PeriodBlock>();
    sample::fillMonth(*block, grades, year, month, kMaxEmployees);
    return block;
}

}  // namespace keiro::bench
