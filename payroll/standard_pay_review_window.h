#pragma once
// StandardPayReviewWindow, "算定基礎届": the April-June decision of every health-insured employee
// of the open year (the three months' days and 報酬, the months counted, total and average, the new
// and the previous grades, the employees left out and why).  The 修正平均額 column takes an amount
// for a decided line and decides it again; so does a 支払基礎日数 corrected in a paid month.  適用
// asks first, then hands the decisions to the owner, which writes them into the periods they apply
// to; nothing is written without the clerk's OK. 印刷 and CSV出力 are the owner's too (the list as
// a report, the table as a CSV file).

#include <QDialog>
#include <functional>
#include <vector>

#include "payroll/model/santei_sheet.h"

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

inline constexpr const char* kMsgReviewNothingToApply = "適用する等級がありません。";
inline constexpr const char* kMsgReviewBadAmount = "修正平均額は0以上の金額を入力して下さい。";
inline constexpr const char* kMsgReviewBadDays =
    "支払基礎日数は0から31までの日数を入力して下さい。";

class StandardPayReviewWindow : public QDialog {
    Q_OBJECT
  public:
    // Writes the sheet's decisions and corrected days; true when they were written (the owner
    // tells the clerk either way).
    using Apply = std::function<bool(QWidget*, const SanteiSheet&)>;
    using Output = std::function<void(QWidget*, const std::vector<calc::SanteiLine>&)>;

    StandardPayReviewWindow(QWidget* parent, ui::MessageService& messages, SanteiSheet sheet,
                            int calendarYear);
    void setApply(Apply apply) { apply_ = std::move(apply); }
    // 印刷 and CSV出力 are enabled once the owner gives them something to do.
    void setPrint(Output print);
    void setCsv(Output csv);

    const SanteiSheet& sheet() const { return sheet_; }
    // 適用: the question, then the owner's writing.
    void applyDecisions();

  private:
    void fillRow(int row);
    void cellEdited(QTableWidgetItem* item);

    ui::MessageService& messages_;
    SanteiSheet sheet_;
    int calendarYear_;
    QTableWidget* table_;
    Apply apply_;
    Output print_;
    Output csv_;
    bool filling_ = false;
};

// The question 適用 asks: how many employees and from which month.
QString gradeApplyQuestion(int employees, int calendarYear);

}  // namespace keiro::payroll
