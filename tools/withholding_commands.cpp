// keiro-tool withholding info FILE: a withholding file as JSON.
// keiro-tool withholding calc YEARFILE --slot N [--root DIR] [--set KEY=VALUE ...]: the automatic
// year-end calculation of one employee, on the withholding file beside the year file (built in
// memory when there is none yet), with the record's inputs changed by the --set values first.
// Nothing is written.  One JSON object, money in yen:
// {"paid","withheld","socialInsurance","incomeAfterDeduction","totalDeductions","annualTax",
//  "difference","status"} — difference = annualTax − withheld of the record as it stands after the
// calculation, the 過不足税額 the documents print (negative: a refund), status = the record's
// adjustStatus (an employee who is not adjusted — 乙欄, pay above the limit, a leaver without an
// exception — has status 2 and annualTax = withheld, so difference 0).  The 100-yen rounding of
// the tax follows the setting HasuuCut of the configuration file (of --root DIR when given; on
// when missing).
//
// keiro-tool withholding calc-all YEARFILE [--root DIR] [--save]: the same calculation for
// every employee of December (一括計算), leavers placed from earlier periods included:
// {"employees":[{"slot","name","status","annualTax","withheld","difference","refusal"}...],
//  "summary":{"calculated","notAdjusted","refused"}} — refusal is null unless the slot was
// refused (its record then stays as it was).  --save writes the withholding file (atomically,
// owner-only); without it nothing is written.
//
// info:
// {"file", "currentFormat", "header": {"address1","address2","phone"},
//  "records": [{"slot", ...the record's fields under its own names...}]}
// The record format (1500 or 500 bytes) follows from the file's name, as the program decides
// it.  A slot is listed when any byte of its record is set (the withholding file alone does not
// say which slots the year file uses).  Fields of the larger records only are left out for
// legacy files; `incomeEstimate` is null when no estimate was entered, and the figures the
// calculation stores for the documents (spouseAmountGiven, housingLoanUsed, flatCut…) are null
// until a calculation stored them.  Family entries carry "relationship", "nonResidentReason"
// and "birth" ("YYYY-MM-DD" or null); the 1500-byte records add "otherDeclaredSocial",
// "earthquakePremium" and the slot's supplement: "specificRelatives", "previousEmployers",
// "moreDependants", "moreUnder16".
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/ini.h"
#include "core/year_view.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/withholding_inputs.h"
#include "tools/withholding_settle_command.h"
#include "tools/write_lock.h"
#include "withholding/adjust/automatic_calculation.h"
#include "withholding/adjust/batch_calculation.h"
#include "withholding/model/family_ages.h"
#include "withholding/model/names.h"
#include "withholding/model/opening.h"
#include "withholding/model/withholding_file.h"

namespace keiro::tool {
namespace {

using nlohmann::ordered_json;
using namespace keiro::withholding;

template <typename Record>
bool isOccupied(const Record& record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    return std::any_of(bytes, bytes + sizeof record, [](unsigned char b) { return b != 0; });
}

template <typename Array>
ordered_json numbers(const Array& values) {
    auto out = ordered_json::array();
    for (const auto& value : values) out.push_back(+value);
    return out;
}

template <typename Texts>
ordered_json texts(const Texts& values) {
    auto out = ordered_json::array();
    for (const auto& value : values) out.push_back(value.utf8());
    return out;
}

ordered_json flagsJson(const PersonFlags& f) {
    return {{"minor", +f.minor},
            {"secondaryColumn", +f.secondaryColumn},
            {"disabledSpecial", +f.disabledSpecial},
            {"disabledOther", +f.disabledOther},
            {"widow", +f.widow},
            {"widowSpecial", +f.widowSpecial},
            {"widower", +f.widower},
            {"workingStudent", +f.workingStudent},
            {"retiredByDeath", +f.retiredByDeath},
            {"disasterVictim", +f.disasterVictim},
            {"foreigner", +f.foreigner}};
}

ordered_json dateJson(const EraDateBytes& d) {
    return {+d.era, +d.year, +d.month, +d.day};
}

// "YYYY-MM-DD", or null when no valid date is entered.
ordered_json calendarDateJson(const CalendarDateBytes& bytes) {
    const std::optional<CalendarDate> date = calendarDateOf(bytes);
    if (!date) return nullptr;
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year, date->month, date->day);
    return text;
}

ordered_json familyJson(const FamilyEntry& entry) {
    return {
        {"furigana", entry.furigana.utf8()},        {"name", entry.name.utf8()},
        {"myNumber", std::int64_t{entry.myNumber}}, {"nonResident", +entry.nonResident},
        {"relationship", +entry.relationship},      {"nonResidentReason", +entry.nonResidentReason},
        {"birth", calendarDateJson(entry.birth)}};
}

// The slot's supplement: 特定親族, previous employers, dependants from the fifth on.
void addSupplementJson(ordered_json& out, const WithholdingSupplement& s) {
    auto relatives = ordered_json::array();
    for (const SpecificRelative& r : s.specificRelatives) {
        relatives.push_back({{"name", r.name.utf8()},
                             {"furigana", r.furigana.utf8()},
                             {"birth", calendarDateJson(r.birth)},
                             {"myNumber", std::int64_t{r.myNumber}}});
    }
    out["specificRelatives"] = relatives;
    auto previous = ordered_json::array();
    for (const PreviousEmployer& p : s.previousEmployers) {
        previous.push_back({{"payerName", p.payerName.utf8()},
                            {"payerAddress", p.payerAddress.utf8()},
                            {"leftOn", calendarDateJson(p.leftOn)},
                            {"pay", +p.pay},
                            {"tax", +p.tax},
                            {"socialInsurance", +p.socialInsurance}});
    }
    out["previousEmployers"] = previous;
    const auto more = [](const MoreDependant(&list)[5]) {
        auto out = ordered_json::array();
        for (const MoreDependant& m : list) {
            out.push_back({{"name", m.name.utf8()},
                           {"birth", calendarDateJson(m.birth)},
                           {"relationship", +m.relationship},
                           {"nonResident", +m.nonResident}});
        }
        return out;
    };
    out["moreDependants"] = more(s.moreDependants);
    out["moreUnder16"] = more(s.moreUnder16);
}

// The fields both formats have.
template <typename Record>
ordered_json commonJson(int slot, const Record& r) {
    const DependantCounts& d = r.dependants;
    const JoinLeaveBirth& j = r.joinLeaveBirth;
    return {
        {"slot", slot},
        {"postalCode", r.postalCode.utf8()},
        {"address1", r.address1.utf8()},
        {"address2", r.address2.utf8()},
        {"recipientNumber", r.recipientNumber.utf8()},
        {"position", r.position.utf8()},
        {"furigana", r.furigana.utf8()},
        {"paid", +r.paid},
        {"withheld", +r.withheld},
        {"incomeAfterDeduction", +r.incomeAfterDeduction},
        {"totalDeductions", +r.totalDeductions},
        {"annualTax", +r.annualTax},
        {"spouseElderly", +r.spouseElderly},
        {"spouseSpecial", +r.spouseSpecial},
        {"spouseIncome", +r.spouseIncome},
        {"dependants",
         {+d.specific, +d.specificSecondary, +d.elderlyLivingTogether, +d.elderly,
          +d.elderlySecondary, +d.general, +d.generalSecondary}},
        {"under16", +r.under16},
        {"disabled", {+r.disabled.specialLivingTogether, +r.disabled.special, +r.disabled.other}},
        {"socialInsurance", +r.socialInsurance},
        {"lifeInsurance", +r.lifeInsurance},
        {"earthquakeInsurance", +r.earthquakeInsurance},
        {"housingLoanCredit", +r.housingLoanCredit},
        {"lifeNew", +r.lifeNew},
        {"lifeOld", +r.lifeOld},
        {"medicalCare", +r.medicalCare},
        {"pensionNew", +r.pensionNew},
        {"pensionOld", +r.pensionOld},
        {"housingLoanAvailable", +r.housingLoanAvailable},
        {"nationalPension", +r.nationalPension},
        {"oldLongTermInsurance", +r.oldLongTermInsurance},
        {"smallBusinessMutualAid", +r.smallBusinessMutualAid},
        {"remarks", texts(r.remarks)},
        {"flags", flagsJson(r.flags)},
        {"joined", +j.joined},
        {"left", +j.left},
        {"changeDate", {+j.changeYear, +j.changeMonth, +j.changeDay}},
        {"birth", dateJson(j.birth)},
        {"manualFlags", numbers(r.manualFlags)},
        {"adjustStatus", +r.adjustStatus}};
}

ordered_json recordJson(int slot, const WithholdingRecord& r, const WithholdingSupplement& s) {
    ordered_json out = commonJson(slot, r);
    out["spouseDeductible"] = +r.spouseDeductible;
    out["spouseSecondary"] = +r.spouseSecondary;
    out["nonResidentRelatives"] = +r.nonResidentRelatives;
    out["housingLoanCount"] = +r.housingLoanCount;
    out["residenceStart"] = {dateJson(r.residenceStart[0]), dateJson(r.residenceStart[1])};
    out["housingLoanKind"] = numbers(r.housingLoanKind);
    out["housingLoanSpecific"] = numbers(r.housingLoanSpecific);
    out["housingLoanBalance"] = numbers(r.housingLoanBalance);
    out["spouse"] = familyJson(r.spouse);
    auto dependants = ordered_json::array();
    for (const FamilyEntry& entry : r.dependantEntries) dependants.push_back(familyJson(entry));
    out["dependantEntries"] = dependants;
    auto under16 = ordered_json::array();
    for (const FamilyEntry& entry : r.under16Entries) under16.push_back(familyJson(entry));
    out["under16Entries"] = under16;
    out["moreDependantNumbers"] = texts(r.moreDependantNumbers);
    out["moreUnder16Numbers"] = texts(r.moreUnder16Numbers);
    out["incomeEstimate"] =
        r.incomeEstimateEntered == 1 ? ordered_json(+r.incomeEstimate) : ordered_json(nullptr);
    out["singleParent"] = +r.singleParent;
    out["specificRelativeIncome"] = numbers(r.specificRelativeIncome);
    out["leaveException"] = +r.leaveException;
    out["leaverRecordId"] = r.leaverRecordId.utf8();
    // What the last calculation gave the documents; null when it never stored them.
    const auto figure = [&r](std::int32_t value) {
        return r.figuresStored == 1 ? ordered_json(value) : ordered_json(nullptr);
    };
    out["spouseAmountGiven"] = figure(r.spouseAmountGiven);
    out["housingLoanUsed"] = figure(r.housingLoanUsed);
    out["flatCutApplied"] = figure(r.flatCutApplied);
    out["flatCutNotApplied"] = figure(r.flatCutNotApplied);
    out["flatCutSpouseNotDeductible"] = figure(r.flatCutSpouseNotDeductible);
    out["otherDeclaredSocial"] = +r.otherDeclaredSocial;
    out["earthquakePremium"] = +r.earthquakePremium;
    addSupplementJson(out, s);
    return out;
}

ordered_json recordJson(int slot, const LegacyWithholdingRecord& r) {
    ordered_json out = commonJson(slot, r);
    out["spouseFlags"] = numbers(r.spouseFlags);
    out["residenceStart"] = {dateJson(r.residenceStart)};
    return out;
}

void info(const std::string& path) {
    const EraNames names = eraNamesFor(todayInJapan(), "");
    const bool current = isCurrentFormat(path, names.earlier);
    const WithholdingFile file = WithholdingFile::load(path, current);
    const WithholdingHeader& header = file.header();
    auto records = ordered_json::array();
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (current && isOccupied(file.record(slot))) {
            records.push_back(recordJson(slot, file.record(slot), file.supplement(slot)));
        } else if (!current && isOccupied(file.legacyRecord(slot))) {
            records.push_back(recordJson(slot, file.legacyRecord(slot)));
        }
    }
    printJson({{"file", path},
               {"currentFormat", current},
               {"header",
                {{"address1", header.address1.utf8()},
                 {"address2", header.address2.utf8()},
                 {"phone", header.phone.utf8()}}},
               {"records", records}});
}

constexpr int kDecember = 12;

// Takes every "--set KEY=VALUE" out of the words (an option keeps only one value otherwise).
std::vector<std::string> takeSetValues(Words& words) {
    std::vector<std::string> values;
    for (std::size_t i = 0; i < words.size() && words[i] != "--";) {
        if (words[i] != "--set") {
            ++i;
            continue;
        }
        if (i + 1 >= words.size()) throw UsageError("--set needs a value");
        values.push_back(words[i + 1]);
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(i),
                    words.begin() + static_cast<std::ptrdiff_t>(i + 2));
    }
    return values;
}

void setInputs(WithholdingFile& file, int slot, const std::vector<std::string>& values,
               const InputYear& year) {
    for (const std::string& value : values) {
        if (file.currentFormat()) {
            setRecordInput(file.record(slot), file.supplement(slot), value, year);
        } else {
            setRecordInput(file.legacyRecord(slot), value, year);
        }
    }
}

// The year file named on the command line with its withholding data, as KeiroLG opens them
// (leavers placed, the file built in memory when there is none yet).
struct OpenedYear {
    bool roundTaxTo100 = true;
    InputYear dataYear;
    WithholdingPaths paths;
    std::optional<YearView> year;
    std::optional<WithholdingFile> file;
};

// Everything but the two files; `checkInputs` runs first on an empty record so that wrong
// --set values are refused before any file is read.
OpenedYear prepare(const Args& args, const std::function<void(OpenedYear&)>& checkInputs) {
    const std::filesystem::path yearFile = args.positional(1, "YEARFILE");
    const std::optional<EraYear> fileYear = parseYearFileName(yearFile.filename().string());
    if (!fileYear) {
        throw std::runtime_error("データファイル名から年号と年を読み取れません: " +
                                 yearFile.filename().string());
    }
    const IniFile ini(placesFromArgs(args).iniFile);
    const EraNames names = eraNamesFor(todayInJapan(), ini.readString("Option", "SinGengou"));
    OpenedYear opened;
    opened.roundTaxTo100 = ini.readBool("Option", "HasuuCut", true);
    opened.dataYear = {calendarYearOf(*fileYear, names), fileYear->eraYear};
    opened.paths = withholdingPathsFor(yearFile, *fileYear, names);
    checkInputs(opened);
    opened.year.emplace(yearFile);
    opened.file = openWithholdingFile(*opened.year, opened.paths);
    if (!opened.file) throw std::runtime_error("12月分の給与が入力されていません。");
    return opened;
}

template <typename Record>
ordered_json calcJson(const Record& r) {
    return {{"paid", r.paid},
            {"withheld", r.withheld},
            {"socialInsurance", r.socialInsurance},
            {"incomeAfterDeduction", r.incomeAfterDeduction},
            {"totalDeductions", r.totalDeductions},
            {"annualTax", r.annualTax},
            {"difference", std::int64_t{r.annualTax} - r.withheld},
            {"status", +r.adjustStatus}};
}

void calc(const Args& args, const std::vector<std::string>& setValues) {
    const int slot = args.requiredInt("slot", 1, kMaxEmployees);
    OpenedYear opened = prepare(args, [&](OpenedYear& o) {
        WithholdingFile scratch(o.paths.currentFormat);
        setInputs(scratch, slot, setValues, o.dataYear);
    });
    WithholdingFile& file = *opened.file;
    if (!opened.year->block(kDecember).employee(slot).isUsed()) {
        throw UsageError("--slot: no employee in slot " + std::to_string(slot));
    }
    setInputs(file, slot, setValues, opened.dataYear);
    calculateSlot(file, slot, *opened.year, opened.dataYear.calendarYear, opened.roundTaxTo100);
    printJson(file.currentFormat() ? calcJson(file.record(slot))
                                   : calcJson(file.legacyRecord(slot)));
}

void calcAll(const Args& args) {
    std::optional<WriteLock> lock;
    if (args.flag("save")) lock.emplace(args.positional(1, "YEARFILE"), "KeiroLG");
    OpenedYear opened = prepare(args, [](OpenedYear&) {});
    const YearView& year = *opened.year;
    const BatchResult batch = calculateAll(*opened.file, year, occupiedSlots(year),
                                           opened.dataYear.calendarYear, opened.roundTaxTo100);
    auto employees = ordered_json::array();
    for (const SlotOutcome& o : batch.outcomes) {
        employees.push_back(
            {{"slot", o.slot},
             {"name", year.block(kDecember).employee(o.slot).name.utf8()},
             {"status", static_cast<int>(o.status)},
             {"annualTax", o.annualTax},
             {"withheld", o.withheld},
             {"difference", o.difference},
             {"refusal", o.refusal.empty() ? ordered_json(nullptr) : ordered_json(o.refusal)}});
    }
    if (args.flag("save")) opened.file->save(opened.paths.file);
    printJson({{"employees", employees},
               {"summary",
                {{"calculated", batch.calculated},
                 {"notAdjusted", batch.notAdjusted},
                 {"refused", batch.refused}}}});
}

}  // namespace

// withholding info FILE | withholding calc YEARFILE --slot N [--root DIR] [--set KEY=VALUE ...]
// | withholding calc-all YEARFILE [--root DIR] [--save]
int runWithholding(const Words& words) {
    Words rest = words;
    const std::vector<std::string> setValues = takeSetValues(rest);
    const Args args(rest, {"save"});
    const std::string& command = args.positional(0, "command");
    if (command == "info") {
        if (!setValues.empty()) throw UsageError("unknown option --set");
        args.expectOnly({}, 2);
        info(args.positional(1, "FILE"));
    } else if (command == "calc") {
        args.expectOnly({"slot", "root"}, 2);
        calc(args, setValues);
    } else if (command == "calc-all") {
        if (!setValues.empty()) throw UsageError("unknown option --set");
        args.expectOnly({"root", "save"}, 2);
        calcAll(args);
    } else if (command == "settle") {
        if (!setValues.empty()) throw UsageError("unknown option --set");
        return runWithholdingSettle(args);
    } else {
        throw UsageError("unknown withholding command");
    }
    return 0;
}

}  // namespace keiro::tool
