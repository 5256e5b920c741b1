#include "withholding/model/family_rows.h"

#include <gtest/gtest.h>

#include <cstring>

namespace keiro::withholding {
namespace {

FamilyEntry person(const char* name, std::int64_t number, bool nonResident = false) {
    FamilyEntry entry{};
    entry.name.assign(name);
    entry.furigana.assign(std::string("ﾌﾘ") + name);
    entry.myNumber = number;
    entry.nonResident = nonResident ? 1 : 0;
    return entry;
}

bool isEmpty(const FamilyEntry& entry) {
    const FamilyEntry zero{};
    return std::memcmp(&entry, &zero, sizeof entry) == 0;
}

class FamilyRows : public ::testing::Test {
  protected:
    FamilyRows() {
        record.spouse = person("花子", 111111111111);
        for (int i = 0; i < 4; ++i) {
            record.dependantEntries[i] = person(("扶養" + std::to_string(i + 1)).c_str(), 200 + i);
            record.under16Entries[i] = person(("子" + std::to_string(i + 1)).c_str(), 300 + i);
        }
    }
    WithholdingRecord record{};
};

TEST_F(FamilyRows, DeletingARowMovesTheRowsBelowUpAndEmptiesTheLast) {
    eraseFamilyRow(record, {FamilyGroup::Dependant, 1});
    EXPECT_EQ(record.dependantEntries[0].name.utf8(), "扶養1");
    EXPECT_EQ(record.dependantEntries[1].name.utf8(), "扶養3");
    EXPECT_EQ(record.dependantEntries[1].furigana.utf8(), "ﾌﾘ扶養3");
    EXPECT_EQ(std::int64_t{record.dependantEntries[1].myNumber}, 202);
    EXPECT_EQ(record.dependantEntries[2].name.utf8(), "扶養4");
    EXPECT_TRUE(isEmpty(record.dependantEntries[3]));
    // The other groups are untouched.
    EXPECT_EQ(record.under16Entries[3].name.utf8(), "子4");
    EXPECT_EQ(std::int64_t{record.spouse.myNumber}, 111111111111);

    eraseFamilyRow(record, {FamilyGroup::Under16, 3});
    EXPECT_TRUE(isEmpty(record.under16Entries[3]));
    EXPECT_EQ(record.under16Entries[2].name.utf8(), "子3");

    eraseFamilyRow(record, {FamilyGroup::Spouse, 0});
    EXPECT_TRUE(isEmpty(record.spouse));
    EXPECT_EQ(record.dependantEntries[0].name.utf8(), "扶養1");
}

TEST_F(FamilyRows, AnUnder16DependantMovesToTheFirstRowWithoutAName) {
    EXPECT_FALSE(firstFreeDependantRow(record));
    const WithholdingRecord full = record;
    EXPECT_FALSE(moveUnder16ToDependants(record, 0));
    EXPECT_EQ(std::memcmp(&record, &full, sizeof record), 0) << "nothing moves when all are used";

    record.dependantEntries[1].name.assign("　 ");  // blanks are no name
    record.dependantEntries[2].name.clear();
    record.under16Entries[1].nonResident = 1;
    ASSERT_EQ(moveUnder16ToDependants(record, 1), 1);
    const FamilyEntry& moved = record.dependantEntries[1];
    EXPECT_EQ(moved.name.utf8(), "子2");
    EXPECT_EQ(moved.furigana.utf8(), "ﾌﾘ子2");
    EXPECT_EQ(std::int64_t{moved.myNumber}, 301);
    EXPECT_EQ(std::uint8_t{moved.nonResident}, 1);
    EXPECT_EQ(record.under16Entries[0].name.utf8(), "子1");
    EXPECT_EQ(record.under16Entries[1].name.utf8(), "子3");
    EXPECT_TRUE(isEmpty(record.under16Entries[3]));
    EXPECT_EQ(firstFreeDependantRow(record), 2);
}

TEST_F(FamilyRows, BirthDateRelationshipAndReasonTravelWithTheirRow) {
    record.under16Entries[2].birth = {110, 3, 4};  // 2010-03-04
    record.under16Entries[2].relationship = kRelationGrandchild;
    record.under16Entries[2].nonResident = 1;
    record.under16Entries[2].nonResidentReason = kNonResidentStudent;
    record.under16Entries[3].birth = {112, 5, 6};
    const FamilyEntry moving = record.under16Entries[2];
    const FamilyEntry below = record.under16Entries[3];
    // A free row may still hold bytes of someone deleted by hand: the move replaces them all.
    record.dependantEntries[3].name.clear();
    record.dependantEntries[3].birth = {50, 1, 1};
    record.dependantEntries[3].relationship = kRelationParent;

    ASSERT_EQ(moveUnder16ToDependants(record, 2), 3);
    EXPECT_EQ(std::memcmp(&record.dependantEntries[3], &moving, sizeof moving), 0);
    EXPECT_EQ(std::memcmp(&record.under16Entries[2], &below, sizeof below), 0);
    EXPECT_TRUE(isEmpty(record.under16Entries[3]));

    eraseFamilyRow(record, {FamilyGroup::Dependant, 0});
    EXPECT_EQ(std::memcmp(&record.dependantEntries[2], &moving, sizeof moving), 0);
    EXPECT_TRUE(isEmpty(record.dependantEntries[3])) << "no birth date or relationship is left";
}

TEST(FamilyQuestions, NameTheRowWithItsMark) {
    EXPECT_EQ(eraseQuestion({FamilyGroup::Spouse, 0}), "控除対象配偶者の入力内容を削除しますか？");
    EXPECT_EQ(eraseQuestion({FamilyGroup::Dependant, 0}),
              "控除対象扶養親族①の入力内容を削除しますか？");
    EXPECT_EQ(eraseQuestion({FamilyGroup::Under16, 3}),
              "16歳未満の扶養親族④の入力内容を削除しますか？");
    EXPECT_EQ(moveQuestion(2), "16歳未満の扶養親族③の入力内容を控除対象扶養親族へ移動しますか？");
}

}  // namespace
}  // namespace keiro::withholding
