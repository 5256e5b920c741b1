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

#include "core/employee_master.h"
#include "core/text.h"
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

QComboBox* listBox(QWidget* parent, const char* name, const QStringList& items) {
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
                                           ui::MessageService& messages)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tsKihon"));
    auto* basic = new QGroupBox(QStringLiteral("基本情報"), this);
    auto* tax = new QGroupBox(QStringLiteral("税額表・扶養"), this);
    auto* payment = new QGroupBox(QStringLiteral("支給方法・振込先"), this);
    bankFields_ = new QWidget(payment);

    // Made in the order of the tab chain.
    const BoxMaker inBasic{basic, settings, messages};
    edSimei_ = inBasic.text("edSimei", 16);
    edSimeiF_ = inBasic.text("edSimeiF", 12);
    edMyNo_ = inBasic.myNumber("edMyNo");
    cbHide_ = new QCheckBox(QStringLiteral("隠す"), basic);
    cbHide_->setObjectName(QStringLiteral("cbHide"));
    edBusyo_ = inBasic.text("edBusyo", 16);
    edSyaCod_ = inBasic.text("edSyaCod", 10);
    cbKubun_ = listBox(basic, "cbKubun", categoryEntries());
    cbKubun_->setEditable(true);
    cbKubun_->setInsertPolicy(QComboBox::NoInsert);
    cbKubun_->setCompleter(nullptr);
    ui::TextEntry::attach(cbKubun_->lineEdit(), kCategoryMaxBytes, settings, messages);
    refuseBackspace(cbKubun_, messages);
    cbKeitai_ = listBox(basic, "cbKeitai", kPayForms);
    cbSyugyo_ = listBox(basic, "cbSyugyo", kWorkStatuses);
    cbBirthG_ = listBox(basic, "cbBirthG", kBirthEras);
    edBirthY_ = inBasic.twoDigits("edBirthY");
    edBirthM_ = inBasic.twoDigits("edBirthM");
    edBirthD_ = inBasic.twoDigits("edBirthD");
    pdfPassword_ = new EmployeePasswordBox(basic);
    const int comboWidth = cbKubun_->fontMetrics().horizontalAdvance(QString(12, u'0')) + 30;
    for (QComboBox* combo : {cbKubun_, cbKeitai_, cbSyugyo_}) combo->setFixedWidth(comboWidth);

    const BoxMaker inTax{tax, settings, messages};
    rbZeigaku0_ = radio(tax, "rbZeigaku0", QStringLiteral("甲欄"));
    rbZeigaku1_ = radio(tax, "rbZeigaku1", QStringLiteral("乙欄"));
    edFuyou_ = inTax.twoDigits("edFuyou");
    edSinzoku_ = inTax.twoDigits("edSinzoku");

    const BoxMaker inBank{bankFields_, settings, messages};
    rbFurikomi_ = radio(payment, "rbFurikomi", QStringLiteral("振込"));
    rbGenkin_ = radio(payment, "rbGenkin", QStringLiteral("現金"));
    edKinyu_ = inBank.text("edKinyu", 24);
    edKinyuF_ = inBank.text("edKinyuF", 16);
    edSiten_ = inBank.text("edSiten", 24);
    edSitenF_ = inBank.text("edSitenF", 16);
    QRadioButton* rbFutuu = radio(bankFields_, "rbFutuu", QStringLiteral("普通"));
    QRadioButton* rbTouza = radio(bankFields_, "rbTouza", QStringLiteral("当座"));
    QRadioButton* rbChochi = radio(bankFields_, "rbChochi", QStringLiteral("貯蓄"));
    edKouzaNo_ = inBank.text("edKouzaNo", 7);
    edTesuryo_ = inBank.amount("edTesuryo", kFourDigitAmount);
    edGinkoCd_ = inBank.digits("edGinkoCd", static_cast<int>(kBankCodeDigits));
    edSitenCd_ = inBank.digits("edSitenCd", static_cast<int>(kBranchCodeDigits));
    // Typed full-width kana take two bytes each until they are shown converted on leaving; the
    // half-width kana stored are narrow, so the box is as wide as the kana boxes above it.
    edKouzaMeigi_ = inBank.text("edKouzaMeigi", 2 * static_cast<int>(kAccountHolderKanaBytes), 16);
    showAsZenginTextOnLeave(edKouzaMeigi_, ZenginClass::Name);

    auto* taxColumn = new QButtonGroup(this);
    taxColumn->addButton(rbZeigaku0_, 0);
    taxColumn->addButton(rbZeigaku1_, 1);
    auto* method = new QButtonGroup(this);
    method->addButton(rbFurikomi_);
    method->addButton(rbGenkin_);
    accountType_ = new QButtonGroup(this);
    accountType_->addButton(rbFutuu, 0);
    accountType_->addButton(rbTouza, 1);
    accountType_->addButton(rbChochi, 2);

    // 基本情報: identity on the left, category, pay form, status and birth on the right.
    auto* basicGrid = new QGridLayout(basic);
    basicGrid->setHorizontalSpacing(10);
    addRow(basicGrid, 0, caption(basic, QStringLiteral("氏名")), edSimei_);
    addRow(basicGrid, 1, caption(basic, QStringLiteral("ﾌﾘｶﾞﾅ")), edSimeiF_);
    auto* myNumber = new QWidget(basic);
    myNumber->setLayout(row({edMyNo_, cbHide_}));
    addRow(basicGrid, 2, caption(basic, QStringLiteral("ﾏｲﾅﾝﾊﾞｰ")), myNumber);
    addRow(basicGrid, 3, caption(basic, QStringLiteral("部署")), edBusyo_);
    addRow(basicGrid, 4, caption(basic, QStringLiteral("社員コード")), edSyaCod_);
    basicGrid->setColumnMinimumWidth(2, 24);
    addRow(basicGrid, 0, caption(basic, QStringLiteral("社員区分")), cbKubun_, 3);
    addRow(basicGrid, 1, caption(basic, QStringLiteral("支給形態")), cbKeitai_, 3);
    addRow(basicGrid, 2, caption(basic, QStringLiteral("就業形態")), cbSyugyo_, 3);
    auto* birth = new QWidget(basic);
    birth->setLayout(row({cbBirthG_, edBirthY_, caption(basic, QStringLiteral("年")), edBirthM_,
                          caption(basic, QStringLiteral("月")), edBirthD_,
                          caption(basic, QStringLiteral("日"))}));
    addRow(basicGrid, 3, caption(basic, QStringLiteral("生年月日")), birth, 3);
    addRow(basicGrid, 4, caption(basic, QStringLiteral("PDFﾊﾟｽﾜｰﾄﾞ")), pdfPassword_, 3);
    basicGrid->setColumnStretch(5, 1);

    auto* taxRow = new QHBoxLayout(tax);
    taxRow->addWidget(caption(tax, QStringLiteral("税額表")));
    taxRow->addWidget(rbZeigaku0_);
    taxRow->addWidget(rbZeigaku1_);
    taxRow->addSpacing(30);
    for (const auto& [text, box] : {std::pair{QStringLiteral("扶養人数"), edFuyou_},
                                    std::pair{QStringLiteral("扶養親族等の数"), edSinzoku_}}) {
        taxRow->addWidget(caption(tax, text));
        taxRow->addWidget(box);
        taxRow->addWidget(caption(tax, QStringLiteral("人")));
        taxRow->addSpacing(20);
    }
    taxRow->addStretch();

    auto* bankGrid = new QGridLayout(bankFields_);
    bankGrid->setContentsMargins(0, 0, 0, 0);
    bankGrid->setHorizontalSpacing(10);
    addRow(bankGrid, 0, caption(bankFields_, QStringLiteral("金融機関名")), edKinyu_);
    addRow(bankGrid, 0, caption(bankFields_, QStringLiteral("ﾌﾘｶﾞﾅ")), edKinyuF_, 2);
    addRow(bankGrid, 1, caption(bankFields_, QStringLiteral("支店名")), edSiten_);
    addRow(bankGrid, 1, caption(bankFields_, QStringLiteral("ﾌﾘｶﾞﾅ")), edSitenF_, 2);
    auto* kinds = new QWidget(bankFields_);
    kinds->setLayout(row({rbFutuu, rbTouza, rbChochi}));
    addRow(bankGrid, 2, caption(bankFields_, QStringLiteral("預金種別")), kinds);
    addRow(bankGrid, 2, caption(bankFields_, QStringLiteral("口座番号")), edKouzaNo_, 2);
    auto* fee = new QWidget(bankFields_);
    fee->setLayout(row({edTesuryo_, caption(bankFields_, QStringLiteral("円"))}));
    addRow(bankGrid, 3, caption(bankFields_, QStringLiteral("振込手数料")), fee);
    // The transfer file's codes beside the names they belong to, the holder's name below.
    addRow(bankGrid, 0, caption(bankFields_, QStringLiteral("銀行コード")), edGinkoCd_, 4);
    addRow(bankGrid, 1, caption(bankFields_, QStringLiteral("支店コード")), edSitenCd_, 4);
    addRow(bankGrid, 3, caption(bankFields_, QStringLiteral("口座名義ｶﾅ")), edKouzaMeigi_, 2);
    bankGrid->setColumnStretch(6, 1);

    auto* paymentRows = new QVBoxLayout(payment);
    auto* methodRow = row({caption(payment, QStringLiteral("支給方法")), rbFurikomi_, rbGenkin_});
    paymentRows->addLayout(methodRow);
    paymentRows->addWidget(bankFields_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(basic);
    layout->addWidget(tax);
    layout->addWidget(payment);
    layout->addStretch();

    connect(cbKeitai_, &QComboBox::currentIndexChanged, this, [this] { cbKeitaiChange(); });
    connect(cbHide_, &QCheckBox::toggled, this, [this] { cbHideClick(); });
    connect(rbFurikomi_, &QRadioButton::toggled, this, [this] { rbFurikomiClick(); });
    auto* birthYear = edBirthY_->findChild<ui::NumericEntry*>();
    connect(birthYear, &ui::NumericEntry::committed, this, [this] { edBirthYExit(); });
}

void EmployeeIdentityPage::load(const EmployeeRecord& record) {
    edSimei_->setText(qs(record.name.utf8()));
    edSimeiF_->setText(qs(record.nameKana.utf8()));
    edMyNo_->setText(qs(formatMyNumber(record.myNumber)));
    cbHide_->setChecked(true);
    cbHideClick();
    edBusyo_->setText(qs(record.department.utf8()));
    edSyaCod_->setText(qs(record.employeeCode.utf8()));
    pdfPassword_->load(record);

    cbKubun_->setCurrentIndex(indexOf(record.category, cbKubun_));
    if (!record.categoryText.empty() || cbKubun_->currentIndex() < 0) {
        cbKubun_->setEditText(qs(record.categoryText.utf8()));
    }
    cbKeitai_->setCurrentIndex(indexOf(record.payForm, cbKeitai_));
    cbKeitaiChange();  // the pay page follows even when the index stayed
    cbSyugyo_->setCurrentIndex(indexOf(record.workStatus, cbSyugyo_));
    (record.taxColumn == 1 ? rbZeigaku1_ : rbZeigaku0_)->setChecked(true);
    showTwoDigits(edFuyou_, record.dependents);
    showTwoDigits(edSinzoku_, record.dependentRelatives);

    cbBirthG_->setCurrentIndex(indexOf(record.birthEra, cbBirthG_));
    showTwoDigits(edBirthY_, record.birthYear, true);
    showTwoDigits(edBirthM_, record.birthMonth, true);
    showTwoDigits(edBirthD_, record.birthDay, true);

    (record.payMethod == 1 ? rbGenkin_ : rbFurikomi_)->setChecked(true);
    rbFurikomiClick();
    edKinyu_->setText(qs(record.bankName.utf8()));
    edKinyuF_->setText(qs(record.bankNameKana.utf8()));
    edSiten_->setText(qs(record.branchName.utf8()));
    edSitenF_->setText(qs(record.branchNameKana.utf8()));
    const int type = record.accountType <= 2 ? record.accountType : 0;
    accountType_->button(type)->setChecked(true);
    edKouzaNo_->setText(qs(record.accountNumber.utf8()));
    showAmount(edTesuryo_, record.transferFee);
    edGinkoCd_->setText(qs(bankCodeOf(record)));
    edSitenCd_->setText(qs(branchCodeOf(record)));
    edKouzaMeigi_->setText(qs(text::fromCp932(accountHolderKanaOf(record))));
}

void EmployeeIdentityPage::store(EmployeeRecord& record) const {
    storeText(record.name, utf8Of(edSimei_));
    storeText(record.nameKana, utf8Of(edSimeiF_));
    if (const auto number = parseMyNumber(edMyNo_->text().toStdString())) {
        record.myNumber = *number;
    }
    storeText(record.department, utf8Of(edBusyo_));
    // Blanks around a code would keep it from matching in the imports.
    storeText(record.employeeCode, edSyaCod_->text().trimmed().toStdString());
    pdfPassword_->store(record);

    // The category is the entry chosen, or 0 for a text of the user's own (which the slips and
    // lists then show instead of an entry).
    const int listed = cbKubun_->findText(cbKubun_->currentText());
    record.category = listed >= 0 ? static_cast<std::uint8_t>(listed + 1) : 0;
    storeText(record.categoryText, cbKubun_->currentText().toStdString());
    record.payForm = chosenNumber(cbKeitai_, record.payForm);
    record.workStatus = chosenNumber(cbSyugyo_, record.workStatus);
    record.taxColumn = rbZeigaku1_->isChecked() ? 1 : 0;
    record.dependents = amountIn(edFuyou_);
    record.dependentRelatives = amountIn(edSinzoku_);

    record.birthEra = chosenNumber(cbBirthG_, 0);
    record.birthYear = byteIn(edBirthY_);
    record.birthMonth = byteIn(edBirthM_);
    record.birthDay = byteIn(edBirthD_);

    record.payMethod = rbGenkin_->isChecked() ? 1 : 0;
    storeText(record.bankName, utf8Of(edKinyu_));
    storeText(record.bankNameKana, utf8Of(edKinyuF_));
    storeText(record.branchName, utf8Of(edSiten_));
    storeText(record.branchNameKana, utf8Of(edSitenF_));
    record.accountType = static_cast<std::uint8_t>(std::max(0, accountType_->checkedId()));
    storeText(record.accountNumber, utf8Of(edKouzaNo_));
    record.transferFee = amountIn(edTesuryo_);
    setTransferCodes(record, edGinkoCd_->text().toStdString(), edSitenCd_->text().toStdString(),
                     zenginBytesOf(edKouzaMeigi_, ZenginClass::Name));
}

std::optional<TransferFieldFailure> EmployeeIdentityPage::checkTransferBoxes() const {
    return checkTransferFields(edGinkoCd_->text().toStdString(), edSitenCd_->text().toStdString(),
                               edKouzaMeigi_->text().toStdString());
}

QLineEdit* EmployeeIdentityPage::transferBox(TransferField field) const {
    switch (field) {
        case TransferField::BankCode:
            return edGinkoCd_;
        case TransferField::BranchCode:
            return edSitenCd_;
        case TransferField::HolderKana:
            break;
    }
    return edKouzaMeigi_;
}

QString EmployeeIdentityPage::myNumberText() const {
    return edMyNo_->text();
}

QLineEdit* EmployeeIdentityPage::slipPasswordBox() const {
    return pdfPassword_->edit();
}

std::optional<std::string_view> EmployeeIdentityPage::slipPasswordProblem() const {
    return pdfPassword_->problem();
}

int EmployeeIdentityPage::payForm() const {
    return cbKeitai_->currentIndex() + 1;
}

void EmployeeIdentityPage::cbKeitaiChange() {
    emit payFormChanged(payForm());
}

void EmployeeIdentityPage::cbHideClick() {
    edMyNo_->setEchoMode(cbHide_->isChecked() ? QLineEdit::Password : QLineEdit::Normal);
}

void EmployeeIdentityPage::rbFurikomiClick() {
    bankFields_->setEnabled(rbFurikomi_->isChecked());
}

void EmployeeIdentityPage::edBirthYExit() {
    if (amountIn(edBirthY_) != 0) return;
    cbBirthG_->setCurrentIndex(-1);
    edBirthY_->clear();
    edBirthM_->clear();
    edBirthD_->clear();
}

}  // namespace keiro::payroll
