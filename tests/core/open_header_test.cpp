// The unsaved-change test of the fields a bonus keeps in the file's header: a changed pay month
// or day must not be dropped without the question.
#include "core/open_header.h"

#include <gtest/gtest.h>

#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

TEST(OpenHeaderTest, ABonusPayDateChangedSinceTheSaveIsAChange) {
    testing_support::TempFolder folder("keiro-open-header");
    const auto path = folder / yearFileName({"令和", 8});
    createYearFileIfMissing(path);
    YearData year;
    year.setFile(path, "令和", 8, {"平成", "令和"});
    EXPECT_FALSE(isOpenHeaderModified(year));  // nothing open

    year.openPeriod(13, {0, 0, 7, 10}, nullptr);
    EXPECT_TRUE(isOpenHeaderModified(year));  // never saved: 0/0 on disk
    year.savePeriod();
    EXPECT_FALSE(isOpenHeaderModified(year));

    // The clerk reopens the saved bonus with another pay day, then another month.
    year.openPeriod(13, {0, 0, 7, 11}, nullptr);
    EXPECT_TRUE(isOpenHeaderModified(year));
    year.openPeriod(13, {0, 0, 8, 10}, nullptr);
    EXPECT_TRUE(isOpenHeaderModified(year));
    year.openPeriod(13, {0, 0, 7, 10}, nullptr);
    EXPECT_FALSE(isOpenHeaderModified(year));

    // Months keep no header fields of their own.
    year.openPeriod(4, {20, 160.0, 0, 0}, nullptr);
    EXPECT_FALSE(isOpenHeaderModified(year));
}

}  // namespace
}  // namespace keiro
