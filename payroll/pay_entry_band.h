#pragma once
// One band of the individual entry window (勤 怠, 支 給, 控 除 or その他): a titled group of rows,
// each a caption `lb<Name><n>` and a numeric box `ed<Name><n>` (n from 1), built once for the
// band's layout positions.  Showing an employee sets each row's caption, visibility, read-only
// state, colours and value from the employee's sheet.

#include <QGroupBox>
#include <vector>

#include "payroll/model/employee_sheet.h"

class QLabel;
class QLineEdit;

namespace keiro::ui {
class MessageService;
struct EntrySettings;
}  // namespace keiro::ui

namespace keiro::payroll {

class PayEntryBand : public QGroupBox {
    Q_OBJECT
  public:
    // `name` is the part of the object names after lb / ed ("Kintai", "Sikyu", "Koujo",
    // "Sonota").  The rows' boxes take the entry format of the band's items in `sheet`.
    PayEntryBand(QWidget* parent, const QString& title, const QString& name, Band band,
                 const EmployeeSheet& sheet, const ui::EntrySettings& entry,
                 ui::MessageService& messages);

    Band band() const { return band_; }
    int rowCount() const { return static_cast<int>(edits_.size()); }
    QLineEdit* edit(int position) const { return edits_.at(static_cast<std::size_t>(position)); }
    QLabel* label(int position) const { return labels_.at(static_cast<std::size_t>(position)); }
    // The position of one of the band's boxes; −1 for any other widget.
    int positionOf(const QWidget* widget) const;

    // Every row as the sheet's employee has it.
    void showEmployee(const EmployeeSheet& sheet);

  signals:
    // The user left a box with a valid entry (after its reformatting).
    void entryLeft(int position);

  private:
    Band band_;
    std::vector<QLabel*> labels_;
    std::vector<QLineEdit*> edits_;
};

}  // namespace keiro::payroll
