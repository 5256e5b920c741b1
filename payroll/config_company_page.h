#pragma once
// The first page of the common settings dialog, "基本情報設定" (tsCorpInfo): the company data
// and the premium rates of the open period.

#include <QWidget>

#include "calc/rate_update.h"
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

    // Fills the boxes from the period, with the defaults of a period whose rates are still 0,
    // the published rates of the period's months: employment 0 selects 一般事業所 with its
    // share, nursing care and pension take theirs (health and pension fund stay 0), and
    // 子ども・子育て支援金 its rate when the period's premium month carries the levy, else 0.
    // Choosing the kind of business later puts that kind's employment share in.
    void load(const PeriodSettings& period, const calc::RatesOfPeriod& rates = {});
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
    calc::RatesOfPeriod rates_;
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
