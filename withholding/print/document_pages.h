#pragma once
// How the documents fill their sheets: the slip and the payment report one employee a sheet,
// the refund notice two employees a sheet (the last sheet may hold one); the panel's text; the
// paper of each kind; where each copy's layout starts on the sheet.

#include <string>
#include <vector>

#include "print/print_info.h"
#include "print/report.h"
#include "withholding/print/document_source.h"

namespace keiro::withholding {

int documentSheets(DocumentKind kind, int employees);
// " %d枚 [%d名]".
std::string documentCountText(int sheets, int employees);
// A4 landscape; the notice B5 portrait.
print::PaperChoice documentPaper(DocumentKind kind);

// The slots on a sheet (1-based) of the kind; the notice's second is 0 when the sheet holds one.
struct SheetSlots {
    int first = 0;
    int second = 0;
    bool operator==(const SheetSlots&) const = default;
};
SheetSlots slotsOnSheet(DocumentKind kind, const std::vector<int>& slots, int sheet);

// What the three documents share as reports: their employees in the order chosen, the sheets
// these fill, the panel's text and the paper; each draws its own sheets.
class DocumentSheets : public print::Report {
  public:
    // The source must outlive the report.
    DocumentSheets(const DocumentSource& source, std::vector<int> slots, DocumentKind kind);

    int pageCount() const override;
    std::string countText() const override;
    print::PaperChoice paper() const override;
    print::DocumentInfo documentInfo() const override;

  protected:
    const DocumentSource& source() const { return source_; }
    DocumentKind kind() const { return kind_; }
    SheetSlots sheet(int page) const { return slotsOnSheet(kind_, slots_, page); }

  private:
    const DocumentSource& source_;
    std::vector<int> slots_;
    DocumentKind kind_;
};

struct Origin {
    float x = 0.0f;
    float y = 0.0f;
};
// The current-format copies side by side, the legacy slip's four copies (tax office, recipient,
// then the two for the municipality), the notices one above the other.
inline constexpr Origin kCurrentCopyOrigins[2] = {{-5.0f, 0.0f}, {138.0f, 0.0f}};
inline constexpr Origin kLegacyCopyOrigins[4] = {
    {-18.0f, 0.0f}, {-18.0f, 105.0f}, {130.5f, 0.0f}, {130.5f, 105.0f}};
inline constexpr Origin kNoticeOrigins[2] = {{0.0f, 0.0f}, {0.0f, 130.0f}};

}  // namespace keiro::withholding
