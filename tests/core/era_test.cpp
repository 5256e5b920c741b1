// Era names come from ICU's Japanese calendar; file names and the year list are built from them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <utility>
#include <vector>

#include "core/era.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using std::chrono::year_month_day;

year_month_day day(int y, unsigned m, unsigned d) {
    return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d};
}

const EraNames kNames{"平成", "令和"};

TEST(EraCalendar, DatesAroundTheChangesOfEra) {
    struct Case {
        year_month_day date;
        EraDate expected;
    };
    const Case cases[] = {
        {day(1989, 1, 7), {"昭和", 64, 1, 7}},    {day(1989, 1, 8), {"平成", 1, 1, 8}},
        {day(2019, 4, 30), {"平成", 31, 4, 30}},  {day(2019, 5, 1), {"令和", 1, 5, 1}},
        {day(2026, 12, 31), {"令和", 8, 12, 31}},
    };
    for (const Case& c : cases) {
        const EraDate got = eraDateOf(c.date);
        EXPECT_EQ(got.eraName, c.expected.eraName);
        EXPECT_EQ(got.eraYear, c.expected.eraYear) << got.eraName;
        EXPECT_EQ(got.month, c.expected.month);
        EXPECT_EQ(got.day, c.expected.day);
    }
}

TEST(EraCalendar, WesternBirthYearsBecomeTheEraOfTheDateTyped) {
    const auto era = [](int y, int m, int d) {
        const auto date = eraDateOfBirthYear(y, m, d);
        return date ? date->eraName + std::to_string(date->eraYear) : std::string("none");
    };
    EXPECT_EQ(era(1985, 0, 0), "昭和60");
    EXPECT_EQ(era(1989, 0, 0), "平成1");  // no month: the year's end
    EXPECT_EQ(era(1989, 1, 0), "平成1");  // no day: the month's end
    EXPECT_EQ(era(1989, 1, 7), "昭和64");
    EXPECT_EQ(era(1926, 12, 24), "大正15");
    EXPECT_EQ(era(1926, 12, 25), "昭和1");
    EXPECT_EQ(era(1912, 7, 29), "明治45");
    EXPECT_EQ(era(2019, 4, 30), "平成31");
    EXPECT_EQ(era(1867, 0, 0), "none");
    EXPECT_EQ(era(1990, 2, 30), "none");
    EXPECT_EQ(era(1990, 13, 1), "none");
    EXPECT_EQ(lastYearOfEra("昭和"), 64);
    EXPECT_EQ(lastYearOfEra("令和"), 99);
}

TEST(EraNames, CurrentYearFileFollowsTheDate) {
    struct Case {
        year_month_day today;
        const char* newEraOverride;
        const char* newEra;
        const char* fileName;
    };
    const Case cases[] = {
        {day(2019, 6, 1), "", "令和", "平成31年給与･賞与.dat"},
        {day(2019, 1, 1), "", "令和", "平成31年給与･賞与.dat"},
        {day(2020, 1, 1), "", "令和", "令和02年給与･賞与.dat"},
        {day(2026, 7, 15), "", "令和", "令和08年給与･賞与.dat"},
        {day(2020, 1, 1), "安永", "安永", "安永02年給与･賞与.dat"},
        // Before 2019 there is no new era yet, whatever is configured.
        {day(2018, 12, 31), "安永", "平成", "平成30年給与･賞与.dat"},
        {day(2004, 4, 1), "", "平成", "平成16年給与･賞与.dat"},
        // A name that would put the file into another folder is not used.
        {day(2020, 1, 1), "../x", "令和", "令和02年給与･賞与.dat"},
    };
    for (const Case& c : cases) {
        const EraNames names = eraNamesFor(c.today, c.newEraOverride);
        EXPECT_EQ(names.earlier, "平成");
        EXPECT_EQ(names.newEra, c.newEra) << c.fileName;
        EXPECT_EQ(currentYearFileName(c.today, names), c.fileName);
    }
}

TEST(EraNames, FileNameUsesTheHalfWidthMiddleDot) {
    const std::string name = yearFileName({"令和", 2});
    EXPECT_NE(name.find("\xEF\xBD\xA5"), std::string::npos);  // U+FF65
    EXPECT_EQ(name.find("\xE3\x83\xBB"), std::string::npos);  // not the full-width U+30FB
}

TEST(EraNames, CalendarAndEraYearsConvertBothWays) {
    struct Case {
        int calendarYear;
        EraYear filed;
    };
    const Case cases[] = {
        {2004, {"平成", 16}}, {2018, {"平成", 30}}, {2019, {"平成", 31}},
        {2020, {"令和", 2}},  {2038, {"令和", 20}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileEraYearOf(c.calendarYear, kNames), c.filed) << c.calendarYear;
        EXPECT_EQ(calendarYearOf(c.filed, kNames), c.calendarYear);
    }
}

TEST(EraNames, PreviousYearFile) {
    struct Case {
        const char* era;
        int year;
        EraNames names;
        const char* expected;
    };
    const Case cases[] = {
        {"令和", 2, kNames, "平成31年給与･賞与.dat"},
        {"令和", 8, kNames, "令和07年給与･賞与.dat"},
        {"平成", 31, kNames, "平成30年給与･賞与.dat"},
        {"安永", 2, {"平成", "安永"}, "平成31年給与･賞与.dat"},
        // Before the change of era both names are the same era: year 2 follows year 1.
        {"平成", 2, {"平成", "平成"}, "平成01年給与･賞与.dat"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(previousYearFileName(c.era, c.year, c.names), c.expected);
    }
}

TEST(EraNames, Heisei31AfterAprilIsShownAsYearOneOfTheNewEra) {
    EXPECT_EQ(displayEraYear({"平成", 31}, 4, kNames), (EraYear{"平成", 31}));
    EXPECT_EQ(displayEraYear({"平成", 31}, 5, kNames), (EraYear{"令和", 1}));
    EXPECT_EQ(displayEraYear({"平成", 31}, 12, kNames), (EraYear{"令和", 1}));
    EXPECT_EQ(displayEraYear({"平成", 30}, 6, kNames), (EraYear{"平成", 30}));
    EXPECT_EQ(displayEraYear({"令和", 31}, 6, kNames), (EraYear{"令和", 31}));
}

class YearFileSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() / ("keiro-era-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    void touch(const std::string& name) { std::ofstream(folder_ / name) << "x"; }

    fs::path folder_;
};

TEST_F(YearFileSearch, ListsTheEarlierEraThenTheNewEraWithinTheirRanges) {
    for (const char* name :
         {"平成15年給与･賞与.dat", "平成16年給与･賞与.dat", "平成31年給与･賞与.dat",
          "令和02年給与･賞与.dat", "令和20年給与･賞与.dat", "令和21年給与･賞与.dat",
          "令和05年給与・賞与.dat"}) {
        touch(name);
    }
    const auto entries = findYearFiles(folder_, kNames);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, "平成16年");
    EXPECT_EQ(entries[1].text, "平成31年");
    EXPECT_EQ(entries[2].text, "令和02年");
    EXPECT_EQ(entries[3].text, "令和20年");
    EXPECT_EQ(entries[3].year, (EraYear{"令和", 20}));
    EXPECT_EQ(entries[1].path, folder_ / "平成31年給与･賞与.dat");

    // Before the new era exists, only the earlier era is searched.
    EXPECT_EQ(findYearFiles(folder_, {"平成", "平成"}).size(), 2u);

    // The years a new file may be made for are exactly the searched ones.
    for (const auto& [year, listed] : std::vector<std::pair<EraYear, bool>>{{{"平成", 15}, false},
                                                                            {{"平成", 16}, true},
                                                                            {{"平成", 31}, true},
                                                                            {{"平成", 32}, false},
                                                                            {{"令和", 1}, false},
                                                                            {{"令和", 2}, true},
                                                                            {{"令和", 20}, true},
                                                                            {{"令和", 21}, false},
                                                                            {{"大正", 5}, false}}) {
        EXPECT_EQ(isListedYear(year, kNames), listed) << year.eraName << year.eraYear;
    }
    EXPECT_FALSE(isListedYear({"令和", 5}, {"平成", "平成"}));
    EXPECT_EQ(listedYearsMessage(kNames),
              "作成できるのは平成16年～31年、令和02年～20年のデータファイルです。");
    EXPECT_EQ(listedYearsMessage({"平成", "平成"}),
              "作成できるのは平成16年～31年のデータファイルです。");
}

}  // namespace
}  // namespace keiro

namespace keiro {
namespace {

TEST(YearFileNames, ParseBackIntoEraAndYear) {
    const auto parsed = parseYearFileName("令和08年給与･賞与.dat");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->eraName, "令和");
    EXPECT_EQ(parsed->eraYear, 8);
    EXPECT_EQ(yearFileName(*parseYearFileName("平成31年給与･賞与.dat")), "平成31年給与･賞与.dat");
    for (const char* bad : {"令和8年給与･賞与.dat", "令和0x年給与･賞与.dat", "給与･賞与.dat",
                            "令和08年給与・賞与.dat", "", "08年給与･賞与.dat.bak"}) {
        EXPECT_FALSE(parseYearFileName(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace keiro
