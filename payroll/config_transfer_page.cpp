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
    auto* characters = new QGroupBox(QStringLiteral("振込データの文字"), this);

    // Typed full-width kana take two bytes each until they are shown converted on leaving.
    const BoxMaker inCompany{company, settings, messages};
    requesterCodeEdit_ = inCompany.digits("edItakuCd", 10);
    requesterNameEdit_ = inCompany.text("edItakuMei", 80, 24);
    showAsZenginTextOnLeave(requesterNameEdit_, [this] {
        return nameClassOf(strictCharactersRadio_->isChecked() ? TransferCharacters::Strict
                                                               : TransferCharacters::Standard);
    });
    const BoxMaker inBank{bank, settings, messages};
    bankCodeEdit_ = inBank.digits("edSimukeGinkoCd", 4);
    bankNameEdit_ = inBank.text("edSimukeGinkoMei", 30, 16);
    showAsZenginTextOnLeave(bankNameEdit_, ZenginClass::Shop);
    branchCodeEdit_ = inBank.digits("edSimukeSitenCd", 3);
    branchNameEdit_ = inBank.text("edSimukeSitenMei", 30, 16);
    showAsZenginTextOnLeave(branchNameEdit_, ZenginClass::Shop);
    ordinaryAccountRadio_ = radio(bank, "rbSimukeFutuu", QStringLiteral("普通"));
    currentAccountRadio_ = radio(bank, "rbSimukeTouza", QStringLiteral("当座"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(ordinaryAccountRadio_);
    kinds->addButton(currentAccountRadio_);
    accountNumberEdit_ = inBank.digits("edSimukeKouzaNo", 7);
    // The characters' choice is made last, as it is shown last: Tab follows creation.
    standardCharactersRadio_ = radio(characters, "rbMojiHyojun", QStringLiteral("標準"));
    strictCharactersRadio_ = radio(characters, "rbMojiGenkaku", QStringLiteral("厳格"));
    auto* characterKinds = new QButtonGroup(this);
    characterKinds->addButton(standardCharactersRadio_);
    characterKinds->addButton(strictCharactersRadio_);

    auto* companyGrid = new QGridLayout(company);
    companyGrid->setHorizontalSpacing(10);
    addRow(companyGrid, 0, caption(company, QStringLiteral("委託者コード")), requesterCodeEdit_);
    addRow(companyGrid, 1, caption(company, QStringLiteral("委託者名(ｶﾅ)")), requesterNameEdit_);
    companyGrid->setColumnStretch(2, 1);

    auto* bankGrid = new QGridLayout(bank);
    bankGrid->setHorizontalSpacing(10);
    addRow(bankGrid, 0, caption(bank, QStringLiteral("銀行番号")), bankCodeEdit_);
    addRow(bankGrid, 0, caption(bank, QStringLiteral("銀行名(ｶﾅ)")), bankNameEdit_, 2);
    addRow(bankGrid, 1, caption(bank, QStringLiteral("支店番号")), branchCodeEdit_);
    addRow(bankGrid, 1, caption(bank, QStringLiteral("支店名(ｶﾅ)")), branchNameEdit_, 2);
    auto* kindRow = new QWidget(bank);
    auto* kindLayout = new QHBoxLayout(kindRow);
    kindLayout->setContentsMargins(0, 0, 0, 0);
    kindLayout->addWidget(ordinaryAccountRadio_);
    kindLayout->addWidget(currentAccountRadio_);
    kindLayout->addStretch();
    addRow(bankGrid, 2, caption(bank, QStringLiteral("預金種目")), kindRow);
    addRow(bankGrid, 2, caption(bank, QStringLiteral("口座番号")), accountNumberEdit_, 2);
    bankGrid->setColumnStretch(4, 1);

    auto* characterLayout = new QVBoxLayout(characters);
    auto* characterRow = new QHBoxLayout();
    characterRow->addWidget(standardCharactersRadio_);
    characterRow->addWidget(strictCharactersRadio_);
    characterRow->addStretch();
    characterLayout->addLayout(characterRow);
    auto* characterNote = new QLabel(
        QStringLiteral(
            "委託者名と社員の口座名義ｶﾅに使える文字です。\n"
            "標準: 半角ｶﾀｶﾅ・英大文字・数字・空白と記号( ) - .  長音ｰはﾊｲﾌﾝ-になります"
            "(例 ｶ)ｻﾝﾌﾟﾙｼﾖｳｼﾞ、ﾖ-ｺ)。\n"
            "厳格: 半角ｶﾀｶﾅ・数字・空白のみ。英字や記号を受け付けない銀行の場合に選んで下さい。"),
        characters);
    characterNote->setWordWrap(true);
    characterLayout->addWidget(characterNote);

    auto* note = new QLabel(
        QStringLiteral("印刷の｢振込データ作成(全銀)｣で使います。銀行名・支店名は半角ｶﾀｶﾅ・"
                       "英大文字・数字・ﾊｲﾌﾝ・空白で入力して下さい。全角ｶﾅは半角に、小さい文字は"
                       "大きい文字に変換されます。ｦ・ｶﾝﾏ・/ は使えません。"),
        this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(company);
    layout->addWidget(bank);
    layout->addWidget(characters);
    layout->addWidget(note);
    layout->addStretch();
}

void ConfigTransferPage::load(const TransferOriginator& o) {
    requesterCodeEdit_->setText(qs(o.requesterCode));
    requesterNameEdit_->setText(shown(o.requesterName));
    bankCodeEdit_->setText(qs(o.bankCode));
    bankNameEdit_->setText(shown(o.bankName));
    branchCodeEdit_->setText(qs(o.branchCode));
    branchNameEdit_->setText(shown(o.branchName));
    (o.accountType == kCurrentAccount ? currentAccountRadio_ : ordinaryAccountRadio_)
        ->setChecked(true);
    accountNumberEdit_->setText(qs(o.accountNumber));
    (o.characters == TransferCharacters::Strict ? strictCharactersRadio_ : standardCharactersRadio_)
        ->setChecked(true);
}

OriginatorEntry ConfigTransferPage::entry() const {
    OriginatorEntry e;
    e.requesterCode = trimmedText(requesterCodeEdit_);
    e.requesterName = trimmedText(requesterNameEdit_);
    e.bankCode = trimmedText(bankCodeEdit_);
    e.bankName = trimmedText(bankNameEdit_);
    e.branchCode = trimmedText(branchCodeEdit_);
    e.branchName = trimmedText(branchNameEdit_);
    e.accountType = currentAccountRadio_->isChecked() ? kCurrentAccount : kOrdinaryAccount;
    e.accountNumber = trimmedText(accountNumberEdit_);
    e.characters = strictCharactersRadio_->isChecked() ? TransferCharacters::Strict
                                                       : TransferCharacters::Standard;
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
