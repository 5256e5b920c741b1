#include "payroll/config_company_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <cmath>

#include "payroll/config_widgets.h"
#include "widgets/tab_chain.h"

namespace keiro::payroll {
namespace {

constexpr int kRateFormat = 63;   // "%6.3f"
constexpr int kHoursFormat = 52;  // hours, shown in the configured hours format
constexpr int kDayFormat = 20;    // two digits
constexpr int kNumberWidth = 72;

QString corporateNumberText(std::int64_t number) {
    if (number == 0) return {};
    if (number > 0) return QStringLiteral("%1").arg(number, 13, 10, QChar('0'));
    return QString::number(number);  // a damaged record: shown as it is, refused on OK
}

QLabel* percent(QWidget* parent) {
    return label(parent, QStringLiteral("%"));
}

}  // namespace

ConfigCompanyPage::ConfigCompanyPage(QWidget* parent, const Settings& settings,
                                     ui::MessageService& messages)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tsCorpInfo"));
    const ui::EntrySettings entry = entrySettings(settings);

    companyNameEdit_ = namedLineEdit(this, QStringLiteral("edSyamei"));
    ui::TextEntry::attach(companyNameEdit_,
                          static_cast<int>(decltype(PeriodSettings::companyName)::kCapacity), entry,
                          messages);
    companyNameEdit_->setMinimumWidth(330);

    corporateNumberEdit_ = namedLineEdit(this, QStringLiteral("edHouNo"));
    corporateNumberEdit_->setMaxLength(13);
    corporateNumberEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,13}")), corporateNumberEdit_));
    corporateNumberEdit_->setStyleSheet(
        QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    corporateNumberEdit_->setFixedWidth(130);
    hideCorporateNumberCheck_ = new QCheckBox(QStringLiteral("隠す"), this);
    hideCorporateNumberCheck_->setObjectName(QStringLiteral("cbHide"));
    hideCorporateNumberCheck_->setChecked(false);
    toggleCorporateNumberShown();

    generalBusinessRadio_ = new QRadioButton(QStringLiteral("一般事業所"), this);
    generalBusinessRadio_->setObjectName(QStringLiteral("rbJigyo"));
    otherBusinessRadio_ = new QRadioButton(QStringLiteral("それ以外"), this);
    otherBusinessRadio_->setObjectName(QStringLiteral("rbIgai"));

    hoursPerDayEdit_ = numberLineEdit(this, QStringLiteral("edJikanD"), kNumberWidth);
    hoursPerDayEntry_ =
        ui::NumericEntry::attach(hoursPerDayEdit_, kHoursFormat, true, entry, messages);
    auto rateBox = [&](const char* name) {
        return ui::NumericEntry::attach(
            numberLineEdit(this, QString::fromLatin1(name), kNumberWidth), kRateFormat, false,
            entry, messages);
    };
    employmentRateEntry_ = rateBox("edKoyRitu");
    healthRateEntry_ = rateBox("edKenRitu");
    nursingRateEntry_ = rateBox("edKaiRitu");
    pensionRateEntry_ = rateBox("edNenRitu");
    pensionFundRateEntry_ = rateBox("edKknRitu");
    supportRateEntry_ = rateBox("edSienRitu");
    auto box = [this](const char* name) {
        return findChild<QLineEdit*>(QString::fromLatin1(name));
    };

    payDayEdit_ = numberLineEdit(this, QStringLiteral("edSikyubi"), 40);
    payDayEntry_ = ui::NumericEntry::attach(payDayEdit_, kDayFormat, false, entry, messages);
    payNextMonthCheck_ = new QCheckBox(QStringLiteral("入力月の翌月を支給日とする"), this);
    payNextMonthCheck_->setObjectName(QStringLiteral("cbSikyubi"));

    auto* healthRateButton = new QPushButton(QStringLiteral("健康保険料率選択"), this);
    healthRateButton->setObjectName(QStringLiteral("btKenRitu"));
    auto* passwordButton = new QPushButton(QStringLiteral("パスワード設定"), this);
    passwordButton->setObjectName(QStringLiteral("btSetPass"));

    // Company.
    auto* company = new QGridLayout;
    company->addWidget(label(this, QStringLiteral("会社名称")), 0, 0);
    company->addWidget(companyNameEdit_, 0, 1, 1, 3);
    company->addWidget(label(this, QStringLiteral("法人番号")), 1, 0);
    company->addWidget(corporateNumberEdit_, 1, 1);
    company->addWidget(hideCorporateNumberCheck_, 1, 2);
    company->setColumnStretch(3, 1);

    // Employment insurance.
    auto* employment = new QGroupBox(QStringLiteral("雇用保険"), this);
    auto* employmentRows = new QGridLayout(employment);
    employmentRows->addWidget(generalBusinessRadio_, 0, 0);
    employmentRows->addWidget(otherBusinessRadio_, 0, 1);
    employmentRows->addWidget(label(this, QStringLiteral("保険料負担率")), 1, 0);
    employmentRows->addWidget(box("edKoyRitu"), 1, 1);
    employmentRows->addWidget(percent(this), 1, 2);
    employmentRows->setColumnStretch(3, 1);

    // Social insurance.
    auto* social = new QGroupBox(QStringLiteral("社会保険 保険料負担率"), this);
    auto* socialRows = new QGridLayout(social);
    const std::pair<const char*, const char*> rates[] = {{"健康保険", "edKenRitu"},
                                                         {"介護保険", "edKaiRitu"},
                                                         {"厚生年金", "edNenRitu"},
                                                         {"厚生年金基金率", "edKknRitu"},
                                                         {"子ども・子育て支援金", "edSienRitu"}};
    int row = 0;
    for (const auto& [caption, name] : rates) {
        socialRows->addWidget(label(this, QString::fromUtf8(caption)), row, 0);
        socialRows->addWidget(box(name), row, 1);
        socialRows->addWidget(percent(this), row, 2);
        ++row;
    }
    socialRows->addWidget(healthRateButton, 0, 3);
    socialRows->setColumnStretch(4, 1);

    // Working hours and pay day.
    auto* work = new QGridLayout;
    work->addWidget(label(this, QStringLiteral("日労働時間数")), 0, 0);
    work->addWidget(hoursPerDayEdit_, 0, 1);
    work->addWidget(label(this, QStringLiteral("給与支給日")), 1, 0);
    auto* payDay = new QHBoxLayout;
    payDay->addWidget(payDayEdit_);
    payDay->addWidget(label(this, QStringLiteral("日")));
    payDay->addWidget(label(this, QStringLiteral("(月末は31を入力)")));
    payDay->addStretch();
    work->addLayout(payDay, 1, 1);
    work->addWidget(payNextMonthCheck_, 2, 1);
    work->setColumnStretch(2, 1);

    auto* note = label(
        this, QStringLiteral("保険料負担率変更後は｢社員情報の編集｣にて、社員１人ずつ等級表の\n"
                             "再設定をお願いいたします。"));
    note->setObjectName(QStringLiteral("lbNote"));

    auto* password = new QHBoxLayout;
    password->addWidget(passwordButton);
    password->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(company);
    layout->addWidget(employment);
    layout->addWidget(social);
    layout->addLayout(work);
    layout->addWidget(note);
    layout->addLayout(password);
    layout->addStretch();

    ui::setTabChain({companyNameEdit_, corporateNumberEdit_, hideCorporateNumberCheck_,
                     generalBusinessRadio_, otherBusinessRadio_, box("edKoyRitu"), box("edKenRitu"),
                     healthRateButton, box("edKaiRitu"), box("edNenRitu"), box("edKknRitu"),
                     box("edSienRitu"), hoursPerDayEdit_, payDayEdit_, payNextMonthCheck_,
                     passwordButton});

    connect(hideCorporateNumberCheck_, &QCheckBox::clicked, this,
            [this] { toggleCorporateNumberShown(); });
    // Only the user's change of the kind puts its default share in; filling the page does not.
    connect(generalBusinessRadio_, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !loading_) useGeneralEmploymentShare();
    });
    connect(otherBusinessRadio_, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !loading_) useOtherEmploymentShare();
    });
    connect(healthRateButton, &QPushButton::clicked, this,
            &ConfigCompanyPage::healthRateChoiceRequested);
    connect(passwordButton, &QPushButton::clicked, this, &ConfigCompanyPage::passwordRequested);
}

void ConfigCompanyPage::load(const PeriodSettings& period, const calc::RatesOfPeriod& rates) {
    loading_ = true;
    rates_ = rates;
    companyNameEdit_->setText(qs(period.companyName.utf8()));
    corporateNumberEdit_->setText(corporateNumberText(period.corporateNumber));
    hideCorporateNumberCheck_->setChecked(false);
    toggleCorporateNumberShown();

    if (period.employmentInsRate == 0) {
        generalBusinessRadio_->setChecked(true);
        employmentRateEntry_->setValue(rates.generalEmployment);
    } else {
        (period.generalBusiness == 1 ? generalBusinessRadio_ : otherBusinessRadio_)
            ->setChecked(true);
        employmentRateEntry_->setValue(period.employmentInsRate);
    }
    healthRateEntry_->setValue(period.healthInsRate);
    nursingRateEntry_->setValue(period.nursingInsRate == 0 ? rates.nursing : period.nursingInsRate);
    pensionRateEntry_->setValue(period.pensionRate == 0 ? rates.pension : period.pensionRate);
    pensionFundRateEntry_->setValue(period.pensionFundRate);
    supportRateEntry_->setValue(period.supportRate == 0 ? rates.support : period.supportRate);

    hoursPerDayEntry_->setValue(period.hoursPerDay);
    payDayEntry_->setValue(period.payDay);
    payNextMonthCheck_->setChecked(period.payNextMonth == 1);
    loading_ = false;
}

CompanyEntry ConfigCompanyPage::entry() const {
    CompanyEntry e;
    e.companyName = trimmedText(companyNameEdit_);
    e.corporateNumber = trimmedText(corporateNumberEdit_);
    const double day = payDayEntry_->value();
    e.payDay = std::isfinite(day) && std::fabs(day) < 1000 ? static_cast<int>(day) : 0;
    e.hoursPerDay = hoursPerDayEntry_->value();
    e.employmentInsRate = employmentRateEntry_->value();
    e.healthInsRate = healthRateEntry_->value();
    e.nursingInsRate = nursingRateEntry_->value();
    e.pensionRate = pensionRateEntry_->value();
    e.pensionFundRate = pensionFundRateEntry_->value();
    e.supportRate = supportRateEntry_->value();
    return e;
}

void ConfigCompanyPage::store(PeriodSettings& period) const {
    const CompanyEntry e = entry();
    period.companyName.assign(e.companyName);
    period.companyName.clearTail();
    period.corporateNumber = corporateNumberValue(e.corporateNumber).value_or(0);
    period.payDay = e.payDay;
    period.hoursPerDay = e.hoursPerDay;
    period.employmentInsRate = e.employmentInsRate;
    period.healthInsRate = e.healthInsRate;
    period.nursingInsRate = e.nursingInsRate;
    period.pensionRate = e.pensionRate;
    period.pensionFundRate = e.pensionFundRate;
    period.supportRate = e.supportRate;
    period.generalBusiness = generalBusinessRadio_->isChecked() ? 1 : 0;
    period.payNextMonth = payNextMonthCheck_->isChecked() ? 1 : 0;
}

void ConfigCompanyPage::setHealthRate(double halfRate) {
    healthRateEntry_->setValue(halfRate);
}

void ConfigCompanyPage::useGeneralEmploymentShare() {
    employmentRateEntry_->setValue(rates_.generalEmployment);
}

void ConfigCompanyPage::useOtherEmploymentShare() {
    employmentRateEntry_->setValue(rates_.otherEmployment);
}

void ConfigCompanyPage::toggleCorporateNumberShown() {
    corporateNumberEdit_->setEchoMode(hideCorporateNumberCheck_->isChecked() ? QLineEdit::Password
                                                                             : QLineEdit::Normal);
}

}  // namespace keiro::payroll
