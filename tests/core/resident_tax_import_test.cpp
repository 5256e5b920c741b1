// The residence-tax import: both encodings, the reasons a line is refused, duplicates, the
// missing header, and that applying touches only the two amounts of the accepted employees.
#include "core/resident_tax_import.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "core/employee_csv.h"
#include "core/text.h"

namespace keiro {
namespace {

const std::string kHeader = "社員コード,6月分,7月以降\r\n";

std::unique_ptr<PeriodBlock> threeEmployees() {
    auto block = std::make_unique<PeriodBlock>();
    const char* codes[] = {"001", "002", "東03"};
    const char* names[] = {"山田太郎", "佐藤花子", "鈴木一郎"};
    for (int slot = 1; slot <= 3; ++slot) {
        EmployeeRecord& e = block->employee(slot);
        e.recordId.assign("260101_00000" + std::to_string(slot));
        e.employeeCode.assign(codes[slot - 1]);
        e.name.assign(names[slot - 1]);
        e.residentTaxJune = 10'000 * slot;
        e.residentTax = 9'000 * slot;
    }
    return block;
}

ResidentTaxImport previewCp932(const PeriodBlock& block, const std::string& body) {
    return previewResidentTaxImport(block, text::toCp932(kHeader + body));
}

TEST(ResidentTaxImport, ReadsCodePage932AndUtf8WithOrWithoutMark) {
    const auto block = threeEmployees();
    const std::string body = "東03,12300,12000\r\n\"002\",\"1,234\",０\r\n";
    for (const std::string& bytes :
         {text::toCp932(kHeader + body), kHeader + body, "\xEF\xBB\xBF" + kHeader + body}) {
        const ResidentTaxImport preview = previewResidentTaxImport(*block, bytes);
        ASSERT_EQ(preview.error, "");
        ASSERT_TRUE(preview.refused.empty()) << refusedLineText(preview.refused.front());
        ASSERT_EQ(preview.changes.size(), 2u);
        const ResidentTaxChange& first = preview.changes[0];
        EXPECT_EQ(first.line, 2);
        EXPECT_EQ(first.slot, 3);
        EXPECT_EQ(first.code, "東03");
        EXPECT_EQ(first.name, "鈴木一郎");
        EXPECT_EQ(first.oldJune, 30'000);
        EXPECT_EQ(first.newJune, 12'300);
        EXPECT_EQ(first.oldLater, 27'000);
        EXPECT_EQ(first.newLater, 12'000);
        EXPECT_EQ(preview.changes[1].newJune, 1'234);  // quoted thousands separator
        EXPECT_EQ(preview.changes[1].newLater, 0);     // full-width digit
    }
}

TEST(ResidentTaxImport, RefusesEachBadLineWithItsNumberAndReason) {
    const auto block = threeEmployees();
    const ResidentTaxImport preview =
        previewCp932(*block,
                     "999,100,100\r\n"         // 2 unknown
                     "001,abc,100\r\n"         // 3 not a number
                     "002,-5,100\r\n"          // 4 negative
                     "東03,100,1000000\r\n"    // 5 beyond six digits
                     "001,12,300,100\r\n"      // 6 unquoted comma
                     ",100,100\r\n"            // 7 no code
                     "002,100\r\n"             // 8 a field short
                     "東03,\"1,23\",12.5\r\n"  // 9 bad grouping, fraction
                     "\r\n,,\r\n");            // blank and filler
    EXPECT_EQ(preview.error, "");
    EXPECT_TRUE(preview.changes.empty());
    ASSERT_EQ(preview.refused.size(), 8u);
    const auto reason = [&](std::size_t i) { return refusedLineText(preview.refused[i]); };
    EXPECT_EQ(reason(0), "2行目: 社員コード[999]の社員は登録されていません");
    EXPECT_EQ(reason(1), "3行目: 6月分[abc]が円単位の数値ではありません");
    EXPECT_EQ(reason(2), "4行目: 6月分[-5]が負の値です");
    // Lines 5 and 9 name the same employee: both also say so.
    EXPECT_EQ(reason(3),
              "5行目: 7月以降[1000000]が上限(999,999円)を超えています、"
              "社員コード[東03]が複数の行(5,9行目)にあります");
    EXPECT_NE(reason(4).find("6行目: 項目の数が4個です"), std::string::npos);
    EXPECT_NE(reason(4).find("二重引用符"), std::string::npos);
    EXPECT_EQ(reason(5), "7行目: 社員コードが空欄です");
    EXPECT_NE(reason(6).find("8行目: 項目の数が2個です"), std::string::npos);
    // Both amounts of one line are named.
    EXPECT_TRUE(
        reason(7).starts_with("9行目: 6月分[1,23]が円単位の数値ではありません、"
                              "7月以降[12.5]が円単位の数値ではありません、"));
}

TEST(ResidentTaxImport, AnEmployeeOnTwoLinesIsRefusedOnBoth) {
    const auto block = threeEmployees();
    const ResidentTaxImport preview =
        previewCp932(*block, "001,100,100\r\n002,5000,4900\r\n 001 ,200,200\r\n");
    ASSERT_EQ(preview.changes.size(), 1u);
    EXPECT_EQ(preview.changes[0].code, "002");
    ASSERT_EQ(preview.refused.size(), 2u);
    EXPECT_EQ(refusedLineText(preview.refused[0]),
              "2行目: 社員コード[001]が複数の行(2,4行目)にあります");
    EXPECT_EQ(preview.refused[1].line, 4);
}

TEST(ResidentTaxImport, AFileWithoutItsHeaderOrWithoutLinesIsRefusedWhole) {
    const auto block = threeEmployees();
    EXPECT_EQ(previewResidentTaxImport(*block, "001,100,100\r\n002,1,1\r\n").error,
              kMsgResidentTaxNoHeader);
    EXPECT_EQ(previewResidentTaxImport(*block, "").error, kMsgCsvInvalidFile);
    EXPECT_EQ(previewResidentTaxImport(*block, "\xEF\xBB\xBF").error, kMsgCsvInvalidFile);
    // Any captions will do; garbage bytes never crash and change nobody.
    const ResidentTaxImport header = previewResidentTaxImport(*block, "code,june,later\n");
    EXPECT_EQ(header.error, "");
    EXPECT_TRUE(header.changes.empty() && header.refused.empty());
    // A UTF-8 line with a character code page 932 lacks is refused by itself.
    const ResidentTaxImport emoji = previewResidentTaxImport(
        *block, "\xEF\xBB\xBF" + kHeader + "001,100,100\n002\xF0\x9F\x98\x80,1,1\n");
    ASSERT_EQ(emoji.refused.size(), 1u);
    EXPECT_EQ(emoji.refused[0].line, 3);
    EXPECT_EQ(emoji.changes.size(), 1u);
    const ResidentTaxImport garbage =
        previewResidentTaxImport(*block, std::string("x\n\x82\xA0\xFF\x00,\"\"\",\x81", 12));
    EXPECT_TRUE(garbage.changes.empty());
}

TEST(ResidentTaxImport, ApplyingSetsOnlyTheTwoAmountsOfAcceptedLines) {
    const auto before = threeEmployees();
    PayrollPeriod period;
    period.open(6, std::make_unique<PeriodBlock>(*before), before.get(), nullptr);
    std::vector<PeriodChange> told;
    const PayrollPeriod::Subscription subscription =
        period.subscribe([&told](const PeriodChange& change) { told.push_back(change); });
    const PeriodBlock& block = period.block();
    const ResidentTaxImport preview =
        previewCp932(block, "001,12300,12000\r\n002,20000,18000\r\n999,1,1\r\n");
    ASSERT_EQ(preview.changes.size(), 2u);
    EXPECT_FALSE(preview.changes[1].changesAmounts());  // 002 keeps what it has

    EXPECT_EQ(applyResidentTaxImport(period, preview), 1);
    EXPECT_EQ(int(block.employee(1).residentTaxJune), 12'300);
    EXPECT_EQ(int(block.employee(1).residentTax), 12'000);
    // Everything else is as it was; the period is modified, and told of the one employee.
    auto expected = std::make_unique<PeriodBlock>(*before);
    expected->employee(1).residentTaxJune = 12'300;
    expected->employee(1).residentTax = 12'000;
    EXPECT_EQ(std::memcmp(expected.get(), &block, sizeof(PeriodBlock)), 0);
    EXPECT_TRUE(period.isModified());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].employee, EmployeeId("260101_000001"));

    // A slot that has changed hands since the preview is left alone.
    period.block().employee(2).employeeCode.assign("X");
    const ResidentTaxImport again = previewCp932(*before, "002,1,1\r\n");
    EXPECT_EQ(applyResidentTaxImport(period, again), 0);
    EXPECT_EQ(int(block.employee(2).residentTax), 18'000);
}

TEST(ResidentTaxImport, OnlyJuneToDecemberTakeTheAmounts) {
    EXPECT_FALSE(isResidentTaxImportPeriod(5));
    EXPECT_TRUE(isResidentTaxImportPeriod(6));
    EXPECT_TRUE(isResidentTaxImportPeriod(12));
    EXPECT_FALSE(isResidentTaxImportPeriod(13));
}

}  // namespace
}  // namespace keiro
