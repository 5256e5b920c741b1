#pragma once
// The first page of the common settings dialog, "基本情報設定" (tsCorpInfo): the company data
// and the premium rates of the open period.

#include <QWidget>

#include "core/records.h"
#include "core/settings.h"
#include "payroll/config_checks.h"
#include "widgets/entry_behaviour.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace keiro::payroll {

class ConfigCompanyPage : public QWidget {
    Q_OBJECT
  public:
    ConfigCompanyPage(QWidget* parent, const Settings& settings, ui::MessageService& messages);

    // Fills the boxes from the period, with the defaults of a period whose rates are still 0:
    // employment 0 selects 一般事業所 with its 0.300, nursing care 0.865, pension 9.150 (health
    // and pension fund stay 0), and 子ども・子育て支援金 its first rate when `levyDue` (the
    // period's premium month is one the levy is collected for), else 0.
    void load(const PeriodSettings& period, bool levyDue = false);
    // The values as the boxes hold them now.
    CompanyEntry entry() const;
    // Writes the page into a period's settings; the entry has passed the checks.  Throws
    // text::EncodingError for a company name without a code page 932 form.
    void store(PeriodSettings& period) const;

    void setHealthRate(double halfRate);

  signals:
    void healthRateChoiceRequested();  // btKenRitu
    void passwordRequested();          // btSetPass

  private:
    void rbJigyoClick();
    void rbIgaiClick();
    void cbHideClick();

    bool loading_ = false;
    QLineEdit* edSyamei_;
    QLineEdit* edHouNo_;
    QCheckBox* cbHide_;
    QRadioButton* rbJigyo_;
    QRadioButton* rbIgai_;
    QLineEdit* edJikanD_;
    QLineEdit* edSikyubi_;
    QCheckBox* cbSikyubi_;
    ui::NumericEntry* jikanD_;
    ui::NumericEntry* sikyubi_;
    ui::NumericEntry* koyRitu_;
    ui::NumericEntry* kenRitu_;
    ui::NumericEntry* kaiRitu_;
    ui::NumericEntry* nenRitu_;
    ui::NumericEntry* kknRitu_;
    ui::NumericEntry* sienRitu_;
};

}  // namespace keiro::payroll
