#pragma once
// YearChartWindow, "年間の支給と控除": the year's bar chart for the whole company or one
// employee, chosen above it.  The file is read once when the window opens; the open period
// counts as it stands.

#include <QDialog>
#include <optional>

#include "core/year_view.h"
#include "core/yearfile.h"

class QComboBox;

namespace keiro::payroll {

class YearChartView;

class YearChartWindow : public QDialog {
    Q_OBJECT
  public:
    // `slot` (1..100) is the employee shown first; 0 the company.  IoError when the year file
    // cannot be read.
    YearChartWindow(QWidget* parent, const YearData& year, const ItemNames& names, int slot);

    YearChartView* chart() const { return chart_; }
    // Shows the company (index 0) or the index-th employee of the choice.
    void showChoice(int index);

  private:
    const YearData& year_;
    const ItemNames& names_;
    YearView file_;
    std::vector<std::string> recordIds_;  // per choice; empty for the company
    QComboBox* choice_;
    YearChartView* chart_;
};

}  // namespace keiro::payroll
