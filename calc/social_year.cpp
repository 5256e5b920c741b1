#include "calc/social_year.h"

#include <algorithm>
#include <stdexcept>

#include "calc/insurance_ages.h"
#include "calc/social_days.h"
#include "core/era.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

constexpr int kYmd = 10'000;

std::string nameOf(const EmployeeRecord& e) {
    return e.name.utf8();
}

// The month of `file` a pay at `period` falls in (13 for December paid in January).
int payMonthOf(const YearView& file, int period) {
    return period + (file.block(period).settings.payNextMonth == 1 ? 1 : 0);
}

// A month of 休職 or 産休・育休: marked on the pay, or the employee is 休職 in the period.
bool isLeaveMonth(const EmployeeRecord& e, const PaymentRecord& pay) {
    constexpr std::uint8_t kOnLeave = 2;
    return pay.leaveKind != 0 || e.workStatus == kOnLeave;
}

int addMonths(int yearMonth, int n) {
    const int index = yearMonth / 100 * 12 + yearMonth % 100 - 1 + n;
    return index / 12 * 100 + index % 12 + 1;
}

// A saved salary period and the calendar year of its file.
struct PaidPeriod {
    const PeriodBlock* block = nullptr;
    int fileYear = 0;
    int period = 0;
};

// The saved salary period paid in month `yearMonth` (yyyymm): in the year's file, or in the one
// before or after it when they are there.
std::optional<PaidPeriod> paidIn(const SocialYear& y, int yearMonth) {
    const struct {
        const YearView* file;
        int year;
    } files[] = {
        {y.previous, y.calendarYear - 1}, {&y.file, y.calendarYear}, {y.next, y.calendarYear + 1}};
    for (const auto& [file, year] : files) {
        if (file == nullptr) continue;
        const int month = (yearMonth / 100 - year) * 12 + yearMonth % 100;  // 13: January after
        if (month < 1 || month > 13) continue;
        for (int p = 1; p <= 12; ++p) {
            if (file->isSaved(p) && payMonthOf(*file, p) == month) {
                return PaidPeriod{&file->block(p), year, p};
            }
        }
    }
    return std::nullopt;
}

// The pay of month `yearMonth` (yyyymm) of one employee (record id) as the decisions see it.
SanteiMonth monthOf(const SocialYear& y, int yearMonth, std::string_view recordId) {
    SanteiMonth m;
    m.month = yearMonth % 100;
    const std::optional<PaidPeriod> paid = paidIn(y, yearMonth);
    if (!paid) return m;
    const PeriodBlock& block = *paid->block;
    const int i = slotOf(block, recordId);
    if (i < 0) return m;
    const EmployeeRecord& e = block.employees[i];
    const int since = e.social.insuredSince;
    const int monthStart = paid->fileYear * kYmd + paid->period * 100 + 1;
    const int monthEnd = monthStart + 30;
    if (since > monthEnd) return m;  // not yet insured for this pay
    m.paid = true;
    m.pay = block.deductions[i].socialInsBase;
    m.partial = since > monthStart && since <= monthEnd;
    // Monthly pay of the month of a hire covers the days from the 資格取得日 to the end of the
    // pay period.  A month that paid nothing never counts, and with no month counted the
    // previous standard continues.
    const PaymentRecord& pay = block.payments[i];
    const int calendarDays = calendarDaysFrom(paid->fileYear, paid->period, since);
    m.days =
        monthPayBasisDays(e, block.attendance[i], pay.absenceDeduction != 0, m.pay, calendarDays);
    m.backPay = pay.backPay;
    m.backPayFirstMonth = pay.backPayFirstMonth;
    m.backPayLastMonth = pay.backPayLastMonth;
    m.leave = isLeaveMonth(e, pay);
    // A month of leave paid with a full month's 休職給 counts all its days; unpaid leave days
    // never count.
    if (m.leave && pay.leavePay > 0) m.days = calendarDays;
    return m;
}

// The fixed pay of month `yearMonth` (yyyymm), when the employee was paid then and not on
// leave.
std::optional<std::int64_t> fixedPayIn(const SocialYear& y, int yearMonth,
                                       std::string_view recordId) {
    const std::optional<PaidPeriod> paid = paidIn(y, yearMonth);
    if (!paid) return std::nullopt;
    const PeriodBlock& block = *paid->block;
    const int i = slotOf(block, recordId);
    if (i < 0 || isLeaveMonth(block.employees[i], block.payments[i])) return std::nullopt;
    return fixedPayOf(block.employees[i], block.payments[i], y.fixedPayFlags);
}

// The direction of a change of fixed pay first paid in `yearMonth` (+1, −1), 0 when there is
// none or either month was one of leave: pay reduced to a 休職給, or a commuting allowance
// stopped while there is no commuting, is not a change of fixed pay, nor is its return.
int fixedPayChangeIn(const SocialYear& y, int yearMonth, std::string_view recordId) {
    const std::optional<std::int64_t> was = fixedPayIn(y, addMonths(yearMonth, -1), recordId);
    const std::optional<std::int64_t> now = fixedPayIn(y, yearMonth, recordId);
    if (!was || !now || *was == *now) return 0;
    return *now > *was ? 1 : -1;
}

// Reported to the pension office: insured in health or pension, or a 70歳以上被用者.
bool reportedForSocial(const EmployeeRecord& e, CalendarMonth month) {
    return e.isUsed() &&
           (e.healthInsured == 1 || e.pensionInsured == 1 || isOver70Employee(e, month));
}

std::int32_t currentRemuneration(const HealthGradeTable& table, const EmployeeRecord& e) {
    if (e.social.decidedRemuneration > 0) return e.social.decidedRemuneration;
    return table.hasGrade(e.insuranceGrade) ? table.standard(e.insuranceGrade) : 0;
}

void addBonuses(const YearView& file, int calendarYear, std::string_view recordId,
                std::vector<BonusPayment>& into) {
    for (int p = kFirstBonusPeriod; p <= kPeriodCount; ++p) {
        const int k = p - kFirstBonusPeriod;
        const int month = file.header().bonusPayMonth[k];
        if (!file.isSaved(p) || month < 1 || month > 12) continue;
        const int i = slotOf(file.block(p), recordId);
        if (i < 0) continue;
        into.push_back({calendarYear * kYmd + month * 100 + file.header().bonusPayDay[k],
                        file.block(p).payments[i].taxablePayTotal});
    }
}

// Bonuses paid four times or more in the twelve months to June are pay, not 賞与: their sum ÷
// 12 (1 yen cut off) belongs to each month of the April-June decision.  0 when paid fewer times.
std::int32_t frequentBonusShare(const SocialYear& y, std::string_view recordId) {
    std::vector<BonusPayment> payments;
    addBonuses(y.file, y.calendarYear, recordId, payments);
    if (y.previous != nullptr) addBonuses(*y.previous, y.calendarYear - 1, recordId, payments);
    const int from = (y.calendarYear - 1) * kYmd + 701;
    const int to = y.calendarYear * kYmd + 630;
    int count = 0;
    std::int64_t sum = 0;
    for (const BonusPayment& b : payments) {
        if (b.date < from || b.date > to || b.paid <= 0) continue;
        ++count;
        sum += b.paid;
    }
    return count >= 4 ? static_cast<std::int32_t>(sum / 12) : 0;
}

std::int64_t labourWage(const PaymentRecord& pay, LabourColumn column) {
    // A director counted as a worker: only the worker's wage (役職手当 / 役員報酬 left out).
    if (column == LabourColumn::WorkingDirector) {
        return static_cast<std::int64_t>(pay.payTotal) - pay.positionAllowanceAmount;
    }
    return pay.payTotal;
}

// The employees of one period in row `row`.  A month counts everyone on the payroll who is a
// worker in it: someone kept on the payroll after leaving (退職) and paid nothing is not; a
// bonus counts only those it paid.
void addLabourBlock(const PeriodBlock& block, int row, bool paidOnly,
                    std::vector<LabourEntry>& entries) {
    constexpr std::uint8_t kLeft = 3;
    for (int i = 0; i < kMaxEmployees; ++i) {
        const EmployeeRecord& e = block.employees[i];
        if (!e.isUsed()) continue;
        const LabourColumn column = labourColumnOf(e);
        if (column == LabourColumn::Outside) continue;
        const std::int64_t wage = labourWage(block.payments[i], column);
        if ((paidOnly || e.workStatus == kLeft) && wage == 0) continue;
        entries.push_back({row, column, e.employmentInsured == 1, wage});
    }
}

}  // namespace

NeighbourYears neighbourYearsOf(const std::filesystem::path& dataFolder, const EraNames& names,
                                int calendarYear) {
    const auto fileOf = [&](int year) {
        return YearView::ifExists(dataFolder / yearFileName(fileEraYearOf(year, names)));
    };
    return {fileOf(calendarYear - 1), fileOf(calendarYear + 1)};
}

std::optional<int> periodPaidIn(const YearView& file, int month) {
    for (int p = 1; p <= 12; ++p) {
        if (file.isSaved(p) && payMonthOf(file, p) == month) return p;
    }
    return std::nullopt;
}

std::int64_t fixedPayOf(const EmployeeRecord& employee, const PaymentRecord& pay,
                        const std::array<bool, kPaymentFixedFlagCount>& flags) {
    std::int64_t total = 0;
    for (int j = 1; j <= kPaymentFixedFlagCount; ++j) {
        if (!flags[static_cast<std::size_t>(j - 1)]) continue;
        if (j == 1 && employee.payForm != 1) {
            total += employee.basePay;  // the unit price
            continue;
        }
        const bool reduction = j >= 16;  // 欠勤控除, 遅刻早退控除
        total += reduction ? -static_cast<std::int64_t>(pay.amount(j)) : pay.amount(j);
    }
    return total;
}

SocialGrades storedGrades(const HealthGradeTable& table, const EmployeeRecord& e) {
    if (!table.hasGrade(e.insuranceGrade)) return {};
    SocialGrades g;
    g.health = e.insuranceGrade;
    g.pension = pensionNumberOf(table, g.health);
    g.healthStandard = table.standard(g.health);
    g.pensionStandard = table.standard(table.pensionGrade(g.health));
    return g;
}

std::vector<SanteiLine> santeiOfYear(const SocialYear& y) {
    // Those insured on 1 July: the employees of the latest period up to June's work.
    std::optional<int> listPeriod;
    for (int p = 6; p >= 3 && !listPeriod; --p) {
        if (y.file.isSaved(p)) listPeriod = p;
    }
    if (!listPeriod) return {};

    std::vector<int> revisedFrom(kMaxEmployees, 0);
    const std::vector<RevisionLine> revisions = revisionsOfYear(y);
    std::vector<SanteiLine> lines;
    const PeriodBlock& block = y.file.block(*listPeriod);
    for (int i = 0; i < kMaxEmployees; ++i) {
        const EmployeeRecord& e = block.employees[i];
        // Health and pension insured alike (a pension-only member of a 国保組合 too), and those
        // of 70 or over reported to the pension office.
        const CalendarMonth july{y.calendarYear, 7};
        if (!reportedForSocial(e, july)) continue;
        SanteiLine line;
        line.over70 = isOver70Employee(e, july);
        line.annualAverage = e.social.annualAverage == 1;
        const int since = e.social.insuredSince;
        if (since >= y.calendarYear * kYmd + 401 && since <= y.calendarYear * kYmd + 630) {
            line.insuredSince = since;
        }
        line.slot = i + 1;
        line.name = nameOf(e);
        line.recordId = std::string(e.recordId.bytes());
        line.rule = dayRuleOf(e.social);
        line.previous = storedGrades(y.grades, e);
        int revisionMonth = 0;
        for (const RevisionLine& r : revisions) {
            if (r.recordId == e.recordId.bytes() && r.appliesFrom / 100 == y.calendarYear) {
                revisionMonth = r.appliesFrom % 100;
            }
        }
        line.excluded = santeiExclusion(true, e.social.insuredSince, e.social.insuredUntil,
                                        y.calendarYear, revisionMonth);
        line.revisionExpected = revisionMonth == 8 || revisionMonth == 9;
        if (line.excluded == SanteiExclusion::None && e.workStatus == 3 &&
            e.social.insuredUntil == 0) {
            line.excluded = SanteiExclusion::LeftByJune;  // retired without a date
        }
        SanteiInput in;
        in.rule = line.rule;
        in.enteredAdjusted = e.social.adjustedAverage;
        line.enteredAdjusted = e.social.adjustedAverage;
        for (int k = 0; k < 3; ++k) {
            in.months[k] = monthOf(y, y.calendarYear * 100 + 4 + k, e.recordId.bytes());
            const std::int64_t before = backPayBefore(in.months[k], y.calendarYear * 100 + 4);
            if (before > 0 && line.backPayMonth == 0) line.backPayMonth = 4 + k;
            in.backPayBeforeApril += static_cast<std::int32_t>(before);
            line.onLeave = line.onLeave || in.months[k].leave;
            if (line.raiseMonth == 0) {
                line.raiseDirection =
                    fixedPayChangeIn(y, y.calendarYear * 100 + 4 + k, e.recordId.bytes());
                if (line.raiseDirection != 0) line.raiseMonth = 4 + k;
            }
        }
        line.backPay = in.backPayBeforeApril;
        line.frequentBonusShare = frequentBonusShare(y, e.recordId.bytes());
        for (SanteiMonth& m : in.months) {
            if (m.paid) m.pay += line.frequentBonusShare;
        }
        line.months = in.months;
        if (line.excluded == SanteiExclusion::None) {
            line.result = decideTeiji(in, y.grades, line.previous);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

namespace {

// The employee as the grade in force just before a revision from the fixed-pay change of pay
// month `change`: from the pay that collects the premium of the month before the new grade's
// (the fourth month's pay), or the latest saved pay before it, so that a decision already
// applied to those months, such as September's, is the one compared with.
const EmployeeRecord& employeeBefore(const SocialYear& y, int change, std::string_view recordId,
                                     const EmployeeRecord& fallback) {
    for (int k = 3; k >= 0; --k) {
        const std::optional<PaidPeriod> paid = paidIn(y, addMonths(change, k));
        if (!paid) continue;
        const int i = slotOf(*paid->block, recordId);
        if (i >= 0) return paid->block->employees[i];
    }
    return fallback;
}

}  // namespace

std::vector<RevisionLine> revisionsOfYear(const SocialYear& y, const GradesFrom& gradesFrom) {
    std::vector<RevisionLine> out;
    // Every month of the year a changed fixed pay may first be paid in; its months before and
    // after may lie in the neighbouring year files.
    for (int change = 1; change <= 12; ++change) {
        const int changeMonth = y.calendarYear * 100 + change;
        const std::optional<PaidPeriod> before = paidIn(y, addMonths(changeMonth, -1));
        const std::optional<PaidPeriod> at = paidIn(y, changeMonth);
        if (!before || !at) continue;
        const PeriodBlock& was = *before->block;
        const PeriodBlock& now = *at->block;
        for (int i = 0; i < kMaxEmployees; ++i) {
            const EmployeeRecord& e = now.employees[i];
            const bool over70 = isOver70Employee(e, {y.calendarYear, change});
            if (!reportedForSocial(e, {y.calendarYear, change})) continue;
            const int w = slotOf(was, e.recordId.bytes());
            if (w < 0) continue;
            const int direction = fixedPayChangeIn(y, changeMonth, e.recordId.bytes());
            if (direction == 0) continue;
            RevisionInput in;
            in.rule = dayRuleOf(e.social);
            in.direction = direction;
            in.enteredAdjusted = now.payments[i].revisionAdjustedAverage;
            const EmployeeRecord& before =
                employeeBefore(y, changeMonth, e.recordId.bytes(), was.employees[w]);
            in.currentRemuneration = currentRemuneration(y.grades, before);
            RevisionLine line;
            for (int k = 0; k < 3; ++k) {
                in.months[k] = monthOf(y, addMonths(changeMonth, k), e.recordId.bytes());
                const std::int64_t before = backPayBefore(in.months[k], changeMonth);
                if (before > 0 && line.backPayMonth == 0) {
                    line.backPayMonth = addMonths(changeMonth, k);
                }
                in.backPayBefore += static_cast<std::int32_t>(before);
            }
            line.backPay = in.backPayBefore;
            line.enteredAdjusted = in.enteredAdjusted;
            line.over70 = over70;
            line.changeMonth = changeMonth;
            line.appliesFrom = revisionAppliesFrom(line.changeMonth);
            line.result = checkRevision(in, gradesFrom ? gradesFrom(line.appliesFrom) : y.grades);
            if (!line.result.any()) continue;
            line.slot = i + 1;
            line.name = nameOf(e);
            line.recordId = std::string(e.recordId.bytes());
            line.direction = in.direction;
            line.months = in.months;
            line.previous = storedGrades(y.grades, before);
            out.push_back(std::move(line));
        }
    }
    return out;
}

std::vector<BonusLine> bonusReportOf(const SocialYear& y, const std::optional<YearView>& previous,
                                     int period) {
    if (period < kFirstBonusPeriod || period > kPeriodCount) {
        throw std::invalid_argument("not a bonus period: " + std::to_string(period));
    }
    const int k = period - kFirstBonusPeriod;
    const int month = y.file.header().bonusPayMonth[k];
    if (!y.file.isSaved(period) || month < 1 || month > 12) {
        throw std::invalid_argument("the bonus was not paid: " + std::to_string(period));
    }
    const int date = y.calendarYear * kYmd + month * 100 + y.file.header().bonusPayDay[k];
    std::vector<BonusLine> lines;
    const PeriodBlock& block = y.file.block(period);
    const CalendarMonth payMonth{y.calendarYear, month};
    for (int i = 0; i < kMaxEmployees; ++i) {
        const EmployeeRecord& e = block.employees[i];
        if (!reportedForSocial(e, payMonth)) continue;
        if (block.payments[i].taxablePayTotal <= 0) continue;
        std::vector<BonusPayment> payments;
        addBonuses(y.file, y.calendarYear, e.recordId.bytes(), payments);
        if (previous) addBonuses(*previous, y.calendarYear - 1, e.recordId.bytes(), payments);
        const auto series = bonusSeries(payments, e.social.carriedBonus, e.social.carriedBonusYear);
        for (const BonusFigures& f : series) {
            if (f.date == date && f.paid == block.payments[i].taxablePayTotal) {
                BonusLine line{i + 1, nameOf(e), f};
                line.over70 = isOver70Employee(e, payMonth);
                const int loss = e.social.insuredUntil;
                constexpr std::uint8_t kExemptLeave = 2;
                line.premiumExempt = (loss != 0 && loss / 100 == y.calendarYear * 100 + month) ||
                                     block.payments[i].leaveKind == kExemptLeave;
                lines.push_back(std::move(line));
                break;
            }
        }
    }
    return lines;
}

LabourTotals labourTotalsOf(const std::optional<YearView>& first,
                            const std::optional<YearView>& second, const LabourRates& rates) {
    std::vector<LabourRow> rows(kLabourMonthRows);
    std::vector<LabourEntry> entries;
    for (int r = 0; r < kLabourMonthRows; ++r) {
        const int month = (r + 3) % 12 + 1;  // April .. March
        const std::optional<YearView>& file = month >= 4 ? first : second;
        rows[static_cast<std::size_t>(r)].label = std::to_string(month) + "月";
        if (!file || !file->isSaved(month)) {
            rows[static_cast<std::size_t>(r)].missing = true;
            continue;
        }
        addLabourBlock(file->block(month), r, false, entries);
    }
    for (const std::optional<YearView>* file : {&first, &second}) {
        if (!*file) continue;
        for (int p = kFirstBonusPeriod; p <= kPeriodCount; ++p) {
            const int month = (*file)->header().bonusPayMonth[p - kFirstBonusPeriod];
            const bool inYear =
                file == &first ? month >= 4 && month <= 12 : month >= 1 && month <= 3;
            if (!(*file)->isSaved(p) || !inYear) continue;
            const int row = static_cast<int>(rows.size());
            rows.push_back({});
            rows.back().label = "賞与 " + std::to_string(month) + "月";
            addLabourBlock((*file)->block(p), row, true, entries);
        }
    }
    return summarizeLabour(std::move(rows), entries, rates);
}

std::optional<LabourRates> labourRatesOf(int fiscalYear, const Settings& settings) {
    const std::optional<int> employment =
        employmentRateOf(fiscalYear, static_cast<LabourBusiness>(settings.employmentBusiness));
    if (!employment) return std::nullopt;
    return LabourRates{settings.accidentRateTenthsPerMille * 10, *employment, kAsbestosLevyRate};
}

LabourTotals labourTotalsOfFiscalYear(const std::filesystem::path& dataFolder,
                                      const EraNames& names, int fiscalYear,
                                      const LabourRates& rates) {
    const auto fileOf = [&](int calendarYear) {
        return YearView::ifExists(dataFolder / yearFileName(fileEraYearOf(calendarYear, names)));
    };
    return labourTotalsOf(fileOf(fiscalYear), fileOf(fiscalYear + 1), rates);
}

LabourRenewal labourRenewalOf(const std::filesystem::path& dataFolder, const EraNames& names,
                              int fiscalYear, const Settings& settings, const LabourRates& rates,
                              const LabourRenewalInputs& inputs) {
    LabourRenewal r;
    r.confirmed = labourTotalsOfFiscalYear(dataFolder, names, fiscalYear, rates);
    r.paidEstimate = inputs.paidEstimate;
    if (!r.paidEstimate) {
        const LabourTotals before =
            labourTotalsOfFiscalYear(dataFolder, names, fiscalYear - 1, rates);
        if (before.missingMonths.empty()) {
            r.paidEstimate =
                estimateLabour(before.accidentBase, before.employmentBase, rates).total();
        }
    }
    r.nextRates = labourRatesOf(fiscalYear + 1, settings);
    if (r.nextRates) {
        r.nextEstimate =
            estimateLabour(r.confirmed.accidentBase, r.confirmed.employmentBase, *r.nextRates,
                           inputs.expectedAccident, inputs.expectedEmployment);
    }
    if (r.paidEstimate) {
        r.settlement = settleLabour(r.confirmed.accidentPremium + r.confirmed.employmentPremium,
                                    *r.paidEstimate, r.nextEstimate ? r.nextEstimate->total() : 0,
                                    r.confirmed.levy);
    }
    return r;
}

}  // namespace keiro::calc
