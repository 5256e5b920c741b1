// `keiro-tool print ledger|list|transfer|denomination|roster` and `export list|ledger|zengin` on
// the demo company: each PDF holds the people and the net pay it should, the pages follow the
// list's grouping, the CSV files are code page 932 with CR LF, each ledger file inside its
// folder, and the transfer file pays the transfer list's people their net pay.
//
// The demo company of 2026-12-09 has ten employees: slots 1..8 in employment (8 paid in cash,
// the others by transfer), 9 on leave, 10 gone.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/text.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_output.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing_support::quoted;
using testing_support::runTool;
using testing_support::ToolRun;

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The lines of a CSV file, each checked to end in CR LF.
std::vector<std::string> crLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_TRUE(end > start && bytes[end - 1] == '\r') << "line " << lines.size() + 1;
        lines.push_back(text::fromCp932(bytes.substr(start, end - start - 1)));
    }
    EXPECT_EQ(start, bytes.size()) << "the last line has no line end";
    return lines;
}

class TablePrintToolTest : public ::testing::Test {
  protected:
    struct Demo {
        testing_support::TempFolder folder{"keiro-table-tool"};
        fs::path file;
        std::map<int, json> calculated;  // by slot: the name and net pay of period 11
    };

    static void SetUpTestSuite() { demo_ = makeDemo(10).release(); }
    static void TearDownTestSuite() { delete demo_; }

    static std::unique_ptr<Demo> makeDemo(int employees) {
        auto demo = std::make_unique<Demo>();
        const std::string root = quoted(demo->folder.path());
        const ToolRun made = runTool("demo --root " + root + " --date 2026-12-09 --employees " +
                                     std::to_string(employees));
        EXPECT_EQ(made.exitCode, 0);
        if (made.exitCode != 0) return demo;
        demo->file = json::parse(made.out)["yearFiles"].back().get<std::string>();
        const ToolRun calc =
            runTool("calc period " + quoted(demo->file) + " --period 11 --root " + root);
        for (const json& slot : json::parse(calc.out)) demo->calculated[slot["slot"]] = slot;
        return demo;
    }

    // "GROUP COMMAND FILE --root ROOT OPTIONS" on a demo.
    static ToolRun run(const std::string& command, const std::string& options,
                       const Demo* demo = demo_) {
        return runTool(command + " " + quoted(demo->file) + " --root " +
                       quoted(demo->folder.path()) + " " + options);
    }
    // "print KIND … --pdf PDF": the JSON it printed, null when it failed.
    static json printed(const std::string& kind, const std::string& options, const fs::path& pdf,
                        const Demo* demo = demo_) {
        const ToolRun done = run("print " + kind, options + " --pdf " + quoted(pdf), demo);
        EXPECT_EQ(done.exitCode, 0) << kind << " " << options;
        return done.exitCode == 0 ? json::parse(done.out) : json();
    }

    std::string net(int slot) const {
        return testing_support::withSeparators(demo_->calculated.at(slot)["net"].get<long long>());
    }
    std::string familyName(int slot) const {
        const std::string name = demo_->calculated.at(slot)["name"];
        return name.substr(0, name.find("　"));
    }

    static Demo* demo_;
    testing_support::TempFolder out_{"keiro-table-out"};
};

TablePrintToolTest::Demo* TablePrintToolTest::demo_ = nullptr;

TEST_F(TablePrintToolTest, EachReportHoldsItsPeopleAndNetPay) {
    struct Case {
        std::string kind, options;
        int pages;
        int people;  // -1: the report does not count people
        std::string title;
        std::vector<int> named;   // slots whose names are printed
        std::vector<int> paid;    // slots whose net pay is printed
        std::vector<int> unpaid;  // slots whose net pay is not
    };
    const std::vector<int> employed = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<Case> cases = {
        {"ledger", "--period 11 --slots 2,1", 2, -1, "社 員 別 給 与 台 帳", {1, 2}, {1, 2}, {}},
        {"list", "--period 11", 1, 8, "11 月 分 給 与 一 覧", employed, employed, {}},
        {"transfer", "--period 11", 1, 7, "給与/賞与振込一覧", {1, 7}, {1, 2, 3, 4, 5, 6, 7}, {8}},
        {"denomination", "--period 11", 1, 1, "給与/賞与支払金種表", {8}, {8}, {1, 7}},
        {"denomination", "--period 11 --all", 1, 8, "給与/賞与支払金種表", {1, 8}, {1, 8}, {}},
        // Everybody registered, on leave and gone too.
        {"roster", "--period 11", 1, 10, "社 員 名 簿 一 覧 表", {1, 9, 10}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind + " " + c.options);
        const fs::path pdf = out_.path() / (c.kind + ".pdf");
        const json out = printed(c.kind, c.options, pdf);
        EXPECT_EQ(out["pdf"], pdf.string());
        EXPECT_EQ(out["pages"], c.pages);
        if (c.people < 0) {
            EXPECT_FALSE(out.contains("people"));
        } else {
            EXPECT_EQ(out["people"], c.people);
        }

        const std::string text = testing_support::pdfText(pdf);
        if (text.empty()) continue;  // poppler-utils are not installed
        EXPECT_NE(text.find(c.title), std::string::npos);
        for (const int slot : c.named)
            EXPECT_NE(text.find(familyName(slot)), std::string::npos) << "slot " << slot;
        for (const int slot : c.paid)
            EXPECT_NE(text.find(net(slot)), std::string::npos) << "slot " << slot;
        for (const int slot : c.unpaid)
            EXPECT_EQ(text.find(net(slot)), std::string::npos) << "slot " << slot;
    }
}

TEST_F(TablePrintToolTest, ListPagesFollowItsGroups) {
    const fs::path pdf = out_.path() / "list.pdf";
    // Eight employees in five categories and in five departments: a page per group.
    EXPECT_EQ(printed("list", "--period 11 --method 1", pdf)["pages"], 5);
    EXPECT_EQ(printed("list", "--period 11 --method 2", pdf)["pages"], 5);

    // Twelve registered, ten in employment: the total needs a second page.
    const std::unique_ptr<Demo> larger = makeDemo(12);
    const json list = printed("list", "--period 11 --method 0", pdf, larger.get());
    EXPECT_EQ(list["pages"], 2);
    EXPECT_EQ(list["people"], 10);
    const json roster = printed("roster", "--period 11", pdf, larger.get());
    EXPECT_EQ(roster["pages"], 2);
    EXPECT_EQ(roster["people"], 12);
}

TEST_F(TablePrintToolTest, ListCsvIsCodePage932WithCrLf) {
    const fs::path csv = out_.path() / "list.csv";
    const ToolRun done = run("export list", "--period 11 " + quoted(csv));
    ASSERT_EQ(done.exitCode, 0);
    EXPECT_EQ(json::parse(done.out), json({{"csv", csv.string()}}));
    EXPECT_EQ(fs::status(csv).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    const std::vector<std::string> lines = crLfLines(bytesOf(csv));
    ASSERT_EQ(lines.size(), 10u);  // the labels, eight employees, the total
    EXPECT_EQ(lines[0].rfind("氏名,", 0), 0u);
    EXPECT_EQ(lines[1].rfind(demo_->calculated.at(1)["name"].get<std::string>() + ",", 0), 0u);
    const std::string plainNet =
        "," + std::to_string(demo_->calculated.at(1)["net"].get<long long>());
    EXPECT_EQ(lines[1].substr(lines[1].size() - plainNet.size()), plainNet);
    EXPECT_EQ(lines[9].rfind("合計,", 0), 0u);

    ASSERT_EQ(run("export list", "--period 11 --method 2 " + quoted(csv)).exitCode, 0);
    int groupTotals = 0;
    for (const std::string& line : crLfLines(bytesOf(csv)))
        groupTotals += line.rfind("合計[", 0) == 0;
    EXPECT_EQ(groupTotals, 5);
}

TEST_F(TablePrintToolTest, LedgerExportWritesOneFilePerEmployeeInsideTheFolder) {
    const ToolRun done =
        run("export ledger", "--slots 3,1 --out " + quoted(out_.path()) + " ../給与台帳.csv");
    ASSERT_EQ(done.exitCode, 0);
    const json files = json::parse(done.out)["files"];
    ASSERT_EQ(files.size(), 2u);
    const std::vector<std::string> numbers = {"003", "001"};
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path file = files[i].get<std::string>();
        EXPECT_EQ(file.parent_path(), out_.path()) << "a name never leads out of the folder";
        EXPECT_EQ(file.filename().string().rfind(numbers[i], 0), 0u) << file;
        const std::vector<std::string> lines = crLfLines(bytesOf(file));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0].rfind(",１月給与,２月給与,", 0), 0u);
    }
    EXPECT_NE(files[1].get<std::string>().find(familyName(1)), std::string::npos);
}

// What a command prints on stderr (stdout dropped) and its exit code.
ToolRun errorsOf(const std::string& arguments) {
    FILE* pipe =
        ::popen((std::string(KEIRO_TOOL) + " " + arguments + " 2>&1 >/dev/null").c_str(), "r");
    if (pipe == nullptr) return {-1, {}};
    std::string err;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) err.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, err};
}

TEST_F(TablePrintToolTest, ZenginFilePaysTheTransferListsPeopleTheirNetPay) {
    const fs::path out = out_.path() / "zengin.txt";
    const ToolRun done = run("export zengin", "--period 11 " + quoted(out));
    ASSERT_EQ(done.exitCode, 0);
    long long total = 0;
    for (int slot = 1; slot <= 7; ++slot)
        total += demo_->calculated.at(slot)["net"].get<long long>();
    EXPECT_EQ(json::parse(done.out),
              json({{"file", out.string()}, {"records", 7}, {"total", total}}));
    EXPECT_EQ(fs::status(out).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    const std::string bytes = bytesOf(out);
    ASSERT_EQ(bytes.size(), 10u * 122u);               // header, seven people, trailer, end
    EXPECT_EQ(bytes.substr(0, 14), "11101234567890");  // 給与振込, the sample's 委託者コード
    for (int record = 1; record <= 7; ++record) {
        const std::string data = bytes.substr(static_cast<std::size_t>(record) * 122, 122);
        EXPECT_EQ(data[0], '2');
        EXPECT_EQ(std::stoll(data.substr(80, 10)),
                  demo_->calculated.at(record)["net"].get<long long>());
        EXPECT_EQ(data.substr(120), "\r\n");
    }
    const std::string trailer = bytes.substr(8 * 122, 19);
    EXPECT_EQ(trailer.substr(0, 7), "8000007");
    EXPECT_EQ(std::stoll(trailer.substr(7)), total);
}

TEST_F(TablePrintToolTest, ZenginFileRefusalNamesTheEmployeesOnStderr) {
    const std::unique_ptr<Demo> demo = makeDemo(10);
    // Slots 2 and 5 as an older file has them: no codes, no kana name.
    {
        std::fstream file(demo->file, std::ios::in | std::ios::out | std::ios::binary);
        for (const int slot : {2, 5}) {
            file.seekp(static_cast<std::streamoff>(
                blockOffset(11) + offsetof(PeriodBlock, employees) +
                static_cast<std::size_t>(slot - 1) * sizeof(EmployeeRecord) +
                offsetof(EmployeeRecord, bankCode)));
            file.write(std::string(37, '\0').data(), 37);
        }
    }
    const fs::path out = out_.path() / "zengin.txt";
    const ToolRun refused = errorsOf("export zengin " + quoted(demo->file) + " --root " +
                                     quoted(demo->folder.path()) + " --period 11 " + quoted(out));
    EXPECT_EQ(refused.exitCode, 1);
    for (const int slot : {2, 5}) {
        const std::string name = demo->calculated.at(slot)["name"];
        EXPECT_NE(refused.out.find(name + " : 銀行コード、支店コード、口座名義ｶﾅ"),
                  std::string::npos)
            << refused.out;
    }
    EXPECT_EQ(refused.out.find(demo->calculated.at(1)["name"].get<std::string>()),
              std::string::npos);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(TablePrintToolTest, RefusesWhatItCannotDo) {
    const std::string pdf = " --pdf " + quoted(out_.path() / "x.pdf");
    EXPECT_EQ(run("print list", "--period 14" + pdf).exitCode, 1) << "not saved";
    EXPECT_EQ(run("export list", "--period 14 " + quoted(out_.path() / "x.csv")).exitCode, 1);
    EXPECT_EQ(
        run("export ledger", "--slots 1 --out " + quoted(out_.path() / "none") + " a.csv").exitCode,
        1);
    // Each option belongs to one kind.
    EXPECT_EQ(run("print list", "--period 11 --slots 1" + pdf).exitCode, 2);
    EXPECT_EQ(run("print ledger", "--period 11 --method 1" + pdf).exitCode, 2);
    EXPECT_EQ(run("print transfer", "--period 11 --all" + pdf).exitCode, 2);
    EXPECT_EQ(run("print slips", "--period 11 --all" + pdf).exitCode, 2);
    EXPECT_EQ(run("print list", "--period 11 --method 3" + pdf).exitCode, 2);
    EXPECT_EQ(run("print ledger", "--period 11 --slots 99" + pdf).exitCode, 2);
    EXPECT_EQ(run("print roster", "--period 11").exitCode, 2);  // no --pdf
    EXPECT_EQ(run("export ledger", "--out " + quoted(out_.path()) + " a.csv").exitCode, 2);
    EXPECT_EQ(
        run("export zengin", "--period 11 --method 1 " + quoted(out_.path() / "z.txt")).exitCode,
        2);
    EXPECT_EQ(run("export zengin", "--period 14 " + quoted(out_.path() / "z.txt")).exitCode, 1);
    EXPECT_FALSE(fs::exists(out_.path() / "x.pdf"));
    EXPECT_FALSE(fs::exists(out_.path() / "z.txt"));
}

// 取組日: January's pay day is Sunday 2026-01-25, so the file says Friday 0123 unless --date
// names another business day; a holiday given by hand is refused.  A net pay below zero is
// left out of the file and listed.
TEST_F(TablePrintToolTest, ZenginDateIsABankBusinessDayAndNegativeNetPayIsListed) {
    const fs::path out = out_.path() / "zengin-01.txt";
    ToolRun done = run("export zengin", "--period 1 " + quoted(out));
    ASSERT_EQ(done.exitCode, 0);
    EXPECT_FALSE(json::parse(done.out).contains("negativeNetPay"));
    EXPECT_EQ(bytesOf(out).substr(54, 4), "0123");
    done = run("export zengin", "--period 1 --date 2026-01-26 " + quoted(out));
    ASSERT_EQ(done.exitCode, 0);
    EXPECT_EQ(bytesOf(out).substr(54, 4), "0126");

    const fs::path refused = out_.path() / "zengin-holiday.txt";
    const std::string period1 = "export zengin " + quoted(demo_->file) + " --root " +
                                quoted(demo_->folder.path()) + " --period 1 ";
    const ToolRun holiday = errorsOf(period1 + "--date 2026-01-12 " + quoted(refused));
    EXPECT_EQ(holiday.exitCode, 1);
    EXPECT_NE(holiday.out.find("2026年1月12日(月)は銀行の休業日(成人の日)です。"),
              std::string::npos)
        << holiday.out;
    EXPECT_EQ(errorsOf(period1 + "--date 2026-01-24 " + quoted(refused)).exitCode, 1);
    EXPECT_EQ(errorsOf(period1 + "--date 2026-02-30 " + quoted(refused)).exitCode, 2);
    EXPECT_FALSE(fs::exists(refused));

    const std::unique_ptr<Demo> demo = makeDemo(10);
    {
        std::fstream file(demo->file, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(blockOffset(11) + offsetof(PeriodBlock, deductions) +
                                               2 * sizeof(DeductionRecord) +
                                               offsetof(DeductionRecord, deductionTotal)));
        const std::int32_t deducted = 99'999'999;
        file.write(reinterpret_cast<const char*>(&deducted), sizeof deducted);
    }
    done = run("export zengin", "--period 11 " + quoted(out), demo.get());
    ASSERT_EQ(done.exitCode, 0);
    const json result = json::parse(done.out);
    EXPECT_EQ(result["records"], 6);
    ASSERT_EQ(result["negativeNetPay"].size(), 1u);
    EXPECT_EQ(result["negativeNetPay"][0]["name"], demo->calculated.at(3)["name"]);
    EXPECT_LT(result["negativeNetPay"][0]["netPay"].get<long long>(), 0);
}

}  // namespace
}  // namespace keiro
