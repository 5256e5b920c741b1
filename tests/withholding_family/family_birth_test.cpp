// Birth dates typed in the dependants dialog, and the age class shown beside them.
#include "withholding/edit/family_birth.h"

#include <gtest/gtest.h>

#include "withholding/edit/family_class.h"

namespace keiro::withholding {
namespace {

std::string accepted(std::string_view typed, int year = 2025) {
    const ParsedBirth parsed = parseBirthDate(typed, year);
    EXPECT_TRUE(parsed.ok()) << typed << ": " << parsed.error;
    return parsed.date ? formatBirthDate(*parsed.date) : "(empty)";
}

std::string refusal(std::string_view typed, int year = 2025) {
    const ParsedBirth parsed = parseBirthDate(typed, year);
    EXPECT_FALSE(parsed.date) << typed;
    return parsed.error;
}

CalendarDateBytes born(int year, int month, int day) {
    return {static_cast<std::uint8_t>(year - 1900), static_cast<std::uint8_t>(month),
            static_cast<std::uint8_t>(day)};
}

TEST(BirthDate, WesternAndEraEntriesGiveTheSameWesternDate) {
    for (const char* typed :
         {"1985-04-01", "1985/4/1", "1985.4.1", "19850401", "S60.4.1", "s60/4/1", "S600401",
          "昭和60年4月1日", "Ｓ６０．４．１", " 1985-04-01　"}) {
        EXPECT_EQ(accepted(typed), "1985-04-01") << typed;
    }
    EXPECT_EQ(accepted("H元.1.8"), "1989-01-08");
    EXPECT_EQ(accepted("R1.5.1"), "2019-05-01");
    EXPECT_EQ(accepted("T15.12.24"), "1926-12-24");
    EXPECT_EQ(accepted("S63.2.29"), "1988-02-29");  // 1988 is a leap year
    EXPECT_EQ(accepted("2025-12-31"), "2025-12-31");
    EXPECT_EQ(accepted(""), "(empty)");
    EXPECT_EQ(accepted("  "), "(empty)");
}

TEST(BirthDate, AnImpossibleDateIsRefusedSayingWhy) {
    EXPECT_EQ(refusal("2001-02-30"), "2001年2月は28日までです。");
    EXPECT_EQ(refusal("H31.2.29"), "2019年2月は28日までです。（閏年ではありません）");
    EXPECT_EQ(refusal("1985-13-01"), "月は1から12までです。");
    EXPECT_EQ(refusal("S65.1.1"), "昭和は64年までです。");
    EXPECT_EQ(refusal("S64.1.8"), "昭和64年は1月7日までです。");
    EXPECT_EQ(refusal("H31.5.1"), "平成31年は4月30日までです。");
    EXPECT_EQ(refusal("R1.4.30"), "令和元年は5月1日からです。");
    EXPECT_EQ(refusal("2026-01-01"), "生年月日が2025年12月31日より後です。");
    EXPECT_EQ(refusal("1899-12-31"), "1900年より前の生年月日は入力できません。");
    const std::string format = "生年月日は 1985-04-01 または S60.4.1 の形で入力してください。";
    for (const char* typed :
         {"60.4.1", "1985-4", "X60.4.1", "1985-04-01-02", "abc", "S0.4.1", "850401"}) {
        EXPECT_EQ(refusal(typed), format) << typed;
    }
}

TEST(AgeClass, IsTheAgeAtTheThirtyFirstOfDecember) {
    // 2025: under 16 = born on or after 2010-01-02; 19–22 = born 2003-01-02 … 2007-01-01.
    const auto dependant = [](CalendarDateBytes birth) {
        return familyClassText(birth, 2025, FamilyRole::Dependant);
    };
    EXPECT_EQ(dependant(born(2010, 1, 2)), "15歳 年少");
    EXPECT_EQ(dependant(born(2010, 1, 1)), "16歳 一般（16〜18歳）");
    EXPECT_EQ(dependant(born(2007, 1, 2)), "18歳 一般（16〜18歳）");
    EXPECT_EQ(dependant(born(2007, 1, 1)), "19歳 特定");
    EXPECT_EQ(dependant(born(2003, 1, 2)), "22歳 特定");
    EXPECT_EQ(dependant(born(2003, 1, 1)), "23歳 一般");
    EXPECT_EQ(dependant(born(1956, 1, 2)), "69歳 一般");
    EXPECT_EQ(dependant(born(1956, 1, 1)), "70歳 老人");
    EXPECT_EQ(familyClassText(born(2007, 6, 1), 2025, FamilyRole::Spouse), "18歳 一般");
    EXPECT_EQ(familyClassText(born(1955, 6, 1), 2025, FamilyRole::Spouse), "70歳 老人");
    EXPECT_EQ(dependant(CalendarDateBytes{}), "");

    EXPECT_TRUE(fitsSpecificRelativeAge(born(2007, 1, 1), 2025));
    EXPECT_TRUE(fitsSpecificRelativeAge(born(2003, 1, 2), 2025));
    EXPECT_FALSE(fitsSpecificRelativeAge(born(2007, 1, 2), 2025));
    EXPECT_FALSE(fitsSpecificRelativeAge(born(2003, 1, 1), 2025));
    EXPECT_TRUE(fitsSpecificRelativeAge(CalendarDateBytes{}, 2025));
}

}  // namespace
}  // namespace keiro::withholding
