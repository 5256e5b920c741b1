// The main window's commands for the print layouts: the pay slip layout of the open period's
// kind, which also decides the grid's rows and what the calculation counts, and the items of
// the ledger and the monthly list.

#include <memory>

#include "payroll/ledger_items_window.h"
#include "payroll/main_window.h"
#include "payroll/pay_grid_view.h"
#include "payroll/slip_layout_window.h"
#include "payroll/tool_tray.h"

namespace keiro::payroll {

void MainWindow::sbPrnFormKClick() {
    editSlipLayout(LayoutKind::Salary);
}

void MainWindow::sbPrnFormSClick() {
    editSlipLayout(LayoutKind::Bonus);
}

void MainWindow::editSlipLayout(LayoutKind kind) {
    tray_->closePanels();
    // Only the layout of the open period's kind is in force; the other one is not offered.
    if (year_.period() == 0 || isBonusPeriod(year_.period()) != (kind == LayoutKind::Bonus)) return;
    if (!recalculatePeriod()) return;
    std::unique_ptr<SlipLayoutWindow> window;
    if (kind == LayoutKind::Salary) {
        window = std::make_unique<SalarySlipLayoutWindow>(this, context_.ini, context_.settings.itemNames,
                                               context_.messages);
    } else {
        window = std::make_unique<BonusSlipLayoutWindow>(this, context_.ini, context_.settings.itemNames,
                                               context_.messages);
    }
    const std::optional<PrintTables> tables = window->edit();
    if (!tables) return;
    // The grid's rows and the calculation's items follow the layout just written.
    useLayout(*tables);
    rebuildGridAt(grid_.slotOf(gridView_->currentColumn()));
}

void MainWindow::sbDaichoClick() {
    tray_->closePanels();
    if (!recalculatePeriod()) return;
    LedgerItemsWindow window(this, context_.settings, context_.ini, context_.messages);
    window.prepare();
    window.exec();
}

}  // namespace keiro::payroll
