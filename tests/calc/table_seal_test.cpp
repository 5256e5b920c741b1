// The seal over every table file, and the loaders' verdict agreeing with `tables check`.
#include "calc/table_seal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "calc/payroll_tables.h"
#include "calc/premium_tables.h"
#include "calc/table_set_build.h"
#include "calc/tax_table_build.h"
#include "calc/tax_tables.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const YenRounding kTruncate(RoundingSettings{RoundingMode::Truncate, RoundingMode::Truncate,
                                             RoundingMode::Truncate});

// The newest files as the build writes them, by name.
const std::map<std::string, std::string>& builtFiles() {
    static const std::map<std::string, std::string> files = [] {
        std::map<std::string, std::string> out;
        for (TableFile& file : buildTableFiles(fs::path(KEIRO_SOURCE_DIR) / "data")) {
            if (!file.relative.has_parent_path()) out[file.relative.string()] = file.bytes;
        }
        return out;
    }();
    return files;
}

const std::string& built(std::string_view name) {
    return builtFiles().at(std::string(name));
}

void writePlain(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// How each file is loaded by the program and judged by `tables check`.
struct TableKind {
    std::string_view name;
    std::function<void(const fs::path&)> load;  // throws when refused
    TableCheck (*check)(std::string_view);
    std::size_t fixedSize;  // the table's own layout; the rest before the seal is the extension
};

const std::vector<TableKind>& kinds() {
    static const std::vector<TableKind> all = {
        {kSalaryTaxTableFileName, [](const fs::path& p) { (void)SalaryTaxTable::fromFile(p); },
         checkSalaryTaxTable, kSalaryTableFixedSize},
        {kBonusTaxTableFileName, [](const fs::path& p) { (void)BonusTaxTable::fromFile(p); },
         checkBonusTaxTable, kBonusTableSize},
        {kHealthGradeTableFileName, [](const fs::path& p) { (void)HealthGradeTable::load(p); },
         checkHealthGradeTable, sizeof(HealthGradeTableImage)},
        {kHealthRateListFileName, [](const fs::path& p) { (void)readPrefectureRates(p); },
         checkPrefectureRateList, 0},
    };
    return all;
}

bool loads(const TableKind& kind, const fs::path& path) {
    try {
        kind.load(path);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::size_t rowHolding(const std::string& salary, std::int32_t amount) {
    SalaryTaxTableImage image;
    std::memcpy(&image, salary.data(), sizeof image);
    for (int i = 0; i < image.rowCount; ++i) {
        if (image.rows[i].lower <= amount && amount < image.rows[i].upper) {
            return static_cast<std::size_t>(i);
        }
    }
    ADD_FAILURE() << "no row holds " << amount;
    return 0;
}

TEST(TableSeal, EveryBuiltFileIsSealedAndLoads) {
    testing_support::TempFolder folder("keiro-seal");
    for (const TableKind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        const std::string& bytes = built(kind.name);
        const UnsealedTable file = unsealTable(bytes);
        EXPECT_TRUE(file.sealed);
        EXPECT_TRUE(file.intact);
        EXPECT_EQ(file.content.size() + kTableSealSize, bytes.size());
        writePlain(folder / std::string(kind.name), bytes);
        EXPECT_TRUE(loads(kind, folder / std::string(kind.name)));
        EXPECT_TRUE(kind.check(bytes).ok());
    }
}

TEST(TableSeal, OneFlippedBitInTheSalaryTablesFixedPartIsRefused) {
    testing_support::TempFolder folder("keiro-seal");
    const fs::path path = folder / std::string(kSalaryTaxTableFileName);
    std::string bytes = built(kSalaryTaxTableFileName);
    writePlain(path, bytes);
    const std::int32_t sound =
        SalaryTaxTable::fromFile(path).LookupSalaryTax(635'000, 0, 2, kTruncate);
    EXPECT_GT(sound, 0);
    EXPECT_LT(sound, 100'000);

    // Bit 20 of the 甲 tax for two dependants in the row holding 635,000 yen: a million yen more.
    const std::size_t row = rowHolding(bytes, 635'000);
    bytes[offsetof(SalaryTaxTableImage, rows) + row * sizeof(SalaryTaxRow) +
          offsetof(SalaryTaxRow, kou) + 2 * 4 + 2] ^= 0x10;
    writePlain(path, bytes);
    try {
        (void)SalaryTaxTable::fromFile(path);
        ADD_FAILURE() << "the damaged table was loaded";
    } catch (const TableError& e) {
        EXPECT_THAT(e.what(), HasSubstr("「税額表(給与).dat」"));
        EXPECT_THAT(e.what(), HasSubstr("検査値が合いません"));
    }
    EXPECT_FALSE(checkSalaryTaxTable(bytes).ok());

    // Start-up stops, naming the file.
    for (const TableKind& kind : kinds()) {
        if (kind.name != kSalaryTaxTableFileName) {
            writePlain(folder / std::string(kind.name), built(kind.name));
        }
    }
    const PayrollTables tables = loadPayrollTables(placesUnder(folder / "root", folder.path()));
    EXPECT_FALSE(tables.complete());
    const std::vector<StartupMessage> messages = tables.missingTableMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_THAT(messages[0].text, HasSubstr("「税額表(給与).dat」"));
    EXPECT_EQ(messages[1].kind, StartupMessage::Kind::Error);
}

// Single-bit flips over a sample of offsets of every part of every file: the table's own bytes,
// the salary table's extension, the seal's mark and its checksum.  Each is refused by the
// loader and called faulty by the check.
TEST(TableSeal, SingleBitFlipsAnywhereAreRefusedByLoaderAndCheckAlike) {
    testing_support::TempFolder folder("keiro-seal");
    std::map<std::string, int> flipsByPart;
    for (const TableKind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        const std::string& good = built(kind.name);
        const std::size_t sealAt = good.size() - kTableSealSize;
        const fs::path path = folder / std::string(kind.name);
        const auto partOf = [&](std::size_t at) -> std::string {
            if (at >= sealAt) return at < sealAt + 4 ? "seal mark" : "seal checksum";
            return kind.fixedSize > 0 && at >= kind.fixedSize ? "extension" : "table";
        };
        std::vector<std::size_t> offsets;
        for (std::size_t at = 0; at < sealAt; at += 37) offsets.push_back(at);
        for (std::size_t at = sealAt; at < good.size(); ++at) offsets.push_back(at);
        for (const std::size_t at : offsets) {
            std::string bytes = good;
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << (at % 8)));
            writePlain(path, bytes);
            // The rate list is read line by line: with its mark flipped the seal is no seal but
            // one more line, listed with its error as any damaged line is (the check says so).
            const bool readAsALine = kind.fixedSize == 0 && partOf(at) == "seal mark";
            if (!readAsALine) {
                EXPECT_FALSE(loads(kind, path)) << "offset " << at;
            }
            EXPECT_FALSE(kind.check(bytes).ok()) << "offset " << at;
            ++flipsByPart[std::string(kind.name) + " " + partOf(at)];
        }
    }
    EXPECT_EQ(flipsByPart.size(), 4u * 3u + 1u);  // table and seal parts of all, one extension
    EXPECT_GT(flipsByPart["税額表(給与).dat extension"], 10);
}

// A table without its seal is damaged, whatever its size and however plausible: the loader
// and the check refuse it alike.
TEST(TableSeal, AnUnsealedTableIsRefusedByLoaderAndCheckAlike) {
    testing_support::TempFolder folder("keiro-seal");
    for (const TableKind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        const fs::path path = folder / std::string(kind.name);
        const std::string content(unsealTable(built(kind.name)).content);
        writePlain(path, content);
        EXPECT_FALSE(loads(kind, path));
        EXPECT_THAT(kind.check(content).faults,
                    ::testing::Contains(HasSubstr("検査値がありません")));
    }
}

template <typename T>
void put(std::string& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

TEST(TableSeal, AnImplausibleTableIsRefusedByLoaderAndCheckAlikeThoughSealed) {
    testing_support::TempFolder folder("keiro-seal");
    const auto expectRefused = [&](std::string_view name, const std::string& bytes,
                                   std::string_view reason) {
        SCOPED_TRACE(std::string(name) + ": " + std::string(reason));
        const TableKind& kind = *std::find_if(kinds().begin(), kinds().end(),
                                              [&](const TableKind& k) { return k.name == name; });
        const fs::path path = folder / std::string(name);
        writePlain(path, sealTable(bytes));
        try {
            kind.load(path);
            ADD_FAILURE() << "loaded";
        } catch (const std::exception& e) {
            EXPECT_THAT(e.what(), HasSubstr(std::string(name)));
            EXPECT_THAT(e.what(), HasSubstr(std::string(reason)));
        }
        const TableCheck check = kind.check(sealTable(bytes));
        EXPECT_THAT(check.faults, ::testing::Contains(HasSubstr(std::string(reason))));
    };
    const auto plain = [](std::string_view name, std::size_t size) {
        return std::string(unsealTable(built(name)).content.substr(0, size));
    };

    std::string salary = plain(kSalaryTaxTableFileName, kSalaryTableFixedSize);
    const std::size_t row = rowHolding(salary, 635'000);
    const std::size_t kou2 = offsetof(SalaryTaxTableImage, rows) + row * sizeof(SalaryTaxRow) +
                             offsetof(SalaryTaxRow, kou) + 2 * 4;
    std::int32_t tax = 0;
    std::memcpy(&tax, salary.data() + kou2, sizeof tax);
    put<std::int32_t>(salary, kou2, tax + (1 << 20));  // the next row's tax then falls
    expectRefused(kSalaryTaxTableFileName, salary, "税額が前の行より小さくなっています");

    salary = plain(kSalaryTaxTableFileName, kSalaryTableFixedSize);
    put<double>(salary, offsetof(SalaryTaxTableImage, kouRate4), 0.55);
    expectRefused(kSalaryTaxTableFileName, salary, "税率 55% が正しくありません");

    salary = plain(kSalaryTaxTableFileName, kSalaryTableFixedSize);
    put<std::int32_t>(salary, offsetof(SalaryTaxTableImage, rows) + 10 * sizeof(SalaryTaxRow),
                      0);  // row 11 starting at 0: the bands no longer rise
    expectRefused(kSalaryTaxTableFileName, salary, "行 10");

    std::string bonus = plain(kBonusTaxTableFileName, kBonusTableSize);
    put<double>(bonus, offsetof(BonusTaxTableImage, kouRows) + 2 * sizeof(BonusKouRow), 0.01);
    expectRefused(kBonusTaxTableFileName, bonus, "甲 3 行目の税率が前の行より小さくなっています");
    bonus = plain(kBonusTaxTableFileName, kBonusTableSize);
    put<double>(bonus, offsetof(BonusTaxTableImage, otsuRows), 0.75);
    expectRefused(kBonusTaxTableFileName, bonus, "乙 1 行目：税率が正しくありません");

    std::string grades = plain(kHealthGradeTableFileName, sizeof(HealthGradeTableImage));
    put<std::int32_t>(grades, offsetof(HealthGradeTableImage, grades) + 9 * sizeof(HealthGrade),
                      1);  // grade 10 starting at one yen
    expectRefused(kHealthGradeTableFileName, grades, "第10等級：下限 1 が前の等級の上限");

    // The rate list's lines are judged one by one when chosen; the check calls the file faulty.
    std::string rates(unsealTable(built(kHealthRateListFileName)).content);
    rates.replace(rates.find("\r\n") - kPrefectureRateChars, kPrefectureRateChars, "75.00");
    EXPECT_THAT(checkPrefectureRateList(rates).faults,
                ::testing::Contains(HasSubstr("75.00 % が 50.00 % を超えています")));
}

TEST(TableSeal, MissingTablesAreNamedAtStartUp) {
    testing_support::TempFolder folder("keiro-seal");
    const PayrollTables tables = loadPayrollTables(placesUnder(folder / "root", folder.path()));
    const std::vector<StartupMessage> messages = tables.missingTableMessages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].text, "表データファイル「税額表(給与).dat」がありません。");
    EXPECT_EQ(messages[1].text, "表データファイル「税額表(賞与).dat」がありません。");
    EXPECT_EQ(messages[2].text, "表データファイル「健康保険料額表.dat」がありません。");
    EXPECT_EQ(messages[3].text, "必要な表データファイルが足りません。");
}

}  // namespace
}  // namespace keiro::calc
