#pragma once
// What the main window hands to the parts it delegates its commands to (the reports, the
// social-insurance lists, the per-employee PDFs, the record windows): the program's services,
// the open year, the window their dialogs open over, and the window's own steps on the open
// period, which stay with the window because they touch its grid.

#include <QString>
#include <functional>
#include <optional>

#include "calc/pay_calc.h"
#include "core/layouts.h"
#include "core/yearfile.h"
#include "payroll/main_context.h"

class QWidget;

namespace keiro::payroll {

struct OpenPeriodContext {
    QWidget* window;  // the main window: parent of every dialog and message
    const MainContext& program;
    YearData& year;
    const PrintTables& layoutTables;  // the pay slip layout in force for the open period

    // Closes the tool tray's panels (done before any command opens a window).
    std::function<void()> closePanels;
    // Commits the current cell, collects the grid and recalculates the period; false after a
    // file error (shown).
    std::function<bool()> recalculate;
    // Whether the period differs from its saved block; nothing after a file error (shown).
    std::function<std::optional<bool>()> isModified;
    // Recalculates and saves the period without the notice; false when it failed (shown).
    std::function<bool()> saveWithoutNotice;
    // Refills the grid from the records.
    std::function<void()> rebuildGrid;
    // Refills the grid and goes back to the clerk's row, in the column of the employee in
    // `slot` (the current column when that employee has none).
    std::function<void(int slot)> rebuildGridAt;
    // The slot of the employee in the grid's current column.
    std::function<int()> currentSlot;
    // Shows the period again after its employees or settings changed.
    std::function<void()> showPeriod;
    // The context the calculation of the open period runs with.
    std::function<calc::CalcContext()> calcContext;
    // Asks for a folder (the slip pictures, the per-employee PDFs); nothing when cancelled.
    std::function<std::optional<QString>(QWidget*, const QString&)> chooseFolder;

    // Before a report that reads the saved periods from the file: the panels closed, then
    // whether to go on.  False when no period is open, when it cannot be compared (shown), or
    // when the clerk, told that unsaved changes are not in `reportName`, cancels.
    bool mayReadSavedFile(const char* reportName) const;
};

}  // namespace keiro::payroll
