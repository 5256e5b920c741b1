#include "payroll/employee_social_page.h"

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
    cbSyainKubun_ = combo(
        decision, "cbSyainKubun",
        {"一般（未設定）", "一般", "短時間就労者（パート）", "短時間労働者（特定適用事業所）"});
    edHosyu_ = make.amount("edHosyu", kSevenDigitAmount);
    seKaiteiNen_ = spin(decision, "seKaiteiNen", 1999, 2200, QStringLiteral("未設定"));
    seKaiteiTuki_ = spin(decision, "seKaiteiTuki", 0, 12, QStringLiteral("--"));
    cbKaiteiKubun_ =
        combo(decision, "cbKaiteiKubun", {"未設定", "資格取得時決定", "定時決定", "随時改定"});
    edSyuseiHeikin_ = make.amount("edSyuseiHeikin", kSevenDigitAmount);
    auto* revised = new QHBoxLayout;
    revised->addWidget(seKaiteiNen_);
    revised->addWidget(new QLabel(QStringLiteral("年"), decision));
    revised->addWidget(seKaiteiTuki_);
    revised->addWidget(new QLabel(QStringLiteral("月"), decision));
    revised->addStretch();
    auto* grid = new QGridLayout(decision);
    addRow(grid, 0, caption(decision, QStringLiteral("日数の基準（社員の種類）")), cbSyainKubun_);
    addRow(grid, 1, caption(decision, QStringLiteral("決定時の報酬月額")), edHosyu_);
    grid->addWidget(caption(decision, QStringLiteral("改定年月")), 2, 0);
    grid->addLayout(revised, 2, 1);
    addRow(grid, 3, caption(decision, QStringLiteral("決定の種類")), cbKaiteiKubun_);
    addRow(grid, 4, caption(decision, QStringLiteral("今年の修正平均額")), edSyuseiHeikin_);

    auto* insured = new QGroupBox(QStringLiteral("資格・労働保険・賞与"), this);
    const BoxMaker make2{insured, settings, messages};
    deSikakuSyutoku_ = dateBox(insured, "deSikakuSyutoku");
    deSikakuSousitu_ = dateBox(insured, "deSikakuSousitu");
    cbRoudouKubun_ = combo(insured, "cbRoudouKubun",
                           {"自動（役員は対象外、雇用保険で常用／臨時）", "常用労働者",
                            "役員で労働者扱いの者", "臨時労働者", "対象外（役員）"});
    edSyoyoKurikosi_ = make2.amount("edSyoyoKurikosi", kSevenDigitAmount);
    seSyoyoNendo_ = spin(insured, "seSyoyoNendo", 1999, 2200, QStringLiteral("未設定"));
    auto* grid2 = new QGridLayout(insured);
    addRow(grid2, 0, caption(insured, QStringLiteral("資格取得日")), deSikakuSyutoku_);
    addRow(grid2, 1, caption(insured, QStringLiteral("資格喪失日")), deSikakuSousitu_);
    addRow(grid2, 2, caption(insured, QStringLiteral("労働保険の区分")), cbRoudouKubun_);
    addRow(grid2, 3, caption(insured, QStringLiteral("標準賞与額の繰越累計")), edSyoyoKurikosi_);
    addRow(grid2, 4, caption(insured, QStringLiteral("その年度（4月始まり）")), seSyoyoNendo_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(decision, 0, 0);
    layout->addWidget(insured, 0, 1);
    layout->setRowStretch(1, 1);
}

void EmployeeSocialPage::load(const EmployeeRecord& r) {
    const SocialInsuranceFields& s = r.social;
    showCode(cbSyainKubun_, s.dayRule);
    showAmount(edHosyu_, s.decidedRemuneration);
    seKaiteiNen_->setValue(s.revisedYearMonth / 100);  // 0 falls to the minimum: 未設定
    seKaiteiTuki_->setValue(s.revisedYearMonth % 100);
    showCode(cbKaiteiKubun_, s.decisionKind);
    showAmount(edSyuseiHeikin_, s.adjustedAverage);
    showDateValue(deSikakuSyutoku_, s.insuredSince);
    showDateValue(deSikakuSousitu_, s.insuredUntil);
    showCode(cbRoudouKubun_, s.labourClass);
    showAmount(edSyoyoKurikosi_, s.carriedBonus);
    seSyoyoNendo_->setValue(s.carriedBonusYear);
}

void EmployeeSocialPage::store(EmployeeRecord& r) const {
    SocialInsuranceFields& s = r.social;
    s.dayRule = static_cast<std::uint8_t>(cbSyainKubun_->currentIndex());
    s.decidedRemuneration = amountIn(edHosyu_);
    const bool yearSet = seKaiteiNen_->value() > seKaiteiNen_->minimum();
    s.revisedYearMonth = yearSet && seKaiteiTuki_->value() > 0
                             ? seKaiteiNen_->value() * 100 + seKaiteiTuki_->value()
                             : 0;
    s.decisionKind = static_cast<std::uint8_t>(cbKaiteiKubun_->currentIndex());
    s.adjustedAverage = amountIn(edSyuseiHeikin_);
    s.insuredSince = dateValue(deSikakuSyutoku_);
    s.insuredUntil = dateValue(deSikakuSousitu_);
    s.labourClass = static_cast<std::uint8_t>(cbRoudouKubun_->currentIndex());
    s.carriedBonus = amountIn(edSyoyoKurikosi_);
    s.carriedBonusYear =
        seSyoyoNendo_->value() > seSyoyoNendo_->minimum() ? seSyoyoNendo_->value() : 0;
}

}  // namespace keiro::payroll
