#include "withholding/print/document_pages.h"

#include <cstdio>

namespace keiro::withholding {

int documentSheets(DocumentKind kind, int employees) {
    if (employees <= 0) return 0;
    return kind == DocumentKind::RefundNotice ? (employees + 1) / 2 : employees;
}

std::string documentCountText(int sheets, int employees) {
    char text[48];
    std::snprintf(text, sizeof text, " %d枚 [%d名]", sheets, employees);
    return text;
}

print::PaperChoice documentPaper(DocumentKind kind) {
    if (kind == DocumentKind::RefundNotice) {
        return {print::Paper::B5, print::Orientation::Portrait};
    }
    return {print::Paper::A4, print::Orientation::Landscape};
}

SheetSlots slotsOnSheet(DocumentKind kind, const std::vector<int>& slots, int sheet) {
    const int count = static_cast<int>(slots.size());
    if (sheet < 1 || sheet > documentSheets(kind, count)) return {};
    if (kind != DocumentKind::RefundNotice) return {slots[static_cast<std::size_t>(sheet - 1)], 0};
    const int first = 2 * sheet - 2;
    return {slots[static_cast<std::size_t>(first)],
            first + 1 < count ? slots[static_cast<std::size_t>(first + 1)] : 0};
}

DocumentSheets::DocumentSheets(const DocumentSource& source, std::vector<int> slots,
                               DocumentKind kind)
    : source_(source), slots_(std::move(slots)), kind_(kind) {}

int DocumentSheets::pageCount() const {
    return documentSheets(kind_, static_cast<int>(slots_.size()));
}

std::string DocumentSheets::countText() const {
    return documentCountText(pageCount(), static_cast<int>(slots_.size()));
}

print::PaperChoice DocumentSheets::paper() const {
    return documentPaper(kind_);
}

print::DocumentInfo DocumentSheets::documentInfo() const {
    return {
        std::string(documentName(kind_)) + " " + std::to_string(source_.calendarYear()) + "年分",
        source_.companyName()};
}

}  // namespace keiro::withholding
