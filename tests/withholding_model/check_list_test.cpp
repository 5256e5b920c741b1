// The check list's lines: their columns in code page 932 bytes, the status column, and the
// orders of the header sections.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/text.h"
#include "withholding/model/check_list.h"

namespace keiro::withholding {
namespace {

struct Person {
    int slot;
    const char* name;
    const char* department;
    int category;
    int payForm;
    int workStatus = 1;
    const char* ownCategory = "";
};

std::unique_ptr<PeriodBlock> december(const std::vector<Person>& people) {
    auto block = std::make_unique<PeriodBlock>();
    for (const Person& p : people) {
        EmployeeRecord& e = block->employee(p.slot);
        e.recordId.assign("260101_09000" + std::to_string(p.slot % 10));
        e.name.assign(p.name);
        e.department.assign(p.department);
        e.category = static_cast<std::uint8_t>(p.category);
        e.categoryText.assign(p.ownCategory);
        e.payForm = static_cast<std::uint8_t>(p.payForm);
        e.workStatus = static_cast<std::uint8_t>(p.workStatus);
    }
    return block;
}

std::vector<int> slotsOf(const std::vector<CheckListLine>& lines) {
    std::vector<int> slots;
    for (const CheckListLine& line : lines) slots.push_back(line.slot);
    return slots;
}

TEST(CheckList, LineColumnsAreCodePageBytesAndTheStatusStartsAtByte69) {
    const auto block = december({{7, "山田 太郎", "営業部", 0, 3, 1, "嘱託"}});
    const std::string line = lineText(7, block->employee(7), kStatusDone);
    EXPECT_EQ(
        line,
        " 007  山田 太郎         営業部            嘱託        時間給        済み        007");
    const std::string bytes = text::toCp932(line);
    EXPECT_EQ(bytes.size(), 83u);
    EXPECT_EQ(bytes.substr(1, 3), "007");
    EXPECT_EQ(bytes.substr(68, 4), text::toCp932("済み"));

    // A name filling its whole field is kept whole and pushes the rest along.
    const auto wide = december({{12, "一二三四五六七八A", "", 2, 1}});
    const std::string long_ = lineText(12, wide->employee(12), kStatusOpen);
    EXPECT_NE(long_.find("一二三四五六七八A "), std::string::npos);
    EXPECT_EQ(text::cp932Width(long_), 84u);
    EXPECT_NE(long_.find("一般社員    月給"), std::string::npos);
}

TEST(CheckList, StatusFollowsTheSecondaryColumnFirstThenTheAdjustmentInBothFormats) {
    EXPECT_EQ(statusText(true, kCalculated), kStatusNotNeeded);
    EXPECT_EQ(statusText(false, kCalculated), kStatusDone);
    EXPECT_EQ(statusText(false, kNotAdjusted), kStatusNotAdjusted);
    EXPECT_EQ(statusText(false, kNotProcessed), kStatusOpen);
    EXPECT_EQ(statusText(false, 9), kStatusOpen);

    WithholdingFile current(true);
    current.record(3).adjustStatus = kCalculated;
    current.record(4).adjustStatus = kCalculated;
    current.record(4).flags.secondaryColumn = 1;
    EXPECT_EQ(statusOf(current, 3), kStatusDone);
    EXPECT_EQ(statusOf(current, 4), kStatusNotNeeded);
    WithholdingFile legacy(false);
    legacy.legacyRecord(3).adjustStatus = kNotAdjusted;
    EXPECT_EQ(statusOf(legacy, 3), kStatusNotAdjusted);
    EXPECT_EQ(statusOf(legacy, 4), kStatusOpen);
}

TEST(CheckList, SectionsSortByTheirColumnAndRetiredPeopleAreListedOnRequest) {
    const auto block = december({
        {1, "田中", "総務部", 2, 1},
        {2, "阿部", "営業部", 4, 3},
        {3, "佐藤", "営業部", 2, 2, 3},  // retired
        {5, "阿部", "製造部", 1, 1, 2},  // on leave
        {6, "井上", "", 0, 9, 1, "嘱託"},
        {8, "", "", 0, 1},  // an empty name still occupies its slot
    });
    block->employee(9).name.assign("記録なし");  // no recordId: a free slot
    WithholdingFile file(true);
    file.record(2).adjustStatus = kCalculated;

    const auto all = checkListLines(*block, file, true, ListOrder::Number);
    EXPECT_EQ(slotsOf(all), (std::vector<int>{1, 2, 3, 5, 6, 8}));
    EXPECT_TRUE(all[1].done);
    EXPECT_FALSE(all[0].done);
    EXPECT_FALSE(all[2].employed);
    EXPECT_FALSE(all[3].employed);
    EXPECT_TRUE(all[4].employed);

    EXPECT_EQ(slotsOf(checkListLines(*block, file, false, ListOrder::Number)),
              (std::vector<int>{1, 2, 5, 6, 8}));
    // Code page 932 order: kana-less kanji sort by their Shift-JIS codes (阿 < 井 < 佐 < 田);
    // equal names by slot, and the empty name first.
    EXPECT_EQ(slotsOf(checkListLines(*block, file, true, ListOrder::Name)),
              (std::vector<int>{8, 2, 5, 6, 3, 1}));
    EXPECT_EQ(slotsOf(checkListLines(*block, file, true, ListOrder::Department)),
              (std::vector<int>{6, 8, 2, 3, 5, 1}));
    // By category number, then the category text, then slot: the own text (0) comes first.
    EXPECT_EQ(slotsOf(checkListLines(*block, file, true, ListOrder::Category)),
              (std::vector<int>{8, 6, 5, 1, 3, 2}));
    // 月給, 日給, 時間給, then an unknown pay form; slot order inside each.
    EXPECT_EQ(slotsOf(checkListLines(*block, file, true, ListOrder::PayForm)),
              (std::vector<int>{1, 5, 8, 3, 2, 6}));
    EXPECT_EQ(slotsOf(checkListLines(*block, file, true, ListOrder::TaxCalculation)), slotsOf(all));
    EXPECT_FALSE(sortsList(ListOrder::TaxCalculation));
    EXPECT_TRUE(sortsList(ListOrder::PayForm));

    EXPECT_TRUE(hasNamedEmployee(*block));
    EXPECT_FALSE(hasNamedEmployee(*december({{4, "", "", 1, 1}})));
}

}  // namespace
}  // namespace keiro::withholding
