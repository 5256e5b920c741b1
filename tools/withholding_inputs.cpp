#include "tools/withholding_inputs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "tools/args.h"
#include "withholding/model/family_ages.h"

namespace keiro::tool {
namespace {

using namespace keiro::withholding;

constexpr std::int64_t kMaxYen = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMaxCount = 99;  // the editor's count boxes take two digits

struct InputKey {
    std::string_view name;
    std::int64_t max;  // the least value is 0 for every key
    void (*current)(WithholdingRecord&, std::int32_t);
    void (*legacy)(LegacyWithholdingRecord&, std::int32_t);  // nullptr: no such input there
};

std::uint8_t byte(std::int32_t value) {
    return static_cast<std::uint8_t>(value);
}

// A key both formats have, set by the same code on either record.
template <typename Set>
constexpr InputKey both(std::string_view name, std::int64_t max, Set) {
    return {name, max, [](WithholdingRecord& r, std::int32_t v) { Set{}(r, v); },
            [](LegacyWithholdingRecord& r, std::int32_t v) { Set{}(r, v); }};
}

// A key of the 1500-byte records only.
template <typename Set>
constexpr InputKey currentOnly(std::string_view name, std::int64_t max, Set) {
    return {name, max, [](WithholdingRecord& r, std::int32_t v) { Set{}(r, v); }, nullptr};
}

// An automatic amount typed in: the amount, and the item's hand-entry flag.
template <int Item, typename Set>
constexpr InputKey manual(std::string_view name, Set) {
    return both(name, kMaxYen, [](auto& r, std::int32_t v) {
        Set{}(r, v);
        r.manualFlags[Item - 1] = 1;
    });
}

template <int Index>
constexpr InputKey specificRelative(std::string_view name) {
    return currentOnly(name, kMaxYen,
                       [](auto& r, std::int32_t v) { r.specificRelativeIncome[Index] = v; });
}

// clang-format off
constexpr std::array kKeys{
    // Dependants and the disabled among them.
    both("specificDependants", kMaxCount, [](auto& r, std::int32_t v) { r.dependants.specific = byte(v); }),
    both("specificSecondary", kMaxCount, [](auto& r, std::int32_t v) { r.dependants.specificSecondary = byte(v); }),
    both("elderlyDependants", kMaxCount, [](auto& r, std::int32_t v) { r.dependants.elderly = byte(v); }),
    both("cohabitingParents", kMaxCount, [](auto& r, std::int32_t v) { r.dependants.elderlyLivingTogether = byte(v); }),
    both("elderlySecondary", kMaxCount, [](auto& r, std::int32_t v) { r.dependants.elderlySecondary = byte(v); }),
    both("generalDependants", kMaxCount, [](auto& r, std::int32_t v) { r.dependants.general = byte(v); }),
    both("generalSecondary", kMaxCount, [](auto& r, std::int32_t v) { r.dependants.generalSecondary = byte(v); }),
    both("under16", kMaxCount, [](auto& r, std::int32_t v) { r.under16 = byte(v); }),
    both("specialDisabled", kMaxCount, [](auto& r, std::int32_t v) { r.disabled.special = byte(v); }),
    both("cohabitingSpecialDisabled", kMaxCount, [](auto& r, std::int32_t v) { r.disabled.specialLivingTogether = byte(v); }),
    both("otherDisabled", kMaxCount, [](auto& r, std::int32_t v) { r.disabled.other = byte(v); }),
    currentOnly("nonResidentRelatives", kMaxCount, [](auto& r, std::int32_t v) { r.nonResidentRelatives = byte(v); }),
    // The spouse.
    InputKey{"spouse", 1,
     [](WithholdingRecord& r, std::int32_t v) { r.spouseDeductible = byte(v); },
     [](LegacyWithholdingRecord& r, std::int32_t v) {
         r.spouseFlags[LegacyWithholdingRecord::kSpouseYes] = byte(v);
         r.spouseFlags[LegacyWithholdingRecord::kSpouseNo] = byte(1 - v);
     }},
    both("spouseElderly", 1, [](auto& r, std::int32_t v) { r.spouseElderly = byte(v); }),
    both("spouseIncome", kMaxYen, [](auto& r, std::int32_t v) { r.spouseIncome = v; }),
    // The employee.
    both("widow", 2, [](auto& r, std::int32_t v) {
        r.flags.widow = byte(v == 1);
        r.flags.widowSpecial = byte(v == 2);
    }),
    both("widower", 1, [](auto& r, std::int32_t v) { r.flags.widower = byte(v); }),
    both("workingStudent", 1, [](auto& r, std::int32_t v) { r.flags.workingStudent = byte(v); }),
    both("selfDisabled", 2, [](auto& r, std::int32_t v) {
        r.flags.disabledOther = byte(v == 1);
        r.flags.disabledSpecial = byte(v == 2);
    }),
    both("otsu", 1, [](auto& r, std::int32_t v) { r.flags.secondaryColumn = byte(v); }),
    both("left", 1, [](auto& r, std::int32_t v) { r.joinLeaveBirth.left = byte(v); }),
    currentOnly("singleParent", 1, [](auto& r, std::int32_t v) { r.singleParent = byte(v); }),
    currentOnly("incomeEstimate", kMaxYen, [](auto& r, std::int32_t v) {
        r.incomeEstimate = v;
        r.incomeEstimateEntered = 1;
    }),
    specificRelative<0>("specificRelativeIncome1"),
    specificRelative<1>("specificRelativeIncome2"),
    specificRelative<2>("specificRelativeIncome3"),
    specificRelative<3>("specificRelativeIncome4"),
    // Deductions declared as amounts, and the premiums.
    both("lifeInsurance", kMaxYen, [](auto& r, std::int32_t v) { r.lifeInsurance = v; }),
    both("earthquakeInsurance", kMaxYen, [](auto& r, std::int32_t v) { r.earthquakeInsurance = v; }),
    both("lifeNew", kMaxYen, [](auto& r, std::int32_t v) { r.lifeNew = v; }),
    both("lifeOld", kMaxYen, [](auto& r, std::int32_t v) { r.lifeOld = v; }),
    both("medicalCare", kMaxYen, [](auto& r, std::int32_t v) { r.medicalCare = v; }),
    both("pensionNew", kMaxYen, [](auto& r, std::int32_t v) { r.pensionNew = v; }),
    both("pensionOld", kMaxYen, [](auto& r, std::int32_t v) { r.pensionOld = v; }),
    both("nationalPension", kMaxYen, [](auto& r, std::int32_t v) { r.nationalPension = v; }),
    currentOnly("otherSocial", kMaxYen, [](auto& r, std::int32_t v) { r.otherDeclaredSocial = v; }),
    currentOnly("earthquakePremium", kMaxYen, [](auto& r, std::int32_t v) { r.earthquakePremium = v; }),
    both("oldLongTermPremium", kMaxYen, [](auto& r, std::int32_t v) { r.oldLongTermInsurance = v; }),
    currentOnly("spouseNonResident", 1, [](auto& r, std::int32_t v) { r.spouse.nonResident = byte(v); }),
    both("housingLoanCredit", kMaxYen, [](auto& r, std::int32_t v) { r.housingLoanCredit = v; }),
    currentOnly("smallBusinessMutualAid", kMaxYen, [](auto& r, std::int32_t v) { r.smallBusinessMutualAid = v; }),
    // The automatic amounts, typed in.
    manual<kManualPaid>("paid", [](auto& r, std::int32_t v) { r.paid = v; }),
    manual<kManualIncomeAfterDeduction>("incomeAfterDeduction", [](auto& r, std::int32_t v) { r.incomeAfterDeduction = v; }),
    manual<kManualTotalDeductions>("totalDeductions", [](auto& r, std::int32_t v) { r.totalDeductions = v; }),
    manual<kManualAnnualTax>("annualTax", [](auto& r, std::int32_t v) { r.annualTax = v; }),
    manual<kManualSpouseSpecial>("spouseSpecial", [](auto& r, std::int32_t v) { r.spouseSpecial = v; }),
    manual<kManualSocialInsurance>("socialInsurance", [](auto& r, std::int32_t v) { r.socialInsurance = v; }),
    manual<kManualWithheld>("withheld", [](auto& r, std::int32_t v) { r.withheld = v; }),
};
// clang-format on

// The names of leftReason, in the order of LeaveException.
constexpr std::array<std::string_view, 5> kLeaveReasons{"none", "death", "disability", "december",
                                                        "parttime"};

std::pair<std::string_view, std::string_view> split(std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        throw UsageError("--set needs KEY=VALUE: " + std::string(assignment));
    }
    return {assignment.substr(0, equals), assignment.substr(equals + 1)};
}

// leftDate=YYYY-MM-DD, a date of the data year, into the record's date of leaving.
template <typename Record>
void setLeftDate(Record& r, std::string_view text, const InputYear& year) {
    const std::chrono::year_month_day date = parseDateArgument(std::string(text), "--set leftDate");
    if (int(date.year()) != year.calendarYear) {
        throw UsageError("--set leftDate: a date of " + std::to_string(year.calendarYear) +
                         ", not " + std::string(text));
    }
    r.joinLeaveBirth.changeYear = byte(year.eraYear);
    r.joinLeaveBirth.changeMonth = byte(static_cast<std::int32_t>(unsigned(date.month())));
    r.joinLeaveBirth.changeDay = byte(static_cast<std::int32_t>(unsigned(date.day())));
}

void setLeftReason(WithholdingRecord& r, std::string_view text) {
    const auto found = std::find(kLeaveReasons.begin(), kLeaveReasons.end(), text);
    if (found == kLeaveReasons.end()) {
        throw UsageError("--set leftReason: none, death, disability, december or parttime, not " +
                         std::string(text));
    }
    r.leaveException = byte(static_cast<std::int32_t>(found - kLeaveReasons.begin()));
}

// The names of …Relation, in the order of FamilyRelationship, and of …Reason, in the order of
// NonResidentReason.
constexpr std::array<std::string_view, 11> kRelations{
    "none",        "husband",    "wife",    "child", "parent", "spouseParent",
    "grandparent", "grandchild", "sibling", "other", "foster"};
constexpr std::array<std::string_view, 5> kReasons{"notStated", "student", "disabled", "supported",
                                                   "none"};

template <std::size_t N>
std::uint8_t indexOfName(const std::array<std::string_view, N>& names, std::string_view text,
                         const std::string& key) {
    const auto found = std::find(names.begin(), names.end(), text);
    if (found == names.end()) {
        std::string list;
        for (std::string_view name : names) list += (list.empty() ? "" : ", ") + std::string(name);
        throw UsageError("--set " + key + ": one of " + list + ", not " + std::string(text));
    }
    return static_cast<std::uint8_t>(found - names.begin());
}

// A family member's key: spouse…, dependant1… .. dependant4…, under16_1… .. under16_4…, with
// the rest of the key after it; nothing when the key names no family member.
struct FamilyKey {
    FamilyEntry* entry = nullptr;
    std::string_view field;
    bool spouse = false;
};

FamilyKey familyKeyOf(WithholdingRecord& r, std::string_view name) {
    const auto numbered = [&](std::string_view prefix, FamilyEntry* entries) -> FamilyKey {
        if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) return {};
        const char digit = name[prefix.size()];
        if (digit < '1' || digit > '4') return {};
        return {&entries[digit - '1'], name.substr(prefix.size() + 1), false};
    };
    if (name.substr(0, 6) == "spouse") return {&r.spouse, name.substr(6), true};
    if (FamilyKey key = numbered("dependant", r.dependantEntries); key.entry) return key;
    return numbered("under16_", r.under16Entries);
}

// …Birth=YYYY-MM-DD (or none), …Relation=NAME, dependantN/under16_N…NonResident=0|1 and
// …Reason=NAME; false when the key is not one of these.
bool setFamilyInput(WithholdingRecord& r, std::string_view name, std::string_view text,
                    const InputYear& year) {
    const FamilyKey key = familyKeyOf(r, name);
    if (key.entry == nullptr) return false;
    const std::string what(name);
    if (key.field == "Birth") {
        if (text == "none") {
            key.entry->birth = {};
            return true;
        }
        const std::chrono::year_month_day date =
            parseDateArgument(std::string(text), "--set " + what);
        const int y = int(date.year());
        if (y < 1900 || y > year.calendarYear) {
            throw UsageError("--set " + what + ": a date from 1900 to " +
                             std::to_string(year.calendarYear) + ", not " + std::string(text));
        }
        key.entry->birth = calendarDateBytes(y, static_cast<int>(unsigned(date.month())),
                                             static_cast<int>(unsigned(date.day())));
        return true;
    }
    if (key.field == "Relation") {
        key.entry->relationship = indexOfName(kRelations, text, what);
        return true;
    }
    if (key.spouse) return false;
    if (key.field == "NonResident") {
        if (text != "0" && text != "1")
            throw UsageError("--set " + what + ": 0 or 1, not " + std::string(text));
        key.entry->nonResident = static_cast<std::uint8_t>(text == "1");
        return true;
    }
    if (key.field == "Reason") {
        key.entry->nonResidentReason = indexOfName(kReasons, text, what);
        return true;
    }
    return false;
}

// A whole number 0..max, or UsageError naming the key.
std::int32_t wholeNumber(std::string_view name, std::string_view text, std::int64_t max) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max) {
        throw UsageError("--set " + std::string(name) + ": the value must be a whole number 0.." +
                         std::to_string(max) + ", not " + std::string(text));
    }
    return static_cast<std::int32_t>(value);
}

// prevPay, prevTax, prevSocial: the first previous employer's amounts; false for other keys.
bool setPreviousEmployerInput(WithholdingSupplement& supplement, std::string_view name,
                              std::string_view text) {
    if (name != "prevPay" && name != "prevTax" && name != "prevSocial") return false;
    // The fields are packed: assigned by name, never through a pointer.
    PreviousEmployer& previous = supplement.previousEmployers[0];
    const std::int32_t yen = wholeNumber(name, text, kMaxYen);
    if (name == "prevPay") previous.pay = yen;
    if (name == "prevTax") previous.tax = yen;
    if (name == "prevSocial") previous.socialInsurance = yen;
    return true;
}

struct Parsed {
    const InputKey& key;
    std::int32_t value;
};

Parsed parse(std::string_view assignment) {
    const auto [name, text] = split(assignment);
    const std::string_view wanted = name;  // a structured binding is not captured by older clang
    const auto key = std::find_if(kKeys.begin(), kKeys.end(),
                                  [wanted](const InputKey& k) { return k.name == wanted; });
    if (key == kKeys.end()) throw UsageError("--set: unknown key " + std::string(name));
    return {*key, wholeNumber(name, text, key->max)};
}

}  // namespace

void setRecordInput(WithholdingRecord& record, WithholdingSupplement& supplement,
                    std::string_view assignment, const InputYear& year) {
    const auto [name, text] = split(assignment);
    if (name == "leftDate") return setLeftDate(record, text, year);
    if (name == "leftReason") return setLeftReason(record, text);
    if (setFamilyInput(record, name, text, year)) return;
    if (setPreviousEmployerInput(supplement, name, text)) return;
    const Parsed parsed = parse(assignment);
    parsed.key.current(record, parsed.value);
}

void setRecordInput(LegacyWithholdingRecord& record, std::string_view assignment,
                    const InputYear& year) {
    const auto [name, text] = split(assignment);
    if (name == "leftDate") return setLeftDate(record, text, year);
    if (name == "leftReason") {
        throw UsageError(
            "--set leftReason: the records of the years before 平成28 have no such input");
    }
    const Parsed parsed = parse(assignment);
    if (parsed.key.legacy == nullptr) {
        throw UsageError("--set " + std::string(parsed.key.name) +
                         ": the records of the years before 平成28 have no such input");
    }
    parsed.key.legacy(record, parsed.value);
}

}  // namespace keiro::tool
