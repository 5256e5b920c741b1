#pragma once
// The byte layouts of the table files shipped beside the programs.  They are read whole into
// these images; nothing indexes them before the counts have been checked.

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace keiro::calc {

#pragma pack(push, 1)

// 税額表(給与).dat: the monthly withholding tax table.
struct SalaryTaxRow {
    std::int32_t lower;   // 以上
    std::int32_t upper;   // 未満
    std::int32_t kou[8];  // 甲 tax for 0..7 dependents
    std::int32_t otsu;    // 乙 tax
};

struct SalaryTaxTableImage {
    static constexpr int kMaxRows = 380;
    static constexpr int kMinRows = 4;  // at least the four breakpoint rows

    std::int32_t rowCount;
    SalaryTaxRow rows[kMaxRows];
    double kouRate1;                // 甲 above T1 (fractions: 0.2042 is 20.42 %)
    double kouRate2;                // 甲 above T2
    double kouRate3;                // 甲 above T3
    double kouRate4;                // 甲 above T4
    double otsuRateLow;             // 乙 below the first row
    double otsuRate1;               // 乙 above T1 (up to T3)
    double otsuRate2;               // 乙 above T3
    std::int32_t kouPerDependent;   // off the 甲 tax per dependent beyond seven
    std::int32_t otsuPerDependent;  // off the 乙 tax per dependent
};

// The salary table may carry, after its fixed part, every breakpoint of the published table
// (the fixed part holds only four, which is exact up to T4 only).  Layout, little-endian:
//   magic "KXBP", uint32 version (1), uint32 kouCount, uint32 otsuCount,
//   kouCount × SalaryBreakpoint, otsuCount × SalaryBreakpoint (otsu uses tax[0] only),
//   uint32 FNV-1a of every extension byte before it.
// A breakpoint's tax applies at exactly `from`; above it the tax is tax + rate × (A − from).
struct SalaryBreakpoint {
    std::int32_t from;
    double rate;
    std::int32_t tax[8];
};

struct SalaryExtensionHeader {
    char magic[4];
    std::uint32_t version;
    std::uint32_t kouCount;
    std::uint32_t otsuCount;
};

inline constexpr char kSalaryExtensionMagic[4] = {'K', 'X', 'B', 'P'};
inline constexpr std::uint32_t kSalaryExtensionVersion = 1;
inline constexpr std::uint32_t kMaxBreakpoints = 32;

// 税額表(賞与).dat: the bonus withholding rate table.
struct BonusKouRow {
    double rate;
    struct Band {
        std::int32_t lower;  // 以上
        std::int32_t upper;  // 未満
    } band[8];               // by dependents 0..7
};

struct BonusOtsuRow {
    double rate;
    std::int32_t upper;  // 未満
};

struct BonusTaxTableImage {
    static constexpr int kMaxKouRows = 24;
    static constexpr int kMaxOtsuRows = 10;

    std::int32_t kouCount;
    BonusKouRow kouRows[kMaxKouRows];
    std::int32_t otsuCount;
    BonusOtsuRow otsuRows[kMaxOtsuRows];
};

// 健康保険料額表.dat: the health insurance standard-remuneration grades.
struct HealthGrade {
    std::int32_t lower;     // 報酬月額 以上
    std::int32_t upper;     // 未満
    std::int32_t standard;  // 標準報酬月額
};

struct HealthGradeTableImage {
    static constexpr int kMaxGrades = 80;

    std::int32_t gradeCount;
    std::int32_t pensionMinGrade;
    std::int32_t pensionMaxGrade;
    HealthGrade grades[kMaxGrades];  // grade g is grades[g - 1]
};

#pragma pack(pop)

static_assert(std::is_trivially_copyable_v<SalaryTaxTableImage>);
static_assert(sizeof(SalaryTaxRow) == 44);
static_assert(sizeof(SalaryTaxTableImage) == 16'788);
static_assert(offsetof(SalaryTaxTableImage, rows) == 4);
static_assert(offsetof(SalaryTaxTableImage, kouRate1) == 16'724);
static_assert(offsetof(SalaryTaxTableImage, kouRate4) == 16'748);
static_assert(offsetof(SalaryTaxTableImage, otsuRateLow) == 16'756);
static_assert(offsetof(SalaryTaxTableImage, otsuRate1) == 16'764);
static_assert(offsetof(SalaryTaxTableImage, otsuRate2) == 16'772);
static_assert(offsetof(SalaryTaxTableImage, kouPerDependent) == 16'780);
static_assert(offsetof(SalaryTaxTableImage, otsuPerDependent) == 16'784);
static_assert(sizeof(SalaryBreakpoint) == 44);
static_assert(sizeof(SalaryExtensionHeader) == 16);

static_assert(std::is_trivially_copyable_v<BonusTaxTableImage>);
static_assert(sizeof(BonusKouRow) == 72);
static_assert(sizeof(BonusOtsuRow) == 12);
static_assert(sizeof(BonusTaxTableImage) == 1'856);
static_assert(offsetof(BonusTaxTableImage, otsuCount) == 1'732);
static_assert(offsetof(BonusTaxTableImage, otsuRows) == 1'736);

static_assert(std::is_trivially_copyable_v<HealthGradeTableImage>);
static_assert(sizeof(HealthGradeTableImage) == 972);
static_assert(offsetof(HealthGradeTableImage, grades) == 12);

}  // namespace keiro::calc
