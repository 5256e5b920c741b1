// demo --root DIR [--date YYYY-MM-DD] [--employees N] and
// calc period FILE --period K [--root DIR] [--save].
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "calc/pay_calc.h"
#include "core/era.h"
#include "core/places.h"
#include "core/yearfile.h"
#include "sample/recalculator.h"
#include "sample/sample_company.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/saved_year.h"
#include "tools/write_lock.h"

namespace keiro::tool {
namespace {

namespace fs = std::filesystem;
using std::chrono::year_month_day;

constexpr int kFirstOtherPayItem = 20;  // その他１ of the payment record

nlohmann::ordered_json slotResults(const YearData& year, const sample::Recalculator& recalculator,
                                   const std::vector<int>& byMonthlyTable) {
    const bool bonus = isBonusPeriod(year.period());
    const calc::FormItemTable forms(recalculator.activeItems(bonus), bonus);
    auto out = nlohmann::ordered_json::array();
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& e = year.block().employee(slot);
        if (!e.isUsed()) continue;
        const PaymentRecord& p = year.block().payments[slot - 1];
        const DeductionRecord& d = year.block().deductions[slot - 1];
        const std::array<bool, 3>& others = forms.of(e.payForm).other;
        std::int64_t otherTotal = 0;
        for (int k = 0; k < 3; ++k) otherTotal += others[k] ? p.amount(kFirstOtherPayItem + k) : 0;
        const bool monthlyTable =
            std::find(byMonthlyTable.begin(), byMonthlyTable.end(), slot) != byMonthlyTable.end();
        out.push_back({{"slot", slot},
                       {"name", e.name.utf8()},
                       {"payTotal", p.payTotal},
                       {"taxablePayTotal", p.taxablePayTotal},
                       {"socialInsTotal", d.socialInsTotal},
                       {"payAfterSocialIns", d.payAfterSocialIns},
                       {"incomeTax", d.incomeTax},
                       {"residentTax", d.residentTaxAmount},
                       {"deductionTotal", d.deductionTotal},
                       {"otherTotal", otherTotal},
                       {"net", calc::netPay(p, d, others)},
                       // No bonus tax needs hand entry any more: where the rate table may not
                       // be used the tax is worked by the monthly-table method.
                       {"manualTaxNeeded", false},
                       {"taxByMonthlyTable", monthlyTable},
                       {"support", d.supportAmount}});
    }
    return out;
}

void calcPeriod(const fs::path& file, int period, const Places& places, bool save) {
    const std::optional<EraYear> fileYear = parseYearFileName(file.filename().string());
    if (!fileYear) {
        throw std::runtime_error("データファイル名から年号と年を読み取れません: " +
                                 file.filename().string());
    }
    std::error_code error;
    if (!fs::is_directory(places.settingsFolder, error)) {
        throw std::runtime_error("設定フォルダーがありません: " + places.settingsFolder.string());
    }
    const YearFileHeader header = readYearFileHeader(file);
    if (!header.isSaved(period)) {
        throw std::runtime_error("指定された給与/賞与のデータは保存されていません: " +
                                 std::to_string(period));
    }
    calc::PayrollTables tables = calc::loadPayrollTables(places);
    if (!tables.complete()) throw std::runtime_error(std::string(kMsgTablesMissing));

    const IniFile ini(places.iniFile);
    const year_month_day today = todayInJapan();
    const sample::Recalculator recalculator(ini, tables, static_cast<int>(today.year()));
    YearData year;
    year.setFile(file, fileYear->eraName, fileYear->eraYear,
                 eraNamesFor(today, recalculator.settings().newEraName));
    year.openPeriod(period, storedEntry(file, period, header), nullptr);
    const std::vector<int> byMonthlyTable = recalculator.recalculate(year);
    printJson(slotResults(year, recalculator, byMonthlyTable));
    if (save) year.savePeriod();
}

}  // namespace

// demo --root DIR [--date YYYY-MM-DD] [--employees N]
int runDemo(const Words& words) {
    const Args args(words);
    args.expectOnly({"root", "date", "employees"}, 0);
    const fs::path root = args.required("root");
    const std::optional<std::string> date = args.option("date");
    const int employees = args.option("employees") ? args.requiredInt("employees", 1, kMaxEmployees)
                                                   : sample::kSampleEmployees;
    const sample::SampleFiles files = sample::createSampleCompany(
        root, date ? parseDateArgument(*date, "--date") : todayInJapan(), executableFolder(),
        employees);
    auto yearFiles = nlohmann::ordered_json::array();
    for (const fs::path& path : files.yearFiles) yearFiles.push_back(path.string());
    printJson({{"settingsFolder", files.places.settingsFolder.string()},
               {"iniFile", files.places.iniFile.string()},
               {"yearFiles", yearFiles}});
    return 0;
}

// calc period FILE --period K [--root DIR] [--save]
int runCalc(const Words& words) {
    const Args args(words, {"save"});
    if (args.positional(0, "command") != "period") throw UsageError("unknown calc command");
    args.expectOnly({"period", "root", "save"}, 2);
    std::optional<WriteLock> lock;
    if (args.flag("save")) lock.emplace(args.positional(1, "FILE"), "Keiro");
    calcPeriod(args.positional(1, "FILE"), args.requiredInt("period", 1, kPeriodCount),
               placesFromArgs(args), args.flag("save"));
    return 0;
}

}  // namespace keiro::tool
