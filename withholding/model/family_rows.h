#pragma once
// The spouse and dependant rows of a withholding record, as the dependants dialog edits them:
// the spouse (控除対象配偶者), four 控除対象扶養親族 and four 16歳未満の扶養親族.  A row is in use
// when it has a name.  Deleting a row moves the rows below it up, so the used rows always come
// first, as the slip prints them.

#include <optional>
#include <string>
#include <string_view>

#include "withholding/model/records.h"

namespace keiro::withholding {

inline constexpr int kFamilyRowsPerGroup = 4;

enum class FamilyGroup { Spouse, Dependant, Under16 };

// One row: the spouse (index 0) or row `index` (0..3) of a group of dependants.
struct FamilyRow {
    FamilyGroup group = FamilyGroup::Spouse;
    int index = 0;
};

inline constexpr std::string_view kMsgNoFreeDependantRow = "控除対象扶養親族に空きが有りません。";

FamilyEntry& familyEntry(WithholdingRecord& record, FamilyRow row);
const FamilyEntry& familyEntry(const WithholdingRecord& record, FamilyRow row);

// "①".."④" for index 0..3.
std::string_view rowMark(int index);

// The question before deleting a row: "控除対象扶養親族②の入力内容を削除しますか？", or
// "控除対象配偶者の入力内容を削除しますか？" for the spouse.
std::string eraseQuestion(FamilyRow row);

// The question before moving under-16 row `index` to the 控除対象扶養親族.
std::string moveQuestion(int under16Index);

// Empties the row.  In a group of dependants the rows below move up by one and the last row is
// emptied; the spouse is simply emptied.
void eraseFamilyRow(WithholdingRecord& record, FamilyRow row);

// The first 控除対象扶養親族 row without a name (a name of blanks counts as none).
std::optional<int> firstFreeDependantRow(const WithholdingRecord& record);

// Moves under-16 row `under16Index` into the first free 控除対象扶養親族 row (the whole entry:
// name, furigana, birth date, relationship, individual number, non-resident flag and reason) and
// deletes it from the under-16 rows.  The row it
// went to, or nothing (and no change) when every 控除対象扶養親族 row is in use.
std::optional<int> moveUnder16ToDependants(WithholdingRecord& record, int under16Index);

}  // namespace keiro::withholding
