#include "payroll/employee_password_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/slip_password.h"

namespace keiro::payroll {

EmployeePasswordBox::EmployeePasswordBox(QWidget* parent)
    : QWidget(parent),
      edPdfPass_(new QLineEdit(this)),
      cbPdfPassShow_(new QCheckBox(QStringLiteral("表示"), this)),
      lbPdfPassState_(new QLabel(this)) {
    edPdfPass_->setObjectName(QStringLiteral("edPdfPass"));
    cbPdfPassShow_->setObjectName(QStringLiteral("cbPdfPassShow"));
    lbPdfPassState_->setObjectName(QStringLiteral("lbPdfPassState"));
    edPdfPass_->setMaxLength(static_cast<int>(kSlipPasswordMaxLength));
    edPdfPass_->setEchoMode(QLineEdit::Password);
    edPdfPass_->setAttribute(Qt::WA_InputMethodEnabled, false);
    edPdfPass_->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhLatinOnly | Qt::ImhNoPredictiveText |
                                    Qt::ImhSensitiveData);
    edPdfPass_->setToolTip(
        QStringLiteral("社員別PDFを開くパスワード（半角8〜22文字）。"
                       "空欄のときは出力時に作成します。"));
    edPdfPass_->setFixedWidth(edPdfPass_->fontMetrics().horizontalAdvance(QString(24, u'0')));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edPdfPass_);
    layout->addWidget(cbPdfPassShow_);
    layout->addWidget(lbPdfPassState_);
    layout->addStretch();

    connect(cbPdfPassShow_, &QCheckBox::toggled, this, [this](bool shown) {
        edPdfPass_->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    connect(edPdfPass_, &QLineEdit::textChanged, this, [this] { showState(); });
}

void EmployeePasswordBox::load(const EmployeeRecord& record) {
    loaded_ = slipPasswordOf(record);
    loadedGenerated_ = record.slipPasswordGenerated == 1;
    cbPdfPassShow_->setChecked(false);
    edPdfPass_->setText(
        QString::fromLatin1(loaded_.data(), static_cast<qsizetype>(loaded_.size())));
    showState();
}

void EmployeePasswordBox::store(EmployeeRecord& record) const {
    const std::string typed = edPdfPass_->text().toStdString();
    setSlipPassword(record, typed, typed == loaded_ && loadedGenerated_);
}

std::optional<std::string_view> EmployeePasswordBox::problem() const {
    return slipPasswordProblem(edPdfPass_->text().toStdString());
}

void EmployeePasswordBox::showState() {
    const bool generated = loadedGenerated_ && edPdfPass_->text().toStdString() == loaded_;
    lbPdfPassState_->setText(edPdfPass_->text().isEmpty() ? QStringLiteral("（未設定）")
                             : generated                  ? QStringLiteral("（自動作成）")
                                                          : QString());
}

}  // namespace keiro::payroll
