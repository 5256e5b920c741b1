#include "withholding/furigana_follower.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTimer>

#include "core/text.h"
#include "withholding/model/kana_reading.h"

namespace keiro::withholding {

FuriganaFollower* FuriganaFollower::attach(QLineEdit* name, QLineEdit* furigana,
                                           int furiganaBytes) {
    return new FuriganaFollower(name, furigana, furiganaBytes);
}

FuriganaFollower::FuriganaFollower(QLineEdit* name, QLineEdit* furigana, int furiganaBytes)
    : QObject(name),
      name_(name),
      furigana_(furigana),
      furiganaBytes_(furiganaBytes),
      timer_(new QTimer(this)),
      nameBefore_(name->text()) {
    timer_->setSingleShot(true);
    timer_->setInterval(kDelayMs);
    connect(timer_, &QTimer::timeout, this, &FuriganaFollower::appendReading);
    // textEdited (the user's changes) comes before textChanged (every change).
    connect(name_, &QLineEdit::textEdited, this, &FuriganaFollower::nameEdited);
    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString& now) { nameBefore_ = now; });
    // Installed after the box's entry behaviour, so this sees every input method event first.
    name_->installEventFilter(this);
}

bool FuriganaFollower::eventFilter(QObject* watched, QEvent* event) {
    if (watched != name_) return false;
    // A key that reaches the box is no composition: a reading whose commit the box refused
    // (it was full) must not be taken for the reading of the next change.
    if (event->type() == QEvent::KeyPress) committedReading_.clear();
    if (event->type() != QEvent::InputMethod) return false;
    const auto* input = static_cast<const QInputMethodEvent*>(event);
    const QString preedit = input->preeditString();
    const QString commit = input->commitString();
    if (!commit.isEmpty()) {
        // A composition committed without conversion is its own reading.
        committedReading_ = !composedReading_.isEmpty()           ? composedReading_
                            : isKanaReading(commit.toStdString()) ? commit
                                                                  : QString();
        composedReading_.clear();
    }
    // The same event may already start the next composition.
    if (isKanaReading(preedit.toStdString())) {
        composedReading_ = preedit;
    } else if (preedit.isEmpty()) {
        composedReading_.clear();  // committed, or abandoned
    }
    return false;
}

void FuriganaFollower::nameEdited(const QString& now) {
    if (now.isEmpty()) {
        timer_->stop();
        pending_.clear();
        committedReading_.clear();
        furigana_->clear();
        return;
    }
    if (onlyBlanksAdded(nameBefore_.toStdString(), now.toStdString())) {
        appendReading();  // what came before the blank goes first
        append(QStringLiteral(" "));
        return;
    }
    if (committedReading_.isEmpty()) return;
    pending_ += QString::fromStdString(halfWidthKatakana(committedReading_.toStdString()));
    committedReading_.clear();
    timer_->start();
}

void FuriganaFollower::appendReading() {
    timer_->stop();
    if (pending_.isEmpty()) return;
    const QString reading = pending_;
    pending_.clear();
    append(reading);
}

void FuriganaFollower::append(const QString& text) {
    const std::string joined = (furigana_->text() + text).toStdString();
    furigana_->setText(QString::fromStdString(
        text::truncateToWidth(joined, static_cast<std::size_t>(furiganaBytes_))));
}

}  // namespace keiro::withholding
