// The pay slips of 100 employees as a PDF, end to end as a clerk's script would get them:
// `keiro-tool print slips … --pdf`, including the start of the program and its fonts.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

class Company {
  public:
    Company() {
        const std::string demo = std::string(KEIRO_TOOL) + " demo --root " + quoted(root_) +
                                 " --date 2026-12-08 --employees 100 > /dev/null";
        ok_ = std::system(demo.c_str()) == 0;
    }
    ~Company() { fs::remove_all(root_); }

    bool ok() const { return ok_; }
    std::string printCommand(int formType) const {
        const fs::path file = root_ / "Vondel" / "Keiro" / "Data" / "令和08年給与･賞与.dat";
        return std::string(KEIRO_TOOL) + " print slips " + quoted(file) + " --period 11 --root " +
               quoted(root_) + " --form-type " + std::to_string(formType) + " --pdf " +
               quoted(root_ / "slips.pdf") + " > /dev/null 2>&1";
    }

  private:
    fs::path root_ =
        fs::temp_directory_path() / ("keiro-bench-pdf-" + std::to_string(std::random_device{}()));
    bool ok_ = false;
};

void BM_SlipPdfThroughKeiroTool(benchmark::State& state) {
    static const Company company;
    if (!company.ok()) {
        state.SkipWithError("the sample company could not be made");
        return;
    }
    const std::string command = company.printCommand(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("keiro-tool print slips failed");
            return;
        }
    }
}
// Form type 3 (row design, two a sheet) and 7 (grid design).
BENCHMARK(BM_SlipPdfThroughKeiroTool)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace
