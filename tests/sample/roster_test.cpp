// The sample's people at any head count: the ten sample employees first, generated ones after
// them, and the month the benchmarks hold in memory made of the same people and entries.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "calc/premium_tables.h"
#include "core/places.h"
#include "core/yearfile.h"
#include "sample/company.h"
#include "sample/roster.h"
#include "sample/sample_company.h"
#include "tests/support/temp_folder.h"

namespace keiro::sample {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const fs::path kProgramFolder = KEIRO_BINARY_DIR "/bin";

calc::HealthGradeTable grades() {
    return calc::HealthGradeTable::load(kProgramFolder / kHealthGradeTableFileName);
}

TEST(RosterTest, GeneratedEmployeesAreDistinctEmployedPeopleOfEveryPayForm) {
    const calc::HealthGradeTable table = grades();
    const PeriodSettings rates = companySettings(2026, 5);
    std::set<std::string> ids, codes, names;
    std::set<int> payForms;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        SCOPED_TRACE(slot);
        const EmployeeRecord e = employeeRecord(slot, false, table, rates);
        ids.insert(e.recordId.utf8());
        codes.insert(e.employeeCode.utf8());
        names.insert(e.name.utf8());
        EXPECT_EQ(e.employeeCode.utf8().size(), 3u);
        EXPECT_FALSE(e.nameKana.empty());
        if (slot <= kSampleEmployees) continue;
        payForms.insert(e.payForm);
        EXPECT_EQ(e.workStatus, 1);
        EXPECT_GT(e.basePay, 0);
        EXPECT_EQ(e.healthInsured == 1, e.healthInsPremium > 0);
        EXPECT_EQ(e.payMethod == 1, e.bankName.empty());
    }
    EXPECT_EQ(ids.size(), std::size_t{kMaxEmployees});
    EXPECT_EQ(codes.size(), std::size_t{kMaxEmployees});
    EXPECT_EQ(names.size(), std::size_t{kMaxEmployees});
    EXPECT_EQ(payForms, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(employeeRecord(1, false, table, rates).employeeCode.utf8(), "001");
    EXPECT_EQ(employeeRecord(100, false, table, rates).employeeCode.utf8(), "100");
}

TEST(RosterTest, ASmallerCompanyIsTheFirstOfTheSampleEmployees) {
    testing_support::TempFolder folder("keiro-roster-test");
    const SampleFiles files =
        createSampleCompany(folder / "root", 2026y / std::chrono::May / 1d, kProgramFolder, 3);
    ASSERT_EQ(files.yearFiles.size(), 1u);
    const calc::HealthGradeTable table = grades();
    for (int month = 1; month <= 4; ++month) {
        const auto block = readPeriodBlock(files.yearFiles[0], month);
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            const EmployeeRecord& e = block->employee(slot);
            ASSERT_EQ(e.isUsed(), slot <= 3) << month << "/" << slot;
            if (!e.isUsed()) continue;
            EXPECT_EQ(e.name.utf8(),
                      employeeRecord(slot, false, table, block->settings).name.utf8());
            EXPECT_GT(block->payments[slot - 1].payTotal, 0);
            // Slot 5, whose premium is entered by hand, is not part of this company.
            for (std::uint8_t flag : block->deductions[slot - 1].manualFlags) EXPECT_EQ(flag, 0);
        }
    }
}

// The month the benchmarks hold in memory is the sample year's first month as the clerk
// entered it: the same master and attendance as the saved one.
TEST(RosterTest, TheMonthInMemoryIsTheSampleMonth) {
    testing_support::TempFolder folder("keiro-roster-test");
    const SampleFiles files = createSampleCompany(folder / "root", 2026y / std::chrono::April / 1d,
                                                  kProgramFolder, kMaxEmployees);
    const auto saved = readPeriodBlock(files.yearFiles.back(), 1);
    auto block = std::make_unique<PeriodBlock>();
    fillMonth(*block, grades(), 2026, 1, kMaxEmployees);
    EXPECT_EQ(block->settings.scheduledDays, saved->settings.scheduledDays);
    EXPECT_EQ(block->settings.employmentInsRate, saved->settings.employmentInsRate);
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        SCOPED_TRACE(slot);
        EmployeeRecord e = block->employee(slot);
        e.remarks = saved->employee(slot).remarks;  // the hand-entered premium's note
        EXPECT_EQ(std::memcmp(&e, &saved->employee(slot), sizeof e), 0);
        if (e.workStatus != 1) continue;
        EXPECT_EQ(std::memcmp(&block->attendance[slot - 1], &saved->attendance[slot - 1],
                              sizeof(AttendanceRecord)),
                  0);
        EXPECT_EQ(block->payments[slot - 1].variableAllowance1,
                  saved->payments[slot - 1].variableAllowance1);
    }
}

}  // namespace
}  // namespace keiro::sample
