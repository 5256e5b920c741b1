// The typed settings: defaults of an empty configuration, tolerant parsing of hand-edited
// values, exactly what each writer stores, and the stored form of the password.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "core/settings.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

class SettingsTest : public ::testing::Test {
  protected:
    // Loads settings from an ini text given in UTF-8.
    Settings load(std::string_view utf8) {
        writeFileAtomic(path_, text::toCp932(utf8));
        return loadSettings(IniFile(path_));
    }
    std::string onDisk() const { return readFile(path_); }

    testing_support::TempFolder folder_{"keiro-settings"};
    fs::path path_ = folder_ / "Keiro.ini";
};

TEST_F(SettingsTest, EmptyConfigurationGivesTheDefaults) {
    const Settings s = loadSettings(IniFile(path_));
    EXPECT_EQ(s.window, WindowPlacement{});
    EXPECT_TRUE(s.window.maximized);
    EXPECT_EQ(s.window.width, 640);
    EXPECT_EQ(s.window.height, 440);
    EXPECT_EQ(s.newEraName, "");
    EXPECT_EQ(s.companyName, "Nil");
    EXPECT_EQ(s.defaultHoursPerDay, 0.0);
    EXPECT_EQ(s.monthRounding, (RoundingSettings{RoundingMode::Ceil, RoundingMode::Truncate,
                                                 RoundingMode::Truncate}));
    EXPECT_EQ(s.bonusRounding, s.monthRounding);
    EXPECT_EQ(s.timeStyle, TimeStyle::Sexagesimal);
    EXPECT_TRUE(s.autoSelect && s.overwriteInput && s.printCumulative && s.use2000YenNotes &&
                s.hoursWorkedIncludeOvertime);
    EXPECT_EQ(formatFlagText(s.taxableFlags), "111111000000");
    EXPECT_EQ(formatFlagText(s.socialInsBaseFlags), "111111000000");
    EXPECT_EQ(s.itemNames.names, ItemNames().names);
    EXPECT_EQ(s.itemNames.extraBonusCaption, "特別賞与");
    EXPECT_EQ(s.password, "");
    EXPECT_EQ(s.formType, 3);
    EXPECT_EQ(formatFlagText(s.ledgerAddedItems), "000000000000000");
    EXPECT_EQ(formatFlagText(s.ledgerRemovedItems), "000000000000000");
    EXPECT_EQ(s.printer, PrinterSettings{});
    EXPECT_EQ(s.manualUrl, kDefaultManualUrl);
}

TEST_F(SettingsTest, BonusRoundingsFollowTheMonthValuesUnlessSet) {
    Settings s = load("[Option]\r\nHasuuSik=2\r\nHasuuGen=2\r\nHasuuKou=0\r\n");
    EXPECT_EQ(s.monthRounding,
              (RoundingSettings{RoundingMode::Round, RoundingMode::Round, RoundingMode::Truncate}));
    EXPECT_EQ(s.bonusRounding, s.monthRounding);
    EXPECT_EQ(&s.rounding(true), &s.bonusRounding);

    s = load("[Option]\r\nHasuuSik=2\r\nHasuuKouS=2\r\nHasuuGenS=7\r\nHasuuGen=x\r\n");
    EXPECT_EQ(s.bonusRounding,
              (RoundingSettings{RoundingMode::Round, RoundingMode::Truncate, RoundingMode::Round}));
    EXPECT_EQ(s.monthRounding.reduction, RoundingMode::Truncate);  // garbage: the default
}

TEST_F(SettingsTest, FreeItemFlagsAreReadCharacterByCharacter) {
    struct Case {
        const char* stored;
        const char* flags;
    };
    const Case cases[] = {
        {"Kazei=101", "101000000000"},
        {"Kazei=", "000000000000"},
        {"Kazei=11111111111111111", "111111111111"},
        {"Kazei=abc1\xef\xbc\x91"
         "1",
         "000100100000"},  // １ is two bytes, neither "1"
        {"Kazei=\"010\"", "010000000000"},
        {"Other=1", "111111000000"},
    };
    for (const Case& c : cases) {
        const Settings s = load(std::string("[Option]\r\n") + c.stored + "\r\n");
        EXPECT_EQ(formatFlagText(s.taxableFlags), c.flags) << c.stored;
    }
}

TEST_F(SettingsTest, FixedPayFlagsDefaultToTheFixedItemsAndAreStored) {
    Settings s = load("[Option]\r\nKazei=1\r\n");
    EXPECT_EQ(formatFlagText(s.fixedPayFlags), "11111100001100000");
    s.fixedPayFlags[12] = true;  // 変動手当１ paid at a fixed amount
    IniFile ini(path_);
    saveSocialSettings(ini, s);
    EXPECT_NE(onDisk().find("Kotei=11111100001110000"), std::string::npos);
    EXPECT_TRUE(loadSettings(IniFile(path_)).fixedPayFlags[12]);
}

TEST_F(SettingsTest, LabourInsuranceSettingsRefuseValuesOutOfRange) {
    EXPECT_EQ(load("").accidentRateTenthsPerMille, 30);
    EXPECT_EQ(load("[Option]\r\nRousaiRitu=0\r\nKoyouJigyou=7\r\n").accidentRateTenthsPerMille, 30);
    Settings s = load("[Option]\r\nRousaiRitu=95\r\nKoyouJigyou=2\r\n");
    EXPECT_EQ(s.accidentRateTenthsPerMille, 95);
    EXPECT_EQ(s.employmentBusiness, 2);
    s.employmentBusiness = 1;
    IniFile ini(path_);
    saveSocialSettings(ini, s);
    EXPECT_EQ(loadSettings(IniFile(path_)).employmentBusiness, 1);
    EXPECT_EQ(loadSettings(IniFile(path_)).accidentRateTenthsPerMille, 95);
}

TEST_F(SettingsTest, ItemNamesAreReadWithBasePayFixed) {
    const Settings s = load(
        "[Option]\r\ninKihon=\"給料\"\r\ninFutZan=\"残業時間帯\"\r\nFixTeate1=\"\"\r\n"
        "TokuSyoyo=\"決算賞与\"\r\nTimeStyle=0\r\nState=wsNormal\r\n"
        "[window]\r\nstate=wsNormal\r\nMembList_X=900\r\n");
    EXPECT_EQ(s.itemNames[kBasePayItem], "基本給");
    EXPECT_EQ(s.itemNames[*itemIndex("V普通残業時間")], "残業時間帯");
    EXPECT_EQ(s.itemNames[kFirstFreeItem], "固定手当１");  // empty: the standard name
    EXPECT_EQ(s.itemNames.extraBonusCaption, "決算賞与");
    EXPECT_EQ(s.timeStyle, TimeStyle::Decimal);
    EXPECT_FALSE(s.window.maximized);
    EXPECT_EQ(s.window.employeeListWidth, 900);
    EXPECT_EQ(s.window.employeeListHeight, kEmployeeListDesignHeight);
}

TEST_F(SettingsTest, CommonSettingsStoreWhatTheDialogsOkStores) {
    writeFileAtomic(path_, "[Option]\r\nHasuuSikS=1\r\nListFile=\"QRS\"\r\n");
    IniFile ini(path_);
    Settings s = loadSettings(ini);
    s.companyName = "山田商店";
    s.defaultHoursPerDay = 7.5;
    s.itemNames.names[*itemIndex("V出勤日数")] = "出勤";
    s.itemNames.names[kBasePayItem] = "ignored";
    s.itemNames.names[*itemIndex("Vその他３")] = " \"立替\" ";
    s.taxableFlags = {true, false, true};
    s.timeStyle = TimeStyle::Decimal;
    s.monthRounding = {RoundingMode::Round, RoundingMode::Truncate, RoundingMode::Round};
    s.bonusRounding = {};
    s.use2000YenNotes = false;
    saveCommonSettings(ini, s);

    const std::string file = text::fromCp932(onDisk());
    for (const char* line :
         {"DefJikanD=7.50\r\n", "CorpName=山田商店\r\n", "inSyuNisu=\"出勤\"\r\n",
          "inKihon=\"基本給\"\r\n", "FixTeate1=\"固定手当１\"\r\n", "TokuSyoyo=\"特別賞与\"\r\n",
          "Sonota3=\" \"立替\" \"\r\n", "Kazei=101000000000\r\n", "Syaho=111111000000\r\n",
          "TimeStyle=0\r\n", "HasuuSik=2\r\n", "HasuuGen=0\r\n", "HasuuKou=2\r\n",
          "PrnRuikei=1\r\n", "Use2kSatu=0\r\n", "Jitudou=1\r\n", "HasuuSikS=1\r\n",
          "ListFile=\"QRS\"\r\n"}) {
        EXPECT_NE(file.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(file.find("HasuuGenS"), std::string::npos);  // bonus roundings: never written
    EXPECT_EQ(file.find("AutoSelect"), std::string::npos);

    const Settings back = loadSettings(IniFile(path_));
    EXPECT_EQ(back.itemNames.names[*itemIndex("Vその他３")], " \"立替\" ");
    EXPECT_EQ(back.itemNames[kBasePayItem], "基本給");
    EXPECT_EQ(back.monthRounding, s.monthRounding);
    EXPECT_EQ(back.taxableFlags, s.taxableFlags);
    EXPECT_EQ(back.defaultHoursPerDay, 7.5);
}

TEST_F(SettingsTest, RefusedNameWritesNothing) {
    IniFile ini(path_);
    Settings s;
    s.itemNames.names[kFirstFreeItem] = "𠮷手当";
    EXPECT_THROW(saveCommonSettings(ini, s), text::EncodingError);
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(SettingsTest, WindowPrintAndBackupWritersRoundTrip) {
    IniFile ini(path_);
    Settings s;
    s.window = {false, 10, 20, 800, 600, 500, 400};
    s.printer.deviceName = "Office_Laser";
    s.printer.paperSize = "9";
    s.formType = 1;
    s.printOffsetXTenths = -5;
    s.ledgerAddedItems[2] = true;
    s.ledgerRemovedItems[14] = true;
    saveWindowPlacement(ini, s.window);
    savePrintSettings(ini, s);
    saveLedgerItemChoices(ini, s);
    saveBackupPath(ini, "/home/user/バックアップ");

    const std::string file = onDisk();
    EXPECT_NE(file.find("[Window]\r\nState=wsNormal\r\nPos_X=10\r\n"), std::string::npos);
    EXPECT_NE(file.find("DaichoDel=000000000000001\r\n"), std::string::npos);
    const Settings back = loadSettings(IniFile(path_));
    EXPECT_EQ(back.window, s.window);
    EXPECT_EQ(back.printer, s.printer);
    EXPECT_EQ(back.formType, 1);
    EXPECT_EQ(back.printOffsetXTenths, -5);
    EXPECT_EQ(back.ledgerAddedItems, s.ledgerAddedItems);
    EXPECT_EQ(back.ledgerRemovedItems, s.ledgerRemovedItems);
    EXPECT_EQ(back.backupPath, "/home/user/バックアップ");
}

TEST_F(SettingsTest, PasswordIsStoredSixteenBelowBetweenQuotes) {
    IniFile ini(path_);
    savePassword(ini, "abc");
    EXPECT_EQ(onDisk(), "[Option]\r\nListFile=\"QRS\"\r\n");
    EXPECT_EQ(loadSettings(IniFile(path_)).password, "abc");

    savePassword(ini, "");
    EXPECT_EQ(onDisk(), "[Option]\r\nListFile=\"\"\r\n");
    EXPECT_EQ(loadPassword(IniFile(path_)), "");
}

TEST_F(SettingsTest, PasswordsWhoseStoredBytesLookLikeQuotesOrBlanksRoundTrip) {
    // '2' is stored as '"', '0' as a blank, '7' as "'"; the reader removes only the outer pair.
    for (const char* password : {"2", "2ab2", "0", "0 0", "707", "pass\"word", "給与2024", "ｱｲｳ"}) {
        IniFile ini(path_);
        savePassword(ini, password);
        EXPECT_EQ(loadPassword(IniFile(path_)), password) << password;
    }
    EXPECT_EQ(scramblePassword("2"), "\"");
    EXPECT_EQ(unscramblePassword(scramblePassword(std::string("\x05\xFF", 2))),
              std::string("\x05\xFF", 2));  // wraps around both ways
}

TEST_F(SettingsTest, PasswordsThatWouldBreakTheLineAreRefused) {
    IniFile ini(path_);
    savePassword(ini, "old");
    // Control characters: 0x1D would be stored as CR, 0x10 as NUL.
    for (const char* password : {"a\x1D", "x\x10y", "\t", "\n"}) {
        EXPECT_THROW(savePassword(ini, password), text::EncodingError);
    }
    EXPECT_EQ(loadPassword(IniFile(path_)), "old");
}

}  // namespace
}  // namespace keiro
