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
    const std::string line =
        lineText(7, block->employee(7), kStatusDone, ListFigures{123'400, -12'300});
    EXPECT_EQ(line,
              " 007  山田 太郎         営業部            嘱託        時間給        済み      "
              "      123,400      -12,300");
    const std::string bytes = text::toCp932(line);
    EXPECT_EQ(bytes.size(), 104u);
    EXPECT_EQ(bytes.substr(1, 3), "007");
    EXPECT_EQ(bytes.substr(68, 4), text::toCp932("済み"));

    // Nothing calculated: blanks where the amounts go.
    const std::string open = lineText(7, block->employee(7), kStatusOpen);
    EXPECT_EQ(text::cp932Width(open), 104u);
    EXPECT_EQ(open.substr(open.size() - 26), std::string(26, ' '));

    // A name filling its whole field is kept whole and pushes the rest along.
    const auto wide = december({{12, "一二三四五六七八A", "", 2, 1}});
    const std::string long_ = lineText(12, wide->employee(12), kStatusOpen);
    EXPECT_NE(long_.find("一二三四五六七八A "), std::string::npos);
    EXPECT_EQ(text::cp932Width(long_), 105u);
    EXPECT_NE(long_.find("一般社員    月給"), std::string::npos);
}

TEST(CheckList, StatusFollowsTheAdjustmentInBothFormatsForSecondaryColumnToo) {
    EXPECT_EQ(statusText(kCalculated), kStatusDone);
    EXPECT_EQ(statusText(kNotAdjusted), kStatusNotAdjusted);
    EXPECT_EQ(statusText(kNotProcessed), kStatusOpen);
    EXPECT_EQ(statusText(9), kStatusOpen);

    WithholdingFile current(true);
    current.record(3).adjustStatus = kCalculated;
    current.record(4).flags.secondaryColumn = 1;  // never calculated: no tax on its slip yet
    EXPECT_EQ(statusOf(current, 3), kStatusDone);
    EXPECT_EQ(statusOf(current, 4), kStatusOpen);
    WithholdingFile legacy(false);
    legacy.legacyRecord(3).adjustStatus = kNotAdjusted;
    EXPECT_EQ(statusOf(legacy, 3), kStatusNotAdjusted);
    EXPECT_EQ(statusOf(legacy, 4), kStatusOpen);
    EXPECT_TRUE(isProcessed(kStatusDone));
    EXPECT_TRUE(isProcessed(kStatusNotAdjusted));
    EXPECT_FALSE(isProcessed(kStatusOpen));
}

TEST(CheckList, AnnualTaxOnceProcessedAndTheDifferenceOnlyWhenAdjusted) {
    WithholdingFile file(true);
    WithholdingRecord& refund = file.record(1);
    refund.adjustStatus = kCalculated;
    refund.annualTax = 45'600;
    refund.withheld = 60'000;
    WithholdingRecord& collect = file.record(2);
    collect.adjustStatus = kCalculated;
    collect.annualTax = 2'000'000'000;
    collect.withheld = -2'000'000'000;  // a damaged file: the difference does not wrap
    WithholdingRecord& outside = file.record(3);
    outside.adjustStatus = kNotAdjusted;
    outside.annualTax = 38'206;
    outside.withheld = 38'206;
    file.record(4).annualTax = 999;  // never calculated: whatever is there is not shown

    EXPECT_EQ(figuresOf(file, 1), (ListFigures{45'600, -14'400}));
    EXPECT_EQ(figuresOf(file, 2), (ListFigures{2'000'000'000, 4'000'000'000}));
    EXPECT_EQ(figuresOf(file, 3), (ListFigures{38'206, std::nullopt}));
    EXPECT_EQ(figuresOf(file, 4), ListFigures{});

    WithholdingFile legacy(false);
    legacy.legacyRecord(1).adjustStatus = kCalculated;
    legacy.legacyRecord(1).annualTax = 10'000;
    legacy.legacyRecord(1).withheld = 7'000;
    EXPECT_EQ(figuresOf(legacy, 1), (ListFigures{10'000, 3'000}));
}

TEST(CheckList, UnprocessedPrintQuestionCountsAndNamesTheFirstTen) {
    const std::string two = unprocessedPrintQuestion({"山田 太郎", ""});
    EXPECT_EQ(two,
              "年末調整の計算をしていない（未処理の）社員が 2名 います。\n山田 太郎、(氏名なし)\n\n"
              "未処理の社員の書類には正しい税額が印刷されません。\n印刷しますか？");
    std::vector<std::string> many;
    for (int i = 1; i <= 12; ++i) many.push_back("社員" + std::to_string(i));
    const std::string twelve = unprocessedPrintQuestion(many);
    EXPECT_NE(twelve.find("12名"), std::string::npos);
    EXPECT_NE(twelve.find("社員10 ほか2名"), std::string::npos);
    EXPECT_EQ(twelve.find("社員11"), std::string::npos);
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
    file.record(6).adjustStatus = kNotAdjusted;

    const auto all = checkListLines(*block, file, true, ListOrder::Number);
    EXPECT_EQ(slotsOf(all), (std::vector<int>{1, 2, 3, 5, 6, 8}));
    EXPECT_TRUE(all[1].done);
    EXPECT_TRUE(all[4].done);
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
    EXPECT_FALSE(sortsList(ListOrder::Difference));
    EXPECT_TRUE(sortsList(ListOrder::PayForm));

    EXPECT_TRUE(hasNamedEmployee(*block));
    EXPECT_FALSE(hasNamedEmployee(*december({{4, "", "", 1, 1}})));
}

}  // namespace
}  // namespace keiro::withholding
