// The code page 932 codec: what Linux input methods type must land in the files as the bytes
// Windows programs expect, and what cannot be stored must be refused, never garbled.
#include <gtest/gtest.h>

#include "core/text.h"

namespace keiro::text {
namespace {

TEST(Cp932Codec, RoundTripsJapaneseText) {
    for (const char* sample : {"山田　太郎", "①②③", "髙橋", "ｶﾀｶﾅ", "ABC123",
                               "株式会社サンプル商事", "～－∥―￠￡￢", "ソ表能"}) {
        EXPECT_EQ(fromCp932(toCp932(sample)), sample) << sample;
    }
}

TEST(Cp932Codec, MapsLinuxInputToItsCp932Twin) {
    // 〜 (U+301C) as typed on Linux is stored as Windows' ～ 0x8160, and so on.
    EXPECT_EQ(toCp932("〜"), "\x81\x60");
    EXPECT_EQ(toCp932("−"), "\x81\x7C");
    EXPECT_EQ(toCp932("‖"), "\x81\x61");
    EXPECT_EQ(toCp932("—"), "\x81\x5C");
    EXPECT_EQ(toCp932("¢£¬"), "\x81\x91\x81\x92\x81\xCA");
    EXPECT_EQ(fromCp932("\x81\x60"), "～");
}

TEST(Cp932Codec, HalfWidthKatakanaAndSpecialCharactersHaveTheirWidths) {
    EXPECT_EQ(toCp932("ｱ"), "\xB1");
    EXPECT_EQ(toCp932("①"), "\x87\x40");
    EXPECT_EQ(toCp932("髙"), "\xFB\xFC");
    EXPECT_EQ(cp932Width("ｱｲｳ漢字ab"), 9u);
}

TEST(Cp932Codec, RefusesCharactersWithoutAForm) {
    for (const char* bad : {"𠮷", "😀", "a\xF0\x9F\x98\x80", "한"}) {
        EXPECT_THROW(toCp932(bad), EncodingError) << bad;
        EXPECT_NE(firstUnencodable(bad), 0u) << bad;
    }
    try {
        toCp932("吉𠮷");
    } catch (const EncodingError& e) {
        EXPECT_EQ(e.character(), 0x20BB7u);
        EXPECT_NE(std::string(e.what()).find("U+20BB7"), std::string::npos);
    }
    EXPECT_EQ(firstUnencodable("普通の名前"), 0u);
}

TEST(Cp932Codec, DamagedBytesDecodeToReplacementCharacters) {
    EXPECT_EQ(fromCp932("\x8E"), "\uFFFD");  // a lead byte cut off
    EXPECT_EQ(fromCp932("a\xFF"
                        "b"),
              "a\uFFFDb");
    EXPECT_EQ(fromCp932(""), "");
}

TEST(Cp932Widths, CutPadAndSortByBytes) {
    const std::string bytes = toCp932("ab漢字");
    EXPECT_EQ(truncateBytes(bytes, 3), "ab");  // never half a character
    EXPECT_EQ(truncateBytes(bytes, 4), toCp932("ab漢"));
    EXPECT_EQ(truncateBytes("\x81", 5), "");  // a lone lead byte at the end is dropped
    EXPECT_EQ(truncateToWidth("漢字かな", 5), "漢字");
    EXPECT_EQ(padRight("漢a", 6), "漢a   ");
    EXPECT_EQ(padLeft("漢", 4), "  漢");
    EXPECT_EQ(padRight("漢字漢字", 3), "漢 ");
    // Byte order: full-width katakana (0x83..) before kanji (0x88..), half-width katakana
    // (0xA1..0xDF) after kanji of the first level; comparisons are unsigned.
    EXPECT_LT(sortKey("アイ"), sortKey("亜"));
    EXPECT_LT(sortKey("亜"), sortKey("ｱ"));
}

TEST(HalfWidthKana, WhatAnInputMethodTypesBecomesHalfWidth) {
    EXPECT_EQ(toHalfWidthKana("ヤマダ　タロウ"), "ﾔﾏﾀﾞ ﾀﾛｳ");
    EXPECT_EQ(toHalfWidthKana("やまだ"), "ﾔﾏﾀﾞ");  // committed without conversion
    EXPECT_EQ(toHalfWidthKana("ガッコウ・パン"), "ｶﾞｯｺｳ･ﾊﾟﾝ");
    EXPECT_EQ(toHalfWidthKana("ＡＢＣ１２３－"), "ABC123-");
    EXPECT_EQ(toHalfWidthKana("山田ﾀﾛｳ"), "山田ﾀﾛｳ");  // kanji and half-width stay
    EXPECT_EQ(toHalfWidthKana(""), "");
    // ヤマダ タロウ takes 13 bytes full-width, 8 half-width: it fits a 12-byte box now.
    EXPECT_EQ(cp932Width(toHalfWidthKana("ヤマダ タロウ")), 8u);
}

}  // namespace
}  // namespace keiro::text
