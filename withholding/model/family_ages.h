#pragma once
// Ages and classes of the spouse and dependants from their birth dates.
//
// An age is taken at 31 December of the data year.  A person reaches an age on the day before
// the anniversary of their birth, so someone born on 1 January is already a year older on
// 31 December: the age is at least N on 31 December of Y exactly when the person was born on
// or before 1 January of Y − N + 1.  A 29 February birth needs no special case.
//
// The classes of a dependant by that age: 年少 under 16, 一般 16 to 18 and 23 to 69, 特定 19 to
// 22, 老人 70 and over.  From 2023 a non-resident dependant aged 30 to 69 counts only when
// studying abroad, disabled or receiving at least 380,000 yen a year from the employee; a
// non-resident of that age whose reason is not stated still counts, as before the reason
// could be entered, and only the answer "none of these" takes them out.
//
// Derived counts replace the typed ones only when the dates are complete: at least one
// dependant has a birth date, and every dependant entered (a name, a reading, a 個人番号 or a
// birth date in one of the four places of either list; a name or a birth date among the fifth
// and later) has a valid one.  Which list a dependant is in does not matter: the date decides
// the class.  The
// spouse is judged apart: a spouse's birth date, when valid, decides 老人 on its own.  A dated
// dependant under 23 is reported as such even when the dates are not complete.

#include <optional>

#include "withholding/model/records.h"

namespace keiro::withholding {

enum class AgeClass {
    NotEntered,  // no valid birth date, or born after the year
    Under16,     // 年少扶養親族
    General,     // 一般 (16 to 18, 23 to 69)
    Specific,    // 特定扶養親族 (19 to 22)
    Elderly,     // 老人 (70 and over)
};

// The birth date as a valid calendar date, or nothing (all zero, an impossible day).
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};
std::optional<CalendarDate> calendarDateOf(const CalendarDateBytes& bytes);
CalendarDateBytes calendarDateBytes(int year, int month, int day);

// The age at 31 December of dataYear; nothing when the date is not entered, invalid or later
// than that day.
std::optional<int> ageAtYearEnd(const CalendarDateBytes& birth, int dataYear);
AgeClass ageClassOf(int age);
AgeClass ageClassAtYearEnd(const CalendarDateBytes& birth, int dataYear);

// Whether a dependant of this age counts at all, by residence and the reason stated.
bool dependantCounts(int age, bool nonResident, std::uint8_t nonResidentReason, int dataYear);

struct DerivedFamilyCounts {
    bool complete = false;  // the dependants' dates are the input (see above)
    int general = 0;
    int specific = 0;
    int elderly = 0;
    int under16 = 0;
    int nonResident = 0;  // of the dependants counted, those living abroad
    // Any counted dependant under 23 (所得金額調整控除; the 2026 life insurance rule), and any
    // aged 16 to 22.
    bool dependantUnder23 = false;
    bool dependantAged16To22 = false;
    // The spouse's birth date is valid, and the spouse is 70 or older.
    bool spouseAgeKnown = false;
    bool spouseElderly = false;
};

DerivedFamilyCounts deriveFamilyCounts(const WithholdingRecord& record,
                                       const WithholdingSupplement& supplement, int dataYear);

// Which typed counts disagree with the dates (only where the dates decide).
struct FamilyCountConflict {
    bool general = false;
    bool specific = false;
    bool elderly = false;
    bool under16 = false;
    bool spouseElderly = false;
    bool any() const { return general || specific || elderly || under16 || spouseElderly; }
};
FamilyCountConflict typedCountsConflict(const WithholdingRecord& record,
                                        const DerivedFamilyCounts& derived);

}  // namespace keiro::withholding
