#include <gtest/gtest.h>

#include <limits>

#include "tests/support/temp_folder.h"
#include "tests/withholding_model/year_files.h"
#include "withholding/model/yearly_totals.h"

namespace keiro::withholding {
namespace {

using testing::YearFileWriter;
using testing_support::TempFolder;

TEST(YearlyTotals, FollowTheEmployeeByRecordIdAcrossSlotsAndPeriods) {
    TempFolder folder("keiro-wh-totals");
    YearFileWriter writer;
    writer.put(1, 1, "250101_090000", 300'000, 40'000, 6'000);
    writer.put(2, 5, "250101_090000", 310'000, 41'000, 6'100);    // moved to slot 5
    writer.put(13, 2, "250101_090000", 500'000, 70'000, 20'000);  // a bonus
    writer.put(12, 3, "250101_090000", 320'000, 42'000, 6'200);
    // Another employee whose recordId only starts the same way, and one with the same text but
    // in a slot of a period that was never saved (its bytes must not count).
    writer.put(1, 2, "250101_09000", 999, 999, 999);
    writer.put(12, 9, "250101_090001", 1, 1, 1);
    writer.block(4).employee(1).recordId.assign("250101_090000");
    writer.block(4).payments[0].taxablePayTotal = 777;
    writer.write(folder / "y.dat");

    const YearView year(folder / "y.dat");
    EXPECT_EQ(yearlyTotals(year, "250101_090000"), (YearlyTotals{1'430'000, 193'000, 38'300}));
    EXPECT_EQ(yearlyTotals(year, ""), YearlyTotals{}) << "a free slot has no totals";

    const auto december = yearlyTotalsOfDecember(year);
    EXPECT_EQ(december[2].paid, 1'430'000);
    EXPECT_EQ(december[8], (YearlyTotals{1, 1, 1}));
    EXPECT_EQ(december[0], YearlyTotals{});
}

TEST(YearlyTotals, EverySlotWithTheRecordIdCountsAndSumsStayInRange) {
    TempFolder folder("keiro-wh-totals");
    YearFileWriter writer;
    writer.put(3, 1, "A", 100, 10, 1);
    writer.put(3, 2, "A", 200, 20, 2);  // the same employee twice in one period
    // The largest amounts a file may hold: fifteen of them overflow a 32-bit sum.
    for (int period = 1; period <= kPeriodCount; ++period) {
        writer.put(period, 50, "B", 999'999'999, 0, -999'999'999);
    }
    writer.write(folder / "y.dat");
    const YearView year(folder / "y.dat");
    EXPECT_EQ(yearlyTotals(year, "A"), (YearlyTotals{300, 30, 3}));
    const YearlyTotals huge = yearlyTotals(year, "B");
    EXPECT_EQ(huge.paid, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(huge.withheld, std::numeric_limits<std::int32_t>::min());
}

TEST(YearlyTotals, HandEnteredAmountsAreKept) {
    const YearlyTotals totals{1'000'000, 150'000, 30'000};
    WithholdingRecord record{};
    record.manualFlags[kManualSocialInsurance - 1] = 1;
    record.socialInsurance = 123;
    applyYearlyTotals(record, totals);
    EXPECT_EQ(record.paid, 1'000'000);
    EXPECT_EQ(record.socialInsurance, 123);
    EXPECT_EQ(record.withheld, 30'000);

    LegacyWithholdingRecord legacy{};
    legacy.manualFlags[kManualPaid - 1] = 1;
    legacy.manualFlags[kManualWithheld - 1] = 1;
    legacy.paid = 5;
    legacy.withheld = 6;
    applyYearlyTotals(legacy, totals);
    EXPECT_EQ(legacy.paid, 5);
    EXPECT_EQ(legacy.socialInsurance, 150'000);
    EXPECT_EQ(legacy.withheld, 6);
}

}  // namespace
}  // namespace keiro::withholding
