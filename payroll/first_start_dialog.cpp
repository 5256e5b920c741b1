#include "payroll/first_start_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <cmath>

#include "core/settings.h"
#include "payroll/config_widgets.h"
#include "widgets/entry_behaviour.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr int kHoursFormat = 52;   // hours, in the configured hours format
constexpr int kDayFormat = 20;     // two digits
constexpr int kAddressBytes = 64;  // what the withholding slip's payer address holds
constexpr int kPhoneBytes = 16;

QString percentText(double rate) {
    return QString::number(rate, 'f', 3).remove(QRegularExpression(QStringLiteral("0+$"))) +
           QStringLiteral("%");
}

int wholeDay(const ui::NumericEntry* entry) {
    const double day = entry->value();
    return std::isfinite(day) && std::fabs(day) < 1000 ? static_cast<int>(day) : 0;
}

}  // namespace

FirstStartDialog::FirstStartDialog(QWidget* parent, const Settings& settings,
                                   calc::RatesOfPeriod rates, const CompanyAddress& known,
                                   ui::MessageService& messages)
    : QDialog(parent), rates_(std::move(rates)), messages_(messages) {
    setObjectName(QStringLiteral("TfmFirstSetup"));
    setWindowTitle(QStringLiteral("はじめの設定"));
    const ui::EntrySettings entry = entrySettings(settings);
    auto textBox = [&](const char* name, int bytes, int width) {
        QLineEdit* edit = namedLineEdit(this, QString::fromLatin1(name));
        ui::TextEntry::attach(edit, bytes, entry, messages);
        edit->setMinimumWidth(width);
        return edit;
    };
    auto numberBox = [&](const char* name, int format, bool hours, ui::NumericEntry*& behaviour) {
        QLineEdit* edit = numberLineEdit(this, QString::fromLatin1(name), 50);
        behaviour = ui::NumericEntry::attach(edit, format, hours, entry, messages);
        return edit;
    };

    // Made in reading order, which is the Tab order.
    companyNameEdit_ = textBox(
        "edSyamei", static_cast<int>(decltype(PeriodSettings::companyName)::kCapacity), 330);
    address1Edit_ = textBox("edJusyo1", kAddressBytes, 330);
    address2Edit_ = textBox("edJusyo2", kAddressBytes, 330);
    phoneEdit_ = textBox("edTelNo", kPhoneBytes, 140);
    phoneEdit_->setInputMethodHints(Qt::ImhDialableCharactersOnly);
    address1Edit_->setText(qs(known.address1));
    address2Edit_->setText(qs(known.address2));
    phoneEdit_->setText(qs(known.phone));

    prefectureCombo_ = new QComboBox(this);
    prefectureCombo_->setObjectName(QStringLiteral("cbKen"));
    prefectureCombo_->addItem(QStringLiteral("（選んで下さい）"));
    for (std::size_t i = 0; i < rates_.healthShares.size(); ++i) {
        const QString name =
            i < rates_.healthPrefectures.size() ? qs(rates_.healthPrefectures[i]) : QString();
        prefectureCombo_->addItem(name + QStringLiteral("  ") +
                                  percentText(rates_.healthShares[i]));
        if (!name.isEmpty() && name == qs(known.prefecture))
            prefectureCombo_->setCurrentIndex(prefectureCombo_->count() - 1);
    }
    prefectureCombo_->setEnabled(!rates_.healthShares.empty());

    generalBusinessRadio_ = new QRadioButton(QStringLiteral("一般の事業"), this);
    generalBusinessRadio_->setObjectName(QStringLiteral("rbJigyo"));
    otherBusinessRadio_ = new QRadioButton(QStringLiteral("農林水産・清酒製造・建設"), this);
    otherBusinessRadio_->setObjectName(QStringLiteral("rbIgai"));
    generalBusinessRadio_->setChecked(true);
    employmentRateLabel_ = new QLabel(this);

    closingDayEdit_ = numberBox("edSimebi", kDayFormat, false, closingDayEntry_);
    payDayEdit_ = numberBox("edSikyubi", kDayFormat, false, payDayEntry_);
    hoursPerDayEdit_ = numberBox("edJikanD", kHoursFormat, true, hoursPerDayEntry_);
    payDayEntry_->setValue(25);
    closingDayEntry_->setValue(known.closingDay != 0 ? known.closingDay : 31);
    hoursPerDayEntry_->setValue(8);
    payMonthLabel_ = new QLabel(this);
    payMonthLabel_->setObjectName(QStringLiteral("lbSikyuTuki"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("Ｏ Ｋ"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btOK"));
    QPushButton* later =
        buttons->addButton(QStringLiteral("後で設定"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("btCancel"));

    auto* company = new QGroupBox(QStringLiteral("会社"), this);
    auto* companyRows = new QFormLayout(company);
    companyRows->addRow(label(this, QStringLiteral("会社名称")), companyNameEdit_);
    companyRows->addRow(label(this, QStringLiteral("住所１")), address1Edit_);
    companyRows->addRow(label(this, QStringLiteral("住所２")), address2Edit_);
    companyRows->addRow(label(this, QStringLiteral("電話番号")), phoneEdit_);

    auto* insurance = new QGroupBox(
        QStringLiteral("保険料率（%1の従業員負担）")
            .arg(rates_.healthFiscalYearText.empty() ? QStringLiteral("今年度")
                                                     : qs(rates_.healthFiscalYearText)),
        this);
    auto* insuranceRows = new QFormLayout(insurance);
    insuranceRows->addRow(label(this, QStringLiteral("健康保険（都道府県）")), prefectureCombo_);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(generalBusinessRadio_);
    kinds->addWidget(otherBusinessRadio_);
    kinds->addWidget(employmentRateLabel_);
    kinds->addStretch();
    insuranceRows->addRow(label(this, QStringLiteral("雇用保険の事業")), kinds);
    QString others = QStringLiteral("介護保険 %1　厚生年金 %2")
                         .arg(percentText(rates_.nursing), percentText(rates_.pension));
    if (rates_.support > 0)
        others += QStringLiteral("　子ども・子育て支援金 %1").arg(percentText(rates_.support));
    insuranceRows->addRow(label(this, QStringLiteral("そのほか")), label(this, others));

    auto* pay = new QGroupBox(QStringLiteral("給与"), this);
    auto* payRows = new QFormLayout(pay);
    auto dayRow = [&](QLineEdit* edit, QWidget* after) {
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(label(this, QStringLiteral("日（月末は31）")));
        if (after) row->addWidget(after);
        row->addStretch();
        return row;
    };
    payRows->addRow(label(this, QStringLiteral("締め日")), dayRow(closingDayEdit_, nullptr));
    payRows->addRow(label(this, QStringLiteral("給与支給日")), dayRow(payDayEdit_, payMonthLabel_));
    payRows->addRow(label(this, QStringLiteral("日労働時間数")), hoursPerDayEdit_);

    auto* note = label(this, QStringLiteral("ここで入れた内容は、あとから｢設定｣でいつでも直せます。"
                                            "住所は年末調整の源泉徴収票にも使われます。"));
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(company);
    layout->addWidget(insurance);
    layout->addWidget(pay);
    layout->addWidget(note);
    layout->addWidget(buttons);

    connect(payDayEdit_, &QLineEdit::textChanged, this, [this] { showPayMonth(); });
    connect(closingDayEdit_, &QLineEdit::textChanged, this, [this] { showPayMonth(); });
    connect(generalBusinessRadio_, &QRadioButton::toggled, this, [this] { showEmploymentRate(); });
    connect(ok, &QPushButton::clicked, this, [this] { acceptAnswers(); });
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    showPayMonth();
    showEmploymentRate();
}

std::optional<FirstStartAnswers> FirstStartDialog::ask() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return answers();
}

FirstStartAnswers FirstStartDialog::answers() const {
    FirstStartAnswers a;
    a.companyName = trimmedText(companyNameEdit_);
    a.address.address1 = trimmedText(address1Edit_);
    a.address.address2 = trimmedText(address2Edit_);
    a.address.phone = trimmedText(phoneEdit_);
    a.healthRateIndex = prefectureCombo_->currentIndex() - 1;
    if (a.healthRateIndex >= 0 &&
        a.healthRateIndex < static_cast<int>(rates_.healthPrefectures.size()))
        a.address.prefecture =
            rates_.healthPrefectures[static_cast<std::size_t>(a.healthRateIndex)];
    a.address.closingDay = wholeDay(closingDayEntry_);
    a.generalBusiness = generalBusinessRadio_->isChecked();
    a.payDay = wholeDay(payDayEntry_);
    a.hoursPerDay = hoursPerDayEntry_->value();
    return a;
}

void FirstStartDialog::acceptAnswers() {
    using Field = FirstStartProblem::Field;
    const FirstStartProblem problem = firstStartProblem(answers(), rates_);
    if (problem.field == Field::None) {
        accept();
        return;
    }
    messages_.error(this, qs(problem.message));
    QWidget* box = problem.field == Field::CompanyName  ? companyNameEdit_
                   : problem.field == Field::Prefecture ? static_cast<QWidget*>(prefectureCombo_)
                   : problem.field == Field::ClosingDay ? closingDayEdit_
                   : problem.field == Field::PayDay     ? payDayEdit_
                                                        : hoursPerDayEdit_;
    box->setFocus();
}

void FirstStartDialog::showPayMonth() {
    const int payDay = wholeDay(payDayEntry_);
    const int closingDay = wholeDay(closingDayEntry_);
    if (payDay < 1 || payDay > 31 || closingDay < 1 || closingDay > 31) {
        payMonthLabel_->clear();
        return;
    }
    payMonthLabel_->setText(paidNextMonth(payDay, closingDay)
                                ? QStringLiteral("→ 締めた月の翌月に支給")
                                : QStringLiteral("→ 締めた月のうちに支給"));
}

void FirstStartDialog::showEmploymentRate() {
    employmentRateLabel_->setText(percentText(
        generalBusinessRadio_->isChecked() ? rates_.generalEmployment : rates_.otherEmployment));
}

}  // namespace keiro::payroll
