#include "payroll/period_records.h"

#include "core/attendance_import.h"
#include "core/employee_csv.h"
#include "core/fileio.h"
#include "payroll/employee_editor.h"
#include "payroll/grade_table_window.h"
#include "payroll/open_period_context.h"
#include "payroll/opening_totals_window.h"
#include "payroll/pay_entry_window.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

PeriodRecords::PeriodRecords(const OpenPeriodContext& period, std::function<void()> printRoster)
    : period_(period),
      context_(period.program),
      year_(period.year),
      printRoster_(std::move(printRoster)) {}

PeriodRecords::~PeriodRecords() = default;

GradePremiumSetter* PeriodRecords::gradeSetter() {
    const calc::HealthGradeTable* grades = context_.tables.gradesFor(year_);
    if (grades == nullptr) return nullptr;
    if (!gradeSetter_) {
        gradeWindow_ = new GradeTableWindow(period_.window, context_.messages, *grades);
        gradeSetter_ =
            std::make_unique<GradePremiumSetter>(context_.messages, *gradeWindow_, *grades);
    }
    gradeWindow_->useTable(*grades);  // the open period's
    gradeSetter_->useTable(*grades);
    return gradeSetter_.get();
}

EmployeeListContext PeriodRecords::employeeListContext() {
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
        printRoster_};
}

void PeriodRecords::editEmployees() {
    period_.closePanels();
    if (year_.period() == 0 || !period_.recalculate()) return;
    EmployeeListWindow window(period_.window, employeeListContext());
    window.exec();
    period_.showPeriod();  // employees may have come, gone or changed pay form
}

void PeriodRecords::enterEmployeePay() {
    period_.closePanels();
    if (year_.period() == 0) return;
    const int slot = period_.currentSlot();
    if (slot < 1 || slot > kMaxEmployees || !year_.block().employee(slot).isUsed()) return;
    if (!period_.recalculate()) return;
    PayEntryWindow window(period_.window,
                          PayEntryContext{year_, context_.settings, period_.layoutTables,
                                          period_.calcContext(), context_.messages},
                          slot);
    window.exec();
    period_.rebuildGridAt(window.slot());
}

void PeriodRecords::importAttendance() {
    period_.closePanels();
    if (year_.period() == 0 || !period_.recalculate()) return;
    const std::optional<QString> path =
        context_.dialogs.openFile(period_.window, QStringLiteral("勤怠データを開く"), QString(),
                                  QStringLiteral("勤怠データ (*.csv *.txt);;すべてのファイル (*)"));
    if (!path) return;

    AttendanceCsv csv;
    try {
        csv = readAttendanceCsv(path->toStdString());
    } catch (const IoError& e) {
        context_.messages.error(period_.window, QString::fromUtf8(kMsgCsvCannotOpen.data()) +
                                                    QLatin1Char('\n') +
                                                    QString::fromUtf8(e.what()));
        return;
    }
    if (!csv.error.empty()) {
        context_.messages.error(period_.window, QString::fromStdString(csv.error));
        return;
    }
    const int period = year_.period();
    const int monthDays = attendanceMonthDays(
        FileYear{year_.eraName() != context_.eraNames.earlier, year_.eraYear()}, period);
    // Every refused line is listed before anything is written; the clerk may stop there.
    const AttendanceCheck check = checkAttendanceRows(year_.block(), csv.rows, monthDays);
    if (!check.refused.empty() &&
        !context_.messages.confirm(period_.window,
                                   QString::fromStdString(refusedLinesQuestion(check)), true)) {
        return;
    }
    const AttendanceImportResult result = keiro::importAttendance(
        year_.document(), csv.rows,
        [this, period](std::string_view recordId) {
            return year_.readPreviousPaidLeaveBalance(period, recordId);
        },
        [](const std::string&) {},  // listed above
        monthDays);
    // The previous period's file could not be read: the lines before it stay imported.
    if (!result.error.empty())
        context_.messages.error(period_.window, QString::fromStdString(result.error));
    if (result.imported > 0) period_.rebuildGridAt(period_.currentSlot());
    context_.messages.information(period_.window, QString::fromStdString(result.message));
}

std::vector<int> PeriodRecords::chooseEmployees(bool ledger) {
    EmployeeListWindow chooser(
        period_.window, employeeListContext(),
        ledger ? EmployeeListWindow::Mode::ChooseLedger : EmployeeListWindow::Mode::ChoosePaySlips);
    if (chooser.exec() != QDialog::Accepted) return {};
    return chooser.chosenSlots();
}

void PeriodRecords::editOpeningTotals() {
    period_.closePanels();
    if (year_.period() == 0) return;
    OpeningTotalsWindow window(period_.window, year_, context_.messages);
    window.exec();
}

}  // namespace keiro::payroll
