#pragma once
// The withholding-slip program from launch to its end: one copy per user, the settings folder
// check, the main window (which asks for the password and the year file on its first
// activation), and the message loop.

namespace keiro::withholding {

// The whole program; returns the exit code.  Needs a QApplication.
int runWithholding();

}  // namespace keiro::withholding
