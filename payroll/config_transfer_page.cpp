#include "payroll/config_transfer_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "payroll/config_widgets.h"
#include "payroll/employee_boxes.h"
#include "payroll/zengin_boxes.h"

namespace keiro::payroll {
namespace {

QRadioButton* radio(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QString shown(const std::string& fileBytes) {
    return qs(text::fromCp932(fileBytes));
}

}  // namespace

ConfigTransferPage::ConfigTransferPage(QWidget* parent, const ui::EntrySettings& settings,
                                       ui::MessageService& messages)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tsZengin"));
    auto* company = new QGroupBox(QStringLiteral("委託者(振込依頼人)"), this);
    auto* bank = new QGroupBox(QStringLiteral("仕向金融機関(振込元の口座)"), this);

    // Typed full-width kana take two bytes each until they are shown converted on leaving.
    const BoxMaker inCompany{company, settings, messages};
    edItakuCd_ = inCompany.digits("edItakuCd", 10);
    edItakuMei_ = inCompany.text("edItakuMei", 80, 24);
    showAsZenginTextOnLeave(edItakuMei_, ZenginClass::Name);
    const BoxMaker inBank{bank, settings, messages};
    edGinkoCd_ = inBank.digits("edSimukeGinkoCd", 4);
    edGinkoMei_ = inBank.text("edSimukeGinkoMei", 30, 16);
    showAsZenginTextOnLeave(edGinkoMei_, ZenginClass::Shop);
    edSitenCd_ = inBank.digits("edSimukeSitenCd", 3);
    edSitenMei_ = inBank.text("edSimukeSitenMei", 30, 16);
    showAsZenginTextOnLeave(edSitenMei_, ZenginClass::Shop);
    rbFutuu_ = radio(bank, "rbSimukeFutuu", QStringLiteral("普通"));
    rbTouza_ = radio(bank, "rbSimukeTouza", QStringLiteral("当座"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(rbFutuu_);
    kinds->addButton(rbTouza_);
    edKouzaNo_ = inBank.digits("edSimukeKouzaNo", 7);

    auto* companyGrid = new QGridLayout(company);
    companyGrid->setHorizontalSpacing(10);
    addRow(companyGrid, 0, caption(company, QStringLiteral("委託者コード")), edItakuCd_);
    addRow(companyGrid, 1, caption(company, QStringLiteral("委託者名(ｶﾅ)")), edItakuMei_);
    companyGrid->setColumnStretch(2, 1);

    auto* bankGrid = new QGridLayout(bank);
    bankGrid->setHorizontalSpacing(10);
    addRow(bankGrid, 0, caption(bank, QStringLiteral("銀行番号")), edGinkoCd_);
    addRow(bankGrid, 0, caption(bank, QStringLiteral("銀行名(ｶﾅ)")), edGinkoMei_, 2);
    addRow(bankGrid, 1, caption(bank, QStringLiteral("支店番号")), edSitenCd_);
    addRow(bankGrid, 1, caption(bank, QStringLiteral("支店名(ｶﾅ)")), edSitenMei_, 2);
    auto* kindRow = new QWidget(bank);
    auto* kindLayout = new QHBoxLayout(kindRow);
    kindLayout->setContentsMargins(0, 0, 0, 0);
    kindLayout->addWidget(rbFutuu_);
    kindLayout->addWidget(rbTouza_);
    kindLayout->addStretch();
    addRow(bankGrid, 2, caption(bank, QStringLiteral("預金種目")), kindRow);
    addRow(bankGrid, 2, caption(bank, QStringLiteral("口座番号")), edKouzaNo_, 2);
    bankGrid->setColumnStretch(4, 1);

    auto* note = new QLabel(
        QStringLiteral(
            "印刷の｢振込データ作成(全銀)｣で使います。委託者名は半角ｶﾀｶﾅ・数字・空白で、"
            "銀行名・支店名はそれに英大文字とﾊｲﾌﾝを加えて入力して下さい。全角ｶﾅは半角に、"
            "小さい文字は大きい文字に変換されます。長音ｰ・ｦ・記号は使えません。"),
        this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(company);
    layout->addWidget(bank);
    layout->addWidget(note);
    layout->addStretch();
}

void ConfigTransferPage::load(const TransferOriginator& o) {
    edItakuCd_->setText(qs(o.requesterCode));
    edItakuMei_->setText(shown(o.requesterName));
    edGinkoCd_->setText(qs(o.bankCode));
    edGinkoMei_->setText(shown(o.bankName));
    edSitenCd_->setText(qs(o.branchCode));
    edSitenMei_->setText(shown(o.branchName));
    (o.accountType == kCurrentAccount ? rbTouza_ : rbFutuu_)->setChecked(true);
    edKouzaNo_->setText(qs(o.accountNumber));
}

OriginatorEntry ConfigTransferPage::entry() const {
    OriginatorEntry e;
    e.requesterCode = trimmedText(edItakuCd_);
    e.requesterName = trimmedText(edItakuMei_);
    e.bankCode = trimmedText(edGinkoCd_);
    e.bankName = trimmedText(edGinkoMei_);
    e.branchCode = trimmedText(edSitenCd_);
    e.branchName = trimmedText(edSitenMei_);
    e.accountType = rbTouza_->isChecked() ? kCurrentAccount : kOrdinaryAccount;
    e.accountNumber = trimmedText(edKouzaNo_);
    return e;
}

std::string_view ConfigTransferPage::control(OriginatorField field) {
    switch (field) {
        case OriginatorField::RequesterCode:
            return "edItakuCd";
        case OriginatorField::RequesterName:
            return "edItakuMei";
        case OriginatorField::BankCode:
            return "edSimukeGinkoCd";
        case OriginatorField::BankName:
            return "edSimukeGinkoMei";
        case OriginatorField::BranchCode:
            return "edSimukeSitenCd";
        case OriginatorField::BranchName:
            return "edSimukeSitenMei";
        case OriginatorField::AccountNumber:
            break;
    }
    return "edSimukeKouzaNo";
}

}  // namespace keiro::payroll
