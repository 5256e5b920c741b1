// `keiro-tool print slips --pdf-per-employee`: one private file per employee named by code and
// period; with --encrypt each opens only with its employee's password, which is made once, kept
// in the year file and shown on the notice, never on stdout.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>
#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "core/slip_password.h"
#include "core/yearfile.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing_support::openPdf;
using testing_support::quoted;
using testing_support::runTool;
using testing_support::ToolRun;

constexpr int kMay = 5;

class SlipPdfsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const ToolRun demo = runTool("demo --root " + quoted(root_) + " --date 2026-12-09");
        ASSERT_EQ(demo.exitCode, 0);
        file_ = json::parse(demo.out)["yearFiles"].back().get<std::string>();
    }

    ToolRun perEmployee(const std::string& options) {
        return runTool("print slips " + quoted(file_) + " --root " + quoted(root_) +
                       " --period 5 --pdf-per-employee " + quoted(out_) + " " + options);
    }

    std::string passwordOf(int slot) const {
        return slipPasswordOf(readPeriodBlock(file_, kMay)->employee(slot));
    }

    testing_support::TempFolder folder_{"keiro-slip-pdfs"};
    fs::path root_ = folder_.path() / "root";
    fs::path out_ = folder_.path() / "PDF出力";
    fs::path file_;
};

TEST_F(SlipPdfsTest, EncryptedFilesOpenWithTheirOwnPasswordMadeOnceAndKept) {
    const ToolRun run = perEmployee("--slots 1,2,3 --encrypt");
    ASSERT_EQ(run.exitCode, 0);
    const json out = json::parse(run.out);
    EXPECT_EQ(out["passwordsGenerated"], 3);
    EXPECT_EQ(out["encrypted"], true);
    ASSERT_EQ(out["files"].size(), 3u);
    const fs::path notice = out["notice"].get<std::string>();
    EXPECT_EQ(notice, out_ / "パスワード通知書_2026-05.pdf");
    EXPECT_TRUE(openPdf(notice).opened);
    EXPECT_EQ(openPdf(notice).pages, 3);

    const std::string passwords[] = {passwordOf(1), passwordOf(2), passwordOf(3)};
    for (int slot = 1; slot <= 3; ++slot) {
        const std::string& password = passwords[slot - 1];
        ASSERT_EQ(password.size(), kGeneratedPasswordLength);
        EXPECT_EQ(readPeriodBlock(file_, kMay)->employee(slot).slipPasswordGenerated, 1);
        EXPECT_EQ(run.out.find(password), std::string::npos) << "a password on stdout";

        const fs::path pdf = out_ / ("00" + std::to_string(slot) + "_2026-05.pdf");
        EXPECT_EQ(out["files"][slot - 1], pdf.string());
        EXPECT_EQ(fs::status(pdf).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_FALSE(openPdf(pdf).opened);
        EXPECT_FALSE(openPdf(pdf, passwords[slot % 3]).opened) << "another's password";
        const testing_support::PdfOpening opened = openPdf(pdf, password);
        EXPECT_TRUE(opened.opened);
        EXPECT_TRUE(opened.aes256);
    }
    EXPECT_EQ(fs::status(notice).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // The next run uses the kept passwords and makes no notice.
    fs::remove(notice);
    const ToolRun again = perEmployee("--slots 1,2,3 --encrypt");
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_EQ(json::parse(again.out)["passwordsGenerated"], 0);
    EXPECT_TRUE(json::parse(again.out)["notice"].is_null());
    EXPECT_FALSE(fs::exists(notice));
    EXPECT_EQ(passwordOf(1), passwords[0]);
    EXPECT_TRUE(openPdf(out_ / "001_2026-05.pdf", passwords[0]).opened);
}

// The notice is written before the passwords are kept: when it cannot be written, no password is
// stored that nobody was told.
TEST_F(SlipPdfsTest, NoPasswordIsKeptWhenItsNoticeCannotBeWritten) {
    writeFileAtomic(out_, "a file where the folder should be");
    EXPECT_EQ(perEmployee("--slots 1,2,3 --encrypt").exitCode, 1);
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(readPeriodBlock(file_, kMay)->employee(slot).slipPassword.len, 0) << slot;
    }
    fs::remove(out_);
    // A notice's temporary file left by a killed run holds every password in clear: the next
    // run into the folder removes it.
    fs::create_directories(out_);
    const fs::path leftover = out_ / "パスワード通知書_2026-05.pdf.tmp123456";
    writeFileAtomic(leftover, "passwords");
    const ToolRun run = perEmployee("--slots 1,2,3 --encrypt");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fs::exists(json::parse(run.out)["notice"].get<std::string>()));
    EXPECT_FALSE(fs::exists(leftover));
}

// A notice lost after its passwords were kept is written again on request, listing them.
TEST_F(SlipPdfsTest, ALostNoticeIsWrittenAgainWithTheKeptPasswords) {
    const ToolRun first = perEmployee("--slots 1,2 --encrypt");
    ASSERT_EQ(first.exitCode, 0);
    const fs::path notice = json::parse(first.out)["notice"].get<std::string>();
    fs::remove(notice);
    const ToolRun again = perEmployee("--slots 1,2 --encrypt");
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_TRUE(json::parse(again.out)["notice"].is_null());  // nothing new to tell
    const ToolRun reissued = perEmployee("--slots 1,2 --encrypt --reissue-notice");
    ASSERT_EQ(reissued.exitCode, 0);
    EXPECT_EQ(json::parse(reissued.out)["notice"].get<std::string>(), notice.string());
    EXPECT_TRUE(openPdf(notice).opened);
    EXPECT_EQ(perEmployee("--slots 1,2 --reissue-notice").exitCode, 2);  // needs --encrypt
}

TEST_F(SlipPdfsTest, EmployeeWithoutCodeRefusesTheRunAndPlainFilesOpenWithoutPassword) {
    // Slot 2 loses its code in May.
    std::string content = readFile(file_);
    PeriodBlock block;
    std::memcpy(&block, content.data() + blockOffset(kMay), kBlockSize);
    block.employee(2).employeeCode.clear();
    std::memcpy(content.data() + blockOffset(kMay), &block, kBlockSize);
    writeFileAtomic(file_, content);

    EXPECT_EQ(perEmployee("--slots 1,2 --encrypt").exitCode, 1);
    EXPECT_FALSE(fs::exists(out_));
    EXPECT_FALSE(readPeriodBlock(file_, kMay)->employee(1).slipPassword.len) << "nothing kept";

    const ToolRun plain = perEmployee("--slots 1,3");
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_EQ(json::parse(plain.out)["encrypted"], false);
    EXPECT_TRUE(openPdf(out_ / "003_2026-05.pdf").opened);
    EXPECT_FALSE(openPdf(out_ / "003_2026-05.pdf").encrypted);

    EXPECT_EQ(
        runTool("print slips " + quoted(file_) + " --period 5 --pdf x.pdf --encrypt").exitCode, 2);
}

}  // namespace
}  // namespace keiro
