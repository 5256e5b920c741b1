#pragma once
// "前月までの支給累計（年の途中から使い始めたとき）": for an office that starts using the program
// in the middle of a year, each employee's totals of the months paid this year before the first
// period kept here (総支給額, 課税支給額, 社会保険料, 所得税) and the last of those months' pay
// after social insurance.  The year-end adjustment adds them to the year's totals, and a bonus
// whose previous month is not in the file is taxed from the last month's figure.
//
// One row per employee of the open period, the five amounts editable; 保存 checks every row,
// then writes them all in one go into every period of the year holding each employee
// (core/opening_totals.h).  A refused row is shown and selected; nothing is written then.

#include <QDialog>
#include <vector>

#include "core/records.h"

class QTableWidget;

namespace keiro {
class YearData;
}

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

inline constexpr const char* kOpeningTotalsCaption =
    "前月までの支給累計（年の途中から使い始めたとき）";
inline constexpr const char* kMsgOpeningTotalsSaved = "前月までの支給累計を保存しました。";

class OpeningTotalsWindow : public QDialog {
    Q_OBJECT
  public:
    OpeningTotalsWindow(QWidget* parent, YearData& year, ui::MessageService& messages);

    // 保存: the checks, then the write; the window closes with Accepted once written.
    void save();

    QTableWidget* table() const { return table_; }
    // The column of an amount in the table (0..4 in the order of the record).
    static int amountColumn(int amount);

  private:
    void fill();
    // The row's amounts, or the message that refuses them (with the column to select).
    bool readRow(int row, OpeningTotals& totals, int& badColumn, QString& problem) const;

    YearData& year_;
    ui::MessageService& messages_;
    QTableWidget* table_;
    std::vector<int> slots_;  // the table's rows: slot indexes (0-based) of the open period
};

}  // namespace keiro::payroll
