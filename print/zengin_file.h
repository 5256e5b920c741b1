#pragma once
// The bank transfer file of a period (全銀協 fixed-length format, 給与振込 for a salary month,
// 賞与振込 for a bonus): the file a bank takes to pay the salaries.
//
// Records of 120 bytes, each followed by CR LF (the last one too): a header (1) with the
// company's side from Keiro.ini and the pay date as MMDD, one data record (2) per employee of
// the transfer list whose net pay is above zero (the same employees, in the same order and with
// the same amounts as the printed list), a trailer (8) with their count and total, and the end
// record (9).  Numbers are right-aligned and zero-filled, texts left-aligned and space-filled;
// every text byte is one of the file's characters (core/zengin_text.h).  The record has one
// account per employee.
//
// Nothing is written when anything the file needs is missing: the company's codes, the pay
// date, or for any employee to be paid the bank and branch codes, a valid kana name, the
// account number or an account type the file knows (普通, 当座; not 貯蓄).  The refusal names
// every employee concerned at once.

#include <filesystem>
#include <string>
#include <vector>

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

struct ZenginFile {
    std::string bytes;  // the whole file; empty when refused
    int count = 0;
    long long total = 0;
    std::string companyMissing;  // the company's fields missing (comma-separated captions)
    bool noPayDate = false;
    bool nobodyToPay = false;
    std::vector<ZenginRefusedEmployee> refused;
    bool ok() const { return !bytes.empty(); }
};

ZenginFile buildZenginFile(const ZenginFileInput& input);

// The file of a period of a year file, 取組日 being the period's pay date (a salary month's pay
// day, a bonus's pay month and day) as the print dialog proposes it.
ZenginFile buildPeriodZenginFile(const PeriodBlock& block, const YearFileHeader& header,
                                 const EraYear& fileYear, const EraNames& eraNames, int period,
                                 const TransferOriginator& originator);

// One message for a refused file, listing everything that is missing (UTF-8).
std::string zenginRefusalMessage(const ZenginFile& file);

// The name the save dialog proposes, from the period caption "[令和8年 7月分給与]":
// "振込データ令和8年7月分給与.txt".
std::string zenginFileName(std::string_view periodCaption);

// Writes the file atomically (mode 0600).  Throws IoError.
void writeZenginFile(const std::filesystem::path& path, const ZenginFile& file);

inline constexpr std::string_view kMsgZenginWritten = "振込データを作成しました。";

}  // namespace keiro::print
