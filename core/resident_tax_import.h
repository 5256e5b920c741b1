#pragma once
// The import of the year's residence-tax amounts.  Each municipality's notice of the amounts to
// withhold (特別徴収税額の決定通知書) arrives in May; the clerk lists them in a CSV file of three
// columns, 社員コード, 6月分, 7月以降, below a header line, and the import sets each employee's
// 住民税(6月) and 住民税(以外) in the employee master of the open period.
//
// The file may be code page 932 or UTF-8 (with or without a byte-order mark; told apart by the
// mark, then by whether the bytes are valid UTF-8).  Amounts are whole yen; a quoted field may
// carry thousands separators ("12,300"), which a plain field cannot (its comma would end the
// field and the line would hold four fields).  Full-width digits are read as digits.
//
// Every line is checked before anything is written.  A refused line (unknown or empty 社員コード,
// an amount that is empty, not a whole number, negative or beyond the editor's six digits, a
// wrong number of fields, a 社員コード on more than one line) is listed with its line number and
// reason and changes nobody; the clerk sees all of them in the preview and may still apply the
// accepted lines, so one municipality's mistyped line does not hold back the others' notices.
// An employee listed twice is refused on both lines: which amount is right cannot be known.
//
// The amounts apply from June's pay.  A month before June, or a bonus, is never the target: a
// later recalculation of that month would deduct the new 住民税(以外) from pay that must still
// carry last year's amount.  A new month starts from the month before, so amounts imported into
// June carry on to July and after.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro {

// The most a 住民税 box of the employee editor holds (six digits).
inline constexpr std::int32_t kMaxResidentTaxAmount = 999'999;

inline constexpr std::string_view kMsgResidentTaxNoHeader =
    "1行目が見出し行ではありません。\n"
    "1行目に「社員コード,6月分,7月以降」の見出しを入れて下さい。";
inline constexpr std::string_view kMsgResidentTaxWrongPeriod =
    "住民税の年度の税額は6月分の給与から控除します。\n"
    "6月分～12月分の給与データを開いてから取り込んで下さい。";
inline constexpr std::string_view kMsgResidentTaxNothingToImport = "取り込める行がありません。";

// One accepted line: the employee and the amounts before and after.
struct ResidentTaxChange {
    int line = 0;  // in the file, the header being line 1
    int slot = 0;  // 1..100
    std::string codeCp932;
    std::string code, name;  // UTF-8, for showing
    std::int32_t oldJune = 0, newJune = 0;
    std::int32_t oldLater = 0, newLater = 0;
    bool changesAmounts() const { return oldJune != newJune || oldLater != newLater; }
};

// One refused line, with why (UTF-8, without the line number).
struct RefusedResidentTaxLine {
    int line = 0;
    std::string reason;
};
// "3行目: 社員コード[X]の社員は登録されていません"
std::string refusedLineText(const RefusedResidentTaxLine& refused);

struct ResidentTaxImport {
    std::string error;  // the whole file is refused with this message; nothing else is set
    std::vector<ResidentTaxChange> changes;  // in file order
    std::vector<RefusedResidentTaxLine> refused;
};

// The preview of importing `bytes` into `block`: nothing is written.  Blank lines, and lines of
// blank fields only, are left out.  A file without lines is refused (kMsgCsvInvalidFile), and so
// is one whose first line reads as an employee's amounts (kMsgResidentTaxNoHeader), since taking
// it for the header would drop that employee unseen.
ResidentTaxImport previewResidentTaxImport(const PeriodBlock& block, std::string_view bytes);
// Reads and previews the file.  A file that cannot be read throws IoError.
ResidentTaxImport readResidentTaxImport(const PeriodBlock& block,
                                        const std::filesystem::path& path);

// Whether the amounts may be imported into `period`: salary months June to December.
bool isResidentTaxImportPeriod(int period);

// Sets 住民税(6月) and 住民税(以外) of every accepted line in the period (previewed against its
// block).  A slot that no longer holds the employee of the preview is left alone.  Returns how
// many employees' amounts changed.
int applyResidentTaxImport(PayrollPeriod& period, const ResidentTaxImport& preview);

// "%d名の住民税額を更新しました。"
std::string residentTaxImportedMessage(int count);

}  // namespace keiro
