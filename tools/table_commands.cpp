// tables build|check, tax salary|bonus, premium grade|employment.
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "calc/bonus_tax.h"
#include "calc/payroll_tables.h"
#include "calc/premium_rates.h"
#include "calc/premium_tables.h"
#include "calc/premiums.h"
#include "calc/table_set_build.h"
#include "calc/tax_table_build.h"
#include "calc/tax_tables.h"
#include "core/fileio.h"
#include "core/places.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {
namespace {

using namespace keiro::calc;

constexpr fs::perms kSharedFile =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;

void build(const fs::path& data, const fs::path& out) {
    const std::vector<TableFile> files = buildTableFiles(data);
    for (const TableFile& file : files) {
        createPrivateDirectories((out / file.relative).parent_path());
        writeFileAtomic(out / file.relative, file.bytes, kSharedFile);
    }
}

// The files `tables check` looks at: the newest beside the programs, then every folder of
// "表データ" with the files it must hold (a year without a bonus table of its own has none).
std::vector<std::string> checkedFiles(const fs::path& folder) {
    std::vector<std::string> names = {
        std::string(kSalaryTaxTableFileName), std::string(kBonusTaxTableFileName),
        std::string(kHealthGradeTableFileName), std::string(kHealthRateListFileName),
        std::string(kPremiumRateFileName)};
    const fs::path years = folder / kYearTablesFolderName;
    std::vector<TableStart> starts;
    std::error_code error;
    for (fs::directory_iterator it(years, error), end; !error && it != end; it.increment(error)) {
        if (const auto start = TableStart::parse(it->path().filename().string())) {
            starts.push_back(*start);
        }
    }
    std::sort(starts.begin(), starts.end());
    if (starts.empty()) names.emplace_back(kYearTablesFolderName);  // reported missing
    for (const TableStart& start : starts) {
        for (const std::string_view name : tableFilesIn(years / start.folderName(), start)) {
            names.push_back(std::string(kYearTablesFolderName) + "/" + start.folderName() + "/" +
                            std::string(name));
        }
    }
    return names;
}

// Prints each table's summary and faults; false when any table is missing or faulty.
bool check(const fs::path& folder) {
    struct Checked {
        std::string name;
        std::vector<std::string> summary;
        std::vector<std::string> faults;
    };
    const auto run = [&](const std::string& name) {
        const fs::path path = folder / name;
        if (!fs::is_regular_file(path)) return Checked{name, {}, {"missing"}};
        const std::string bytes = readFile(path);
        const std::string file = path.filename().string();
        const TableCheck result = file == kSalaryTaxTableFileName     ? checkSalaryTaxTable(bytes)
                                  : file == kBonusTaxTableFileName    ? checkBonusTaxTable(bytes)
                                  : file == kHealthGradeTableFileName ? checkHealthGradeTable(bytes)
                                  : file == kPremiumRateFileName      ? checkPremiumRateFile(bytes)
                                                                 : checkPrefectureRateList(bytes);
        return Checked{name, result.summary, result.faults};
    };
    std::vector<Checked> checks;
    for (const std::string& name : checkedFiles(folder)) checks.push_back(run(name));
    bool ok = true;
    for (const Checked& c : checks) {
        std::cout << c.name << ": " << (c.faults.empty() ? "ok" : "FAULTY") << '\n';
        for (const std::string& line : c.summary) std::cout << "  " << line << '\n';
        for (const std::string& line : c.faults) std::cout << "  fault: " << line << '\n';
        ok = ok && c.faults.empty();
    }
    return ok;
}

// --rounding: the deduction-item rounding (0 切り捨て, 2 四捨五入).
YenRounding roundingOption(const Args& args) {
    RoundingSettings settings;
    if (const auto mode = args.option("rounding")) {
        const int code = parseIntArgument(*mode, "--rounding");
        if (code != 0 && code != 2) throw UsageError("--rounding must be 0 or 2");
        settings.deduction = roundingModeFromCode(code);
    }
    return YenRounding(settings);
}

// The table file `name` under --tables DIR; with --year Y the one the program would use for
// that year's pay (from DIR/表データ).
template <typename Table>
Table loadTable(const Args& args, std::string_view name) {
    const fs::path folder(args.required("tables"));
    const std::optional<std::string> year = args.option("year");
    if (!year) return Table::fromFile(folder / name);
    PayrollTables tables = loadPayrollTables(placesUnder(folder, folder));
    const TaxKind kind = name == kSalaryTaxTableFileName ? TaxKind::Salary : TaxKind::Bonus;
    const int calendarYear = parseIntArgument(*year, "--year");
    // The year's own tables damaged: no figure from another year's table in their place.
    if (tables.damagedYear(calendarYear)) {
        std::string problems;
        for (const std::string& p : tables.datedProblems) problems += "\n" + p;
        throw std::runtime_error(std::to_string(calendarYear) +
                                 "年の表データが壊れているか読めません。" + problems);
    }
    const TaxTables& chosen = tables.taxFor(calendarYear, kind).tables;
    const fs::path& path =
        name == kSalaryTaxTableFileName ? chosen.salary.path() : chosen.bonus.path();
    return Table::fromFile(path.empty() ? folder / name : path);
}

}  // namespace

// tables build --data DIR --out DIR | tables check DIR
int runTables(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "build") {
        args.expectOnly({"data", "out"}, 1);
        build(args.required("data"), args.required("out"));
        return 0;
    }
    if (command == "check") {
        args.expectOnly({}, 2);
        return check(args.positional(1, "DIR")) ? 0 : 1;
    }
    throw UsageError("unknown tables command " + command);
}

// tax salary --tables DIR --amount A --column 0|1 --deps D [--rounding 0|2] [--year Y]
// tax bonus --tables DIR --prev P --bonus B --deps D --column 0|1 [--rounding 0|2] [--year Y]
//           [--divisor 6|12]   (the monthly-table method's divisor where the rate table may
//                               not be used; 12 for a bonus covering more than six months)
int runTax(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "salary") {
        args.expectOnly({"tables", "amount", "column", "deps", "rounding", "year"}, 1);
        const auto table = loadTable<SalaryTaxTable>(args, kSalaryTaxTableFileName);
        std::cout << table.LookupSalaryTax(parseIntArgument(args.required("amount"), "--amount"),
                                           args.requiredInt("column", 0, 1),
                                           args.requiredInt("deps", 0, 99), roundingOption(args))
                  << '\n';
        return 0;
    }
    if (command == "bonus") {
        args.expectOnly(
            {"tables", "prev", "bonus", "deps", "column", "rounding", "year", "divisor"}, 1);
        const auto salary = loadTable<SalaryTaxTable>(args, kSalaryTaxTableFileName);
        const auto table = loadTable<BonusTaxTable>(args, kBonusTaxTableFileName);
        BonusTaxInput input;
        input.taxItemActive = true;
        input.previousMonthAmount = parseIntArgument(args.required("prev"), "--prev");
        input.bonusAmount = parseIntArgument(args.required("bonus"), "--bonus");
        input.dependents = args.requiredInt("deps", 0, 99);
        input.column = args.requiredInt("column", 0, 1);
        if (const auto divisor = args.option("divisor")) {
            input.months = parseIntArgument(*divisor, "--divisor");
            if (input.months != kBonusTaxMonths && input.months != kBonusTaxMonthsLong) {
                throw UsageError("--divisor must be 6 or 12");
            }
        }
        std::cout << BonusIncomeTax(input, salary, table, roundingOption(args)).tax << '\n';
        return 0;
    }
    throw UsageError("unknown tax command " + command);
}

// premium grade --tables DIR --grade G --health R --nursing R --pension R --fund R [--support R]
// ("support": the levy of an employee who pays no care premium)
// premium employment --total T --rate R
int runPremium(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "grade") {
        args.expectOnly({"tables", "grade", "health", "nursing", "pension", "fund", "support"}, 1);
        const auto table =
            HealthGradeTable::load(fs::path(args.required("tables")) / kHealthGradeTableFileName);
        const int grade = args.requiredInt("grade", 1, table.gradeCount());
        PeriodSettings rates{};
        rates.healthInsRate = parseDoubleArgument(args.required("health"), "--health");
        rates.nursingInsRate = parseDoubleArgument(args.required("nursing"), "--nursing");
        rates.pensionRate = parseDoubleArgument(args.required("pension"), "--pension");
        rates.pensionFundRate = parseDoubleArgument(args.required("fund"), "--fund");
        if (const std::optional<std::string> support = args.option("support")) {
            rates.supportRate = parseDoubleArgument(*support, "--support");
        }
        const MonthlyPremiums p = SetPremiumsFromGrade(table, grade, rates);
        printJson({{"health", p.health},
                   {"nursing", p.nursing},
                   {"pension", p.pension},
                   {"fund", p.pensionFund},
                   {"support", p.support}});
        return 0;
    }
    if (command == "employment") {
        args.expectOnly({"total", "rate"}, 1);
        std::cout << MonthlyEmploymentInsurance(
                         parseIntArgument(args.required("total"), "--total"),
                         parseDoubleArgument(args.required("rate"), "--rate"))
                  << '\n';
        return 0;
    }
    throw UsageError("unknown premium command " + command);
}

}  // namespace keiro::tool
