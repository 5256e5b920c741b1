#pragma once
// The bank transfer file of a period (全銀協 fixed-length format, 給与振込 for a salary month,
// 賞与振込 for a bonus): the file a bank takes to pay the salaries.
//
// Records of 120 bytes, each followed by CR LF (the last one too): a header (1) with the
// company's side from Keiro.ini and the 取組日 as MMDD, one data record (2) per employee of
// the transfer list whose net pay is above zero (the same employees, in the same order and with
// the same amounts as the printed list), a trailer (8) with their count and total, and the end
// record (9).  Numbers are right-aligned and zero-filled, texts left-aligned and space-filled;
// every text byte is one of the file's characters (core/zengin_text.h), the names (委託者名,
// 受取人名) in the class the settings choose.  The record has one account per employee.
// Employees whose net pay is below zero are left out and listed, for the clerk to pay them
// otherwise.
//
// The 取組日 is a bank business day (core/bank_calendar.h): the period's pay date, or when
// banks are closed on it the business day before; a date chosen by hand must be a business day.
//
// Nothing is written when anything the file needs is missing: the company's codes, the pay
// date, or for any employee to be paid the bank and branch codes, a valid kana name, the
// account number or an account type the file knows (普通, 当座; not 貯蓄).  The refusal names
// every employee concerned at once.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/bank_calendar.h"
#include "core/era.h"
#include "core/records.h"
#include "core/zengin_settings.h"

namespace keiro::print {

inline constexpr std::size_t kZenginRecordBytes = 120;

struct ZenginFileInput {
    const PeriodBlock& block;
    int period = 0;  // 1..12 a salary month (種別コード 11), 13.. a bonus (12)
    int payMonth = 0;
    int payDay = 0;
    TransferOriginator originator;
};

struct ZenginRefusedEmployee {
    std::string name;     // UTF-8, as the list prints it
    std::string missing;  // "銀行コード、口座名義ｶﾅ"
};

// An employee of the transfer list left out of the file because the net pay is below zero.
struct ZenginNegativePay {
    std::string code;  // 社員コード (UTF-8)
    std::string name;  // UTF-8, as the list prints it
    long long netPay = 0;
};

struct ZenginFile {
    std::string bytes;  // the whole file; empty when refused
    int count = 0;
    long long total = 0;
    std::string companyMissing;  // the company's fields missing (comma-separated captions)
    bool noPayDate = false;
    std::string dateRefusal;  // a date chosen by hand on which banks are closed
    bool nobodyToPay = false;
    std::vector<ZenginRefusedEmployee> refused;
    std::vector<ZenginNegativePay> negative;  // in slot order
    bool ok() const { return !bytes.empty(); }
};

ZenginFile buildZenginFile(const ZenginFileInput& input);

// The period's pay date as a calendar date (a salary month's pay day, in the next month when
// paid then; a bonus's pay month and day in the file's year); nothing when the period has none.
std::optional<CalendarDate> periodPayDate(const YearFileHeader& header,
                                          const PeriodSettings& settings, const EraYear& fileYear,
                                          const EraNames& eraNames, int period);

// The 取組日 proposed for a period: its pay date, or the business day before it.
struct ZenginDate {
    CalendarDate payDate;
    CalendarDate date;
    bool moved() const { return date != payDate; }
};
std::optional<ZenginDate> proposedZenginDate(const YearFileHeader& header,
                                             const PeriodSettings& settings,
                                             const EraYear& fileYear, const EraNames& eraNames,
                                             int period, const BankCalendar& calendar);

// Why a date chosen by hand cannot be the 取組日 ("2026年1月12日(月)は銀行の休業日(成人の日)
// です。…"); empty on a business day.
std::string zenginDateRefusal(CalendarDate date, const BankCalendar& calendar);

// The file of a period of a year file.  The 取組日 is `chosen` when given (refused unless it is a
// business day), else the proposed date.
ZenginFile buildPeriodZenginFile(const PeriodBlock& block, const YearFileHeader& header,
                                 const EraYear& fileYear, const EraNames& eraNames, int period,
                                 const TransferOriginator& originator, const BankCalendar& calendar,
                                 std::optional<CalendarDate> chosen = std::nullopt);

// One message for a refused file, listing everything that is missing (UTF-8).
std::string zenginRefusalMessage(const ZenginFile& file);

// The lines naming the employees left out for a net pay below zero, for the completion
// message ("" when there are none).
std::string zenginNegativePayNote(const ZenginFile& file);

// The name the save dialog proposes, from the period caption "[令和8年 7月分給与]":
// "振込データ令和8年7月分給与.txt".
std::string zenginFileName(std::string_view periodCaption);

// Writes the file atomically (mode 0600).  Throws IoError.
void writeZenginFile(const std::filesystem::path& path, const ZenginFile& file);

inline constexpr std::string_view kMsgZenginWritten = "振込データを作成しました。";

}  // namespace keiro::print
