// The withholding slips of 100 employees as a PDF through `keiro-tool print withholding`, the
// withholding file built in memory from the year as on first opening; the target is under a
// second for the whole run, the program's start included.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/tool_company.h"

namespace {

using keiro::bench::quoted;
using keiro::bench::ToolCompany;

void BM_WithholdingSlipsPdf(benchmark::State& state) {
    // In January the sample company's last year has its December saved.
    static const ToolCompany company("2027-01-15", 100);
    if (!company.ok()) {
        state.SkipWithError("the sample company could not be made");
        return;
    }
    const std::string command = company.command(
        "print withholding " + quoted(company.dataFile("令和08年給与･賞与.dat")) + " --kind " +
        std::to_string(state.range(0)) + " --pdf " + quoted(company.root() / "documents.pdf"));
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("keiro-tool print withholding failed");
            return;
        }
    }
}
// Slips (kind 1) and payment reports (kind 5): one sheet of two copies each; notices (kind 2).
BENCHMARK(BM_WithholdingSlipsPdf)->Arg(1)->Arg(5)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
