#pragma once
// The records of the withholding file: a 300-byte header (the payer) and 100 employee records,
// slot i being employee i of the year file's December.  From 平成28 on a record is 1500 bytes
// (WithholdingRecord); the years before keep 500-byte records (LegacyWithholdingRecord).  Each
// struct's bytes are the file's bytes, so every offset is checked at compile time.

#include <cstddef>
#include <cstdint>

#include "core/pstr.h"
#include "core/records.h"

namespace keiro::withholding {

inline constexpr int kWithholdingManualFlags = 10;

// Items of manualFlags: an item set to 1 is entered by hand and never overwritten by the
// automatic calculation or the yearly totals (items 8..10 have no field).
enum ManualItem : int {
    kManualPaid = 1,                  // 支払金額
    kManualIncomeAfterDeduction = 2,  // 給与所得控除後の金額
    kManualTotalDeductions = 3,       // 所得控除の額の合計額
    kManualAnnualTax = 4,             // 源泉徴収税額
    kManualSpouseSpecial = 5,         // 配偶者特別控除の額
    kManualSocialInsurance = 6,       // 社会保険料等の金額
    kManualWithheld = 7,              // 徴収税額
};

// Why an employee who left during the year is still adjusted (the law's exceptions); the
// clerk states it, the program cannot derive it.
enum LeaveException : std::uint8_t {
    kLeaveNoException = 0,  // not adjusted: the next employer or a tax return settles it
    kLeaveByDeath = 1,      // 死亡退職
    kLeaveByDisability = 2,  // 著しい心身の障害のため退職し、本年中に再就職できない
    kLeaveAfterDecemberPay = 3,  // 12月分の給与の支払を受けた後に退職
    kLeavePartTimer = 4,  // パートタイマーの退職で本年の給与が限度以下、他の給与なし
};

enum AdjustStatus : std::uint8_t {
    kNotProcessed = 0,  // 未処理
    kCalculated = 1,    // 計算済
    kNotAdjusted = 2,   // 年調対象外
};

// How a family member is related to the employee (0 = not entered).
enum FamilyRelationship : std::uint8_t {
    kRelationNotEntered = 0,
    kRelationHusband = 1,       // 夫
    kRelationWife = 2,          // 妻
    kRelationChild = 3,         // 子
    kRelationParent = 4,        // 父母 (the employee's)
    kRelationSpouseParent = 5,  // 配偶者の父母
    kRelationGrandparent = 6,   // 祖父母
    kRelationGrandchild = 7,    // 孫
    kRelationSibling = 8,       // 兄弟姉妹
    kRelationOther = 9,         // その他の親族
    kRelationFosterChild = 10,  // 里子
};

// Why a non-resident dependant aged 30 to 69 at 31 December still counts (from 2023 such a
// dependant counts only for one of these reasons); 0 = not stated.
enum NonResidentReason : std::uint8_t {
    kNonResidentNotStated = 0,
    kNonResidentStudent = 1,    // 留学
    kNonResidentDisabled = 2,   // 障害者
    kNonResidentSupported = 3,  // 38万円以上の送金等を受けている
    kNonResidentNoReason = 4,   // none of these: not a dependant
};

#pragma pack(push, 1)

// A date of the Western calendar: year − 1900, month, day; all zero = not entered.
struct CalendarDateBytes {
    std::uint8_t yearSince1900;
    std::uint8_t month;
    std::uint8_t day;
};

// The payer, as edited in the company information dialog.
struct WithholdingHeader {
    PStr<64> address1;
    PStr<64> address2;
    PStr<16> phone;
    std::uint8_t reserved147[153];
};

// A spouse or dependant named on the slip.  Bytes 38, 39 and 49..51 were reserved (zero) in
// the files of earlier versions, which therefore read as "not entered".
struct FamilyEntry {
    PStr<20> furigana;
    PStr<16> name;
    std::uint8_t relationship;       // 38 FamilyRelationship
    std::uint8_t nonResidentReason;  // 39 NonResidentReason, for a non-resident aged 30 to 69
    std::int64_t myNumber;           // 個人番号, 12 digits; 0 = none
    std::uint8_t nonResident;        // 非居住者
    CalendarDateBytes birth;         // 49 生年月日
};

// Birth date or residence start: era index (1 明治, 2 大正, 3 昭和, 4 平成, 5 the new era in
// residence dates), era year, month, day; all zero = not entered.
struct EraDateBytes {
    std::uint8_t era;
    std::uint8_t year;
    std::uint8_t month;
    std::uint8_t day;
};

// The flags of 未成年者 .. 外国人, in this order, in both record formats.
struct PersonFlags {
    std::uint8_t minor;            // 未成年者
    std::uint8_t secondaryColumn;  // 乙欄: no year-end adjustment
    std::uint8_t disabledSpecial;  // 本人が特別障害者
    std::uint8_t disabledOther;    // 本人がその他の障害者
    std::uint8_t widow;            // 寡婦 (一般)
    std::uint8_t widowSpecial;     // 寡婦 (特別)
    std::uint8_t widower;          // 寡夫
    std::uint8_t workingStudent;   // 勤労学生
    std::uint8_t retiredByDeath;   // 死亡退職
    std::uint8_t disasterVictim;   // 災害者
    std::uint8_t foreigner;        // 外国人
};

// Joining or leaving during the year and the birth date, in this order in both formats.
struct JoinLeaveBirth {
    std::uint8_t joined;      // 中途就職
    std::uint8_t left;        // 中途退職
    std::uint8_t changeYear;  // date of joining or leaving, era of the data year
    std::uint8_t changeMonth;
    std::uint8_t changeDay;
    EraDateBytes birth;
};

// Dependant counts: 特定, its 従人, 老人 of which 同居老親等, 老人, its 従人, その他, its 従人.
struct DependantCounts {
    std::uint8_t specific;
    std::uint8_t specificSecondary;
    std::uint8_t elderlyLivingTogether;
    std::uint8_t elderly;
    std::uint8_t elderlySecondary;
    std::uint8_t general;
    std::uint8_t generalSecondary;
};

// Disabled persons among the spouse and dependants: 特別 of which 同居, 特別, その他.
struct DisabledCounts {
    std::uint8_t specialLivingTogether;
    std::uint8_t special;
    std::uint8_t other;
};

// An employee's year-end data, from 平成28 on.
//
// The bytes from 1363 on were reserved (zero) in files of the years before the inputs that the
// law of later years needs; a file without them reads as "not entered":
//   1363 incomeEstimateEntered  1 = incomeEstimate holds the employee's declared estimate of
//                               合計所得金額 (0 is a valid estimate, hence the flag); 0 = not
//                               entered, the calculation estimates it from the salary
//   1364 incomeEstimate         the estimate in yen
//   1368 singleParent           1 = ひとり親 (from 2020, replacing 寡夫 and the special 寡婦)
//   1369..1371                  reserved
//   1372 specificRelativeIncome 特定親族 1..4: each one's 合計所得 in yen (from 2025); such a
//                               relative always has income above the dependant limit, so 0
//                               means no 特定親族 in that place
//   1388 leaveException         for an employee who left during the year (退職), the reason the
//                               law still has the year adjusted (LeaveException); 0 = none, so
//                               the leaver is not adjusted
//   1389 figuresStored          1 = the calculation wrote the figures at 1392..1407; 0 (a record
//                               never calculated since they were added) = not there
//   1390 flatCutSpouseNotDeductible  1 = 令和6年分: the 定額減税 counted a spouse who is not the
//                               源泉控除対象配偶者 (the slip's 摘要 says 非控除対象配偶者減税有)
//   1391 typedCountsKept        1 = the clerk kept typed dependant counts that contradict the
//                               birth dates (asked on save); the calculation then takes the
//                               typed counts.  0 = complete birth dates decide the counts
//   1392 spouseAmountGiven      配偶者控除 or 配偶者特別控除, whichever the calculation gave
//   1396 housingLoanUsed        住宅借入金等特別控除 actually deducted (at most the tax)
//   1400 flatCutApplied         令和6年分 定額減税 deducted in the adjustment (控除済額)
//   1404 flatCutNotApplied      the part of it the tax could not take (控除外額)
//   1408 leaverRecordId         the recordId of an employee who left before December and whose
//                               row the payroll removed: the slot is free in December and
//                               holds this employee; empty otherwise
//   1423 otherDeclaredSocial    社会保険料 the employee paid and declares other than 国民年金
//                               (国民健康保険, 介護保険, 国民年金基金 …); with nationalPension it
//                               adds to the premiums withheld in 社会保険料等の金額
//   1427 earthquakePremium      地震保険料 paid in the year; with oldLongTermInsurance (旧長期損害
//                               保険料, offset 736) it gives the 地震保険料の控除額.  Both 0: the
//                               控除額 at 188 is the clerk's amount, as in earlier files
//   1431..1499                  reserved, zero
//
// What does not fit here (特定親族 names, 前職 payers, family from the fifth on) is in the
// file's supplement (WithholdingSupplement).
struct WithholdingRecord {
    PStr<8> postalCode;  // "123-4567"
    PStr<40> address1;
    PStr<40> address2;
    PStr<8> recipientNumber;  // 受給者番号
    PStr<16> position;        // 役職名
    PStr<20> furigana;
    std::uint8_t reserved138[2];
    std::int32_t paid;                  // 支払金額 (manual item 1)
    std::int32_t withheld;              // 徴収税額, withheld by payroll (manual item 7)
    std::int32_t incomeAfterDeduction;  // 給与所得控除後の金額 (manual item 2)
    std::int32_t totalDeductions;       // 所得控除の額の合計額 (manual item 3)
    std::int32_t annualTax;             // 源泉徴収税額 (manual item 4)
    std::uint8_t spouseDeductible;      // 控除対象配偶者 有
    std::uint8_t spouseSecondary;       // 従有
    std::uint8_t spouseElderly;         // 老人
    std::uint8_t reserved163;
    std::int32_t spouseSpecial;  // 配偶者特別控除の額 (manual item 5 in some years)
    DependantCounts dependants;
    std::uint8_t under16;  // 16歳未満の扶養親族の数
    DisabledCounts disabled;
    std::uint8_t nonResidentRelatives;  // 非居住者である親族の数
    std::int32_t socialInsurance;       // 社会保険料等の金額 (manual item 6)
    std::int32_t lifeInsurance;         // 生命保険料の控除額
    std::int32_t earthquakeInsurance;   // 地震保険料の控除額
    std::int32_t housingLoanCredit;     // 住宅借入金等特別控除の額
    PStr<85> remarks[5];                // 摘要
    std::uint8_t reserved626[2];
    std::int32_t lifeNew;               // 新生命保険料の金額
    std::int32_t lifeOld;               // 旧生命保険料の金額
    std::int32_t medicalCare;           // 介護医療保険料の金額
    std::int32_t pensionNew;            // 新個人年金保険料の金額
    std::int32_t pensionOld;            // 旧個人年金保険料の金額
    std::int32_t housingLoanCount;      // 住宅借入金等特別控除適用数
    std::int32_t housingLoanAvailable;  // 住宅借入金等特別控除可能額
    EraDateBytes residenceStart[2];
    std::uint8_t housingLoanKind[2];      // index into ('' '住' '認' '増' '震')
    std::uint8_t housingLoanSpecific[2];  // 特定取得
    std::int32_t housingLoanBalance[2];   // 住宅借入金等年末残高
    FamilyEntry spouse;                   // 控除対象配偶者
    std::int32_t spouseIncome;            // 配偶者の合計所得
    std::int32_t nationalPension;         // 国民年金保険料等の金額
    std::int32_t oldLongTermInsurance;    // 旧長期損害保険料の金額
    FamilyEntry dependantEntries[4];      // 控除対象扶養親族
    FamilyEntry under16Entries[4];        // 16歳未満の扶養親族
    PStr<16> moreDependantNumbers[5];     // 備考: 控除対象扶養親族 from the fifth on
    PStr<16> moreUnder16Numbers[5];       // 備考: 16歳未満 from the fifth on
    PersonFlags flags;
    JoinLeaveBirth joinLeaveBirth;
    std::uint8_t reserved1346[2];
    std::int32_t smallBusinessMutualAid;  // 小規模企業共済等掛金
    std::uint8_t manualFlags[kWithholdingManualFlags];
    std::uint8_t adjustStatus;  // AdjustStatus
    std::uint8_t incomeEstimateEntered;
    std::int32_t incomeEstimate;
    std::uint8_t singleParent;
    std::uint8_t reserved1369[3];
    std::int32_t specificRelativeIncome[4];
    std::uint8_t leaveException;  // LeaveException
    std::uint8_t figuresStored;
    std::uint8_t flatCutSpouseNotDeductible;
    std::uint8_t typedCountsKept;
    std::int32_t spouseAmountGiven;
    std::int32_t housingLoanUsed;
    std::int32_t flatCutApplied;
    std::int32_t flatCutNotApplied;
    PStr<14> leaverRecordId;
    std::int32_t otherDeclaredSocial;
    std::int32_t earthquakePremium;
    std::uint8_t reserved1431[69];

    bool isManual(int item) const {
        return manualFlags[indexOf(item, kWithholdingManualFlags)] == 1;
    }
};

// A relative aged 19 to 22 whose income is above the dependant limit (特定親族, from 2025);
// their 合計所得 is the record's specificRelativeIncome of the same place.
struct SpecificRelative {
    PStr<16> name;
    PStr<20> furigana;
    CalendarDateBytes birth;
    std::int64_t myNumber;  // 0 = none
    std::uint8_t reserved[3];
};

// An employer who paid the employee earlier in the year (前職分), as on their 源泉徴収票.
struct PreviousEmployer {
    PStr<40> payerName;
    PStr<60> payerAddress;
    CalendarDateBytes leftOn;      // 退職年月日
    std::int32_t pay;              // 支払金額
    std::int32_t tax;              // 源泉徴収税額
    std::int32_t socialInsurance;  // 社会保険料等の金額
    std::uint8_t reserved[3];

    bool isEntered() const { return !payerName.empty() || pay != 0 || tax != 0; }
};

// A dependant from the fifth on (控除対象扶養親族 or 16歳未満); the 個人番号 stays in the
// record's 備考 box of the same place.
struct MoreDependant {
    PStr<16> name;
    CalendarDateBytes birth;
    std::uint8_t relationship;  // FamilyRelationship
    std::uint8_t nonResident;
    std::uint8_t reserved[2];
};

// What one employee's year-end needs beyond the 1500-byte record.  The supplement follows the
// 100 records in the file (withholding_file.h) and is written only when some slot uses it, so
// a file of an earlier version, and any file nobody entered these in, keeps its size.
struct WithholdingSupplement {
    SpecificRelative specificRelatives[4];  // in the places of specificRelativeIncome
    PreviousEmployer previousEmployers[2];
    MoreDependant moreDependants[5];  // beside moreDependantNumbers
    MoreDependant moreUnder16[5];     // beside moreUnder16Numbers
    std::uint8_t reserved688[80];
};

// An employee's year-end data in the years before 平成28.
struct LegacyWithholdingRecord {
    PStr<8> postalCode;
    PStr<32> address1;
    PStr<32> address2;
    PStr<8> recipientNumber;
    PStr<16> furigana;
    PStr<16> position;
    std::uint8_t reserved118[2];
    std::int32_t paid;
    std::int32_t withheld;
    std::int32_t incomeAfterDeduction;
    std::int32_t totalDeductions;
    std::int32_t annualTax;
    std::uint8_t spouseFlags[4];  // 有, 無, 従有, 従無 (the first one set is shown)
    std::uint8_t spouseElderly;
    std::uint8_t reserved145[3];
    std::int32_t spouseSpecial;
    DependantCounts dependants;
    DisabledCounts disabled;
    std::uint8_t reserved162[2];
    std::int32_t socialInsurance;
    std::int32_t lifeInsurance;
    std::int32_t earthquakeInsurance;
    std::int32_t housingLoanCredit;
    PStr<58> remarks[3];
    std::uint8_t reserved357[3];
    std::int32_t spouseIncome;
    std::uint8_t reserved364[4];
    std::int32_t oldLongTermInsurance;
    PersonFlags flags;
    JoinLeaveBirth joinLeaveBirth;
    std::uint8_t manualFlags[kWithholdingManualFlags];
    std::uint8_t adjustStatus;
    std::uint8_t under16;
    std::int32_t lifeNew;
    std::int32_t lifeOld;
    std::int32_t medicalCare;
    std::int32_t pensionNew;
    std::int32_t pensionOld;
    std::int32_t housingLoanAvailable;
    std::int32_t nationalPension;
    EraDateBytes residenceStart;
    std::uint8_t reserved436[4];
    std::int32_t smallBusinessMutualAid;
    std::uint8_t reserved444[56];

    static constexpr int kSpouseYes = 0;
    static constexpr int kSpouseNo = 1;
    static constexpr int kSpouseSecondaryYes = 2;
    static constexpr int kSpouseSecondaryNo = 3;

    bool isManual(int item) const {
        return manualFlags[indexOf(item, kWithholdingManualFlags)] == 1;
    }
};

#pragma pack(pop)

inline constexpr std::size_t kWithholdingHeaderSize = 300;
inline constexpr std::size_t kRecordSize = 1500;
inline constexpr std::size_t kLegacyRecordSize = 500;
inline constexpr std::size_t kSupplementSize = 768;

// --- layout checks ---------------------------------------------------------------------------

static_assert(kIsFileRecord<WithholdingHeader> && sizeof(WithholdingHeader) == 300);
static_assert(offsetof(WithholdingHeader, address2) == 65);
static_assert(offsetof(WithholdingHeader, phone) == 130);
static_assert(offsetof(WithholdingHeader, reserved147) == 147);

static_assert(kIsFileRecord<FamilyEntry> && sizeof(FamilyEntry) == 52);
static_assert(offsetof(FamilyEntry, name) == 21);
static_assert(offsetof(FamilyEntry, relationship) == 38);
static_assert(offsetof(FamilyEntry, nonResidentReason) == 39);
static_assert(offsetof(FamilyEntry, birth) == 49);
static_assert(offsetof(FamilyEntry, myNumber) == 40);
static_assert(offsetof(FamilyEntry, nonResident) == 48);

static_assert(kIsFileRecord<WithholdingRecord> && sizeof(WithholdingRecord) == kRecordSize);
static_assert(offsetof(WithholdingRecord, address1) == 9);
static_assert(offsetof(WithholdingRecord, address2) == 50);
static_assert(offsetof(WithholdingRecord, recipientNumber) == 91);
static_assert(offsetof(WithholdingRecord, position) == 100);
static_assert(offsetof(WithholdingRecord, furigana) == 117);
static_assert(offsetof(WithholdingRecord, paid) == 140);
static_assert(offsetof(WithholdingRecord, withheld) == 144);
static_assert(offsetof(WithholdingRecord, incomeAfterDeduction) == 148);
static_assert(offsetof(WithholdingRecord, totalDeductions) == 152);
static_assert(offsetof(WithholdingRecord, annualTax) == 156);
static_assert(offsetof(WithholdingRecord, spouseDeductible) == 160);
static_assert(offsetof(WithholdingRecord, spouseSecondary) == 161);
static_assert(offsetof(WithholdingRecord, spouseElderly) == 162);
static_assert(offsetof(WithholdingRecord, spouseSpecial) == 164);
static_assert(offsetof(WithholdingRecord, dependants) == 168);
static_assert(offsetof(WithholdingRecord, under16) == 175);
static_assert(offsetof(WithholdingRecord, disabled) == 176);
static_assert(offsetof(WithholdingRecord, nonResidentRelatives) == 179);
static_assert(offsetof(WithholdingRecord, socialInsurance) == 180);
static_assert(offsetof(WithholdingRecord, lifeInsurance) == 184);
static_assert(offsetof(WithholdingRecord, earthquakeInsurance) == 188);
static_assert(offsetof(WithholdingRecord, housingLoanCredit) == 192);
static_assert(offsetof(WithholdingRecord, remarks) == 196);
static_assert(offsetof(WithholdingRecord, remarks) + 4 * sizeof(PStr<85>) == 540);
static_assert(offsetof(WithholdingRecord, lifeNew) == 628);
static_assert(offsetof(WithholdingRecord, lifeOld) == 632);
static_assert(offsetof(WithholdingRecord, medicalCare) == 636);
static_assert(offsetof(WithholdingRecord, pensionNew) == 640);
static_assert(offsetof(WithholdingRecord, pensionOld) == 644);
static_assert(offsetof(WithholdingRecord, housingLoanCount) == 648);
static_assert(offsetof(WithholdingRecord, housingLoanAvailable) == 652);
static_assert(offsetof(WithholdingRecord, residenceStart) == 656);
static_assert(offsetof(WithholdingRecord, housingLoanKind) == 664);
static_assert(offsetof(WithholdingRecord, housingLoanSpecific) == 666);
static_assert(offsetof(WithholdingRecord, housingLoanBalance) == 668);
static_assert(offsetof(WithholdingRecord, spouse) == 676);
static_assert(offsetof(WithholdingRecord, spouseIncome) == 728);
static_assert(offsetof(WithholdingRecord, nationalPension) == 732);
static_assert(offsetof(WithholdingRecord, oldLongTermInsurance) == 736);
static_assert(offsetof(WithholdingRecord, dependantEntries) == 740);
static_assert(offsetof(WithholdingRecord, under16Entries) == 948);
static_assert(offsetof(WithholdingRecord, moreDependantNumbers) == 1156);
static_assert(offsetof(WithholdingRecord, moreUnder16Numbers) == 1241);
static_assert(offsetof(WithholdingRecord, flags) == 1326);
static_assert(offsetof(WithholdingRecord, flags.secondaryColumn) == 1327);
static_assert(offsetof(WithholdingRecord, flags.foreigner) == 1336);
static_assert(offsetof(WithholdingRecord, joinLeaveBirth) == 1337);
static_assert(offsetof(WithholdingRecord, joinLeaveBirth.changeYear) == 1339);
static_assert(offsetof(WithholdingRecord, joinLeaveBirth.birth) == 1342);
static_assert(offsetof(WithholdingRecord, smallBusinessMutualAid) == 1348);
static_assert(offsetof(WithholdingRecord, manualFlags) == 1352);
static_assert(offsetof(WithholdingRecord, adjustStatus) == 1362);
static_assert(offsetof(WithholdingRecord, incomeEstimateEntered) == 1363);
static_assert(offsetof(WithholdingRecord, incomeEstimate) == 1364);
static_assert(offsetof(WithholdingRecord, singleParent) == 1368);
static_assert(offsetof(WithholdingRecord, specificRelativeIncome) == 1372);
static_assert(offsetof(WithholdingRecord, leaveException) == 1388);
static_assert(offsetof(WithholdingRecord, figuresStored) == 1389);
static_assert(offsetof(WithholdingRecord, flatCutSpouseNotDeductible) == 1390);
static_assert(offsetof(WithholdingRecord, typedCountsKept) == 1391);
static_assert(offsetof(WithholdingRecord, spouseAmountGiven) == 1392);
static_assert(offsetof(WithholdingRecord, housingLoanUsed) == 1396);
static_assert(offsetof(WithholdingRecord, flatCutApplied) == 1400);
static_assert(offsetof(WithholdingRecord, flatCutNotApplied) == 1404);
static_assert(offsetof(WithholdingRecord, leaverRecordId) == 1408);
static_assert(offsetof(WithholdingRecord, otherDeclaredSocial) == 1423);
static_assert(offsetof(WithholdingRecord, earthquakePremium) == 1427);
static_assert(offsetof(WithholdingRecord, reserved1431) == 1431);

static_assert(kIsFileRecord<SpecificRelative> && sizeof(SpecificRelative) == 52);
static_assert(kIsFileRecord<PreviousEmployer> && sizeof(PreviousEmployer) == 120);
static_assert(kIsFileRecord<MoreDependant> && sizeof(MoreDependant) == 24);
static_assert(kIsFileRecord<WithholdingSupplement> &&
              sizeof(WithholdingSupplement) == kSupplementSize);
static_assert(offsetof(WithholdingSupplement, previousEmployers) == 208);
static_assert(offsetof(WithholdingSupplement, moreDependants) == 448);
static_assert(offsetof(WithholdingSupplement, moreUnder16) == 568);

static_assert(kIsFileRecord<LegacyWithholdingRecord> &&
              sizeof(LegacyWithholdingRecord) == kLegacyRecordSize);
static_assert(offsetof(LegacyWithholdingRecord, address1) == 9);
static_assert(offsetof(LegacyWithholdingRecord, address2) == 42);
static_assert(offsetof(LegacyWithholdingRecord, recipientNumber) == 75);
static_assert(offsetof(LegacyWithholdingRecord, furigana) == 84);
static_assert(offsetof(LegacyWithholdingRecord, position) == 101);
static_assert(offsetof(LegacyWithholdingRecord, paid) == 120);
static_assert(offsetof(LegacyWithholdingRecord, withheld) == 124);
static_assert(offsetof(LegacyWithholdingRecord, incomeAfterDeduction) == 128);
static_assert(offsetof(LegacyWithholdingRecord, totalDeductions) == 132);
static_assert(offsetof(LegacyWithholdingRecord, annualTax) == 136);
static_assert(offsetof(LegacyWithholdingRecord, spouseFlags) == 140);
static_assert(offsetof(LegacyWithholdingRecord, spouseElderly) == 144);
static_assert(offsetof(LegacyWithholdingRecord, spouseSpecial) == 148);
static_assert(offsetof(LegacyWithholdingRecord, dependants) == 152);
static_assert(offsetof(LegacyWithholdingRecord, disabled) == 159);
static_assert(offsetof(LegacyWithholdingRecord, socialInsurance) == 164);
static_assert(offsetof(LegacyWithholdingRecord, lifeInsurance) == 168);
static_assert(offsetof(LegacyWithholdingRecord, earthquakeInsurance) == 172);
static_assert(offsetof(LegacyWithholdingRecord, housingLoanCredit) == 176);
static_assert(offsetof(LegacyWithholdingRecord, remarks) == 180);
static_assert(offsetof(LegacyWithholdingRecord, remarks) + 2 * sizeof(PStr<58>) == 298);
static_assert(offsetof(LegacyWithholdingRecord, spouseIncome) == 360);
static_assert(offsetof(LegacyWithholdingRecord, oldLongTermInsurance) == 368);
static_assert(offsetof(LegacyWithholdingRecord, flags) == 372);
static_assert(offsetof(LegacyWithholdingRecord, joinLeaveBirth) == 383);
static_assert(offsetof(LegacyWithholdingRecord, manualFlags) == 392);
static_assert(offsetof(LegacyWithholdingRecord, adjustStatus) == 402);
static_assert(offsetof(LegacyWithholdingRecord, under16) == 403);
static_assert(offsetof(LegacyWithholdingRecord, lifeNew) == 404);
static_assert(offsetof(LegacyWithholdingRecord, pensionOld) == 420);
static_assert(offsetof(LegacyWithholdingRecord, housingLoanAvailable) == 424);
static_assert(offsetof(LegacyWithholdingRecord, nationalPension) == 428);
static_assert(offsetof(LegacyWithholdingRecord, residenceStart) == 432);
static_assert(offsetof(LegacyWithholdingRecord, smallBusinessMutualAid) == 440);

}  // namespace keiro::withholding
