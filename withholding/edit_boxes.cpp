#include "withholding/edit_boxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "core/entry.h"
#include "core/text.h"

namespace keiro::withholding {

namespace {

constexpr const char* kTagProperty = "tag";
constexpr const char* kAcceptProperty = "acceptedKeys";  // "digits" or "postal"

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

BoxTag tagOf(const QWidget* box) {
    if (box == nullptr) return BoxTag::Text;
    return static_cast<BoxTag>(box->property(kTagProperty).toInt());
}

EditBoxes::EditBoxes(QWidget* owner, const ui::EntrySettings& settings,
                     ui::MessageService& messages)
    : QObject(owner), owner_(owner), settings_(settings), messages_(messages) {}

QLineEdit* EditBoxes::numeric(const char* name, BoxTag tag, int formatCode, int maxLength) {
    auto* box = new QLineEdit(owner_);
    box->setObjectName(QString::fromUtf8(name));
    box->setProperty(kTagProperty, static_cast<int>(tag));
    box->setProperty(kAcceptProperty, QStringLiteral("digits"));
    box->setAlignment(Qt::AlignRight);
    if (maxLength > 0) box->setMaxLength(maxLength);
    ui::NumericEntry* entry =
        ui::NumericEntry::attach(box, formatCode, false, settings_, messages_);
    connect(entry, &ui::NumericEntry::committed, this, [this, box] {
        // The shared check leaves the plain number; show it in this class's display.
        const int value = numberOf(box);
        switch (tagOf(box)) {
            case BoxTag::Amount:
                if (!box->text().isEmpty()) setAmount(box, value);
                break;
            case BoxTag::DatePart:
                setDatePart(box, value);
                break;
            default:
                break;
        }
        emit numberLeft(box);
    });
    box->installEventFilter(this);  // after the entry's own filter, so it sees keys first
    return box;
}

QLineEdit* EditBoxes::amount(const char* name) {
    QLineEdit* box = numeric(name, BoxTag::Amount, 80, 0);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0,000,000,000")));
    return box;
}

QLineEdit* EditBoxes::count(const char* name) {
    QLineEdit* box = numeric(name, BoxTag::Count, 10, 1);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8);
    return box;
}

QLineEdit* EditBoxes::datePart(const char* name) {
    QLineEdit* box = numeric(name, BoxTag::DatePart, 20, 2);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
    return box;
}

QLineEdit* EditBoxes::text(const char* name, int maxBytes, int widthChars) {
    auto* box = new QLineEdit(owner_);
    box->setObjectName(QString::fromUtf8(name));
    box->setProperty(kTagProperty, static_cast<int>(BoxTag::Text));
    // Only the numeric boxes select their text on entering (AutoSelect).
    ui::EntrySettings settings = settings_;
    settings.autoSelect = false;
    ui::TextEntry::attach(box, maxBytes, settings, messages_);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(widthChars, QChar('0'))));
    return box;
}

QLineEdit* EditBoxes::postalCode(const char* name) {
    QLineEdit* box = text(name, 8, 10);
    box->setProperty(kAcceptProperty, QStringLiteral("postal"));
    box->installEventFilter(this);
    return box;
}

QLineEdit* EditBoxes::digits(const char* name, int maxBytes) {
    QLineEdit* box = text(name, maxBytes, maxBytes + 2);
    box->setProperty(kAcceptProperty, QStringLiteral("digits"));
    box->installEventFilter(this);
    return box;
}

QCheckBox* EditBoxes::check(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, owner_);
    box->setObjectName(QString::fromUtf8(name));
    return box;
}

QComboBox* EditBoxes::combo(const char* name, const QStringList& items) {
    auto* box = new QComboBox(owner_);
    box->setObjectName(QString::fromUtf8(name));
    box->addItems(items);
    return box;
}

bool EditBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) return false;
    const QString typed = key->text();
    const bool control = key->modifiers() & Qt::ControlModifier;
    // A read-only box takes no typing and is not emptied (moving on, the page keys, copying and
    // Escape still work).
    if (box->isReadOnly())
        return (!control && !typed.isEmpty() && typed.at(0).isPrint()) ||
               key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    if (control) return false;
    if (typed.isEmpty() || !typed.at(0).isPrint()) return false;
    const bool postal = box->property(kAcceptProperty).toString() == QStringLiteral("postal");
    for (const QChar c : typed) {
        if (c.isDigit() && c.unicode() < 128) continue;
        if (postal && c == QChar('-')) continue;
        QApplication::beep();
        return true;
    }
    return false;
}

void EditBoxes::setAmount(QLineEdit* box, std::int32_t value) {
    box->setText(qs(formatAmount(0, value)));
}

std::int32_t EditBoxes::amountOf(const QLineEdit* box) {
    return numberOf(box);
}

void EditBoxes::setCount(QLineEdit* box, int value, bool showZero) {
    box->setText(value == 0 && !showZero ? QString() : QString::number(value));
}

void EditBoxes::setDatePart(QLineEdit* box, int value) {
    box->setText(value == 0 ? QString() : QStringLiteral("%1").arg(value, 2));
}

int EditBoxes::numberOf(const QLineEdit* box) {
    return parseInt(box->text().toStdString()).value_or(0);
}

void EditBoxes::setText(QLineEdit* box, const std::string& utf8) {
    box->setText(qs(utf8));
}

std::string EditBoxes::textOf(const QLineEdit* box) {
    return text::normaliseForCp932(box->text().trimmed().toStdString());
}

}  // namespace keiro::withholding
