// keiro-tool withholding settle YEARFILE --period K [--root DIR] [--save]: the 過不足 of every
// employee whose year-end adjustment is calculated (status 計算済), annual tax less the tax
// withheld as the withholding file beside the year file holds them, written into the 年調過不足
// of period K (1..15) of the year file.  Without --save nothing is written and the same report
// tells what would be.  One JSON object:
// {"period":K,"saved":true|false,"employees":[{"slot","name","amount","netPayBefore",
//  "netPayAfter"}...],"notPaidInPeriod":[{"slot","name","amount"}...]} — slot and name as
// period K holds them, money in yen; notPaidInPeriod lists the calculated employees period K
// does not pay (not in it, or not 在職 there: a leaver, one on leave), left out of the writing.
// A settlement the writer refuses (period K never saved, the payroll program running on the data
// folder) exits 1 with the reason on stderr; a period outside 1..15 exits 2.
#include <optional>
#include <string>
#include <vector>

#include "core/year_end_settlement.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/withholding_print_commands.h"
#include "tools/withholding_settle_command.h"
#include "tools/write_lock.h"
#include "withholding/adjust/settlement_plan.h"

namespace keiro::tool {
namespace {

using namespace keiro::withholding;

constexpr int kDecember = 12;

nlohmann::ordered_json linesJson(const std::vector<SettlementLine>& lines) {
    auto out = nlohmann::ordered_json::array();
    for (const SettlementLine& line : lines) {
        out.push_back({{"slot", line.slot}, {"name", line.name}, {"amount", line.entry.amount}});
    }
    return out;
}

}  // namespace

int runWithholdingSettle(const Args& args) {
    args.expectOnly({"period", "root", "save"}, 2);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const bool save = args.flag("save");
    std::optional<WriteLock> lock;  // the pay of the period is rewritten
    if (save) lock.emplace(args.positional(1, "FILE"), "Keiro");
    const WithholdingYear opened(args);  // leavers placed in its December
    const SettlementPlan plan = planSettlement(opened.file, opened.view.block(kDecember),
                                               opened.view.block(period), opened.chosen);
    const std::vector<SettlementEntry> entries = entriesOf(plan.payable);
    const std::vector<SettledEmployee> settled =
        save ? settleYearEnd(opened.yearFile, period, entries)
             : previewYearEndSettlement(opened.yearFile, period, entries);
    auto employees = nlohmann::ordered_json::array();
    for (const SettledEmployee& s : settled) {
        employees.push_back({{"slot", s.slot},
                             {"name", s.name},
                             {"amount", s.amount},
                             {"netPayBefore", s.netPayBefore},
                             {"netPayAfter", s.netPayAfter}});
    }
    printJson({{"period", period},
               {"saved", save},
               {"employees", employees},
               {"notPaidInPeriod", linesJson(plan.notPaidInPeriod)}});
    return 0;
}

}  // namespace keiro::tool
