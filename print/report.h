#pragma once
// A report as the print dialog, the preview and the exports see it: a number of pages (sheets)
// on one paper, each drawn by one call, plus what the dialog's panel says about them.
//
// The caller of the print dialog hands over a way to build the report from the dialog's choices
// (form type, pay date, comment, list method …); the dialog rebuilds it whenever a choice that
// changes the pages changes, and draws it on the printer, the preview or a PDF through the same
// drawPage.

#include <string>
#include <vector>

#include "print/canvas.h"
#include "print/print_info.h"

namespace keiro::print {

// The pay date as the dialog's edits hold it: the era name of the label and the three numbers
// (0 for an empty edit).
struct PayDateEntry {
    std::string eraName;
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const PayDateEntry&) const = default;
};

// How the monthly list orders and groups its employees.
enum class ListMethod { Normal, ByCategory, ByDepartment };

// Everything the print dialog lets the user choose that changes what is drawn.
struct PrintChoices {
    int formType = 3;                  // pay slips: the form type 0..7
    PayDateEntry payDate;              // pay slips
    std::vector<std::string> comment;  // pay slips: the memo's lines (at most five)
    bool printRemarks = false;  // pay slips: each employee's own remarks instead of the comment
    ListMethod listMethod = ListMethod::Normal;  // monthly list
    bool allEmployees = false;                   // denomination table: those paid by transfer too
    bool operator==(const PrintChoices&) const = default;
};

// What a PDF file of the report says of itself: the report's name with its period, and the
// company that issues it.
struct DocumentInfo {
    std::string title;
    std::string author;
    bool operator==(const DocumentInfo&) const = default;
};

// How one page is being drawn.
struct PageOptions {
    // The preview at zoom 1 shows a two-slip sheet's second slip 1 mm lower, where the
    // pre-printed form's picture has it.
    bool previewAtZoomOne = false;
};

class Report {
  public:
    virtual ~Report() = default;

    // Pages (sheets) to print, at least one for the lists; 0 when there is nothing to print.
    virtual int pageCount() const = 0;
    // The text of the dialog's page panel (" 2枚 [3名]" and the like).
    virtual std::string countText() const = 0;
    virtual PaperChoice paper() const = 0;
    virtual DocumentInfo documentInfo() const { return {}; }
    // Draws page 1..pageCount() on the canvas, whose transform already carries the user's
    // position correction and the device.
    virtual void drawPage(Canvas& canvas, int page, const PageOptions& options) const = 0;

    // Reports printed on a pre-printed form draw that form's own printing as a picture the
    // preview shows behind the page (a whole sheet, no position correction).
    virtual bool hasFormPicture() const { return false; }
    virtual void drawFormPicture(Canvas&) const {}

    // Reports that can also be saved one person per picture (pay slips): how many pictures, the
    // paper whose metrics a picture takes, each picture's name before it is made safe as a file
    // name ("給与08-11[山田 太郎]" and the like) and its drawing (one slip, at its own origin).
    virtual int pictureCount() const { return 0; }
    virtual PaperChoice picturePaper() const { return {Paper::A5, Orientation::Landscape}; }
    virtual std::string pictureName(int /*index*/) const { return {}; }
    virtual void drawPicture(Canvas& /*canvas*/, int /*index*/) const {}
};

}  // namespace keiro::print
