// The pay ledger's set-up for the benchmarks: June of the sample company at full size, saved as
// every period of a year file in a temporary folder, and a ledger page for every employee.
#pragma once

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "bench/sample_month.h"
#include "core/fileio.h"
#include "print/ledger_report.h"

namespace keiro::bench {

namespace fs = std::filesystem;
using namespace std::chrono;

// June of the sample company at full size.
inline std::unique_ptr<PeriodBlock> company() {
    return sampleMonth(2026, 6);
}

inline print::TableOptions withAttendance() {
    print::TableOptions options;
    options.added[1] = options.added[8] = true;
    options.removed[1] = options.removed[2] = true;
    return options;
}

// A year file with the block saved as every period, removed when the benchmark ends.
class FullYear {
  public:
    explicit FullYear(const PeriodBlock& block)
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-ledger-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(folder_);
        std::string content(kYearFileSize, '\0');
        for (int k = 1; k <= kPeriodCount; ++k) {
            content[8 + k - 1] = 1;
            std::memcpy(content.data() + blockOffset(k), &block, kBlockSize);
        }
        writeFileAtomic(path(), content);
    }
    ~FullYear() { fs::remove_all(folder_); }
    fs::path path() const { return folder_ / "year.dat"; }

  private:
    fs::path folder_;
};

// A page for every employee of the block.
inline print::LedgerInput ledgerInput(const PeriodBlock& block) {
    std::vector<int> everyone(kMaxEmployees);
    std::iota(everyone.begin(), everyone.end(), 1);
    print::LedgerInput input;
    input.companyName = "株式会社サンプル商事";
    input.year = {"令和", 8};
    input.employees = print::ledgerEmployees(block, everyone);
    input.printDate = year_month_day{2026y, December, 9d};
    return input;
}

}  // namespace keiro::bench
