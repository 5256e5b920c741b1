#include "withholding/model/entry_text.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "withholding/model/kana_reading.h"

namespace keiro::withholding {
namespace {

std::string repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(PayerTexts, AreNormalisedTrimmedAndCutToTheirFieldsInWholeCharacters) {
    WithholdingHeader header{};
    // 33 double-byte characters are 66 bytes: the 33rd is dropped whole, never halved.  The
    // half-width letter before them makes the cut fall inside a character.
    const std::string address1 = "　 A" + repeated("東", 33) + " ";
    const std::string address2 = repeated("ｱ", 70);
    storePayerTexts(header, {address1, address2, " 03−1234〜5678　"});
    EXPECT_EQ(header.address1.bytes().size(), 63u);
    EXPECT_EQ(header.address1.utf8(), "A" + repeated("東", 31));
    EXPECT_EQ(header.address2.bytes().size(), 64u);
    EXPECT_EQ(header.phone.utf8(), "03－1234～5678");  // the code page 932 twins
    EXPECT_EQ(payerTexts(header).phone, "03－1234～5678");

    storePayerTexts(header, {"", "", ""});
    EXPECT_EQ(payerTexts(header), PayerTexts{});
    EXPECT_EQ(header.address1.text[0], 0) << "no stale bytes after an emptied text";
}

TEST(PayerTexts, ATextWithoutACodePage932FormChangesNothing) {
    WithholdingHeader header{};
    storePayerTexts(header, {"東京都", "", "03"});
    EXPECT_THROW(storePayerTexts(header, {"大阪府", "", "\U0001F600"}), text::EncodingError);
    EXPECT_EQ(header.address1.utf8(), "東京都");
}

TEST(PayerTexts, AnEmptyHeaderTakesTheCompanyAddressOfTheFirstStartOnly) {
    const PayerTexts company{"東京都千代田区丸の内１－１－１", "", "03-1234-5678"};
    WithholdingHeader header{};
    EXPECT_FALSE(takeCompanyAddress(header, PayerTexts{}));
    EXPECT_TRUE(takeCompanyAddress(header, company));
    EXPECT_EQ(payerTexts(header), company);

    WithholdingHeader entered{};
    storePayerTexts(entered, {"", "", "06-0000-0000"});  // the payer's own, however little
    EXPECT_FALSE(takeCompanyAddress(entered, company));
    EXPECT_EQ(payerTexts(entered).address1, "");

    WithholdingHeader untouched{};
    EXPECT_FALSE(takeCompanyAddress(untouched, {"\U0001F600", "", ""}));
    EXPECT_EQ(payerTexts(untouched), PayerTexts{});
}

TEST(PayerTexts, AFieldLeftAsItWasReadKeepsItsBytes) {
    WithholdingHeader header{};
    header.address1.assignBytes("\x93\x8c\x8b\x9e \x81");  // 東京, a blank, half a character
    header.address2.assign("　大阪府　");
    const WithholdingHeader before = header;
    const PayerTexts shown = payerTexts(header);
    storePayerTexts(header, {shown.address1, " 大阪府", shown.phone});
    EXPECT_EQ(header.address1.bytes(), before.address1.bytes());
    EXPECT_EQ(header.address2.bytes(), before.address2.bytes());
    storePayerTexts(header, {"東京都", "大阪府 北区", ""});
    EXPECT_EQ(header.address1.utf8(), "東京都");
    EXPECT_EQ(header.address2.utf8(), "大阪府 北区");
}

TEST(KanaReading, OnlyKanaCompositionsAreReadingsAndBecomeHalfWidthKatakana) {
    EXPECT_TRUE(isKanaReading("やまだ"));
    EXPECT_TRUE(isKanaReading("ヤマダー"));
    EXPECT_FALSE(isKanaReading("やまd"));
    EXPECT_FALSE(isKanaReading("山田"));
    EXPECT_FALSE(isKanaReading(""));

    EXPECT_EQ(halfWidthKatakana("やまだ"), "ﾔﾏﾀﾞ");
    EXPECT_EQ(halfWidthKatakana("ぱーてぃー"), "ﾊﾟｰﾃｨｰ");
    EXPECT_EQ(halfWidthKatakana("ヴォ"), "ｳﾞｫ");
    EXPECT_EQ(halfWidthKatakana("ｶﾅ"), "ｶﾅ");
}

TEST(KanaReading, ABlankTypedIntoANameIsToldFromOtherChanges) {
    EXPECT_TRUE(onlyBlanksAdded("山田", "山田 "));
    EXPECT_TRUE(onlyBlanksAdded("山田太郎", "山田　太郎"));  // typed between the names
    EXPECT_FALSE(onlyBlanksAdded("山田 ", "山田"));
    EXPECT_FALSE(onlyBlanksAdded("山田", "山田 太"));
    EXPECT_FALSE(onlyBlanksAdded("山田", "山田"));
}

}  // namespace
}  // namespace keiro::withholding
