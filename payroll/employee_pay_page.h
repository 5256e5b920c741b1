#pragma once
// The employee editor's second page, "支給/控除/保険料": the wage and the unit prices of
// overtime, paid leave, absence and lateness, the fixed allowances and deductions (captioned
// with the user's item names), commuting allowances, resident tax, and the social insurance
// flags with the monthly premiums, and the municipality the resident tax is paid to.

#include <QWidget>
#include <filesystem>

#include "calc/premiums.h"
#include "calc/unit_prices.h"
#include "core/items.h"
#include "core/records.h"
#include "widgets/entry_behaviour.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace keiro::payroll {

class ResidentTaxCityBox;

class EmployeePayPage : public QWidget {
    Q_OBJECT
  public:
    // `dataFolder` holds the postal data the municipality is looked up in.
    EmployeePayPage(QWidget* parent, const ui::EntrySettings& settings,
                    ui::MessageService& messages, const std::filesystem::path& dataFolder);

    // Captions of 役職手当, 家族手当, 固定手当１..３ and 固定控除１..３ from the current names.
    void setItemNames(const ItemNames& names);
    // The base box reads 基本給, 日給 or 時給; 有休時支給額 is open for daily and hourly pay.
    void showPayForm(int payForm);

    void load(const EmployeeRecord& record);
    // Writes the page's fields into `record`.
    void store(EmployeeRecord& record) const;

    // The monthly premiums chosen from the grade table (the levy as the 介護 box says).
    void setPremiums(const calc::MonthlyPremiums& premiums);
    // The grade the premiums were set from, beside them ("" for none).
    void showGrade(const QString& text);
    // The units worked out by 単価を計算 into their boxes (the absence ones only when given).
    void setUnitPrices(const calc::UnitPrices& prices);

  signals:
    void unitPricesRequested();

  public:
    ResidentTaxCityBox* residentTaxCity() const { return residentTaxCity_; }

  private:
    void followHealthInsured();
    QLineEdit* box(const char* name) const;

    QLabel* gradeLabel_ = nullptr;

    QLabel* basePayLabel_;
    QLabel* allowanceLabels_[5];  // 役職手当, 家族手当, 固定手当１..３
    QLabel* deductionLabels_[3];  // 固定控除１..３
    QLineEdit* paidLeavePayEdit_;
    QCheckBox* employmentInsuredCheck_;
    QCheckBox* healthInsuredCheck_;
    QCheckBox* nursingInsuredCheck_;
    QCheckBox* pensionInsuredCheck_;
    QCheckBox* pensionFundCheck_;
    ResidentTaxCityBox* residentTaxCity_;
};

}  // namespace keiro::payroll
