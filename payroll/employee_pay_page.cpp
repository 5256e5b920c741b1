#include "payroll/employee_pay_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "payroll/config_widgets.h"
#include "payroll/employee_boxes.h"
#include "payroll/employee_resident_city_box.h"

namespace keiro::payroll {
namespace {

// Items whose captions the user names (indices of kItemDefinitions).
constexpr int kPositionAllowanceItem = 16;
constexpr int kFamilyAllowanceItem = 17;
constexpr int kFixedDeductionItem = kFirstFreeItem + 6;

struct AmountRow {
    const char* name;
    const char* caption;  // nullptr: captioned by an item name
    int formatCode;
};

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// A group of captioned amount boxes, one a row; the caption labels in row order.
QGroupBox* amountGroup(QWidget* parent, const QString& title, std::initializer_list<AmountRow> rows,
                       const ui::EntrySettings& settings, ui::MessageService& messages,
                       std::vector<QLabel*>& captions) {
    auto* group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    const BoxMaker make{group, settings, messages};
    int row = 0;
    for (const AmountRow& r : rows) {
        QLabel* label = caption(group, r.caption ? QString::fromUtf8(r.caption) : QString());
        captions.push_back(label);
        addRow(grid, row++, label, make.amount(r.name, r.formatCode));
    }
    grid->setRowStretch(row, 1);
    return group;
}

}  // namespace

EmployeePayPage::EmployeePayPage(QWidget* parent, const ui::EntrySettings& settings,
                                 ui::MessageService& messages,
                                 const std::filesystem::path& dataFolder)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tsSikyu"));
    std::vector<QLabel*> wageCaptions, allowanceCaptions, deductionCaptions;
    QGroupBox* wages = amountGroup(this, QStringLiteral("賃金・単価"),
                                   {{"edChingin1", "基本給", kSevenDigitAmount},
                                    {"edChingin2", "普通残業手当", kSixDigitAmount},
                                    {"edChingin3", "深夜残業手当", kSixDigitAmount},
                                    {"edChingin4", "休日普通残業", kSixDigitAmount},
                                    {"edChingin5", "休日深夜残業", kSixDigitAmount},
                                    {"edYukyu", "有休時支給額", kSixDigitAmount},
                                    {"edKekkin", "欠勤控除額", kSixDigitAmount},
                                    {"edChisou", "遅早控除額", kSixDigitAmount}},
                                   settings, messages, wageCaptions);
    QGroupBox* allowances = amountGroup(this, QStringLiteral("手当"),
                                        {{"edYakuin", nullptr, kSevenDigitAmount},
                                         {"edFamily", nullptr, kSevenDigitAmount},
                                         {"edTeate1", nullptr, kSevenDigitAmount},
                                         {"edTeate2", nullptr, kSevenDigitAmount},
                                         {"edTeate3", nullptr, kSevenDigitAmount},
                                         {"edKoutuhi0", "非課税交通費", kSixDigitAmount},
                                         {"edKoutuhi1", "課税交通費", kSixDigitAmount}},
                                        settings, messages, allowanceCaptions);
    QGroupBox* deductions = amountGroup(this, QStringLiteral("控除"),
                                        {{"edKoujo1", nullptr, kSixDigitAmount},
                                         {"edKoujo2", nullptr, kSixDigitAmount},
                                         {"edKoujo3", nullptr, kSixDigitAmount},
                                         {"edJuumin6", "住民税(6月)", kSixDigitAmount},
                                         {"edJuumin", "住民税(以外)", kSixDigitAmount}},
                                        settings, messages, deductionCaptions);
    auto* unitPriceButton = new QPushButton(QStringLiteral("単価を計算..."), wages);
    unitPriceButton->setObjectName(QStringLiteral("sbTanka"));
    unitPriceButton->setToolTip(
        QStringLiteral("残業・欠勤・遅早の単価を賃金と所定労働時間から計算します"));
    static_cast<QGridLayout*>(wages->layout())->addWidget(unitPriceButton, 9, 0, 1, 2);
    connect(unitPriceButton, &QPushButton::clicked, this, &EmployeePayPage::unitPricesRequested);
    basePayLabel_ = wageCaptions[0];
    basePayLabel_->setObjectName(QStringLiteral("lbChingin1"));
    paidLeavePayEdit_ = box("edYukyu");
    const char* allowanceLabels[] = {"lbYakuin", "lbFamily", "lbTeate1", "lbTeate2", "lbTeate3"};
    for (int i = 0; i < 5; ++i) {
        allowanceLabels_[i] = allowanceCaptions[static_cast<std::size_t>(i)];
        allowanceLabels_[i]->setObjectName(QString::fromLatin1(allowanceLabels[i]));
    }
    const char* deductionLabels[] = {"lbKoujo1", "lbKoujo2", "lbKoujo3"};
    for (int i = 0; i < 3; ++i) {
        deductionLabels_[i] = deductionCaptions[static_cast<std::size_t>(i)];
        deductionLabels_[i]->setObjectName(QString::fromLatin1(deductionLabels[i]));
    }

    // 社会保険: each insurance's flag with its monthly premium beside it.
    auto* insurance = new QGroupBox(QStringLiteral("社会保険"), this);
    const BoxMaker make{insurance, settings, messages};
    employmentInsuredCheck_ = checkBox(insurance, "cbKoyou", QStringLiteral("雇用保険対象者"));
    healthInsuredCheck_ = checkBox(insurance, "cbKenkou", QStringLiteral("健康保険対象者"));
    QLineEdit* healthPremiumEdit = make.amount("edKenhoRyo", kSixDigitAmount);
    nursingInsuredCheck_ = checkBox(insurance, "cbKaigo", QStringLiteral("介護保険料を徴収"));
    QLineEdit* nursingPremiumEdit = make.amount("edKaigoRyo", kSixDigitAmount);
    QLineEdit* supportPremiumEdit = make.amount("edSienRyo", kSixDigitAmount);
    pensionInsuredCheck_ = checkBox(insurance, "cbNenHoken", QStringLiteral("厚生年金対象者"));
    QLineEdit* pensionPremiumEdit = make.amount("edKoseiRyo", kSixDigitAmount);
    pensionFundCheck_ = checkBox(insurance, "cbNenKikin", QStringLiteral("厚生年金基金加入"));
    QLineEdit* pensionFundPremiumEdit = make.amount("edKakekin", kSixDigitAmount);

    auto* insuranceGrid = new QGridLayout(insurance);
    insuranceGrid->setHorizontalSpacing(10);
    insuranceGrid->addWidget(employmentInsuredCheck_, 0, 0);
    insuranceGrid->addWidget(healthInsuredCheck_, 1, 0);
    addRow(insuranceGrid, 1, caption(insurance, QStringLiteral("健康保険料")), healthPremiumEdit,
           1);
    insuranceGrid->addWidget(nursingInsuredCheck_, 2, 0);
    addRow(insuranceGrid, 2, caption(insurance, QStringLiteral("介護保険料")), nursingPremiumEdit,
           1);
    addRow(insuranceGrid, 3, caption(insurance, QStringLiteral("子ども・子育て支援金")),
           supportPremiumEdit, 1);
    insuranceGrid->setColumnMinimumWidth(3, 30);
    insuranceGrid->addWidget(pensionInsuredCheck_, 1, 4);
    addRow(insuranceGrid, 1, caption(insurance, QStringLiteral("厚生年金保険料")),
           pensionPremiumEdit, 5);
    insuranceGrid->addWidget(pensionFundCheck_, 2, 4);
    addRow(insuranceGrid, 2, caption(insurance, QStringLiteral("掛け金")), pensionFundPremiumEdit,
           5);
    gradeLabel_ = new QLabel(insurance);
    gradeLabel_->setObjectName(QStringLiteral("lbGrade"));
    insuranceGrid->addWidget(gradeLabel_, 3, 4, 1, 3);
    insuranceGrid->setColumnStretch(7, 1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(wages, 0, 0);
    layout->addWidget(allowances, 0, 1);
    layout->addWidget(deductions, 0, 2);
    layout->addWidget(insurance, 1, 0, 1, 3);
    residentTaxCity_ = new ResidentTaxCityBox(BoxMaker{this, settings, messages}, dataFolder);
    layout->addWidget(residentTaxCity_, 2, 0, 1, 3);
    layout->setRowStretch(3, 1);

    connect(healthInsuredCheck_, &QCheckBox::toggled, this, [this] { followHealthInsured(); });
}

void EmployeePayPage::setItemNames(const ItemNames& names) {
    const int allowanceItems[] = {kPositionAllowanceItem, kFamilyAllowanceItem, kFirstFreeItem,
                                  kFirstFreeItem + 1, kFirstFreeItem + 2};
    for (int i = 0; i < 5; ++i) allowanceLabels_[i]->setText(qs(names[allowanceItems[i]]));
    for (int i = 0; i < 3; ++i) deductionLabels_[i]->setText(qs(names[kFixedDeductionItem + i]));
}

void EmployeePayPage::showPayForm(int payForm) {
    static const QString kBaseCaptions[] = {QStringLiteral("基本給"), QStringLiteral("日給"),
                                            QStringLiteral("時給")};
    basePayLabel_->setText(kBaseCaptions[payForm >= 1 && payForm <= 3 ? payForm - 1 : 0]);
    paidLeavePayEdit_->setEnabled(payForm == 2 || payForm == 3);
}

void EmployeePayPage::setUnitPrices(const calc::UnitPrices& p) {
    showAmount(box("edChingin2"), p.overtime);
    showAmount(box("edChingin3"), p.lateNight);
    showAmount(box("edChingin4"), p.holidayOvertime);
    showAmount(box("edChingin5"), p.holidayLateNight);
    if (p.absencePerDay > 0) showAmount(box("edKekkin"), p.absencePerDay);
    if (p.latePerHour > 0) showAmount(box("edChisou"), p.latePerHour);
}

void EmployeePayPage::load(const EmployeeRecord& r) {
    showAmount(box("edChingin1"), r.basePay);
    showAmount(box("edChingin2"), r.overtimeRate);
    showAmount(box("edChingin3"), r.lateNightRate);
    showAmount(box("edChingin4"), r.holidayOvertimeRate);
    showAmount(box("edChingin5"), r.holidayLateNightRate);
    showAmount(box("edYukyu"), r.paidLeavePay);
    showAmount(box("edKekkin"), r.absenceDeductionRate);
    showAmount(box("edChisou"), r.lateDeductionRate);
    showAmount(box("edYakuin"), r.positionAllowance);
    showAmount(box("edFamily"), r.familyAllowance);
    showAmount(box("edTeate1"), r.fixedAllowance1);
    showAmount(box("edTeate2"), r.fixedAllowance2);
    showAmount(box("edTeate3"), r.fixedAllowance3);
    showAmount(box("edKoutuhi0"), r.commuteNonTaxable);
    showAmount(box("edKoutuhi1"), r.commuteTaxable);
    showAmount(box("edKoujo1"), r.fixedDeduction1);
    showAmount(box("edKoujo2"), r.fixedDeduction2);
    showAmount(box("edKoujo3"), r.fixedDeduction3);
    showAmount(box("edJuumin6"), r.residentTaxJune);
    showAmount(box("edJuumin"), r.residentTax);
    residentTaxCity_->load(r);
    employmentInsuredCheck_->setChecked(r.employmentInsured != 0);
    healthInsuredCheck_->setChecked(r.healthInsured != 0);
    nursingInsuredCheck_->setChecked(r.nursingInsured != 0);
    followHealthInsured();
    pensionInsuredCheck_->setChecked(r.pensionInsured != 0);
    pensionFundCheck_->setChecked(r.pensionFundMember != 0);
    setPremiums({r.healthInsPremium, r.nursingInsPremium, r.pensionPremium, r.pensionFundPremium,
                 r.supportPremium, r.supportPremium});
}

void EmployeePayPage::store(EmployeeRecord& r) const {
    r.basePay = amountIn(box("edChingin1"));
    r.overtimeRate = amountIn(box("edChingin2"));
    r.lateNightRate = amountIn(box("edChingin3"));
    r.holidayOvertimeRate = amountIn(box("edChingin4"));
    r.holidayLateNightRate = amountIn(box("edChingin5"));
    r.paidLeavePay = amountIn(box("edYukyu"));
    r.absenceDeductionRate = amountIn(box("edKekkin"));
    r.lateDeductionRate = amountIn(box("edChisou"));
    r.positionAllowance = amountIn(box("edYakuin"));
    r.familyAllowance = amountIn(box("edFamily"));
    r.fixedAllowance1 = amountIn(box("edTeate1"));
    r.fixedAllowance2 = amountIn(box("edTeate2"));
    r.fixedAllowance3 = amountIn(box("edTeate3"));
    r.commuteNonTaxable = amountIn(box("edKoutuhi0"));
    r.commuteTaxable = amountIn(box("edKoutuhi1"));
    r.fixedDeduction1 = amountIn(box("edKoujo1"));
    r.fixedDeduction2 = amountIn(box("edKoujo2"));
    r.fixedDeduction3 = amountIn(box("edKoujo3"));
    r.residentTaxJune = amountIn(box("edJuumin6"));
    r.residentTax = amountIn(box("edJuumin"));
    residentTaxCity_->store(r);
    r.employmentInsured = employmentInsuredCheck_->isChecked() ? 1 : 0;
    r.healthInsured = healthInsuredCheck_->isChecked() ? 1 : 0;
    r.healthInsPremium = amountIn(box("edKenhoRyo"));
    r.nursingInsured = nursingInsuredCheck_->isChecked() ? 1 : 0;
    r.nursingInsPremium = amountIn(box("edKaigoRyo"));
    r.supportPremium = amountIn(box("edSienRyo"));
    r.pensionInsured = pensionInsuredCheck_->isChecked() ? 1 : 0;
    r.pensionPremium = amountIn(box("edKoseiRyo"));
    r.pensionFundMember = pensionFundCheck_->isChecked() ? 1 : 0;
    r.pensionFundPremium = amountIn(box("edKakekin"));
}

void EmployeePayPage::setPremiums(const calc::MonthlyPremiums& premiums) {
    showAmount(box("edKenhoRyo"), premiums.health);
    showAmount(box("edKaigoRyo"), premiums.nursing);
    showAmount(box("edKoseiRyo"), premiums.pension);
    showAmount(box("edKakekin"), premiums.pensionFund);
    showAmount(box("edSienRyo"), premiums.supportFor(nursingInsuredCheck_->isChecked()));
}

QLineEdit* EmployeePayPage::box(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

void EmployeePayPage::followHealthInsured() {
    if (!healthInsuredCheck_->isChecked()) nursingInsuredCheck_->setChecked(false);
    nursingInsuredCheck_->setEnabled(healthInsuredCheck_->isChecked());
}

void EmployeePayPage::showGrade(const QString& text) {
    gradeLabel_->setText(text);
}

}  // namespace keiro::payroll
