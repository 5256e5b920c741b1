#pragma once
// PeriodRecords: the windows that change the open period's records outside the grid.  The
// employee list (with the employee editor), the detail entry of one employee, the attendance
// import and the totals of the months paid before the first period kept here.  Each first takes
// what the grid holds into the records, and has the grid rebuilt from the records afterwards.

#include <functional>
#include <memory>
#include <vector>

#include "payroll/employee_list_window.h"

namespace keiro::payroll {

struct OpenPeriodContext;
struct MainContext;
class GradePremiumSetter;
class GradeTableWindow;

class PeriodRecords {
  public:
    // `printRoster` prints the roster from the employee list.
    PeriodRecords(const OpenPeriodContext& period, std::function<void()> printRoster);
    ~PeriodRecords();

    // 社員情報: the employee list (with the employee editor), then the period shown again.
    void editEmployees();
    // 個別入力: the detail entry window for the employee of the grid's current column.
    void enterEmployeePay();
    // 勤怠インポート: asks for an attendance file, writes it into the open period's attendance
    // records, rebuilds the grid and reports how many employees it read.
    void importAttendance();
    // 前月までの支給累計: the totals of the months paid before the first period kept here (an
    // office that starts in the middle of a year).
    void editOpeningTotals();

    // The employee list in its choosing mode (for the ledger or the pay slips): the chosen
    // slots in the list's order, none when cancelled.
    std::vector<int> chooseEmployees(bool ledger);

  private:
    // 等級表から入力 of the employee editor: one for the run, so its question is asked once;
    // nullptr when the grade table could not be loaded.
    GradePremiumSetter* gradeSetter();
    // What the employee list works with, in editing and in choosing.
    EmployeeListContext employeeListContext();

    const OpenPeriodContext& period_;
    const MainContext& context_;
    YearData& year_;
    std::function<void()> printRoster_;
    GradeTableWindow* gradeWindow_ = nullptr;  // a child of the main window
    std::unique_ptr<GradePremiumSetter> gradeSetter_;
    int employeeListSort_ = 0;  // the employee list's order, kept for the run
};

}  // namespace keiro::payroll
