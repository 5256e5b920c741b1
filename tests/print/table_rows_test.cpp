// The rows the ledger and the monthly list share: which items, in which order, under which
// names, and the values and texts of their cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "print/table_rows.h"
#include "tests/print/ledger_fixture.h"

namespace keiro::print {
namespace {

std::vector<std::string> labels(const std::vector<TableRow>& rows) {
    std::vector<std::string> out;
    for (const TableRow& row : rows) out.push_back(row.label);
    return out;
}

TEST(TableRowsTest, StandardRowsWithTheSupportLevyAmongThePremiums) {
    const std::vector<TableRow> rows = tableRows(TableOptions{});
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kMaxTableRows));
    const std::vector<std::string> expected{"",
                                            "基本給",
                                            "役職手当",
                                            "家族手当",
                                            "固定手当１",
                                            "固定手当２",
                                            "固定手当３",
                                            "普通残業手当",
                                            "深夜残業手当",
                                            "休日普通残業",
                                            "休日深夜残業",
                                            "非課税通勤費",
                                            "課税通勤費",
                                            "欠勤控除",
                                            "遅刻早退控除",
                                            "変動手当１",
                                            "変動手当２",
                                            "変動手当３",
                                            "課税支給合計",
                                            "支給項目合計",
                                            "健康保険料",
                                            "介護保険料",
                                            "子ども・子育て支援金",
                                            "厚生年金保険",
                                            "厚生年金基金",
                                            "雇用保険料",
                                            "社会保険料計",
                                            "社保控除後計",
                                            "所得税",
                                            "住民税",
                                            "固定控除１",
                                            "固定控除２",
                                            "固定控除３",
                                            "変動控除１",
                                            "変動控除２",
                                            "変動控除３",
                                            "控除項目合計",
                                            "社保算定合計",
                                            "その他１",
                                            "その他２",
                                            "その他３",
                                            "差引支給額"};
    EXPECT_EQ(labels(rows), expected);
    EXPECT_EQ(rows.front().kind, RowKind::Header);
    EXPECT_EQ(rows.back().kind, RowKind::NetPay);
    EXPECT_EQ(attendanceRowCount(rows), 0);
}

TEST(TableRowsTest, AddedAttendanceFollowsTheHeaderAndRemovedItemsGo) {
    TableOptions options;
    options.names.names[27] = "住宅手当";  // 固定手当２ renamed
    options.added[1] = true;               // 出勤日数
    options.added[8] = true;               // 普通残業時間
    options.added[14] = true;              // the blank entry: adds nothing
    options.removed[0] = true;             // 固定手当１
    options.removed[9] = true;             // 変動控除１
    options.removed[14] = true;            // その他３
    const std::vector<TableRow> rows = tableRows(options);
    ASSERT_EQ(rows.size(), 42u - 3 + 2);
    EXPECT_EQ(rows[1].label, "出勤日数");
    EXPECT_EQ(rows[1].format, RowFormat::Quantity);
    EXPECT_EQ(rows[2].label, "普通残業時間");
    EXPECT_EQ(rows[2].format, RowFormat::Hours);
    EXPECT_EQ(rows[3].label, "基本給");
    EXPECT_EQ(attendanceRowCount(rows), 2);
    const std::vector<std::string> all = labels(rows);
    for (const char* gone : {"固定手当１", "変動控除１", "その他３", "固定手当２"}) {
        EXPECT_EQ(std::count(all.begin(), all.end(), gone), 0) << gone;
    }
    EXPECT_EQ(std::count(all.begin(), all.end(), "住宅手当"), 1);
    EXPECT_EQ(std::count(all.begin(), all.end(), "その他２"), 1);
}

TEST(TableRowsTest, CellsTakeTheRecordsAndNetPayCountsTheOthers) {
    TableOptions options;
    options.added[1] = true;  // 出勤日数
    options.added[8] = true;  // 普通残業時間
    const std::vector<TableRow> rows = tableRows(options);
    auto block = testing_support::newBlock();
    testing_support::addEmployee(*block, 3, "260101_090000", "山田 太郎", 250000);
    block->payments[2].otherItem2 = -200;

    const std::vector<CellValue> values = columnValues(rows, *block, 3);
    const auto at = [&](std::string_view label) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].label == label) return i;
        ADD_FAILURE() << label;
        return std::size_t{0};
    };
    EXPECT_EQ(values[at("基本給")].yen, 250000);
    EXPECT_EQ(values[at("子ども・子育て支援金")].yen, 300);
    EXPECT_EQ(values[at("支給項目合計")].yen, 255000);
    EXPECT_EQ(values[at("控除項目合計")].yen, 14300);
    EXPECT_EQ(values[at("社保算定合計")].yen, 255000);
    // 255,000 + 1,000 − 200 − 14,300
    EXPECT_EQ(values[at("差引支給額")].yen, 241500);

    const TableRow& hours = rows[at("普通残業時間")];
    // Attendance right-aligned with the amounts on paper, as formatted in a CSV file.
    EXPECT_EQ(cellText(hours, values[at("普通残業時間")], 9, TimeStyle::Sexagesimal), "     1:30");
    EXPECT_EQ(cellText(hours, values[at("普通残業時間")], 9, TimeStyle::Decimal), "     1.50");
    EXPECT_EQ(cellText(rows[at("出勤日数")], values[at("出勤日数")], 10, TimeStyle::Decimal),
              "     20.00");
    EXPECT_EQ(csvCellText(hours, values[at("普通残業時間")], TimeStyle::Sexagesimal), "  1:30");
    EXPECT_EQ(cellText(rows[at("基本給")], values[at("基本給")], 10, TimeStyle::Decimal),
              "   250,000");
    EXPECT_EQ(csvCellText(rows[at("基本給")], values[at("基本給")], TimeStyle::Decimal), "250000");
    EXPECT_EQ(csvCellText(rows[at("差引支給額")], CellValue{-5, 0}, TimeStyle::Decimal), "-5");
    EXPECT_EQ(cellText(rows[0], values[0], 9, TimeStyle::Decimal), "");

    // A damaged attendance figure shows and sums as zero rather than "nan".
    block->attendance[2].daysWorked = std::numeric_limits<double>::quiet_NaN();
    std::vector<CellValue> sums(rows.size());
    addColumn(sums, columnValues(rows, *block, 3));
    addColumn(sums, columnValues(rows, *block, 3));
    EXPECT_EQ(sums[at("出勤日数")].quantity, 0.0);
    EXPECT_EQ(sums[at("普通残業時間")].quantity, 3.0);
    EXPECT_EQ(sums[at("差引支給額")].yen, 2 * 241500);
}

}  // namespace
}  // namespace keiro::print
