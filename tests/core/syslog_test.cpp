// The system log: line format and bytes on disk, reading back, CSV export.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "core/fileio.h"
#include "core/syslog.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

using std::chrono::system_clock;

// 2025-04-01 09:05:30 in Tokyo.
system_clock::time_point aprilFirst() {
    using namespace std::chrono;
    return sys_days{year{2025} / April / 1} + hours{0} + minutes{5} + seconds{30};
}

class SysLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("TZ", "Asia/Tokyo", 1);
        ::tzset();
    }

    testing_support::TempFolder dir_{"keiro-syslog"};
};

TEST_F(SysLogTest, EveryCodeHasItsText) {
    const std::pair<int, const char*> cases[] = {
        {10, "Keiroを起動"},
        {11, "従業員情報の登録"},
        {12, "従業員情報の更新"},
        {13, "従業員情報の削除"},
        {20, "KeiroLG・源泉徴収印刷を起動"},
        {21, "源泉徴収票の印刷"},
        {22, "給与支払報告書の印刷"},
        {0, ""},
        {14, ""},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(formatLogLine(code, aprilFirst()), std::string("2025/04/01 09:05  ") + text)
            << code;
    }
}

TEST_F(SysLogTest, LinesAreAppendedInCodePage932WithCrLf) {
    writeLog(dir_, 11, aprilFirst());
    writeLog(dir_, 99, aprilFirst() + std::chrono::hours(15));  // next day, unknown code
    const std::string bytes = readFile(dir_ / "システムログ.dat");
    const std::string expected =
        "2025/04/01 09:05  \x8f\x5d\x8b\xc6\x88\xf5\x8f\xee\x95\xf1\x82\xcc\x93\x6f\x98\x5e\r\n"
        "2025/04/02 00:05  \r\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(fs::status(dir_ / "システムログ.dat").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A log that others were allowed to read before is private again after the next line.
    fs::permissions(dir_ / "システムログ.dat", fs::perms(0666));
    writeLog(dir_, 11, aprilFirst());
    EXPECT_EQ(fs::status(dir_ / "システムログ.dat").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SysLogTest, WritingIntoAMissingFolderIsAnIoError) {
    EXPECT_THROW(writeLog(dir_ / "missing", 10), IoError);
}

TEST_F(SysLogTest, ReadsLinesOldestFirstAndAMissingLogAsEmpty) {
    const SystemLog missing = readLogLines(dir_);
    EXPECT_FALSE(missing.exists);
    EXPECT_TRUE(missing.lines.empty());

    writeLog(dir_, 10, aprilFirst());
    appendToFile(systemLogPath(dir_), "lone LF\n\r\nno end");
    const SystemLog log = readLogLines(dir_);
    EXPECT_TRUE(log.exists);
    const std::vector<std::string> expected = {"2025/04/01 09:05  Keiroを起動", "lone LF", "",
                                               "no end"};
    EXPECT_EQ(log.lines, expected);
}

TEST_F(SysLogTest, ExportsDateAndTextAsQuotedFields) {
    const fs::path out = dir_ / "log.csv";
    exportLogCsv({"2025/04/01 09:05  従業員情報の登録"}, out);
    EXPECT_EQ(text::fromCp932(readFile(out)),
              "日時, 内容\r\n\"2025/04/01 09:05\", \"従業員情報の登録\"\r\n");
    EXPECT_EQ(readFile(out).substr(0, 4), "\x93\xfa\x8e\x9e");  // 日時 in code page 932
}

TEST_F(SysLogTest, EmptyLogExportsOnlyTheHeader) {
    const fs::path out = dir_ / "empty.csv";
    exportLogCsv({}, out);
    EXPECT_EQ(text::fromCp932(readFile(out)), "日時, 内容\r\n");
}

TEST_F(SysLogTest, DamagedLinesExportWithoutCrashing) {
    const fs::path out = dir_ / "damaged.csv";
    exportLogCsv({"", "abc", "2025/04/01 09:05 x", "壊れた行\xEF\xBF\xBD😀", "\xFF\xFE"}, out);
    EXPECT_EQ(text::fromCp932(readFile(out)),
              "日時, 内容\r\n"
              "\"\", \"\"\r\n"
              "\"abc\", \"\"\r\n"
              "\"2025/04/01 09:05\", \"\"\r\n"
              "\"壊れた行??\", \"\"\r\n"
              "\"??\", \"\"\r\n");
}

}  // namespace
}  // namespace keiro
