#pragma once
// EmployeeEditor, "社員情報の編集": one employee of the open period on two pages, opened from the
// employee list for an existing slot or for a new employee.  The form works on a copy of the
// record; OK checks the entry and stores it into the period, 前データ / 次データ walk through
// the slots while nothing is changed, 基本に設定 keeps the entry as the template for new
// employees, 等級表から入力 sets the monthly premiums from a health insurance grade.

#include <QDialog>

#include "core/places.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/yearfile.h"
#include "payroll/grade_table_window.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace keiro::ui {
class MessageService;
class CalculatorWindow;
}  // namespace keiro::ui

namespace keiro::payroll {

class EmployeeIdentityPage;
class EmployeePayPage;
class EmployeeSocialPage;

inline constexpr const char* kMsgTemplateQuestion =
    "現在の入力内容を新規作成時の基本に設定します。\n( ｢いいえ｣を選択すると基本設定を解除します)";
inline constexpr const char* kMsgTemplateRemoveQuestion = "新規作成時の基本設定を解除します。";
inline constexpr const char* kMsgTemplateSaved = "新規作成時の基本にしました。";
inline constexpr const char* kMsgTemplateRemoved = "基本に設定を解除しました。";

struct EmployeeEditorContext {
    YearData& year;            // the open period; OK stores into year.document()
    const Settings& settings;  // item names, automatic selection
    const Places& places;      // data folder: the template file
    ui::MessageService& messages;
    GradePremiumSetter* gradeSetter;  // lives for the program's run; nullptr: no grade table
};

class EmployeeEditor : public QDialog {
    Q_OBJECT
  public:
    // `slot` 1..100 edits that employee; a negative slot starts a new employee from the
    // template.  The form is filled at once; exec() shows it.  exec() == Accepted when OK
    // stored the record.
    EmployeeEditor(QWidget* parent, EmployeeEditorContext context, int slot);

    int storedSlot() const { return storedSlot_; }  // the slot OK wrote (0 before)
    int slot() const { return slot_; }              // the slot on show; negative: new

    // Whether the form differs from the record as it was shown.
    bool isChanged() const;

    void showPreviousEmployee();
    void showNextEmployee();
    void calculateFocusedBox();
    void saveOrRemoveTemplate();
    void setPremiumsFromGrade();
    // 単価を計算: the units from the wage on the pay page and the company's monthly hours.
    void suggestUnitPrices();
    void saveEmployee();
    // キャンセル, Escape and the window's close button: changes are dropped only after a
    // question.
    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void showCurrentEmployee();
    // Shows `record` as the employee of the current slot and remembers it as loaded.
    void showRecord(const EmployeeRecord& record);
    void moveTo(int slot);
    // The record on show with the form stored into it.  Throws text::EncodingError.
    EmployeeRecord formRecord() const;
    EmployeeRecord newEmployeeTemplate();
    void updateButtons();
    int previousUsedSlot() const;
    // The open period's records, for reading.
    const PeriodBlock& records() const;

    EmployeeEditorContext context_;
    int slot_;
    int storedSlot_ = 0;
    EmployeeRecord working_{};   // the record on show: fields the form has no box for
    EmployeeRecord asLoaded_{};  // the form as it was first shown, stored into a record

    QTabWidget* pageTabs_;
    EmployeeIdentityPage* identity_;
    EmployeePayPage* pay_;
    EmployeeSocialPage* social_;
    QLabel* slotLabel_;
    QPushButton* previousButton_;
    QPushButton* nextButton_;
    QPushButton* fromGradeButton_;
    ui::CalculatorWindow* calculator_;
};

}  // namespace keiro::payroll
