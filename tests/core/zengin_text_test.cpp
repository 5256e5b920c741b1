#include <gtest/gtest.h>

#include <cstring>

#include "core/employee_transfer.h"
#include "core/ini.h"
#include "core/text.h"
#include "core/zengin_settings.h"
#include "core/zengin_text.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

// The file's bytes of half-width text (code page 932 single bytes).
std::string bytesOf(std::string_view halfWidthUtf8) {
    return text::toCp932(halfWidthUtf8);
}

std::string converted(std::string_view utf8, ZenginClass kind = ZenginClass::Name) {
    const ZenginText t = toZenginText(utf8, kind);
    EXPECT_TRUE(t.ok()) << utf8;
    return t.bytes;
}

char32_t refused(std::string_view utf8, ZenginClass kind = ZenginClass::Name) {
    return toZenginText(utf8, kind).refused;
}

TEST(ZenginText, SmallVoicedAndFullWidthKanaBecomeTheFilesHalfWidthBytes) {
    // ャ → ﾔ, ガ → ｶﾞ (two bytes), hiragana as katakana, the ideographic space as one space.
    EXPECT_EQ(converted("ガンジャ　キョウコ"), bytesOf("ｶﾞﾝｼﾞﾔ ｷﾖｳｺ"));
    EXPECT_EQ(converted("きゅうよ いちろう"), bytesOf("ｷﾕｳﾖ ｲﾁﾛｳ"));
    EXPECT_EQ(converted("パ ヴ ヅ ッ ヵ ヶ ヮ"), bytesOf("ﾊﾟ ｳﾞ ﾂﾞ ﾂ ｶ ｹ ﾜ"));
    // Typed half-width: small kana become large, marks stay separate bytes.
    EXPECT_EQ(converted("ｼｮｳﾀ ﾜﾀﾅﾍﾞ"), bytesOf("ｼﾖｳﾀ ﾜﾀﾅﾍﾞ"));
    // A decomposed voiced kana (base + combining mark) is the same two bytes.
    EXPECT_EQ(converted("カ\u3099"), bytesOf("ｶﾞ"));
    // Blanks: trimmed, runs made one, the middle dot is a space; full-width digits are digits.
    EXPECT_EQ(converted("  ヤマダ・タロウ　 ２ゴウ "), bytesOf("ﾔﾏﾀﾞ ﾀﾛｳ 2ｺﾞｳ"));
    EXPECT_EQ(converted(""), "");
}

TEST(ZenginText, RefusesWhatTheStrictNameClassDoesNotHold) {
    constexpr ZenginClass strict = ZenginClass::StrictName;
    EXPECT_EQ(refused("ヨーコ", strict), U'ー');  // the long vowel mark, full- or half-width
    EXPECT_EQ(refused("ﾖｰｺ", strict), U'ｰ');
    EXPECT_EQ(refused("山田 タロウ", strict), U'山');
    EXPECT_EQ(refused("ヲ", strict), U'ヲ');
    EXPECT_EQ(refused("ｦ", strict), U'ｦ');
    EXPECT_EQ(refused("ABC", strict), U'A');  // letters only in bank and branch names
    EXPECT_EQ(refused("ｶ)ｻﾝﾌﾟﾙ", strict), U')');
    EXPECT_EQ(refused("ﾔﾏﾀﾞ,ﾀﾛｳ", strict), U',');
    EXPECT_EQ(refused("ﾞｱ", strict), U'ﾞ');  // a mark with nothing before it
    EXPECT_EQ(refused("ｱﾞ", strict), U'ﾞ');  // ... or after a kana that takes none
    EXPECT_EQ(refused("ｶﾟ", strict), U'ﾟ');
}

// The 口座名等 class, the default for names: the bank-registered company name and a name with
// a long vowel can be written; what no class holds is still refused.
TEST(ZenginText, NamesTakeLettersAndTheFourSymbolsByDefault) {
    EXPECT_EQ(converted("ｶ)ﾃｽﾄｼﾖｳﾃﾝ"), bytesOf("ｶ)ﾃｽﾄｼﾖｳﾃﾝ"));
    EXPECT_EQ(converted("（カ）テスト"), bytesOf("(ｶ)ﾃｽﾄ"));
    EXPECT_EQ(converted("ヨーコ"), bytesOf("ﾖ-ｺ"));  // ー, as banks write it
    EXPECT_EQ(converted("ｋｅｉｒｏ co. ltd"), bytesOf("KEIRO CO. LTD"));
    EXPECT_EQ(converted("スズキ－タロウ．"), bytesOf("ｽｽﾞｷ-ﾀﾛｳ."));
    EXPECT_EQ(refused("ｶ)ｻﾝﾌﾟﾙ/ｼﾃﾝ"), U'/');  // never the slash in a salary file
    EXPECT_EQ(refused("ﾀﾞﾃ&ｺ"), U'&');
    // Bank names keep their own class: no parentheses, and ー is refused there.
    EXPECT_EQ(refused("ソニーギンコウ", ZenginClass::Shop), U'ー');
    EXPECT_EQ(refused("(ｶ", ZenginClass::Shop), U'(');

    EXPECT_TRUE(isZenginText(bytesOf("ｶ)ﾃｽﾄ(ｶ)ｼﾃﾝ A.B-1"), ZenginClass::Name));
    EXPECT_FALSE(isZenginText(bytesOf("ｶ)ﾃｽﾄ"), ZenginClass::StrictName));
    EXPECT_FALSE(isZenginText(bytesOf("ﾖ-ｺ"), ZenginClass::StrictName));
    EXPECT_FALSE(isZenginText(bytesOf("A/B"), ZenginClass::Name));
}

TEST(ZenginText, BankNamesAlsoTakeCapitalLettersAndTheHyphen) {
    EXPECT_EQ(converted("ｔｏｋｙｏ-ＳＴ ギンコウ", ZenginClass::Shop), bytesOf("TOKYO-ST ｷﾞﾝｺｳ"));
    EXPECT_EQ(refused("ﾄｳｷｮｳ(ｶ", ZenginClass::Shop), U'(');
    EXPECT_TRUE(isZenginText(bytesOf("TOKYO-ST ｷﾞﾝｺｳ"), ZenginClass::Shop));
    EXPECT_FALSE(isZenginText(bytesOf("TOKYO"), ZenginClass::StrictName));
}

TEST(ZenginText, StoredBytesAreCheckedByteByByte) {
    EXPECT_TRUE(isZenginText(bytesOf("ｶﾞﾝｼﾞﾔ 01"), ZenginClass::Name));
    EXPECT_FALSE(isZenginText(bytesOf("ｼｮｳ"), ZenginClass::Name));  // small kana
    EXPECT_FALSE(isZenginText(bytesOf("ﾖｰｺ"), ZenginClass::Name));  // long vowel
    EXPECT_FALSE(isZenginText(bytesOf("ｱﾞ"), ZenginClass::Name));   // mark on a kana without one
    EXPECT_FALSE(isZenginText(std::string("\x82\xa0", 2), ZenginClass::Name));  // double-byte あ
    EXPECT_FALSE(isZenginText(std::string("ｱ\0", 2), ZenginClass::Name));
}

TEST(ZenginText, CuttingNeverPartsAKanaFromItsMark) {
    const std::string name = bytesOf("ｱｲｳｶﾞ");  // 5 bytes, the mark last
    EXPECT_EQ(cutZenginText(name, 5), name);
    EXPECT_EQ(cutZenginText(name, 4), bytesOf("ｱｲｳ"));  // not "ｱｲｳｶ", a different name
    EXPECT_EQ(cutZenginText(name, 3), bytesOf("ｱｲｳ"));
    EXPECT_EQ(cutZenginText(name, 0), "");
}

TEST(EmployeeTransferCodes, AnOlderRecordOfZerosHasNoCodes) {
    EmployeeRecord e{};
    EXPECT_EQ(bankCodeOf(e), "");
    EXPECT_EQ(branchCodeOf(e), "");
    EXPECT_EQ(accountHolderKanaOf(e), "");

    setTransferCodes(e, "0123", "045", bytesOf("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_EQ(bankCodeOf(e), "0123");
    EXPECT_EQ(branchCodeOf(e), "045");
    EXPECT_EQ(accountHolderKanaOf(e), bytesOf("ﾔﾏﾀﾞ ﾀﾛｳ"));
    // The fields sit in the record's once reserved bytes 536..572.
    const auto* bytes = reinterpret_cast<const char*>(&e);
    EXPECT_EQ(std::string(bytes + 536, 7), "0123045");
    EXPECT_EQ(std::string(bytes + 543, 8), bytesOf("ﾔﾏﾀﾞ ﾀﾛｳ"));

    // A code cut short (as typed, not yet OK'd) is kept but reads as not set.
    setTransferCodes(e, "12", "", "");
    EXPECT_EQ(bankCodeOf(e), "");
    EXPECT_EQ(e.bankCode[0], '1');
    EXPECT_EQ(accountHolderKanaOf(e), "");
    // A 30-byte name whose last kana's mark would be the 31st byte loses that kana.
    setTransferCodes(e, "", "", std::string(29, '\xb1') + "\xb6\xde");
    EXPECT_EQ(accountHolderKanaOf(e), std::string(29, '\xb1'));
}

TEST(EmployeeTransferCodes, TheEditorBoxesAreChecked) {
    EXPECT_FALSE(checkTransferFields("", "", ""));
    EXPECT_FALSE(checkTransferFields("0001", "100", "ガンジャ タロウ"));
    const auto field = [](std::string_view bank, std::string_view branch, std::string_view kana) {
        const auto failure = checkTransferFields(bank, branch, kana);
        return failure ? static_cast<int>(failure->field) : -1;
    };
    EXPECT_EQ(field("123", "", ""), static_cast<int>(TransferField::BankCode));
    EXPECT_EQ(field("12a4", "", ""), static_cast<int>(TransferField::BankCode));
    EXPECT_EQ(field("1234", "1234", ""), static_cast<int>(TransferField::BranchCode));
    EXPECT_EQ(field("", "", "山田"), static_cast<int>(TransferField::HolderKana));
    // 30 bytes fit; ガ counts two.
    EXPECT_EQ(field("", "", "123456789012345ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ"), -1);
    EXPECT_EQ(field("", "", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍガ"),
              static_cast<int>(TransferField::HolderKana));
    // ヨーコ is ﾖ-ｺ by default; an office that chose 厳格 cannot pay her.
    EXPECT_FALSE(checkTransferFields("", "", "ヨーコ"));
    const auto failure = checkTransferFields("", "", "ヨーコ", ZenginClass::StrictName);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->message.find("「ー」"), std::string::npos) << failure->message;
    EXPECT_NE(failure->message.find("数字、空白で入力"), std::string::npos) << failure->message;
    const auto slash = checkTransferFields("", "", "ヤマダ/タロウ");
    ASSERT_TRUE(slash);
    EXPECT_NE(slash->message.find("記号( ) - ."), std::string::npos) << slash->message;
}

TEST(TransferOriginatorSettings, CheckedConvertedStoredAndReadBack) {
    OriginatorEntry entry;
    entry.requesterCode = "123456789";
    entry.requesterName = "サンプルショウジ";
    entry.bankCode = "0998";
    entry.bankName = "トウト";
    entry.branchCode = "001";
    entry.branchName = "ホンテン";
    entry.accountType = kCurrentAccount;
    entry.accountNumber = "7654321";
    const OriginatorCheck check = checkOriginatorEntry(entry);
    ASSERT_FALSE(check.failure) << check.failure->message;
    EXPECT_EQ(check.converted.requesterName, bytesOf("ｻﾝﾌﾟﾙｼﾖｳｼﾞ"));
    EXPECT_EQ(missingOriginatorFields(check.converted), "");

    const testing_support::TempFolder dir("zengin-settings");
    IniFile ini(dir.path() / "Keiro.ini");
    saveTransferOriginator(ini, check.converted);
    EXPECT_EQ(loadTransferOriginator(IniFile(dir.path() / "Keiro.ini")), check.converted);

    // Nothing set: everything the file needs is named.
    EXPECT_EQ(missingOriginatorFields(TransferOriginator{}),
              "委託者コード、委託者名、仕向銀行番号、仕向支店番号、口座番号");

    const auto failedField = [&](auto change) {
        OriginatorEntry e = entry;
        change(e);
        const OriginatorCheck c = checkOriginatorEntry(e);
        return c.failure ? static_cast<int>(c.failure->field) : -1;
    };
    EXPECT_EQ(failedField([](auto& e) { e.requesterCode = "12345678901"; }),
              static_cast<int>(OriginatorField::RequesterCode));
    EXPECT_EQ(failedField([](auto& e) {
                  e.requesterName = "ｶ)ｻﾝﾌﾟﾙ";
                  e.characters = TransferCharacters::Strict;
              }),
              static_cast<int>(OriginatorField::RequesterName));
    EXPECT_EQ(failedField([](auto& e) { e.requesterName = "ｶ)ｻﾝﾌﾟﾙ"; }), -1);  // 標準
    EXPECT_EQ(failedField([](auto& e) { e.requesterName = std::string(41, '1'); }),
              static_cast<int>(OriginatorField::RequesterName));
    EXPECT_EQ(failedField([](auto& e) { e.bankCode = "99"; }),
              static_cast<int>(OriginatorField::BankCode));
    EXPECT_EQ(failedField([](auto& e) { e.bankName = "東都"; }),
              static_cast<int>(OriginatorField::BankName));
    EXPECT_EQ(failedField([](auto& e) { e.branchCode = "0001"; }),
              static_cast<int>(OriginatorField::BranchCode));
    EXPECT_EQ(failedField([](auto& e) { e.accountNumber = "12345678"; }),
              static_cast<int>(OriginatorField::AccountNumber));
    EXPECT_EQ(failedField([](auto& e) { e = OriginatorEntry{}; }), -1);  // all empty is fine
}

// 振込データの文字: 標準 unless the ini says 厳格; choosing 標準 again leaves no key behind, so an
// office that never chose leaves its file as it was.
TEST(TransferOriginatorSettings, TheCharacterSettingIsStoredOnlyWhenStrict) {
    const testing_support::TempFolder dir("zengin-characters");
    const auto path = dir.path() / "Keiro.ini";
    EXPECT_EQ(loadTransferOriginator(IniFile(path)).characters, TransferCharacters::Standard);

    OriginatorEntry entry;
    entry.requesterName = "カ）テスト";
    entry.characters = TransferCharacters::Standard;
    OriginatorCheck check = checkOriginatorEntry(entry);
    ASSERT_FALSE(check.failure) << check.failure->message;
    EXPECT_EQ(check.converted.requesterName, bytesOf("ｶ)ﾃｽﾄ"));
    IniFile ini(path);
    saveTransferOriginator(ini, check.converted);
    EXPECT_FALSE(IniFile(path).hasKey(kZenginSection, "MojiSyu"));

    check.converted.characters = TransferCharacters::Strict;
    saveTransferOriginator(ini, check.converted);
    EXPECT_EQ(IniFile(path).readInt(kZenginSection, "MojiSyu", 0), 1);
    const TransferOriginator strict = loadTransferOriginator(IniFile(path));
    EXPECT_EQ(strict.characters, TransferCharacters::Strict);
    // The stored name no longer fits its class: the file names it as missing.
    EXPECT_NE(missingOriginatorFields(strict).find("委託者名"), std::string::npos);

    check.converted.characters = TransferCharacters::Standard;
    saveTransferOriginator(ini, check.converted);
    EXPECT_FALSE(IniFile(path).hasKey(kZenginSection, "MojiSyu"));
}

}  // namespace
}  // namespace keiro
