// Postal codes at the size of Japan Post's full list (about 124,000 lines): a lookup in
// YubinNo.dat, which runs when the clerk presses Enter in the postal-code box and must feel
// instant even for the last code of the file, and the conversion of the whole list.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/fileio.h"
#include "core/text.h"
#include "withholding/postal/ken_all.h"
#include "withholding/postal/postal_file.h"

namespace keiro::withholding {
namespace {

namespace fs = std::filesystem;

constexpr int kLines = 124000;

std::string code(int i) {
    std::string digits = std::to_string(1000000 + i * 73);
    return digits.substr(digits.size() - 7);
}

// The list as Japan Post publishes it, in code page 932.
const std::string& kenAll() {
    static const std::string csv = [] {
        std::string utf8;
        for (int i = 0; i < kLines; ++i) {
            utf8 += "13101,\"100  \",\"" + code(i) +
                    "\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田" +
                    std::to_string(i % 50) + "丁目\",0,0,0,0,0,0\r\n";
        }
        return text::toCp932(utf8);
    }();
    return csv;
}

// A data folder holding the full YubinNo.dat, removed when the program ends.
class FullData {
  public:
    FullData()
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-postal-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(folder_);
        writeFileAtomic(postalFilePath(folder_), postalFileText(convertKenAll(kenAll()).entries));
    }
    ~FullData() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const fs::path& folder() const { return folder_; }

  private:
    fs::path folder_;
};

void BM_LookupLastCode(benchmark::State& state) {
    static const FullData data;
    const std::string last = code(kLines - 1);
    const std::string box = last.substr(0, 3) + "-" + last.substr(3);
    for (auto _ : state) benchmark::DoNotOptimize(addressForPostalCode(data.folder(), box));
}
BENCHMARK(BM_LookupLastCode)->Unit(benchmark::kMillisecond);

void BM_LookupMissingCode(benchmark::State& state) {
    static const FullData data;
    for (auto _ : state) benchmark::DoNotOptimize(addressForPostalCode(data.folder(), "999-9999"));
}
BENCHMARK(BM_LookupMissingCode)->Unit(benchmark::kMillisecond);

void BM_ConvertFullList(benchmark::State& state) {
    const std::string& csv = kenAll();
    for (auto _ : state) benchmark::DoNotOptimize(postalFileText(convertKenAll(csv).entries));
}
BENCHMARK(BM_ConvertFullList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keiro::withholding
