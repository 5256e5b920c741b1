// Entry, formatting and CSV helpers: the cases a clerk would notice on screen or on paper.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "core/entry.h"
#include "core/text.h"

namespace keiro {
namespace {

TEST(EntryItemNames, RenamedItemKeepsItsKindLetterAndUnknownIdentifiersPassThrough) {
    ItemNames names;
    names.names[*itemIndex("V変動手当１")] = "残業食事代";
    EXPECT_EQ(displayItemName(names, "V変動手当１"), "V残業食事代");
    EXPECT_EQ(displayItemName(names, "F基本給"), "F基本給");
    EXPECT_EQ(displayItemName(names, "F"), "F");  // the blank layout entry
    EXPECT_EQ(displayItemName(names, "X謎"), "X謎");
    EXPECT_TRUE(isTimeItem("普通残業時間"));
    EXPECT_TRUE(isTimeItem("休日深夜残業"));
    EXPECT_FALSE(isTimeItem("出勤日数"));
}

TEST(EntryFormats, AmountsHaveSeparatorsAndAreRightAligned) {
    EXPECT_EQ(formatAmount(7, 0), "      0");
    EXPECT_EQ(formatAmount(10, 1234567), " 1,234,567");
    EXPECT_EQ(formatAmount(7, -1234), " -1,234");
    EXPECT_EQ(formatAmount(3, -1234567), "-1,234,567");  // never cut
    EXPECT_EQ(formatAmount(0, std::numeric_limits<long long>::min()), "-9,223,372,036,854,775,808");
}

TEST(EntryFormats, HoursInBothStyles) {
    struct Case {
        double value;
        const char* decimal;
        const char* sexagesimal;
    };
    const Case cases[] = {
        {1.75, "  1.75", "  1:45"},
        {10.5, " 10.50", " 10:30"},
        {-1.5, " -1.50", " -1:30"},
        {-0.5, " -0.50", " -0:30"},
        {1.9999, "  2.00", "  2:00"},  // minutes that round to 60 carry into the hour
        {-0.9999, " -1.00", " -1:00"},
        {1 + 1 / 60.0, "  1.02", "  1:01"},
        {-0.001, "  0.00", "  0:00"},  // no "-0"
        {123456.5, "123456.50", "123456:30"},
        {std::numeric_limits<double>::quiet_NaN(), "  0.00", "  0:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatHours(c.value, TimeStyle::Decimal), c.decimal) << c.value;
        EXPECT_EQ(formatHours(c.value, TimeStyle::Sexagesimal), c.sexagesimal) << c.value;
    }
}

TEST(EntryNumbers, ParseIntCleansAndRefusesNonNumbers) {
    EXPECT_EQ(parseInt(" 1,234 "), 1234);
    EXPECT_EQ(parseInt(""), 0);
    EXPECT_EQ(parseInt("  "), 0);
    EXPECT_EQ(parseInt("-12"), -12);
    EXPECT_EQ(parseInt("+12"), 12);
    EXPECT_EQ(parseInt("12a"), std::nullopt);
    EXPECT_EQ(parseInt("+-1"), std::nullopt);
    EXPECT_EQ(parseInt("99999999999"), std::nullopt);
}

TEST(EntryNumbers, ParseNumber) {
    struct Case {
        const char* text;
        double value;
        bool error;
    };
    const Case cases[] = {
        {"-1:30", -1.5, false},  {"1,234", 1234, false}, {"12abc", 12, false},
        {"  1:45", 1.75, false}, {"10:30", 10.5, false}, {":30", 0.5, false},
        {"1:2:3", 0, true},      {"1.2.3", 0, true},     {"--1", 0, true},
        {"12-", 12, false},      {"-", 0, false},        {".", 0, false},
        {"", 0, false},          {".5", 0.5, false},     {"-.5", -0.5, false},
        {"+3", 3, false},        {"1-2", 0, true},       {"a1", 0, false},
        {"1x:30", 0, true},
    };
    for (const Case& c : cases) {
        const ParsedNumber n = parseNumber(c.text);
        EXPECT_DOUBLE_EQ(n.value, c.value) << c.text;
        EXPECT_EQ(n.inputError, c.error) << c.text;
    }
    // At most 32 characters are read.
    EXPECT_DOUBLE_EQ(parseNumber(std::string(40, '1')).value, std::stod(std::string(32, '1')));
}

TEST(EntryNumericEntry, ChecksAndMessages) {
    struct Case {
        const char* text;
        int code;
        const char* result;
        std::string_view error;
    };
    const Case cases[] = {
        {"1:75", 62, "", kMsgMinutesOver59},
        {"1:59", 62, "1:59", ""},
        {"12-", 90, "", kMsgSignPosition},
        {"1.2.3", 90, "", kMsgDuplicateSeparator},
        {"1.2:3", 62, "", kMsgDuplicateSeparator},
        {"--1", 90, "", kMsgDuplicateSeparator},
        {"12345678", 90, "", kMsgTooManyDigits},
        {"1,234,567", 90, "1234567", ""},
        {"1234567", 70, "", kMsgTooManyDigits},
        {"123456", 70, "123456", ""},
        {"3.14159", 63, "3.141", ""},  // cut, not rounded
        {"100", 62, "100", ""},
        {"1000", 62, "", kMsgTooManyDigits},
        {"000012", 20, "12", ""},  // the limit counts the value's digits
        {"-0.5", 52, "-0.5", ""},  // the sign of a value below one stays
        {"-0:30", 62, "-0:30", ""},
        {"-0", 90, "0", ""},
        {"  ", 90, "", ""},
        {"12a", 90, "", kMsgNotANumber},
        {"１２", 90, "", kMsgNotANumber},
    };
    for (const Case& c : cases) {
        const EntryCheck check = validateNumericEntry(c.text, c.code);
        EXPECT_EQ(check.text, c.result) << c.text << " / " << c.code;
        EXPECT_EQ(check.error, c.error) << c.text << " / " << c.code;
    }
}

TEST(EntryNumericEntry, ReformatsForTheBox) {
    EXPECT_EQ(reformatEntry("3.141", 63, false, TimeStyle::Decimal), " 3.141");
    EXPECT_EQ(reformatEntry("1234567", 90, false, TimeStyle::Decimal), "  1234567");
    EXPECT_EQ(reformatEntry("1:30", 62, true, TimeStyle::Sexagesimal), "1:30");
    EXPECT_EQ(reformatEntry("1:30", 62, true, TimeStyle::Decimal), "1.50");
    EXPECT_EQ(reformatEntry("", 62, true, TimeStyle::Decimal), "");
}

TEST(EntryNumericEntry, KeyFilter) {
    EXPECT_EQ(filterNumericKey(U'\r', 90, false), KeyVerdict::MoveNext);
    EXPECT_EQ(filterNumericKey(U'\b', 20, false), KeyVerdict::Accept);
    EXPECT_EQ(filterNumericKey(U'7', 20, false), KeyVerdict::Accept);
    EXPECT_EQ(filterNumericKey(U'.', 20, false), KeyVerdict::Reject);
    EXPECT_EQ(filterNumericKey(U'.', 90, false), KeyVerdict::Accept);
    EXPECT_EQ(filterNumericKey(U':', 52, false), KeyVerdict::Reject);
    EXPECT_EQ(filterNumericKey(U':', 52, true), KeyVerdict::Accept);
    EXPECT_EQ(filterNumericKey(U'-', 90, false), KeyVerdict::Reject);
    EXPECT_EQ(filterNumericKey(U'あ', 90, true), KeyVerdict::Reject);
}

// Types a sequence of bytes in overwrite mode, as the box would.
OverwriteState typeOver(OverwriteState state, std::string_view keys, int maxLength) {
    for (char key : keys) {
        auto next = handleOverwriteKey(state, static_cast<unsigned char>(key), maxLength);
        if (next) {
            state = *next;
        } else if (maxLength == 0 || static_cast<int>(state.text.size()) < maxLength) {
            state.text.insert(static_cast<std::size_t>(state.caret), 1, key);  // normal insert
            ++state.caret;
        }
    }
    return state;
}

TEST(EntryNumericEntry, FullWidthDigitsAndSignsBecomeAscii) {
    EXPECT_EQ(asciiNumberText("０１２３４５６７８９"), "0123456789");
    EXPECT_EQ(asciiNumberText("－１，２００．５"), "-1,200.5");
    EXPECT_EQ(asciiNumberText("−３"), "-3");
    EXPECT_EQ(asciiNumberText("ー３"), "-3");  // the long vowel mark is the minus key in かな mode
    EXPECT_EQ(asciiNumberText("１０：３０"), "10:30");
    // Other characters stay, for the box's check to refuse: neighbours of ０ included.
    EXPECT_EQ(asciiNumberText("１a円／"), "1a円／");
    EXPECT_EQ(asciiNumberText("12"), "12");
}

TEST(EntryOverwriteTyping, ReplacesCharactersKeepingDoubleByteOnesWhole) {
    EXPECT_EQ(typeOver({"12345", 1}, "99", 9), (OverwriteState{"19945", 3}));
    EXPECT_EQ(typeOver({"12", 1}, "345", 9), (OverwriteState{"1345", 4}));  // then inserts
    const std::string kanji = text::toCp932("漢字");
    // A digit over a double-byte character leaves a blank for its second half.
    EXPECT_EQ(typeOver({kanji, 0}, "1", 9).text, "1 " + kanji.substr(2));
    // A double-byte character over two digits, then over a double-byte one.
    const std::string ka = text::toCp932("カ");
    EXPECT_EQ(typeOver({"1234", 1}, ka, 9), (OverwriteState{"1" + ka + "4", 3}));
    EXPECT_EQ(typeOver({"1" + kanji, 1}, ka, 9).text, "1" + ka + kanji.substr(2));
    // Straddling a single-byte and a double-byte character: the latter's second half is blanked.
    EXPECT_EQ(typeOver({"1" + kanji, 0}, ka, 9), (OverwriteState{ka + " " + kanji.substr(2), 2}));
    // Over the last byte: the character grows the text by one.
    EXPECT_EQ(typeOver({"12", 1}, ka, 9).text, "1" + ka);
    // ... unless the box is full: then the whole character is dropped.
    EXPECT_EQ(typeOver({"12", 1}, ka + "3", 2), (OverwriteState{"13", 2}));
}

TEST(EntryOverwriteTyping, CaretInsideADoubleByteCharacterStandsAtItsStart) {
    const std::string kanji = text::toCp932("漢");
    EXPECT_EQ(typeOver({kanji + "x", 1}, "1", 9).text, "1 x");
}

TEST(EntryOverwriteTyping, TruncateToMaxLength) {
    const std::string text = "ab" + text::toCp932("漢字");  // 6 bytes
    EXPECT_EQ(truncateToMaxLength(text, 5).cp932, "ab" + text::toCp932("漢"));
    EXPECT_TRUE(truncateToMaxLength(text, 5).caretToEnd);
    EXPECT_TRUE(truncateToMaxLength(text, 6).caretToEnd);
    EXPECT_FALSE(truncateToMaxLength(text, 7).caretToEnd);
    EXPECT_EQ(truncateToMaxLength(text, 0).cp932, text);
}

PeriodSettings settingsWith(int payDay, int payNextMonth) {
    PeriodSettings s;
    std::memset(&s, 0, sizeof s);
    s.payDay = payDay;
    s.payNextMonth = payNextMonth;
    return s;
}

TEST(EntryPayDates, MonthEndNextMonthAndEraChange) {
    const FileYear h28{false, 28};  // 2016, a leap year
    const FileYear h29{false, 29};
    EXPECT_EQ(payDate(h28, 1, settingsWith(31, 1)), (PayDate{"28", " 2", "29"}));
    EXPECT_EQ(payDate(h29, 1, settingsWith(31, 1)), (PayDate{"29", " 2", "28"}));
    EXPECT_EQ(payDate(FileYear{true, 2}, 2, settingsWith(31, 0)).day, "29");  // 2020
    EXPECT_EQ(payDate(h29, 4, settingsWith(31, 0)).day, "30");
    EXPECT_EQ(payDate(h29, 5, settingsWith(31, 0)).day, "31");
    EXPECT_EQ(payDate(h29, 2, settingsWith(30, 0)).day, "28");  // never 2/30
    EXPECT_EQ(payDate(h29, 3, settingsWith(0, 0)), (PayDate{"29", " 3", " 1"}));
    EXPECT_EQ(payDate(h29, 12, settingsWith(25, 1)), (PayDate{"30", " 1", "25"}));
    EXPECT_EQ(payDate(FileYear{false, 31}, 12, settingsWith(25, 1)).year, " 2");
    EXPECT_EQ(payDate(FileYear{true, 31}, 12, settingsWith(25, 1)).year, "32");
}

TEST(EntryPayDates, BonusPayMonthAndDayAreChecked) {
    const FileYear r6{true, 6};  // 2024, a leap year
    EXPECT_EQ(bonusPayDateError(r6, 7, 10), "");
    EXPECT_EQ(bonusPayDateError(r6, 2, 29), "");
    EXPECT_EQ(bonusPayDateError(r6, 12, 31), "");
    for (const int month : {0, 13, 99, -1}) {
        EXPECT_EQ(bonusPayDateError(r6, month, 10), kMsgBadBonusPayMonth) << month;
    }
    for (const int day : {0, 32, 99}) EXPECT_EQ(bonusPayDateError(r6, 7, day), kMsgBadBonusPayDay);
    EXPECT_EQ(bonusPayDateError(FileYear{true, 7}, 2, 29), kMsgBadBonusPayDay);
    EXPECT_EQ(bonusPayDateError(r6, 6, 31), kMsgBadBonusPayDay);
}

TEST(EntryEmployees, ActiveAndUncalculatedYears) {
    EmployeeRecord e{};
    e.workStatus = 1;
    EXPECT_TRUE(isActiveEmployee(e));
    e.workStatus = 3;
    EXPECT_FALSE(isActiveEmployee(e));
    static_assert(maxEmployees() == 100);
    EXPECT_TRUE(isUncalculatedEraYear(2013, {false, 24}));
    EXPECT_TRUE(isUncalculatedEraYear(2024, {false, 16}));
    EXPECT_FALSE(isUncalculatedEraYear(2012, {false, 20}));
    EXPECT_FALSE(isUncalculatedEraYear(2024, {false, 25}));
    EXPECT_FALSE(isUncalculatedEraYear(2036, {true, 18}));  // the new era's years are calculated
}

TEST(EntryCsv, SplitsQuotedAndPlainFields) {
    using Fields = std::array<std::string, kCsvFieldCount>;
    const Fields fields = splitCsvLine("\"a\"\"b\",c,");
    EXPECT_EQ(fields[0], "a\"b");
    EXPECT_EQ(fields[1], "c");
    EXPECT_EQ(fields[2], "");
    EXPECT_EQ(splitCsvLineCounted("\"a\"\"b\",c,").count, 3u);
    EXPECT_EQ(splitCsvLineCounted("a,\"b,c\"").count, 2u);
    EXPECT_EQ(splitCsvLineCounted("").count, 0u);

    EXPECT_EQ(splitCsvLine("\"x,y\",\"\",z\r\n")[0], "x,y");
    EXPECT_EQ(splitCsvLine("\"x,y\",\"\",z\r\n")[2], "z");  // line ending dropped
    EXPECT_EQ(splitCsvLine("a\"\"b")[0], "a\"b");
    EXPECT_EQ(splitCsvLine("\"open")[0], "open");
    EXPECT_EQ(splitCsvLine("\"ab\"cd,e")[1], "e");  // stray text does not shift fields

    // Double-byte text whose second byte is a backslash or letter is split correctly.
    const std::string so = text::toCp932("ソ表");
    EXPECT_EQ(splitCsvLine(so + "," + so)[1], so);
}

TEST(EntryCsv, FifteenFieldsAtMostAndLongFieldsCut) {
    std::string line;
    for (int i = 1; i <= 17; ++i) line += std::to_string(i) + ",";
    const auto fields = splitCsvLine(line);
    EXPECT_EQ(fields[14], "15");
    EXPECT_EQ(splitCsvLineCounted(line).count, 15u);

    const std::string kanji = text::toCp932("漢");
    const std::string longField = "a" + std::string(500, 'x') + [&] {
        std::string s;
        for (int i = 0; i < 300; ++i) s += kanji;
        return s;
    }();
    const auto cut = splitCsvLine(longField + ",next");
    EXPECT_EQ(cut[0].size(), 999u);  // 501 + 249 double-byte characters, none split
    EXPECT_EQ(cut[1], "next");
}

}  // namespace
}  // namespace keiro
