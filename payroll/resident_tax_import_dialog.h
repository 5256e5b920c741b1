#pragma once
// "住民税額の取込": the year's residence-tax amounts read from a CSV file (core/
// resident_tax_import.h), shown before anything is written.  One row per accepted line with the
// employee's 住民税(6月) and 住民税(以外) as they are and as they will be; below, every refused
// line with its reason.  取込 applies the accepted lines, キャンセル leaves the master as it was.

#include <QDialog>

#include "core/resident_tax_import.h"

class QLabel;
class QListWidget;
class QTableWidget;

namespace keiro {
class YearData;
}

namespace keiro::ui {
class FileDialogs;
class MessageService;
}  // namespace keiro::ui

namespace keiro::payroll {

inline constexpr const char* kResidentTaxImportCaption = "住民税額の取込";

class ResidentTaxImportDialog : public QDialog {
    Q_OBJECT
  public:
    // `target` names the period the amounts go into ("令和08年 7月分給与").
    ResidentTaxImportDialog(QWidget* parent, const ResidentTaxImport& preview,
                            const QString& target);

    QTableWidget* table() const { return table_; }
    QListWidget* refusedList() const { return refused_; }

  private:
    void fill(const ResidentTaxImport& preview);

    QTableWidget* table_;
    QListWidget* refused_;
    QLabel* refusedCaption_;
};

// The command of the employee list: the open dialog, the checks, the preview, and on 取込 the
// amounts set in the open period's employee master (saved with the period, like the editor's
// changes).  Returns how many employees' amounts changed.
int importResidentTaxAmounts(QWidget* parent, YearData& year, ui::MessageService& messages,
                             ui::FileDialogs& dialogs);

}  // namespace keiro::payroll
