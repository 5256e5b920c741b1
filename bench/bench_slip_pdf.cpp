// The pay slips of 100 employees as a PDF, end to end as a clerk's script would get them:
// `keiro-tool print slips … --pdf`, including the start of the program and its fonts.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/tool_company.h"

namespace {

using keiro::bench::quoted;
using keiro::bench::ToolCompany;

void BM_SlipPdfThroughKeiroTool(benchmark::State& state) {
    static const ToolCompany company("2026-12-08", 100);
    if (!company.ok()) {
        state.SkipWithError("the sample company could not be made");
        return;
    }
    const std::string command =
        company.command("print slips " + quoted(company.dataFile("令和08年給与･賞与.dat")) +
                        " --period 11 --form-type " + std::to_string(state.range(0)) + " --pdf " +
                        quoted(company.root() / "slips.pdf"));
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
