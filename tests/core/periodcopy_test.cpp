// Copying a saved month of any year file into a new period that has nothing to start from.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/fileio.h"
#include "core/periodcopy.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

const EraNames kNames{"平成", "令和"};
constexpr PeriodEntry kMonth{20, 160.0, 0, 0};

class PeriodCopyTest : public ::testing::Test {
  protected:
    YearData year(const EraYear& eraYear) {
        createYearFileIfMissing(folder_ / yearFileName(eraYear));
        YearData data;
        data.setFile(folder_ / yearFileName(eraYear), eraYear.eraName, eraYear.eraYear, kNames);
        return data;
    }

    // Saves `month` of the year with one company and the given employees (id, name, balance).
    void saveMonth(const EraYear& eraYear, int month, const char* company,
                   std::initializer_list<std::pair<const char*, double>> employees) {
        YearData data = year(eraYear);
        data.beginOpenPeriod(month, kMonth);
        data.clearBlock();
        data.block().settings.companyName.assign(company);
        int slot = 0;
        for (const auto& [id, balance] : employees) {
            EmployeeRecord& e = data.block().employees[slot];
            e.recordId.assign(id);
            e.name.assign(id);
            e.payForm = 1;
            e.remarks.assign("備考あり");
            data.block().attendance[slot].paidLeaveBalance = balance;
            data.block().payments[slot].basePayAmount = 300000;
            ++slot;
        }
        data.finishOpenPeriod();
        data.savePeriod();
    }

    testing_support::TempFolder folder_{"keiro-periodcopy"};
};

TEST_F(PeriodCopyTest, ListsEverySavedMonthInFileAndMonthOrder) {
    saveMonth({"令和", 2}, 5, "B社", {});
    saveMonth({"平成", 30}, 12, "A社", {});
    saveMonth({"平成", 30}, 1, "A社", {});
    year({"令和", 3});  // a file with nothing saved adds nothing

    const auto months = listSavedMonths(folder_, kNames);
    ASSERT_EQ(months.size(), 3u);
    EXPECT_EQ(months[0].text, "平成30年 1月分給与");
    EXPECT_EQ(months[1].text, "平成30年12月分給与");
    EXPECT_EQ(months[2].text, "令和02年 5月分給与");
    EXPECT_EQ(months[2].month, 5);
    EXPECT_EQ(months[2].path, folder_ / "令和02年給与･賞与.dat");

    EXPECT_TRUE(listSavedMonths(folder_ / "none", kNames).empty());
}

TEST_F(PeriodCopyTest, CopiesSettingsAndEmployeesWithoutRemarksOrAmounts) {
    saveMonth({"平成", 29}, 8, "山田商店", {{"170801_090000", 4.0}});
    YearData target = year({"平成", 30});
    target.beginOpenPeriod(5, kMonth);
    target.block().payments[7].overtimePay = 999;  // whatever was there goes

    const auto months = listSavedMonths(folder_, kNames);
    ASSERT_EQ(months.size(), 1u);
    EXPECT_TRUE(copyFromMonth(target, months[0]));
    const PeriodBlock& b = target.block();
    EXPECT_EQ(b.settings.companyName.utf8(), "山田商店");
    EXPECT_EQ(b.employee(1).name.utf8(), "170801_090000");
    EXPECT_TRUE(b.employee(1).remarks.empty());
    EXPECT_EQ(b.attendance[0].paidLeaveBalance, 0.0);
    EXPECT_EQ(b.payments[0].basePayAmount, 0);
    EXPECT_EQ(b.payments[7].overtimePay, 0);
}

TEST_F(PeriodCopyTest, AMonthWithoutCompanyDataReportsNothingCopied) {
    saveMonth({"平成", 30}, 2, "", {{"180201_090000", 1.0}});
    YearData target = year({"平成", 30});
    target.beginOpenPeriod(7, kMonth);
    EXPECT_FALSE(copyFromMonth(target, listSavedMonths(folder_, kNames).at(0)));
}

TEST_F(PeriodCopyTest, ADamagedSourceLeavesTheOpenPeriodAlone) {
    YearData target = year({"平成", 30});
    target.beginOpenPeriod(7, kMonth);
    target.block().settings.companyName.assign("今の会社");
    writeFileAtomic(folder_ / "平成29年給与･賞与.dat", std::string(500, '\x01'));
    saveMonth({"平成", 28}, 5, "山田商店", {});
    // The damaged file is marked in its place; the other years are still listed.
    const auto months = listSavedMonths(folder_, kNames);
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0].text, "平成28年 5月分給与");
    EXPECT_TRUE(months[0].usable());
    EXPECT_EQ(months[1].text, "平成29年 (読み込めないファイルです)");
    EXPECT_FALSE(months[1].usable());
    EXPECT_NE(months[1].damage.find("平成29年給与･賞与.dat"), std::string::npos);
    EXPECT_THROW(copyFromMonth(target, {"平成29年 1月分給与", folder_ / "平成29年給与･賞与.dat", 1,
                                        std::string()}),
                 IoError);
    EXPECT_EQ(target.block().settings.companyName.utf8(), "今の会社");
}

// The whole flow of opening a new month that has no company data: the copy window fills the
// period, then the paid-leave balance still comes from the month before, by recordId.
TEST_F(PeriodCopyTest, PaidLeaveCarriesAfterACopyOnlyForKnownEmployees) {
    saveMonth({"平成", 30}, 3, "", {{"known", 6.5}});
    saveMonth({"平成", 30}, 9, "山田商店", {{"known", 2.0}, {"joined", 3.0}});
    YearData target = year({"平成", 30});

    const OpenResult result = target.openPeriod(4, kMonth, [&](YearData& y, const OpenResult& r) {
        EXPECT_FALSE(r.laterMonthSaved);               // the month before had no company to drop
        EXPECT_FALSE(y.block().employee(1).isUsed());  // the copy starts from nothing
        const auto months = listSavedMonths(folder_, kNames);
        ASSERT_EQ(months.size(), 2u);
        EXPECT_TRUE(copyFromMonth(y, months[1]));
    });
    EXPECT_TRUE(result.needsCompanyData);
    const PeriodBlock& b = target.block();
    EXPECT_EQ(b.settings.companyName.utf8(), "山田商店");
    EXPECT_EQ(b.settings.scheduledDays, 20);
    EXPECT_EQ(b.attendance[0].paidLeaveBalance, 6.5);
    EXPECT_EQ(b.attendance[1].paidLeaveBalance, 0.0);
    EXPECT_EQ(b.attendance[1].daysWorked, 20.0);
}

}  // namespace
}  // namespace keiro
