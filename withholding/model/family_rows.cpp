#include "withholding/model/family_rows.h"

#include <array>
#include <cassert>
#include <cstring>

#include "withholding/model/entry_text.h"

namespace keiro::withholding {
namespace {

FamilyEntry* groupRows(WithholdingRecord& record, FamilyGroup group) {
    switch (group) {
        case FamilyGroup::Dependant:
            return record.dependantEntries;
        case FamilyGroup::Under16:
            return record.under16Entries;
        case FamilyGroup::Spouse:
            break;
    }
    return &record.spouse;
}

void clearEntry(FamilyEntry& entry) {
    std::memset(&entry, 0, sizeof entry);
}

}  // namespace

FamilyEntry& familyEntry(WithholdingRecord& record, FamilyRow row) {
    if (row.group == FamilyGroup::Spouse) return record.spouse;
    assert(row.index >= 0 && row.index < kFamilyRowsPerGroup);
    return groupRows(record, row.group)[row.index];
}

const FamilyEntry& familyEntry(const WithholdingRecord& record, FamilyRow row) {
    return familyEntry(const_cast<WithholdingRecord&>(record), row);
}

std::string_view rowMark(int index) {
    static constexpr std::array<std::string_view, kFamilyRowsPerGroup> kMarks{"①", "②", "③", "④"};
    assert(index >= 0 && index < kFamilyRowsPerGroup);
    return kMarks[static_cast<std::size_t>(index)];
}

std::string eraseQuestion(FamilyRow row) {
    constexpr std::string_view kEnding = "の入力内容を削除しますか？";
    switch (row.group) {
        case FamilyGroup::Spouse:
            return std::string("控除対象配偶者").append(kEnding);
        case FamilyGroup::Dependant:
            return std::string("控除対象扶養親族").append(rowMark(row.index)).append(kEnding);
        case FamilyGroup::Under16:
            break;
    }
    return std::string("16歳未満の扶養親族").append(rowMark(row.index)).append(kEnding);
}

std::string moveQuestion(int under16Index) {
    return std::string("16歳未満の扶養親族")
        .append(rowMark(under16Index))
        .append("の入力内容を控除対象扶養親族へ移動しますか？");
}

void eraseFamilyRow(WithholdingRecord& record, FamilyRow row) {
    if (row.group == FamilyGroup::Spouse) {
        clearEntry(record.spouse);
        return;
    }
    assert(row.index >= 0 && row.index < kFamilyRowsPerGroup);
    FamilyEntry* rows = groupRows(record, row.group);
    for (int i = row.index; i + 1 < kFamilyRowsPerGroup; ++i) rows[i] = rows[i + 1];
    clearEntry(rows[kFamilyRowsPerGroup - 1]);
}

std::optional<int> firstFreeDependantRow(const WithholdingRecord& record) {
    for (int i = 0; i < kFamilyRowsPerGroup; ++i) {
        if (normaliseEntryText(record.dependantEntries[i].name.utf8()).empty()) return i;
    }
    return std::nullopt;
}

std::optional<int> moveUnder16ToDependants(WithholdingRecord& record, int under16Index) {
    assert(under16Index >= 0 && under16Index < kFamilyRowsPerGroup);
    const std::optional<int> target = firstFreeDependantRow(record);
    if (!target) return std::nullopt;
    // The whole entry moves (birth date, relationship, non-resident reason with the rest);
    // the free row may hold bytes without a name, which the copy replaces.
    record.dependantEntries[*target] = record.under16Entries[under16Index];
    eraseFamilyRow(record, {FamilyGroup::Under16, under16Index});
    return target;
}

}  // namespace keiro::withholding
