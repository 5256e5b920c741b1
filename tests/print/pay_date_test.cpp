// The pay date the print dialog proposes, and how it follows the change of era.
#include <gtest/gtest.h>

#include "print/dialog_texts.h"
#include "print/pay_date.h"

namespace keiro::print {
namespace {

PayDateContext earlierEra(int dataYear, int todayEraYear = 8) {
    return {"平成", false, dataYear, "令和", todayEraYear};
}

TEST(PayDateTest, DefaultOfMonthsAndBonuses) {
    YearFileHeader header{};
    header.bonusPayMonth[1] = 12;  // winter bonus
    header.bonusPayDay[1] = 10;
    PeriodSettings settings{};
    settings.payDay = 25;
    const FileYear year{true, 8};
    EXPECT_EQ(defaultPayDate(year, 14, header, settings), (PayDateNumbers{8, 12, 10}));
    EXPECT_EQ(defaultPayDate(year, 4, header, settings), (PayDateNumbers{8, 4, 25}));
    settings.payNextMonth = 1;
    EXPECT_EQ(defaultPayDate(year, 12, header, settings), (PayDateNumbers{9, 1, 25}));
}

TEST(PayDateTest, OrdinaryDateKeepsTheDataEra) {
    const PayDateTexts texts = payDateTexts({8, 4, 25}, {"令和", true, 8, "令和", 8});
    EXPECT_EQ(texts, (PayDateTexts{" 8", " 4", "25", "令和    年    月    日", "令和"}));
}

TEST(PayDateTest, EarlierEraLastYearAfterAprilReadsYearOneOfTheFollowingEra) {
    // April is still the earlier era; May is not.
    PayDateTexts april = payDateTexts({31, 4, 25}, earlierEra(31));
    EXPECT_EQ(april.year, "31");
    EXPECT_EQ(april.label, "平成    年    月    日");

    PayDateTexts may = payDateTexts({31, 5, 25}, earlierEra(31));
    EXPECT_EQ(may.year, " 1");
    EXPECT_EQ(may.month, " 5");
    EXPECT_EQ(may.eraName, "令和");
    EXPECT_EQ(may.label, "令和    年    月    日");
}

TEST(PayDateTest, FirstYearOfAnEraShowsYearOne) {
    // While the current year is an era's first, every date reads year 1; the label follows the
    // new era only after April.
    PayDateTexts march = payDateTexts({31, 3, 25}, earlierEra(31, 1));
    EXPECT_EQ(march.year, " 1");
    EXPECT_EQ(march.eraName, "平成");
    PayDateTexts june = payDateTexts({30, 6, 25}, earlierEra(30, 1));
    EXPECT_EQ(june.year, " 1");
    EXPECT_EQ(june.eraName, "令和");
}

TEST(PayDateTest, DecemberPayOfTheLastEarlierYearPaidInJanuaryIsInTheNewEra) {
    const PayDateTexts texts = payDateTexts({2, 1, 25}, earlierEra(31));
    EXPECT_EQ(texts.year, " 2");
    EXPECT_EQ(texts.eraName, "令和");
}

TEST(DialogTextsTest, PaperPanelAndFormTypes) {
    EXPECT_EQ(paperPanelText({Paper::A4, Orientation::Landscape}), " Ａ４用紙・横 [297mm×210mm]");
    EXPECT_EQ(paperPanelText({Paper::A4, Orientation::Portrait}), " Ａ４用紙・縦 [210mm×297mm]");
    EXPECT_EQ(paperPanelText({Paper::B5, Orientation::Landscape}), " Ｂ５用紙・横 [257mm×182mm]");
    EXPECT_EQ(formTypeNames()[0], "専用用紙(HISAGO GB1150)");
    EXPECT_EQ(formTypeNames()[7], "Ａ４用紙 (GB1172形式､2名/枚)");
    EXPECT_EQ(validFormType(5), 5);
    EXPECT_EQ(validFormType(8), 3);
    EXPECT_EQ(validFormType(-1), 3);
}

}  // namespace
}  // namespace keiro::print
