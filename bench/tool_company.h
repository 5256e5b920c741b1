#pragma once
// The sample company written by keiro-tool demo into a throw-away settings root, for the
// benchmarks that run keiro-tool end to end as a clerk's script would (program start and fonts
// included).

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace keiro::bench {

inline std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

class ToolCompany {
  public:
    // `date` is the day keiro-tool demo is told it is (YYYY-MM-DD).
    ToolCompany(const std::string& date, int employees) {
        const std::string demo = std::string(KEIRO_TOOL) + " demo --root " + quoted(root_) +
                                 " --date " + date + " --employees " + std::to_string(employees) +
                                 " > /dev/null";
        ok_ = std::system(demo.c_str()) == 0;
    }
    ~ToolCompany() { std::filesystem::remove_all(root_); }
    ToolCompany(const ToolCompany&) = delete;
    ToolCompany& operator=(const ToolCompany&) = delete;

    bool ok() const { return ok_; }
    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path dataFile(const std::string& name) const {
        return root_ / "Vondel" / "Keiro" / "Data" / name;
    }
    // keiro-tool with the words given, then --root and the output silenced.
    std::string command(const std::string& words) const {
        return std::string(KEIRO_TOOL) + " " + words + " --root " + quoted(root_) +
               " > /dev/null 2>&1";
    }

  private:
    std::filesystem::path root_ = std::filesystem::temp_directory_path() /
                                  ("keiro-bench-" + std::to_string(std::random_device{}()));
    bool ok_ = false;
};

}  // namespace keiro::bench
