#pragma once
// The payroll program from launch to its end: one copy per user, the settings folder, the table
// files, the main window, the password, the first period, and the message loop.

namespace keiro::payroll {

// The whole program; returns the exit code.  Needs a QApplication.
int runPayroll();

}  // namespace keiro::payroll
