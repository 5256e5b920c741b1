// Converting Japan Post's list into YubinNo.dat: the towns as they are kept, and the lines that
// refuse the whole file.
#include <gtest/gtest.h>

#include "core/text.h"
#include "tests/withholding_postal/postal_fixture.h"
#include "withholding/postal/ken_all.h"
#include "withholding/postal/postal_file.h"

namespace keiro::withholding {
namespace {

using testing_support::kenAll;
using testing_support::kenAllLine;

TEST(KenAllTest, TownsAreTidiedAndTheFirstLineOfACodeKept) {
    const PostalConversion result = convertKenAll(testing_support::sampleKenAll());
    ASSERT_TRUE(result.ok()) << (result.errors.empty() ? "" : result.errors.front());
    EXPECT_EQ(result.lines, 7u);
    const std::vector<PostalEntry> expected = {
        {"0600000", "北海道札幌市中央区"}, {"0600042", "北海道札幌市中央区大通西"},
        {"0660005", "北海道千歳市協和"},   {"1000001", "東京都千代田区千代田"},
        {"1234500", "東京都架空市五番町"},
    };
    EXPECT_EQ(result.entries, expected);
}

TEST(KenAllTest, PlaceholderTownsGiveNoTown) {
    const PostalConversion result = convertKenAll(kenAll({
        kenAllLine("3998501", "長野県", "北安曇郡松川村", "松川村の次に番地がくる場合"),
        kenAllLine("4010501", "山梨県", "南都留郡山中湖村", "山中湖村一円"),
        kenAllLine("5220341", "滋賀県", "犬上郡多賀町", "一円"),  // a real town of that name
        kenAllLine("1006090", "東京都", "千代田区", "大手町（次のビルを除く）"),
        kenAllLine("1006091", "東京都", "千代田区", "大手町ビル（地階・階層不明）"),
    }));
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.entries.size(), 5u);
    EXPECT_EQ(result.entries[0].address, "長野県北安曇郡松川村");
    EXPECT_EQ(result.entries[1].address, "山梨県南都留郡山中湖村");
    EXPECT_EQ(result.entries[2].address, "滋賀県犬上郡多賀町一円");
    EXPECT_EQ(result.entries[3].address, "東京都千代田区大手町");
    EXPECT_EQ(result.entries[4].address, "東京都千代田区大手町ビル");
}

TEST(KenAllTest, EveryBadLineIsNamedAndRefusesTheFile) {
    const std::string good = kenAllLine("1000001", "東京都", "千代田区", "千代田");
    const PostalConversion result = convertKenAll(
        kenAll({good,
                "01101,\"060  \",\"0600000\",\"ﾎｯｶｲﾄﾞｳ\"\r\n",        // 2: cut short
                kenAllLine("060000", "北海道", "札幌市", "北一条"),   // 3: six digits
                kenAllLine("06000a0", "北海道", "札幌市", "北一条"),  // 4: a letter
                kenAllLine("0600001", "北海県", "札幌市", "北一条"),  // 5: no such prefecture
                kenAllLine("0600001", "北海道", "", "北一条"),        // 6: no city
                kenAllLine("0600001", "北海道", "札幌市", ""),        // 7: no town
                good, "\r\n"}) +                                      // 8 good, 9 blank
        "01101,\"060  \",\"0600002\",\"\",\"\",\"\",\"\xFF\",\"a\",\"b\"\r\n");  // 10: broken byte
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.errorCount, 7u);
    const std::vector<std::string> expected = {
        "2行目: 項目が足りません。",
        "3行目: 郵便番号が7桁の数字ではありません。",
        "4行目: 郵便番号が7桁の数字ではありません。",
        "5行目: 都道府県名が正しくありません。",
        "6行目: 市区町村名がありません。",
        "7行目: 町域名がありません。",
        "10行目: Shift-JISの文字として読めない文字があります。",
    };
    EXPECT_EQ(result.errors, expected);
}

TEST(KenAllTest, ForeignAndEmptyFilesAreRefused) {
    // The UTF-8 edition of the list, or any other file, fails on its first line.
    const std::string utf8 = kenAllLine("1000001", "東京都", "千代田区", "千代田");
    EXPECT_FALSE(convertKenAll(utf8).ok());
    EXPECT_FALSE(convertKenAll("\x89PNG\r\n\x1a\n").ok());
    const PostalConversion empty = convertKenAll("\r\n\r\n");
    EXPECT_FALSE(empty.ok());
    EXPECT_EQ(empty.errors, std::vector<std::string>{"郵便番号のデータが1件もありません。"});

    std::vector<std::string> many;
    for (int i = 0; i < 30; ++i) many.push_back("x\r\n");
    const PostalConversion garbage = convertKenAll(kenAll(many));
    EXPECT_EQ(garbage.errorCount, 30u);
    EXPECT_EQ(garbage.errors.size(), kMaxErrors);
}

TEST(KenAllTest, WrittenFileIsFoundByTheLookup) {
    const PostalConversion result = convertKenAll(testing_support::sampleKenAll());
    const std::string file = postalFileText(result.entries);
    EXPECT_EQ(file.substr(0, 9), "0600000 \x96");  // code, blank, then code page 932 text
    EXPECT_EQ(findAddress(file, "0660005"), "北海道千歳市協和");
    EXPECT_EQ(findAddress(file, "1000001"), "東京都千代田区千代田");
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
}

TEST(KenAllTest, EachCodeKeepsTheMunicipalityOfItsFirstLine) {
    const PostalConversion result = convertKenAll(kenAll({
        kenAllLine("0600042", "北海道", "札幌市中央区", "大通西（１～１９丁目）", "01101"),
        kenAllLine("0600042", "北海道", "札幌市中央区", "大通西（２０丁目）", "01101"),
        kenAllLine("1000001", "東京都", "千代田区", "千代田", "1310"),  // not five digits
        kenAllLine("2310001", "神奈川県", "横浜市中区", "新港", "14104"),
    }));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.entries.size(), 3u);  // the postal codes themselves are all kept
    const std::vector<PostalMunicipality> expected = {
        {"0600042", "01101", "札幌市中央区"},
        {"2310001", "14104", "横浜市中区"},
    };
    EXPECT_EQ(result.municipalities, expected);
    const std::string file = municipalityFileText(result.municipalities);
    EXPECT_EQ(findMunicipality(file, "2310001"), (Municipality{141003, "横浜市"}));
}

}  // namespace
}  // namespace keiro::withholding
