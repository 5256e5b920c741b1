// Files read from outside: only regular files, and only up to their kind's size.  A FIFO, a
// device that never ends, a folder or an oversized file is refused at once with a message, and
// a settings file or CSV that is one of them is refused by its reader the same way.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/attendance_import.h"
#include "core/employee_csv.h"
#include "core/fileio.h"
#include "core/ini.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

void expectRefused(const fs::path& path, std::size_t limit, const char* reason) {
    try {
        (void)readFile(path, limit);
        ADD_FAILURE() << path << " was read";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
}

TEST(BoundedRead, OnlyRegularFilesUpToTheirLimit) {
    testing_support::TempFolder folder("keiro-bounded");
    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    expectRefused(fifo, kDataFileLimit, "通常のファイルではありません");  // and does not block
    expectRefused("/dev/zero", kDataFileLimit, "通常のファイルではありません");
    expectRefused(folder.path(), kDataFileLimit, "読み込み");

    const fs::path big = folder / "big.csv";
    writeFileAtomic(big, std::string(kCsvFileLimit + 1, 'a'));
    expectRefused(big, kCsvFileLimit, "大きすぎます");
    EXPECT_EQ(readFile(big).size(), kCsvFileLimit + 1);  // within the general limit

    EXPECT_THROW((void)readEmployeeCsv(big), IoError);
    EXPECT_THROW((void)readAttendanceCsv(fifo), IoError);
    fs::rename(fifo, folder / "Keiro.ini");
    EXPECT_THROW(IniFile ini(folder / "Keiro.ini"), IoError);
}

}  // namespace
}  // namespace keiro
