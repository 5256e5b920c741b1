// The general settings of the withholding program and where new postal data comes from.
#include <gtest/gtest.h>

#include "core/fileio.h"
#include "core/ini.h"
#include "tests/support/temp_folder.h"
#include "withholding/postal/option_settings.h"
#include "withholding/postal/postal_source.h"

namespace keiro::withholding {
namespace {

using testing_support::TempFolder;

TEST(OptionSettingsTest, DefaultsReadAndWrite) {
    TempFolder folder("keiro-options");
    IniFile ini(folder / "Keiro.ini");
    EXPECT_EQ(loadOptionSettings(ini), OptionSettings{});

    ini.apply(IniChanges()
                  .set("Option", "Syubetu", "給与")
                  .setInt("Option", "YubinDat", 2)
                  .setBool("Option", "AutoSelect", false)
                  .setBool("Option", "HasuuCut", false)
                  .setInt("Option", "PrAdjustH", -15)
                  .setInt("Option", "PrAdjustV", 7)
                  .set("Option", "YubinURL", "http://127.0.0.1:9/"));
    OptionSettings read = loadOptionSettings(ini);
    EXPECT_EQ(read.documentKind, "給与");
    EXPECT_EQ(read.addressLookup, AddressLookup::DataFile);
    EXPECT_FALSE(read.autoSelect);
    EXPECT_TRUE(read.overwriteDigits);
    EXPECT_FALSE(read.roundTaxTo100);
    EXPECT_DOUBLE_EQ(read.printOffsetXMillimetres(), -1.5);
    EXPECT_DOUBLE_EQ(read.printOffsetYMillimetres(), 0.7);
    EXPECT_EQ(read.postalDataUrl, "http://127.0.0.1:9/");

    ini.writeInt("Option", "YubinDat", 7);  // no such method
    EXPECT_EQ(loadOptionSettings(ini).addressLookup, AddressLookup::None);

    // Saving writes the dialog's own keys only: the offsets stay the print dialog's.
    read.addressLookup = AddressLookup::InputMethodDictionary;
    read.printLine = false;
    read.printOffsetXTenths = 99;
    read.postalDataUrl = "http://elsewhere/";
    saveOptionSettings(ini, read);
    IniFile again(folder / "Keiro.ini");
    const OptionSettings saved = loadOptionSettings(again);
    EXPECT_EQ(saved.addressLookup, AddressLookup::InputMethodDictionary);
    EXPECT_FALSE(saved.printLine);
    EXPECT_EQ(saved.printOffsetXTenths, -15);
    EXPECT_EQ(saved.postalDataUrl, "http://127.0.0.1:9/");
    EXPECT_EQ(again.readString("Option", "AutoSelect"), "0");
}

TEST(OptionSettingsTest, SyubetuIsTrimmedAndCutToTwelveBytes) {
    EXPECT_EQ(normaliseDocumentKind("  給与･賞与　"), "給与･賞与");
    EXPECT_EQ(normaliseDocumentKind("給与および賞与の支払"), "給与および賞");  // 12 bytes
    EXPECT_EQ(normaliseDocumentKind("abcdefghijk給"), "abcdefghijk");          // no half character
    EXPECT_EQ(normaliseDocumentKind("　 "), "");
}

TEST(PostalSourceTest, ZipAddressOrOfficeServer) {
    EXPECT_EQ(postalSourceFor("https://www.post.japanpost.jp/zipcode/dl/kogaki/zip/ken_all.zip"),
              (PostalSource{false, "",
                            "https://www.post.japanpost.jp/zipcode/dl/kogaki/zip/ken_all.zip"}));
    EXPECT_EQ(postalSourceFor("http://127.0.0.1:8080/KEN_ALL.ZIP?v=2"),
              (PostalSource{false, "", "http://127.0.0.1:8080/KEN_ALL.ZIP?v=2"}));
    const PostalSource office{true, "http://127.0.0.1:8080/support/zip/version.txt",
                              "http://127.0.0.1:8080/support/zip/zip.dat"};
    EXPECT_EQ(postalSourceFor("http://127.0.0.1:8080"), office);
    EXPECT_EQ(postalSourceFor("http://127.0.0.1:8080/"), office);

    EXPECT_EQ(versionDate("2026/12/01 公開\r\nsecond line"), "2026/12/01");
    EXPECT_EQ(versionDate("\xEF\xBB\xBF"
                          "2026/12/01\n"),
              "2026/12/01");
    EXPECT_EQ(versionDate("令和8年12月1日版です"), "令和8年12月1日版");
    EXPECT_EQ(versionDate(""), "");
}

}  // namespace
}  // namespace keiro::withholding
