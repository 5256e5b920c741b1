// The configuration file shared by both programs: Windows profile reading rules, writes that
// keep every other line of the file, and refusal of what cannot be stored.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "core/ini.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

class IniFileTest : public ::testing::Test {
  protected:
    // Writes the file's bytes; `utf8` is converted to code page 932 first.
    void store(std::string_view utf8) { writeFileAtomic(path_, text::toCp932(utf8)); }
    std::string onDisk() const { return readFile(path_); }
    std::string onDiskUtf8() const { return text::fromCp932(onDisk()); }

    testing_support::TempFolder folder_{"keiro-ini"};
    fs::path path_ = folder_ / "Keiro.ini";
};

TEST_F(IniFileTest, ReadsLikeTheWindowsProfileFunctions) {
    store(
        "; comment=not a key\r\n"
        "orphan=before any section\r\n"
        "[Option]\r\n"
        "CorpName = 山田商店 \r\n"
        "Quoted=\"  two blanks kept  \"\r\n"
        "Twice=\"\"inner\"\"\r\n"
        "Single=\"\r\n"
        "Open=\"unbalanced\r\n"
        "Empty=\r\n"
        "Dup=first\r\n"
        "dup=second\r\n"
        "no equals sign here\r\n"
        "  [ Window ]  trailing\r\n"
        "Width=800\r\n"
        "[option]\r\n"
        "Late=in a second section of the same name\r\n");
    const IniFile ini(path_);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Option", "CorpName", "山田商店"},
        {"OPTION", "corpname", "山田商店"},
        {"Option", "Quoted", "  two blanks kept  "},
        {"Option", "Twice", "\"inner\""},
        {"Option", "Single", "\""},
        {"Option", "Open", "\"unbalanced"},
        {"Option", "Empty", ""},
        {"Option", "Dup", "first"},
        {"Window", "Width", "800"},
        {"Option", "Late", "<default>"},
        {"Option", "orphan", "<default>"},
        {"Option", "; comment", "<default>"},
        {"Missing", "CorpName", "<default>"},
        {"Option", "Missing", "<default>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.readString(c.section, c.key, "<default>"), c.expected)
            << c.section << "/" << c.key;
    }
    EXPECT_TRUE(ini.hasKey("option", "EMPTY"));
    EXPECT_FALSE(ini.hasKey("Option", "Late"));
}

TEST_F(IniFileTest, TypedReadersFallBackOnGarbage) {
    store(
        "[N]\r\nplain=12\r\nblanks=  -3 \r\nplus=+7\r\nquoted=\"5\"\r\ntail=12abc\r\n"
        "word=abc\r\nempty=\r\nhuge=99999999999\r\nzero=0\r\ntwo=2\r\nyes=true\r\n"
        "hours=7.75\r\nnan=nan\r\n");
    const IniFile ini(path_);
    struct Case {
        const char* key;
        int asInt;
    };
    const Case cases[] = {{"plain", 12}, {"blanks", -3}, {"plus", 7},   {"quoted", 5},
                          {"tail", 42},  {"word", 42},   {"empty", 42}, {"huge", 42},
                          {"zero", 0},   {"missing", 42}};
    for (const Case& c : cases) EXPECT_EQ(ini.readInt("N", c.key, 42), c.asInt) << c.key;

    EXPECT_FALSE(ini.readBool("N", "zero", true));
    EXPECT_TRUE(ini.readBool("N", "two", false));   // any non-zero integer
    EXPECT_FALSE(ini.readBool("N", "yes", false));  // not an integer: the default
    EXPECT_TRUE(ini.readBool("N", "missing", true));

    EXPECT_DOUBLE_EQ(ini.readDouble("N", "hours", 0), 7.75);
    EXPECT_DOUBLE_EQ(ini.readDouble("N", "plain", 0), 12);
    EXPECT_DOUBLE_EQ(ini.readDouble("N", "nan", 1.5), 1.5);
    EXPECT_DOUBLE_EQ(ini.readDouble("N", "word", 1.5), 1.5);
}

TEST_F(IniFileTest, MissingFileReadsAsEmptyAndIsNotCreated) {
    const IniFile ini(path_);
    EXPECT_EQ(ini.readString("Option", "CorpName", "Nil"), "Nil");
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniFileTest, GarbageAndTruncatedFilesReadWithoutHarm) {
    const std::string samples[] = {
        std::string("[Option\r\nkey=value\r\n", 20),
        std::string("\0\0[Option]\0=\r\n\xFF\xFE\x81", 17),
        "[Option]\nCorpName=\x8E",  // LF only, cut inside a double-byte character
        "[]\r\n=\r\n[\r\n]\r\n\"\r\n",
        "[\x83]]\r\nk=v\r\n",
    };
    for (const std::string& bytes : samples) {
        writeFileAtomic(path_, bytes);
        const IniFile ini(path_);
        EXPECT_EQ(ini.readString("Option", "key", "d"), "d");
        EXPECT_EQ(ini.readInt("Option", "CorpName", 1), 1);
    }
    writeFileAtomic(path_, "[Option]\nCorpName=\x8E");
    EXPECT_NE(IniFile(path_).readString("Option", "CorpName", "d"), "d");  // decoded somehow
}

TEST_F(IniFileTest, ADoubleByteCharacterEndingInABracketStaysInTheSectionName) {
    // ゾ is 0x83 0x5D: its second byte is "]".
    store("[ゾ設定]\r\nKey=1\r\n");
    EXPECT_EQ(IniFile(path_).readInt("ゾ設定", "Key", 0), 1);
}

TEST_F(IniFileTest, WritingOneKeyKeepsEveryOtherLineByteForByte) {
    const std::string before =
        "; 設定ファイル\r\n"
        "[Window]\r\n"
        "State=wsNormal\r\n"
        "  Pos_X =  12  \r\n"
        "\r\n"
        "[Option]\r\n"
        "CorpName=\"山田商店\"\r\n"
        "garbage line\r\n"
        "FixTeate1=\"固定手当１\"\r\n"
        "\r\n"
        "; trailing comment\r\n";
    store(before);
    IniFile ini(path_);
    ini.writeString("option", "corpname", "鈴木商事");
    std::string expected = before;
    expected.replace(expected.find("CorpName=\"山田商店\""),
                     std::string("CorpName=\"山田商店\"").size(), "CorpName=鈴木商事");
    EXPECT_EQ(onDiskUtf8(), expected);
    EXPECT_EQ(onDisk(), text::toCp932(expected));  // code page 932 and CRLF on disk
    EXPECT_EQ(ini.readString("Option", "CorpName"), "鈴木商事");

    ini.writeInt("Window", "Pos_X", 30);  // the key keeps its spelling, blanks go
    expected.replace(expected.find("  Pos_X =  12  "), 15, "Pos_X=30");
    EXPECT_EQ(onDiskUtf8(), expected);
}

TEST_F(IniFileTest, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
    store("[Window]\r\nState=wsNormal\r\n; about Option\r\n\r\n[Option]\r\nA=1\r\n");
    IniFile ini(path_);
    ini.writeInt("Window", "Width", 800);
    ini.writeBool("PrintInfo", "Flag", true);
    ini.writeBool("Option", "B", false);
    EXPECT_EQ(onDisk(),
              "[Window]\r\nState=wsNormal\r\nWidth=800\r\n; about Option\r\n\r\n"
              "[Option]\r\nA=1\r\nB=0\r\n\r\n[PrintInfo]\r\nFlag=1\r\n");
}

TEST_F(IniFileTest, LfOnlyFileIsRewrittenWithCrlf) {
    writeFileAtomic(path_, "[Option]\nA=1\nB=2");
    IniFile ini(path_);
    ini.writeInt("Option", "B", 3);
    EXPECT_EQ(onDisk(), "[Option]\r\nA=1\r\nB=3\r\n");
}

TEST_F(IniFileTest, EachWriteReadsTheFileAgainSoTheOtherProgramsKeysSurvive) {
    IniFile payroll(path_);
    IniFile withholding(path_);
    payroll.writeString("Option", "CorpName", "A");
    withholding.writeString("Option", "Syubetu", "給与･賞与");  // knows nothing of CorpName
    payroll.writeInt("Window", "Width", 700);
    const IniFile fresh(path_);
    EXPECT_EQ(fresh.readString("Option", "CorpName"), "A");
    EXPECT_EQ(fresh.readString("Option", "Syubetu"), "給与･賞与");
    EXPECT_EQ(payroll.readString("Option", "Syubetu"), "給与･賞与");  // memory follows the file
    EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all, kPrivateFile);
}

TEST_F(IniFileTest, ValuesThatCannotBeStoredAreRefusedAndNothingIsWritten) {
    store("[Option]\r\nA=1\r\n");
    IniFile ini(path_);
    const std::string refused[] = {"𠮷野家", "two\nlines", "cr\r", std::string("nul\0", 4)};
    for (const std::string& value : refused) {
        EXPECT_THROW(ini.apply(IniChanges().set("Option", "A", "2").set("Option", "B", value)),
                     text::EncodingError)
            << value;
    }
    EXPECT_EQ(onDisk(), "[Option]\r\nA=1\r\n");
    EXPECT_EQ(ini.readInt("Option", "A", 0), 1);
    EXPECT_THROW(IniChanges().set("Op]tion", "A", "1"), std::invalid_argument);
    for (const char* key : {"A=B", ";A", "[A]", " A", ""}) {
        EXPECT_THROW(IniChanges().set("Option", key, "1"), std::invalid_argument) << key;
    }
}

TEST_F(IniFileTest, QuotedValuesKeepBlanksAndQuotes) {
    IniFile ini(path_);
    ini.apply(IniChanges().setQuoted("Option", "A", " x ").setQuoted("Option", "B", "\"y\""));
    EXPECT_EQ(onDisk(), "[Option]\r\nA=\" x \"\r\nB=\"\"y\"\"\r\n");
    EXPECT_EQ(IniFile(path_).readString("Option", "A"), " x ");
    EXPECT_EQ(IniFile(path_).readString("Option", "B"), "\"y\"");
}

TEST_F(IniFileTest, ReadOnlyFileIsRefusedAndLeftAsItIs) {
    store("[Option]\r\nA=1\r\n");
    fs::permissions(path_, fs::perms::owner_read);
    IniFile ini(path_);
    EXPECT_THROW(ini.writeInt("Option", "A", 2), IoError);
    EXPECT_EQ(onDisk(), "[Option]\r\nA=1\r\n");
    EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all, fs::perms::owner_read);
}

TEST_F(IniFileTest, EraseRemovesTheKeyOnly) {
    store("[Option]\r\nA=1\r\nB=2\r\na=3\r\n[Other]\r\nA=4\r\n");
    IniFile ini(path_);
    ini.eraseKey("Option", "A");
    EXPECT_EQ(onDisk(), "[Option]\r\nB=2\r\n[Other]\r\nA=4\r\n");
    EXPECT_FALSE(ini.hasKey("Option", "A"));
}

TEST_F(IniFileTest, UnreadableFileIsAnIoErrorNotAnEmptyFile) {
    fs::create_directory(path_);  // a folder where the file should be
    EXPECT_THROW(IniFile{path_}, IoError);
}

}  // namespace
}  // namespace keiro
