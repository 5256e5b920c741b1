#pragma once
// Every message box of both programs goes through a MessageService, so that windows can be
// tested offscreen with scripted answers (a real modal box would wait forever there).  The
// caption is the application title; the buttons read はい / いいえ / キャンセル.

#include <QString>
#include <deque>
#include <vector>

#include "core/places.h"  // StartupMessage

class QWidget;

namespace keiro::ui {

enum class MessageKind { Information, Warning, Error, Confirmation };
enum class Answer { Yes, No, Cancel };

class MessageService {
  public:
    virtual ~MessageService() = default;

    virtual void information(QWidget* parent, const QString& text) = 0;
    virtual void warning(QWidget* parent, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& text) = 0;
    // A question with はい and いいえ; true for はい.  `warning` shows the warning icon.
    virtual bool confirm(QWidget* parent, const QString& text, bool warning = false) = 0;
    // A question with はい, いいえ and キャンセル (shown as a warning).
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    // An OK/キャンセル question (shown as a warning); true for OK.
    virtual bool okCancel(QWidget* parent, const QString& text) = 0;
};

// The real boxes (QMessageBox), captioned with QApplication::applicationDisplayName().
class QtMessageService : public MessageService {
  public:
    void information(QWidget* parent, const QString& text) override;
    void warning(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text, bool warning = false) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
    bool okCancel(QWidget* parent, const QString& text) override;
};

// For tests: records every message and answers questions from a queue (はい when empty).
class ScriptedMessageService : public MessageService {
  public:
    struct Shown {
        MessageKind kind;
        QString text;
    };

    void answerNext(Answer answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    QString lastText() const { return shown_.empty() ? QString() : shown_.back().text; }
    void clear() { shown_.clear(); }

    void information(QWidget*, const QString& text) override;
    void warning(QWidget*, const QString& text) override;
    void error(QWidget*, const QString& text) override;
    bool confirm(QWidget*, const QString& text, bool warning = false) override;
    Answer askYesNoCancel(QWidget*, const QString& text) override;
    bool okCancel(QWidget*, const QString& text) override;

  private:
    Answer next();

    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
};

// Shows the messages of the start-up steps that need no window, in order, each as its kind.
void showStartupMessages(MessageService& messages, const std::vector<StartupMessage>& list);

}  // namespace keiro::ui
