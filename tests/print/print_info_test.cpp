// The remembered printer: its round trip through the ini, what a missing or hand-damaged value
// gives, whether it can be restored, and the paper of each report.
#include <gtest/gtest.h>

#include <string>

#include "core/fileio.h"
#include "core/text.h"
#include "print/print_info.h"
#include "tests/support/temp_folder.h"

namespace keiro::print {
namespace {

class PrintInfoTest : public ::testing::Test {
  protected:
    void writeIni(std::string_view utf8) { writeFileAtomic(path_, text::toCp932(utf8)); }

    testing_support::TempFolder folder_{"keiro-printinfo"};
    fs::path path_ = folder_ / "Keiro.ini";
};

const PrintInfo kOffice{"事務所 LBP-8100", 9, 2100, 2970, 2, 7, -4};

TEST_F(PrintInfoTest, RoundTripKeepsEachRememberedPrinterInItsSection) {
    writeIni("[Option]\r\nFormType=2\r\n");
    {
        IniFile ini(path_);
        savePrintInfo(ini, kOffice);
        savePrintInfo(ini, PrintInfo{"PDF", 13, 0, 0, 1, 0, 600}, 2);
    }
    const std::string disk = text::fromCp932(readFile(path_));
    EXPECT_NE(disk.find("[PrintInfo]\r\nDeviceName=事務所 LBP-8100\r\nPaperSize=9\r\n"
                        "PaperWidth=2100\r\nPaperLength=2970\r\nOrientation=2\r\n"
                        "DefaultSource=7\r\nPrintQuality=-4\r\n"),
              std::string::npos)
        << disk;
    EXPECT_NE(disk.find("[Option]\r\nFormType=2\r\n"), std::string::npos);  // kept

    const IniFile ini(path_);
    EXPECT_EQ(loadPrintInfo(ini), kOffice);
    EXPECT_EQ(loadPrintInfo(ini, 2), (PrintInfo{"PDF", 13, 0, 0, 1, 0, 600}));
    EXPECT_EQ(loadPrintInfo(ini, 1), PrintInfo{});
    EXPECT_EQ(printInfoSection(0), "PrintInfo");
    EXPECT_EQ(printInfoSection(3), "PrintInfo3");
}

TEST_F(PrintInfoTest, MissingOrDamagedValuesCountAsZero) {
    const std::string longName(130, 'P');
    writeIni("[PrintInfo]\r\nDeviceName=" + longName +
             "\r\nPaperSize=A4\r\nPaperWidth=\r\nPaperLength=99999\r\n"
             "Orientation= 2 \r\nDefaultSource=12345678\r\n");
    const PrintInfo info = loadPrintInfo(IniFile(path_));
    EXPECT_EQ(info.deviceName, std::string(127, 'P'));
    EXPECT_EQ(info.paperSize, 0);      // not a number
    EXPECT_EQ(info.paperWidth, 0);     // empty
    EXPECT_EQ(info.paperLength, 0);    // beyond a device-mode field
    EXPECT_EQ(info.orientation, 2);    // blanks around a value are no damage
    EXPECT_EQ(info.defaultSource, 0);  // longer than 7 characters
    EXPECT_EQ(info.printQuality, 0);   // missing

    // A name cut at 127 bytes never splits a double-byte character.
    std::string kana;
    for (int i = 0; i < 64; ++i) kana += "プ";
    writeIni("[PrintInfo]\r\nDeviceName=" + kana + "\r\n");
    EXPECT_EQ(text::cp932Width(loadPrintInfo(IniFile(path_)).deviceName), 126u);
}

TEST(PrinterChoiceTest, OnlyAPrinterInstalledUnderExactlyItsNameIsRestored) {
    const std::vector<std::string> installed{"事務所 LBP-8100", "PDF"};
    EXPECT_EQ(restorablePrinter(kOffice, installed), kOffice);
    PrintInfo renamed = kOffice;
    renamed.deviceName = "事務所 lbp-8100";
    EXPECT_EQ(restorablePrinter(renamed, installed), std::nullopt);
    EXPECT_EQ(restorablePrinter(PrintInfo{}, {""}), std::nullopt);
}

TEST(PrinterChoiceTest, PaperByReportAndForm) {
    EXPECT_EQ(paperFor(ReportKind::PaySlips, 1), (PaperChoice{Paper::B5, Orientation::Landscape}));
    EXPECT_EQ(paperFor(ReportKind::PaySlips, 5), (PaperChoice{Paper::B5, Orientation::Landscape}));
    EXPECT_EQ(paperFor(ReportKind::PaySlips, 3), (PaperChoice{Paper::A4, Orientation::Portrait}));
    EXPECT_EQ(paperFor(ReportKind::Ledger, 1), (PaperChoice{Paper::A4, Orientation::Landscape}));
    EXPECT_EQ(paperSizeMm(Paper::B5), (PaperSizeMm{182, 257}));
    EXPECT_EQ(paperSizeMm(Paper::A4), (PaperSizeMm{210, 297}));
}

}  // namespace
}  // namespace keiro::print
