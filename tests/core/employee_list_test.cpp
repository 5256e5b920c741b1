// The employee list: the fixed-width lines a clerk reads, the sorted orders, and deleting an
// employee without losing anyone else's month.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "core/employee_list.h"
#include "core/payroll_period.h"
#include "core/text.h"

namespace keiro {
namespace {

std::unique_ptr<PeriodBlock> company() {
    auto block = std::make_unique<PeriodBlock>();
    std::memset(block.get(), 0, sizeof(PeriodBlock));
    struct Person {
        const char* name;
        const char* category;
        int payForm, status, era, year, month, day;
        const char* department;
        int dependents;
    };
    const Person people[] = {{"鈴木　花子", "一般社員", 1, 1, 3, 55, 4, 1, "総務部", 2},
                             {"佐藤　健一", "役員", 1, 1, 3, 40, 12, 31, "", 3},
                             {"山本　恵子", "パート", 3, 2, 0, 0, 0, 0, "製造部", 0}};
    for (int i = 0; i < 3; ++i) {
        EmployeeRecord& e = block->employees[i];
        const Person& p = people[i];
        e.recordId.assign("260401_09000" + std::to_string(i));
        e.name.assign(p.name);
        e.categoryText.assign(p.category);
        e.payForm = static_cast<std::uint8_t>(p.payForm);
        e.workStatus = static_cast<std::uint8_t>(p.status);
        e.birthEra = static_cast<std::uint8_t>(p.era);
        e.birthYear = static_cast<std::uint8_t>(p.year);
        e.birthMonth = static_cast<std::uint8_t>(p.month);
        e.birthDay = static_cast<std::uint8_t>(p.day);
        e.department.assign(p.department);
        e.dependents = p.dependents;
        block->attendance[i].daysWorked = 20 + i;
        block->payments[i].payTotal = 300000 + i;
        block->deductions[i].incomeTax = 5000 + i;
    }
    return block;
}

TEST(EmployeeList, LinesHaveFixedCp932Widths) {
    const auto block = company();
    EXPECT_EQ(employeeListLine(*block, 1),
              "  1  鈴木　花子        一般社員    月給    在職  S55/04/01  総務部            "
              "  2   ");
    // No birth date: the era letter and the numbers are blanks; 時間給 fills six bytes.
    EXPECT_EQ(employeeListLine(*block, 3).substr(0, 5), "  3  ");
    EXPECT_NE(employeeListLine(*block, 3).find("時間給  休職     /  /    製造部"),
              std::string::npos);
    EXPECT_EQ(text::cp932Width(employeeListLine(*block, 2)),
              text::cp932Width(employeeListLine(*block, 1)));
}

TEST(EmployeeList, CategoryIsTheListEntryOrTheUsersOwnText) {
    auto block = company();
    EmployeeRecord& e = block->employees[0];
    e.category = 2;  // 一般社員, as an imported employee has it, without a text
    e.categoryText.assign("");
    EXPECT_NE(employeeListLine(*block, 1).find("鈴木　花子        一般社員"), std::string::npos);
    e.category = 0;  // no entry chosen: the user's own text
    e.categoryText.assign("嘱託");
    EXPECT_NE(employeeListLine(*block, 1).find("鈴木　花子        嘱託  "), std::string::npos);
}

TEST(EmployeeList, SortsByAColumnThenByTheRestOfTheLine) {
    const auto block = company();
    EXPECT_EQ(employeeListOrder(*block, 0), (std::vector<int>{1, 2, 3}));
    // 支給形態: 月給 (0x8C8E) before 時間給 (0x8E9E); the two 月給 by slot.
    EXPECT_EQ(employeeListOrder(*block, 3), (std::vector<int>{1, 2, 3}));
    // 扶養人数 0, 2, 3.
    EXPECT_EQ(employeeListOrder(*block, 7), (std::vector<int>{3, 1, 2}));
    // 部署: the blank department first.
    EXPECT_EQ(employeeListOrder(*block, 6).front(), 2);
}

TEST(EmployeeList, DeletingASlotMovesEveryoneAfterItWithTheirRecords) {
    PayrollPeriod period;
    period.open(4, company(), nullptr, nullptr);
    const PeriodBlock* block = &period.block();
    ASSERT_TRUE(period.removeEmployee(period.idAt(1)));
    EXPECT_EQ(block->employee(1).name.utf8(), "佐藤　健一");
    EXPECT_EQ(block->attendance[0].daysWorked, 21);
    EXPECT_EQ(block->payments[1].payTotal, 300002);
    EXPECT_EQ(block->deductions[1].incomeTax, 5002);
    EXPECT_FALSE(block->employee(3).isUsed());
    EXPECT_EQ(block->payments[2].payTotal, 0);
    EXPECT_FALSE(period.removeEmployee(EmployeeId()));  // a free slot: nothing happens
    EXPECT_FALSE(period.removeEmployee(EmployeeId("260401_090000")));  // gone already
    EXPECT_EQ(block->employee(2).name.utf8(), "山本　恵子");
}

TEST(EmployeeList, DeleteQuestionAndWithholdingFile) {
    const auto block = company();
    EXPECT_EQ(deleteQuestion(block->employee(1)),
              "下記社員の登録情報を削除しますか？\n\n【総務部 鈴木　花子 】");
    EXPECT_EQ(deleteQuestion(block->employee(2)),
              "下記社員の登録情報を削除しますか？\n\n【佐藤　健一 】");
    EXPECT_EQ(withholdingFilePath("/data", "令和", 8), "/data/源泉徴収(令和08年).dat");
}

}  // namespace
}  // namespace keiro
