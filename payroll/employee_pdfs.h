#pragma once
// EmployeePdfs: 社員別PDF出力 in the pay slips' print dialog.  The chosen employees' pay slips as
// one PDF each, for handing over electronically, optionally protected with each employee's
// password; passwords made for the purpose are saved with the period and listed on a hand-over
// notice.

#include <vector>

#include "print/qt/dialog/print_request.h"

class QWidget;

namespace keiro::payroll {

struct OpenPeriodContext;

class EmployeePdfs {
  public:
    explicit EmployeePdfs(const OpenPeriodContext& period) : period_(period) {}

    // A folder, whether to protect the files with the employees' passwords (new ones are made
    // and the period saved), then one PDF per employee of `chosen` (slots).  False when nothing
    // was written.
    bool write(QWidget* parent, const std::vector<int>& chosen, const print::PrintChoices& choices);

  private:
    const OpenPeriodContext& period_;
};

}  // namespace keiro::payroll
