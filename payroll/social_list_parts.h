#pragma once
// What the yearly social-insurance list windows share: a table of read-only headings, and the
// buttons along the bottom: 適用 at the left, 印刷, CSV出力 and 閉じる (which closes the window)
// at the right.  The windows connect the others themselves.

#include <string>
#include <vector>

class QBoxLayout;
class QTableWidget;
class QWidget;
class QDialog;
class QPushButton;

namespace keiro::payroll {

struct SocialListButtons {
    QPushButton* apply;  // btApply
    QPushButton* print;  // btPrint
    QPushButton* csv;    // btCsv
    QPushButton* close;  // btClose
};

// A table named `name` with these column headings and `rows` rows, no row headings.
QTableWidget* makeListTable(QWidget* parent, const char* name,
                            const std::vector<std::string>& headings, int rows);

// Sizes the window to show every column of `table` where the screen allows.
void fitToTable(QDialog* window, const QTableWidget* table, int height);

// Adds the row of buttons under what `column` already holds.
SocialListButtons addSocialListButtons(QDialog* window, QBoxLayout* column);

}  // namespace keiro::payroll
