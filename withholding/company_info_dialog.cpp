#include "withholding/company_info_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "widgets/command_runner.h"
#include "withholding/dialog_boxes.h"
#include "withholding/model/entry_text.h"

namespace keiro::withholding {
namespace {

constexpr int kAddressBytes = decltype(WithholdingHeader::address1)::kCapacity;
constexpr int kPhoneBytes = decltype(WithholdingHeader::phone)::kCapacity;

QPushButton* button(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

CompanyInfoDialog::CompanyInfoDialog(WithholdingHeader& header, const QString& companyName,
                                     ui::MessageService& messages, QWidget* parent)
    : QDialog(parent), header_(header), messages_(messages) {
    setObjectName(QStringLiteral("TfmCorpInfo"));
    setWindowTitle(QStringLiteral("会社情報の設定"));

    companyLabel_ = new QLabel(companyName);
    companyLabel_->setObjectName(QStringLiteral("pnSyamei"));
    companyLabel_->setFrameShape(QFrame::Panel);
    companyLabel_->setFrameShadow(QFrame::Sunken);
    address1Edit_ =
        textBox(QStringLiteral("edJusyo1"), kAddressBytes, kAddressCharacters, messages_);
    address1Edit_->setMaxLength(kAddressCharacters);
    address2Edit_ =
        textBox(QStringLiteral("edJusyo2"), kAddressBytes, kAddressCharacters, messages_);
    address2Edit_->setMaxLength(kAddressCharacters);
    phoneEdit_ = textBox(QStringLiteral("edTelNo"), kPhoneBytes, kPhoneCharacters, messages_);
    phoneEdit_->setMaxLength(kPhoneCharacters);
    phoneEdit_->setInputMethodHints(Qt::ImhDialableCharactersOnly);

    const PayerTexts texts = payerTexts(header_);
    address1Edit_->setText(qs(texts.address1));
    address2Edit_->setText(qs(texts.address2));
    phoneEdit_->setText(qs(texts.phone));

    QPushButton* ok = button("bbOk", QStringLiteral("Ｏ Ｋ"));
    QPushButton* cancel = button("bbCancel", QStringLiteral("キャンセル"));
    ui::connectCommand(ok, this, messages_, &CompanyInfoDialog::storeAndClose);
    connect(cancel, &QPushButton::clicked, this, &CompanyInfoDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("会社名"), companyLabel_);
    form->addRow(QStringLiteral("住所１"), address1Edit_);
    form->addRow(QStringLiteral("住所２"), address2Edit_);
    form->addRow(QStringLiteral("電話番号"), phoneEdit_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    address1Edit_->setFocus();
}

void CompanyInfoDialog::storeAndClose() {
    try {
        storePayerTexts(header_,
                        {address1Edit_->text().toStdString(), address2Edit_->text().toStdString(),
                         phoneEdit_->text().toStdString()});
    } catch (const text::EncodingError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        return;
    }
    accept();
}

}  // namespace keiro::withholding
