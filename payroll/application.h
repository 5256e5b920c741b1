#pragma once
// The payroll program from launch to its end: one copy per user, the settings folder, the table
// files, the main window, the password, the first period, and the message loop.

namespace keiro::payroll {

// Sets up the running QApplication for the program: title "Hayame", the substitutes for the
// Windows fonts the windows name, and the Japanese texts of Qt's standard buttons.
void setUpApplication();

// The whole program; returns the exit code.  Needs a QApplication.
int runPayroll();

}  // namespace keiro::payroll
