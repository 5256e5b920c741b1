#pragma once
// The hand-over notice of the passwords the program made for the employees' pay-slip PDFs: one
// A4 page per employee (cut out or folded and handed over in person), with the company, the
// period, the employee's code and name, the password in large type, and how to open the files.
// The notice is made once, for the passwords made in that run; afterwards the password is only
// shown in the employee editor.

#include <string>
#include <vector>

#include "print/report.h"

namespace keiro::print {

struct PasswordNotice {
    std::string employeeCode;
    std::string name;
    std::string password;
    std::string fileName;  // of this period's PDF, as an example of the files to expect
};

class PasswordNoticeReport : public Report {
  public:
    // `period` names the period the PDFs are for ("令和8年 5月分給与").
    PasswordNoticeReport(std::string company, std::string period,
                         std::vector<PasswordNotice> notices);

    int pageCount() const override;
    std::string countText() const override;  // " %2d枚 [%d名]"
    PaperChoice paper() const override;
    DocumentInfo documentInfo() const override {
        return {"PDFパスワードのお知らせ " + period_, company_};
    }
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

  private:
    std::string company_;
    std::string period_;
    std::vector<PasswordNotice> notices_;
};

}  // namespace keiro::print
