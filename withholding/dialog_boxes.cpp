#include "withholding/dialog_boxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

#include "core/employee_master.h"
#include "widgets/entry_behaviour.h"
#include "widgets/message_service.h"

namespace keiro::withholding {
namespace {

constexpr char16_t kFullWidthZero = u'\uFF10';

void fitWidth(QLineEdit* box, int shownBytes) {
    const QFontMetrics metrics(box->font());
    box->setMinimumWidth(metrics.horizontalAdvance(QString(shownBytes + 2, QLatin1Char('0'))));
}

}  // namespace

QLineEdit* textBox(const QString& name, int maxBytes, int shownBytes,
                   ui::MessageService& messages) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    ui::TextEntry::attach(box, maxBytes, ui::EntrySettings{}, messages);
    fitWidth(box, shownBytes);
    return box;
}

void maskWithStars(QLineEdit* box) {
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

QLineEdit* digitBox(const QString& name, int maxDigits, ui::MessageService& messages) {
    QLineEdit* box = textBox(name, maxDigits, maxDigits, messages);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhDigitsOnly);
    maskWithStars(box);
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& edited) {
        QString digits;
        bool dropped = false;
        for (const QChar c : edited) {
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
                digits += c;
            } else if (c.unicode() >= kFullWidthZero && c.unicode() <= kFullWidthZero + 9) {
                digits += QChar(u'0' + (c.unicode() - kFullWidthZero));
            } else {
                dropped = true;
            }
        }
        if (digits == edited) return;
        if (dropped) QApplication::beep();
        const qsizetype after = edited.size() - box->cursorPosition();
        box->setText(digits.left(box->maxLength()));
        box->setCursorPosition(
            static_cast<int>(std::max<qsizetype>(0, box->text().size() - after)));
    });
    box->setMaxLength(maxDigits);
    return box;
}

bool acceptMyNumber(QLineEdit* box, const QString& loaded, ui::MessageService& messages) {
    if (box->text() == loaded) return true;
    const std::string_view problem = myNumberProblem(box->text().toStdString());
    if (problem.empty()) return true;
    messages.error(box->window(), qs(problem));
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

}  // namespace keiro::withholding
