#include "widgets/password_windows.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/fileio.h"
#include "core/ini.h"
#include "core/settings.h"
#include "core/text.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

// Password boxes mask every character with "*", whatever the platform style would use.
class AsteriskMaskStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QLineEdit* maskedBox(QWidget* owner, const char* objectName) {
    auto* box = new QLineEdit(owner);
    box->setObjectName(objectName);
    auto* style = new AsteriskMaskStyle;
    style->setParent(box);
    box->setStyle(style);
    box->setEchoMode(QLineEdit::Password);
    return box;
}

// OK and キャンセル at the right; OK is the default button.
QHBoxLayout* okCancelRow(QDialog* dialog, QPushButton*& ok) {
    ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName("btOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), dialog);
    cancel->setObjectName("btCancel");
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

}  // namespace

bool passwordMatches(const std::string& stored, const QString& entry) {
    const std::string typed = entry.toStdString();
    try {
        return text::toCp932(stored) == text::toCp932(typed);
    } catch (const text::EncodingError&) {
        return stored == typed;  // a character without a stored form: only an exact match
    }
}

// --- PasswordDialog ------------------------------------------------------------------------------

PasswordDialog::PasswordDialog(std::string password, MessageService& messages, QWidget* parent)
    : QDialog(parent), password_(std::move(password)), messages_(messages) {
    setObjectName("fmInpPass");
    setWindowTitle(QStringLiteral("パスワード入力"));

    passwordEdit_ = maskedBox(this, "edPassword");
    passwordEdit_->setMinimumWidth(200);
    showTextCheck_ = new QCheckBox(QStringLiteral("入力内容を表示する"), this);
    showTextCheck_->setObjectName("cbDispChar");
    connect(showTextCheck_, &QCheckBox::toggled, this, &PasswordDialog::toggleTextShown);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("パスワード"), passwordEdit_);
    form->addRow(QString(), showTextCheck_);

    QPushButton* ok = nullptr;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(okCancelRow(this, ok));
    connect(ok, &QPushButton::clicked, this, &PasswordDialog::acceptPassword);
    setFixedSize(sizeHint());
}

bool PasswordDialog::passwordCheckPassed(QWidget* parent, const IniFile& ini,
                                         MessageService& messages) {
    std::string password = loadPassword(ini);
    if (password.empty()) return true;
    PasswordDialog window(std::move(password), messages, parent);
    return window.exec() == QDialog::Accepted;
}

void PasswordDialog::showEvent(QShowEvent* event) {
    passwordEdit_->clear();
    passwordEdit_->setFocus();
    QDialog::showEvent(event);
}

void PasswordDialog::toggleTextShown() {
    passwordEdit_->setEchoMode(showTextCheck_->isChecked() ? QLineEdit::Normal
                                                           : QLineEdit::Password);
}

void PasswordDialog::acceptPassword() {
    if (passwordMatches(password_, passwordEdit_->text())) {
        accept();
        return;
    }
    messages_.error(this, QStringLiteral("パスワードが違います"));
    passwordEdit_->setFocus();
    passwordEdit_->selectAll();
}

// --- NewPasswordDialog
// ------------------------------------------------------------------------------

NewPasswordDialog::NewPasswordDialog(IniFile& ini, MessageService& messages, QWidget* parent)
    : QDialog(parent), ini_(ini), messages_(messages) {
    setObjectName("fmSetPass");
    setWindowTitle(QStringLiteral("パスワード設定"));

    passwordEdit_ = maskedBox(this, "edPass1");
    passwordEdit_->setMinimumWidth(200);
    confirmationEdit_ = maskedBox(this, "edPass2");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("パスワード設定入力"), passwordEdit_);
    form->addRow(QStringLiteral("パスワード確認入力"), confirmationEdit_);

    auto* note = new QLabel(QStringLiteral("パスワードを忘れてしまいますと、ソフトを起動する\n"
                                           "事が出来なくなってしまいますので御注意下さい。"),
                            this);
    note->setObjectName("lbNote");

    QPushButton* ok = nullptr;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addLayout(okCancelRow(this, ok));
    connect(ok, &QPushButton::clicked, this, &NewPasswordDialog::acceptPassword);
    setFixedSize(sizeHint());
}

void NewPasswordDialog::showEvent(QShowEvent* event) {
    passwordEdit_->clear();
    confirmationEdit_->clear();
    passwordEdit_->setFocus();
    QDialog::showEvent(event);
}

void NewPasswordDialog::acceptPassword() {
    const QString entry = passwordEdit_->text();
    if (entry != confirmationEdit_->text()) {
        messages_.error(this, QStringLiteral("パスワードの設定入力と確認入力が異なっています。"));
        passwordEdit_->setFocus();
        return;
    }
    const bool clearing = entry.isEmpty();
    if (!messages_.confirm(this, clearing ? QStringLiteral("パスワード設定を解除しますか？")
                                          : QStringLiteral("パスワードを設定しますか？"))) {
        return;
    }
    try {
        savePassword(ini_, entry.toStdString());
    } catch (const text::EncodingError& error) {
        messages_.error(this, QString::fromStdString(error.what()));
        passwordEdit_->setFocus();
        return;
    } catch (const IoError& error) {
        messages_.error(this, QString::fromStdString(error.what()));
        return;
    }
    stored_ = entry.toStdString();
    messages_.information(this, clearing ? QStringLiteral("パスワード設定を解除しました。")
                                         : QStringLiteral("パスワードを設定しました。"));
    accept();
}

}  // namespace keiro::ui
