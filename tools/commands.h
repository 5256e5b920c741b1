#pragma once
// The command groups of keiro-tool.  Each takes the words after its group name, prints its
// result on stdout and returns the exit code; errors are thrown (UsageError → 2, others → 1).

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/places.h"

namespace keiro::tool {

using Words = std::vector<std::string>;

int runYear(const Words& words);
int runEra(const Words& words);
int runEntry(const Words& words);
int runCsv(const Words& words);
int runLog(const Words& words);
int runTables(const Words& words);
int runTax(const Words& words);
int runPremium(const Words& words);
int runLayout(const Words& words);
int runDemo(const Words& words);
int runCalc(const Words& words);
int runEmployees(const Words& words);
int runAttendance(const Words& words);
// employees import-resident-tax, in a file of its own.
int runResidentTaxImport(const Words& words);
int runPrint(const Words& words);
int runExport(const Words& words);
int runWithholding(const Words& words);
int runPostal(const Words& words);
int runSocial(const Words& words);
int runLabour(const Words& words);
int runReport(const Words& words);

class Args;
// The subcommands of `report`, each in a file of its own.
int runTaxPaymentReport(const Args& args);
int runResidentTaxReport(const Args& args);

// The installation's places, or those under --root DIR when it is given.
Places placesFromArgs(const Args& args);

// Prints JSON on one line (invalid UTF-8 from damaged files is replaced, never fatal).
void printJson(const nlohmann::ordered_json& value);

}  // namespace keiro::tool
