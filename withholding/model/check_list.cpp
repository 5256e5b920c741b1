#include "withholding/model/check_list.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <tuple>

#include "core/text.h"

namespace keiro::withholding {
namespace {

constexpr std::array<std::string_view, 5> kCategories{"役員", "一般社員", "臨時社員", "パート",
                                                      "アルバイト"};
constexpr std::array<std::string_view, 3> kPayForms{"月給", "日給", "時間給"};
constexpr int kRetired = 3;
constexpr int kEmployed = 1;

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
            break;  // the slots come in order
    }
}

}  // namespace

std::string_view statusText(bool secondaryColumn, std::uint8_t adjustStatus) {
    if (secondaryColumn) return kStatusNotNeeded;
    if (adjustStatus == kCalculated) return kStatusDone;
    if (adjustStatus == kNotAdjusted) return kStatusNotAdjusted;
    return kStatusOpen;
}

std::string_view statusOf(const WithholdingFile& file, int slot) {
    if (file.currentFormat()) {
        const WithholdingRecord& r = file.record(slot);
        return statusText(r.flags.secondaryColumn != 0, r.adjustStatus);
    }
    const LegacyWithholdingRecord& r = file.legacyRecord(slot);
    return statusText(r.flags.secondaryColumn != 0, r.adjustStatus);
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

std::string lineText(int slot, const EmployeeRecord& employee, std::string_view status) {
    std::string line = " " + threeDigits(slot) + "  ";
    line += padded(employee.name.utf8(), 16) + "  ";
    line += padded(employee.department.utf8(), 16) + "  ";
    line += padded(categoryText(employee), 10) + "  ";
    line += padded(payFormText(employee), 6) + std::string(8, ' ');
    line += padded(status, 10) + "  " + threeDigits(slot);
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
        entries.push_back({slot, &employee,
                           CheckListLine{slot, lineText(slot, employee, status),
                                         status == kStatusDone, employee.workStatus == kEmployed}});
    }
    sortEntries(entries, order);
    std::vector<CheckListLine> lines;
    lines.reserve(entries.size());
    for (Entry& entry : entries) lines.push_back(std::move(entry.line));
    return lines;
}

bool hasNamedEmployee(const PeriodBlock& december) {
    return std::any_of(std::begin(december.employees), std::end(december.employees),
                       [](const EmployeeRecord& e) { return !e.name.empty(); });
}

}  // namespace keiro::withholding
