// keiro-tool withholding settle YEARFILE --period K [--root DIR] [--save]: the 過不足 of every
// employee whose year-end adjustment is calculated (status 計算済), annual tax less the tax
// withheld as the withholding file beside the year file holds them, written into the 年調過不足
// of period K (1..15) of the year file.  Without --save nothing is written and the same report
// tells what would be.  One JSON object:
// {"period":K,"saved":true|false,"employees":[{"slot","name","amount","netPayBefore",
//  "netPayAfter"}...]} — slot and name as period K holds them, money in yen.
// A settlement the writer refuses (period K never saved, the payroll program running on the data
// folder, an employee not at work in period K) exits 1 with the reason on stderr; a period
// outside 1..15 exits 2.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/ini.h"
#include "core/year_end_settlement.h"
#include "core/year_view.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/withholding_settle_command.h"
#include "withholding/model/opening.h"
#include "withholding/model/withholding_file.h"

namespace keiro::tool {
namespace {

using namespace keiro::withholding;

constexpr int kDecember = 12;

// The employee of a withholding slot: December's employee of that slot, or the leaver the
// record names when the payroll removed the row.
std::string recordIdOf(const YearView& year, const WithholdingFile& file, int slot) {
    const EmployeeRecord& e = year.block(kDecember).employee(slot);
    if (e.isUsed()) return e.recordId.utf8();
    return file.currentFormat() ? file.record(slot).leaverRecordId.utf8() : std::string();
}

template <typename Record>
std::optional<SettlementEntry> entryOf(const Record& r, std::string recordId) {
    if (r.adjustStatus != kCalculated || recordId.empty()) return std::nullopt;
    return SettlementEntry{std::move(recordId), std::int64_t{r.annualTax} - r.withheld};
}

std::vector<SettlementEntry> calculatedEntries(const YearView& year, const WithholdingFile& file) {
    std::vector<SettlementEntry> entries;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        std::string id = recordIdOf(year, file, slot);
        const std::optional<SettlementEntry> entry =
            file.currentFormat() ? entryOf(file.record(slot), std::move(id))
                                 : entryOf(file.legacyRecord(slot), std::move(id));
        if (entry) entries.push_back(*entry);
    }
    return entries;
}

}  // namespace

int runWithholdingSettle(const Args& args) {
    args.expectOnly({"period", "root", "save"}, 2);
    const std::filesystem::path yearFile = args.positional(1, "YEARFILE");
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const bool save = args.flag("save");
    const std::optional<EraYear> fileYear = parseYearFileName(yearFile.filename().string());
    if (!fileYear) {
        throw std::runtime_error("データファイル名から年号と年を読み取れません: " +
                                 yearFile.filename().string());
    }
    const IniFile ini(placesFromArgs(args).iniFile);
    const EraNames names = eraNamesFor(todayInJapan(), ini.readString("Option", "SinGengou"));
    YearView year(yearFile);  // opening the withholding file places leavers in it
    const std::optional<WithholdingFile> file =
        openWithholdingFile(year, withholdingPathsFor(yearFile, *fileYear, names));
    if (!file) throw std::runtime_error("12月分の給与が入力されていません。");

    const std::vector<SettlementEntry> entries = calculatedEntries(year, *file);
    const std::vector<SettledEmployee> settled =
        save ? settleYearEnd(yearFile, period, entries)
             : previewYearEndSettlement(yearFile, period, entries);
    auto employees = nlohmann::ordered_json::array();
    for (const SettledEmployee& s : settled) {
        employees.push_back({{"slot", s.slot},
                             {"name", s.name},
                             {"amount", s.amount},
                             {"netPayBefore", s.netPayBefore},
                             {"netPayAfter", s.netPayAfter}});
    }
    printJson({{"period", period}, {"saved", save}, {"employees", employees}});
    return 0;
}

}  // namespace keiro::tool
