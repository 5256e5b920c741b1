// Carrying data over from the earlier products into a newly created data folder.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "core/carryover.h"
#include "core/fileio.h"
#include "core/records.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

class CarryOverTest : public ::testing::Test {
  protected:
    void SetUp() override { createPrivateDirectories(places_.dataFolder); }

    static void put(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path lite() const { return liteSettingsFolder(places_); }
    fs::path inrado() const { return inrado4Folder(places_); }
    fs::path newData(const std::string& name) const { return places_.dataFolder / name; }

    testing_support::TempFolder dir_{"keiro-carry"};
    Places places_ = placesUnder(dir_, dir_ / "bin");
};

TEST_F(CarryOverTest, FirstRunWithoutEarlierProductsDoesNothing) {
    const CarryOverResult result = carryOverFromEarlierProducts(places_);
    EXPECT_EQ(result.source, CarryOverSource::None);
    EXPECT_FALSE(result.message);
    EXPECT_TRUE(result.filesDone.empty());
    EXPECT_TRUE(fs::is_empty(places_.dataFolder));
    EXPECT_FALSE(fs::exists(places_.iniFile));
}

TEST_F(CarryOverTest, LiteEditionDataIsCopiedWithItsSettings) {
    put(lite() / "Keiro.ini", "[Option]\r\nCorpName=Lite\r\n");
    put(lite() / "Data" / "令和07年給与･賞与.dat", "year");
    put(lite() / "Data" / "システムログ.dat", "log");
    put(lite() / "Data" / "readme.txt", "not data");

    const CarryOverResult result = carryOverFromEarlierProducts(places_);
    EXPECT_EQ(result.source, CarryOverSource::KeiroLite);
    EXPECT_EQ(result.filesDone.size(), 2u);
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(readFile(newData("令和07年給与･賞与.dat")), "year");
    EXPECT_EQ(readFile(newData("システムログ.dat")), "log");
    EXPECT_FALSE(fs::exists(newData("readme.txt")));
    EXPECT_EQ(readFile(places_.iniFile), "[Option]\r\nCorpName=Lite\r\n");
    EXPECT_EQ(fs::status(newData("システムログ.dat")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(result.message);
    EXPECT_EQ(result.message->kind, StartupMessage::Kind::Information);
    EXPECT_EQ(result.message->text, "｢Keiro 50人版｣のデータを移行しました。");
}

TEST_F(CarryOverTest, LiteCopyStopsAtTheFirstFailureAndNeverReplacesAFile) {
    put(lite() / "Keiro.ini", "ini");
    put(lite() / "Data" / "a.dat", "a");
    put(lite() / "Data" / "b.dat", "b");
    put(lite() / "Data" / "c.dat", "c");
    fs::create_directories(newData("b.dat"));  // in the way of the second copy

    const CarryOverResult result = carryOverFromEarlierProducts(places_);
    EXPECT_EQ(result.filesDone, std::vector<std::string>{"a.dat"});
    EXPECT_EQ(result.problems.size(), 2u);  // b failed, c not tried
    EXPECT_TRUE(fs::is_directory(newData("b.dat")));
    EXPECT_FALSE(fs::exists(newData("c.dat")));
    EXPECT_TRUE(result.iniReplaced);  // the settings still follow
}

// Fills slot `slot` of period `period` of a legacy 80-slot year file with marker bytes per array.
void markLegacySlot(std::string& file, int period, int slot) {
    char* block =
        file.data() + kHeaderSize + static_cast<std::size_t>(period - 1) * kLegacyBlockSize;
    std::memset(block, 0x5E, sizeof(PeriodSettings));
    char* array = block + sizeof(PeriodSettings);
    const std::pair<std::size_t, char> arrays[] = {
        {sizeof(EmployeeRecord), 0x11},
        {sizeof(AttendanceRecord), 0x22},
        {sizeof(PaymentRecord), 0x33},
        {sizeof(DeductionRecord), 0x44},
    };
    for (const auto& [size, marker] : arrays) {
        std::memset(array + (slot - 1) * size, marker, size);
        array += kLegacyEmployees * size;
    }
}

bool allBytes(const void* data, std::size_t size, unsigned char value) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != value) return false;
    }
    return true;
}

TEST_F(CarryOverTest, Inrado4YearFileGrowsTo100SlotsKeepingEverySlot) {
    std::string legacy(kLegacyYearFileSize, '\0');
    std::memset(legacy.data(), 0x7A, kHeaderSize);
    markLegacySlot(legacy, 1, 1);
    markLegacySlot(legacy, 15, 80);
    put(inrado() / "Data" / "平成30年給与･賞与.dat", legacy);

    const CarryOverResult result = carryOverFromEarlierProducts(places_);
    EXPECT_EQ(result.source, CarryOverSource::Inrado4);
    EXPECT_TRUE(result.problems.empty());
    const std::string converted = readFile(newData("平成30年給与･賞与.dat"));
    ASSERT_EQ(converted.size(), kYearFileSize);
    EXPECT_TRUE(allBytes(converted.data(), kHeaderSize, 0x7A));

    auto block = std::make_unique<PeriodBlock>();
    std::memcpy(block.get(), converted.data() + blockOffset(1), kBlockSize);
    EXPECT_TRUE(allBytes(&block->settings, sizeof(PeriodSettings), 0x5E));
    EXPECT_TRUE(allBytes(&block->employees[0], sizeof(EmployeeRecord), 0x11));
    EXPECT_TRUE(allBytes(&block->deductions[0], sizeof(DeductionRecord), 0x44));

    std::memcpy(block.get(), converted.data() + blockOffset(15), kBlockSize);
    EXPECT_TRUE(allBytes(&block->settings, sizeof(PeriodSettings), 0x5E));
    EXPECT_TRUE(allBytes(&block->employees[79], sizeof(EmployeeRecord), 0x11));
    EXPECT_TRUE(allBytes(&block->attendance[79], sizeof(AttendanceRecord), 0x22));
    EXPECT_TRUE(allBytes(&block->payments[79], sizeof(PaymentRecord), 0x33));
    EXPECT_TRUE(allBytes(&block->deductions[79], sizeof(DeductionRecord), 0x44));
    EXPECT_TRUE(allBytes(&block->employees[80], 20 * sizeof(EmployeeRecord), 0));
    EXPECT_TRUE(allBytes(&block->attendance[80], 20 * sizeof(AttendanceRecord), 0));
    EXPECT_TRUE(allBytes(&block->payments[80], 20 * sizeof(PaymentRecord), 0));
    EXPECT_TRUE(allBytes(&block->deductions[80], 20 * sizeof(DeductionRecord), 0));
    EXPECT_TRUE(allBytes(&block->employees[0], sizeof(EmployeeRecord), 0));
}

TEST_F(CarryOverTest, Inrado4FilesAreConvertedByTheirNames) {
    struct Withholding {
        const char* name;
        std::size_t recordSize;
    };
    const Withholding withholding[] = {
        {"源泉徴収(平成27年).dat", 500},
        {"源泉徴収(平成28年).dat", 1500},
        {"源泉徴収(令和02年).dat", 1500},
    };
    for (const Withholding& w : withholding) {
        std::string file(300 + 80 * w.recordSize, '\x01');
        file.back() = '\x09';
        put(inrado() / "Data" / w.name, file);
    }
    put(inrado() / "Data" / "社員情報.dat", "employees");
    put(inrado() / "Data" / "システムログ.dat", "old log");
    put(inrado() / "Inrado.ini", "[Option]\r\n");

    const CarryOverResult result = carryOverFromEarlierProducts(places_);
    EXPECT_TRUE(result.problems.empty());
    for (const Withholding& w : withholding) {
        SCOPED_TRACE(w.name);
        const std::string converted = readFile(newData(w.name));
        ASSERT_EQ(converted.size(), 300 + 100 * w.recordSize);
        const std::size_t oldEnd = 300 + 80 * w.recordSize;
        EXPECT_EQ(converted[oldEnd - 1], '\x09');
        EXPECT_TRUE(allBytes(converted.data(), oldEnd - 1, 0x01));
        EXPECT_TRUE(allBytes(converted.data() + oldEnd, 20 * w.recordSize, 0));
    }
    EXPECT_EQ(readFile(newData("社員情報.dat")), "employees");
    EXPECT_FALSE(fs::exists(newData("システムログ.dat")));
    EXPECT_EQ(result.filesDone.size(), 4u);
    EXPECT_EQ(readFile(places_.iniFile), "[Option]\r\n");
    ASSERT_TRUE(result.message);
    EXPECT_EQ(result.message->text, "｢Tanshop Inrado4｣のデータを移行しました。");
}

TEST_F(CarryOverTest, ShortOrUnreadableInrado4FilesAreLeftBehindWithAReason) {
    put(inrado() / "Data" / "平成29年給与･賞与.dat", std::string(kLegacyYearFileSize - 1, '\x01'));
    put(inrado() / "Data" / "源泉徴収(平成28年).dat", std::string(300 + 40'000, '\x01'));
    put(inrado() / "Data" / "源泉徴収(平成xx年).dat", std::string(300 + 120'000, '\x01'));
    put(inrado() / "Data" / "源泉徴収.dat", "");
    put(inrado() / "Data" / "社員情報.dat", "employees");

    const CarryOverResult result = carryOverFromEarlierProducts(places_);
    EXPECT_EQ(result.problems.size(), 4u);
    EXPECT_EQ(result.filesDone, std::vector<std::string>{"社員情報.dat"});
    EXPECT_FALSE(fs::exists(newData("平成29年給与･賞与.dat")));
    EXPECT_FALSE(fs::exists(newData("源泉徴収(平成28年).dat")));
    EXPECT_FALSE(result.message);  // no Inrado.ini: nothing to announce
}

}  // namespace
}  // namespace keiro
