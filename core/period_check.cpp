#include "core/period_check.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "core/errors.h"

namespace keiro {
namespace {

// Collects the first problem; later checks are skipped once one is found.
class Checker {
  public:
    explicit Checker(std::string place) : place_(std::move(place)) {}

    void range(long long value, long long low, long long high, std::string_view field) {
        if (problem_.empty() && (value < low || value > high)) note(field);
    }
    void amount(std::int32_t value, std::string_view field) {
        range(value, -kMaxStoredAmount, kMaxStoredAmount, field);
    }
    void figure(double value, std::string_view field) {
        if (problem_.empty() &&
            (!std::isfinite(value) || std::fabs(value) > static_cast<double>(kMaxStoredAmount))) {
            note(field);
        }
    }
    void percent(double value, std::string_view field) {
        if (problem_.empty() && !(value >= 0.0 && value <= 100.0)) note(field);  // NaN too
    }
    void mark(std::uint8_t value, std::string_view field) { range(value, 0, 1, field); }
    const std::string& problem() const { return problem_; }

  private:
    void note(std::string_view field) { problem_ = place_ + ": " + std::string(field); }
    std::string place_;
    std::string problem_;
};

void checkSettings(const PeriodSettings& s, Checker& c) {
    c.mark(s.generalBusiness, "一般事業所");
    c.range(s.payDay, 0, 31, "支給日");
    c.range(s.scheduledDays, 0, 31, "所定労働日数");
    c.figure(s.scheduledHours, "所定労働時間");
    c.figure(s.hoursPerDay, "1日の労働時間");
    for (double rate : {s.employmentInsRate, s.healthInsRate, s.nursingInsRate, s.pensionRate,
                        s.pensionFundRate, s.supportRate}) {
        c.percent(rate, "保険料率");
    }
}

void checkEmployee(const EmployeeRecord& e, Checker& c) {
    c.range(e.birthEra, 0, 5, "生年月日(元号)");
    c.range(e.birthMonth, 0, 12, "生年月日(月)");
    c.range(e.birthDay, 0, 31, "生年月日(日)");
    c.range(e.category, 0, 5, "区分");
    c.range(e.payForm, 0, 3, "給与形態");  // 0: not chosen yet
    c.range(e.workStatus, 0, 3, "在職区分");
    c.mark(e.taxColumn, "税額表の欄");
    c.range(e.dependents, 0, 99, "扶養人数");
    c.range(e.dependentRelatives, 0, 99, "扶養親族等");
    for (std::int32_t value : {e.basePay,
                               e.overtimeRate,
                               e.lateNightRate,
                               e.holidayOvertimeRate,
                               e.holidayLateNightRate,
                               e.commuteNonTaxable,
                               e.commuteTaxable,
                               e.residentTaxJune,
                               e.residentTax,
                               e.positionAllowance,
                               e.familyAllowance,
                               e.fixedAllowance1,
                               e.fixedAllowance2,
                               e.fixedAllowance3,
                               e.fixedDeduction1,
                               e.fixedDeduction2,
                               e.fixedDeduction3,
                               e.paidLeavePay,
                               e.absenceDeductionRate,
                               e.lateDeductionRate,
                               e.healthInsPremium,
                               e.nursingInsPremium,
                               e.pensionPremium,
                               e.pensionFundPremium,
                               e.transferFee,
                               e.supportPremium}) {
        c.amount(value, "従業員の金額");
    }
    for (std::uint8_t flag : {e.employmentInsured, e.healthInsured, e.nursingInsured,
                              e.pensionInsured, e.pensionFundMember}) {
        c.mark(flag, "保険の加入");
    }
    c.mark(e.social.over70Employee, "70歳以上被用者");
    c.mark(e.social.annualAverage, "年間平均");
    c.range(e.accountType, 0, 2, "預金種目");
    c.range(e.myNumber, 0, 999'999'999'999LL, "個人番号");
}

template <typename Record>
void checkAmounts(const Record& record, Checker& c, std::string_view field) {
    for (int j = 1; j <= Record::kAmountCount; ++j) c.amount(record.amount(j), field);
    for (std::uint8_t flag : record.manualFlags) c.mark(flag, "手入力の印");
}

// A month as yyyymm, or 0 for none.
void yearMonth(Checker& c, std::int32_t value, std::string_view field) {
    if (value == 0) return;
    c.range(value, 190'001, 999'912, field);
    c.range(value % 100, 1, 12, field);
}

void checkSocialFacts(const PaymentRecord& p, Checker& c) {
    c.amount(p.backPay, "遡及支払額");
    yearMonth(c, p.backPayFirstMonth, "遡及支払額の月");
    yearMonth(c, p.backPayLastMonth, "遡及支払額の月");
    c.range(p.leaveKind, 0, 2, "休職の印");
    c.range(p.leavePay, 0, kMaxStoredAmount, "休職給");
    c.range(p.revisionAdjustedAverage, 0, kMaxStoredAmount, "修正平均額");
}

}  // namespace

std::string periodLabel(int period) {
    return isBonusPeriod(period) ? "賞与" + std::to_string(period - kFirstBonusPeriod + 1)
                                 : std::to_string(period) + "月";
}

std::string headerProblem(const YearFileHeader& header) {
    Checker c("ヘッダー");
    for (std::uint8_t saved : header.periodSaved) c.mark(saved, "保存済みの印");
    for (int i = 0; i < 3; ++i) {
        c.range(header.bonusPayMonth[i], 0, 12, "賞与の支給月");
        c.range(header.bonusPayDay[i], 0, 31, "賞与の支給日");
    }
    return c.problem();
}

std::string periodProblem(const PeriodBlock& block) {
    Checker settings("会社設定");
    checkSettings(block.settings, settings);
    if (!settings.problem().empty()) return settings.problem();
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const int i = slot - 1;
        if (!block.employees[i].isUsed()) continue;
        Checker c("従業員欄 " + std::to_string(slot));
        checkEmployee(block.employees[i], c);
        for (int j = 1; j <= 15; ++j) c.figure(block.attendance[i].item(j), "勤怠");
        checkAmounts(block.payments[i], c, "支給額");
        checkSocialFacts(block.payments[i], c);
        checkAmounts(block.deductions[i], c, "控除額");
        if (!c.problem().empty()) return c.problem();
    }
    return {};
}

void requireSoundHeader(const std::filesystem::path& path, const YearFileHeader& header) {
    if (const std::string problem = headerProblem(header); !problem.empty()) {
        throw IoError(path, "読み込み", "データが壊れています（" + problem + "）。");
    }
}

void requireSoundPeriod(const std::filesystem::path& path, int period, const PeriodBlock& block) {
    if (const std::string problem = periodProblem(block); !problem.empty()) {
        throw IoError(path, "読み込み",
                      periodLabel(period) + "のデータが壊れています（" + problem + "）。");
    }
}

}  // namespace keiro
