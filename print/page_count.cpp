#include "print/page_count.h"

#include <algorithm>
#include <cstdio>

namespace keiro::print {
namespace {

int pagesOf(int items, int perPage) {
    return std::max(items - 1, 0) / perPage + 1;
}

}  // namespace

int rosterPages(int employees) {
    return pagesOf(employees, 10);
}

int slipSheets(int employees, int formType) {
    if (employees <= 0) return 0;
    return oneSlipPerSheet(formType) ? employees : pagesOf(employees, 2);
}

int monthlyListPages(int employees) {
    return std::max(employees, 0) / 10 + 1;
}

int transferPages(int rows) {
    return pagesOf(rows, 30);
}

std::string pagesAndPeopleText(int pages, int people) {
    char text[64];
    std::snprintf(text, sizeof text, " %2d枚 [%d名]", pages, people);
    return text;
}

SlipPair slipsOnSheet(int sheet, int employees) {
    const int first = 2 * sheet - 1;
    return {first, first + 1 <= employees ? first + 1 : 0};
}

}  // namespace keiro::print
