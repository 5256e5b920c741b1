#pragma once
// A withholding record with a spouse, four 控除対象扶養親族, two dependants under 16 and two
// 備考 numbers, for the dependants dialog's tests and pictures.

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
    return record;
}

inline QLineEdit* box(QWidget* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(name);
    if (edit == nullptr) qFatal("no box %s", qPrintable(name));
    return edit;
}

}  // namespace keiro::withholding::testing
