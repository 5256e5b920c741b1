#include "widgets/entry_behaviour.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolTip>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/text.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

std::optional<std::string> cp932Of(const QString& text) {
    try {
        return text::toCp932(text.toStdString());
    } catch (const text::EncodingError&) {
        return std::nullopt;
    }
}

QString fromCp932(std::string_view cp932) {
    return QString::fromStdString(text::fromCp932(cp932));
}

// Replaces only the part of the box's text that differs from `now`, as typing would, so the
// box keeps its undo history and reports the change as an edit; then places the caret.
void replaceText(QLineEdit* edit, const QString& now, qsizetype cursor) {
    const QString before = edit->text();
    const qsizetype common = std::min(before.size(), now.size());
    qsizetype head = 0;
    while (head < common && before[head] == now[head]) ++head;
    qsizetype tail = 0;
    while (tail < common - head && before[before.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    edit->setSelection(static_cast<int>(head), static_cast<int>(before.size() - head - tail));
    edit->insert(now.mid(head, now.size() - head - tail));
    edit->setCursorPosition(static_cast<int>(cursor));
}

// A character the data files cannot hold.  U+FFFD is what damaged bytes of a file read as;
// text that already holds it can still be edited.
bool hasForeignCharacter(const QString& text) {
    if (text::firstUnencodable(text.toStdString()) == 0) return false;
    for (const char32_t character : text.toUcs4()) {
        if (character == kReplacementCharacter) continue;
        if (text::firstUnencodable(QString::fromUcs4(&character, 1).toStdString()) != 0) {
            return true;
        }
    }
    return false;
}

// Keeps every change of a text box (pasting, dropping, setText) within its limit in code page
// 932 bytes, and refuses pasted characters that have no code page 932 form.
class Cp932Validator : public QValidator {
  public:
    Cp932Validator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

    State validate(QString& input, int& pos) const override {
        if (hasForeignCharacter(input)) return Invalid;
        if (maxBytes_ <= 0) return Acceptable;
        const std::string utf8 = input.toStdString();
        if (text::cp932Width(utf8) <= static_cast<std::size_t>(maxBytes_)) return Acceptable;
        if (const auto bytes = cp932Of(input)) {
            const TruncatedText cut = truncateToMaxLength(*bytes, maxBytes_);
            input = fromCp932(cut.cp932);
            pos = cut.caretToEnd ? static_cast<int>(input.size())
                                 : std::min(pos, static_cast<int>(input.size()));
        } else {  // damaged text: cut it all the same, a damaged character counting as two
            input = QString::fromStdString(
                text::truncateToWidth(utf8, static_cast<std::size_t>(maxBytes_)));
            pos = static_cast<int>(input.size());
        }
        return Acceptable;
    }

  private:
    int maxBytes_;
};

}  // namespace

// --- shared behaviour ---------------------------------------------------------------------------

EditBehaviour::EditBehaviour(QLineEdit* edit, const EntrySettings& settings,
                             MessageService& messages)
    : QObject(edit),
      edit_(edit),
      settings_(settings),
      messages_(messages),
      selectTimer_(new QTimer(this)) {
    selectTimer_->setSingleShot(true);
    selectTimer_->setInterval(kSelectDelayMs);
    connect(selectTimer_, &QTimer::timeout, this, &EditBehaviour::selectAll);
    edit_->installEventFilter(this);
}

void EditBehaviour::applySettings(QWidget* root, const EntrySettings& settings) {
    for (EditBehaviour* behaviour : root->findChildren<EditBehaviour*>()) {
        behaviour->setSettings(settings);
    }
}

void EditBehaviour::refuse(const QString& message) {
    QApplication::beep();
    if (message.isEmpty()) return;
    // Not from inside the key or input method event: a message box there would take the focus
    // while the box is still handling it.
    QTimer::singleShot(0, this, [this, message] { messages_.error(edit_->window(), message); });
}

bool EditBehaviour::eventFilter(QObject* watched, QEvent* event) {
    // A box being destroyed is no longer a QLineEdit when QWidget's destructor takes the focus
    // away from it: that is no entry to check.
    if (watched != edit_ || qobject_cast<QLineEdit*>(watched) == nullptr) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
            return keyPressed(static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            return !forwarding_ && inputMethodCommitted(static_cast<QInputMethodEvent*>(event));
        case QEvent::FocusIn:
            if (settings_.autoSelect) selectTimer_->start();
            return false;
        case QEvent::FocusOut: {
            // Switching to another window or opening the box's context menu is not leaving it.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) left();
            return false;
        }
        default:
            return false;
    }
}

bool EditBehaviour::keyPressed(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        moveToNextControl();
        return true;
    }
    if (edit_->isReadOnly()) return false;
    if (key == Qt::Key_Delete && event->modifiers().testFlag(Qt::ControlModifier)) {
        edit_->selectAll();
        edit_->del();
        return true;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;  // shortcuts: copy, paste, undo, ...
    }
    const QString raw = event->text();
    // Backspace, Tab, Escape, Delete and the movement keys are the box's own business.
    if (raw.isEmpty() || raw.front().unicode() < 0x20 || raw.front().unicode() == 0x7F) {
        return false;
    }
    const QString typed = converted(raw);
    if (!acceptTyped(typed)) return true;
    if (typed == raw) return type(typed);
    // The box's own insertion would put in what was typed, not what it became.
    if (!type(typed)) edit_->insert(typed);
    return true;
}

bool EditBehaviour::inputMethodCommitted(QInputMethodEvent* event) {
    const QString commit = converted(event->commitString());
    if (commit.isEmpty() || event->replacementLength() != 0 || edit_->isReadOnly()) return false;
    // The composition itself (what is still being converted) goes on to the box; the committed
    // text is put in here, through the same checks as a typed key.
    QInputMethodEvent composition(event->preeditString(), event->attributes());
    forwarding_ = true;
    QCoreApplication::sendEvent(edit_, &composition);
    forwarding_ = false;
    if (acceptTyped(commit) && !type(commit)) edit_->insert(commit);
    return true;
}

bool EditBehaviour::type(const QString& typed) {
    if (settings_.overwriteInput && !edit_->hasSelectedText() && overwrite(typed)) return true;
    // Typing over a selection replaces it, overwrite typing or not.
    const QString fits = fitting(typed);
    if (fits == typed) return false;
    // Input stops at the box's limit: say so where the clerk looks.
    QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())),
                       QStringLiteral("この欄は半角%1文字(全角%2文字)までです。")
                           .arg(maxBytes())
                           .arg(maxBytes() / 2),
                       edit_);
    if (fits.isEmpty()) {
        QApplication::beep();
    } else {
        edit_->insert(fits);
    }
    return true;
}

bool EditBehaviour::overwrite(const QString& typed) {
    const QString current = edit_->text();
    const auto text = cp932Of(current);
    const auto beforeCaret = cp932Of(current.left(edit_->cursorPosition()));
    const auto bytes = cp932Of(typed);
    if (!text || !beforeCaret || !bytes) return false;

    OverwriteState state{*text, static_cast<int>(beforeCaret->size()), -1};
    std::size_t used = 0;
    for (; used < bytes->size(); ++used) {
        auto next =
            handleOverwriteKey(state, static_cast<unsigned char>((*bytes)[used]), maxBytes());
        if (!next) break;
        state = std::move(*next);
    }
    if (used == 0) return false;  // the caret is at the end: an ordinary insertion
    if (used < bytes->size()) {
        // The caret reached the end part way through: the rest is appended, within the limit.
        state.text += bytes->substr(used);
        state.text = truncateToMaxLength(state.text, maxBytes()).cp932;
        state.caret = static_cast<int>(state.text.size());
    }
    replaceText(edit_, fromCp932(state.text),
                fromCp932(std::string_view(state.text).substr(0, state.caret)).size());
    return true;
}

QString EditBehaviour::fitting(const QString& typed) const {
    if (maxBytes() <= 0) return typed;
    QString kept = edit_->text();
    if (edit_->hasSelectedText()) kept.remove(edit_->selectionStart(), edit_->selectionLength());
    const std::size_t limit = static_cast<std::size_t>(maxBytes());
    const std::size_t used = text::cp932Width(kept.toStdString());
    const std::size_t room = used < limit ? limit - used : 0;
    return QString::fromStdString(text::truncateToWidth(typed.toStdString(), room));
}

void EditBehaviour::moveToNextControl() {
    // The same path as the Tab key, so windows and views that steer Tab steer Enter too.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(edit_, &tab);
}

void EditBehaviour::selectAll() {
    if (!edit_->hasFocus()) return;
    const int length = static_cast<int>(edit_->text().size());
    edit_->setSelection(length, -length);  // everything selected, the caret at the start
}

// --- numeric boxes ------------------------------------------------------------------------------

NumericEntry::NumericEntry(QLineEdit* edit, int formatCode, bool hoursField,
                           const EntrySettings& settings, MessageService& messages)
    : EditBehaviour(edit, settings, messages), formatCode_(formatCode), hoursField_(hoursField) {
    // Numbers are typed with the input method off.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setInputMethodHints(formatCode == 20 ? Qt::ImhDigitsOnly : Qt::ImhPreferNumbers);
}

NumericEntry* NumericEntry::attach(QLineEdit* edit, int formatCode, bool hoursField,
                                   const EntrySettings& settings, MessageService& messages) {
    return new NumericEntry(edit, formatCode, hoursField, settings, messages);
}

double NumericEntry::value() const {
    return parseNumber(edit()->text().toStdString()).value;
}

void NumericEntry::setValue(double value) {
    if (!std::isfinite(value)) value = 0;
    if (hoursField_) {
        edit()->setText(QString::fromStdString(formatHours(value, settings().timeStyle)).trimmed());
        return;
    }
    const FormatCode code = splitFormatCode(formatCode_);
    edit()->setText(QString::asprintf("%*.*f", code.width, std::max(0, code.decimals), value));
}

QString NumericEntry::converted(const QString& typed) const {
    return QString::fromStdString(asciiNumberText(typed.toStdString()));
}

bool NumericEntry::acceptTyped(const QString& typed) {
    for (const char32_t character : typed.toUcs4()) {
        if (filterNumericKey(character, formatCode_, hoursField_) != KeyVerdict::Accept) {
            refuse();
            return false;
        }
    }
    return true;
}

int NumericEntry::maxBytes() const {
    // A limit the window set on the box itself (QLineEdit's default 32767 means none).
    const int limit = edit()->maxLength();
    return limit < 32767 ? limit : 0;
}

void NumericEntry::left() {
    if (restoringFocus_ || edit()->isReadOnly()) return;
    // Pasted text may still hold full-width digits.
    const EntryCheck check =
        validateNumericEntry(asciiNumberText(edit()->text().toStdString()), formatCode_);
    if (check.error.empty()) {
        edit()->setText(QString::fromStdString(
            reformatEntry(check.text, formatCode_, hoursField_, settings().timeStyle)));
        emit committed();
        return;
    }
    // Refused: the box is emptied now; the message and the return of the focus wait until the
    // focus change under way has finished.  Until then leaving the box checks nothing.
    restoringFocus_ = true;
    edit()->clear();
    const QString message = QString::fromStdString(
        check.error == kMsgTooManyDigits ? tooManyDigitsMessage(formatCode_) : check.error);
    QTimer::singleShot(0, this, [this, message] {
        messages().error(edit()->window(), message);
        edit()->setFocus(Qt::OtherFocusReason);
        restoringFocus_ = false;
    });
}

// --- text boxes ---------------------------------------------------------------------------------

TextEntry::TextEntry(QLineEdit* edit, int maxBytes, const EntrySettings& settings,
                     MessageService& messages)
    : EditBehaviour(edit, settings, messages), maxBytes_(std::max(0, maxBytes)) {
    edit->setValidator(new Cp932Validator(maxBytes_, this));
    if (maxBytes_ == 0) return;
    // Near the limit the box says how much is left.
    connect(edit, &QLineEdit::textEdited, this, [this, edit] {
        const auto used = static_cast<int>(text::cp932Width(edit->text().toStdString()));
        const int left = maxBytes_ - used;
        if (left >= 0 && left <= kRemainingShownFrom) {
            QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                               QStringLiteral("あと半角%1文字入力できます。").arg(left), edit);
        }
    });
}

TextEntry* TextEntry::attach(QLineEdit* edit, int maxBytes, const EntrySettings& settings,
                             MessageService& messages) {
    return new TextEntry(edit, maxBytes, settings, messages);
}

QString TextEntry::converted(const QString& typed) const {
    return halfWidthKana_ ? QString::fromStdString(text::toHalfWidthKana(typed.toStdString()))
                          : typed;
}

bool TextEntry::acceptTyped(const QString& typed) {
    try {
        text::toCp932(typed.toStdString());
        return true;
    } catch (const text::EncodingError& error) {
        refuse(QString::fromStdString(error.what()));
        return false;
    }
}

}  // namespace keiro::ui
