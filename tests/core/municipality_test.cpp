// Municipality codes: the check digit, where a place's residence tax is paid, and the file that
// tells the municipality of a postal code.
#include <gtest/gtest.h>

#include "core/fileio.h"
#include "core/municipality.h"
#include "core/municipality_file.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

TEST(MunicipalityCodeTest, CheckDigitsOfKnownCodes) {
    // 13101: 1·6 + 3·5 + 1·4 + 0·3 + 1·2 = 27, 27 mod 11 = 5, 11 − 5 = 6 → 131016
    EXPECT_EQ(withCheckDigit(13101), 131016);  // 千代田区
    EXPECT_EQ(withCheckDigit(1100), 11002);    // 札幌市 011002
    EXPECT_EQ(withCheckDigit(14100), 141003);  // 横浜市
    EXPECT_EQ(withCheckDigit(27100), 271004);  // 大阪市
    EXPECT_EQ(withCheckDigit(47201), 472018);  // 那覇市
    // 01202: 0 + 5 + 8 + 0 + 4 = 17, 17 mod 11 = 6, 11 − 6 = 5
    EXPECT_EQ(municipalityCheckDigit(1202), 5);  // 函館市 012025
    // The two ends of the rule: remainder 0 gives 11 mod 10 = 1, remainder 1 gives 10 mod 10 = 0.
    EXPECT_EQ(municipalityCheckDigit(112), 1);  // 1·4 + 1·3 + 2·2 = 11
    EXPECT_EQ(municipalityCheckDigit(23), 0);   // 2·3 + 3·2 = 12
}

TEST(MunicipalityCodeTest, ValidCodesAndWhatIsRefused) {
    for (int code : {131016, 11002, 141003, 271004, 472018}) {
        EXPECT_TRUE(isValidMunicipalityCode(code)) << code;
    }
    EXPECT_FALSE(isValidMunicipalityCode(131017));  // wrong check digit
    EXPECT_FALSE(isValidMunicipalityCode(0));
    EXPECT_FALSE(isValidMunicipalityCode(withCheckDigit(48100)));  // no 48th prefecture
    EXPECT_FALSE(isValidMunicipalityCode(withCheckDigit(100)));    // nor a 0th
    EXPECT_FALSE(isValidMunicipalityCode(1000000));
    EXPECT_EQ(municipalityCodeText(11002), "011002");
    EXPECT_EQ(municipalityCodeText(0), "");
    EXPECT_EQ(parseMunicipalityCode("011002"), 11002);
    EXPECT_EQ(parseMunicipalityCode("11002"), std::nullopt);
    EXPECT_EQ(parseMunicipalityCode("01100a"), std::nullopt);
    EXPECT_EQ(parseMunicipalityCode("０１１００２"), std::nullopt);
}

TEST(MunicipalityCodeTest, WardsOfADesignatedCityPayToTheCity) {
    EXPECT_EQ(payingMunicipality(1101, "札幌市中央区"), (Municipality{11002, "札幌市"}));
    EXPECT_EQ(payingMunicipality(27128, "大阪市中央区"), (Municipality{271004, "大阪市"}));
    EXPECT_EQ(payingMunicipality(27120, "大阪市住吉区"), (Municipality{271004, "大阪市"}));
    EXPECT_EQ(payingMunicipality(27141, "堺市堺区"), (Municipality{withCheckDigit(27140), "堺市"}));
    EXPECT_EQ(payingMunicipality(22140, "浜松市天竜区"),
              (Municipality{withCheckDigit(22130), "浜松市"}));
    // Tokyo's special wards are municipalities; so are ordinary cities and towns.
    EXPECT_EQ(payingMunicipality(13101, "千代田区"), (Municipality{131016, "千代田区"}));
    EXPECT_EQ(payingMunicipality(47201, "那覇市"), (Municipality{472018, "那覇市"}));
    // The county is not part of a town's name; 郡山市 is a city of that name.
    EXPECT_EQ(payingMunicipality(1303, "石狩郡当別町").name, "当別町");
    EXPECT_EQ(payingMunicipality(7203, "郡山市").name, "郡山市");
}

TEST(MunicipalityFileTest, WrittenAndLookedUpByPostalCode) {
    const std::string file = municipalityFileText({
        {"0600042", "01101", "札幌市中央区"},
        {"1000001", "13101", "千代田区"},
        {"0613777", "01303", "石狩郡当別町"},
    });
    EXPECT_EQ(file.substr(0, 16), "0600042 01101 " + text::toCp932("札").substr(0, 2));
    EXPECT_EQ(findMunicipality(file, "0600042"), (Municipality{11002, "札幌市"}));
    EXPECT_EQ(findMunicipality(file, "1000001"), (Municipality{131016, "千代田区"}));
    EXPECT_EQ(findMunicipality(file, "0613777"), (Municipality{withCheckDigit(1303), "当別町"}));
    EXPECT_EQ(findMunicipality(file, "9999999"), std::nullopt);
    EXPECT_EQ(findMunicipality(file, "060004"), std::nullopt);
    // Damaged lines match nothing and never crash.
    EXPECT_EQ(findMunicipality("0600042 0110", "0600042"), std::nullopt);
    EXPECT_EQ(findMunicipality("0600042 0x101 name\r\n", "0600042"), std::nullopt);
    // An unreadable name is no ward of a city we know: the place's own code stands.
    EXPECT_EQ(findMunicipality(std::string_view("0600042 01101 \xFF", 15), "0600042")->code,
              withCheckDigit(1101));
}

TEST(MunicipalityFileTest, TheDataFolderSaysWhetherThereIsData) {
    testing_support::TempFolder folder("keiro-municipality");
    EXPECT_EQ(lookupMunicipality(folder, "1000001").outcome, MunicipalityLookup::NoData);
    writeFileAtomic(municipalityFilePath(folder),
                    municipalityFileText({{"1000001", "13101", "千代田区"}}));
    const MunicipalityAnswer found = lookupMunicipality(folder, "100-0001");
    EXPECT_EQ(found.outcome, MunicipalityLookup::Found);
    EXPECT_EQ(found.municipality, (Municipality{131016, "千代田区"}));
    EXPECT_EQ(lookupMunicipality(folder, "1000002").outcome, MunicipalityLookup::NotFound);
    EXPECT_EQ(lookupMunicipality(folder, "").outcome, MunicipalityLookup::NotFound);
}

}  // namespace
}  // namespace keiro
