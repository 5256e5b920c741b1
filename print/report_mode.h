#pragma once
// Which report the print dialog is opened for.  The caller hands over one number, 100 × kind +
// period; the period matters only for the monthly list (1 to 12 the salary months, 13 to 15 the
// bonuses).

#include <optional>

namespace keiro::print {

enum class ReportKind {
    Roster = 1,         // 社員名簿一覧表
    PaySlips = 2,       // 給与明細書 / 賞与明細書
    Ledger = 4,         // 社員別給与台帳
    MonthlyList = 5,    // 月別給与/賞与一覧
    TransferList = 6,   // 給与/賞与振込一覧
    Denominations = 7,  // 給与/賞与支払金種表
    SocialList = 8,     // the yearly social-insurance lists (算定基礎届 and the like)
    ResidentTax = 10,   // 住民税納付一覧
};

struct ReportMode {
    ReportKind kind = ReportKind::Roster;
    int period = 0;
    bool operator==(const ReportMode&) const = default;
};

int reportTag(const ReportMode& mode);
// Nothing for a number that names no report.
std::optional<ReportMode> reportModeFromTag(int tag);

// Pay slip forms that hold one slip per sheet; the others hold two.
bool oneSlipPerSheet(int formType);

}  // namespace keiro::print
