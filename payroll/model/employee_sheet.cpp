#include "payroll/model/employee_sheet.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "calc/payroll_tables.h"
#include "calc/period_calc.h"
#include "calc/rounding.h"
#include "calc/social_days.h"
#include "core/era.h"
#include "core/period_check.h"
#include "core/text.h"
#include "core/yearfile.h"
#include "payroll/model/grid_rows.h"

namespace keiro::payroll {
namespace {

// AttendanceRecord::item numbers.
constexpr int kPaidLeaveDaysItem = 3;
constexpr int kPaidLeaveBalanceItem = 15;

// Record numbers of the totals the layouts may show.
constexpr int kPayTaxableTotal = 18;
constexpr int kPayTotal = 19;
constexpr int kDeductionSocialInsTotal = 6;
constexpr int kDeductionAfterSocialIns = 7;
constexpr int kDeductionTotal = 16;
constexpr int kPayOther1 = 20;

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

bool isTotal(const ItemId& source) {
    switch (source.kind) {
        case ItemId::Kind::Payment:
            return source.number == kPayTaxableTotal || source.number == kPayTotal;
        case ItemId::Kind::Deduction:
            return source.number == kDeductionSocialInsTotal ||
                   source.number == kDeductionAfterSocialIns || source.number == kDeductionTotal;
        default:
            return false;
    }
}

// The hand-entry flags the window switches: payments 基本給 (賞与) 1, 役職手当 (役員報酬) 2,
// 家族手当 3, 固定手当１..３ 4..6, the four overtime payments 7..10, the two commuting
// allowances 11, 12, 欠勤控除 16, 遅刻早退控除 17; deductions: the five premiums 1..5, 所得税 8,
// 住民税 9, 固定控除１..３ 10..12, 子ども・子育て支援金 21.  Each is the flag of the amount the
// item stores.
int manualFlagOf(const ItemId& source) {
    const int n = source.number;
    switch (source.kind) {
        case ItemId::Kind::Payment:
            return n <= 12 || n == 16 || n == 17 ? n : 0;
        case ItemId::Kind::Deduction:
            return n <= 5 || (n >= 8 && n <= 12) || n == DeductionRecord::kSupportItem ? n : 0;
        default:
            return 0;
    }
}

bool isBlank(std::string_view code) {
    return code.empty() || code == kBlankItemCode;
}

std::array<std::vector<SheetRow>, kBandCount> buildRows(const PrintTables& tables,
                                                        const ItemNames& names) {
    std::array<std::vector<SheetRow>, kBandCount> bands;
    for (int b = 0; b < kBandCount; ++b) {
        const Band band = static_cast<Band>(b);
        for (int position = 0; position < kBandRows[b]; ++position) {
            SheetRow row;
            std::string_view code;
            for (int payForm = 1; payForm <= kPayFormCount; ++payForm) {
                const std::vector<std::string>& codes = tables.rows(payForm, band);
                if (position >= static_cast<int>(codes.size()) || isBlank(codes[position])) {
                    continue;
                }
                row.used[payForm - 1] = true;
                if (code.empty()) code = codes[position];
            }
            row.item = describeLayoutItem(names, tables.kind, band, position, code);
            if (!code.empty()) {
                row.kind = isVariableCode(code)       ? SheetRowKind::Variable
                           : isTotal(row.item.source) ? SheetRowKind::Total
                                                      : SheetRowKind::Automatic;
                row.manualFlag = manualFlagOf(row.item.source);
            }
            bands[b].push_back(std::move(row));
        }
    }
    return bands;
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string();
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The text with every character that has no code page 932 form taken out.
std::string encodableOnly(std::string_view utf8) {
    std::string kept;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::string_view one = utf8.substr(i, length);
        if (text::firstUnencodable(one) == 0) kept += one;
        i += length;
    }
    return kept;
}

std::vector<std::string> splitLines(std::string_view utf8) {
    std::vector<std::string> lines(1);
    for (const char c : utf8) {
        if (c == '\n') {
            lines.emplace_back();
        } else if (c != '\r') {
            lines.back() += c;
        }
    }
    return lines;
}

}  // namespace

// --- remarks -------------------------------------------------------------------------------------

bool memoFits(std::string_view utf8) {
    const auto breaks = static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '\n'));
    if (breaks >= static_cast<std::size_t>(kMemoMaxLines)) return false;
    // Damaged bytes of the record read as U+FFFD; remarks holding them can still be edited.
    std::string checked(utf8);
    for (std::size_t at; (at = checked.find(kReplacementCharacter)) != std::string::npos;) {
        checked.erase(at, kReplacementCharacter.size());
    }
    if (text::firstUnencodable(checked) != 0) return false;
    return text::cp932Width(utf8) + breaks <= kMemoMaxBytes;  // LF is stored as CR LF
}

std::string memoText(const EmployeeRecord& employee) {
    const std::vector<std::string> lines = splitLines(employee.remarks.utf8());
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += '\n';
        out += lines[i];
    }
    return out;
}

void storeMemo(EmployeeRecord& employee, std::string_view utf8) {
    std::vector<std::string> lines = splitLines(utf8);
    if (lines.size() > static_cast<std::size_t>(kMemoMaxLines)) lines.resize(kMemoMaxLines);
    std::string cp932;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) cp932 += kLineBreak;
        cp932 += text::toCp932(encodableOnly(lines[i]));
    }
    std::string_view cut = text::truncateBytes(cp932, kMemoMaxBytes);
    if (!cut.empty() && cut.back() == '\r') cut.remove_suffix(1);  // never half a line break
    employee.remarks.assignBytes(cut);
    employee.remarks.clearTail();
}

// --- the sheet -----------------------------------------------------------------------------------

EmployeeSheet::EmployeeSheet(YearData& year, const PrintTables& tables,
                             const calc::CalcContext& ctx)
    : EmployeeSheet(year, tables, ctx, calc::loadPeriodInputs(year)) {}

EmployeeSheet::EmployeeSheet(YearData& year, const PrintTables& tables,
                             const calc::CalcContext& ctx, calc::PeriodInputs inputs)
    : year_(year),
      ctx_(ctx),
      inputs_(std::move(inputs)),
      bonus_(isBonusPeriod(year.period())),
      rows_(buildRows(tables, ctx.settings.itemNames)),
      subscription_(
          year.document().subscribe([this](const PeriodChange& change) { showChange(change); })) {}

void EmployeeSheet::show(int slot) {
    if (slot < 1 || slot > kMaxEmployees) {
        throw std::out_of_range("slot " + std::to_string(slot) + " is not 1..100");
    }
    slot_ = slot;
    items_ = calc::formItems(ctx_.active, payForm(), bonus_);
}

int EmployeeSheet::payForm() const {
    return employee().payForm;
}

const EmployeeRecord& EmployeeSheet::employee() const {
    return year_.block().employee(slot_);
}

const PaymentRecord& EmployeeSheet::payment() const {
    return year_.block().payments[slot_ - 1];
}

const DeductionRecord& EmployeeSheet::deduction() const {
    return year_.block().deductions[slot_ - 1];
}

std::string EmployeeSheet::title() const {
    return std::string(kSheetCaption) + " 【" + employee().name.utf8() + "】";
}

const SheetRow& EmployeeSheet::row(Band band, int position) const {
    return rows_[static_cast<int>(band)].at(static_cast<std::size_t>(position));
}

int EmployeeSheet::rowCount(Band band) const {
    return static_cast<int>(rows_[static_cast<int>(band)].size());
}

std::string EmployeeSheet::caption(Band band, int position) const {
    if (state(band, position) == BoxState::Hidden) return std::string();
    const std::string& label = row(band, position).item.label;
    if (bonus_ || band != Band::Pay) return label;
    return std::string(payRowCaption(label, payForm()));
}

bool EmployeeSheet::isManual(const SheetRow& r) const {
    if (!r.switchable()) return false;
    return r.item.source.kind == ItemId::Kind::Payment ? payment().isManual(r.manualFlag)
                                                       : deduction().isManual(r.manualFlag);
}

BoxState EmployeeSheet::state(Band band, int position) const {
    const SheetRow& r = row(band, position);
    const int form = payForm();
    if (r.kind == SheetRowKind::Blank || form < 1 || form > kPayFormCount || !r.used[form - 1]) {
        return BoxState::Hidden;
    }
    switch (r.kind) {
        case SheetRowKind::Variable:
            return BoxState::Editable;
        case SheetRowKind::Automatic:
            return isManual(r) ? BoxState::HandEntered : BoxState::ReadOnly;
        default:
            return BoxState::ReadOnly;
    }
}

std::string EmployeeSheet::text(Band band, int position) const {
    if (state(band, position) == BoxState::Hidden) return std::string();
    return trimmed(
        storedText(row(band, position).item, year_.block(), slot_, ctx_.settings.timeStyle));
}

EntryCheck EmployeeSheet::check(Band band, int position, std::string_view typed) const {
    EntryCheck result = checkCellEntry(row(band, position).item, typed, ctx_.settings.timeStyle);
    result.text = trimmed(result.text);
    return result;
}

bool EmployeeSheet::enter(Band band, int position, std::string_view typed) {
    const BoxState boxState = state(band, position);
    if (boxState != BoxState::Editable && boxState != BoxState::HandEntered) return false;
    if (trimmed(typed) == text(band, position)) return false;
    const ItemId& item = row(band, position).item.source;
    if (item.kind == ItemId::Kind::None) return false;
    const double value = parseNumber(typed).value;
    store(item, item.isAmount() ? static_cast<double>(calc::TruncYen(value)) : value);
    return true;
}

void EmployeeSheet::store(const ItemId& item, double value) {
    storing_ = true;
    year_.document().setValue(employeeId(), item, value);
    storing_ = false;
}

EmployeeId EmployeeSheet::employeeId() const {
    return year_.document().idAt(slot_);
}

void EmployeeSheet::showChange(const PeriodChange& change) {
    if (storing_ || change.employee != employeeId() || !changedElsewhere_) return;
    changedElsewhere_();
}

bool EmployeeSheet::isPaidLeaveDays(Band band, int position) const {
    return row(band, position).item.source == ItemId{ItemId::Kind::Attendance, kPaidLeaveDaysItem};
}

bool EmployeeSheet::carryPaidLeave() {
    const EmployeeId id = employeeId();
    if (id.empty()) return false;
    const std::optional<double> previous = year_.document().previousPaidLeaveBalance(id);
    if (!previous) return false;
    const AttendanceRecord& a = year_.block().attendance[slot_ - 1];
    store(ItemId::attendance(kPaidLeaveBalanceItem), *previous - a.item(kPaidLeaveDaysItem));
    return true;
}

bool EmployeeSheet::recalculate() {
    if (bonus_) return calc::ComputeBonus(year_, slot_, ctx_, inputs_, items_);
    calc::ComputeMonth(year_, slot_, ctx_, items_);
    return true;
}

bool EmployeeSheet::toggleManual(Band band, int position) {
    const SheetRow& r = row(band, position);
    if (!r.switchable() || state(band, position) == BoxState::Hidden) return false;
    const EmployeeId id = employeeId();
    EmployeeRows rows = year_.document().rows(id);
    std::uint8_t& flag = r.item.source.kind == ItemId::Kind::Payment
                             ? rows.payment.manualFlags[r.manualFlag - 1]
                             : rows.deduction.manualFlags[r.manualFlag - 1];
    flag = flag == 1 ? 0 : 1;
    storing_ = true;
    year_.document().setRows(id, rows);
    storing_ = false;
    return true;
}

std::string EmployeeSheet::monthlyTableNotice() const {
    return calc::monthlyTableNotice(year_, std::span<const int>(&slot_, 1));
}

SheetTotals EmployeeSheet::totals() const {
    SheetTotals t;
    t.pay = payment().payTotal;
    t.deduction = deduction().deductionTotal;
    for (int i = 0; i < 3; ++i) {
        if (items_.other[i]) t.other += payment().amount(kPayOther1 + i);
    }
    t.net = calc::netPay(payment(), deduction(), items_.other);
    return t;
}

const AttendanceRecord& EmployeeSheet::attendance() const {
    return year_.block().attendance[slot_ - 1];
}

int EmployeeSheet::uncorrectedPayBasisDays() const {
    // Monthly pay of the month of a hire covers the days from the 資格取得日, as in the 算定.
    const int calendarDays = calc::calendarDaysFrom(calc::fileCalendarYearOf(year_), year_.period(),
                                                    employee().social.insuredSince);
    return calc::uncorrectedMonthDays(employee(), attendance(), payment().absenceDeduction != 0,
                                      deduction().socialInsBase, calendarDays);
}

std::string payFactsProblem(const PayFacts& f, int payYearMonth, bool bonus) {
    const auto amountOk = [](std::int64_t yen) { return yen >= 0 && yen <= kMaxStoredAmount; };
    if (!amountOk(f.backPay) || !amountOk(f.leavePay) || !amountOk(f.revisionAdjustedAverage)) {
        return "金額は0〜999,999,999円で入力してください。";
    }
    if (f.leaveKind > 2 || (bonus && f.leaveKind == 1)) return "休職の区分が正しくありません。";
    if (f.backPay == 0) return {};
    const auto valid = [](int ym) { return ym % 100 >= 1 && ym % 100 <= 12; };
    if (!valid(f.backPayFirstMonth) || !valid(f.backPayLastMonth)) {
        return "遡及支払額の対象月を入力してください。";
    }
    if (f.backPayFirstMonth > f.backPayLastMonth) {
        return "遡及支払額の対象月は、始めの月が終わりの月より後にならないようにしてください。";
    }
    if (f.backPayLastMonth > payYearMonth) {
        return "遡及支払額の対象月は、この支給の月（" + std::to_string(payYearMonth / 100) + "年" +
               std::to_string(payYearMonth % 100) + "月）までにしてください。";
    }
    return {};
}

PayFacts EmployeeSheet::payFacts() const {
    const PaymentRecord& p = payment();
    return {p.backPay,   p.backPayFirstMonth, p.backPayLastMonth,
            p.leaveKind, p.leavePay,          p.revisionAdjustedAverage};
}

int EmployeeSheet::payYearMonth() const {
    const int calendarYear =
        calendarYearOf(EraYear{year_.eraName(), year_.eraYear()}, year_.eraNames());
    const int period = year_.period();
    int month = isBonus() ? year_.header().bonusPayMonth[period - kFirstBonusPeriod]
                          : period + (year_.block().settings.payNextMonth == 1 ? 1 : 0);
    const int yearOfPay = month > 12 ? calendarYear + 1 : calendarYear;
    if (month > 12) month -= 12;
    return yearOfPay * 100 + month;
}

bool EmployeeSheet::setPayFacts(const PayFacts& facts) {
    if (const std::string problem = payFactsProblem(facts, payYearMonth(), isBonus());
        !problem.empty()) {
        throw std::invalid_argument(problem);
    }
    if (facts == payFacts()) return false;
    EmployeeRows rows = year_.document().rows(employeeId());
    PaymentRecord& p = rows.payment;
    p.backPay = facts.backPay;
    // Months only with an amount: no back-pay, nothing it belongs to.
    p.backPayFirstMonth = facts.backPay > 0 ? facts.backPayFirstMonth : 0;
    p.backPayLastMonth = facts.backPay > 0 ? facts.backPayLastMonth : 0;
    p.leaveKind = facts.leaveKind;
    p.leavePay = facts.leaveKind != 0 ? facts.leavePay : 0;
    p.revisionAdjustedAverage = isBonus() ? 0 : facts.revisionAdjustedAverage;
    storing_ = true;
    const bool changed = year_.document().setRows(employeeId(), rows);
    storing_ = false;
    return changed;
}

bool EmployeeSheet::setPayBasisDays(std::optional<int> days) {
    storing_ = true;
    const bool changed = calc::setPayBasisDays(year_.document(), employeeId(), days);
    storing_ = false;
    return changed;
}

void EmployeeSheet::setMemo(std::string_view utf8) {
    if (utf8 == memo()) return;  // remarks not edited keep their bytes
    EmployeeRecord record = employee();
    storeMemo(record, utf8);
    storing_ = true;
    year_.document().setEmployee(employeeId(), record);
    storing_ = false;
}

int EmployeeSheet::neighbour(int direction) const {
    const int step = direction < 0 ? -1 : 1;
    for (int s = slot_ + step; s >= 1 && s <= kMaxEmployees; s += step) {
        const EmployeeRecord& e = year_.block().employee(s);
        if (e.isUsed() && isActiveEmployee(e)) return s;
    }
    return 0;
}

}  // namespace keiro::payroll
