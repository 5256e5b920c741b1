#include "print/employee_pdf_names.h"

#include <cstdio>
#include <map>

#include "print/pictures.h"

namespace keiro::print {
namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string periodFileToken(int calendarYear, int period) {
    char token[32];
    if (period >= kFirstBonusPeriod) {
        std::snprintf(token, sizeof token, "%04d-賞与%d", calendarYear,
                      period - kFirstBonusPeriod + 1);
    } else {
        std::snprintf(token, sizeof token, "%04d-%02d", calendarYear, period);
    }
    return token;
}

std::string employeePdfName(std::string_view employeeCode, std::string_view token) {
    return safeFileName(std::string(trimmed(employeeCode)) + "_" + std::string(token)) + ".pdf";
}

std::string reportPdfName(const DocumentInfo& info) {
    std::string name = std::string(trimmed(info.title));
    if (name.empty()) name = "帳票";
    if (!trimmed(info.author).empty()) name += "_" + std::string(trimmed(info.author));
    for (const std::string_view blank : {" ", "　"}) {
        for (std::size_t at = name.find(blank); at != std::string::npos; at = name.find(blank, at))
            name.replace(at, blank.size(), "_");
    }
    return safeFileName(name) + ".pdf";
}

std::string passwordNoticeName(std::string_view token) {
    return "パスワード通知書_" + std::string(token) + ".pdf";
}

std::vector<UnnamedEmployee> employeesWithoutOwnFile(const PeriodBlock& block,
                                                     const std::vector<int>& slots,
                                                     std::string_view token) {
    std::map<std::string, int> users;
    for (const int slot : slots) {
        const std::string code = block.employee(slot).employeeCode.utf8();
        if (!trimmed(code).empty()) ++users[employeePdfName(code, token)];
    }
    std::vector<UnnamedEmployee> unnamed;
    for (const int slot : slots) {
        const EmployeeRecord& e = block.employee(slot);
        const std::string code = e.employeeCode.utf8();
        if (trimmed(code).empty()) {
            unnamed.push_back({slot, e.name.utf8(), "社員コードがありません"});
        } else if (users[employeePdfName(code, token)] > 1) {
            unnamed.push_back({slot, e.name.utf8(), "社員コードが重複しています"});
        }
    }
    return unnamed;
}

std::string unnamedEmployeesMessage(const std::vector<UnnamedEmployee>& employees) {
    std::string message =
        "次の社員は社員コードでPDFファイル名を付けられないため、出力できません。\n"
        "社員情報で社員コードを設定してください。\n";
    for (const UnnamedEmployee& e : employees) message += "\n" + e.name + "（" + e.reason + "）";
    return message;
}

}  // namespace keiro::print
