// The postal-code box's text, its lookup key and the lookup in YubinNo.dat.
#include <gtest/gtest.h>

#include "core/fileio.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"
#include "withholding/postal/address_completion.h"
#include "withholding/postal/postal_code.h"
#include "withholding/postal/postal_file.h"

namespace keiro::withholding {
namespace {

using testing_support::TempFolder;

TEST(PostalCodeTest, BoxTextIsTidiedOnLeaving) {
    const std::pair<std::string, std::string> cases[] = {
        {"1234567", "123-4567"},
        {"12345", "123-45"},
        {"1234", "123-4"},
        {"12", "12"},
        {"", ""},
        {"abc", ""},
        {"123-4567", "123-4567"},
        {"１２３４５６７", "123-4567"},  // full-width digits from an input method
        {"〒123-4567", "123-4567"},
        {"123456789", "123-4567"},   // digits past the seventh are dropped
        {"  123 45 67", "123-456"},  // only the first ten characters count
    };
    for (const auto& [typed, shown] : cases) {
        EXPECT_EQ(normalisePostalCode(typed), shown) << typed;
    }
}

TEST(PostalCodeTest, LookupKeyIsSevenDigitsOrNothing) {
    EXPECT_EQ(postalLookupKey("123-4567"), "1234567");
    EXPECT_EQ(postalLookupKey("12345"), "1234500");
    EXPECT_EQ(postalLookupKey("123-45"), "1234500");
    EXPECT_EQ(postalLookupKey("12"), std::nullopt);
    EXPECT_EQ(postalLookupKey("123-4"), std::nullopt);
    EXPECT_EQ(postalLookupKey(""), std::nullopt);
    EXPECT_TRUE(isPostalCodeKey(U'7') && isPostalCodeKey(U'-') && isPostalCodeKey(U'\b'));
    EXPECT_FALSE(isPostalCodeKey(U'a') || isPostalCodeKey(U'１') || isPostalCodeKey(U' '));
}

TEST(YubinFileTest, FirstMatchingLineGivesTheAddress) {
    const std::string file = text::toCp932(
        "0600000 北海道札幌市中央区\r\n"
        "1234500 東京都架空市五番町\r\n"
        "1234567 東京都最初の町\r\n"
        "1234567 東京都二番目の町\r\n"
        "12\r\n"
        "7654321,区切りが違っても読む\n");
    EXPECT_EQ(findAddress(file, "1234567"), "東京都最初の町");
    EXPECT_EQ(findAddress(file, "1234500"), "東京都架空市五番町");
    EXPECT_EQ(findAddress(file, "7654321"), "区切りが違っても読む");
    EXPECT_EQ(findAddress(file, "0000000"), std::nullopt);
    EXPECT_EQ(findAddress(file, "12"), std::nullopt);  // never a prefix match
    EXPECT_EQ(findAddress(file, "123450"), std::nullopt);
    EXPECT_EQ(findAddress(file, "12\r\n123"), std::nullopt);  // not seven digits
    EXPECT_EQ(findAddress("", "1234567"), std::nullopt);
    EXPECT_EQ(findAddress("1234567", "1234567"), "");  // a code without an address
}

TEST(YubinFileTest, AddressIsCutAtNinetyNineCharacters) {
    std::string longAddress;
    for (int i = 0; i < 120; ++i) longAddress += "町";
    const std::string file = text::toCp932("1111111 " + longAddress + "\r\n");
    const std::optional<std::string> found = findAddress(file, "1111111");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, longAddress.substr(0, 99 * std::string("町").size()));
}

TEST(YubinFileTest, LookupInTheDataFolder) {
    TempFolder data("keiro-yubin");
    EXPECT_EQ(addressForPostalCode(data, "123-4567"), std::nullopt);  // no file: no lookup
    writeFileAtomic(postalFilePath(data), text::toCp932("1234500 東京都架空市\r\n"));
    EXPECT_EQ(addressForPostalCode(data, "12345"), "東京都架空市");
    EXPECT_EQ(addressForPostalCode(data, "12"), std::nullopt);
    EXPECT_EQ(lookupAddress(data / "nothing.dat", "1234500"), std::nullopt);
    EXPECT_THROW(lookupAddress(data.path(), "1234500"), IoError);  // a folder cannot be read
}

TEST(YubinFileTest, EditorCompletesOnlyAnEmptyLineWithTheDataFileMethod) {
    TempFolder data("keiro-yubin");
    writeFileAtomic(postalFilePath(data), text::toCp932("1234567 東京都架空市\r\n"));
    OptionSettings settings;
    settings.addressLookup = AddressLookup::DataFile;
    EXPECT_EQ(completedAddress(settings, data, "123-4567", ""), "東京都架空市");
    EXPECT_EQ(completedAddress(settings, data, "123-4567", "入力済みの住所"), std::nullopt);
    EXPECT_EQ(completedAddress(settings, data, "", ""), std::nullopt);
    settings.addressLookup = AddressLookup::InputMethodDictionary;
    EXPECT_EQ(completedAddress(settings, data, "123-4567", ""), std::nullopt);
    settings.addressLookup = AddressLookup::None;
    EXPECT_EQ(completedAddress(settings, data, "123-4567", ""), std::nullopt);
}

}  // namespace
}  // namespace keiro::withholding
