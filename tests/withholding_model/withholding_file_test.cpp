#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/errors.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"
#include "withholding/model/withholding_file.h"

namespace keiro::withholding {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

TEST(WithholdingFile, SavesAtomicallyPrivateAndReadsBack) {
    TempFolder folder("keiro-wh-file");
    const fs::path path = folder / "源泉徴収(令和08年).dat";
    WithholdingFile file(true);
    file.header().address1.assign("東京都千代田区");
    file.record(1).paid = 4'800'000;
    file.record(100).incomeEstimateEntered = 1;
    file.record(100).incomeEstimate = 0;
    file.record(100).specificRelativeIncome[3] = 1'000'000;
    file.save(path);

    EXPECT_EQ(fs::file_size(path), 150'300u);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, kPrivateFile);
    // Nothing but the file itself is left in the folder (no temporary file).
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);

    const std::string bytes = readFile(path);
    const std::size_t slot100 = 300 + 99 * 1500;
    EXPECT_EQ(bytes[slot100 + 1363], 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[slot100 + 1372 + 12 + 1]), 0x42);  // 1,000,000

    const WithholdingFile loaded = WithholdingFile::load(path, true);
    EXPECT_EQ(loaded.header().address1.utf8(), "東京都千代田区");
    EXPECT_EQ(loaded.record(1).paid, 4'800'000);
    EXPECT_EQ(loaded.bytes(), file.bytes());

    WithholdingFile legacy(false);
    legacy.legacyRecord(3).paid = 1;
    legacy.save(folder / "legacy.dat");
    EXPECT_EQ(fs::file_size(folder / "legacy.dat"), 50'300u);
    EXPECT_EQ(WithholdingFile::load(folder / "legacy.dat", false).legacyRecord(3).paid, 1);
}

TEST(WithholdingFile, SupplementIsWrittenOnlyWhenUsedAndAWrongMarkIsRefused) {
    TempFolder folder("keiro-wh-supplement");
    const fs::path path = folder / "源泉徴収(令和08年).dat";
    WithholdingFile file(true);
    file.record(2).paid = 1;
    file.save(path);
    EXPECT_EQ(fs::file_size(path), 150'300u);  // an earlier version's size

    file.supplement(2).previousEmployers[0].payerName.assign("株式会社前田");
    file.supplement(2).previousEmployers[0].pay = 1'234'567;
    file.supplement(100).moreDependants[4].birth = {110, 2, 29};
    file.save(path);
    EXPECT_EQ(fs::file_size(path), 150'300u + 16 + 100 * 768);
    const WithholdingFile loaded = WithholdingFile::load(path, true);
    EXPECT_EQ(loaded.supplement(2).previousEmployers[0].payerName.utf8(), "株式会社前田");
    EXPECT_EQ(std::int32_t{loaded.supplement(2).previousEmployers[0].pay}, 1'234'567);
    EXPECT_EQ(loaded.supplement(100).moreDependants[4].birth.day, 29);
    EXPECT_EQ(loaded.bytes(), file.bytes());
    EXPECT_FALSE(loaded.differsFrom(path));

    std::string damaged = readFile(path);
    damaged[150'300] = 'X';
    writeFileAtomic(path, damaged);
    EXPECT_THROW(WithholdingFile::load(path, true), IoError);
    EXPECT_EQ(readFile(path), damaged);  // refused, not mended
    writeFileAtomic(path, damaged.substr(0, 150'300 + 16));
    EXPECT_THROW(WithholdingFile::load(path, true), IoError);
}

TEST(WithholdingFile, SavesThroughALinkAndLeavesNoTemporaryFilesOfEarlierSaves) {
    TempFolder folder("keiro-wh-link");
    const fs::path target = folder / "stick" / "源泉徴収(令和08年).dat";
    fs::create_directories(target.parent_path());
    WithholdingFile(true).save(target);
    const fs::path link = folder / "源泉徴収(令和08年).dat";
    fs::create_symlink(target, link);
    writeFileAtomic(target.parent_path() / "源泉徴収(令和08年).dat.tmp654321", "left by a crash");
    writeFileAtomic(target.parent_path() / "other.dat.tmp654321", "not ours");

    WithholdingFile loaded = WithholdingFile::load(link, true);  // opening clears the leftover
    EXPECT_FALSE(fs::exists(target.parent_path() / "源泉徴収(令和08年).dat.tmp654321"));
    loaded.record(5).paid = 123;
    writeFileAtomic(target.parent_path() / "源泉徴収(令和08年).dat.tmp1", "left by a crash");
    loaded.save(link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(WithholdingFile::load(target, true).record(5).paid, 123);
    EXPECT_FALSE(fs::exists(target.parent_path() / "源泉徴収(令和08年).dat.tmp1"));
    EXPECT_TRUE(fs::exists(target.parent_path() / "other.dat.tmp654321"));
}

TEST(WithholdingFile, ShortOrForeignFilesAreRefusedWithAReadableMessage) {
    TempFolder folder("keiro-wh-file");
    const fs::path path = folder / "源泉徴収(令和08年).dat";
    writeFileAtomic(path, std::string(1000, 'x'));
    try {
        WithholdingFile::load(path, true);
        FAIL() << "a short file was read";
    } catch (const IoError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("壊れています"), std::string::npos) << message;
        EXPECT_NE(message.find("1000"), std::string::npos) << message;
        EXPECT_EQ(e.path(), path);
    }
    // A legacy-sized file is not silently read as a current one, nor the other way round.
    WithholdingFile(false).save(path);
    EXPECT_THROW(WithholdingFile::load(path, true), IoError);
    WithholdingFile(true).save(path);
    EXPECT_THROW(WithholdingFile::load(path, false), IoError);
    EXPECT_THROW(WithholdingFile::load(folder / "missing.dat", true), IoError);
}

// Random bytes of the right size, or one field out of its range, are a damaged file: refused
// with the slot and the field named, and the file left as it was.
TEST(WithholdingFile, ADamagedRecordIsRefusedNamingSlotAndField) {
    TempFolder folder("keiro-wh-file");
    const fs::path path = folder / "源泉徴収(令和08年).dat";
    std::string random(150'000, '\0');
    std::uint32_t seed = 12345;
    for (char& c : random) {
        seed = seed * 1'103'515'245u + 12'345u;
        c = static_cast<char>(seed >> 24);
    }
    writeFileAtomic(path, random);
    EXPECT_THROW(WithholdingFile::load(path, true), IoError);
    EXPECT_EQ(readFile(path), random);

    const auto refusal = [&](const std::function<void(WithholdingRecord&)>& damage) {
        WithholdingFile file(true);
        damage(file.record(7));
        file.save(path);
        try {
            WithholdingFile::load(path, true);
        } catch (const IoError& e) {
            return std::string(e.what());
        }
        return std::string("(loaded)");
    };
    EXPECT_NE(refusal([](WithholdingRecord& r) { r.adjustStatus = 9; }).find("7人目: 年調の状態"),
              std::string::npos);
    EXPECT_NE(refusal([](WithholdingRecord& r) { r.address1.len = 200; }).find("7人目: 住所１"),
              std::string::npos);
    EXPECT_NE(refusal([](WithholdingRecord& r) {
                  r.remarks[2].len = 1;
                  r.remarks[2].text[0] = '\x81';  // half a double-byte character
              }).find("摘要"),
              std::string::npos);
    EXPECT_NE(refusal([](WithholdingRecord& r) { r.paid = 2'000'000'000; }).find("金額"),
              std::string::npos);
    EXPECT_EQ(refusal([](WithholdingRecord& r) { r.paid = 4'800'000; }), "(loaded)");
}

TEST(WithholdingFile, ChangeCheckComparesWithTheFileOrZeros) {
    TempFolder folder("keiro-wh-file");
    const fs::path path = folder / "源泉徴収(令和08年).dat";
    WithholdingFile file(true);
    EXPECT_FALSE(file.differsFrom(path)) << "an empty file compares equal to a missing one";
    file.record(7).adjustStatus = kCalculated;
    EXPECT_TRUE(file.differsFrom(path));
    file.save(path);
    EXPECT_FALSE(file.differsFrom(path));
    file.header().phone.assign("03-1234-5678");
    EXPECT_TRUE(file.differsFrom(path));
    file.save(path);

    // Deleted while the program runs: counts as changed, so the user is asked to save.
    fs::remove(path);
    EXPECT_TRUE(file.differsFrom(path));
    // A damaged file on disk is never taken as equal.
    writeFileAtomic(path, file.bytes().substr(0, 500));
    EXPECT_TRUE(file.differsFrom(path));
}

}  // namespace
}  // namespace keiro::withholding
