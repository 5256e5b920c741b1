#pragma once
// PayEntryWindow, "詳細入力画面": one employee's whole record for the open period (salary month or
// bonus) as four bands of boxes side by side (勤 怠, 支 給, 控 除, その他), the totals, a legend
// of the box colours and the remarks.  The user types variable items, switches automatic items
// to hand entry (修正ON/OFF) and sees the employee recalculated after every box.  Entries go
// through the period's document (core/payroll_period.h), so the main window's grid shows them
// as they are made; the main window recalculates the period before, and rebuilds its grid
// after.

#include <QDialog>
#include <array>
#include <memory>

#include "calc/pay_calc.h"
#include "core/layouts.h"
#include "core/settings.h"
#include "payroll/model/employee_sheet.h"

class QLineEdit;
class QPushButton;

namespace keiro {
class YearData;
}

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class PayBasisDaysBox;
class PayFactsBox;
struct PayFacts;
class PayEntryBand;
class PayEntrySummary;

struct PayEntryContext {
    YearData& year;  // the open period; the window edits it through year.document()
    const Settings& settings;
    const PrintTables& tables;  // pay slip layouts of the open period's kind
    calc::CalcContext calc;     // as MainWindow::calcContext() makes it
    ui::MessageService& messages;
};

class PayEntryWindow : public QDialog {
    Q_OBJECT
  public:
    // For an in-use 在職 employee of the open period.
    PayEntryWindow(QWidget* parent, PayEntryContext context, int slot);
    ~PayEntryWindow() override;

    int slot() const;  // the employee shown (after 前データ/次データ)

    // A box was left with a valid entry: all boxes are stored, the paid-leave balance carried
    // when the box was 有休日数, the employee recalculated and shown again.
    void boxLeft(Band band, int position);
    // 再計算: stores the boxes, recalculates and shows the employee; a bonus whose income tax
    // needs hand entry asks whether to switch it.
    void recalculateAndShow();
    // 修正ON/OFF: switches the focused automatic item to hand entry or back.
    void toggleHandEntry();
    // 電卓起動: the calculator's result goes into the focused box.
    void runCalculator();
    // 前データ / 次データ: the previous or next employee at work.
    void showPrevious() { moveTo(-1); }
    void showNext() { moveTo(+1); }

    // The band of 勤 怠, 支 給, 控 除 or その他.
    PayEntryBand* band(Band band) const { return bands_[static_cast<int>(band)]; }

  public slots:
    // 戻る, Escape and the close box: refused while the focused box's entry is still to be
    // reformatted (the user then sees the corrected value); otherwise the boxes are stored.
    void reject() override;

  private:
    struct Focused {
        Band band = Band::Attendance;
        int position = -1;
        QLineEdit* box = nullptr;
    };
    enum class Check { Unchanged, Reformatted, Refused };

    QWidget* buildButtons();
    Focused focused() const;
    // Checks and reformats the box that has the focus, as leaving it would.
    Check checkFocusedBox();
    void storeBoxes();
    // storeBoxes, and the paid-leave balance carried when the focused box is 有休日数: what
    // leaving the box does, for the buttons, which take no focus.
    void storeBoxesAsLeft();
    void carryPaidLeave();
    bool recalculate();
    void showEmployee();
    // The 支払基礎日数 box of a salary month; hidden for a bonus.
    void showPayBasisDays();
    // Stores what the clerk marked for the social-insurance forms; false (and a message) when
    // refused.
    bool storePayFacts(const PayFacts& facts);
    void updateButtons();
    void moveTo(int direction);

    PayEntryContext context_;
    std::unique_ptr<EmployeeSheet> sheet_;
    std::array<PayEntryBand*, kBandCount> bands_{};
    PayEntrySummary* summary_ = nullptr;
    PayBasisDaysBox* basisDaysBox_ = nullptr;
    PayFactsBox* factsBox_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* handEntryButton_ = nullptr;
    QPushButton* calculatorButton_ = nullptr;
    QMetaObject::Connection focusWatch_;
    bool closing_ = false;
};

}  // namespace keiro::payroll
