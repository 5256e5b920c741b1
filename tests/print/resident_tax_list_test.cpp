// The residence tax of a period per municipality: every yen deducted lands on one line, the
// unset ones last, and the table and CSV say the same.
#include <gtest/gtest.h>

#include <memory>

#include "core/text.h"
#include "print/resident_tax_list.h"

namespace keiro::print {
namespace {

struct Block {
    std::unique_ptr<PeriodBlock> block = std::make_unique<PeriodBlock>();
    // An employee in `slot` with the municipality and the tax deducted this period.
    void add(int slot, int code, const char* city, int tax) {
        EmployeeRecord& e = block->employee(slot);
        e.recordId.assign("260101_00000" + std::to_string(slot % 10));
        e.residentTaxCityCode = code;
        e.residentTaxCity.assign(city);
        block->deductions[slot - 1].residentTaxAmount = tax;
    }
};

TEST(ResidentTaxListTest, EachMunicipalityInCodeOrderAndTheUnsetLast) {
    Block b;
    b.add(1, 141003, "横浜市", 12'300);
    b.add(2, 0, "", 8'000);
    b.add(3, 131016, "千代田区", 21'000);
    b.add(4, 141003, "横浜市", 9'700);
    b.add(5, 131016, "千代田区", 0);  // nothing deducted this month: not counted
    b.add(6, 11002, "札幌市", 4'100);
    b.add(7, 0, "", -500);  // a correction by hand is still money moved
    const ResidentTaxList list = residentTaxList(*b.block);
    const std::vector<ResidentTaxLine> expected = {
        {11002, "札幌市", 1, 4'100},
        {131016, "千代田区", 1, 21'000},
        {141003, "横浜市", 2, 22'000},  // 12,300 + 9,700
        {0, "納付先未設定", 2, 7'500},  // 8,000 − 500
    };
    EXPECT_EQ(list.lines, expected);
    EXPECT_EQ(list.people, 6);
    EXPECT_EQ(list.amount, 54'600);  // 4,100 + 21,000 + 22,000 + 7,500

    const TextTable table = residentTaxTable(list, "株式会社テスト", "[令和8年11月分給与]", false);
    ASSERT_EQ(table.rows.size(), 5u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"011002", "札幌市", "1", "4,100"}));
    EXPECT_EQ(table.rows[3][0], "");
    EXPECT_EQ(table.rows[4], (std::vector<std::string>{"", "合計", "6", "54,600"}));
    EXPECT_EQ(table.columns.size(), table.headings.size());

    const std::string csv = text::fromCp932(residentTaxCsv(list));
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "市区町村コード,市区町村名,人員,特別徴収税額");
    EXPECT_NE(csv.find("\r\n141003,横浜市,2,22000\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\n,合計,6,54600\r\n"), std::string::npos);
}

TEST(ResidentTaxListTest, AnEmptyPeriodStillHasItsTotalLine) {
    Block b;
    b.add(1, 131016, "千代田区", 0);
    const ResidentTaxList list = residentTaxList(*b.block);
    EXPECT_TRUE(list.lines.empty());
    const TextTable table = residentTaxTable(list, "", "", true);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"", "合計", "0", "0"}));
    EXPECT_EQ(residentTaxCsvFileName("[令和8年 11月分給与]"),
              "令和8年11月分給与_住民税納付一覧.csv");
}

}  // namespace
}  // namespace keiro::print
