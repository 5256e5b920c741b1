// tables build|check, tax salary|bonus, premium grade|employment.
#include <iostream>
#include <string>

#include "calc/bonus_tax.h"
#include "calc/data_csv.h"
#include "calc/premium_tables.h"
#include "calc/premiums.h"
#include "calc/tax_table_build.h"
#include "calc/tax_tables.h"
#include "core/fileio.h"
#include "core/places.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {
namespace {

using namespace keiro::calc;

// The published figures the program ships: the tables in force.
constexpr const char* kMonthlyCsv = "withholding_monthly_2026.csv";
constexpr const char* kMonthlyRulesCsv = "withholding_monthly_2026_rules.csv";
constexpr const char* kMonthlyParamsCsv = "withholding_monthly_params.csv";
constexpr const char* kMonthlyPeriod = "2026";
constexpr const char* kBonusCsv = "withholding_bonus_2026.csv";
constexpr const char* kGradesCsv = "health_grades.csv";
constexpr const char* kRatesCsv = "health_rates_2026.csv";

constexpr fs::perms kSharedFile =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;

DataCsv readCsv(const fs::path& folder, const char* name) {
    return DataCsv(readFile(folder / name), name);
}

void build(const fs::path& data, const fs::path& out) {
    createPrivateDirectories(out);
    const std::pair<std::string_view, std::string> files[] = {
        {kSalaryTaxTableFileName,
         buildSalaryTaxTable(readCsv(data, kMonthlyCsv), readCsv(data, kMonthlyRulesCsv),
                             readCsv(data, kMonthlyParamsCsv), kMonthlyPeriod)},
        {kBonusTaxTableFileName, buildBonusTaxTable(readCsv(data, kBonusCsv))},
        {kHealthGradeTableFileName, buildHealthGradeTable(readCsv(data, kGradesCsv))},
        {kHealthRateListFileName, buildPrefectureRateList(readCsv(data, kRatesCsv))},
    };
    for (const auto& [name, bytes] : files) writeFileAtomic(out / name, bytes, kSharedFile);
}

// Prints each table's summary and faults; false when any table is missing or faulty.
bool check(const fs::path& folder) {
    struct Checked {
        std::string_view name;
        std::vector<std::string> summary;
        std::vector<std::string> faults;
    };
    const auto run = [&](std::string_view name, auto checker) {
        const fs::path path = folder / name;
        if (!fs::exists(path)) return Checked{name, {}, {"missing"}};
        const auto result = checker(readFile(path));
        return Checked{name, result.summary, result.faults};
    };
    const Checked checks[] = {
        run(kSalaryTaxTableFileName, checkSalaryTaxTable),
        run(kBonusTaxTableFileName, checkBonusTaxTable),
        run(kHealthGradeTableFileName, checkHealthGradeTable),
        run(kHealthRateListFileName, checkPrefectureRateList),
    };
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

template <typename Table>
Table loadTable(const Args& args, std::string_view name) {
    return Table::fromFile(fs::path(args.required("tables")) / name);
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

// tax salary --tables DIR --amount A --column 0|1 --deps D [--rounding 0|2]
// tax bonus --tables DIR --prev P --bonus B --deps D --column 0|1 [--rounding 0|2]
//           [--divisor 6|12]   (the monthly-table method's divisor where the rate table may
//                               not be used; 12 for a bonus covering more than six months)
int runTax(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "salary") {
        args.expectOnly({"tables", "amount", "column", "deps", "rounding"}, 1);
        const auto table = loadTable<SalaryTaxTable>(args, kSalaryTaxTableFileName);
        std::cout << table.LookupSalaryTax(parseIntArgument(args.required("amount"), "--amount"),
                                           args.requiredInt("column", 0, 1),
                                           args.requiredInt("deps", 0, 99), roundingOption(args))
                  << '\n';
        return 0;
    }
    if (command == "bonus") {
        args.expectOnly({"tables", "prev", "bonus", "deps", "column", "rounding", "divisor"}, 1);
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

// premium grade --tables DIR --grade G --health R --nursing R --pension R --fund R
// premium employment --total T --rate R
int runPremium(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "grade") {
        args.expectOnly({"tables", "grade", "health", "nursing", "pension", "fund"}, 1);
        const auto table =
            HealthGradeTable::load(fs::path(args.required("tables")) / kHealthGradeTableFileName);
        const int grade = args.requiredInt("grade", 1, table.gradeCount());
        PeriodSettings rates{};
        rates.healthInsRate = parseDoubleArgument(args.required("health"), "--health");
        rates.nursingInsRate = parseDoubleArgument(args.required("nursing"), "--nursing");
        rates.pensionRate = parseDoubleArgument(args.required("pension"), "--pension");
        rates.pensionFundRate = parseDoubleArgument(args.required("fund"), "--fund");
        const MonthlyPremiums p = SetPremiumsFromGrade(table, grade, rates);
        printJson({{"health", p.health},
                   {"nursing", p.nursing},
                   {"pension", p.pension},
                   {"fund", p.pensionFund}});
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
