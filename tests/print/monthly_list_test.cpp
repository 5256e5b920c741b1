// The monthly list: who is listed, in which groups and on how many pages, where the totals go,
// how the period is named, the drawing of a page and the CSV file.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/text.h"
#include "print/monthly_list_report.h"
#include "print/recording_canvas.h"
#include "print/table_csv.h"
#include "tests/print/ledger_fixture.h"
#include "tests/support/built_page.h"
#include "tests/support/golden.h"

namespace keiro::print {
namespace {

using namespace std::chrono;
using testing_support::addEmployee;
using testing_support::newBlock;

const EraNames kEras{"平成", "令和"};

// `count` employees in employment from slot 1, each 10,000 yen more than the one before.
std::unique_ptr<PeriodBlock> company(int count) {
    auto block = newBlock();
    for (int slot = 1; slot <= count; ++slot) {
        addEmployee(*block, slot, "2601" + std::to_string(10 + slot), "社員" + std::to_string(slot),
                    200000 + 10000 * slot);
    }
    return block;
}

ListInput december(ListMethod method = ListMethod::Normal) {
    return {listPeriod(12, 12, {"令和", 8}, kEras, ItemNames{}), method,
            year_month_day{2026y, December, 9d}};
}

// Where on the page a text was drawn, in the device pixels of a default RecordingCanvas.
std::optional<DevicePoint> placeOf(const RecordingCanvas& canvas, std::string_view text) {
    for (const std::vector<Glyph>& glyphs : canvas.texts()) {
        std::string joined;
        for (const Glyph& glyph : glyphs) joined += glyph.character;
        if (joined == text) return glyphs.front().at;
    }
    return std::nullopt;
}

int columnOfTotal(const MonthlyListReport& report, int page) {
    RecordingCanvas canvas;
    report.drawPage(canvas, page, {});
    const std::optional<DevicePoint> at = placeOf(canvas, "　合　計");
    if (!at) return -1;
    for (int c = 0; c < kListColumns; ++c) {
        if (at->x == canvas.transform().x(35.5 + 25.5 * c)) return c;
    }
    return -2;
}

TEST(MonthlyListTest, TheTotalTakesTheFirstFreeColumn) {
    auto nine = company(9);
    const MonthlyListReport one(TableOptions{}, *nine, december());
    EXPECT_EQ(one.pageCount(), 1);
    EXPECT_EQ(columnOfTotal(one, 1), 9);

    auto ten = company(10);
    const MonthlyListReport two(TableOptions{}, *ten, december());
    EXPECT_EQ(two.pageCount(), 2);
    EXPECT_EQ(two.countText(), "  2枚 [10名、12月分･給与]");
    EXPECT_EQ(columnOfTotal(two, 1), -1);
    EXPECT_EQ(columnOfTotal(two, 2), 0);
    RecordingCanvas second;
    two.drawPage(second, 2, {});
    EXPECT_FALSE(placeOf(second, "社員10"));
    EXPECT_TRUE(placeOf(second, "Page 2 / 2"));

    // Nobody listed: one page with headings and a total of nothing.
    auto empty = newBlock();
    const MonthlyListReport none(TableOptions{}, *empty, december());
    EXPECT_EQ(none.pageCount(), 1);
    EXPECT_EQ(columnOfTotal(none, 1), 0);
}

TEST(MonthlyListTest, OnlyEmployeesInEmploymentInSlotOrder) {
    auto block = company(5);
    block->employee(2).workStatus = 2;  // 休職
    block->employee(4).workStatus = 3;  // 退職
    const MonthlyListReport report(TableOptions{}, *block, december());
    ASSERT_EQ(report.groups().size(), 1u);
    std::vector<std::string> names;
    for (const ListMember& member : report.groups()[0].members) names.push_back(member.name);
    EXPECT_EQ(names, (std::vector<std::string>{"社員1", "社員3", "社員5"}));
    // 基本給 (row 1): 210,000 + 230,000 + 250,000.
    EXPECT_EQ(report.groups()[0].total[1].yen, 690000);
}

TEST(MonthlyListTest, DepartmentsOfFourTenAndOneTakeFourPages) {
    // Departments in the order they first appear in the slots, their members mixed.
    auto block = newBlock();
    for (int slot = 1; slot <= 15; ++slot) {
        const char* department = slot == 2 || slot > 6 ? "製造部" : slot == 5 ? "総務部" : "営業部";
        addEmployee(*block, slot, "id" + std::to_string(slot), "社員" + std::to_string(slot),
                    100000, department);
    }
    const MonthlyListReport report(TableOptions{}, *block, december(ListMethod::ByDepartment));
    std::vector<std::string> groups;
    for (const ListedGroup& group : report.groups()) {
        groups.push_back(group.name + ":" + std::to_string(group.members.size()));
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"営業部:4", "製造部:10", "総務部:1"}));
    EXPECT_EQ(report.pageCount(), 1 + 2 + 1);
    EXPECT_EQ(report.countText(), "  4枚 [15名、12月分･給与]");
    EXPECT_EQ(columnOfTotal(report, 1), 4);
    EXPECT_EQ(columnOfTotal(report, 2), -1);
    EXPECT_EQ(columnOfTotal(report, 3), 0);
    EXPECT_EQ(columnOfTotal(report, 4), 1);
    RecordingCanvas page3;
    report.drawPage(page3, 3, {});
    EXPECT_TRUE(placeOf(page3, "[製造部]"));
}

TEST(MonthlyListTest, CategoriesInTheEditorsOrderThenTheUsersOwn) {
    auto block = company(5);
    block->employee(1).category = 5;  // アルバイト
    block->employee(2).category = 0;
    block->employee(2).categoryText.assign("派遣");
    block->employee(3).category = 1;  // 役員
    block->employee(4).category = 0;
    block->employee(4).categoryText.assign("アルバイト");  // typed, but the same text
    const MonthlyListReport report(TableOptions{}, *block, december(ListMethod::ByCategory));
    std::vector<std::string> groups;
    for (const ListedGroup& group : report.groups()) {
        groups.push_back(group.name + ":" + std::to_string(group.members.size()));
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"役員:1", "一般社員:1", "アルバイト:2", "派遣:1"}));
    EXPECT_EQ(report.pageCount(), 4);
}

TEST(MonthlyListTest, PeriodTitlesAndNames) {
    const ItemNames names;
    const ListPeriod may = listPeriod(5, 5, {"令和", 8}, kEras, names);
    EXPECT_EQ(listTitle(may), "令和8年 5 月 分 給 与 一 覧");
    EXPECT_EQ(listPeriodName(may), "5月分･給与");
    EXPECT_EQ(listCsvFileName(may), "令和8年･5月分給与一覧.csv");

    const ListPeriod summer = listPeriod(13, 7, {"令和", 8}, kEras, names);
    EXPECT_EQ(listTitle(summer), "令和8年 夏 期 賞 与 一 覧");
    EXPECT_EQ(listCsvFileName(summer), "令和8年･夏期賞与一覧.csv");
    EXPECT_EQ(listTitle(listPeriod(14, 12, {"令和", 8}, kEras, names)),
              "令和8年 冬 期 賞 与 一 覧");

    ItemNames renamed;
    renamed.extraBonusCaption = "決算賞与金";
    const ListPeriod extra = listPeriod(15, 3, {"令和", 8}, kEras, renamed);
    EXPECT_EQ(listTitle(extra), "令和8年 決 算 賞 与 一 覧");
    EXPECT_EQ(listPeriodName(extra), "決算賞与金");
    renamed.extraBonusCaption = "賞与/3月";
    EXPECT_EQ(listCsvFileName(listPeriod(15, 3, {"令和", 8}, kEras, renamed)),
              "令和8年･賞与_3月一覧.csv");

    // The earlier era's 31 after April is the new era's first year.
    EXPECT_EQ(listTitle(listPeriod(4, 4, {"平成", 31}, kEras, names)),
              "平成31年 4 月 分 給 与 一 覧");
    EXPECT_EQ(listTitle(listPeriod(5, 5, {"平成", 31}, kEras, names)),
              "令和1年 5 月 分 給 与 一 覧");
    EXPECT_EQ(listCsvFileName(listPeriod(13, 7, {"平成", 31}, kEras, names)),
              "令和1年･夏期賞与一覧.csv");

    YearFileHeader header{};
    header.bonusPayMonth[1] = 12;
    EXPECT_EQ(periodMonth(14, header), 12);
    EXPECT_EQ(periodMonth(15, header), 0);
    EXPECT_EQ(periodMonth(6, header), 6);
}

TEST(MonthlyListTest, PageDrawings) {
    TableOptions options;
    options.added[1] = true;  // 出勤日数
    options.added[9] = true;  // 深夜残業時間
    options.removed[0] = true;
    options.removed[13] = true;
    auto block = company(3);
    block->employee(2).name.assign("長谷川　左衛門三郎");  // sixteen bytes
    const MonthlyListReport list(options, *block, december());
    testing_support::expectMatchesGolden(testing_support::builtPageRecording(list, 1),
                                         "print/monthly_list_page.txt");

    block->employee(3).department.assign("製造部");
    const MonthlyListReport grouped(options, *block, december(ListMethod::ByDepartment));
    ASSERT_EQ(grouped.pageCount(), 2);
    testing_support::expectMatchesGolden(testing_support::builtPageRecording(grouped, 2),
                                         "print/monthly_list_group_page.txt");
}

TEST(MonthlyListTest, CsvFile) {
    TableOptions options;
    options.added[1] = true;  // 出勤日数
    options.added[8] = true;  // 普通残業時間
    auto block = company(3);
    block->employee(1).department.assign("営業部");
    block->employee(2).department.assign("製造部");
    block->employee(3).department.assign("営業部");
    block->employee(3).name.assign("山田,\"太郎\"");
    const MonthlyListReport report(options, *block, december(ListMethod::ByDepartment));
    testing_support::expectMatchesGolden(monthlyListCsv(report, TimeStyle::Sexagesimal),
                                         "print/monthly_list.csv");
}

TEST(MonthlyListTest, RemovingAnAllowanceTakesItsRowOffThePageAndTheCsv) {
    auto block = company(2);
    TableOptions options;
    options.removed[1] = true;  // 固定手当２
    const MonthlyListReport report(options, *block, december());
    RecordingCanvas canvas;
    report.drawPage(canvas, 1, {});
    EXPECT_FALSE(placeOf(canvas, "固定手当２"));
    EXPECT_TRUE(placeOf(canvas, "固定手当３"));
    const std::string csv = monthlyListCsv(report, options.timeStyle);
    EXPECT_EQ(csv.find(text::toCp932("固定手当２")), std::string::npos);
    // The name, then every row but the header and the removed one, on each line.
    const std::string firstLine = csv.substr(0, csv.find("\r\n"));
    EXPECT_EQ(std::count(firstLine.begin(), firstLine.end(), ','), kMaxTableRows - 1);
    EXPECT_EQ(
        csv.substr(csv.rfind(text::toCp932("合計,"))),
        text::toCp932("合計,430000,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,440000,440000,20000,0,600,"
                      "0,0,0,20600,419400,8000,0,0,0,0,0,0,0,28600,440000,2000,0,0,413400\r\n"));
}

// The list of a period with a settlement carries its row; a refund raises the net pay and both
// count in the total column.
TEST(MonthlyListTest, ASettlementAddsItsRowToThePageAndTheCsv) {
    auto block = company(2);
    block->deductions[0].yearEndSettlement = -5'000;
    block->deductions[0].deductionTotal -= 5'000;
    block->deductions[1].yearEndSettlement = 1'200;
    block->deductions[1].deductionTotal += 1'200;
    const MonthlyListReport report(TableOptions{}, *block, december());
    ASSERT_EQ(report.rows().size(), static_cast<std::size_t>(kMaxTableRowsWithSettlement));
    RecordingCanvas canvas;
    report.drawPage(canvas, 1, {});
    EXPECT_TRUE(placeOf(canvas, "年調過不足"));
    EXPECT_TRUE(placeOf(canvas, "   -5,000"));

    const std::string csv = monthlyListCsv(report, TimeStyle::Sexagesimal);
    const std::string total = csv.substr(csv.rfind(text::toCp932("合計,")));
    // ... 固定控除, 変動控除 (six zeros), 年調過不足, 控除項目合計, 社保算定合計, その他,
    // 差引支給額
    EXPECT_NE(total.find(",0,0,0,0,0,0,-3800,24800,440000,2000,0,0,417200\r\n"), std::string::npos)
        << total;

    EXPECT_EQ(MonthlyListReport(TableOptions{}, *company(2), december()).rows().size(),
              static_cast<std::size_t>(kMaxTableRows));
}

}  // namespace
}  // namespace keiro::print
