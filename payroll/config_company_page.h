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
    void healthRateChoiceRequested();  // the 健康保険料率選択 button
    void passwordRequested();          // the パスワード設定 button

  private:
    void useGeneralEmploymentShare();
    void useOtherEmploymentShare();
    void toggleCorporateNumberShown();

    bool loading_ = false;
    calc::RatesOfPeriod rates_;
    QLineEdit* companyNameEdit_;
    QLineEdit* corporateNumberEdit_;
    QCheckBox* hideCorporateNumberCheck_;
    QRadioButton* generalBusinessRadio_;
    QRadioButton* otherBusinessRadio_;
    QLineEdit* hoursPerDayEdit_;
    QLineEdit* payDayEdit_;
    QCheckBox* payNextMonthCheck_;
    ui::NumericEntry* hoursPerDayEntry_;
    ui::NumericEntry* payDayEntry_;
    ui::NumericEntry* employmentRateEntry_;
    ui::NumericEntry* healthRateEntry_;
    ui::NumericEntry* nursingRateEntry_;
    ui::NumericEntry* pensionRateEntry_;
    ui::NumericEntry* pensionFundRateEntry_;
    ui::NumericEntry* supportRateEntry_;
};

}  // namespace keiro::payroll
