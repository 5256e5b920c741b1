#include "payroll/employee_password_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/slip_password.h"

namespace keiro::payroll {

EmployeePasswordBox::EmployeePasswordBox(QWidget* parent)
    : QWidget(parent),
      passwordEdit_(new QLineEdit(this)),
      showPasswordCheck_(new QCheckBox(QStringLiteral("表示"), this)),
      stateLabel_(new QLabel(this)) {
    passwordEdit_->setObjectName(QStringLiteral("edPdfPass"));
    showPasswordCheck_->setObjectName(QStringLiteral("cbPdfPassShow"));
    stateLabel_->setObjectName(QStringLiteral("lbPdfPassState"));
    passwordEdit_->setMaxLength(static_cast<int>(kSlipPasswordMaxLength));
    passwordEdit_->setEchoMode(QLineEdit::Password);
    passwordEdit_->setAttribute(Qt::WA_InputMethodEnabled, false);
    passwordEdit_->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhLatinOnly |
                                       Qt::ImhNoPredictiveText | Qt::ImhSensitiveData);
    passwordEdit_->setToolTip(
        QStringLiteral("社員別PDFを開くパスワード（半角8〜22文字）。"
                       "空欄のときは出力時に作成します。"));
    passwordEdit_->setFixedWidth(passwordEdit_->fontMetrics().horizontalAdvance(QString(24, u'0')));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(passwordEdit_);
    layout->addWidget(showPasswordCheck_);
    layout->addWidget(stateLabel_);
    layout->addStretch();

    connect(showPasswordCheck_, &QCheckBox::toggled, this, [this](bool shown) {
        passwordEdit_->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    connect(passwordEdit_, &QLineEdit::textChanged, this, [this] { showState(); });
}

void EmployeePasswordBox::load(const EmployeeRecord& record) {
    loaded_ = slipPasswordOf(record);
    loadedGenerated_ = record.slipPasswordGenerated == 1;
    showPasswordCheck_->setChecked(false);
    passwordEdit_->setText(
        QString::fromLatin1(loaded_.data(), static_cast<qsizetype>(loaded_.size())));
    showState();
}

void EmployeePasswordBox::store(EmployeeRecord& record) const {
    const std::string typed = passwordEdit_->text().toStdString();
    setSlipPassword(record, typed, typed == loaded_ && loadedGenerated_);
}

std::optional<std::string_view> EmployeePasswordBox::problem() const {
    return slipPasswordProblem(passwordEdit_->text().toStdString());
}

void EmployeePasswordBox::showState() {
    const bool generated = loadedGenerated_ && passwordEdit_->text().toStdString() == loaded_;
    stateLabel_->setText(passwordEdit_->text().isEmpty() ? QStringLiteral("（未設定）")
                         : generated                     ? QStringLiteral("（自動作成）")
                                                         : QString());
}

}  // namespace keiro::payroll
