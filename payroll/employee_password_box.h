#pragma once
// The employee editor's box for the password of the employee's pay-slip PDFs: typed hidden
// (shown on request), half-width only, at most what the record holds.  A password the program
// made says so beside the box; typing a new one makes it the employee's own.

#include <QWidget>
#include <optional>
#include <string_view>

#include "core/records.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace keiro::payroll {

class EmployeePasswordBox : public QWidget {
    Q_OBJECT
  public:
    explicit EmployeePasswordBox(QWidget* parent);

    void load(const EmployeeRecord& record);
    // Writes the password (as checked by problem()) and whether the program made it.
    void store(EmployeeRecord& record) const;
    // What is wrong with the password typed, or nothing.
    std::optional<std::string_view> problem() const;

    QLineEdit* edit() const { return passwordEdit_; }

  private:
    void showState();

    QLineEdit* passwordEdit_;
    QCheckBox* showPasswordCheck_;
    QLabel* stateLabel_;
    std::string loaded_;
    bool loadedGenerated_ = false;
};

}  // namespace keiro::payroll
