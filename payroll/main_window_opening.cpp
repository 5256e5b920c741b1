// The main window's command for the totals of the months paid before the first period kept in
// the program (an office that starts in the middle of a year).

#include "payroll/main_window.h"
#include "payroll/opening_totals_window.h"
#include "payroll/tool_tray.h"

namespace keiro::payroll {

void MainWindow::sbOpeningTotalsClick() {
    tray_->closePanels();
    if (year_.period() == 0) return;
    OpeningTotalsWindow window(this, year_, context_.messages);
    window.exec();
}

}  // namespace keiro::payroll
