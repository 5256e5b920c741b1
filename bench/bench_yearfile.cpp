// Year file operations on a full file (100 employees in every period), against the cost of
// copying the whole 1.78 MB file with fsync, which is what every save does.  Reading the whole
// year once is what every report that spans periods starts with.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "core/fileio.h"
#include "core/year_view.h"
#include "core/yearfile.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

const EraNames kNames{"平成", "令和"};

// A data folder holding one full year file, removed when the program ends.
class FullYear {
  public:
    FullYear()
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-yearfile-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(folder_);
        path_ = folder_ / yearFileName({"平成", 30});
        std::string content(kYearFileSize, '\0');
        auto block = std::make_unique<PeriodBlock>();
        block->settings.companyName.assign("山田商店株式会社");
        for (int i = 0; i < kMaxEmployees; ++i) {
            EmployeeRecord& e = block->employees[i];
            e.recordId.assign("180101_0900" + std::to_string(10 + i));
            e.name.assign("山田　太郎" + std::to_string(i));
            e.payForm = 1;
            e.workStatus = 1;
            e.basePay = 250000 + i;
            e.remarks.assign("備考");
            block->attendance[i].daysWorked = 20;
            block->attendance[i].paidLeaveBalance = 10;
            block->payments[i].basePayAmount = 250000 + i;
            block->deductions[i].incomeTax = 5000;
        }
        for (int k = 1; k <= kPeriodCount; ++k) {
            content[8 + k - 1] = 1;
            std::memcpy(content.data() + blockOffset(k), block.get(), kBlockSize);
        }
        writeFileAtomic(path_, content);
    }
    ~FullYear() { fs::remove_all(folder_); }

    const fs::path& folder() const { return folder_; }
    const fs::path& path() const { return path_; }

    YearData openYear() const {
        YearData year;
        year.setFile(path_, "平成", 30, kNames);
        return year;
    }

  private:
    fs::path folder_;
    fs::path path_;
};

const FullYear& fullYear() {
    static const FullYear year;
    return year;
}

void BM_OpenSavedPeriod(benchmark::State& state) {
    YearData year = fullYear().openYear();
    for (auto _ : state) {
        benchmark::DoNotOptimize(year.openPeriod(5, {20, 160.0, 0, 0}, nullptr));
    }
}
BENCHMARK(BM_OpenSavedPeriod);

// The unsaved-change test compares the period with its saved copy in memory.
void BM_IsModified(benchmark::State& state) {
    YearData year = fullYear().openYear();
    year.openPeriod(5, {20, 160.0, 0, 0}, nullptr);
    for (auto _ : state) benchmark::DoNotOptimize(year.document().isModified());
}
BENCHMARK(BM_IsModified);

void BM_SavePeriod(benchmark::State& state) {
    YearData year = fullYear().openYear();
    year.openPeriod(5, {20, 160.0, 0, 0}, nullptr);
    for (auto _ : state) year.savePeriod();
}
BENCHMARK(BM_SavePeriod);

// The whole year read once, as the year-to-date figures, the ledger and the bonus history do.
void BM_ReadYearView(benchmark::State& state) {
    for (auto _ : state) {
        const YearView year(fullYear().path());
        benchmark::DoNotOptimize(year.block(12).deductions[99].incomeTax);
    }
}
BENCHMARK(BM_ReadYearView)->Unit(benchmark::kMicrosecond);

// The yardstick: the whole file written to a new name with fsync.
void BM_CopyYearFileWithFsync(benchmark::State& state) {
    const std::string content = readFile(fullYear().path());
    const fs::path copy = fullYear().folder() / "copy.dat";
    for (auto _ : state) writeFileAtomic(copy, content);
}
BENCHMARK(BM_CopyYearFileWithFsync);

}  // namespace
}  // namespace keiro
