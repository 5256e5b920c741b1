#include "core/layouts.h"
#include "core/places.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {

namespace {

constexpr std::array<const char*, kBandCount> kBandNames{"attendance", "pay", "deduction", "other"};

nlohmann::ordered_json printTablesJson(const PrintTables& tables) {
    auto payForms = nlohmann::ordered_json::array();
    for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
        nlohmann::ordered_json form;
        form["payForm"] = payForm;
        for (int b = 0; b < kBandCount; ++b) {
            form[kBandNames[b]] = tables.rows(payForm, static_cast<Band>(b));
        }
        payForms.push_back(form);
    }
    return {{"kind", tables.kind == LayoutKind::Bonus ? "bonus" : "salary"},
            {"payForms", payForms}};
}

}  // namespace

// layout show [--root DIR] [--bonus]
int runLayout(const Words& words) {
    const Args args(words, {"bonus"});
    args.expectOnly({"root", "bonus"}, 1);
    if (args.positional(0, "command") != "show") throw UsageError("unknown layout command");
    const Places places = placesFromArgs(args);
    const LayoutKind kind = args.flag("bonus") ? LayoutKind::Bonus : LayoutKind::Salary;
    printJson(printTablesJson(buildPrintTables(loadLayout(IniFile(places.iniFile), kind))));
    return 0;
}

}  // namespace keiro::tool
