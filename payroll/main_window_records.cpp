// The main window's commands that change the employees' records outside the grid: the employee
// list, the detail entry of one employee and the attendance import.  Each first takes what the
// grid holds into the records, and rebuilds the grid from the records afterwards.

#include "core/attendance_import.h"
#include "core/employee_csv.h"
#include "core/fileio.h"
#include "payroll/employee_editor.h"
#include "payroll/employee_list_window.h"
#include "payroll/grade_table_window.h"
#include "payroll/main_window.h"
#include "payroll/pay_entry_window.h"
#include "payroll/pay_grid_view.h"
#include "payroll/tool_tray.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

void MainWindow::rebuildGridAt(int slot) {
    const int row = gridView_->currentRow();
    int column = gridView_->currentColumn();
    rebuildGrid();
    for (int c = 1; c <= grid_.employeeCount(); ++c) {
        if (grid_.slotOf(c) == slot) column = c;
    }
    if (row >= 1 && row < grid_.rowCount()) gridView_->selectCell(row, column);
}

GradePremiumSetter* MainWindow::gradeSetter() {
    const calc::HealthGradeTable* grades = context_.tables.gradesFor(year_);
    if (grades == nullptr) return nullptr;
    if (!gradeSetter_) {
        gradeWindow_ = new GradeTableWindow(this, *grades);
        gradeSetter_ =
            std::make_unique<GradePremiumSetter>(context_.messages, *gradeWindow_, *grades);
    }
    gradeWindow_->useTable(*grades);  // the open period's
    gradeSetter_->useTable(*grades);
    return gradeSetter_.get();
}

EmployeeListContext MainWindow::employeeListContext() {
    return EmployeeListContext{
        year_,
        context_.ini,
        context_.settings,
        context_.places,
        context_.messages,
        context_.dialogs,
        [this](QWidget* parent, int slot) {
            EmployeeEditor editor(parent,
                               EmployeeEditorContext{year_, context_.settings, context_.places,
                                                     context_.messages, gradeSetter()},
                               slot);
            return editor.exec() == QDialog::Accepted ? editor.storedSlot() : 0;
        },
        &employeeListSort_,
        [this] { printRoster(); }};
}

void MainWindow::imSyainEditClick() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    EmployeeListWindow window(this, employeeListContext());
    window.exec();
    showPeriod();  // employees may have come, gone or changed pay form
}

void MainWindow::sbDataEditClick() {
    tray_->closePanels();
    if (year_.period() == 0) return;
    const int slot = grid_.slotOf(gridView_->currentColumn());
    if (slot < 1 || slot > kMaxEmployees || !year_.block().employee(slot).isUsed()) return;
    if (!recalculatePeriod()) return;
    PayEntryWindow window(
        this,
        PayEntryContext{year_, context_.settings, layoutTables_, calcContext(), context_.messages},
        slot);
    window.exec();
    rebuildGridAt(window.slot());
}

void MainWindow::ImportAttendance() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    const std::optional<QString> path =
        context_.dialogs.openFile(this, QStringLiteral("勤怠データを開く"), QString(),
                                  QStringLiteral("勤怠データ (*.csv *.txt);;すべてのファイル (*)"));
    if (!path) return;

    AttendanceCsv csv;
    try {
        csv = readAttendanceCsv(path->toStdString());
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(kMsgCsvCannotOpen.data()) +
                                          QLatin1Char('\n') + QString::fromUtf8(e.what()));
        return;
    }
    if (!csv.error.empty()) {
        context_.messages.error(this, QString::fromStdString(csv.error));
        return;
    }
    const int period = year_.period();
    const int monthDays = attendanceMonthDays(
        FileYear{year_.eraName() != context_.eraNames.earlier, year_.eraYear()}, period);
    // Every refused line is listed before anything is written; the clerk may stop there.
    const AttendanceCheck check = checkAttendanceRows(year_.block(), csv.rows, monthDays);
    if (!check.refused.empty() &&
        !context_.messages.confirm(this, QString::fromStdString(refusedLinesQuestion(check)),
                                   true)) {
        return;
    }
    const AttendanceImportResult result = importAttendance(
        year_.block(), csv.rows,
        [this, period](std::string_view recordId) {
            return year_.readPreviousPaidLeaveBalance(period, recordId);
        },
        [](const std::string&) {},  // listed above
        monthDays);
    // The previous period's file could not be read: the lines before it stay imported.
    if (!result.error.empty()) context_.messages.error(this, QString::fromStdString(result.error));
    if (result.imported > 0) rebuildGridAt(grid_.slotOf(gridView_->currentColumn()));
    context_.messages.information(this, QString::fromStdString(result.message));
}

}  // namespace keiro::payroll
