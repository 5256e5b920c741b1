#pragma once
// The pay slips of the employees chosen in the employee list, one or two slips a sheet by form
// type, as the print dialog, the preview and the picture export draw them.
//
// Every slip is gathered when the report is built: the data file on disk is read once then
// (for the year-to-date block of the row design, when the settings print it), so a file that
// cannot be read fails the building with an IoError the caller shows.

#include <filesystem>
#include <string>
#include <vector>

#include "print/report.h"
#include "print/slip_data.h"

namespace keiro::print {

// The form types: 0 and 4 are pre-printed forms, 1 and 5 are B5 paper; 0..3 use the row
// design, 4..7 the grid design.
bool isGridDesign(int formType);
bool isPreprintedForm(int formType);

// Where a slip's layout starts on its sheet: B5 paper (23, 17), A4 (0, −0.5).  The second slip
// of a two-slip sheet is 148.5 mm lower, and 1 mm more on the preview at zoom 1, where the
// pre-printed form's picture has it.
struct SlipOrigin {
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const SlipOrigin&) const = default;
};
SlipOrigin slipOrigin(int formType, bool secondOnSheet, const PageOptions& options);

// Each drawing sets the layout origin of every slip it draws and gives the canvas back with the
// origin it came with.
class PaySlipReport : public Report {
  public:
    // `selected` are the slots of the chosen employees in the order of the list (a slot outside
    // 1..100 is std::out_of_range); `yearFile` is the data file on disk.
    PaySlipReport(const SlipPeriod& period, const std::vector<int>& selected,
                  const std::filesystem::path& yearFile, const PrintChoices& choices);

    int pageCount() const override;
    std::string countText() const override;
    PaperChoice paper() const override;
    DocumentInfo documentInfo() const override { return info_; }
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

    bool hasFormPicture() const override;
    void drawFormPicture(Canvas& canvas) const override;

    int pictureCount() const override;
    PaperChoice picturePaper() const override;
    std::string pictureName(int index) const override;
    void drawPicture(Canvas& canvas, int index) const override;

    const std::vector<SlipData>& slips() const { return slips_; }

  private:
    // Slip `index` (from 0) with its layout starting at `origin`.
    void drawSlip(Canvas& canvas, int index, SlipOrigin origin) const;

    int formType_;
    std::vector<SlipData> slips_;
    std::string periodLabel_;
    DocumentInfo info_;
};

}  // namespace keiro::print
