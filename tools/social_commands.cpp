// social santei|getsuhen|bonus and labour totals: the yearly social-insurance figures of stored
// pay, as JSON.
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

#include "calc/payroll_tables.h"
#include "calc/social_year.h"
#include "core/era.h"
#include "core/ini.h"
#include "core/settings.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

struct Context {
    Places places;
    Settings settings;
    EraNames names;
    calc::PayrollTables tables;
};

Context contextOf(const Args& args) {
    Context c{placesFromArgs(args), {}, {}, {}};
    c.settings = loadSettings(IniFile(c.places.iniFile));
    c.names = eraNamesFor(todayInJapan(), c.settings.newEraName);
    c.tables = calc::loadPayrollTables(c.places);
    return c;
}

int calendarYearOfFile(const fs::path& file, const EraNames& names) {
    const std::optional<EraYear> year = parseYearFileName(file.filename().string());
    if (!year) {
        throw std::runtime_error("データファイル名から年号と年を読み取れません: " +
                                 file.filename().string());
    }
    return calendarYearOf(*year, names);
}

const calc::HealthGradeTable& gradesOf(const Context& c, int calendarYear) {
    // The grades decided in July apply from September: that month's table.
    const calc::HealthGradeTable* table = c.tables.gradesFor(calendarYear, 9);
    if (!table) throw std::runtime_error(std::string(kMsgTablesMissing));
    return *table;
}

std::string yearMonth(int yyyymm) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", yyyymm / 100, yyyymm % 100);
    return text;
}

std::string date(int yyyymmdd) {
    return yearMonth(yyyymmdd / 100) + "-" + (yyyymmdd % 100 < 10 ? "0" : "") +
           std::to_string(yyyymmdd % 100);
}

Json monthsJson(const std::array<calc::SanteiMonth, 3>& months,
                const std::array<bool, 3>& counted) {
    Json out = Json::array();
    for (std::size_t i = 0; i < 3; ++i) {
        out.push_back({{"month", months[i].month},
                       {"days", months[i].paid ? Json(months[i].days) : Json()},
                       {"pay", months[i].paid ? Json(months[i].pay) : Json()},
                       {"counted", counted[i]}});
    }
    return out;
}

Json gradeOrNull(bool set, int grade) {
    return set && grade > 0 ? Json(grade) : Json();
}

void santei(const fs::path& file, const Context& c) {
    const YearView view(file);
    const int year = calendarYearOfFile(file, c.names);
    calc::SocialYear social{view, year, gradesOf(c, year), c.settings.fixedPayFlags};
    const calc::NeighbourYears neighbours =
        calc::neighbourYearsOf(file.parent_path(), c.names, year);
    neighbours.lendTo(social);
    Json out = Json::array();
    for (const calc::SanteiLine& line : calc::santeiOfYear(social)) {
        const bool reported = line.excluded == calc::SanteiExclusion::None;
        const bool decided = reported && !line.result.keepPrevious;
        out.push_back({{"slot", line.slot},
                       {"name", line.name},
                       {"months", monthsJson(line.months, line.result.counted)},
                       {"total", decided ? Json(line.result.total) : Json()},
                       {"average", decided ? Json(line.result.average) : Json()},
                       {"adjustedAverage",
                        decided && line.result.adjusted > 0 ? Json(line.result.adjusted) : Json()},
                       {"healthGrade", gradeOrNull(reported, line.result.grades.health)},
                       {"pensionGrade", gradeOrNull(reported, line.result.grades.pension)},
                       {"previousHealthGrade", gradeOrNull(true, line.previous.health)},
                       {"excluded", reported ? Json() : Json(calc::exclusionText(line.excluded))},
                       {"raiseMonth", line.raiseMonth > 0 ? Json(line.raiseMonth) : Json()},
                       {"raiseDirection", line.raiseMonth > 0 ? Json(line.raiseDirection) : Json()},
                       {"backPay", line.backPay},
                       {"backPayMonth", line.backPayMonth > 0 ? Json(line.backPayMonth) : Json()},
                       {"over70", line.over70},
                       {"revisionExpected", line.revisionExpected},
                       {"annualAverage", line.annualAverage},
                       {"onLeave", line.onLeave},
                       {"insuredSince", line.insuredSince > 0 ? Json(line.insuredSince) : Json()}});
    }
    printJson(out);
}

void getsuhen(const fs::path& file, const Context& c) {
    const YearView view(file);
    const int year = calendarYearOfFile(file, c.names);
    const calc::HealthGradeTable& grades = gradesOf(c, year);
    calc::SocialYear social{view, year, grades, c.settings.fixedPayFlags};
    const calc::NeighbourYears neighbours =
        calc::neighbourYearsOf(file.parent_path(), c.names, year);
    neighbours.lendTo(social);
    Json out = Json::array();
    for (const calc::RevisionLine& line :
         calc::revisionsOfYear(social, calc::gradesFromMonth(c.tables, grades))) {
        out.push_back(
            {{"slot", line.slot},
             {"name", line.name},
             {"changeMonth", yearMonth(line.changeMonth)},
             {"appliesFrom", yearMonth(line.appliesFrom)},
             {"direction", line.direction > 0 ? "up" : "down"},
             {"average", line.result.average},
             {"healthGrade", gradeOrNull(line.result.health, line.result.grades.health)},
             {"pensionGrade", gradeOrNull(line.result.pension, line.result.grades.pension)},
             {"previousHealthGrade", gradeOrNull(true, line.previous.health)},
             {"previousPensionGrade", gradeOrNull(true, line.previous.pension)},
             {"remuneration", line.result.remuneration},
             {"backPay", line.backPay},
             {"backPayMonth", line.backPayMonth > 0 ? Json(yearMonth(line.backPayMonth)) : Json()},
             {"enteredAdjusted", line.enteredAdjusted > 0 ? Json(line.enteredAdjusted) : Json()},
             {"over70", line.over70}});
    }
    printJson(out);
}

void bonus(const fs::path& file, int period, const Context& c) {
    const YearView view(file);
    const std::optional<EraYear> era = parseYearFileName(file.filename().string());
    const int year = calendarYearOfFile(file, c.names);
    const std::optional<YearView> previous = YearView::ifExists(
        file.parent_path() / previousYearFileName(era->eraName, era->eraYear, c.names));
    const calc::SocialYear social{view, year, gradesOf(c, year), c.settings.fixedPayFlags};
    std::vector<calc::BonusLine> lines;
    try {
        lines = calc::bonusReportOf(social, previous, period);
    } catch (const std::invalid_argument&) {
        throw UsageError("--period には支給済みの賞与 (13..15) を指定してください");
    }
    Json employees = Json::array();
    for (const calc::BonusLine& line : lines) {
        employees.push_back({{"slot", line.slot},
                             {"name", line.name},
                             {"payDate", date(line.figures.date)},
                             {"bonus", line.figures.paid},
                             {"standardBonus", line.figures.standard},
                             {"healthBase", line.figures.healthBase},
                             {"healthYearTotal", line.figures.healthYearTotal},
                             {"pensionBase", line.figures.pensionBase},
                             {"over70", line.over70},
                             {"premiumExempt", line.premiumExempt}});
    }
    printJson({{"period", period}, {"employees", employees}});
}

Json cellJson(const calc::LabourCell& cell) {
    return {{"count", cell.count}, {"wage", cell.wage}};
}

Json rowJson(const calc::LabourRow& row) {
    return {{"label", row.label},
            {"missing", row.missing},
            {"regular", cellJson(row.regular)},
            {"director", cellJson(row.director)},
            {"temporary", cellJson(row.temporary)},
            {"accidentTotal", cellJson(row.accidentTotal)},
            {"insured", cellJson(row.insured)},
            {"insuredDirector", cellJson(row.insuredDirector)},
            {"employmentTotal", cellJson(row.employmentTotal)}};
}

Json estimateJson(const std::optional<calc::LabourEstimate>& e,
                  const std::optional<calc::LabourRates>& rates) {
    if (!e || !rates) return Json();
    return {{"accidentBase", e->accidentBase},
            {"employmentBase", e->employmentBase},
            {"accidentRate", rates->accident},
            {"employmentRate", rates->employment},
            {"accidentPremium", e->accidentPremium},
            {"employmentPremium", e->employmentPremium},
            {"total", e->total()}};
}

Json settlementJson(const calc::LabourRenewal& r) {
    if (!r.settlement) return Json();
    const calc::LabourSettlement& s = *r.settlement;
    return {{"confirmed", s.confirmed},
            {"paidEstimate", s.paid},
            {"shortfall", s.shortfall},
            {"surplus", s.surplus},
            {"credited", s.credited},
            {"refund", s.refund},
            {"payment", r.nextEstimate ? Json(s.payment) : Json()}};
}

void labourTotals(int fiscalYear, const calc::LabourRenewalInputs& inputs, const Context& c) {
    const std::optional<calc::LabourRates> rates = calc::labourRatesOf(fiscalYear, c.settings);
    if (!rates) {
        throw std::runtime_error("この年度の雇用保険料率がありません: " +
                                 std::to_string(fiscalYear));
    }
    const calc::LabourRenewal renewal =
        calc::labourRenewalOf(c.places.dataFolder, c.names, fiscalYear, c.settings, *rates, inputs);
    const calc::LabourTotals& t = renewal.confirmed;
    Json rows = Json::array();
    for (const calc::LabourRow& row : t.rows) rows.push_back(rowJson(row));
    printJson({{"fiscalYear", fiscalYear},
               {"rows", rows},
               {"total", rowJson(t.total)},
               {"accidentBase", t.accidentBase},
               {"employmentBase", t.employmentBase},
               {"accidentRate", rates->accident},
               {"employmentRate", rates->employment},
               {"accidentPremium", t.accidentPremium},
               {"employmentPremium", t.employmentPremium},
               {"levy", t.levy},
               {"accidentHeadcount", t.accidentHeadcount},
               {"employmentHeadcount", t.employmentHeadcount},
               {"missingMonths", t.missingMonths},
               {"nextEstimate", estimateJson(renewal.nextEstimate, renewal.nextRates)},
               {"settlement", settlementJson(renewal)}});
}

}  // namespace

// social santei YEARFILE [--root DIR] | social getsuhen YEARFILE [--root DIR]
// social bonus YEARFILE --period K [--root DIR]
int runSocial(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "santei" || command == "getsuhen") {
        args.expectOnly({"root"}, 2);
        const Context c = contextOf(args);
        const fs::path file = args.positional(1, "YEARFILE");
        command == "santei" ? santei(file, c) : getsuhen(file, c);
    } else if (command == "bonus") {
        args.expectOnly({"root", "period"}, 2);
        const int period = args.requiredInt("period", kFirstBonusPeriod, kPeriodCount);
        bonus(args.positional(1, "YEARFILE"), period, contextOf(args));
    } else {
        throw UsageError("unknown social command: " + command);
    }
    return 0;
}

// labour totals --root DIR --fiscal-year Y [--estimate-paid YEN]
//     [--expected-accident YEN] [--expected-employment YEN]
int runLabour(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command != "totals") throw UsageError("unknown labour command: " + command);
    args.expectOnly(
        {"root", "fiscal-year", "estimate-paid", "expected-accident", "expected-employment"}, 1);
    (void)args.required("root");
    calc::LabourRenewalInputs inputs;
    const auto amount = [&args](const char* name) -> std::optional<std::int64_t> {
        if (!args.option(name)) return std::nullopt;
        return args.requiredInt(name, 0, 999'999'999);
    };
    inputs.paidEstimate = amount("estimate-paid");
    inputs.expectedAccident = amount("expected-accident");
    inputs.expectedEmployment = amount("expected-employment");
    labourTotals(args.requiredInt("fiscal-year", 1989, 2200), inputs, contextOf(args));
    return 0;
}

}  // namespace keiro::tool
