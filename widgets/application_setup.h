#pragma once
// What every Qt program of the package sets up on its QApplication before the first window:
// the names, the free fonts that stand in for the Windows fonts windows and reports name
// ("ＭＳ 明朝", "ＭＳ ゴシック"), and the Japanese texts of Qt's standard buttons (はい, いいえ,
// キャンセル).  The payroll program, the withholding-slip program, the print preview, PDF output
// and the test programs all call it, so text looks the same wherever it is drawn.

#include <QString>

namespace keiro::ui {

// `programName` is the program's own name (settings, single instance); `displayName` the title
// its windows and message boxes carry.  Call once, after the QApplication exists.
void setUpApplication(const QString& programName, const QString& displayName);

}  // namespace keiro::ui
