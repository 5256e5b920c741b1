#include "payroll/zengin_boxes.h"

#include <QApplication>
#include <QLineEdit>
#include <algorithm>

#include "core/text.h"

namespace keiro::payroll {

void acceptDigitsOnly(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& typed) {
        QString digits = typed;
        digits.removeIf([](QChar c) { return c < u'0' || c > u'9'; });
        if (digits == typed) return;
        const int cursor = box->cursorPosition() - static_cast<int>(typed.size() - digits.size());
        QApplication::beep();
        box->setText(digits);
        box->setCursorPosition(std::max(0, cursor));
    });
}

void showAsZenginTextOnLeave(QLineEdit* box, ZenginClass kind) {
    showAsZenginTextOnLeave(box, [kind] { return kind; });
}

void showAsZenginTextOnLeave(QLineEdit* box, std::function<ZenginClass()> kind) {
    QObject::connect(box, &QLineEdit::editingFinished, box, [box, kind = std::move(kind)] {
        const ZenginText converted = toZenginText(box->text().toStdString(), kind());
        if (!converted.ok()) return;
        const QString shown = QString::fromStdString(text::fromCp932(converted.bytes));
        if (shown != box->text()) box->setText(shown);
    });
}

std::string zenginBytesOf(const QLineEdit* box, ZenginClass kind) {
    const std::string typed = box->text().toStdString();
    const ZenginText converted = toZenginText(typed, kind);
    return converted.ok() ? converted.bytes : text::toCp932(typed);
}

}  // namespace keiro::payroll
