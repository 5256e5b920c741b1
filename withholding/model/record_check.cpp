#include "withholding/model/record_check.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "core/period_check.h"
#include "core/text.h"

namespace keiro::withholding {
namespace {

class Checker {
  public:
    explicit Checker(int slot) : place_(std::to_string(slot) + "人目: ") {}

    void range(long long value, long long low, long long high, std::string_view field) {
        if (problem_.empty() && (value < low || value > high)) note(field);
    }
    void mark(std::uint8_t value, std::string_view field) { range(value, 0, 1, field); }
    void count(std::uint8_t value, std::string_view field) { range(value, 0, 99, field); }
    void amount(std::int32_t value, std::string_view field) {
        range(value, -kMaxStoredAmount, kMaxStoredAmount, field);
    }
    template <std::size_t N>
    void text(const PStr<N>& value, std::string_view field) {
        if (!problem_.empty()) return;
        // A length beyond the field, or bytes that are no code page 932 text.
        if (value.len > N ||
            text::fromCp932(value.bytes()).find("\xEF\xBF\xBD") != std::string::npos) {
            note(field);
        }
    }
    void date(const EraDateBytes& d, std::string_view field) {
        range(d.era, 0, 5, field);
        range(d.month, 0, 12, field);
        range(d.day, 0, 31, field);
    }
    void date(const CalendarDateBytes& d, std::string_view field) {
        range(d.month, 0, 12, field);
        range(d.day, 0, 31, field);
    }
    void family(const FamilyEntry& f) {
        text(f.furigana, "家族のフリガナ");
        text(f.name, "家族の氏名");
        range(f.relationship, 0, kRelationFosterChild, "家族の続柄");
        range(f.nonResidentReason, 0, kNonResidentNoReason, "家族の非居住の理由");
        range(f.myNumber, 0, 999'999'999'999LL, "家族の個人番号");
        mark(f.nonResident, "家族の非居住者");
        date(f.birth, "家族の生年月日");
    }
    const std::string& problem() const { return problem_; }

  private:
    void note(std::string_view field) { problem_ = place_ + std::string(field); }
    std::string place_;
    std::string problem_;
};

}  // namespace

std::string withholdingRecordProblem(const WithholdingRecord& r, int slot) {
    Checker c(slot);
    c.text(r.postalCode, "郵便番号");
    c.text(r.address1, "住所１");
    c.text(r.address2, "住所２");
    c.text(r.recipientNumber, "受給者番号");
    c.text(r.position, "役職名");
    c.text(r.furigana, "フリガナ");
    for (const PStr<85>& line : r.remarks) c.text(line, "摘要");
    for (const PStr<16>& n : r.moreDependantNumbers) c.text(n, "扶養親族の個人番号");
    for (const PStr<16>& n : r.moreUnder16Numbers) c.text(n, "16歳未満の個人番号");
    c.text(r.leaverRecordId, "退職者の番号");

    c.range(r.adjustStatus, kNotProcessed, kNotAdjusted, "年調の状態");
    c.range(r.leaveException, kLeaveNoException, kLeavePartTimer, "年調する理由");
    for (const std::uint8_t flag :
         {r.spouseDeductible, r.spouseSecondary, r.spouseElderly, r.incomeEstimateEntered,
          r.singleParent, r.figuresStored, r.flatCutSpouseNotDeductible, r.typedCountsKept,
          r.joinLeaveBirth.joined, r.joinLeaveBirth.left}) {
        c.mark(flag, "区分");
    }
    const auto* personFlags = reinterpret_cast<const std::uint8_t*>(&r.flags);
    for (std::size_t i = 0; i < sizeof r.flags; ++i) c.mark(personFlags[i], "本人の区分");
    for (const std::uint8_t flag : r.manualFlags) c.mark(flag, "手入力の印");
    for (const std::uint8_t n :
         {r.dependants.specific, r.dependants.specificSecondary, r.dependants.elderlyLivingTogether,
          r.dependants.elderly, r.dependants.elderlySecondary, r.dependants.general,
          r.dependants.generalSecondary, r.under16, r.disabled.specialLivingTogether,
          r.disabled.special, r.disabled.other, r.nonResidentRelatives}) {
        c.count(n, "人数");
    }
    for (int i = 0; i < 2; ++i) {
        c.range(r.housingLoanKind[i], 0, 4, "住宅借入金の区分");
        c.mark(r.housingLoanSpecific[i], "特定取得");
        c.date(r.residenceStart[i], "居住開始年月日");
        c.amount(r.housingLoanBalance[i], "住宅借入金等年末残高");
    }
    c.date(r.joinLeaveBirth.birth, "生年月日");
    c.range(r.joinLeaveBirth.changeMonth, 0, 12, "就職・退職の月");
    c.range(r.joinLeaveBirth.changeDay, 0, 31, "就職・退職の日");
    c.family(r.spouse);
    for (const FamilyEntry& f : r.dependantEntries) c.family(f);
    for (const FamilyEntry& f : r.under16Entries) c.family(f);
    for (const std::int32_t value : {r.paid,
                                     r.withheld,
                                     r.incomeAfterDeduction,
                                     r.totalDeductions,
                                     r.annualTax,
                                     r.spouseSpecial,
                                     r.socialInsurance,
                                     r.lifeInsurance,
                                     r.earthquakeInsurance,
                                     r.housingLoanCredit,
                                     r.lifeNew,
                                     r.lifeOld,
                                     r.medicalCare,
                                     r.pensionNew,
                                     r.pensionOld,
                                     r.housingLoanCount,
                                     r.housingLoanAvailable,
                                     r.spouseIncome,
                                     r.nationalPension,
                                     r.oldLongTermInsurance,
                                     r.smallBusinessMutualAid,
                                     r.incomeEstimate,
                                     r.spouseAmountGiven,
                                     r.housingLoanUsed,
                                     r.flatCutApplied,
                                     r.flatCutNotApplied,
                                     r.otherDeclaredSocial,
                                     r.earthquakePremium}) {
        c.amount(value, "金額");
    }
    for (const std::int32_t value : r.specificRelativeIncome) c.amount(value, "特定親族の所得");
    return c.problem();
}

}  // namespace keiro::withholding
