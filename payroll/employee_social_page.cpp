#include "payroll/employee_social_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "payroll/employee_boxes.h"

namespace keiro::payroll {
namespace {

const QDate kUnsetDate(1900, 1, 1);

QComboBox* combo(QWidget* parent, const char* name, std::initializer_list<const char*> items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const char* item : items) box->addItem(QString::fromUtf8(item));
    return box;
}

QSpinBox* spin(QWidget* parent, const char* name, int min, int max, const QString& unset) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(min, max);
    box->setSpecialValueText(unset);  // shown at the minimum, which stores 0
    return box;
}

QDateEdit* dateBox(QWidget* parent, const char* name) {
    auto* box = new QDateEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    box->setMinimumDate(kUnsetDate);
    box->setSpecialValueText(QStringLiteral("未設定"));
    box->setCalendarPopup(true);
    return box;
}

// A stored code 0..count-1 as the combo's index (anything else: the first choice).
void showCode(QComboBox* box, int code) {
    box->setCurrentIndex(code >= 0 && code < box->count() ? code : 0);
}

}  // namespace

int dateValue(const QDateEdit* box) {
    const QDate d = box->date();
    return d <= kUnsetDate ? 0 : d.year() * 10'000 + d.month() * 100 + d.day();
}

void showDateValue(QDateEdit* box, int v) {
    const QDate d(v / 10'000, v / 100 % 100, v % 100);
    box->setDate(v > 0 && d.isValid() ? d : kUnsetDate);
}

EmployeeSocialPage::EmployeeSocialPage(QWidget* parent, const ui::EntrySettings& settings,
                                       ui::MessageService& messages)
    : QWidget(parent) {
    auto* decision = new QGroupBox(QStringLiteral("標準報酬月額の決定"), this);
    const BoxMaker make{decision, settings, messages};
    dayRuleCombo_ = combo(
        decision, "cbSyainKubun",
        {"一般（未設定）", "一般", "短時間就労者（パート）", "短時間労働者（特定適用事業所）"});
    remunerationEdit_ = make.amount("edHosyu", kSevenDigitAmount);
    revisionYearSpin_ = spin(decision, "seKaiteiNen", 1999, 2200, QStringLiteral("未設定"));
    revisionMonthSpin_ = spin(decision, "seKaiteiTuki", 0, 12, QStringLiteral("--"));
    revisionKindCombo_ =
        combo(decision, "cbKaiteiKubun", {"未設定", "資格取得時決定", "定時決定", "随時改定"});
    adjustedAverageEdit_ = make.amount("edSyuseiHeikin", kSevenDigitAmount);
    auto* revised = new QHBoxLayout;
    revised->addWidget(revisionYearSpin_);
    revised->addWidget(new QLabel(QStringLiteral("年"), decision));
    revised->addWidget(revisionMonthSpin_);
    revised->addWidget(new QLabel(QStringLiteral("月"), decision));
    revised->addStretch();
    auto* grid = new QGridLayout(decision);
    addRow(grid, 0, caption(decision, QStringLiteral("日数の基準（社員の種類）")), dayRuleCombo_);
    addRow(grid, 1, caption(decision, QStringLiteral("決定時の報酬月額")), remunerationEdit_);
    grid->addWidget(caption(decision, QStringLiteral("改定年月")), 2, 0);
    grid->addLayout(revised, 2, 1);
    addRow(grid, 3, caption(decision, QStringLiteral("決定の種類")), revisionKindCombo_);
    addRow(grid, 4, caption(decision, QStringLiteral("今年の修正平均額")), adjustedAverageEdit_);
    annualAverageCheck_ =
        new QCheckBox(QStringLiteral("年間平均（修正平均額は保険者算定の額）"), decision);
    annualAverageCheck_->setObjectName(QStringLiteral("chkNenkanHeikin"));
    grid->addWidget(annualAverageCheck_, 5, 1);

    auto* insured = new QGroupBox(QStringLiteral("資格・労働保険・賞与"), this);
    const BoxMaker make2{insured, settings, messages};
    insuredSinceEdit_ = dateBox(insured, "deSikakuSyutoku");
    insuredUntilEdit_ = dateBox(insured, "deSikakuSousitu");
    labourClassCombo_ = combo(insured, "cbRoudouKubun",
                              {"自動（役員は対象外、雇用保険で常用／臨時）", "常用労働者",
                               "役員で労働者扱いの者", "臨時労働者", "対象外（役員）"});
    carriedBonusEdit_ = make2.amount("edSyoyoKurikosi", kSevenDigitAmount);
    bonusFiscalYearSpin_ = spin(insured, "seSyoyoNendo", 1999, 2200, QStringLiteral("未設定"));
    auto* grid2 = new QGridLayout(insured);
    addRow(grid2, 0, caption(insured, QStringLiteral("資格取得日")), insuredSinceEdit_);
    addRow(grid2, 1, caption(insured, QStringLiteral("資格喪失日")), insuredUntilEdit_);
    addRow(grid2, 2, caption(insured, QStringLiteral("労働保険の区分")), labourClassCombo_);
    addRow(grid2, 3, caption(insured, QStringLiteral("標準賞与額の繰越累計")), carriedBonusEdit_);
    addRow(grid2, 4, caption(insured, QStringLiteral("その年度（4月始まり）")),
           bonusFiscalYearSpin_);
    over70Check_ = new QCheckBox(QStringLiteral("70歳以上被用者"), insured);
    over70Check_->setObjectName(QStringLiteral("chk70Ijo"));
    over70Check_->setToolTip(QStringLiteral(
        "70歳以上で被保険者と同じように働く社員です。保険の加入を外した後も、算定基礎届・"
        "月額変更届・賞与支払届に載ります。"));
    grid2->addWidget(over70Check_, 5, 1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(decision, 0, 0);
    layout->addWidget(insured, 0, 1);
    layout->setRowStretch(1, 1);
}

void EmployeeSocialPage::load(const EmployeeRecord& r) {
    const SocialInsuranceFields& s = r.social;
    showCode(dayRuleCombo_, s.dayRule);
    showAmount(remunerationEdit_, s.decidedRemuneration);
    revisionYearSpin_->setValue(s.revisedYearMonth / 100);  // 0 falls to the minimum: 未設定
    revisionMonthSpin_->setValue(s.revisedYearMonth % 100);
    showCode(revisionKindCombo_, s.decisionKind);
    showAmount(adjustedAverageEdit_, s.adjustedAverage);
    showDateValue(insuredSinceEdit_, s.insuredSince);
    showDateValue(insuredUntilEdit_, s.insuredUntil);
    showCode(labourClassCombo_, s.labourClass);
    showAmount(carriedBonusEdit_, s.carriedBonus);
    bonusFiscalYearSpin_->setValue(s.carriedBonusYear);
    over70Check_->setChecked(s.over70Employee == 1);
    annualAverageCheck_->setChecked(s.annualAverage == 1);
}

void EmployeeSocialPage::store(EmployeeRecord& r) const {
    SocialInsuranceFields& s = r.social;
    s.dayRule = static_cast<std::uint8_t>(dayRuleCombo_->currentIndex());
    s.decidedRemuneration = amountIn(remunerationEdit_);
    const bool yearSet = revisionYearSpin_->value() > revisionYearSpin_->minimum();
    s.revisedYearMonth = yearSet && revisionMonthSpin_->value() > 0
                             ? revisionYearSpin_->value() * 100 + revisionMonthSpin_->value()
                             : 0;
    s.decisionKind = static_cast<std::uint8_t>(revisionKindCombo_->currentIndex());
    s.adjustedAverage = amountIn(adjustedAverageEdit_);
    s.insuredSince = dateValue(insuredSinceEdit_);
    s.insuredUntil = dateValue(insuredUntilEdit_);
    s.labourClass = static_cast<std::uint8_t>(labourClassCombo_->currentIndex());
    s.carriedBonus = amountIn(carriedBonusEdit_);
    s.carriedBonusYear = bonusFiscalYearSpin_->value() > bonusFiscalYearSpin_->minimum()
                             ? bonusFiscalYearSpin_->value()
                             : 0;
    s.over70Employee = over70Check_->isChecked() ? 1 : 0;
    s.annualAverage = annualAverageCheck_->isChecked() ? 1 : 0;
}

std::int32_t EmployeeSocialPage::remuneration() const {
    return amountIn(remunerationEdit_);
}

}  // namespace keiro::payroll
