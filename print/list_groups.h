#pragma once
// Who the monthly list shows, in which groups and on which pages.
//
// The list shows the employees in use and in employment, in slot order.  通常 puts them all in
// one group; 社員区分別 makes one group per category text, the entries of the employee editor's
// category list first (in its order) and then the users' own texts in slot order; 部署別 one
// group per department text, in slot order.  Every group starts on a page of its own and has
// ten employee columns a page; the group's total takes the first free column of its last page,
// so a group of n employees takes n / 10 + 1 pages (rounded down).

#include <string>
#include <vector>

#include "core/records.h"
#include "print/report.h"

namespace keiro::print {

inline constexpr int kListColumns = 10;

struct ListGroup {
    std::string name;    // code page 932, as the records hold it; "" for 通常
    bool named = false;  // printed as "[name]"
    std::vector<int> memberSlots;
};

// The groups of the block's listed employees; at least one (an empty unnamed group when nobody
// is listed).
std::vector<ListGroup> listGroups(const PeriodBlock& block, ListMethod method);

int listGroupPages(int members);

struct ListPage {
    int group = 0;          // index into the groups
    int firstMember = 0;    // index into the group's members
    int members = 0;        // employee columns on the page
    bool hasTotal = false;  // the group's last page: the total in column `members`
};

std::vector<ListPage> listPages(const std::vector<ListGroup>& groups);

}  // namespace keiro::print
