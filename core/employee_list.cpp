#include "core/employee_list.h"

#include <algorithm>
#include <cstdio>

#include "core/employee_master.h"
#include "core/text.h"

namespace keiro {
namespace {

// printf's "%-Ns" on code page 932 bytes: padded to N bytes, never cut.
std::string leftInWidth(std::string bytes, std::size_t width) {
    if (bytes.size() < width) bytes.append(width - bytes.size(), ' ');
    return bytes;
}

std::string number(const char* format, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string twoDigitsOrBlank(int value) {
    return value == 0 ? std::string("  ") : number("%.2d", value);
}

std::string cp932(std::string_view utf8) {
    return text::toCp932(utf8);
}

std::string payFormText(int payForm) {
    if (payForm >= 1 && payForm <= static_cast<int>(kPayForms.size())) {
        return cp932(kPayForms[static_cast<std::size_t>(payForm) - 1]);
    }
    return {};
}

// The category list's entry, or the user's own text when no entry is chosen.
std::string categoryText(const EmployeeRecord& e) {
    if (e.category >= 1 && e.category <= kEmployeeCategories.size()) {
        return cp932(kEmployeeCategories[e.category - 1]);
    }
    return std::string(e.categoryText.bytes());
}

std::string statusText(int status) {
    switch (status) {
        case 1:
            return cp932("在職");
        case 2:
            return cp932("休職");
        case 3:
            return cp932("退職");
        default:
            return {};
    }
}

std::string birthDate(const EmployeeRecord& e) {
    static constexpr char kEraLetters[] = " MTSH";  // 明治, 大正, 昭和, 平成
    const char era = e.birthEra >= 1 && e.birthEra <= 4 ? kEraLetters[e.birthEra] : ' ';
    return std::string(1, era) + twoDigitsOrBlank(e.birthYear) + "/" +
           twoDigitsOrBlank(e.birthMonth) + "/" + twoDigitsOrBlank(e.birthDay) + "  ";
}

}  // namespace

std::array<std::string, kEmployeeListColumns> employeeListColumns(const PeriodBlock& block,
                                                                  int slot) {
    const EmployeeRecord& e = block.employee(slot);
    return {number("%3d  ", slot),
            leftInWidth(std::string(e.name.bytes()), 16) + "  ",
            leftInWidth(categoryText(e), 10) + "  ",
            leftInWidth(payFormText(e.payForm), 6) + "  ",
            leftInWidth(statusText(e.workStatus), 4) + "  ",
            birthDate(e),
            leftInWidth(std::string(e.department.bytes()), 16) + "  ",
            number("%3d   ", e.dependents)};
}

std::string employeeListLine(const PeriodBlock& block, int slot) {
    std::string line;
    for (const std::string& column : employeeListColumns(block, slot)) line += column;
    return text::fromCp932(line);
}

std::vector<int> employeeListOrder(const PeriodBlock& block, int column) {
    std::vector<std::pair<std::string, int>> keyed;
    for (int slot = 1; slot <= kMaxEmployees && block.employee(slot).isUsed(); ++slot) {
        const auto columns = employeeListColumns(block, slot);
        const int chosen = std::clamp(column, 0, kEmployeeListColumns - 1);
        std::string key = columns[static_cast<std::size_t>(chosen)];
        for (int c = 0; c < kEmployeeListColumns; ++c) {
            if (c != chosen) key += columns[static_cast<std::size_t>(c)];
        }
        keyed.emplace_back(std::move(key), slot);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> order;
    for (const auto& entry : keyed) order.push_back(entry.second);
    return order;
}

std::string deleteQuestion(const EmployeeRecord& employee) {
    const std::string department = employee.department.utf8();
    const bool blank = department.find_first_not_of(" 　") == std::string::npos;
    return "下記社員の登録情報を削除しますか？\n\n【" + (blank ? std::string() : department + " ") +
           employee.name.utf8() + " 】";
}

std::filesystem::path withholdingFilePath(const std::filesystem::path& dataFolder,
                                          std::string_view eraName, int eraYear) {
    return dataFolder / ("源泉徴収(" + std::string(eraName) + number("%.2d", eraYear) + "年).dat");
}

}  // namespace keiro
