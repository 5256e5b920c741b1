#include "withholding/model/family_ages.h"

#include <chrono>

namespace keiro::withholding {
namespace {

constexpr int kNonResidentRuleFrom = 2023;

bool hasDate(const CalendarDateBytes& birth) {
    return birth.yearSince1900 != 0 || birth.month != 0 || birth.day != 0;
}

bool entered(const FamilyEntry& entry) {
    return !entry.name.empty() || !entry.furigana.empty() || entry.myNumber != 0 ||
           hasDate(entry.birth);
}

bool entered(const MoreDependant& more) {
    return !more.name.empty() || hasDate(more.birth);
}

// Adds one dependant to the counts; false when the birth date is missing.
bool countDependant(DerivedFamilyCounts& counts, const CalendarDateBytes& birth, bool nonResident,
                    std::uint8_t reason, int dataYear) {
    const std::optional<int> age = ageAtYearEnd(birth, dataYear);
    if (!age) return false;
    if (!dependantCounts(*age, nonResident, reason, dataYear)) return true;
    switch (ageClassOf(*age)) {
        case AgeClass::Under16:
            ++counts.under16;
            break;
        case AgeClass::Specific:
            ++counts.specific;
            break;
        case AgeClass::Elderly:
            ++counts.elderly;
            break;
        default:
            ++counts.general;
            break;
    }
    if (nonResident) ++counts.nonResident;
    if (*age < 23) counts.dependantUnder23 = true;
    if (*age >= 16 && *age <= 22) counts.dependantAged16To22 = true;
    return true;
}

}  // namespace

std::optional<CalendarDate> calendarDateOf(const CalendarDateBytes& bytes) {
    const std::chrono::year_month_day date{std::chrono::year{1900 + bytes.yearSince1900},
                                           std::chrono::month{bytes.month},
                                           std::chrono::day{bytes.day}};
    if (bytes.yearSince1900 == 0 && bytes.month == 0 && bytes.day == 0) return std::nullopt;
    if (!date.ok()) return std::nullopt;
    return CalendarDate{1900 + bytes.yearSince1900, bytes.month, bytes.day};
}

CalendarDateBytes calendarDateBytes(int year, int month, int day) {
    if (year < 1900 || year > 1900 + 255) return {};
    return {static_cast<std::uint8_t>(year - 1900), static_cast<std::uint8_t>(month),
            static_cast<std::uint8_t>(day)};
}

std::optional<int> ageAtYearEnd(const CalendarDateBytes& birth, int dataYear) {
    const std::optional<CalendarDate> date = calendarDateOf(birth);
    if (!date || date->year > dataYear) return std::nullopt;
    // Born on 1 January of year B: N is reached by 31 December of Y when B ≤ Y − N + 1.
    // Born later in year B: when B + 1 ≤ Y − N + 1.
    const bool bornFirstOfJanuary = date->month == 1 && date->day == 1;
    return dataYear - date->year + (bornFirstOfJanuary ? 1 : 0);
}

AgeClass ageClassOf(int age) {
    if (age < 16) return AgeClass::Under16;
    if (age >= 19 && age <= 22) return AgeClass::Specific;
    if (age >= 70) return AgeClass::Elderly;
    return AgeClass::General;
}

AgeClass ageClassAtYearEnd(const CalendarDateBytes& birth, int dataYear) {
    const std::optional<int> age = ageAtYearEnd(birth, dataYear);
    return age ? ageClassOf(*age) : AgeClass::NotEntered;
}

bool dependantCounts(int age, bool nonResident, std::uint8_t nonResidentReason, int dataYear) {
    if (!nonResident || dataYear < kNonResidentRuleFrom || age < 30 || age >= 70) return true;
    return nonResidentReason != kNonResidentNoReason;
}

DerivedFamilyCounts deriveFamilyCounts(const WithholdingRecord& record,
                                       const WithholdingSupplement& supplement, int dataYear) {
    DerivedFamilyCounts counts;
    bool anyDate = false;
    bool allDated = true;
    auto add = [&](const CalendarDateBytes& birth, bool nonResident, std::uint8_t reason) {
        const bool dated = countDependant(counts, birth, nonResident, reason, dataYear);
        anyDate = anyDate || dated;
        allDated = allDated && dated;
    };
    for (const FamilyEntry& entry : record.dependantEntries) {
        if (entered(entry)) add(entry.birth, entry.nonResident != 0, entry.nonResidentReason);
    }
    for (const FamilyEntry& entry : record.under16Entries) {
        if (entered(entry)) add(entry.birth, entry.nonResident != 0, entry.nonResidentReason);
    }
    // The fifth and later dependants have no reason of their own: a non-resident aged 30 to
    // 69 among them counts as one whose reason is not stated.
    for (const MoreDependant& more : supplement.moreDependants) {
        if (entered(more)) add(more.birth, more.nonResident != 0, kNonResidentNotStated);
    }
    for (const MoreDependant& more : supplement.moreUnder16) {
        if (entered(more)) add(more.birth, more.nonResident != 0, kNonResidentNotStated);
    }
    const std::optional<int> spouseAge = ageAtYearEnd(record.spouse.birth, dataYear);
    counts.spouseAgeKnown = spouseAge.has_value();
    counts.spouseElderly = spouseAge && *spouseAge >= 70;
    counts.complete = anyDate && allDated;
    if (!counts.complete) {
        // The counts stay typed; a dated dependant under 23 is still known to be one.
        counts.general = counts.specific = counts.elderly = counts.under16 = 0;
        counts.nonResident = 0;
    }
    return counts;
}

FamilyCountConflict typedCountsConflict(const WithholdingRecord& record,
                                        const DerivedFamilyCounts& derived) {
    FamilyCountConflict conflict;
    if (derived.complete) {
        conflict.general = record.dependants.general != derived.general;
        conflict.specific = record.dependants.specific != derived.specific;
        conflict.elderly = record.dependants.elderly != derived.elderly;
        conflict.under16 = record.under16 != derived.under16;
    }
    if (derived.spouseAgeKnown && record.spouseDeductible != 0) {
        conflict.spouseElderly = (record.spouseElderly != 0) != derived.spouseElderly;
    }
    return conflict;
}

}  // namespace keiro::withholding
