// keiro-tool is a contract: checks outside the project call these commands and read their
// output.  These tests run the real program and hold the output shapes in place.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "calc/tax_tables.h"
#include "core/fileio.h"
#include "core/syslog.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

using testing_support::ToolRun;

ToolRun run(const std::string& arguments) {
    return testing_support::runTool(arguments);
}

class ToolTest : public ::testing::Test {
  protected:
    testing_support::TempFolder folder_{"keiro-tool-test"};
};

TEST_F(ToolTest, YearCreateInfoAndDump) {
    const fs::path file = folder_ / "year.dat";
    ASSERT_EQ(run("year create " + file.string()).exitCode, 0);
    EXPECT_EQ(fs::file_size(file), 1'782'128u);

    const ToolRun info = run("year info " + file.string());
    ASSERT_EQ(info.exitCode, 0);
    const auto json = nlohmann::json::parse(info.out);
    EXPECT_EQ(json["saved"].size(), 15u);
    EXPECT_EQ(json["bonusPayMonth"].size(), 3u);
    EXPECT_EQ(json["bonusPayDay"].size(), 3u);
    ASSERT_EQ(json["periods"].size(), 15u);
    EXPECT_EQ(json["periods"][0]["companyName"], "");
    EXPECT_EQ(json["periods"][0]["employees"], 0);

    const ToolRun dump = run("year dump " + file.string() + " --period 13");
    ASSERT_EQ(dump.exitCode, 0);
    const auto period = nlohmann::json::parse(dump.out);
    EXPECT_TRUE(period["settings"].contains("corporateNumber"));
    EXPECT_TRUE(period["employees"].empty());
}

TEST_F(ToolTest, ErrorsAndWrongUsageHaveTheirExitCodes) {
    EXPECT_EQ(run("year info " + (folder_ / "missing.dat").string()).exitCode, 1);
    writeFileAtomic(folder_ / "short.dat", "too short");
    EXPECT_EQ(run("year dump " + (folder_ / "short.dat").string() + " --period 1").exitCode, 1);
    EXPECT_EQ(run("year dump x.dat --period 16").exitCode, 2);
    EXPECT_EQ(run("year frobnicate").exitCode, 2);
    EXPECT_EQ(run("").exitCode, 2);
}

TEST_F(ToolTest, EraFileNames) {
    EXPECT_EQ(run("era filename --date 2019-06-01").out, "平成31年給与･賞与.dat\n");
    EXPECT_EQ(run("era filename --date 2020-01-01").out, "令和02年給与･賞与.dat\n");
    EXPECT_EQ(run("era filename --date 2026-03-01 --new-era 新元").out, "新元08年給与･賞与.dat\n");
    EXPECT_EQ(run("era filename --date 2019-02-30").exitCode, 2);
}

TEST_F(ToolTest, EntryAndCsvCommands) {
    EXPECT_EQ(run("entry parse-number -1:30").out, "-1.5\n");
    EXPECT_EQ(run("entry parse-number 1,234").out, "1234\n");
    EXPECT_EQ(run("entry validate --code 63 3.14159").out, "3.141\n");
    const ToolRun refused = run("entry validate --code 90 12345678");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "入力した数値が上限を超えました。\n");
    EXPECT_EQ(run("entry format-hours --style 1 1.75").out, "  1:45\n");
    EXPECT_EQ(run("entry format-hours --style 0 1.75").out, "  1.75\n");
    EXPECT_EQ(run("csv split '\"a\"\"b\",c,'").out, "[\"a\\\"b\",\"c\",\"\"]\n");
}

TEST_F(ToolTest, LogExport) {
    writeLog(folder_, kLogEmployeeRegistered);
    const fs::path out = folder_ / "log.csv";
    ASSERT_EQ(run("log export --data " + folder_.path().string() + " " + out.string()).exitCode, 0);
    const std::string csv = readFile(out);
    EXPECT_EQ(csv.rfind("\x93\xfa\x8e\x9e, \x93\xe0\x97\x65\r\n", 0), 0u);  // 日時, 内容
    EXPECT_NE(csv.find("\", \""), std::string::npos);
}

// The tables built from data/ lie beside the programs.
const std::string kTables = std::string(" --tables ") + KEIRO_BINARY_DIR + "/bin";

TEST_F(ToolTest, TablesBuildAndCheck) {
    const fs::path out = folder_ / "tables";
    ASSERT_EQ(run("tables build --data " KEIRO_SOURCE_DIR "/data --out " + out.string()).exitCode,
              0);
    // Each file is the table's own layout followed by its 8-byte seal.
    EXPECT_EQ(fs::file_size(out / "税額表(賞与).dat"), 1'856u + 8u);
    EXPECT_EQ(fs::file_size(out / "健康保険料額表.dat"), 972u + 8u);
    const ToolRun check = run("tables check " + out.string());
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_NE(check.out.find("税額表(給与).dat: ok"), std::string::npos);

    // Every year's tables in its folder (2027 without a bonus table, not yet published), every
    // change of the pension ceiling with the grade table apart.
    for (const char* year : {"2020", "2021", "2022", "2023", "2024", "2025", "2026", "2027"}) {
        for (const char* name : {"税額表(給与).dat", "税額表(賞与).dat", "健康保険料額表.dat"}) {
            const std::string file = std::string("表データ/") + year + "/" + name;
            const bool expected =
                year != std::string("2027") || name != std::string("税額表(賞与).dat");
            EXPECT_EQ(check.out.find(file + ": ok") != std::string::npos, expected) << file;
        }
    }
    for (const char* month : {"2020-09", "2027-09", "2028-09", "2029-09"}) {
        const std::string file = std::string("表データ/") + month + "/健康保険料額表.dat";
        EXPECT_NE(check.out.find(file + ": ok"), std::string::npos) << file;
    }
    EXPECT_EQ(check.out.find("表データ/2028/"), std::string::npos);
    EXPECT_EQ(readFile(out / "表データ/2027/税額表(給与).dat"), readFile(out / "税額表(給与).dat"));
    EXPECT_EQ(readFile(out / "表データ/2026/税額表(賞与).dat"), readFile(out / "税額表(賞与).dat"));
    EXPECT_NE(readFile(out / "表データ/2026/税額表(給与).dat"), readFile(out / "税額表(給与).dat"));

    writeFileAtomic(out / "表データ/2023/税額表(賞与).dat", "damaged");
    const ToolRun damagedYear = run("tables check " + out.string());
    EXPECT_EQ(damagedYear.exitCode, 1);
    EXPECT_NE(damagedYear.out.find("表データ/2023/税額表(賞与).dat: FAULTY"), std::string::npos);
    fs::remove(out / "表データ/2024/健康保険料額表.dat");
    EXPECT_NE(
        run("tables check " + out.string()).out.find("表データ/2024/健康保険料額表.dat: FAULTY"),
        std::string::npos);

    // One flipped bit in the salary table's fixed part: the check and the loader both refuse it.
    std::string salary = readFile(out / "税額表(給与).dat");
    salary[1000] ^= 0x10;
    writeFileAtomic(out / "税額表(給与).dat", salary);
    const ToolRun flipped = run("tables check " + out.string());
    EXPECT_EQ(flipped.exitCode, 1);
    EXPECT_NE(flipped.out.find("税額表(給与).dat: FAULTY\n  大きさ"), std::string::npos);
    EXPECT_NE(flipped.out.find("fault: 検査値が合いません"), std::string::npos);
    EXPECT_NE(run("tax salary --tables " + out.string() + " --amount 635000 --column 0 --deps 2")
                  .exitCode,
              0);

    writeFileAtomic(out / "税額表(賞与).dat", "damaged");
    EXPECT_EQ(run("tables check " + out.string()).exitCode, 1);
    EXPECT_EQ(run("tables check " + (folder_ / "none").string()).exitCode, 1);
}

TEST_F(ToolTest, TaxAndPremiumCommands) {
    // The figures of 令和8年分 unless the case says otherwise.
    const std::string tables2026 = kTables + " --year 2026";
    // 2,250,000円 is printed 614,770円 (甲, no dependents), then 40.84 % above it.
    EXPECT_EQ(run("tax salary" + tables2026 + " --amount 2500000 --column 0 --deps 0").out,
              "716870\n");
    EXPECT_EQ(
        run("tax salary" + tables2026 + " --amount 100000 --column 1 --deps 0 --rounding 2").out,
        "3063\n");
    EXPECT_EQ(
        run("tax bonus" + tables2026 + " --prev 300000 --bonus 500000 --deps 1 --column 0").out,
        "30630\n");
    // Where the rate table may not be used, the monthly-table method: more than ten times the
    // previous month (40,000 + 400,001 ÷ 6 = 106,666: 甲 170 a month), and no previous pay
    // (1,200,000 ÷ 6 = 200,000: 甲 4,340, 乙 19,700; ÷ 12 = 100,000: 乙 3.063 % = 3,063).
    const ToolRun overTen =
        run("tax bonus" + tables2026 + " --prev 40000 --bonus 400001 --deps 0 --column 0");
    EXPECT_EQ(overTen.exitCode, 0);
    EXPECT_EQ(overTen.out, std::to_string(170 * 6) + "\n");
    const std::string noPrevious = "tax bonus" + tables2026 + " --prev 0 --bonus 1200000 --deps 0";
    EXPECT_EQ(run(noPrevious + " --column 0").out, "26040\n");
    EXPECT_EQ(run(noPrevious + " --column 0 --divisor 6").out, "26040\n");
    EXPECT_EQ(run(noPrevious + " --column 1").out, "118200\n");
    EXPECT_EQ(run(noPrevious + " --column 1 --divisor 12").out, "36756\n");
    EXPECT_EQ(run(noPrevious + " --column 0 --divisor 12").out, "0\n");
    EXPECT_EQ(run(noPrevious + " --column 0 --divisor 7").exitCode, 2);
    // 乙 above ten times: 50,000 + 300,000 = 350,000: 69,800 less 1,531 (1,532 rounded half up).
    const std::string otsu = "tax bonus" + tables2026 +
                             " --prev 50000 --bonus 1800000 --deps 0 "
                             "--column 1 --divisor 6";
    EXPECT_EQ(run(otsu).out, "409614\n");
    EXPECT_EQ(run(otsu + " --rounding 2").out, "409608\n");

    const auto premiums = nlohmann::json::parse(
        run("premium grade" + kTables +
            " --grade 20 --health 4.925 --nursing 0.81 --pension 9.15 --fund 0")
            .out);
    EXPECT_EQ(premiums,
              nlohmann::json::parse(
                  R"({"health":12805,"nursing":2106,"pension":23790,"fund":0,"support":0})"));
    // 260,000 × 5.04 % = 13,104 with the levy, less 12,805 for health alone.
    const auto withLevy = nlohmann::json::parse(
        run("premium grade" + kTables +
            " --grade 20 --health 4.925 --nursing 0.81 --pension 9.15 --fund 0 --support 0.115")
            .out);
    EXPECT_EQ(withLevy["support"], 299);
    EXPECT_EQ(withLevy["health"], 12'805);
    EXPECT_EQ(run("premium employment --total 250084 --rate 0.6").out, "1501\n");
    EXPECT_EQ(run("premium employment --total 250083 --rate 0.6").out, "1500\n");
    EXPECT_EQ(run("tax salary" + kTables + " --amount 1 --column 2 --deps 0").exitCode, 2);

    // --year: the table of that year's pay; the oldest before it, the newest after it.
    const std::string salary300k = " --amount 300000 --column 0 --deps 0";
    EXPECT_EQ(run("tax salary" + kTables + salary300k).out, "7760\n");
    EXPECT_EQ(run("tax salary" + kTables + salary300k + " --year 2025").out, "8420\n");
    EXPECT_EQ(run("tax salary" + kTables + salary300k + " --year 2019").out, "8420\n");
    EXPECT_EQ(run("tax salary" + kTables + salary300k + " --year 2026").out, "7930\n");
    EXPECT_EQ(run("tax salary" + kTables + salary300k + " --year 2027").out, "7760\n");
    EXPECT_EQ(run("tax salary" + kTables + salary300k + " --year 2031").out, "7760\n");
    // 令和9年分: 111,000円 乙 4,000円; 356,600円 甲 2 dependants 6,860円.
    EXPECT_EQ(run("tax salary" + kTables + " --amount 111000 --column 1 --deps 0 --year 2027").out,
              "4000\n");
    EXPECT_EQ(run("tax salary" + kTables + " --amount 356600 --column 0 --deps 2 --year 2027").out,
              "6860\n");
    // 305,000円 the month before: 8.168 % in 令和7年分, 6.126 % in 令和8年分, which also taxes
    // the bonuses of 2027 (no table of its own yet).
    const std::string bonus = " --prev 305000 --bonus 500000 --deps 0 --column 0";
    EXPECT_EQ(run("tax bonus" + kTables + bonus + " --year 2025").out, "40840\n");
    EXPECT_EQ(run("tax bonus" + kTables + bonus).out, "30630\n");
    EXPECT_EQ(run("tax bonus" + kTables + bonus + " --year 2027").out, "30630\n");
    EXPECT_EQ(run("tax salary" + kTables + salary300k + " --year x").exitCode, 2);

    // A year whose own table is damaged is refused, never taxed with another year's table.
    const fs::path copy = folder_ / "tables";
    fs::copy(KEIRO_BINARY_DIR "/bin", copy, fs::copy_options::recursive);
    const fs::path damaged = copy / "表データ" / "2025" / std::string(kSalaryTaxTableFileName);
    std::string bytes = readFile(damaged);
    bytes[100] ^= 1;
    writeFileAtomic(damaged, bytes);
    const std::string copyTables = " --tables " + copy.string();
    EXPECT_EQ(run("tax salary" + copyTables + salary300k + " --year 2025").exitCode, 1);
    EXPECT_EQ(run("tax salary" + copyTables + salary300k + " --year 2026").out, "7930\n");
}

TEST_F(ToolTest, YearDumpOfTheSampleCompanyShowsEveryRecord) {
    const fs::path root = folder_ / "root";
    const ToolRun demo = run("demo --root " + root.string() + " --date 2026-05-20");
    ASSERT_EQ(demo.exitCode, 0);
    const std::string file = nlohmann::json::parse(demo.out)["yearFiles"].back();
    const auto info = nlohmann::json::parse(run("year info '" + file + "'").out);
    EXPECT_EQ(info["saved"][3], true);  // April
    EXPECT_EQ(info["periods"][3]["companyName"], "株式会社サンプル商事");

    const ToolRun dump = run("year dump '" + file + "' --period 4");
    ASSERT_EQ(dump.exitCode, 0);
    const auto employees = nlohmann::json::parse(dump.out)["employees"];
    ASSERT_FALSE(employees.empty());
    const auto& first = employees[0];
    EXPECT_EQ(first["slot"], 1);
    EXPECT_TRUE(first.contains("myNumber"));
    EXPECT_EQ(first["payment"]["manualFlags"].size(), 25u);
    EXPECT_GT(first["payment"]["payTotal"].get<int>(), 0);
    EXPECT_TRUE(first["attendance"].contains("paidLeaveBalance"));
    EXPECT_TRUE(first["deduction"].contains("incomeTax"));
}

TEST_F(ToolTest, LayoutShowGivesThePrintTablesOfTheThreePayForms) {
    const auto salary =
        nlohmann::json::parse(run("layout show --root " + folder_.path().string()).out);
    EXPECT_EQ(salary["kind"], "salary");
    ASSERT_EQ(salary["payForms"].size(), 3u);
    EXPECT_EQ(salary["payForms"][0]["attendance"].size(), 16u);
    EXPECT_EQ(salary["payForms"][1]["pay"][0], "F基本給");
    EXPECT_EQ(salary["payForms"][1]["attendance"][0], "F");  // 日給 leaves 所定労働日数 off
    const auto bonus =
        nlohmann::json::parse(run("layout show --bonus --root " + folder_.path().string()).out);
    EXPECT_EQ(bonus["kind"], "bonus");
    EXPECT_EQ(bonus["payForms"][0]["pay"][0], "V賞与");
}

TEST_F(ToolTest, EmployeesExportAndAttendanceImportOfTheSampleCompany) {
    const fs::path root = folder_ / "root";
    const ToolRun demo = run("demo --root " + root.string() + " --date 2026-05-20");
    ASSERT_EQ(demo.exitCode, 0);
    const std::string file = nlohmann::json::parse(demo.out)["yearFiles"].back();
    const fs::path csv = folder_ / "employees.csv";
    ASSERT_EQ(run("employees export '" + file + "' --period 4 " + csv.string()).exitCode, 0);
    const std::string bytes = readFile(csv);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 11);  // the header and ten employees
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);

    // An attendance file with one unknown code: the count message on stdout, nothing saved, and
    // exit 1 since a line was refused.
    const fs::path attendance = folder_ / "attendance.csv";
    writeFileAtomic(attendance, "code,days\r\n999,20\r\n");
    const std::string before = readFile(file);
    const ToolRun imported =
        run("attendance import '" + file + "' --period 4 " + attendance.string());
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_FALSE(imported.out.empty());
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(run("attendance import '" + file + "' --period 12 " + attendance.string()).exitCode,
              1);  // never saved

    // A save that fails (here the file size limit) prints no success message.
    const std::size_t second = bytes.find('\n') + 1;
    const std::string code = bytes.substr(second, bytes.find(',', second) - second);
    writeFileAtomic(attendance, "code,days\r\n" + code + ",20\r\n");
    const std::string save =
        "attendance import '" + file + "' --period 4 " + attendance.string() + " --save";
    const ToolRun failed = testing_support::runTool(save, "trap '' XFSZ; ulimit -f 64; ");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(readFile(file), before);

    // While the payroll program holds the folder (here: this process under its own name), a
    // save is refused with exit 3 before anything is read; a run that only reports still goes.
    const fs::path lock = fs::path(file).parent_path() / ".Keiro.lock";
    std::array<char, 256> host{};
    ::gethostname(host.data(), host.size() - 1);
    std::ofstream(lock) << ::getpid() << "\nkeiro_tool_tests\n" << host.data() << "\n";
    EXPECT_EQ(run(save).exitCode, 3);
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(run("attendance import '" + file + "' --period 4 " + attendance.string()).exitCode,
              0);
    fs::remove(lock);
    const ToolRun saved = run(save);
    EXPECT_EQ(saved.exitCode, 0);
    EXPECT_EQ(saved.out, "1名の勤怠データをインポートしました。\n");
    EXPECT_NE(readFile(file), before);
}

}  // namespace
}  // namespace keiro
