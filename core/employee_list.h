#pragma once
// The employee list of the open period (社員一覧リスト) as plain data: the fixed-width line of
// each used slot, the order of the lines when sorted by one of the eight columns, and what is
// asked before an employee is deleted (PayrollPeriod::removeEmployee deletes).

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"

namespace keiro {

inline constexpr int kEmployeeListColumns = 8;  // slot, name, category, pay form, status,
                                                // birth date, department, dependents

inline constexpr std::string_view kMsgNothingSelected = "データが未選択です。";
inline constexpr std::string_view kMsgDeleteWithWithholding =
    "今年の源泉徴収データが作成されているため、\n"
    "社員削除を行うと源泉徴収データにずれが生じます。\n"
    "（社員削除ではなく、就業形態を退職にする事を推奨）\n"
    "\n"
    "このまま社員削除を続行しますか？";

// The eight columns of a slot's line, each with its trailing blanks, as code page 932 bytes.
std::array<std::string, kEmployeeListColumns> employeeListColumns(const PeriodBlock& block,
                                                                  int slot);
// The whole line as UTF-8: "%3d  %-16s  %-10s  %-6s  %-4s  %s%s/%s/%s  %-16s  %3d   ".
std::string employeeListLine(const PeriodBlock& block, int slot);

// The used slots in the order of the list when sorted by `column` (0 = slot order): the
// column's text first, then the rest of the line, compared as code page 932 bytes.
std::vector<int> employeeListOrder(const PeriodBlock& block, int column);

// "下記社員の登録情報を削除しますか？", an empty line and "【%s %s 】" (department when not blank,
// and the name).
std::string deleteQuestion(const EmployeeRecord& employee);

// The withholding file of the open year: "源泉徴収(" + era + two digits + "年).dat".
std::filesystem::path withholdingFilePath(const std::filesystem::path& dataFolder,
                                          std::string_view eraName, int eraYear);

}  // namespace keiro
