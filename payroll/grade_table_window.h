#pragma once
// GradeTableWindow, "健康保険等級表": every grade of the health insurance grade table, one a line
// (lower and upper bound of the monthly remuneration and its standard amount).  The employee
// editor's 等級表から入力 lets the user pick a grade here; GradePremiumSetter then turns it into
// the monthly premiums of the open period's rates, 子ども・子育て支援金 included.

#include <QDialog>
#include <functional>
#include <optional>

#include "calc/premiums.h"

class QLabel;
class QListWidget;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class GradeTableWindow : public QDialog {
    Q_OBJECT
  public:
    // The table is the one read at start-up; it outlives the window.
    GradeTableWindow(QWidget* parent, ui::MessageService& messages,
                     const calc::HealthGradeTable& table);
    // Another year's table (it too outlives the window): listed from the next showing on.
    void useTable(const calc::HealthGradeTable& table);

    // Shows the list modally with the employee's stored grade selected (grade 1 when the
    // employee has none); the selected grade on OK, nothing on キャンセル.
    std::optional<int> choose(int storedGrade);

    // Prepares a showing: on the first one the list is filled and the window centred over its
    // parent (the employee editor); then the stored grade is selected.
    void prepare(int storedGrade);
    // OK, Enter or a double click: the selected grade becomes the answer.
    void acceptGrade();

    int selectedGrade() const;
    std::optional<int> chosenGrade() const { return chosen_; }

  private:
    void showSelectedGrade();

    const calc::HealthGradeTable* table_;
    QListWidget* list_;
    QLabel* label_;
    bool filled_ = false;
    std::optional<int> chosen_;
};

// 等級表から入力: asks once per run whether premiums are to be set from the grade table, lets
// the user choose a grade and works out the monthly premiums from the given rates.
class GradePremiumSetter {
  public:
    // The grade choice (normally GradeTableWindow::choose), given the employee's stored grade.
    using Chooser = std::function<std::optional<int>(int storedGrade)>;

    struct Result {
        int grade = 0;  // to be stored in the employee's record with the premiums
        calc::MonthlyPremiums premiums;
    };

    GradePremiumSetter(ui::MessageService& messages, const calc::HealthGradeTable& table,
                       Chooser chooser);
    GradePremiumSetter(ui::MessageService& messages, GradeTableWindow& window,
                       const calc::HealthGradeTable& table);

    // Nothing when the user answers いいえ to the question or cancels the grade window.  The
    // window opens on the grade of `remuneration` (報酬月額) when one is entered, else on the
    // stored grade.
    std::optional<Result> setFromGrade(QWidget* parent, int storedGrade,
                                       const PeriodSettings& rates, std::int32_t remuneration = 0);
    // "22等級　標準報酬月額 360,000円"; "" for no grade of the table.
    QString describeGrade(int grade) const;

    bool askedAlready() const { return confirmed_; }
    // The grades of the period being edited (the table outlives the setter).
    void useTable(const calc::HealthGradeTable& table) { table_ = &table; }

  private:
    ui::MessageService& messages_;
    const calc::HealthGradeTable* table_;
    Chooser chooser_;
    bool confirmed_ = false;  // はい once: not asked again in this run
};

}  // namespace keiro::payroll
