#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/bank_calendar.h"
#include "core/employee_transfer.h"
#include "core/text.h"
#include "print/money_selection.h"
#include "print/zengin_file.h"
#include "table_fixture.h"
#include "tests/support/temp_folder.h"

namespace keiro::print {
namespace {

using testing::Account;
using testing::Person;
using testing::TablePeriod;

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

// The file's bytes of half-width text.
std::string cp932(const std::string& halfWidthUtf8) {
    return text::toCp932(halfWidthUtf8);
}

TransferOriginator sampleOriginator() {
    TransferOriginator o;
    o.requesterCode = "123456789";
    o.requesterName = cp932("ｻﾝﾌﾟﾙｼﾖｳｼﾞ");
    o.bankCode = "0998";
    o.bankName = cp932("ﾄｳﾄｷﾞﾝｺｳ");
    o.branchCode = "001";
    o.branchName = cp932("ﾎﾝﾃﾝ");
    o.accountType = kOrdinaryAccount;
    o.accountNumber = "7654321";
    return o;
}

// Two employees paid by transfer, one in cash, one paid nothing and one on leave.
struct SmallPeriod : TablePeriod {
    SmallPeriod() {
        EmployeeRecord& yamada = add(1, {"0001", "山田　太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", 0, 1, 250000});
        testing::setAccount(yamada, {"東都銀行", "ﾄｳﾄｷﾞﾝｺｳ", "本店", "ﾎﾝﾃﾝ", 0, "1234567", 0});
        setTransferCodes(yamada, "0998", "001", cp932("ﾔﾏﾀﾞ ﾀﾛｳ"));
        add(2, {"E02", "鈴木　花子", "ｽｽﾞｷ ﾊﾅｺ", 1, 1, 180000});                  // cash
        EmployeeRecord& sato = add(3, {"3", "佐藤　次郎", "ｻﾄｳ ｼﾞﾛｳ", 0, 1, 0});  // nothing to pay
        setTransferCodes(sato, "0998", "001", cp932("ｻﾄｳ ｼﾞﾛｳ"));
        // Full-width and small kana in the bank texts are converted; 当座 is type 2.
        EmployeeRecord& takahashi = add(4, {"44", "高橋　美香", "ﾀｶﾊｼ ﾐｶ", 0, 1, 1234});
        testing::setAccount(
            takahashi, {"みどり信用金庫", "ミドリシンキン", "中央支店", "ﾁｭｳｵｳ", 1, "89", 330});
        setTransferCodes(takahashi, "1999", "010", cp932("ﾀｶﾊｼ ﾐｶ"));
        add(5, {"5", "伊藤　大輔", "ｲﾄｳ ﾀﾞｲｽｹ", 0, 2, 300000});  // on leave: not listed
    }
    ZenginFile build(int period = 12) const {
        return buildZenginFile({*block, period, 12, 25, sampleOriginator()});
    }
};

TEST(ZenginFile, TheSmallFileByteForByte) {
    const ZenginFile file = SmallPeriod().build();
    ASSERT_TRUE(file.ok()) << zenginRefusalMessage(file);
    // clang-format off
    const std::string expected =
        // header: 1, 種別 11, JIS, 委託者コード, 委託者名 (40), 取組日 MMDD, 仕向銀行 (4 + 15),
        // 仕向支店 (3 + 15), 預金種目, 口座番号, dummy
        cp932("1" "11" "0" "0123456789" "ｻﾝﾌﾟﾙｼﾖｳｼﾞ" + blanks(30) + "1225" "0998" "ﾄｳﾄｷﾞﾝｺｳ" +
              blanks(7) + "001" "ﾎﾝﾃﾝ" + blanks(11) + "1" "7654321" + blanks(17)) +
        "\r\n" +
        // data: 2, bank (4 + 15), branch (3 + 15), 手形交換所, 種目, 口座, 受取人 (30), 金額 (10),
        // 新規コード, 社員番号, 所属コード, dummy
        cp932("2" "0998" "ﾄｳﾄｷﾞﾝｺｳ" + blanks(7) + "001" "ﾎﾝﾃﾝ" + blanks(11) +
              "0000" "1" "1234567" "ﾔﾏﾀﾞ ﾀﾛｳ" + blanks(22) + "0000250000" "0" "0000000001" +
              "0000000000" + blanks(9)) +
        "\r\n" +
        // the employee code "44" is digits: 社員番号; "E02" would be zeros
        cp932("2" "1999" "ﾐﾄﾞﾘｼﾝｷﾝ" + blanks(7) + "010" "ﾁﾕｳｵｳ" + blanks(10) + "0000" "2" "0000089" +
              "ﾀｶﾊｼ ﾐｶ" + blanks(23) + "0000001234" "0" "0000000044" "0000000000" + blanks(9)) +
        "\r\n" +
        "8" "000002" "000000251234" + blanks(101) + "\r\n" +  //
        "9" + blanks(119) + "\r\n";
    // clang-format on
    EXPECT_EQ(file.bytes, expected);
    EXPECT_EQ(file.count, 2);
    EXPECT_EQ(file.total, 251234);
}

TEST(ZenginFile, EveryRecordIs120BytesWithCrLfAndTheTrailerSumsTheTransferList) {
    TablePeriod period;
    period.addMany(37, 0);
    for (int slot = 1; slot <= 37; ++slot) {
        EmployeeRecord& e = period.block->employee(slot);
        e.accountNumber.assign(std::to_string(slot));
        setTransferCodes(e, "0005", "123", cp932("ｼﾔｲﾝ"));
    }
    period.block->payments[6].payTotal = -500;  // a negative net pay gets no record
    const ZenginFile file =
        buildZenginFile({*period.block, kFirstBonusPeriod, 7, 10, sampleOriginator()});
    ASSERT_TRUE(file.ok()) << zenginRefusalMessage(file);

    ASSERT_EQ(file.bytes.size() % 122, 0u);
    const std::size_t records = file.bytes.size() / 122;
    EXPECT_EQ(records, 36u + 3u);
    for (std::size_t i = 0; i < records; ++i) {
        const std::string_view record = std::string_view(file.bytes).substr(i * 122, 122);
        EXPECT_EQ(record.substr(120), "\r\n") << i;
        EXPECT_EQ(record.substr(0, 120).find_first_of("\r\n"), std::string_view::npos) << i;
    }
    EXPECT_EQ(file.bytes.substr(0, 4), "1120");  // 賞与振込 (12)
    EXPECT_EQ(file.bytes.substr(54, 4), "0710");

    long long listTotal = 0;
    int listCount = 0;
    for (const PaidEmployee& paid : paidEmployees(*period.block, PaidBy::Transfer)) {
        if (paid.netPay <= 0) continue;
        listTotal += paid.netPay;
        ++listCount;
    }
    const std::string trailer = file.bytes.substr((records - 2) * 122, 120);
    EXPECT_EQ(trailer.substr(0, 19), "8" + std::string(4, '0') + std::to_string(listCount) +
                                         std::string(12 - std::to_string(listTotal).size(), '0') +
                                         std::to_string(listTotal));
    EXPECT_EQ(listCount, 36);
    EXPECT_EQ(file.total, 1000LL * (37 * 38 / 2) - 7000);
}

TEST(ZenginFile, RefusesListingEveryEmployeeWhoseAccountIsIncomplete) {
    SmallPeriod period;
    EmployeeRecord& yamada = period.block->employee(1);
    setTransferCodes(yamada, "", "001", "");  // an older record: no bank code, no kana
    EmployeeRecord& takahashi = period.block->employee(4);
    takahashi.accountType = 2;                                // 貯蓄
    std::memcpy(takahashi.accountHolderKana, "\xb6\xb0", 2);  // ｶｰ: not in the set
    // Slot 3 lacks nothing that matters: it is paid nothing.
    setTransferCodes(period.block->employee(3), "", "", "");

    const ZenginFile file = period.build();
    EXPECT_FALSE(file.ok());
    EXPECT_TRUE(file.bytes.empty());
    ASSERT_EQ(file.refused.size(), 2u);
    const std::string message = zenginRefusalMessage(file);
    EXPECT_NE(message.find("山田　太郎 : 銀行コード、口座名義ｶﾅ"), std::string::npos) << message;
    EXPECT_NE(message.find("高橋　美香 : 口座名義ｶﾅ、預金種別"), std::string::npos) << message;
    EXPECT_EQ(message.find("佐藤"), std::string::npos) << message;
}

TEST(ZenginFile, RefusesWithoutTheCompanysCodesOrAPayDate) {
    SmallPeriod period;
    TransferOriginator o = sampleOriginator();
    o.requesterCode.clear();
    o.branchCode = "1";
    const ZenginFile file = buildZenginFile({*period.block, 3, 0, 0, o});
    EXPECT_FALSE(file.ok());
    const std::string message = zenginRefusalMessage(file);
    EXPECT_NE(message.find("委託者コード、仕向支店番号"), std::string::npos) << message;
    EXPECT_NE(message.find("支給日"), std::string::npos) << message;

    TablePeriod nobody;
    nobody.addMany(2, 1);  // all paid in cash
    const ZenginFile empty = buildZenginFile({*nobody.block, 3, 3, 25, sampleOriginator()});
    EXPECT_TRUE(empty.nobodyToPay);
    EXPECT_FALSE(empty.ok());
}

// The names in the 口座名等 class by default: the bank-registered company name and a name with
// a long vowel reach the file; under 厳格 the same file is refused, naming both.
TEST(ZenginFile, NamesOfTheStandardClassAreWrittenAndRefusedWhenStrict) {
    SmallPeriod period;
    setTransferCodes(period.block->employee(1), "0998", "001", cp932("ﾔﾏﾀﾞ ﾖ-ｺ"));
    TransferOriginator o = sampleOriginator();
    o.requesterName = cp932("ｶ)ﾃｽﾄｼﾖｳﾃﾝ");
    const ZenginFile file = buildZenginFile({*period.block, 12, 12, 25, o});
    ASSERT_TRUE(file.ok()) << zenginRefusalMessage(file);
    EXPECT_EQ(file.bytes.substr(14, 40), cp932("ｶ)ﾃｽﾄｼﾖｳﾃﾝ") + blanks(30));
    EXPECT_EQ(file.bytes.substr(122 + 50, 30), cp932("ﾔﾏﾀﾞ ﾖ-ｺ") + blanks(22));

    o.characters = TransferCharacters::Strict;
    const ZenginFile strict = buildZenginFile({*period.block, 12, 12, 25, o});
    EXPECT_FALSE(strict.ok());
    const std::string message = zenginRefusalMessage(strict);
    EXPECT_NE(message.find("入力して下さい: 委託者名"), std::string::npos) << message;
    EXPECT_NE(message.find("山田　太郎 : 口座名義ｶﾅ(振込データの文字が厳格"), std::string::npos)
        << message;
    EXPECT_EQ(message.find("高橋"), std::string::npos) << message;
}

// A net pay below zero gets no record, as before, and is now named: in the file's list, in the
// completion note and in a refusal.
TEST(ZenginFile, EmployeesWithANegativeNetPayAreListed) {
    SmallPeriod period;
    period.block->payments[0].payTotal = -3000;  // 山田
    const ZenginFile file = period.build();
    ASSERT_TRUE(file.ok()) << zenginRefusalMessage(file);
    EXPECT_EQ(file.count, 1);
    EXPECT_EQ(file.total, 1234);
    ASSERT_EQ(file.negative.size(), 1u);
    EXPECT_EQ(file.negative[0].code, "0001");
    EXPECT_EQ(file.negative[0].name, "山田　太郎");
    EXPECT_EQ(file.negative[0].netPay, -3000);
    EXPECT_EQ(zenginNegativePayNote(file),
              "差引支給額がマイナスのため、次の社員は振込データに含めていません:\n"
              "  山田　太郎 : -3,000円");
    EXPECT_EQ(zenginNegativePayNote(SmallPeriod().build()), "");  // 佐藤's 0 is not listed

    period.block->payments[3].payTotal = -1;  // 高橋: nobody is left to pay
    const ZenginFile none = period.build();
    EXPECT_TRUE(none.nobodyToPay);
    EXPECT_EQ(none.negative.size(), 2u);
    EXPECT_NE(zenginRefusalMessage(none).find("高橋　美香 : -1円"), std::string::npos);
}

// The 取組日 of a period's file: the pay date when banks are open, else the business day before
// it; a date chosen by hand must be a business day.
TEST(ZenginFile, ThePeriodsTransferDateIsABankBusinessDay) {
    const BankCalendar calendar = BankCalendar::load(KEIRO_SOURCE_DIR "/data/public_holidays.csv");
    const EraNames eras{"平成", "令和"};
    SmallPeriod period;
    YearFileHeader header{};
    header.bonusPayMonth[0] = 7;
    header.bonusPayDay[0] = 20;  // 海の日 2026
    TransferOriginator o = sampleOriginator();
    const auto dateOf = [&](int period_, int payDay, int nextMonth, int eraYear,
                            std::optional<CalendarDate> chosen = std::nullopt) {
        period.block->settings.payDay = payDay;
        period.block->settings.payNextMonth = nextMonth;
        const ZenginFile file = buildPeriodZenginFile(*period.block, header, {"令和", eraYear},
                                                      eras, period_, o, calendar, chosen);
        return file.ok() ? file.bytes.substr(54, 4) : "refused: " + file.dateRefusal;
    };
    using std::chrono::year;
    EXPECT_EQ(dateOf(1, 23, 0, 8), "0123");  // Friday: as it is
    EXPECT_EQ(dateOf(1, 25, 0, 8), "0123");  // Sunday → Friday
    EXPECT_EQ(dateOf(3, 22, 0, 9), "0319");  // 2027: 振替休日 after 春分の日 on Sunday 3/21
    EXPECT_EQ(dateOf(12, 31, 0, 8), "1230");  // the year end
    EXPECT_EQ(dateOf(12, 3, 1, 8), "1230");   // December paid on January 3rd: back into the year
    EXPECT_EQ(dateOf(kFirstBonusPeriod, 25, 0, 8), "0717");  // the summer bonus on 海の日

    const CalendarDate comingOfAge{year(2026), std::chrono::January, std::chrono::day(12)};
    EXPECT_EQ(dateOf(1, 25, 0, 8, comingOfAge),
              "refused: 2026年1月12日(月)は銀行の休業日(成人の日)です。\n"
              "取組日には銀行の営業日を指定して下さい。");
    EXPECT_EQ(
        dateOf(1, 25, 0, 8, CalendarDate{year(2026), std::chrono::January, std::chrono::day(26)}),
        "0126");  // a later business day chosen by hand
    const CalendarDate yearEnd{year(2026), std::chrono::December, std::chrono::day(31)};
    EXPECT_NE(dateOf(12, 25, 0, 8, yearEnd).find("年末年始"), std::string::npos);

    const std::optional<ZenginDate> proposal =
        proposedZenginDate(header, period.block->settings, {"令和", 8}, eras, 1, calendar);
    ASSERT_TRUE(proposal);
    EXPECT_TRUE(proposal->moved());  // paid on Sunday 1/25 (the last call's settings)
    EXPECT_EQ(proposal->date,
              (CalendarDate{year(2026), std::chrono::January, std::chrono::day(23)}));

    // A bonus without its pay date has none to propose.
    header.bonusPayMonth[1] = 0;
    EXPECT_FALSE(proposedZenginDate(header, period.block->settings, {"令和", 8}, eras,
                                    kFirstBonusPeriod + 1, calendar));
    EXPECT_NE(zenginRefusalMessage(buildPeriodZenginFile(*period.block, header, {"令和", 8}, eras,
                                                         kFirstBonusPeriod + 1, o, calendar))
                  .find("支給日が設定されていません"),
              std::string::npos);
}

TEST(ZenginFile, WrittenWholeAndProposedUnderThePeriodsName) {
    const testing_support::TempFolder folder("zengin-file");
    const ZenginFile file = SmallPeriod().build();
    const std::filesystem::path path = folder.path() / "out.txt";
    writeZenginFile(path, file);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), file.bytes);
    EXPECT_EQ(zenginFileName("[令和8年 12月分給与]"), "振込データ令和8年12月分給与.txt");
}

}  // namespace
}  // namespace keiro::print
