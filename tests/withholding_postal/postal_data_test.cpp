// New postal data, zip or CSV: unpacked with its limits, checked, and installed all or nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/fileio.h"
#include "core/municipality_file.h"
#include "tests/withholding_postal/postal_fixture.h"
#include "withholding/postal/postal_data.h"
#include "withholding/postal/postal_file.h"

namespace keiro::withholding {
namespace {

using testing_support::makeZip;
using testing_support::sampleKenAll;
using testing_support::TempFolder;

TEST(PostalZipTest, TheOneCsvIsUnpacked) {
    const std::string csv = sampleKenAll();
    const std::string zip = makeZip({{"KEN_ALL.CSV", csv}});
    EXPECT_TRUE(looksLikeZip(zip));
    EXPECT_FALSE(looksLikeZip(csv));
    EXPECT_EQ(unpackSingleCsv(zip), csv);
    EXPECT_EQ(unpackSingleCsv(makeZip({{"ken_all.csv", "x"}})), "x");
}

TEST(PostalZipTest, AnythingButOneSmallCsvIsRefused) {
    const std::string csv = sampleKenAll();
    const auto refused = [](const std::string& zip, std::size_t limit = kMaxPostalDataBytes) {
        try {
            unpackSingleCsv(zip, limit);
        } catch (const PostalDataError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refused(makeZip({{"KEN_ALL.CSV", csv}, {"README.txt", "x"}})),
              "圧縮ファイルには郵便番号データのCSVファイルが1つだけ入っている必要があります。");
    EXPECT_EQ(refused(makeZip({})),
              "圧縮ファイルには郵便番号データのCSVファイルが1つだけ入っている必要があります。");
    EXPECT_EQ(refused(makeZip({{"setup.exe", "MZ"}})),
              "圧縮ファイルの中身がCSVファイルではありません。");
    // A zip bomb: a megabyte of zeros packs into a few kilobytes.
    EXPECT_EQ(refused(makeZip({{"KEN_ALL.CSV", std::string(1 << 20, '0')}}), 1 << 19),
              "圧縮ファイルの中身が大きすぎます（0MBまで）。");
    const std::string zip = makeZip({{"KEN_ALL.CSV", csv}});
    const std::string broken = "圧縮ファイルが壊れているか、途中で切れています。";
    for (std::size_t cut : {zip.size() - 1, zip.size() / 2, std::size_t{4}}) {
        EXPECT_EQ(refused(zip.substr(0, cut)), broken) << cut;
    }
    std::string flipped = zip;
    flipped[40] = static_cast<char>(flipped[40] ^ 0x55);  // inside the packed data: CRC fails
    EXPECT_EQ(refused(flipped), broken);
}

TEST(PostalInstallTest, GoodDataReplacesTheFileAndBadDataLeavesIt) {
    TempFolder data("keiro-install");
    const std::filesystem::path target = postalFilePath(data);
    const PostalInstall installed =
        installPostalData(makeZip({{"KEN_ALL.CSV", sampleKenAll()}}), target);
    EXPECT_EQ(installed.lines, 7u);
    EXPECT_EQ(installed.entries, 5u);
    EXPECT_EQ(lookupAddress(target, "0600042"), "北海道札幌市中央区大通西");
    EXPECT_EQ(installed.municipalities, 5u);
    EXPECT_EQ(lookupMunicipality(data, "1000001").municipality, (Municipality{131016, "千代田区"}));
    const auto perms = std::filesystem::status(target).permissions();
    EXPECT_NE(perms & std::filesystem::perms::others_read, std::filesystem::perms::none);

    const std::string before = readFile(target);
    const std::string cut = sampleKenAll().substr(0, 300);  // cut inside a line
    EXPECT_THROW(installPostalData(cut, target), PostalDataError);
    EXPECT_THROW(installPostalData(makeZip({{"KEN_ALL.CSV", cut}}), target), PostalDataError);
    EXPECT_THROW(installPostalData("<html>Not Found</html>", target), PostalDataError);
    EXPECT_EQ(readFile(target), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.path()), {}), 2)
        << "the two files and no temporary file left behind";

    installPostalData(sampleKenAll(), target);  // the CSV itself is taken too
    EXPECT_EQ(readFile(target), before);
}

TEST(PostalInstallTest, ManyFaultsAreSummed) {
    std::string csv;
    for (int i = 0; i < 25; ++i) csv += "bad line\r\n";
    try {
        installPostalData(csv, "/nonexistent/never-written");
        FAIL() << "accepted";
    } catch (const PostalDataError& e) {
        ASSERT_EQ(e.reasons().size(), kMaxErrors + 1);
        EXPECT_EQ(e.reasons().front(), "1行目: 項目が足りません。");
        EXPECT_EQ(e.reasons().back(), "ほか5行にも誤りがあります。");
    }
}

}  // namespace
}  // namespace keiro::withholding
