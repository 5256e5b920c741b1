#pragma once
// The names of the pay-slip PDFs handed out one per employee: "<社員コード>_<period>.pdf", the
// period as a token any file system holds and that sorts by time ("2026-05", "2026-賞与1"), and
// the hand-over notice of new passwords beside them.

#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "print/report.h"

namespace keiro::print {

// `calendarYear` is the year the data file is for; months give "2026-05", the bonus periods
// "2026-賞与1" to "2026-賞与3".
std::string periodFileToken(int calendarYear, int period);

// The employee's file: the code (blanks around it dropped, characters no file name holds
// replaced as for the slip pictures), "_", the token, ".pdf".
std::string employeePdfName(std::string_view employeeCode, std::string_view token);

// The file a report's PDF is proposed to go into: its title and company joined by "_", blanks
// and characters no file name holds replaced ("社員別給与台帳_令和8年_山田商店.pdf").
std::string reportPdfName(const DocumentInfo& info);

// The notice of the passwords made in one run: "パスワード通知書_<token>.pdf".
std::string passwordNoticeName(std::string_view token);

// An employee whose slip cannot be given a file of its own: one without a code, or whose file
// name another chosen employee gets too (one file would overwrite the other and reach the wrong
// person).
struct UnnamedEmployee {
    int slot = 0;
    std::string name;
    std::string reason;  // "社員コードがありません" / "社員コードが重複しています"
};
std::vector<UnnamedEmployee> employeesWithoutOwnFile(const PeriodBlock& block,
                                                     const std::vector<int>& slots,
                                                     std::string_view token);

// The message that refuses the output, listing them one a line.
std::string unnamedEmployeesMessage(const std::vector<UnnamedEmployee>& employees);

}  // namespace keiro::print
