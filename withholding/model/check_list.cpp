#include "withholding/model/check_list.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <tuple>

#include "core/entry.h"
#include "core/text.h"

namespace keiro::withholding {
namespace {

constexpr std::array<std::string_view, 5> kCategories{"役員", "一般社員", "臨時社員", "パート",
                                                      "アルバイト"};
constexpr std::array<std::string_view, 3> kPayForms{"月給", "日給", "時間給"};
constexpr int kRetired = 3;
constexpr int kEmployed = 1;
constexpr int kAmountWidth = 11;  // "-99,999,999" and more fit

// Left-aligned in at least `width` code page 932 bytes; a longer text is kept whole.
std::string padded(std::string_view utf8, std::size_t width) {
    std::string out(utf8);
    const std::size_t used = text::cp932Width(utf8);
    if (used < width) out.append(width - used, ' ');
    return out;
}

std::string threeDigits(int slot) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.3d", slot);
    return buffer;
}

// The rank of a pay form in the pay-form order: 月給, 日給, 時間給, then anything else.
int payFormRank(const EmployeeRecord& employee) {
    return employee.payForm >= 1 && employee.payForm <= 3 ? employee.payForm : 4;
}

struct Entry {
    int slot;
    const EmployeeRecord* employee;
    CheckListLine line;
};

void sortEntries(std::vector<Entry>& entries, ListOrder order) {
    auto by = [&entries](auto key) {
        std::stable_sort(entries.begin(), entries.end(),
                         [&key](const Entry& a, const Entry& b) { return key(a) < key(b); });
    };
    switch (order) {
        case ListOrder::Name:
            by([](const Entry& e) {
                return std::make_tuple(text::sortKey(e.employee->name.utf8()), e.slot);
            });
            break;
        case ListOrder::Department:
            by([](const Entry& e) {
                return std::make_tuple(text::sortKey(e.employee->department.utf8()), e.slot);
            });
            break;
        case ListOrder::Category:
            by([](const Entry& e) {
                return std::make_tuple(int{e.employee->category},
                                       text::sortKey(categoryText(*e.employee)), e.slot);
            });
            break;
        case ListOrder::PayForm:
            by([](const Entry& e) { return std::make_tuple(payFormRank(*e.employee), e.slot); });
            break;
        case ListOrder::Number:
        case ListOrder::TaxCalculation:
        case ListOrder::AnnualTax:
        case ListOrder::Difference:
            break;  // the slots come in order
    }
}

}  // namespace

std::string_view statusText(std::uint8_t adjustStatus) {
    if (adjustStatus == kCalculated) return kStatusDone;
    if (adjustStatus == kNotAdjusted) return kStatusNotAdjusted;
    return kStatusOpen;
}

std::string_view statusOf(const WithholdingFile& file, int slot) {
    return statusText(yearEndFiguresOf(file, slot).status);
}

bool isProcessed(std::string_view status) {
    return status == kStatusDone || status == kStatusNotAdjusted;
}

ListFigures figuresOf(const WithholdingFile& file, int slot) {
    const YearEndFigures figures = yearEndFiguresOf(file, slot);
    const std::string_view status = statusText(figures.status);
    ListFigures shown;
    if (isProcessed(status)) shown.annualTax = figures.annualTax;
    if (status == kStatusDone) shown.difference = figures.difference();
    return shown;
}

std::string categoryText(const EmployeeRecord& employee) {
    if (employee.category == 0) return employee.categoryText.utf8();
    if (employee.category <= kCategories.size()) {
        return std::string(kCategories[employee.category - 1]);
    }
    return {};
}

std::string payFormText(const EmployeeRecord& employee) {
    if (employee.payForm >= 1 && employee.payForm <= kPayForms.size()) {
        return std::string(kPayForms[employee.payForm - 1]);
    }
    return {};
}

std::string lineText(int slot, const EmployeeRecord& employee, std::string_view status,
                     const ListFigures& figures) {
    const auto amount = [](const std::optional<std::int64_t>& value) {
        return value ? formatAmount(kAmountWidth, *value) : std::string(kAmountWidth, ' ');
    };
    std::string line = " " + threeDigits(slot) + "  ";
    line += padded(employee.name.utf8(), 16) + "  ";
    line += padded(employee.department.utf8(), 16) + "  ";
    line += padded(categoryText(employee), 10) + "  ";
    line += padded(payFormText(employee), 6) + std::string(8, ' ');
    line +=
        padded(status, 10) + "  " + amount(figures.annualTax) + "  " + amount(figures.difference);
    return line;
}

std::vector<CheckListLine> checkListLines(const PeriodBlock& december, const WithholdingFile& file,
                                          bool showRetired, ListOrder order) {
    std::vector<Entry> entries;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& employee = december.employee(slot);
        if (!employee.isUsed()) continue;
        if (employee.workStatus == kRetired && !showRetired) continue;
        const std::string_view status = statusOf(file, slot);
        entries.push_back(
            {slot, &employee,
             CheckListLine{slot, lineText(slot, employee, status, figuresOf(file, slot)),
                           isProcessed(status), employee.workStatus == kEmployed}});
    }
    sortEntries(entries, order);
    std::vector<CheckListLine> lines;
    lines.reserve(entries.size());
    for (Entry& entry : entries) lines.push_back(std::move(entry.line));
    return lines;
}

std::string unprocessedPrintQuestion(const std::vector<std::string>& names) {
    constexpr std::size_t kNamed = 10;
    std::string question = "年末調整の計算をしていない（未処理の）社員が " +
                           std::to_string(names.size()) + "名 います。\n";
    for (std::size_t i = 0; i < names.size() && i < kNamed; ++i) {
        question +=
            (i == 0 ? "" : "、") + (names[i].empty() ? std::string("(氏名なし)") : names[i]);
    }
    if (names.size() > kNamed) question += " ほか" + std::to_string(names.size() - kNamed) + "名";
    question += "\n\n未処理の社員の書類には正しい税額が印刷されません。\n印刷しますか？";
    return question;
}

bool hasNamedEmployee(const PeriodBlock& december) {
    return std::any_of(std::begin(december.employees), std::end(december.employees),
                       [](const EmployeeRecord& e) { return !e.name.empty(); });
}

}  // namespace keiro::withholding
