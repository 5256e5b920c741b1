#include "print/zengin_file.h"

#include <algorithm>

#include "core/employee_transfer.h"
#include "core/entry.h"
#include "core/fileio.h"
#include "core/pay_day.h"
#include "core/zengin_text.h"
#include "print/money_selection.h"
#include "print/pictures.h"

namespace keiro::print {
namespace {

constexpr std::string_view kRecordEnd = "\r\n";
constexpr std::uint8_t kSavingsAccount = 2;  // 貯蓄: the file has no code for it

// A number item: right-aligned, zero-filled.
std::string number(long long value, std::size_t width) {
    std::string digits = std::to_string(value);
    return std::string(width - std::min(width, digits.size()), '0') + digits;
}

// A number item from digits that are already text.
std::string digitsItem(std::string_view digits, std::size_t width) {
    return std::string(width - std::min(width, digits.size()), '0') +
           std::string(digits.substr(0, width));
}

// A text item: left-aligned, space-filled, cut without parting a kana from its mark.
std::string textItem(std::string_view bytes, std::size_t width) {
    const std::string_view cut = cutZenginText(bytes, width);
    return std::string(cut) + std::string(width - cut.size(), ' ');
}

// An optional bank or branch name: written when it is in the file's characters, else blank.
std::string shopName(std::string_view utf8, std::size_t width) {
    const ZenginText text = toZenginText(utf8, ZenginClass::Shop);
    return textItem(text.ok() ? std::string_view(text.bytes) : std::string_view(), width);
}

void addRecord(std::string& file, const std::string& record) {
    file += record;
    file += kRecordEnd;
}

std::string header(const ZenginFileInput& in) {
    const TransferOriginator& o = in.originator;
    const bool bonus = isBonusPeriod(in.period);
    std::string r = "1";
    r += bonus ? "12" : "11";
    r += "0";  // JIS
    r += digitsItem(o.requesterCode, 10);
    r += textItem(o.requesterName, 40);
    r += number(in.payMonth, 2) + number(in.payDay, 2);
    r += digitsItem(o.bankCode, 4);
    r += textItem(isZenginText(o.bankName, ZenginClass::Shop) ? o.bankName : "", 15);
    r += digitsItem(o.branchCode, 3);
    r += textItem(isZenginText(o.branchName, ZenginClass::Shop) ? o.branchName : "", 15);
    r += std::to_string(o.accountType == kCurrentAccount ? kCurrentAccount : kOrdinaryAccount);
    r += digitsItem(o.accountNumber, 7);
    r += std::string(17, ' ');
    return r;
}

std::string dataRecord(const PaidEmployee& paid) {
    const EmployeeRecord& e = paid.employee;
    const std::string code(e.employeeCode.bytes());
    std::string r = "2";
    r += bankCodeOf(e);
    r += shopName(e.bankNameKana.utf8(), 15);
    r += branchCodeOf(e);
    r += shopName(e.branchNameKana.utf8(), 15);
    r += "0000";                          // 手形交換所番号: unused
    r += e.accountType == 1 ? "2" : "1";  // 当座 or 普通
    r += digitsItem(e.accountNumber.bytes(), 7);
    r += textItem(accountHolderKanaOf(e), 30);
    r += number(paid.netPay, 10);
    r += "0";  // 新規コード
    // 社員番号: the employee code when it is a number, else zeros; 所属コード: zeros.
    const bool numericCode = isAsciiDigits(code) && code.size() <= 10;
    r += digitsItem(numericCode ? code : std::string(), 10);
    r += std::string(10, '0');
    r += std::string(9, ' ');
    return r;
}

// What an employee to be paid lacks, as captions; empty when the record can be written.
std::string missingFor(const EmployeeRecord& e, ZenginClass nameClass) {
    std::vector<std::string_view> missing;
    if (bankCodeOf(e).empty()) missing.push_back("銀行コード");
    if (branchCodeOf(e).empty()) missing.push_back("支店コード");
    const std::string kana = accountHolderKanaOf(e);
    if (!kana.empty() && nameClass == ZenginClass::StrictName &&
        isZenginText(kana, ZenginClass::Name) && !isZenginText(kana, nameClass))
        missing.push_back("口座名義ｶﾅ(振込データの文字が厳格のため英字・記号は不可)");
    else if (kana.empty() || !isZenginText(kana, nameClass))
        missing.push_back("口座名義ｶﾅ");
    const std::string_view account = e.accountNumber.bytes();
    if (account.empty() || account.size() > 7 || !isAsciiDigits(account))
        missing.push_back("口座番号");
    if (e.accountType == kSavingsAccount || e.accountType > kSavingsAccount)
        missing.push_back("預金種別(普通・当座のみ)");
    std::string text;
    for (const std::string_view m : missing) {
        if (!text.empty()) text += "、";
        text += m;
    }
    return text;
}

}  // namespace

ZenginFile buildZenginFile(const ZenginFileInput& in) {
    ZenginFile file;
    file.companyMissing = missingOriginatorFields(in.originator);
    file.noPayDate = in.payMonth < 1 || in.payMonth > 12 || in.payDay < 1 || in.payDay > 31;
    const ZenginClass nameClass = nameClassOf(in.originator.characters);
    std::vector<PaidEmployee> payees;
    for (PaidEmployee& paid : paidEmployees(in.block, PaidBy::Transfer)) {
        if (paid.netPay < 0) {
            file.negative.push_back(
                {paid.employee.employeeCode.utf8(), paid.employee.name.utf8(), paid.netPay});
        }
        if (paid.netPay <= 0) continue;
        if (std::string missing = missingFor(paid.employee, nameClass); !missing.empty())
            file.refused.push_back({paid.employee.name.utf8(), std::move(missing)});
        file.count += 1;
        file.total += paid.netPay;
        payees.push_back(std::move(paid));
    }
    file.nobodyToPay = payees.empty();
    if (!file.companyMissing.empty() || file.noPayDate || file.nobodyToPay || !file.refused.empty())
        return file;

    std::string bytes;
    addRecord(bytes, header(in));
    for (const PaidEmployee& paid : payees) addRecord(bytes, dataRecord(paid));
    addRecord(bytes, "8" + number(file.count, 6) + number(file.total, 12) + std::string(101, ' '));
    addRecord(bytes, "9" + std::string(119, ' '));
    file.bytes = std::move(bytes);
    return file;
}

std::optional<CalendarDate> periodPayDate(const YearFileHeader& header,
                                          const PeriodSettings& settings, const EraYear& fileYear,
                                          const EraNames& eraNames, int period) {
    const int calendarYear =
        FileYear{fileYear.eraName != eraNames.earlier, fileYear.eraYear}.calendarYear();
    int year = calendarYear, month = 0, day = 0;
    if (isBonusPeriod(period)) {
        const int bonus = period - kFirstBonusPeriod;
        month = header.bonusPayMonth[bonus];
        day = header.bonusPayDay[bonus];
    } else {
        const SalaryPayDay paid = salaryPayDay(calendarYear, period, settings);
        year = paid.year;
        month = paid.month;
        day = paid.day;
    }
    if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
    const CalendarDate date{std::chrono::year(year),
                            std::chrono::month(static_cast<unsigned>(month)),
                            std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::optional<ZenginDate> proposedZenginDate(const YearFileHeader& header,
                                             const PeriodSettings& settings,
                                             const EraYear& fileYear, const EraNames& eraNames,
                                             int period, const BankCalendar& calendar) {
    const std::optional<CalendarDate> paid =
        periodPayDate(header, settings, fileYear, eraNames, period);
    if (!paid) return std::nullopt;
    return ZenginDate{*paid, calendar.businessDayOnOrBefore(*paid)};
}

std::string zenginDateRefusal(CalendarDate date, const BankCalendar& calendar) {
    if (calendar.isBankBusinessDay(date)) return {};
    return japaneseDate(date) + "は銀行の休業日(" + calendar.closedReason(date) +
           ")です。\n取組日には銀行の営業日を指定して下さい。";
}

ZenginFile buildPeriodZenginFile(const PeriodBlock& block, const YearFileHeader& header,
                                 const EraYear& fileYear, const EraNames& eraNames, int period,
                                 const TransferOriginator& originator, const BankCalendar& calendar,
                                 std::optional<CalendarDate> chosen) {
    std::optional<CalendarDate> date = chosen;
    if (!date) {
        if (const auto proposed =
                proposedZenginDate(header, block.settings, fileYear, eraNames, period, calendar))
            date = proposed->date;
    }
    const int month = date ? static_cast<int>(static_cast<unsigned>(date->month())) : 0;
    const int day = date ? static_cast<int>(static_cast<unsigned>(date->day())) : 0;
    ZenginFile file = buildZenginFile({block, period, month, day, originator});
    if (date && !calendar.isBankBusinessDay(*date)) {
        file.dateRefusal = zenginDateRefusal(*date, calendar);
        file.bytes.clear();
    }
    return file;
}

std::string zenginRefusalMessage(const ZenginFile& file) {
    std::string message = "振込データを作成できません。";
    if (!file.companyMissing.empty())
        message += "\n\n共通設定の｢振込データ設定｣に入力して下さい: " + file.companyMissing;
    if (file.noPayDate) message += "\n\n支給日が設定されていません。";
    if (!file.dateRefusal.empty()) message += "\n\n" + file.dateRefusal;
    if (file.nobodyToPay) message += "\n\n振込で支給する社員(差引支給額が1円以上)がいません。";
    if (!file.refused.empty()) {
        message += "\n\n次の社員の振込先が不足しています(社員情報の編集で入力して下さい):";
        for (const ZenginRefusedEmployee& r : file.refused)
            message += "\n  " + r.name + " : " + r.missing;
    }
    if (!file.negative.empty()) message += "\n\n" + zenginNegativePayNote(file);
    return message;
}

std::string zenginNegativePayNote(const ZenginFile& file) {
    if (file.negative.empty()) return {};
    std::string note = "差引支給額がマイナスのため、次の社員は振込データに含めていません:";
    for (const ZenginNegativePay& n : file.negative)
        note += "\n  " + n.name + " : " + formatAmount(0, n.netPay) + "円";
    return note;
}

std::string zenginFileName(std::string_view periodCaption) {
    std::string name = "振込データ";
    for (const char c : periodCaption)
        if (c != '[' && c != ']' && c != ' ') name += c;
    return safeFileName(name + ".txt");
}

void writeZenginFile(const std::filesystem::path& path, const ZenginFile& file) {
    writeFileAtomic(path, file.bytes);
}

}  // namespace keiro::print
