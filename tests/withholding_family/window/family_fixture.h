#pragma once
// A withholding record with a spouse, four 控除対象扶養親族, two dependants under 16 and two
// 備考 numbers, and a supplement with a fifth dependant and a 特定親族, for the dependants
// dialog's tests and pictures.

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <string>

#include "withholding/model/records.h"

namespace keiro::withholding::testing {

inline FamilyEntry familyPerson(const std::string& name, const std::string& furigana,
                                std::int64_t number) {
    FamilyEntry entry{};
    entry.name.assign(name);
    entry.furigana.assign(furigana);
    entry.myNumber = number;
    return entry;
}

inline WithholdingRecord familyRecord() {
    WithholdingRecord record{};
    record.spouse = familyPerson("山田　花子", "ﾔﾏﾀﾞ ﾊﾅｺ", 123456789018);
    record.dependantEntries[0] = familyPerson("山田　一郎", "ﾔﾏﾀﾞ ｲﾁﾛｳ", 234567890123);
    record.dependantEntries[1] = familyPerson("山田　次郎", "ﾔﾏﾀﾞ ｼﾞﾛｳ", 0);
    record.dependantEntries[2] = familyPerson("山田　ウメ", "ﾔﾏﾀﾞ ｳﾒ", 345678901234);
    record.dependantEntries[3] = familyPerson("山田　三郎", "ﾔﾏﾀﾞ ｻﾌﾞﾛｳ", 4567);
    record.dependantEntries[3].nonResident = 1;
    record.under16Entries[0] = familyPerson("山田　桜", "ﾔﾏﾀﾞ ｻｸﾗ", 567890123456);
    record.under16Entries[1] = familyPerson("山田　葵", "ﾔﾏﾀﾞ ｱｵｲ", 678901234567);
    record.moreDependantNumbers[0].assign("789012345678");
    record.moreUnder16Numbers[0].assign("890123456789");
    record.spouse.birth = {82, 7, 15};  // 1982-07-15
    record.spouse.relationship = kRelationWife;
    record.dependantEntries[0].birth = {108, 4, 2};  // 17 at the end of 2025
    record.dependantEntries[0].relationship = kRelationChild;
    record.dependantEntries[2].birth = {50, 1, 1};
    record.dependantEntries[2].relationship = kRelationParent;
    record.dependantEntries[3].relationship = kRelationSibling;
    record.dependantEntries[3].nonResidentReason = kNonResidentStudent;
    record.under16Entries[0].birth = {115, 10, 20};
    record.under16Entries[0].relationship = kRelationChild;
    record.specificRelativeIncome[0] = 900000;
    return record;
}

inline WithholdingSupplement familySupplement() {
    WithholdingSupplement supplement{};
    supplement.moreDependants[0].name.assign("山田　四郎");
    supplement.moreDependants[0].birth = {90, 2, 3};
    supplement.moreDependants[0].relationship = kRelationSibling;
    supplement.specificRelatives[0].name.assign("山田　五郎");
    supplement.specificRelatives[0].furigana.assign("ﾔﾏﾀﾞ ｺﾞﾛｳ");
    supplement.specificRelatives[0].birth = {105, 5, 5};  // 20 at the end of 2025
    supplement.specificRelatives[0].myNumber = 987654321098;
    return supplement;
}

inline QLineEdit* box(QWidget* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(name);
    if (edit == nullptr) qFatal("no box %s", qPrintable(name));
    return edit;
}

}  // namespace keiro::withholding::testing
