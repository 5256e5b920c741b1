#pragma once
// A small report for the print dialog and preview tests: `employees` people on one or two slips
// a sheet by form type, a few boxes and a text per page, and a log of the pages drawn and the
// choices it was built with.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "print/page_count.h"
#include "print/print_info.h"
#include "print/report.h"

namespace keiro::print::testing {

struct FakeLog {
    std::vector<PrintChoices> built;  // every build, latest last
    std::vector<int> drawn;           // pages drawn, in order
    std::vector<bool> atZoomOne;
};

class FakeReport : public Report {
  public:
    FakeReport(ReportKind kind, int employees, PrintChoices choices, FakeLog& log,
               bool formPicture = false)
        : kind_(kind),
          employees_(employees),
          choices_(std::move(choices)),
          log_(log),
          formPicture_(formPicture) {}

    // Drawing that page throws, as a report whose data file has gone does.
    void failOnPage(int page) { failingPage_ = page; }

    int pageCount() const override {
        return kind_ == ReportKind::PaySlips ? slipSheets(employees_, choices_.formType)
                                             : transferPages(employees_);
    }
    std::string countText() const override {
        return " " + std::to_string(pageCount()) + "枚 [" + std::to_string(employees_) + "名]";
    }
    PaperChoice paper() const override { return paperFor(kind_, choices_.formType); }
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override {
        if (page == failingPage_) throw std::runtime_error("データファイルを読めません。");
        log_.drawn.push_back(page);
        log_.atZoomOne.push_back(options.previewAtZoomOne);
        canvas.setPen(Pen::Thick);
        canvas.putBox(10, 10, 190, 130);
        canvas.setPen(Pen::Thin);
        canvas.putShade(12, 12, 60, 20);
        canvas.putLine(10, 30, 190, 30);
        canvas.setFontPt(16);
        canvas.putText("給与明細書", 80, 13);
        canvas.setFontPt(10);
        canvas.putText("ページ " + std::to_string(page) + " / " + std::to_string(pageCount()), 15,
                       35);
        for (const std::string& line : choices_.comment) canvas.putText(line, 15, 45);
    }
    bool hasFormPicture() const override { return formPicture_; }
    void drawFormPicture(Canvas& canvas) const override { canvas.putShade(0, 0, 210, 8); }

  private:
    ReportKind kind_;
    int employees_;
    PrintChoices choices_;
    FakeLog& log_;
    bool formPicture_;
    int failingPage_ = 0;
};

}  // namespace keiro::print::testing
