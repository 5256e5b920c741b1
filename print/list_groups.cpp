#include "print/list_groups.h"

#include <algorithm>

#include "core/employee_master.h"
#include "core/text.h"
#include "print/page_count.h"

namespace keiro::print {
namespace {

bool isListed(const EmployeeRecord& employee) {
    return employee.isUsed() && employee.workStatus == kEmployed;
}

std::string categoryOf(const EmployeeRecord& employee) {
    if (employee.category >= 1 && employee.category <= kEmployeeCategories.size()) {
        return text::toCp932(kEmployeeCategories[employee.category - 1]);
    }
    return std::string(employee.categoryText.bytes());
}

// Groups in the order their texts first appear, after `leading` (kept even when empty, dropped
// at the end if nobody joined them).
std::vector<ListGroup> groupByText(const PeriodBlock& block,
                                   std::string (*textOf)(const EmployeeRecord&),
                                   const std::vector<std::string>& leading) {
    std::vector<ListGroup> groups;
    for (const std::string& text : leading) groups.push_back({text, true, {}});
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& employee = block.employee(slot);
        if (!isListed(employee)) continue;
        const std::string text = textOf(employee);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&text](const ListGroup& g) { return g.name == text; });
        if (group == groups.end()) group = groups.insert(groups.end(), {text, true, {}});
        group->memberSlots.push_back(slot);
    }
    std::erase_if(groups, [](const ListGroup& g) { return g.memberSlots.empty(); });
    return groups;
}

std::string departmentOf(const EmployeeRecord& employee) {
    return std::string(employee.department.bytes());
}

}  // namespace

std::vector<ListGroup> listGroups(const PeriodBlock& block, ListMethod method) {
    std::vector<ListGroup> groups;
    if (method == ListMethod::ByCategory) {
        std::vector<std::string> categories;
        for (const std::string_view entry : kEmployeeCategories) {
            categories.push_back(text::toCp932(entry));
        }
        groups = groupByText(block, categoryOf, categories);
    } else if (method == ListMethod::ByDepartment) {
        groups = groupByText(block, departmentOf, {});
    } else {
        ListGroup all;
        for (int slot = 1; slot <= kMaxEmployees; ++slot) {
            if (isListed(block.employee(slot))) all.memberSlots.push_back(slot);
        }
        groups.push_back(std::move(all));
    }
    if (groups.empty()) groups.push_back({});
    return groups;
}

int listGroupPages(int members) {
    return monthlyListPages(members);
}

std::vector<ListPage> listPages(const std::vector<ListGroup>& groups) {
    std::vector<ListPage> pages;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const int members = static_cast<int>(groups[g].memberSlots.size());
        const int count = listGroupPages(members);
        for (int p = 0; p < count; ++p) {
            const int first = p * kListColumns;
            const bool last = p == count - 1;
            pages.push_back(
                {static_cast<int>(g), first, std::min(kListColumns, members - first), last});
        }
    }
    return pages;
}

}  // namespace keiro::print
