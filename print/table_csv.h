#pragma once
// The CSV files of the pay ledger and the monthly list: their contents (code page 932, lines
// ending in CR LF, amounts as plain whole numbers, attendance as printed), the names proposed
// for them, the texts the export shows, and the writing of a file.
//
// A field holding a comma, a double quote or a line break (an employee named "山田,太郎") is
// put in double quotes with its quotes doubled, so it stays one field; every other field is
// written as it is.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "print/ledger_report.h"
#include "print/monthly_list_report.h"

namespace keiro::print {

inline constexpr std::string_view kCsvDialogTitle = "CSVファイルの出力先を指定";
inline constexpr std::string_view kCsvDialogFilter = "CSVﾌｧｲﾙ (*.csv)|*.csv";
inline constexpr std::string_view kCsvDefaultExtension = "csv";
inline constexpr std::string_view kMsgCsvOverwrite = "同名のファイルが存在します。上書きしますか？";
inline constexpr std::string_view kMsgListCsvWritten =
    "月別給与/賞与一覧をCSVファイルに出力しました。";
inline constexpr std::string_view kMsgLedgerCsvWritten =
    "社員別給与台帳をCSVファイルに出力しました。";
inline constexpr std::string_view kLedgerCsvDefaultName = "給与台帳.csv";

// The overwrite question for a file: the question, an empty line and the file's name.
std::string csvOverwriteQuestion(std::string_view fileName);

// The monthly list: the labels, a line per employee, and a total line after each group that has
// anybody in it ("合計," for 通常, "合計[group]," otherwise; the attendance cells left empty).
std::string monthlyListCsv(const MonthlyListReport& report, TimeStyle style);

// One page of the ledger: the period labels, then per row its label, the fifteen periods (empty
// cells for periods never saved and for the bonuses' attendance) and the total.
std::string ledgerCsv(const LedgerReport& report, int page, const ItemNames& names,
                      TimeStyle style);

// The file of one ledger page: the employee's three-digit list number, the trimmed name, "_" and
// the file name the user chose ("001山田 太郎_給与台帳.csv"), made a safe file name.
std::string ledgerCsvFileName(const LedgerEmployee& employee, std::string_view chosenFileName);

// A table of UTF-8 texts as CSV: every field in code page 932 (quoted as above), lines ending in
// CR LF.  text::EncodingError for a text with no code page 932 form.
std::string csvTable(const std::vector<std::vector<std::string>>& rows);

// Writes a CSV file atomically, readable by its owner only.  IoError when it cannot.
void writeCsvFile(const std::filesystem::path& path, std::string_view content);

}  // namespace keiro::print
