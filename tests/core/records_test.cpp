// The records are the file's bytes: field placement is checked at compile time in records.h;
// here we check the behaviour of the text fields and the slot accessors.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "core/records.h"

namespace keiro {
namespace {

TEST(PStr, StoresCp932AndReadsUtf8) {
    PStr<17> name{};
    name.assign("山田　太郎");
    EXPECT_EQ(name.len, 10);
    EXPECT_EQ(name.utf8(), "山田　太郎");
    EXPECT_EQ(static_cast<unsigned char>(name.text[0]), 0x8E);  // 山 = 0x8E52
}

TEST(PStr, CutsAtCapacityWithoutSplittingADoubleByteCharacter) {
    PStr<5> field{};
    field.assign("ab漢字");  // 2 + 2 + 2 bytes: the last character does not fit
    EXPECT_EQ(field.len, 4);
    EXPECT_EQ(field.utf8(), "ab漢");
}

TEST(PStr, DamagedLengthByteNeverReadsPastTheField) {
    PStr<4> field{};
    std::memcpy(field.text, "abcd", 4);
    field.len = 200;
    EXPECT_EQ(field.bytes(), "abcd");
}

TEST(PStr, ClearTailZeroesLeftoversOfALongerText) {
    PStr<8> field{};
    field.assign("abcdefgh");
    field.assign("xy");
    EXPECT_EQ(field.text[2], 'c');  // the earlier text is still there, without meaning
    field.clearTail();
    for (int i = 2; i < 8; ++i) EXPECT_EQ(field.text[i], 0);
    EXPECT_EQ(field.utf8(), "xy");
}

TEST(PStr, RefusesCharactersWithoutACp932Form) {
    PStr<10> field{};
    field.assign("abc");
    EXPECT_THROW(field.assign("𠮷野家"), text::EncodingError);
    EXPECT_EQ(field.utf8(), "abc");  // unchanged
}

TEST(Records, IndexedAccessMatchesNamedFields) {
    auto block = std::make_unique<PeriodBlock>();
    std::memset(block.get(), 0, sizeof(PeriodBlock));
    block->attendance[0].item(15) = 7.5;
    EXPECT_EQ(block->attendance[0].paidLeaveBalance, 7.5);
    block->payments[0].amount(19) = 250000;
    EXPECT_EQ(block->payments[0].payTotal, 250000);
    block->deductions[0].amount(DeductionRecord::kIncomeTaxItem) = 5000;
    EXPECT_EQ(block->deductions[0].incomeTax, 5000);
    block->employee(100).recordId.assign("250401_090000");
    EXPECT_TRUE(block->employees[99].isUsed());
    EXPECT_FALSE(block->employee(1).isUsed());
}

}  // namespace
}  // namespace keiro
