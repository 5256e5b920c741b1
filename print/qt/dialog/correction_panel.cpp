#include "print/qt/dialog/correction_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "print/position_correction.h"
#include "widgets/message_service.h"
#include "widgets/tab_chain.h"

namespace keiro::print {
namespace {

constexpr int kMaxCharacters = 5;

QToolButton* button(const char* name, const char* text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromUtf8(text));
    button->setMinimumWidth(28);
    return button;
}

QLineEdit* correctionEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(kMaxCharacters);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-00.00")) + 12);
    return edit;
}

}  // namespace

QString notANumberMessage(const QString& text) {
    return QStringLiteral("「%1」は数値ではありません。印字位置の補正には数値を入力してください。")
        .arg(text);
}

CorrectionPanel::CorrectionPanel(ui::MessageService& messages, QWidget* parent)
    : QGroupBox(parent),
      messages_(messages),
      horizontal_(correctionEdit("edAdjustH", this)),
      vertical_(correctionEdit("edAdjustV", this)),
      horizontalLabel_(new QLabel(this)),
      verticalLabel_(new QLabel(this)) {
    auto* up = button("sbUp", "↑", this);
    auto* down = button("sbDown", "↓", this);
    auto* left = button("sbLeft", "←", this);
    auto* right = button("sbRight", "→", this);
    auto* reset = button("sbReset", "ﾘｾｯﾄ", this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(verticalLabel_, 0, 0);
    layout->addWidget(vertical_, 0, 1);
    layout->addWidget(up, 0, 2);
    layout->addWidget(down, 0, 3);
    layout->addWidget(horizontalLabel_, 1, 0);
    layout->addWidget(horizontal_, 1, 1);
    layout->addWidget(left, 1, 2);
    layout->addWidget(right, 1, 3);
    layout->addWidget(reset, 0, 4, 2, 1);
    layout->setColumnStretch(5, 1);
    ui::setTabChain({vertical_, up, down, horizontal_, left, right, reset});

    setDocumentStyle(false);

    connect(up, &QToolButton::clicked, this, [this] { step(vertical_, -1); });
    connect(down, &QToolButton::clicked, this, [this] { step(vertical_, +1); });
    connect(left, &QToolButton::clicked, this, [this] { step(horizontal_, -1); });
    connect(right, &QToolButton::clicked, this, [this] { step(horizontal_, +1); });
    connect(reset, &QToolButton::clicked, this, [this] { setTenths(0, 0); });
    connect(horizontal_, &QLineEdit::editingFinished, this, [this] { reformat(horizontal_); });
    connect(vertical_, &QLineEdit::editingFinished, this, [this] { reformat(vertical_); });
}

void CorrectionPanel::setDocumentStyle(bool document) {
    setTitle(document ? QStringLiteral("印刷位置補正") : QStringLiteral("印字位置の補正 (mm)"));
    horizontalLabel_->setText(document ? QStringLiteral("横位置") : QStringLiteral("横"));
    verticalLabel_->setText(document ? QStringLiteral("縦位置") : QStringLiteral("縦"));
    horizontal_->setObjectName(document ? QStringLiteral("edPrAdjustH")
                                        : QStringLiteral("edAdjustH"));
    vertical_->setObjectName(document ? QStringLiteral("edPrAdjustV")
                                      : QStringLiteral("edAdjustV"));
    const char* const names[][2] = {{"sbUp", "sbPosUp"},
                                    {"sbDown", "sbPosDown"},
                                    {"sbLeft", "sbPosLeft"},
                                    {"sbRight", "sbPosRight"},
                                    {"sbReset", "sbPosReset"}};
    for (const auto& name : names) {
        QToolButton* button = findChild<QToolButton*>(QString::fromLatin1(name[document ? 0 : 1]));
        if (button) button->setObjectName(QString::fromLatin1(name[document ? 1 : 0]));
    }
}

void CorrectionPanel::setTenths(int horizontal, int vertical) {
    horizontal_->setText(QString::fromStdString(formatCorrection(correctionMm(horizontal))));
    vertical_->setText(QString::fromStdString(formatCorrection(correctionMm(vertical))));
}

std::optional<double> CorrectionPanel::valueOf(QLineEdit* edit) {
    const std::optional<double> value = parseCorrection(edit->text().toStdString());
    if (!value) {
        messages_.error(window(), notANumberMessage(edit->text()));
        edit->setFocus();
    }
    return value;
}

std::optional<Correction> CorrectionPanel::read() {
    const std::optional<double> vertical = valueOf(vertical_);
    if (!vertical) return std::nullopt;
    const std::optional<double> horizontal = valueOf(horizontal_);
    if (!horizontal) return std::nullopt;
    return Correction{*horizontal, *vertical};
}

void CorrectionPanel::step(QLineEdit* edit, int tenths) {
    const std::optional<double> value = valueOf(edit);
    if (!value) return;
    const QString moved =
        QString::fromStdString(formatCorrection(correctionMm(correctionTenths(*value) + tenths)));
    if (moved.size() > kMaxCharacters) return;  // the edit could not show it
    edit->setText(moved);
}

// Leaving an edit shows its number the usual way; what is not a number stays as typed until
// something needs it.
void CorrectionPanel::reformat(QLineEdit* edit) {
    if (const auto value = parseCorrection(edit->text().toStdString())) {
        edit->setText(QString::fromStdString(formatCorrection(*value)));
    }
}

}  // namespace keiro::print
