#pragma once
// A data folder for one fuzz target's process, made on first use and removed when it ends.

#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace keiro::fuzz {

class DataFolder {
  public:
    explicit DataFolder(const std::string& target)
        : path_(std::filesystem::temp_directory_path() /
                ("keiro-fuzz-" + target + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~DataFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace keiro::fuzz
