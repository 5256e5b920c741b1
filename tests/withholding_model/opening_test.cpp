#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/errors.h"
#include "core/fileio.h"
#include "tests/support/temp_folder.h"
#include "tests/withholding_model/year_files.h"
#include "withholding/model/opening.h"

namespace keiro::withholding {
namespace {

namespace fs = std::filesystem;
using testing::YearFileWriter;
using testing_support::TempFolder;

const EraNames kNames{"平成", "令和"};

// A data folder with last year's and this year's year files.  This year's December holds
// 山田 (slot 1, carried from last year's slot 4), 佐藤 (slot 2, new, 乙欄) and 鈴木 (slot 3,
// carried from last year's slot 7 and, with the same recordId, slot 9: the first one wins).
struct TwoYears {
    TempFolder folder{"keiro-wh-open"};
    EraYear thisYear;
    WithholdingPaths paths;
    fs::path yearFile;

    TwoYears(EraYear year, EraYear previous) : thisYear(std::move(year)) {
        yearFile = folder / yearFileName(thisYear);
        paths = withholdingPathsFor(yearFile, thisYear, kNames);
        YearFileWriter last;
        last.put(12, 4, "yamada");
        last.put(12, 7, "suzuki");
        last.put(12, 9, "suzuki");
        last.write(folder / yearFileName(previous));

        YearFileWriter current;
        EmployeeRecord& yamada = current.put(12, 1, "yamada", 400'000, 60'000, 9'000);
        yamada.nameKana.assign("ﾔﾏﾀﾞ ﾀﾛｳ");
        yamada.birthEra = 3;
        yamada.birthYear = 55;
        yamada.birthMonth = 4;
        yamada.birthDay = 1;
        yamada.dependents = 3;
        current.put(1, 1, "yamada", 390'000, 59'000, 8'000);
        EmployeeRecord& sato = current.put(12, 2, "sato", 100'000, 0, 10'000);
        sato.taxColumn = 1;
        sato.nameKana.assign("ｻﾄｳ");
        sato.dependents = 2;
        current.put(12, 3, "suzuki", 200'000, 30'000, 4'000);
        current.write(yearFile);
    }

    // The year as KeiroLG reads it; opening completes its December in memory.
    YearView& view() { return opened.emplace(yearFile); }
    std::optional<YearView> opened;
};

LegacyWithholdingRecord filledLegacyRecord() {
    LegacyWithholdingRecord r{};
    r.postalCode.assign("100-0001");
    r.address1.assign("東京都千代田区千代田一丁目一番地");  // 32 bytes exactly
    r.address2.assign("三階");
    r.recipientNumber.assign("A123");
    r.furigana.assign("ﾔﾏﾀﾞ ﾀﾛｳ");
    r.position.assign("部長");
    r.paid = 1;
    r.withheld = 2;
    r.incomeAfterDeduction = 3;
    r.totalDeductions = 4;
    r.annualTax = 5;
    r.spouseFlags[0] = 1;
    r.spouseFlags[2] = 1;
    r.spouseElderly = 1;
    r.spouseSpecial = 30'000;
    r.dependants = {1, 2, 3, 4, 5, 6, 7};
    r.disabled = {8, 9, 10};
    r.socialInsurance = 11;
    r.lifeInsurance = 12;
    r.earthquakeInsurance = 13;
    r.housingLoanCredit = 14;
    r.remarks[0].assign("前年の摘要");
    r.spouseIncome = 15;
    r.oldLongTermInsurance = 16;
    for (int i = 0; i < 11; ++i) (&r.flags.minor)[i] = static_cast<std::uint8_t>(i % 2);
    r.joinLeaveBirth = {1, 0, 27, 6, 30, {3, 50, 2, 28}};
    r.manualFlags[0] = 1;
    r.adjustStatus = kCalculated;
    r.under16 = 17;
    r.lifeNew = 18;
    r.lifeOld = 19;
    r.medicalCare = 20;
    r.pensionNew = 21;
    r.pensionOld = 22;
    r.housingLoanAvailable = 23;
    r.nationalPension = 24;
    r.residenceStart = {4, 20, 3, 31};
    r.smallBusinessMutualAid = 25;
    return r;
}

TEST(WithholdingOpening, FirstLargeRecordYearConvertsLastYearFieldByField) {
    TwoYears years({"平成", 28}, {"平成", 27});
    WithholdingFile previous(false);
    previous.header().address1.assign("大阪府");
    previous.legacyRecord(4) = filledLegacyRecord();
    previous.legacyRecord(7).postalCode.assign("7");
    previous.legacyRecord(9).postalCode.assign("9");
    previous.save(years.paths.previousFile);

    const WithholdingFile file = *openWithholdingFile(years.view(), years.paths);
    ASSERT_TRUE(file.currentFormat());
    EXPECT_EQ(file.header().address1.utf8(), "大阪府");

    const WithholdingRecord& r = file.record(1);
    EXPECT_EQ(r.postalCode.utf8(), "100-0001");
    EXPECT_EQ(r.address1.utf8(), "東京都千代田区千代田一丁目一番地");
    EXPECT_EQ(r.address2.utf8(), "三階");
    EXPECT_EQ(r.recipientNumber.utf8(), "A123");
    EXPECT_EQ(r.furigana.utf8(), "ﾔﾏﾀﾞ ﾀﾛｳ");
    EXPECT_EQ(r.position.utf8(), "部長");
    // Last year's figures are not this year's: the totals come from this year's file and the
    // computed amounts start empty.
    EXPECT_EQ(r.paid, 790'000);
    EXPECT_EQ(r.withheld, 17'000);
    EXPECT_EQ(r.socialInsurance, 119'000);
    EXPECT_EQ(r.incomeAfterDeduction, 0);
    EXPECT_EQ(r.totalDeductions, 0);
    EXPECT_EQ(r.annualTax, 0);
    EXPECT_EQ(r.spouseDeductible, 1);
    EXPECT_EQ(r.spouseSecondary, 1);
    EXPECT_EQ(r.spouseElderly, 1);
    EXPECT_EQ(r.spouseSpecial, 0) << "last year's amount";
    EXPECT_EQ(r.dependants.specific, 1);
    EXPECT_EQ(r.dependants.generalSecondary, 7);
    EXPECT_EQ(r.under16, 17);
    EXPECT_EQ(r.disabled.specialLivingTogether, 8);
    EXPECT_EQ(r.disabled.other, 10);
    // The amounts declared for last year start empty.
    EXPECT_EQ(r.lifeInsurance, 0);
    EXPECT_EQ(r.earthquakeInsurance, 0);
    EXPECT_EQ(r.housingLoanCredit, 0);
    EXPECT_TRUE(r.remarks[0].empty());
    EXPECT_EQ(r.spouseIncome, 0);
    EXPECT_EQ(r.oldLongTermInsurance, 0);
    EXPECT_EQ(r.flags.minor, 0);
    EXPECT_EQ(r.flags.secondaryColumn, 0) << "乙欄 comes from this year's master";
    EXPECT_EQ(r.flags.foreigner, 0);
    EXPECT_EQ(r.flags.disabledSpecial, 0);
    EXPECT_EQ(r.flags.disabledOther, 1);
    // Joining or leaving belongs to last year: this year starts without it.
    EXPECT_EQ(r.joinLeaveBirth.joined, 0);
    EXPECT_EQ(r.joinLeaveBirth.changeYear, 0);
    EXPECT_EQ(r.joinLeaveBirth.changeDay, 0);
    EXPECT_EQ(r.joinLeaveBirth.birth.year, 50) << "the birth date is last year's, not the master's";
    EXPECT_EQ(r.joinLeaveBirth.birth.day, 28);
    EXPECT_EQ(r.lifeNew, 0);
    EXPECT_EQ(r.lifeOld, 0);
    EXPECT_EQ(r.medicalCare, 0);
    EXPECT_EQ(r.pensionNew, 0);
    EXPECT_EQ(r.pensionOld, 0);
    EXPECT_EQ(r.housingLoanAvailable, 0);
    EXPECT_EQ(r.nationalPension, 0);
    EXPECT_EQ(r.residenceStart[0].era, 4) << "the loan's residence start carries";
    EXPECT_EQ(r.residenceStart[0].day, 31);
    EXPECT_EQ(r.smallBusinessMutualAid, 0);
    EXPECT_EQ(r.manualFlags[0], 0);
    EXPECT_EQ(r.adjustStatus, kNotProcessed);
    EXPECT_EQ(r.incomeEstimateEntered, 0);

    // A new employee: an empty record with totals and 乙欄, but no furigana from the master,
    // since there is a previous file.
    const WithholdingRecord& sato = file.record(2);
    EXPECT_TRUE(sato.furigana.empty());
    EXPECT_EQ(sato.paid, 100'000);
    EXPECT_EQ(sato.flags.secondaryColumn, 1);
    // Dependants: the carried record's count wins; the new employee's comes from payroll.
    EXPECT_EQ(r.dependants.general, 6);
    EXPECT_EQ(sato.dependants.general, 2);
    // The first of two matching slots of last year wins.
    EXPECT_EQ(file.record(3).postalCode.utf8(), "7");
}

TEST(WithholdingOpening, NewEraYearTwoCopiesHeiseiThirtyOneWhole) {
    TwoYears years({"令和", 2}, {"平成", 31});
    WithholdingFile previous(true);
    WithholdingRecord& last = previous.record(4);
    last.address1.assign("名古屋市");
    last.spouse.name.assign("山田花子");
    last.spouse.myNumber = 123456789012;
    last.dependantEntries[3].nonResident = 1;
    last.moreUnder16Numbers[4].assign("999");
    last.annualTax = 50'000;
    last.manualFlags[3] = 1;
    last.manualFlags[9] = 1;
    last.adjustStatus = kNotAdjusted;
    last.singleParent = 1;
    previous.save(years.paths.previousFile);

    const WithholdingFile file = *openWithholdingFile(years.view(), years.paths);
    const WithholdingRecord& r = file.record(1);
    EXPECT_EQ(r.address1.utf8(), "名古屋市");
    EXPECT_EQ(r.spouse.name.utf8(), "山田花子");
    EXPECT_EQ(std::int64_t{r.spouse.myNumber}, 123456789012);
    EXPECT_EQ(r.dependantEntries[3].nonResident, 1);
    EXPECT_EQ(r.moreUnder16Numbers[4].utf8(), "999");
    EXPECT_EQ(r.singleParent, 1);
    EXPECT_EQ(r.annualTax, 0) << "last year's tax is not this year's";
    for (std::uint8_t flag : r.manualFlags) EXPECT_EQ(flag, 0);
    EXPECT_EQ(r.adjustStatus, kNotProcessed);
    EXPECT_EQ(r.paid, 790'000);
}

// A 2025 record full of that year's declarations, carried into 2026: the people stay, the
// year's amounts and dates start empty (they once gave a 2026 tax of 0 instead of 62,800).
TEST(WithholdingOpening, CarryingIntoTheNextYearKeepsPeopleAndDropsTheYearsAmounts) {
    TwoYears years({"令和", 8}, {"令和", 7});
    WithholdingFile previous(true);
    WithholdingRecord& last = previous.record(4);
    WithholdingSupplement& more = previous.supplement(4);
    last.address1.assign("名古屋市");
    last.spouse.name.assign("山田花子");
    last.spouse.birth = {80, 3, 3};
    last.spouse.relationship = kRelationWife;
    last.dependantEntries[0].name.assign("山田一郎");
    last.dependantEntries[0].birth = {108, 5, 1};
    last.dependantEntries[0].nonResident = 1;
    last.dependantEntries[0].nonResidentReason = kNonResidentStudent;
    more.specificRelatives[0].name.assign("山田次郎");
    more.specificRelatives[0].birth = {105, 1, 2};
    more.moreDependants[0].name.assign("山田五郎");
    last.dependants.general = 2;
    last.incomeEstimateEntered = 1;
    last.incomeEstimate = 9'000'000;
    last.remarks[0].assign("前職分 支払金額 1,000,000円");
    last.joinLeaveBirth.joined = 1;
    // The year's amounts (packed fields: read and written by value).
    const auto yearAmounts = [](const WithholdingRecord& r) {
        return std::vector<std::int32_t>{
            r.lifeNew,         r.lifeInsurance,         r.earthquakePremium, r.earthquakeInsurance,
            r.nationalPension, r.otherDeclaredSocial,   r.housingLoanCredit, r.spouseIncome,
            r.spouseSpecial,   r.smallBusinessMutualAid};
    };
    last.lifeNew = 80'000;
    last.lifeInsurance = 40'000;
    last.earthquakePremium = 30'000;
    last.earthquakeInsurance = 30'000;
    last.nationalPension = 200'000;
    last.otherDeclaredSocial = 50'000;
    last.housingLoanCredit = 300'000;
    last.spouseIncome = 500'000;
    last.spouseSpecial = 10'000;
    last.smallBusinessMutualAid = 20'000;
    const std::vector<std::int32_t> before = yearAmounts(last);
    ASSERT_EQ(std::count(before.begin(), before.end(), 0), 0);
    last.housingLoanBalance[0] = 30'000'000;
    last.housingLoanKind[0] = 1;
    last.residenceStart[0] = {5, 3, 4, 1};
    last.specificRelativeIncome[0] = 900'000;
    last.leaveException = kLeaveAfterDecemberPay;
    last.annualTax = 0;
    last.figuresStored = 1;
    more.previousEmployers[0].payerName.assign("前の会社");
    more.previousEmployers[0].pay = 1'000'000;
    previous.save(years.paths.previousFile);

    const WithholdingFile file = *openWithholdingFile(years.view(), years.paths);
    const WithholdingRecord& r = file.record(1);
    const WithholdingSupplement& s = file.supplement(1);
    EXPECT_EQ(r.address1.utf8(), "名古屋市");
    EXPECT_EQ(r.spouse.name.utf8(), "山田花子");
    EXPECT_EQ(r.spouse.birth.yearSince1900, 80);
    EXPECT_EQ(r.spouse.relationship, kRelationWife);
    EXPECT_EQ(r.dependantEntries[0].birth.day, 1);
    EXPECT_EQ(r.dependantEntries[0].nonResidentReason, kNonResidentStudent);
    EXPECT_EQ(s.specificRelatives[0].name.utf8(), "山田次郎");
    EXPECT_EQ(s.moreDependants[0].name.utf8(), "山田五郎");
    EXPECT_EQ(r.dependants.general, 2);
    EXPECT_EQ(r.housingLoanKind[0], 1);
    EXPECT_EQ(r.residenceStart[0].year, 3);

    EXPECT_EQ(r.incomeEstimateEntered, 0);
    EXPECT_EQ(+r.incomeEstimate, 0);
    EXPECT_TRUE(r.remarks[0].empty());
    EXPECT_EQ(r.joinLeaveBirth.joined, 0);
    EXPECT_EQ(yearAmounts(r), std::vector<std::int32_t>(10, 0));
    EXPECT_EQ(r.housingLoanBalance[0], 0);
    EXPECT_EQ(r.specificRelativeIncome[0], 0);
    EXPECT_EQ(r.leaveException, kLeaveNoException);
    EXPECT_EQ(r.figuresStored, 0);
    EXPECT_FALSE(s.previousEmployers[0].isEntered());
    EXPECT_EQ(r.paid, 790'000) << "this year's totals";
}

TEST(WithholdingOpening, WithoutAPreviousFileTheMasterGivesFuriganaAndBirthDate) {
    TwoYears current({"令和", 8}, {"令和", 7});
    const WithholdingFile file = *openWithholdingFile(current.view(), current.paths);
    EXPECT_EQ(file.record(1).furigana.utf8(), "ﾔﾏﾀﾞ ﾀﾛｳ");
    EXPECT_EQ(file.record(1).joinLeaveBirth.birth.era, 3);
    EXPECT_EQ(file.record(1).joinLeaveBirth.birth.year, 55);
    EXPECT_EQ(file.record(1).joinLeaveBirth.birth.month, 4);
    EXPECT_EQ(file.record(2).flags.secondaryColumn, 1);
    // The payroll's 扶養人数 as その他 dependants, so that the year starts with them.
    EXPECT_EQ(file.record(1).dependants.general, 3);
    EXPECT_EQ(file.record(2).dependants.general, 2);
    EXPECT_EQ(file.record(1).dependants.specific, 0);

    TwoYears legacy({"平成", 27}, {"平成", 26});
    const WithholdingFile old = *openWithholdingFile(legacy.view(), legacy.paths);
    ASSERT_FALSE(old.currentFormat());
    for (int slot : {1, 50, 100}) {
        EXPECT_EQ(old.legacyRecord(slot).spouseFlags[LegacyWithholdingRecord::kSpouseNo], 1);
    }
    EXPECT_EQ(old.legacyRecord(1).furigana.utf8(), "ﾔﾏﾀﾞ ﾀﾛｳ");
    EXPECT_EQ(old.legacyRecord(2).paid, 100'000);
}

TEST(WithholdingOpening, AnExistingFileIsLoadedAndDecemberIsRequired) {
    TwoYears years({"令和", 8}, {"令和", 7});
    WithholdingFile saved(true);
    saved.record(1).paid = 42;
    saved.save(years.paths.file);
    EXPECT_EQ(openWithholdingFile(years.view(), years.paths)->record(1).paid, 42);

    writeFileAtomic(years.paths.file, "short");
    EXPECT_THROW(openWithholdingFile(years.view(), years.paths), IoError);

    YearFileWriter noDecember;
    noDecember.put(11, 1, "yamada", 1, 1, 1);
    noDecember.write(years.yearFile);
    EXPECT_FALSE(openWithholdingFile(years.view(), years.paths).has_value());
}

TEST(WithholdingOpening, PreviousFileWithoutItsYearFileMatchesNobody) {
    TwoYears years({"令和", 8}, {"令和", 7});
    WithholdingFile previous(true);
    previous.record(4).address1.assign("名古屋市");
    previous.record(4).manualFlags[0] = 1;
    previous.save(years.paths.previousFile);
    fs::remove(years.paths.previousYearFile);
    const WithholdingFile file = *openWithholdingFile(years.view(), years.paths);
    EXPECT_TRUE(file.record(1).address1.empty());
    EXPECT_EQ(file.record(1).paid, 790'000);
}

}  // namespace
}  // namespace keiro::withholding
