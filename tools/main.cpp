// keiro-tool: the libraries' command line.  Usage: keiro-tool GROUP COMMAND [ARGS].
#include <cstdio>
#include <exception>
#include <functional>
#include <iostream>
#include <map>
#include <string>

#include "core/text.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/withholding_print_commands.h"
#include "tools/write_lock.h"

namespace keiro::tool {

void printJson(const nlohmann::ordered_json& value) {
    std::cout << value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
}

Places placesFromArgs(const Args& args) {
    const std::optional<std::string> root = args.option("root");
    return root ? placesUnder(*root, executableFolder()) : placesFromEnvironment();
}

// The withholding documents print beside the payroll reports.
int runPrintCommands(const Words& words) {
    if (!words.empty() && words.front() == "withholding") return runPrintWithholding(words);
    if (!words.empty() && words.front() == "withholding-list")
        return runPrintWithholdingList(words);
    return runPrint(words);
}

}  // namespace keiro::tool

namespace {

constexpr const char* kUsage =
    "usage: keiro-tool GROUP COMMAND [ARGS]\n"
    "  year create FILE | year info FILE | year dump FILE --period K\n"
    "  year opening FILE --slot N [--period K] [--set KEY=VALUE,...]\n"
    "  era filename --date YYYY-MM-DD [--new-era NAME]\n"
    "  entry parse-number TEXT | entry validate --code N TEXT | entry format-hours --style 0|1 "
    "VALUE\n"
    "  csv split LINE\n"
    "  log export --data DIR OUT.csv\n"
    "  tables build --data DIR --out DIR | tables check DIR\n"
    "  tax salary --tables DIR --amount A --column 0|1 --deps D [--rounding 0|2] [--year Y]\n"
    "  tax bonus --tables DIR --prev P --bonus B --deps D --column 0|1 [--rounding 0|2] [--year "
    "Y]\n"
    "            [--divisor 6|12]\n"
    "  premium grade --tables DIR --grade G --health R --nursing R --pension R --fund R\n"
    "                [--support R]\n"
    "  premium employment --total T --rate R\n"
    "  layout show [--root DIR] [--bonus]\n"
    "  demo --root DIR [--date YYYY-MM-DD] [--employees N]\n"
    "  calc period FILE --period K [--root DIR] [--save]\n"
    "  employees export FILE --period K OUT.csv\n"
    "  employees import-resident-tax FILE IN.csv [--period K] [--save]\n"
    "  attendance import FILE --period K IN.csv [--save]\n"
    "  print slips FILE --period K [--root DIR] [--form-type N] [--slots 1,2,...]\n"
    "              (--pdf OUT.pdf | --jpeg DIR | --pdf-per-employee DIR [--encrypt "
    "[--reissue-notice]])\n"
    "  print ledger|list|transfer|denomination|roster FILE --period K [--root DIR]\n"
    "              [--method 0|1|2] [--all] [--slots 1,2,...] --pdf OUT.pdf\n"
    "  print withholding YEARFILE --kind 1|2|5 [--slots 1,2,...] [--include-unprocessed]\n"
    "              [--root DIR] --pdf OUT.pdf\n"
    "  print withholding-list YEARFILE [--root DIR] [--slots 1,2,...] --pdf OUT.pdf\n"
    "  export list FILE --period K [--root DIR] [--method 0|1|2] OUT.csv\n"
    "  export ledger FILE --slots 1,2,... [--root DIR] --out DIR BASE.csv\n"
    "  export zengin FILE --period K [--root DIR] [--date YYYY-MM-DD] OUT.txt\n"
    "  export withholding-list YEARFILE [--root DIR] [--slots 1,2,...] OUT.csv\n"
    "  withholding info FILE\n"
    "  withholding calc YEARFILE --slot N [--root DIR] [--set KEY=VALUE ...]\n"
    "  withholding calc-all YEARFILE [--root DIR] [--save]\n"
    "  withholding settle YEARFILE --period K [--root DIR] [--save]\n"
    "  postal lookup --data DIR CODE | postal import KEN_ALL.CSV --out YubinNo.dat\n"
    "  social santei|getsuhen YEARFILE [--root DIR]\n"
    "  social bonus YEARFILE --period K [--root DIR]\n"
    "  labour totals --root DIR --fiscal-year Y [--estimate-paid YEN]\n"
    "      [--expected-accident YEN] [--expected-employment YEN]\n"
    "  report tax-payment FILE (--month M | --half 1|2) [--root DIR] (--pdf OUT | --csv OUT)\n"
    "  report resident-tax FILE --period K [--root DIR] (--pdf OUT | --csv OUT)\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace keiro::tool;
    const std::map<std::string, std::function<int(const Words&)>> groups = {
        {"year", runYear},
        {"era", runEra},
        {"entry", runEntry},
        {"csv", runCsv},
        {"log", runLog},
        {"tables", runTables},
        {"tax", runTax},
        {"premium", runPremium},
        {"layout", runLayout},
        {"demo", runDemo},
        {"calc", runCalc},
        {"employees", runEmployees},
        {"attendance", runAttendance},
        {"print", runPrintCommands},
        {"export", runExport},
        {"withholding", runWithholding},
        {"postal", runPostal},
        {"social", runSocial},
        {"labour", runLabour},
        {"report", runReport}};
    if (argc < 2 || groups.count(argv[1]) == 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        return groups.at(argv[1])(Words(argv + 2, argv + argc));
    } catch (const UsageError& e) {
        std::cerr << "keiro-tool: " << e.what() << '\n' << kUsage;
        return 2;
    } catch (const keiro::tool::LockHeldError& e) {
        std::cerr << "keiro-tool: " << e.what() << '\n';
        return 3;
    } catch (const std::exception& e) {
        std::cerr << "keiro-tool: " << e.what() << '\n';
        return 1;
    }
}
