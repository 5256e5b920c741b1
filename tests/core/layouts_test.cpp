// The pay slip item layouts: the published default tables, reading and writing the layout keys,
// moving rows, per-pay-form use flags, the print tables, the calculation's "is this item on the
// slip" question with renamed items, and the ledger item choices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fileio.h"
#include "core/item_values.h"
#include "core/layouts.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

using Codes = std::vector<std::string>;

// The published standard lists and default flags, restated here on purpose.
const Codes kSalaryAttendance{
    "F所定労働日数", "V出勤日数",     "V有休日数",     "V欠勤日数",     "V休日出勤日数",
    "V特別休暇日数", "F所定労働時間", "V実働時間",     "V普通残業時間", "V深夜残業時間",
    "V休日普通残業", "V休日深夜残業", "V遅刻早退回数", "V遅刻早退時間", "F",
    "V有休残日数"};
const Codes kSalaryPay{"F基本給",       "F役職手当",     "F家族手当",     "F固定手当１",
                       "F固定手当２",   "F固定手当３",   "F普通残業手当", "F深夜残業手当",
                       "F休日普通残業", "F休日深夜残業", "F非課税通勤費", "F課税通勤費",
                       "F欠勤控除",     "F遅刻早退控除", "V変動手当１",   "V変動手当２",
                       "V変動手当３",   "F課税支給合計"};
const Codes kSalaryDeduction{"F健康保険料",   "F介護保険料",   "F子ども・子育て支援金",
                             "F厚生年金保険", "F厚生年金基金", "F雇用保険料",
                             "F社会保険料計", "F社保控除後計", "F所得税",
                             "F住民税",       "F固定控除１",   "F固定控除２",
                             "F固定控除３",   "V年調過不足",   "V変動控除１",
                             "V変動控除２",   "V変動控除３",   "F"};
const Codes kOther{"Vその他１", "Vその他２", "Vその他３"};
const Codes kBonusPay{
    "V賞与", "V役員報酬",   "F",           "F固定手当１", "F固定手当２", "F固定手当３",
    "F",     "V変動手当１", "V変動手当２", "V変動手当３", "F",           "F課税支給合計",
    "F",     "F",           "F",           "F",           "F",           "F"};
const Codes kBonusDeduction{"F健康保険料",
                            "F介護保険料",
                            "F子ども・子育て支援金",
                            "F厚生年金保険",
                            "F厚生年金基金",
                            "F雇用保険料",
                            "F社会保険料計",
                            "F社保控除後計",
                            "F所得税",
                            "V年調過不足",
                            "F固定控除１",
                            "F固定控除２",
                            "F固定控除３",
                            "F",
                            "V変動控除１",
                            "V変動控除２",
                            "V変動控除３",
                            "F"};

struct ExpectedBand {
    Band band;
    Codes codes;
    std::array<std::string, kPayFormCount> flags;
};

const std::vector<ExpectedBand> kSalaryDefaults{
    {Band::Attendance,
     kSalaryAttendance,
     {"1111111111111111", "0111110111111111", "0111110111110011"}},
    {Band::Pay, kSalaryPay, {"111000111111110001", "111000111111110001", "111000111111100001"}},
    {Band::Deduction,
     kSalaryDeduction,
     {"111111111100010001", "111111111100010001", "111111111100010001"}},
    {Band::Other, kOther, {"000", "000", "000"}},
};
const std::vector<ExpectedBand> kBonusDefaults{
    {Band::Attendance,
     Codes(16, "F"),
     {std::string(16, '0'), std::string(16, '0'), std::string(16, '0')}},
    {Band::Pay, kBonusPay, {"111000100011111111", "111000100011111111", "111000100011111111"}},
    {Band::Deduction,
     kBonusDeduction,
     {"111111111100010001", "111111111100010001", "111111111100010001"}},
    {Band::Other, kOther, {"000", "000", "000"}},
};

Codes codesOf(const ItemLayout& layout, Band band) {
    Codes codes;
    for (const LayoutRow& row : layout.band(band)) codes.push_back(row.code);
    return codes;
}

std::string flagsOf(const ItemLayout& layout, Band band, int payForm) {
    std::string text;
    for (const LayoutRow& row : layout.band(band)) text += row.use[payForm - 1] ? '1' : '0';
    return text;
}

void expectLayout(const ItemLayout& layout, const std::vector<ExpectedBand>& expected) {
    for (const ExpectedBand& e : expected) {
        SCOPED_TRACE(static_cast<int>(e.band));
        EXPECT_EQ(codesOf(layout, e.band), e.codes);
        for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
            EXPECT_EQ(flagsOf(layout, e.band, payForm), e.flags[payForm - 1]) << payForm;
        }
    }
}

class LayoutFileTest : public ::testing::Test {
  protected:
    void store(std::string_view utf8) { writeFileAtomic(path_, text::toCp932(utf8)); }
    std::string onDiskUtf8() const { return text::fromCp932(readFile(path_)); }
    ItemLayout load(LayoutKind kind) const { return loadLayout(IniFile(path_), kind); }
    void save(const ItemLayout& layout, const ItemNames& names = {}) {
        IniFile ini(path_);
        saveLayout(ini, layout, names);
    }

    testing_support::TempFolder folder_{"keiro-layouts"};
    fs::path path_ = folder_ / "Keiro.ini";
};

TEST_F(LayoutFileTest, AConfigurationWithoutTheSectionsGivesThePublishedDefaults) {
    store("[Option]\r\nCorpName=山田商店\r\n");
    const ItemLayout salary = load(LayoutKind::Salary);
    EXPECT_EQ(salary.kind, LayoutKind::Salary);
    expectLayout(salary, kSalaryDefaults);
    EXPECT_EQ(salary, defaultLayout(LayoutKind::Salary));

    const ItemLayout bonus = load(LayoutKind::Bonus);
    EXPECT_EQ(bonus.kind, LayoutKind::Bonus);
    expectLayout(bonus, kBonusDefaults);
    EXPECT_EQ(bonus, defaultLayout(LayoutKind::Bonus));

    // A missing file reads the same.
    EXPECT_EQ(loadLayout(IniFile(folder_ / "none.ini"), LayoutKind::Salary), salary);
}

TEST_F(LayoutFileTest, SaveThenLoadGivesTheSameLayoutUnderTheExactKeys) {
    store("[Option]\r\nCorpName=山田商店\r\n");
    ItemLayout salary = defaultLayout(LayoutKind::Salary);
    moveRow(salary, Band::Pay, 17, 0);
    salary.band(Band::Deduction)[9].use = {false, true, false};
    salary.band(Band::Attendance)[14].code = "V有休残日数";
    save(salary);
    EXPECT_EQ(load(LayoutKind::Salary), salary);

    const std::string text = onDiskUtf8();
    EXPECT_NE(text.find("[Option]\r\nCorpName=山田商店\r\n"), std::string::npos);
    EXPECT_NE(text.find("[KyuyoItemName]\r\nKintai00=F所定労働日数\r\n"), std::string::npos);
    EXPECT_NE(text.find("Kintai15=V有休残日数\r\n"), std::string::npos);
    EXPECT_NE(text.find("Sikyu00=F課税支給合計\r\nSikyu01=F基本給\r\n"), std::string::npos);
    EXPECT_NE(text.find("Koujo17=F\r\nSonota00=Vその他１\r\n"), std::string::npos);
    EXPECT_NE(text.find("[KyuyoKeitai2]\r\nKintai=0111110111111111\r\nSikyu=111100011111111000"
                        "\r\nKoujo=111111111100010001\r\nSonota=000\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[KyuyoKeitai1]\r\nKintai=1111111111111111\r\nSikyu=111100011111111000"
                        "\r\nKoujo=111111111000010001\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Syoyo"), std::string::npos);

    // The bonus layout has its own sections and no attendance keys; the salary layout stays.
    ItemLayout bonus = defaultLayout(LayoutKind::Bonus);
    bonus.band(Band::Pay)[2].code = "F役職手当";
    save(bonus);
    EXPECT_EQ(load(LayoutKind::Bonus), bonus);
    EXPECT_EQ(load(LayoutKind::Salary), salary);
    const std::string both = onDiskUtf8();
    const std::string bonusPart = both.substr(both.find("[SyoyoItemName]"));
    EXPECT_NE(bonusPart.find("[SyoyoItemName]\r\nSikyu00=V賞与\r\n"), std::string::npos);
    EXPECT_NE(bonusPart.find("[SyoyoKeitai3]\r\nSikyu=111000100011111111\r\n"), std::string::npos);
    EXPECT_EQ(bonusPart.find("Kintai"), std::string::npos);
}

TEST_F(LayoutFileTest, DamagedKeysReadSafelyAndMissingOnesKeepTheirDefaults) {
    store(
        "[KyuyoItemName]\r\n"
        "Sikyu01=XYZ\r\n"  // no item: kept, matches nothing
        "Sikyu02=\r\n"     // empty: a blank row
        "Koujo00=V\r\n"    // a prefix alone
        "[KyuyoKeitai1]\r\n"
        "Sikyu=1x1\r\n"  // only "1" means used; the missing rest is unused
        "[KyuyoKeitai2]\r\n"
        "Kintai=\r\n"
        "[KyuyoKeitai3]\r\n"
        "Sonota=11111111\r\n");  // too long: the extra characters mean nothing
    // A lone lead byte is no code page 932 text.
    std::string bytes = readFile(path_);
    bytes += "[SyoyoItemName]\r\nSikyu00=\x81\r\nSikyu01=\xFF\xFE\r\n";
    writeFileAtomic(path_, bytes);

    const ItemLayout salary = load(LayoutKind::Salary);
    EXPECT_EQ(salary.band(Band::Pay)[0].code, "F基本給");
    EXPECT_EQ(salary.band(Band::Pay)[1].code, "XYZ");
    EXPECT_EQ(salary.band(Band::Pay)[2].code, "F");
    EXPECT_EQ(salary.band(Band::Deduction)[0].code, "V");
    EXPECT_EQ(flagsOf(salary, Band::Pay, 1), "101000000000000000");
    EXPECT_EQ(flagsOf(salary, Band::Pay, 2), "111000111111110001");
    EXPECT_EQ(flagsOf(salary, Band::Attendance, 2), std::string(16, '0'));
    EXPECT_EQ(flagsOf(salary, Band::Other, 3), "111");

    const ItemLayout bonus = load(LayoutKind::Bonus);
    EXPECT_EQ(bonus.band(Band::Pay)[0].code, "F");
    EXPECT_EQ(bonus.band(Band::Pay)[1].code, "F");

    // Everything downstream copes, and the layout can still be written back.
    const PrintTables tables = buildPrintTables(salary);
    EXPECT_EQ(tables.rows(1, Band::Pay)[1], "F");  // switched off by "1x1"
    const ActiveItems active(tables, ItemNames{});
    EXPECT_FALSE(active.isActive(1, Band::Pay, "F役職手当"));
    EXPECT_FALSE(active.isActive(1, Band::Pay, "XYZ"));  // switched off on 月給
    EXPECT_EQ(layoutItemName(ItemNames{}, "V"), "");
    save(salary);
    save(bonus);
    EXPECT_EQ(load(LayoutKind::Salary), salary);
    EXPECT_EQ(load(LayoutKind::Bonus), bonus);
}

// Layouts saved before 子ども・子育て支援金 and 年調過不足 existed get them in their first blank
// deduction rows, used on every pay form; one that has them keeps them where they are.
TEST_F(LayoutFileTest, AnOlderLayoutGetsTheLevyAndTheSettlementInFreeRows) {
    const Codes older{"F健康保険料",   "F介護保険料", "F厚生年金保険",
                      "F厚生年金基金", "F雇用保険料", "F社会保険料計",
                      "F社保控除後計", "F",           "F所得税",
                      "F住民税",       "F固定控除１", "F固定控除２",
                      "F固定控除３",   "F",           "V変動控除１",
                      "V変動控除２",   "V変動控除３", "F"};
    const auto olderIni = [&](const char* section, const char* flagSection, const Codes& codes) {
        std::string text = std::string("[") + section + "]\r\n";
        for (std::size_t i = 0; i < codes.size(); ++i) {
            text += "Koujo" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=" + codes[i] +
                    "\r\n";
        }
        return text + "[" + flagSection + "1]\r\nKoujo=111111100100010001\r\n";
    };
    store(olderIni("KyuyoItemName", "KyuyoKeitai", older) +
          olderIni("SyoyoItemName", "SyoyoKeitai", older));
    for (const LayoutKind kind : {LayoutKind::Salary, LayoutKind::Bonus}) {
        const ItemLayout layout = load(kind);
        Codes expected = older;
        expected[7] = "F子ども・子育て支援金";
        expected[13] = "V年調過不足";
        EXPECT_EQ(codesOf(layout, Band::Deduction), expected);
        EXPECT_EQ(flagsOf(layout, Band::Deduction, 1), "111111110100010001");
        const ActiveItems active(buildPrintTables(layout), ItemNames{});
        EXPECT_TRUE(active.isActive(2, Band::Deduction, "F子ども・子育て支援金"));
        EXPECT_TRUE(active.isActive(3, Band::Deduction, "V年調過不足"));
        // Saved and read again it stays in that row.
        save(layout);
        EXPECT_EQ(load(kind), layout);
    }

    // No blank row left: nothing is overwritten.
    Codes full = older;
    full[7] = full[13] = full[17] = "V変動控除１";
    store(olderIni("KyuyoItemName", "KyuyoKeitai", full));
    EXPECT_EQ(codesOf(load(LayoutKind::Salary), Band::Deduction), full);

    // Moved by the user: kept where they are.
    Codes moved = older;
    moved[17] = "F子ども・子育て支援金";
    moved[7] = "V年調過不足";
    store(olderIni("KyuyoItemName", "KyuyoKeitai", moved));
    EXPECT_EQ(codesOf(load(LayoutKind::Salary), Band::Deduction), moved);
}

TEST(MoveRow, MovingTheLastRowToTheTopShiftsEveryOtherRowDownWithItsFlags) {
    const ItemLayout before = defaultLayout(LayoutKind::Salary);
    ItemLayout layout = before;
    moveRow(layout, Band::Attendance, 15, 0);
    const auto& rows = layout.band(Band::Attendance);
    const auto& old = before.band(Band::Attendance);
    EXPECT_EQ(rows[0], old[15]);
    for (int i = 1; i < 16; ++i) EXPECT_EQ(rows[i], old[i - 1]) << i;
    // Other bands are untouched.
    EXPECT_EQ(layout.band(Band::Pay), before.band(Band::Pay));
}

TEST(MoveRow, MovingDownShiftsTheRowsBetweenUp) {
    const ItemLayout before = defaultLayout(LayoutKind::Salary);
    ItemLayout layout = before;
    moveRow(layout, Band::Pay, 1, 4);  // 役職手当 below 固定手当２
    EXPECT_EQ(codesOf(layout, Band::Pay),
              (Codes{"F基本給", "F家族手当", "F固定手当１", "F固定手当２", "F役職手当",
                     "F固定手当３", "F普通残業手当", "F深夜残業手当", "F休日普通残業",
                     "F休日深夜残業", "F非課税通勤費", "F課税通勤費", "F欠勤控除", "F遅刻早退控除",
                     "V変動手当１", "V変動手当２", "V変動手当３", "F課税支給合計"}));
    EXPECT_EQ(flagsOf(layout, Band::Pay, 1), "110010111111110001");
    moveRow(layout, Band::Pay, 4, 1);
    EXPECT_EQ(layout, before);
    for (const auto& [from, to] : {std::pair{-1, 0}, {0, 18}, {18, 0}, {3, 3}}) {
        moveRow(layout, Band::Pay, from, to);
        EXPECT_EQ(layout, before) << from << "→" << to;
    }
}

TEST(PrintTables, AnItemSwitchedOffForDailyPayIsBlankOnlyThere) {
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    layout.band(Band::Pay)[1].use[1] = false;  // 役職手当 off for 日給
    EXPECT_TRUE(layout.band(Band::Pay)[1].use[0]);
    EXPECT_TRUE(layout.band(Band::Pay)[1].use[2]);
    const PrintTables tables = buildPrintTables(layout);
    EXPECT_EQ(tables.rows(1, Band::Pay)[1], "F役職手当");
    EXPECT_EQ(tables.rows(2, Band::Pay)[1], "F");
    EXPECT_EQ(tables.rows(3, Band::Pay)[1], "F役職手当");
    const ActiveItems active(tables, ItemNames{});
    EXPECT_TRUE(active.isActive(1, Band::Pay, "F役職手当"));
    EXPECT_FALSE(active.isActive(2, Band::Pay, "F役職手当"));
    EXPECT_TRUE(active.isActive(3, Band::Pay, "F役職手当"));
}

TEST(PrintTables, DefaultTablesPerPayForm) {
    const PrintTables salary = buildPrintTables(defaultLayout(LayoutKind::Salary));
    EXPECT_EQ(salary.rows(3, Band::Attendance),
              (Codes{"F", "V出勤日数", "V有休日数", "V欠勤日数", "V休日出勤日数", "V特別休暇日数",
                     "F", "V実働時間", "V普通残業時間", "V深夜残業時間", "V休日普通残業",
                     "V休日深夜残業", "F", "F", "F", "V有休残日数"}));
    EXPECT_EQ(salary.rows(1, Band::Other), Codes(3, "F"));
    EXPECT_EQ(salary.rows(2, Band::Deduction).size(), 18u);

    // The bonus attendance band is blank whatever its rows say.
    ItemLayout bonusLayout = defaultLayout(LayoutKind::Bonus);
    bonusLayout.band(Band::Attendance)[0] = {"V出勤日数", {true, true, true}};
    const PrintTables bonus = buildPrintTables(bonusLayout);
    EXPECT_EQ(bonus.kind, LayoutKind::Bonus);
    for (int payForm = 1; payForm <= 3; ++payForm) {
        EXPECT_EQ(bonus.rows(payForm, Band::Attendance), Codes(16, "F"));
        EXPECT_EQ(bonus.rows(payForm, Band::Pay),
                  (Codes{"V賞与", "V役員報酬", "F", "F", "F", "F", "F", "F", "F", "F", "F",
                         "F課税支給合計", "F", "F", "F", "F", "F", "F"}));
    }
}

TEST(PrintTables, AShortOrEmptyBandStillGivesFullTables) {
    ItemLayout layout;  // no rows at all
    const PrintTables tables = buildPrintTables(layout);
    for (int b = 0; b < kBandCount; ++b) {
        EXPECT_EQ(tables.rows(2, static_cast<Band>(b)), Codes(kBandRows[b], "F"));
    }
}

TEST_F(LayoutFileTest, ARowNamedByARenamedFreeItemIsSavedUnderItsStandardCode) {
    ItemNames names;
    names.names[29] = "残業食事代";  // 変動手当１
    names.names[40] = "社宅費";      // その他３
    names.names[26] = "役職手当";    // 固定手当１ given the name of another item
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    layout.band(Band::Pay)[14].code = "V残業食事代";
    layout.band(Band::Other)[0].code = "V社宅費";
    layout.band(Band::Attendance)[14].code = "V残業食事代";  // attendance rows stay as they are
    save(layout, names);
    const std::string text = onDiskUtf8();
    EXPECT_NE(text.find("Sikyu14=V変動手当１\r\n"), std::string::npos);
    EXPECT_NE(text.find("Sonota00=Vその他３\r\n"), std::string::npos);
    EXPECT_NE(text.find("Kintai14=V残業食事代\r\n"), std::string::npos);
    // A standard code keeps its own row even when a free item shares its name.
    EXPECT_NE(text.find("Sikyu01=F役職手当\r\n"), std::string::npos);
    EXPECT_NE(text.find("Sikyu03=F固定手当１\r\n"), std::string::npos);
}

TEST(ActiveItemsTest, ItemsAreRecognisedByTheirCurrentNames) {
    ItemNames renamed;
    renamed.names[29] = "残業食事代";  // 変動手当１

    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    layout.band(Band::Pay)[14].use = {true, false, false};
    const PrintTables tables = buildPrintTables(layout);
    const ActiveItems byCode(tables, renamed);
    EXPECT_TRUE(byCode.isActive(1, Band::Pay, "V変動手当１"));
    EXPECT_FALSE(byCode.isActive(2, Band::Pay, "V変動手当１"));

    // A row stored under the user's name counts for the renamed item, and only while the
    // item carries that name.
    layout.band(Band::Pay)[14].code = "V残業食事代";
    const PrintTables byName = buildPrintTables(layout);
    EXPECT_TRUE(ActiveItems(byName, renamed).isActive(1, Band::Pay, "V変動手当１"));
    EXPECT_FALSE(ActiveItems(byName, ItemNames{}).isActive(1, Band::Pay, "V変動手当１"));
}

TEST(ActiveItemsTest, TwoItemsOfOneNameAreTwoItems) {
    ItemNames names;
    names.names[26] = "役職手当";  // 固定手当１ given the name of another item
    ItemLayout layout = defaultLayout(LayoutKind::Salary);
    layout.band(Band::Pay)[1].use = {true, false, false};  // 役職手当
    layout.band(Band::Pay)[3].use = {false, true, false};  // 固定手当１
    const ActiveItems active(buildPrintTables(layout), names);
    const ItemId position = ItemId::payment(2);
    const ItemId fixed1 = ItemId::payment(4);
    EXPECT_TRUE(active.isActive(1, Band::Pay, position));
    EXPECT_FALSE(active.isActive(1, Band::Pay, fixed1));
    EXPECT_FALSE(active.isActive(2, Band::Pay, position));
    EXPECT_TRUE(active.isActive(2, Band::Pay, fixed1));
    EXPECT_FALSE(active.isActive(3, Band::Pay, position));
    EXPECT_FALSE(active.isActive(3, Band::Pay, fixed1));
    // Asked by code, each code is its own item.
    EXPECT_FALSE(active.isActive(1, Band::Pay, "F固定手当１"));
    EXPECT_FALSE(active.isActive(2, Band::Pay, "F役職手当"));
}

TEST(ActiveItemsTest, ItemsOfAnotherBandOrOfNoRecordAreNotActive) {
    const ActiveItems salary(buildPrintTables(defaultLayout(LayoutKind::Salary)), ItemNames{});
    EXPECT_TRUE(salary.isActive(1, Band::Attendance, ItemId::attendance(2)));  // 出勤日数
    EXPECT_FALSE(salary.isActive(1, Band::Pay, ItemId::attendance(2)));
    EXPECT_FALSE(salary.isActive(1, Band::Pay, ItemId{}));
    EXPECT_FALSE(salary.isActive(1, Band::Pay, ItemId::payment(40)));
    EXPECT_FALSE(salary.isActive(1, Band::Pay, ItemId::payment(-1)));
}

TEST(ActiveItemsTest, CodesOutsideTheItemTableBandsAndPayForms) {
    const ActiveItems salary(buildPrintTables(defaultLayout(LayoutKind::Salary)), ItemNames{});
    EXPECT_TRUE(salary.isActive(1, Band::Deduction, "F所得税"));
    EXPECT_TRUE(salary.isActive(1, Band::Deduction, "F健康保険料"));
    EXPECT_TRUE(salary.isActive(3, Band::Pay, "F課税支給合計"));
    EXPECT_FALSE(salary.isActive(1, Band::Deduction, "F固定控除１"));
    EXPECT_FALSE(salary.isActive(1, Band::Pay, "V賞与"));
    // The band tells 休日普通残業 hours from the allowance of the same name.
    EXPECT_TRUE(salary.isActive(1, Band::Pay, "F休日普通残業"));
    EXPECT_FALSE(salary.isActive(1, Band::Deduction, "F休日普通残業"));
    // Blank rows activate nothing; a damaged pay form has nothing on its slip.
    EXPECT_FALSE(salary.isActive(1, Band::Deduction, "F"));
    EXPECT_FALSE(salary.isActive(0, Band::Pay, "F基本給"));
    EXPECT_FALSE(salary.isActive(4, Band::Pay, "F基本給"));
    EXPECT_FALSE(ActiveItems().isActive(1, Band::Pay, "F基本給"));

    const ActiveItems bonus(buildPrintTables(defaultLayout(LayoutKind::Bonus)), ItemNames{});
    EXPECT_TRUE(bonus.isActive(2, Band::Pay, "V賞与"));
    EXPECT_FALSE(bonus.isActive(2, Band::Deduction, "F住民税"));
    EXPECT_FALSE(bonus.isActive(2, Band::Attendance, "V出勤日数"));
}

TEST(Captions, BasePayRowFollowsThePayFormTab) {
    EXPECT_EQ(basePayCaption(1), "基本給");
    EXPECT_EQ(basePayCaption(2), "日給計");
    EXPECT_EQ(basePayCaption(3), "時給計");
    for (const char* text : {"基本給", "日給計", "時給計"}) {
        EXPECT_EQ(payRowCaption(text, 1), "基本給");
        EXPECT_EQ(payRowCaption(text, 2), "日給計");
        EXPECT_EQ(payRowCaption(text, 3), "時給計");
    }
    EXPECT_EQ(payRowCaption("役職手当", 2), "役職手当");

    ItemNames names;
    names.names[16] = "職務手当";
    EXPECT_EQ(layoutRowCaption(names, LayoutKind::Salary, Band::Pay, "F基本給", 3), "時給計");
    EXPECT_EQ(layoutRowCaption(names, LayoutKind::Salary, Band::Pay, "F役職手当", 3), "職務手当");
    EXPECT_EQ(layoutRowCaption(names, LayoutKind::Bonus, Band::Pay, "F基本給", 3), "基本給");
    EXPECT_EQ(layoutRowCaption(names, LayoutKind::Salary, Band::Pay, "F", 2), "");
    EXPECT_EQ(layoutRowCaption(names, LayoutKind::Salary, Band::Deduction, "F所得税", 2), "所得税");
    // A damaged code that starts with a multi-byte character loses that whole character.
    EXPECT_EQ(layoutItemName(names, "基本給"), "本給");
}

TEST(LedgerItems, CaptionsFollowTheDisplayNames) {
    ItemNames names;
    names.names[1] = "出社日数";
    names.names[30] = "資格手当";  // 変動手当２
    const LedgerItemCaptions captions = ledgerItemCaptions(names);
    EXPECT_EQ(captions.added[0], "所定労働日数");
    EXPECT_EQ(captions.added[1], "出社日数");
    EXPECT_EQ(captions.added[13], "遅刻早退時間");
    EXPECT_EQ(captions.added[14], "");  // the hidden blank entry
    EXPECT_EQ(captions.removed[0], "固定手当１");
    EXPECT_EQ(captions.removed[4], "資格手当");
    EXPECT_EQ(captions.removed[9], "変動控除１");
    EXPECT_EQ(captions.removed[14], "その他３");
}

TEST(LedgerItems, NoMoreItemsMayBeAddedThanRemoved) {
    struct Case {
        int added, removed;
        bool refused;
    };
    for (const Case& c : {Case{2, 1, true}, Case{2, 2, false}, Case{0, 0, false}, Case{0, 3, false},
                          Case{15, 14, true}, Case{15, 15, false}}) {
        LedgerItemFlags added{}, removed{};
        // Spread the checks over the boxes rather than packing them at the front.
        for (int i = 0; i < c.added; ++i) added[kLedgerChoiceCount - 1 - i] = true;
        for (int i = 0; i < c.removed; ++i) removed[i] = true;
        const auto error = checkLedgerItemChoices(added, removed);
        EXPECT_EQ(error.has_value(), c.refused) << c.added << "/" << c.removed;
        if (error) {
            EXPECT_EQ(*error,
                      "追加する勤怠項目が多すぎます。\n追加項目数≦削除項目数にして下さい。");
        }
    }
    EXPECT_EQ(kMsgResetLedgerItemsConfirm, "追加/削除する項目設定を初期状態に戻します。");
    EXPECT_EQ(kMsgResetLayoutConfirm, "項目使用有無と順序の変更を初期状態に戻します。");
}

}  // namespace
}  // namespace keiro
