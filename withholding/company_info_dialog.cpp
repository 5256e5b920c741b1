#include "withholding/company_info_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
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

    pnSyamei_ = new QLabel(companyName);
    pnSyamei_->setObjectName(QStringLiteral("pnSyamei"));
    pnSyamei_->setFrameShape(QFrame::Panel);
    pnSyamei_->setFrameShadow(QFrame::Sunken);
    edJusyo1_ = textBox(QStringLiteral("edJusyo1"), kAddressBytes, kAddressCharacters, messages_);
    edJusyo1_->setMaxLength(kAddressCharacters);
    edJusyo2_ = textBox(QStringLiteral("edJusyo2"), kAddressBytes, kAddressCharacters, messages_);
    edJusyo2_->setMaxLength(kAddressCharacters);
    edTelNo_ = textBox(QStringLiteral("edTelNo"), kPhoneBytes, kPhoneCharacters, messages_);
    edTelNo_->setMaxLength(kPhoneCharacters);
    edTelNo_->setInputMethodHints(Qt::ImhDialableCharactersOnly);

    const PayerTexts texts = payerTexts(header_);
    edJusyo1_->setText(qs(texts.address1));
    edJusyo2_->setText(qs(texts.address2));
    edTelNo_->setText(qs(texts.phone));

    QPushButton* ok = button("bbOk", QStringLiteral("Ｏ Ｋ"));
    QPushButton* cancel = button("bbCancel", QStringLiteral("キャンセル"));
    connect(ok, &QPushButton::clicked, this, &CompanyInfoDialog::bbOkClick);
    connect(cancel, &QPushButton::clicked, this, &CompanyInfoDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("会社名"), pnSyamei_);
    form->addRow(QStringLiteral("住所１"), edJusyo1_);
    form->addRow(QStringLiteral("住所２"), edJusyo2_);
    form->addRow(QStringLiteral("電話番号"), edTelNo_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    edJusyo1_->setFocus();
}

void CompanyInfoDialog::bbOkClick() {
    try {
        storePayerTexts(header_, {edJusyo1_->text().toStdString(), edJusyo2_->text().toStdString(),
                                  edTelNo_->text().toStdString()});
    } catch (const text::EncodingError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        return;
    }
    accept();
}

}  // namespace keiro::withholding
