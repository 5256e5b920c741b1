#include "payroll/employee_identity_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "core/employee_master.h"
#include "core/text.h"
#include "payroll/birth_date_entry.h"
#include "payroll/config_widgets.h"
#include "payroll/employee_boxes.h"
#include "payroll/employee_password_box.h"
#include "payroll/zengin_boxes.h"

namespace keiro::payroll {
namespace {

QStringList categoryEntries() {
    QStringList entries;
    for (const std::string_view entry : kEmployeeCategories) {
        entries << QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
    }
    return entries;
}
const QStringList kPayForms{QStringLiteral("月給"), QStringLiteral("日給"),
                            QStringLiteral("時間給")};
const QStringList kWorkStatuses{QStringLiteral("在職"), QStringLiteral("休職"),
                                QStringLiteral("退職")};
const QStringList kBirthEras{QStringLiteral("明治"), QStringLiteral("大正"), QStringLiteral("昭和"),
                             QStringLiteral("平成")};
constexpr int kCategoryMaxBytes = 10;

QComboBox* namedCombo(QWidget* parent, const char* name, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    return combo;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// The list entry of a stored 1-based number; none (-1) for a number outside the list.
int indexOf(int value, const QComboBox* combo) {
    return value >= 1 && value <= combo->count() ? value - 1 : -1;
}

// The stored 1-based number of the chosen entry; `kept` when nothing is chosen.
std::uint8_t chosenNumber(const QComboBox* combo, std::uint8_t kept) {
    return combo->currentIndex() >= 0 ? static_cast<std::uint8_t>(combo->currentIndex() + 1) : kept;
}

std::uint8_t byteIn(const QLineEdit* box) {
    return static_cast<std::uint8_t>(std::clamp(amountIn(box), 0, 255));
}

std::string utf8Of(const QLineEdit* box) {
    return box->text().toStdString();
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) layout->addWidget(widget);
    layout->addStretch();
    return layout;
}

}  // namespace

EmployeeIdentityPage::EmployeeIdentityPage(QWidget* parent, const ui::EntrySettings& settings,
                                           ZenginClass holderClass, ui::MessageService& messages)
    : QWidget(parent), holderClass_(holderClass) {
    setObjectName(QStringLiteral("tsKihon"));
    auto* basic = new QGroupBox(QStringLiteral("基本情報"), this);
    auto* tax = new QGroupBox(QStringLiteral("税額表・扶養"), this);
    auto* payment = new QGroupBox(QStringLiteral("支給方法・振込先"), this);
    bankFieldsPanel_ = new QWidget(payment);

    // Made in the order of the tab chain.
    const BoxMaker inBasic{basic, settings, messages};
    nameEdit_ = inBasic.text("edSimei", 16);
    kanaEdit_ = inBasic.text("edSimeiF", 12);
    myNumberEdit_ = inBasic.myNumber("edMyNo");
    hideMyNumberCheck_ = new QCheckBox(QStringLiteral("隠す"), basic);
    hideMyNumberCheck_->setObjectName(QStringLiteral("cbHide"));
    departmentEdit_ = inBasic.text("edBusyo", 16);
    codeEdit_ = inBasic.text("edSyaCod", 10);
    categoryCombo_ = namedCombo(basic, "cbKubun", categoryEntries());
    categoryCombo_->setEditable(true);
    categoryCombo_->setInsertPolicy(QComboBox::NoInsert);
    categoryCombo_->setCompleter(nullptr);
    ui::TextEntry::attach(categoryCombo_->lineEdit(), kCategoryMaxBytes, settings, messages);
    refuseBackspace(categoryCombo_, messages);
    payFormCombo_ = namedCombo(basic, "cbKeitai", kPayForms);
    workStatusCombo_ = namedCombo(basic, "cbSyugyo", kWorkStatuses);
    birthEraCombo_ = namedCombo(basic, "cbBirthG", kBirthEras);
    birthYearEdit_ = inBasic.fourDigits("edBirthY");
    birthMonthEdit_ = inBasic.twoDigits("edBirthM");
    birthDayEdit_ = inBasic.twoDigits("edBirthD");
    pdfPassword_ = new EmployeePasswordBox(basic);
    const int comboWidth = categoryCombo_->fontMetrics().horizontalAdvance(QString(12, u'0')) + 30;
    for (QComboBox* combo : {categoryCombo_, payFormCombo_, workStatusCombo_})
        combo->setFixedWidth(comboWidth);

    const BoxMaker inTax{tax, settings, messages};
    mainTaxColumnRadio_ = radio(tax, "rbZeigaku0", QStringLiteral("甲欄"));
    secondaryTaxColumnRadio_ = radio(tax, "rbZeigaku1", QStringLiteral("乙欄"));
    dependentsEdit_ = inTax.twoDigits("edFuyou");
    dependentRelativesEdit_ = inTax.twoDigits("edSinzoku");

    const BoxMaker inBank{bankFieldsPanel_, settings, messages};
    transferRadio_ = radio(payment, "rbFurikomi", QStringLiteral("振込"));
    cashRadio_ = radio(payment, "rbGenkin", QStringLiteral("現金"));
    bankNameEdit_ = inBank.text("edKinyu", 24);
    bankKanaEdit_ = inBank.text("edKinyuF", 16);
    branchNameEdit_ = inBank.text("edSiten", 24);
    branchKanaEdit_ = inBank.text("edSitenF", 16);
    QRadioButton* ordinaryRadio = radio(bankFieldsPanel_, "rbFutuu", QStringLiteral("普通"));
    QRadioButton* currentRadio = radio(bankFieldsPanel_, "rbTouza", QStringLiteral("当座"));
    QRadioButton* savingsRadio = radio(bankFieldsPanel_, "rbChochi", QStringLiteral("貯蓄"));
    accountNumberEdit_ = inBank.text("edKouzaNo", 7);
    transferFeeEdit_ = inBank.amount("edTesuryo", kFourDigitAmount);
    bankCodeEdit_ = inBank.digits("edGinkoCd", static_cast<int>(kBankCodeDigits));
    branchCodeEdit_ = inBank.digits("edSitenCd", static_cast<int>(kBranchCodeDigits));
    // Typed full-width kana take two bytes each until they are shown converted on leaving; the
    // half-width kana stored are narrow, so the box is as wide as the kana boxes above it.
    accountHolderEdit_ =
        inBank.text("edKouzaMeigi", 2 * static_cast<int>(kAccountHolderKanaBytes), 16);
    showAsZenginTextOnLeave(accountHolderEdit_, holderClass_);
    // The kana boxes keep half-width kana: what the input method gives is taken half-width.
    for (QLineEdit* kana : {kanaEdit_, bankKanaEdit_, branchKanaEdit_, accountHolderEdit_})
        kana->findChild<ui::TextEntry*>()->takeHalfWidthKana();

    auto* taxColumn = new QButtonGroup(this);
    taxColumn->addButton(mainTaxColumnRadio_, 0);
    taxColumn->addButton(secondaryTaxColumnRadio_, 1);
    auto* method = new QButtonGroup(this);
    method->addButton(transferRadio_);
    method->addButton(cashRadio_);
    accountType_ = new QButtonGroup(this);
    accountType_->addButton(ordinaryRadio, 0);
    accountType_->addButton(currentRadio, 1);
    accountType_->addButton(savingsRadio, 2);

    // 基本情報: identity on the left, category, pay form, status and birth on the right.
    auto* basicGrid = new QGridLayout(basic);
    basicGrid->setHorizontalSpacing(10);
    addRow(basicGrid, 0, caption(basic, QStringLiteral("氏名")), nameEdit_);
    addRow(basicGrid, 1, caption(basic, QStringLiteral("ﾌﾘｶﾞﾅ")), kanaEdit_);
    auto* myNumber = new QWidget(basic);
    myNumber->setLayout(row({myNumberEdit_, hideMyNumberCheck_}));
    addRow(basicGrid, 2, caption(basic, QStringLiteral("ﾏｲﾅﾝﾊﾞｰ")), myNumber);
    addRow(basicGrid, 3, caption(basic, QStringLiteral("部署")), departmentEdit_);
    addRow(basicGrid, 4, caption(basic, QStringLiteral("社員コード")), codeEdit_);
    basicGrid->setColumnMinimumWidth(2, 24);
    addRow(basicGrid, 0, caption(basic, QStringLiteral("社員区分")), categoryCombo_, 3);
    addRow(basicGrid, 1, caption(basic, QStringLiteral("支給形態")), payFormCombo_, 3);
    addRow(basicGrid, 2, caption(basic, QStringLiteral("就業形態")), workStatusCombo_, 3);
    auto* birth = new QWidget(basic);
    birth->setLayout(row({birthEraCombo_, birthYearEdit_, caption(basic, QStringLiteral("年")),
                          birthMonthEdit_, caption(basic, QStringLiteral("月")), birthDayEdit_,
                          caption(basic, QStringLiteral("日"))}));
    addRow(basicGrid, 3, caption(basic, QStringLiteral("生年月日")), birth, 3);
    addRow(basicGrid, 4, caption(basic, QStringLiteral("PDFﾊﾟｽﾜｰﾄﾞ")), pdfPassword_, 3);
    basicGrid->setColumnStretch(5, 1);

    auto* taxRow = new QHBoxLayout(tax);
    taxRow->addWidget(caption(tax, QStringLiteral("税額表")));
    taxRow->addWidget(mainTaxColumnRadio_);
    taxRow->addWidget(secondaryTaxColumnRadio_);
    taxRow->addSpacing(30);
    // Only the second count drives the tax; the first is what the slip prints.
    dependentsEdit_->setToolTip(
        QStringLiteral("給与明細書に印刷する扶養の人数です。税額には使いません。"));
    dependentRelativesEdit_->setToolTip(
        QStringLiteral("源泉所得税の税額表はこの人数で引きます(扶養控除等申告書の人数)。"));
    for (const auto& [text, box, use] :
         {std::tuple{QStringLiteral("扶養人数"), dependentsEdit_, QStringLiteral("人(明細書用)")},
          std::tuple{QStringLiteral("扶養親族等の数"), dependentRelativesEdit_,
                     QStringLiteral("人(税額計算用)")}}) {
        taxRow->addWidget(caption(tax, text));
        taxRow->addWidget(box);
        taxRow->addWidget(caption(tax, use));
        taxRow->addSpacing(20);
    }
    taxRow->addStretch();

    auto* bankGrid = new QGridLayout(bankFieldsPanel_);
    bankGrid->setContentsMargins(0, 0, 0, 0);
    bankGrid->setHorizontalSpacing(10);
    addRow(bankGrid, 0, caption(bankFieldsPanel_, QStringLiteral("金融機関名")), bankNameEdit_);
    addRow(bankGrid, 0, caption(bankFieldsPanel_, QStringLiteral("ﾌﾘｶﾞﾅ")), bankKanaEdit_, 2);
    addRow(bankGrid, 1, caption(bankFieldsPanel_, QStringLiteral("支店名")), branchNameEdit_);
    addRow(bankGrid, 1, caption(bankFieldsPanel_, QStringLiteral("ﾌﾘｶﾞﾅ")), branchKanaEdit_, 2);
    auto* kinds = new QWidget(bankFieldsPanel_);
    kinds->setLayout(row({ordinaryRadio, currentRadio, savingsRadio}));
    addRow(bankGrid, 2, caption(bankFieldsPanel_, QStringLiteral("預金種別")), kinds);
    addRow(bankGrid, 2, caption(bankFieldsPanel_, QStringLiteral("口座番号")), accountNumberEdit_,
           2);
    auto* fee = new QWidget(bankFieldsPanel_);
    fee->setLayout(row({transferFeeEdit_, caption(bankFieldsPanel_, QStringLiteral("円"))}));
    addRow(bankGrid, 3, caption(bankFieldsPanel_, QStringLiteral("振込手数料")), fee);
    // The transfer file's codes beside the names they belong to, the holder's name below.
    addRow(bankGrid, 0, caption(bankFieldsPanel_, QStringLiteral("銀行コード")), bankCodeEdit_, 4);
    addRow(bankGrid, 1, caption(bankFieldsPanel_, QStringLiteral("支店コード")), branchCodeEdit_,
           4);
    addRow(bankGrid, 3, caption(bankFieldsPanel_, QStringLiteral("口座名義ｶﾅ")), accountHolderEdit_,
           2);
    bankGrid->setColumnStretch(6, 1);

    auto* paymentRows = new QVBoxLayout(payment);
    auto* methodRow =
        row({caption(payment, QStringLiteral("支給方法")), transferRadio_, cashRadio_});
    paymentRows->addLayout(methodRow);
    paymentRows->addWidget(bankFieldsPanel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(basic);
    layout->addWidget(tax);
    layout->addWidget(payment);
    layout->addStretch();

    connect(payFormCombo_, &QComboBox::currentIndexChanged, this, [this] { announcePayForm(); });
    connect(hideMyNumberCheck_, &QCheckBox::toggled, this, [this] { toggleMyNumberShown(); });
    connect(transferRadio_, &QRadioButton::toggled, this, [this] { enableBankFields(); });
    birthDate_ = new BirthDateEntry(birthEraCombo_, birthYearEdit_, birthMonthEdit_, birthDayEdit_,
                                    messages);
}

void EmployeeIdentityPage::load(const EmployeeRecord& record) {
    nameEdit_->setText(qs(record.name.utf8()));
    kanaEdit_->setText(qs(record.nameKana.utf8()));
    myNumberEdit_->setText(qs(formatMyNumber(record.myNumber)));
    hideMyNumberCheck_->setChecked(true);
    toggleMyNumberShown();
    departmentEdit_->setText(qs(record.department.utf8()));
    codeEdit_->setText(qs(record.employeeCode.utf8()));
    pdfPassword_->load(record);

    categoryCombo_->setCurrentIndex(indexOf(record.category, categoryCombo_));
    if (!record.categoryText.empty() || categoryCombo_->currentIndex() < 0) {
        categoryCombo_->setEditText(qs(record.categoryText.utf8()));
    }
    payFormCombo_->setCurrentIndex(indexOf(record.payForm, payFormCombo_));
    announcePayForm();  // the pay page follows even when the index stayed
    workStatusCombo_->setCurrentIndex(indexOf(record.workStatus, workStatusCombo_));
    (record.taxColumn == 1 ? secondaryTaxColumnRadio_ : mainTaxColumnRadio_)->setChecked(true);
    showTwoDigits(dependentsEdit_, record.dependents);
    showTwoDigits(dependentRelativesEdit_, record.dependentRelatives);

    birthEraCombo_->setCurrentIndex(indexOf(record.birthEra, birthEraCombo_));
    showTwoDigits(birthYearEdit_, record.birthYear, true);
    showTwoDigits(birthMonthEdit_, record.birthMonth, true);
    showTwoDigits(birthDayEdit_, record.birthDay, true);
    birthDate_->forgetWesternYear();

    (record.payMethod == 1 ? cashRadio_ : transferRadio_)->setChecked(true);
    enableBankFields();
    bankNameEdit_->setText(qs(record.bankName.utf8()));
    bankKanaEdit_->setText(qs(record.bankNameKana.utf8()));
    branchNameEdit_->setText(qs(record.branchName.utf8()));
    branchKanaEdit_->setText(qs(record.branchNameKana.utf8()));
    const int type = record.accountType <= 2 ? record.accountType : 0;
    accountType_->button(type)->setChecked(true);
    accountNumberEdit_->setText(qs(record.accountNumber.utf8()));
    showAmount(transferFeeEdit_, record.transferFee);
    bankCodeEdit_->setText(qs(bankCodeOf(record)));
    branchCodeEdit_->setText(qs(branchCodeOf(record)));
    accountHolderEdit_->setText(qs(text::fromCp932(accountHolderKanaOf(record))));
}

void EmployeeIdentityPage::store(EmployeeRecord& record) const {
    storeText(record.name, utf8Of(nameEdit_));
    storeText(record.nameKana, utf8Of(kanaEdit_));
    if (const auto number = parseMyNumber(myNumberEdit_->text().toStdString())) {
        record.myNumber = *number;
    }
    storeText(record.department, utf8Of(departmentEdit_));
    // Blanks around a code would keep it from matching in the imports.
    storeText(record.employeeCode, codeEdit_->text().trimmed().toStdString());
    pdfPassword_->store(record);

    // The category is the entry chosen, or 0 for a text of the user's own (which the slips and
    // lists then show instead of an entry).
    const int listed = categoryCombo_->findText(categoryCombo_->currentText());
    record.category = listed >= 0 ? static_cast<std::uint8_t>(listed + 1) : 0;
    storeText(record.categoryText, categoryCombo_->currentText().toStdString());
    record.payForm = chosenNumber(payFormCombo_, record.payForm);
    record.workStatus = chosenNumber(workStatusCombo_, record.workStatus);
    record.taxColumn = secondaryTaxColumnRadio_->isChecked() ? 1 : 0;
    record.dependents = amountIn(dependentsEdit_);
    record.dependentRelatives = amountIn(dependentRelativesEdit_);

    record.birthEra = chosenNumber(birthEraCombo_, 0);
    record.birthYear = byteIn(birthYearEdit_);
    record.birthMonth = byteIn(birthMonthEdit_);
    record.birthDay = byteIn(birthDayEdit_);

    record.payMethod = cashRadio_->isChecked() ? 1 : 0;
    storeText(record.bankName, utf8Of(bankNameEdit_));
    storeText(record.bankNameKana, utf8Of(bankKanaEdit_));
    storeText(record.branchName, utf8Of(branchNameEdit_));
    storeText(record.branchNameKana, utf8Of(branchKanaEdit_));
    record.accountType = static_cast<std::uint8_t>(std::max(0, accountType_->checkedId()));
    storeText(record.accountNumber, utf8Of(accountNumberEdit_));
    record.transferFee = amountIn(transferFeeEdit_);
    setTransferCodes(record, bankCodeEdit_->text().toStdString(),
                     branchCodeEdit_->text().toStdString(),
                     zenginBytesOf(accountHolderEdit_, holderClass_));
}

std::optional<TransferFieldFailure> EmployeeIdentityPage::checkTransferBoxes() const {
    return checkTransferFields(bankCodeEdit_->text().toStdString(),
                               branchCodeEdit_->text().toStdString(),
                               accountHolderEdit_->text().toStdString(), holderClass_);
}

QLineEdit* EmployeeIdentityPage::transferBox(TransferField field) const {
    switch (field) {
        case TransferField::BankCode:
            return bankCodeEdit_;
        case TransferField::BranchCode:
            return branchCodeEdit_;
        case TransferField::HolderKana:
            break;
    }
    return accountHolderEdit_;
}

QString EmployeeIdentityPage::myNumberText() const {
    return myNumberEdit_->text();
}

QLineEdit* EmployeeIdentityPage::slipPasswordBox() const {
    return pdfPassword_->edit();
}

std::optional<std::string_view> EmployeeIdentityPage::slipPasswordProblem() const {
    return pdfPassword_->problem();
}

int EmployeeIdentityPage::payForm() const {
    return payFormCombo_->currentIndex() + 1;
}

void EmployeeIdentityPage::announcePayForm() {
    emit payFormChanged(payForm());
}

void EmployeeIdentityPage::toggleMyNumberShown() {
    myNumberEdit_->setEchoMode(hideMyNumberCheck_->isChecked() ? QLineEdit::Password
                                                               : QLineEdit::Normal);
}

void EmployeeIdentityPage::enableBankFields() {
    bankFieldsPanel_->setEnabled(transferRadio_->isChecked());
}

}  // namespace keiro::payroll
