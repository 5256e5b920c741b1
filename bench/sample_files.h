// The sample company at full size written into a throw-away settings root with the build's
// table files, for the benchmarks that read its year files as the programs do.
#pragma once

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "core/records.h"
#include "sample/sample_company.h"

namespace keiro::bench {

class SampleFilesOnDisk {
  public:
    // `name` tells the benchmark's root apart; `date` is the day the company is written as of.
    SampleFilesOnDisk(const std::string& name, std::chrono::year_month_day date)
        : root_(std::filesystem::temp_directory_path() /
                ("keiro-bench-" + name + "-" + std::to_string(std::random_device{}()))),
          files_(sample::createSampleCompany(root_, date, KEIRO_PROGRAM_FOLDER, kMaxEmployees)) {}
    ~SampleFilesOnDisk() { std::filesystem::remove_all(root_); }
    SampleFilesOnDisk(const SampleFilesOnDisk&) = delete;
    SampleFilesOnDisk& operator=(const SampleFilesOnDisk&) = delete;

    const sample::SampleFiles& files() const { return files_; }

  private:
    std::filesystem::path root_;
    sample::SampleFiles files_;
};

}  // namespace keiro::bench
