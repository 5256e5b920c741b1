// The year data file: creation, opening a period from its sources, saving, deleting, the
// unsaved-change test, and refusal of files that are not whole year files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/fileio.h"
#include "core/slip_password.h"
#include "core/year_recovery.h"
#include "core/yearfile.h"
#include "tests/support/temp_folder.h"

namespace keiro {
namespace {

namespace fs = std::filesystem;

const EraNames kNames{"平成", "令和"};

class YearFileTest : public ::testing::Test {
  protected:
    fs::path file(const EraYear& year) const { return folder_ / yearFileName(year); }

    // A year file with nothing saved, opened as `year`.
    YearData open(const EraYear& year) {
        createYearFileIfMissing(file(year));
        YearData data;
        data.setFile(file(year), year.eraName, year.eraYear, kNames);
        return data;
    }

    // Puts a block into a file directly, saved or only present.
    static void store(const fs::path& path, int period, const PeriodBlock& block, bool saved) {
        std::string content = readFile(path);
        std::memcpy(content.data() + blockOffset(period), &block, kBlockSize);
        content[8 + period - 1] = saved ? 1 : 0;
        writeFileAtomic(path, content);
    }

    // A block of one company with employees; slot 1 monthly, slot 2 hourly.
    static std::unique_ptr<PeriodBlock> companyBlock(const char* company) {
        auto block = std::make_unique<PeriodBlock>();
        block->settings.companyName.assign(company);
        block->settings.healthInsRate = 4.95;
        block->settings.scheduledDays = 20;  // what the selection window shows and sends back
        block->settings.scheduledHours = 160.0;
        addEmployee(*block, 1, "010101_090000", "山田太郎", 1);
        addEmployee(*block, 2, "010101_090001", "鈴木花子", 3);
        return block;
    }

    static void addEmployee(PeriodBlock& block, int slot, const char* id, const char* name,
                            int payForm) {
        EmployeeRecord& e = block.employee(slot);
        e.recordId.assign(id);
        e.name.assign(name);
        e.payForm = static_cast<std::uint8_t>(payForm);
        e.workStatus = 1;
        e.basePay = 250000;
        e.remarks.assign("先月の備考");
        block.attendance[slot - 1].paidLeaveBalance = 10.0 + slot;
        block.attendance[slot - 1].paidLeaveDays = 1;
        block.payments[slot - 1].basePayAmount = 250000;
        block.deductions[slot - 1].payAfterSocialIns = 200000 + slot;
    }

    static bool isZero(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            if (bytes[i] != 0) return false;
        }
        return true;
    }

    static bool arraysAfterEmployeesAreZero(const PeriodBlock& block) {
        return isZero(block.attendance, sizeof block.attendance) &&
               isZero(block.payments, sizeof block.payments) &&
               isZero(block.deductions, sizeof block.deductions);
    }

    testing_support::TempFolder folder_{"keiro-yearfile"};
};

constexpr EraYear kHeisei30{"平成", 30};
constexpr PeriodEntry kMonth{20, 160.0, 0, 0};

// --- creation and saving ---------------------------------------------------------------------

TEST_F(YearFileTest, CreateWritesAPrivateAllZeroFileOnlyOnce) {
    const fs::path path = file(kHeisei30);
    EXPECT_TRUE(createYearFileIfMissing(path));
    const std::string content = readFile(path);
    EXPECT_EQ(content.size(), 1'782'128u);
    EXPECT_TRUE(isZero(content.data(), content.size()));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    writeFileAtomic(path, "existing");
    EXPECT_FALSE(createYearFileIfMissing(path));
    EXPECT_EQ(readFile(path), "existing");
}

TEST_F(YearFileTest, SavingPeriod3SetsItsFlagAndWritesOnlyItsBlock) {
    YearData year = open(kHeisei30);
    year.openPeriod(3, kMonth, nullptr);
    year.block().settings.companyName.assign("山田商店");
    addEmployee(year.block(), 1, "010101_090000", "山田太郎", 1);
    year.block().employee(1).reserved573[1] = 7;              // bytes the program always clears
    year.block().employee(1).residentTaxCityCode = 141003;    // kept: the residence-tax payee
    year.block().employee(1).opening.taxablePay = 1'200'000;  // kept
    year.block().employee(1).social.decidedRemuneration = 304'000;  // kept
    year.block().attendance[0].payBasisDays = 16;
    year.block().attendance[0].payBasisDaysSet = 1;
    setSlipPassword(year.block().employee(1), "Kd7fPq3wXy", true);  // kept, unlike those
    std::memcpy(year.block().employee(1).bankCode, "0123", 4);      // kept: the transfer codes
    std::memcpy(year.block().employee(1).branchCode, "045", 3);
    year.savePeriod();

    const std::string content = readFile(year.path());
    ASSERT_EQ(content.size(), kYearFileSize);
    EXPECT_EQ(content[10], 1);
    EXPECT_TRUE(isZero(content.data(), 10));
    EXPECT_TRUE(isZero(content.data() + 11, kHeaderSize - 11));
    EXPECT_TRUE(isZero(content.data() + kHeaderSize, blockOffset(3) - kHeaderSize));
    EXPECT_TRUE(isZero(content.data() + blockOffset(4), kYearFileSize - blockOffset(4)));
    PeriodBlock onDisk;
    std::memcpy(&onDisk, content.data() + blockOffset(3), kBlockSize);
    EXPECT_EQ(onDisk.settings.companyName.utf8(), "山田商店");
    EXPECT_EQ(onDisk.settings.scheduledDays, 20);
    EXPECT_EQ(int(onDisk.employee(1).residentTaxCityCode), 141003);
    EXPECT_EQ(onDisk.employee(1).opening.taxablePay, 1'200'000);
    EXPECT_EQ(onDisk.employee(1).social.decidedRemuneration, 304'000);
    EXPECT_EQ(onDisk.attendance[0].payBasisDays, 16);
    EXPECT_TRUE(isZero(onDisk.employee(1).reserved573, 3));
    EXPECT_EQ(slipPasswordOf(onDisk.employee(1)), "Kd7fPq3wXy");
    EXPECT_EQ(onDisk.employee(1).slipPasswordGenerated, 1);
    EXPECT_FALSE(hasSlipPassword(onDisk.employee(2)));  // an older record's zeros: none
    EXPECT_EQ(std::string(onDisk.employee(1).bankCode, 4), "0123");
    EXPECT_EQ(std::string(onDisk.employee(1).branchCode, 3), "045");
    EXPECT_EQ(std::memcmp(&onDisk, &year.block(), kBlockSize), 0);
    EXPECT_TRUE(year.header().isSaved(3));
}

TEST_F(YearFileTest, RewritingSavedBlocksReplacesOnlyThemAndRefusesAnUnsavedPeriod) {
    const fs::path path = file(kHeisei30);
    createYearFileIfMissing(path);
    store(path, 10, *companyBlock("十月"), true);
    store(path, 11, *companyBlock("十一月"), true);
    store(path, 12, *companyBlock("十二月"), false);  // present but never saved
    const std::string before = readFile(path);

    const std::unique_ptr<PeriodBlock> october = readPeriodBlock(path, 10);
    october->employee(1).insuranceGrade = 22;
    rewriteSavedBlocks(path, {{10, october.get()}});
    const std::string after = readFile(path);
    EXPECT_EQ(readPeriodBlock(path, 10)->employee(1).insuranceGrade, 22);
    EXPECT_EQ(after.compare(0, blockOffset(10), before, 0, blockOffset(10)), 0);
    EXPECT_EQ(after.compare(blockOffset(11), std::string::npos, before, blockOffset(11),
                            std::string::npos),
              0);

    const std::unique_ptr<PeriodBlock> december = readPeriodBlock(path, 12);
    december->employee(1).insuranceGrade = 22;
    EXPECT_THROW(rewriteSavedBlocks(path, {{10, october.get()}, {12, december.get()}}),
                 std::invalid_argument);
    EXPECT_EQ(readFile(path), after);  // nothing written, not even the saved one
}

TEST_F(YearFileTest, ASavedPeriodOpensAsItWasSavedTakingOnlyCorrectedScheduledFigures) {
    YearData year = open(kHeisei30);
    auto saved = companyBlock("山田商店");
    saved->settings.scheduledDays = kMonth.scheduledDays;
    saved->settings.scheduledHours = kMonth.scheduledHours;
    saved->attendance[0].daysWorked = 17;
    store(year.path(), 6, *saved, true);

    const OpenResult result = year.openPeriod(6, kMonth, nullptr);
    EXPECT_FALSE(result.needsCompanyData);
    EXPECT_EQ(std::memcmp(&year.block(), saved.get(), kBlockSize), 0);  // remarks, amounts kept

    // The clerk corrects the month's scheduled days: they are taken, the attendance is not
    // refilled.
    PeriodEntry corrected = kMonth;
    corrected.scheduledDays = 21;
    year.openPeriod(6, corrected, nullptr);
    EXPECT_EQ(year.block().settings.scheduledDays, 21);
    EXPECT_EQ(year.block().attendance[0].daysWorked, 17);
}

// --- sources of a new period -----------------------------------------------------------------

TEST_F(YearFileTest, JanuaryStartsFromDecemberOfThePreviousYear) {
    createYearFileIfMissing(file({"平成", 29}));
    store(file({"平成", 29}), 12, *companyBlock("山田商店"), true);
    YearData year = open(kHeisei30);

    const OpenResult result = year.openPeriod(1, kMonth, nullptr);
    EXPECT_FALSE(result.needsCompanyData);
    const PeriodBlock& b = year.block();
    EXPECT_EQ(b.settings.companyName.utf8(), "山田商店");
    EXPECT_EQ(b.settings.healthInsRate, 4.95);
    EXPECT_EQ(b.settings.scheduledDays, 20);
    EXPECT_EQ(b.settings.scheduledHours, 160.0);
    EXPECT_EQ(b.employee(1).name.utf8(), "山田太郎");
    EXPECT_EQ(b.employee(1).basePay, 250000);
    EXPECT_TRUE(b.employee(1).remarks.empty());
    EXPECT_TRUE(isZero(&b.employee(1).remarks, sizeof b.employee(1).remarks));
    EXPECT_EQ(b.payments[0].basePayAmount, 0);
    EXPECT_EQ(b.deductions[0].payAfterSocialIns, 0);
    // Monthly pay: days and hours worked default to the scheduled ones; hourly pay does not.
    EXPECT_EQ(b.attendance[0].daysWorked, 20.0);
    EXPECT_EQ(b.attendance[0].hoursWorked, 160.0);
    EXPECT_EQ(b.attendance[1].daysWorked, 0.0);
    // The paid-leave balance carries over from December.
    EXPECT_EQ(b.attendance[0].paidLeaveBalance, 11.0);
    EXPECT_EQ(b.attendance[1].paidLeaveBalance, 12.0);
    // Nothing was written: opening without saving leaves the file as it was.
    EXPECT_TRUE(isZero(readFile(year.path()).data(), kYearFileSize));
}

TEST_F(YearFileTest, JanuaryOfNewEraYear2StartsFromHeisei31) {
    createYearFileIfMissing(file({"平成", 31}));
    store(file({"平成", 31}), 12, *companyBlock("令和商店"), true);
    YearData year = open({"令和", 2});
    EXPECT_EQ(year.previousYearPath(), folder_ / "平成31年給与･賞与.dat");
    year.openPeriod(1, kMonth, nullptr);
    EXPECT_EQ(year.block().settings.companyName.utf8(), "令和商店");
}

TEST_F(YearFileTest, JanuaryWithoutAPreviousYearStartsEmpty) {
    YearData year = open(kHeisei30);
    const OpenResult result = year.openPeriod(1, kMonth, nullptr);
    EXPECT_TRUE(result.needsCompanyData);
    EXPECT_FALSE(result.laterMonthSaved);
    EXPECT_EQ(year.block().settings.scheduledDays, 20);
}

TEST_F(YearFileTest, ANewMonthBeforeASavedLaterMonthStartsEmpty) {
    YearData year = open(kHeisei30);
    store(year.path(), 4, *companyBlock("山田商店"), true);
    store(year.path(), 6, *companyBlock("山田商店"), true);

    bool asked = false;
    const OpenResult result = year.openPeriod(5, kMonth, [&](YearData& y, const OpenResult& r) {
        asked = true;
        EXPECT_TRUE(r.laterMonthSaved);
        EXPECT_EQ(y.period(), 5);
    });
    EXPECT_TRUE(asked);
    EXPECT_TRUE(result.needsCompanyData);
    EXPECT_TRUE(result.laterMonthSaved);
    EXPECT_TRUE(year.block().settings.companyName.empty());
    EXPECT_TRUE(isZero(year.block().employees, sizeof year.block().employees));
    EXPECT_EQ(year.block().settings.scheduledDays, 20);  // the entered figures still apply
}

TEST_F(YearFileTest, AMonthIsCopiedFromTheMonthBeforeEvenWhenNeverSaved) {
    YearData year = open(kHeisei30);
    store(year.path(), 7, *companyBlock("山田商店"), false);
    const OpenResult result = year.openPeriod(8, kMonth, nullptr);
    EXPECT_FALSE(result.needsCompanyData);
    EXPECT_EQ(year.block().employee(2).name.utf8(), "鈴木花子");
    EXPECT_EQ(year.block().attendance[0].daysWorked, 20.0);
    EXPECT_EQ(year.block().payments[0].basePayAmount, 0);
}

TEST_F(YearFileTest, BonusSources) {
    struct Case {
        const char* what;
        int savedMonthThisYear;  // 0 = none
        int payMonth;
        bool previousDecemberSaved;
        const char* expectedCompany;  // "" = starts empty
    };
    const Case cases[] = {
        {"latest saved month", 7, 1, true, "七月"},
        {"January pay, previous December", 0, 1, true, "前年十二月"},
        {"January pay, December never saved", 0, 1, false, ""},
        {"February pay", 0, 2, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        createYearFileIfMissing(file({"平成", 29}));
        store(file({"平成", 29}), 12, *companyBlock("前年十二月"), c.previousDecemberSaved);
        YearData year = open(kHeisei30);
        store(year.path(), 3, *companyBlock("三月"), c.savedMonthThisYear != 0);
        if (c.savedMonthThisYear)
            store(year.path(), c.savedMonthThisYear, *companyBlock("七月"), true);

        const OpenResult result = year.openPeriod(14, {0, 0, c.payMonth, 10}, nullptr);
        EXPECT_EQ(year.block().settings.companyName.utf8(), c.expectedCompany);
        EXPECT_EQ(result.needsCompanyData, std::string(c.expectedCompany).empty());
        EXPECT_EQ(year.header().bonusPayMonth[1], c.payMonth);
        EXPECT_EQ(year.header().bonusPayDay[1], 10);
        EXPECT_TRUE(arraysAfterEmployeesAreZero(year.block()));  // no attendance pre-fill
    }
}

// --- deleting and the previous period ------------------------------------------------------

TEST_F(YearFileTest, DeletingABonusClearsFlagPayDateAndBlock) {
    YearData year = open(kHeisei30);
    store(year.path(), 2, *companyBlock("山田商店"), true);
    year.openPeriod(14, {0, 0, 12, 10}, nullptr);
    year.savePeriod();
    ASSERT_EQ(readFile(year.path())[8 + 13], 1);

    year.deletePeriod(14);
    const YearFileHeader header = readYearFileHeader(year.path());
    EXPECT_FALSE(header.isSaved(14));
    EXPECT_EQ(header.bonusPayMonth[1], 0);
    EXPECT_EQ(header.bonusPayDay[1], 0);
    EXPECT_TRUE(header.isSaved(2));
    EXPECT_TRUE(isZero(readPeriodBlock(year.path(), 14).get(), kBlockSize));
    EXPECT_EQ(readPeriodBlock(year.path(), 2)->settings.companyName.utf8(), "山田商店");
    EXPECT_TRUE(isZero(&year.block(), kBlockSize));
    EXPECT_FALSE(year.header().isSaved(14));
    EXPECT_FALSE(year.document().isModified());  // the empty period is what the file holds
}

TEST_F(YearFileTest, PreviousPeriodValuesByRecordId) {
    YearData year = open(kHeisei30);
    store(year.path(), 4, *companyBlock("山田商店"), true);
    EXPECT_EQ(year.readPreviousPaidLeaveBalance(5, "010101_090001"), 12.0);
    EXPECT_EQ(year.readPreviousPayAfterSocialIns(5, "010101_090001"), 200002);
    EXPECT_EQ(year.readPreviousPaidLeaveBalance(5, "999999_999999"), -999.0);
    EXPECT_EQ(year.readPreviousPayAfterSocialIns(5, "999999_999999"), 0);
    EXPECT_EQ(year.readPreviousPaidLeaveBalance(5, ""), -999.0);  // a free slot is nobody
    // January looks at the previous year's file, which does not exist.
    EXPECT_EQ(year.readPreviousPaidLeaveBalance(1, "010101_090001"), -999.0);
    EXPECT_EQ(year.readPreviousPayAfterSocialIns(1, "010101_090001"), 0);
}

TEST_F(YearFileTest, AnEmployeeUnknownInThePreviousMonthKeepsAZeroBalance) {
    YearData year = open(kHeisei30);
    store(year.path(), 4, *companyBlock("山田商店"), true);
    year.beginOpenPeriod(5, kMonth);
    addEmployee(year.block(), 3, "020202_100000", "新人", 1);  // added while the period opened
    year.block().attendance[2] = AttendanceRecord{};
    year.finishOpenPeriod();
    EXPECT_EQ(year.block().attendance[0].paidLeaveBalance, 11.0);
    EXPECT_EQ(year.block().attendance[2].paidLeaveBalance, 0.0);
    EXPECT_EQ(year.block().attendance[2].daysWorked, 20.0);
}

// --- the unsaved-change test ------------------------------------------------------------------

TEST_F(YearFileTest, ModificationFollowsEditsAndSaving) {
    YearData year = open(kHeisei30);
    store(year.path(), 3, *companyBlock("山田商店"), true);
    year.openPeriod(3, kMonth, nullptr);
    EXPECT_FALSE(year.document().isModified());

    year.block().payments[0].overtimePay = 1200;  // an amount recalculated
    EXPECT_TRUE(year.document().isModified());
    year.savePeriod();
    EXPECT_FALSE(year.document().isModified());

    year.block().employee(1).name.assign("山田");  // shorter: 太郎 stays behind the text
    EXPECT_TRUE(year.document().isModified());
    year.savePeriod();
    EXPECT_FALSE(year.document().isModified());

    // A value set through the document and set back is still to be saved: the clerk typed it.
    const EmployeeId first = year.document().idAt(1);
    const double before = year.document().value(first, ItemId::attendance(2));
    ASSERT_TRUE(year.document().setValue(first, ItemId::attendance(2), before + 1));
    ASSERT_TRUE(year.document().setValue(first, ItemId::attendance(2), before));
    EXPECT_TRUE(year.document().isDirty());
    EXPECT_TRUE(year.document().isModified());
    year.savePeriod();
    EXPECT_FALSE(year.document().isDirty());
    EXPECT_FALSE(year.document().isModified());
}

TEST_F(YearFileTest, LeftoversAfterATextOnDiskAreNoChange) {
    YearData year = open(kHeisei30);
    auto block = companyBlock("山田商店株式会社");
    block->settings.companyName.assign("山田商店");  // "株式会社" left behind on disk
    block->employee(2).bankName.assign("みずほ銀行");
    block->employee(2).bankName.assign("りそな");
    store(year.path(), 3, *block, true);
    year.openPeriod(3, kMonth, nullptr);
    EXPECT_FALSE(year.document().isModified());
}

TEST_F(YearFileTest, ScheduledFiguresCountAsAChangeOnlyForMonths) {
    for (int period : {3, 13}) {
        SCOPED_TRACE(period);
        YearData year = open(kHeisei30);
        store(year.path(), period, *companyBlock("山田商店"), true);
        year.openPeriod(period, {0, 0, 6, 10}, nullptr);
        year.block().settings.scheduledDays = 5;
        year.block().settings.scheduledHours = 40;
        EXPECT_EQ(year.document().isModified(), period == 3);
        year.block().settings.healthInsRate = 5.0;
        EXPECT_TRUE(year.document().isModified());
    }
}

TEST_F(YearFileTest, ANeverSavedPeriodWithCopiedDataIsModified) {
    YearData year = open(kHeisei30);
    store(year.path(), 2, *companyBlock("山田商店"), true);
    year.openPeriod(3, kMonth, nullptr);
    EXPECT_TRUE(year.document().isModified());
}

// --- damaged files -----------------------------------------------------------------------------

TEST_F(YearFileTest, FilesThatAreNotWholeYearFilesAreRefusedAndLeftAlone) {
    struct Case {
        const char* what;
        std::string content;  // "" = no file at all
    };
    const Case cases[] = {
        {"missing", ""},
        {"truncated", std::string(kYearFileSize - 1, '\0')},
        {"one byte too long", std::string(kYearFileSize + 1, '\0')},
        {"a megabyte too long", std::string(kYearFileSize + 1'000'000, '\0')},
        {"garbage", "this is not a year file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path path = folder_ / "平成30年給与･賞与.dat";
        fs::remove(path);
        if (!c.content.empty()) writeFileAtomic(path, c.content);
        YearData year;
        year.setFile(path, "平成", 30, kNames);
        try {
            year.beginOpenPeriod(3, kMonth);
            ADD_FAILURE() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(e.path(), path);
            EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos);
        }
        EXPECT_EQ(year.period(), 0);
        EXPECT_THROW(year.deletePeriod(3), IoError);
        EXPECT_THROW(readYearFileHeader(path), IoError);
        if (c.content.empty()) {
            EXPECT_FALSE(fs::exists(path));
        } else {
            EXPECT_EQ(readFile(path), c.content);
        }
    }
}

TEST_F(YearFileTest, PeriodsWithFieldsOutOfRangeAreRefusedNamingTheSlot) {
    struct Case {
        const char* what;
        void (*damage)(PeriodBlock&);
        const char* place;
    };
    const Case cases[] = {
        {"pay form", [](PeriodBlock& b) { b.employee(2).payForm = 4; }, "従業員欄 2"},
        {"dependants", [](PeriodBlock& b) { b.employee(1).dependents = -4; }, "従業員欄 1"},
        {"birth month", [](PeriodBlock& b) { b.employee(2).birthMonth = 13; }, "従業員欄 2"},
        {"insured flag", [](PeriodBlock& b) { b.employee(1).healthInsured = 0x80; }, "従業員欄 1"},
        {"base pay", [](PeriodBlock& b) { b.employee(2).basePay = 1'000'000'000; }, "従業員欄 2"},
        {"payment", [](PeriodBlock& b) { b.payments[1].payTotal = -1'000'000'000; }, "従業員欄 2"},
        {"hand-entry flag", [](PeriodBlock& b) { b.deductions[0].manualFlags[7] = 2; },
         "従業員欄 1"},
        {"leave mark", [](PeriodBlock& b) { b.payments[0].leaveKind = 3; }, "従業員欄 1"},
        {"back-pay month", [](PeriodBlock& b) { b.payments[1].backPayFirstMonth = 202613; },
         "従業員欄 2"},
        {"70+ mark", [](PeriodBlock& b) { b.employee(1).social.over70Employee = 2; }, "従業員欄 1"},
        {"hours", [](PeriodBlock& b) { b.attendance[1].hoursWorked = 1e29; }, "従業員欄 2"},
        {"days", [](PeriodBlock& b) { b.attendance[0].absentDays = std::nan(""); }, "従業員欄 1"},
        {"pay day", [](PeriodBlock& b) { b.settings.payDay = 40; }, "会社設定"},
        {"rate", [](PeriodBlock& b) { b.settings.healthInsRate = -3; }, "会社設定"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        YearData year = open(kHeisei30);
        auto block = companyBlock("山田商店");
        c.damage(*block);
        store(year.path(), 3, *block, true);
        try {
            year.beginOpenPeriod(3, kMonth);
            ADD_FAILURE() << "no error";
        } catch (const IoError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(year.path().string()), std::string::npos) << message;
            EXPECT_NE(message.find(std::string("3月のデータが壊れています（") + c.place),
                      std::string::npos)
                << message;
        }
        EXPECT_EQ(year.period(), 0);
    }

    // The extremes that can be entered still read; an empty slot is never looked at.
    YearData year = open(kHeisei30);
    auto block = companyBlock("山田商店");
    block->employee(1).basePay = 999'999'999;
    block->payments[0].absenceDeduction = -999'999'999;
    block->payments[5].payTotal = -1'000'000'000;
    store(year.path(), 3, *block, true);
    year.openPeriod(3, kMonth, nullptr);
    EXPECT_EQ(year.block().employee(1).basePay, 999'999'999);

    // A damaged header is refused too.
    std::string content = readFile(year.path());
    content[8] = 7;  // the saved mark of January
    writeFileAtomic(year.path(), content);
    EXPECT_THROW(readYearFileHeader(year.path()), IoError);
}

// --- saving when the file has gone or is damaged ----------------------------------------------

TEST_F(YearFileTest, SavingIntoAFileThatHasGoneWritesANewFileWithTheOpenPeriod) {
    YearData year = open(kHeisei30);
    store(year.path(), 2, *companyBlock("山田商店"), true);
    year.openPeriod(3, kMonth, nullptr);
    fs::remove(year.path());
    EXPECT_TRUE(year.document().isModified());  // nothing on disk: a save is due

    const std::string notice = saveOpenPeriod(year);
    EXPECT_NE(notice.find("見つからない"), std::string::npos) << notice;
    EXPECT_NE(notice.find(year.path().string()), std::string::npos) << notice;
    const YearFileHeader header = readYearFileHeader(year.path());
    EXPECT_TRUE(header.isSaved(3));
    EXPECT_FALSE(header.isSaved(2));  // its block went with the file
    EXPECT_FALSE(year.header().isSaved(2));
    EXPECT_EQ(readPeriodBlock(year.path(), 3)->settings.companyName.utf8(), "山田商店");
    EXPECT_FALSE(year.document().isModified());
    EXPECT_EQ(saveOpenPeriod(year), "");  // from now on an ordinary save
}

TEST_F(YearFileTest, SavingIntoADamagedFileKeepsItAndCarriesTheReadablePeriods) {
    YearData year = open(kHeisei30);
    store(year.path(), 1, *companyBlock("一月商店"), true);
    auto damagedBlock = companyBlock("二月商店");
    damagedBlock->employee(2).payForm = 77;
    store(year.path(), 2, *damagedBlock, true);
    store(year.path(), 14, *companyBlock("賞与商店"), true);
    {
        std::string content = readFile(year.path());
        const std::int32_t month = 7, day = 10;
        std::memcpy(content.data() + 24 + 4, &month, 4);
        std::memcpy(content.data() + 36 + 4, &day, 4);
        writeFileAtomic(year.path(), content);
    }
    year.openPeriod(4, kMonth, nullptr);
    year.block().settings.companyName.assign("四月商店");

    struct Case {
        const char* what;
        std::size_t newSize;  // what the file is cut to or grown to
        std::vector<int> carried;
    };
    const Case cases[] = {
        {"grown", kYearFileSize + 4096, {1, 14}},
        {"cut after February", blockOffset(3), {1}},
        {"cut inside the header", 20, {}},
    };
    const std::string sound = readFile(year.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string damaged = sound;
        damaged.resize(c.newSize, 'x');
        writeFileAtomic(year.path(), damaged);
        EXPECT_THROW(readYearFileHeader(year.path()), IoError);

        const std::string notice = saveOpenPeriod(year);
        std::vector<fs::path> kept;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            if (entry.path().filename().string().find(".破損") != std::string::npos) {
                kept.push_back(entry.path());
            }
        }
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(readFile(kept[0]), damaged);  // kept byte for byte beside the new file
        EXPECT_NE(notice.find(kept[0].string()), std::string::npos) << notice;
        fs::remove(kept[0]);

        const YearFileHeader header = readYearFileHeader(year.path());
        for (int period = 1; period <= kPeriodCount; ++period) {
            const bool expected = period == 4 || std::find(c.carried.begin(), c.carried.end(),
                                                           period) != c.carried.end();
            EXPECT_EQ(header.isSaved(period), expected) << period;
            if (!expected) {
                EXPECT_TRUE(isZero(readPeriodBlock(year.path(), period).get(), kBlockSize));
            }
        }
        EXPECT_EQ(readPeriodBlock(year.path(), 4)->settings.companyName.utf8(), "四月商店");
        if (header.isSaved(1)) {
            EXPECT_EQ(readPeriodBlock(year.path(), 1)->settings.companyName.utf8(), "一月商店");
            EXPECT_NE(notice.find("移した期間: 1月"), std::string::npos) << notice;
        }
        // February is named as not readable, or no period can be told at all.
        EXPECT_NE(notice.find(c.newSize > kHeaderSize ? "読み取れなかった期間: 2月" : "不明"),
                  std::string::npos)
            << notice;
        EXPECT_EQ(header.bonusPayMonth[1], header.isSaved(14) ? 7 : 0);
        EXPECT_EQ(header.bonusPayDay[1], header.isSaved(14) ? 10 : 0);
    }
}

TEST_F(YearFileTest, SavingThroughALinkUpdatesItsTargetAndLeavesNoTemporaryFiles) {
    const fs::path target = folder_ / "stick" / "平成30年給与･賞与.dat";
    fs::create_directories(target.parent_path());
    createYearFileIfMissing(target);
    const fs::path link = file(kHeisei30);
    fs::create_symlink(fs::path("stick") / "平成30年給与･賞与.dat", link);
    // What two interrupted saves left, beside files that only look alike.
    for (const char* name : {"平成30年給与･賞与.dat.tmp123456", "平成30年給与･賞与.dat.tmp7"}) {
        writeFileAtomic(target.parent_path() / name, "personal data");
    }
    for (const char* name : {"平成30年給与･賞与.dat.tmp1234567", "平成30年給与･賞与.dat.tmpx1",
                             "平成29年給与･賞与.dat.tmp123456"}) {
        writeFileAtomic(target.parent_path() / name, "someone else's");
    }

    YearData year;
    year.setFile(link, "平成", 30, kNames);  // opening the year clears the leftovers
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(target.parent_path())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{
                        "平成29年給与･賞与.dat.tmp123456", "平成30年給与･賞与.dat",
                        "平成30年給与･賞与.dat.tmp1234567", "平成30年給与･賞与.dat.tmpx1"}));

    year.openPeriod(3, kMonth, nullptr);
    year.block().settings.companyName.assign("山田商店");
    writeFileAtomic(target.parent_path() / "平成30年給与･賞与.dat.tmp42", "left by a crash");
    year.savePeriod();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(readYearFileHeader(target).isSaved(3));
    EXPECT_EQ(readPeriodBlock(target, 3)->settings.companyName.utf8(), "山田商店");
    EXPECT_FALSE(fs::exists(target.parent_path() / "平成30年給与･賞与.dat.tmp42"));
}

TEST_F(YearFileTest, ADamagedPreviousYearStopsJanuaryAndKeepsTheOpenPeriod) {
    writeFileAtomic(file({"平成", 29}), "short");
    YearData year = open(kHeisei30);
    store(year.path(), 2, *companyBlock("山田商店"), true);
    year.openPeriod(2, kMonth, nullptr);
    EXPECT_THROW(year.beginOpenPeriod(1, kMonth), IoError);
    EXPECT_EQ(year.period(), 2);
    EXPECT_EQ(year.block().settings.companyName.utf8(), "山田商店");
}

TEST_F(YearFileTest, CreatingAYearFromTheDialog) {
    EXPECT_EQ(createNewYearFile(folder_, "令和", 1).error, "年の入力エラー(0以下または元年は不可)");
    EXPECT_EQ(createNewYearFile(folder_, "令和", 0).error, "年の入力エラー(0以下または元年は不可)");
    const NewYearFile created = createNewYearFile(folder_, "令和", 9);
    EXPECT_EQ(created.error, "");
    EXPECT_EQ(created.path, folder_ / "令和09年給与･賞与.dat");
    EXPECT_EQ(fs::file_size(created.path), kYearFileSize);
    EXPECT_EQ(createNewYearFile(folder_, "令和", 9).error, "入力された年のデータは存在します。");
}

}  // namespace
}  // namespace keiro
