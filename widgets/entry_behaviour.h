#pragma once
// The behaviour every edit box of both programs shares, attached to a plain QLineEdit:
// - numeric boxes (format code: tens = width, units = decimals): full-width digits and signs
//   typed or pasted are taken as their ASCII forms; key filtering by format code
//   (digits; "." unless the code is 20; ":" in hours boxes), checking and reformatting when the
//   box is left, with the exact message and the focus put back on an error;
// - text boxes: a maximum length in code page 932 bytes; characters without a code page 932
//   form are refused where they are typed or committed by the input method;
// - both: overwrite typing when InputOverN is on, the whole text selected 150 ms after entering
//   when AutoSelect is on, Enter moves to the next control, Ctrl+Delete empties the box.
// All decisions are made by the pure functions of core/entry.h; this only wires them to Qt.

#include <QObject>
#include <QString>

#include "core/entry.h"

class QEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QTimer;
class QWidget;

namespace keiro::ui {

class MessageService;

struct EntrySettings {
    bool autoSelect = true;      // AutoSelect
    bool overwriteInput = true;  // InputOverN
    TimeStyle timeStyle = TimeStyle::Sexagesimal;
};

// What numeric and text boxes have in common.  The object is a child of its QLineEdit and
// filters the box's events.
class EditBehaviour : public QObject {
    Q_OBJECT
  public:
    // Milliseconds between entering a box and selecting its text (AutoSelect).
    static constexpr int kSelectDelayMs = 150;

    QLineEdit* edit() const { return edit_; }
    const EntrySettings& settings() const { return settings_; }
    void setSettings(const EntrySettings& settings) { settings_ = settings; }

    // Gives every box under `root` new settings (after the common settings dialog changed
    // AutoSelect, InputOverN or TimeStyle).
    static void applySettings(QWidget* root, const EntrySettings& settings);

  protected:
    EditBehaviour(QLineEdit* edit, const EntrySettings& settings, MessageService& messages);

    // What typed text becomes before it is checked and put in (the text itself unless a box
    // converts it).
    virtual QString converted(const QString& typed) const { return typed; }
    // Whether `typed` (a key's text or an input method's commit string) may go into the box.
    // A refusal has already beeped and, where there is one, shown its message.
    virtual bool acceptTyped(const QString& typed) = 0;
    // The box's limit in code page 932 bytes; 0 for none.
    virtual int maxBytes() const = 0;
    // The box lost the focus to another control of its window (not to another window or a
    // popup menu).
    virtual void left() {}

    MessageService& messages() const { return messages_; }
    // Beeps and, when there is one, shows the message once the current event is done.
    void refuse(const QString& message = QString());

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool keyPressed(QKeyEvent* event);
    bool inputMethodCommitted(QInputMethodEvent* event);
    // Puts accepted typed text into the box; false when the box's own insertion is to do it.
    bool type(const QString& typed);
    bool overwrite(const QString& typed);
    // The part of `typed` that fits beside the box's text (a selection is replaced).
    QString fitting(const QString& typed) const;
    void moveToNextControl();
    void selectAll();

    QLineEdit* edit_;
    EntrySettings settings_;
    MessageService& messages_;
    QTimer* selectTimer_;
    bool forwarding_ = false;  // an input method event this filter re-sent itself
};

class NumericEntry : public EditBehaviour {
    Q_OBJECT
  public:
    // Attaches the behaviour to `edit` (the object is owned by `edit`).  `hoursField`: the box
    // takes hours (h:mm or decimals by TimeStyle) and shows them with formatHours.
    static NumericEntry* attach(QLineEdit* edit, int formatCode, bool hoursField,
                                const EntrySettings& settings, MessageService& messages);

    // The box's value (0 when empty) and setting it in the box's display format.
    double value() const;
    void setValue(double value);

    int formatCode() const { return formatCode_; }

  signals:
    // The box was left with a valid entry (after reformatting).
    void committed();

  protected:
    // Full-width digits and signs, as an input method in かな mode gives them, become ASCII.
    QString converted(const QString& typed) const override;
    bool acceptTyped(const QString& typed) override;
    int maxBytes() const override;
    void left() override;

  private:
    NumericEntry(QLineEdit* edit, int formatCode, bool hoursField, const EntrySettings& settings,
                 MessageService& messages);

    int formatCode_;
    bool hoursField_;
    bool restoringFocus_ = false;  // a refused entry's message and focus return are pending
};

class TextEntry : public EditBehaviour {
    Q_OBJECT
  public:
    // From this many bytes left, typing shows how many remain.
    static constexpr int kRemainingShownFrom = 3;

    // Attaches the behaviour to `edit` (owned by `edit`).  `maxBytes` is the box's limit in
    // code page 932 bytes (the size of the file field it edits); 0 for none.  The box gets a
    // validator that keeps pasted and programmatic text within the limit (do not replace it).
    static TextEntry* attach(QLineEdit* edit, int maxBytes, const EntrySettings& settings,
                             MessageService& messages);

    // A box stored as half-width kana: kana typed or committed full-width (or as hiragana) go
    // in half-width, so a name fits the bytes it will take.
    void takeHalfWidthKana() { halfWidthKana_ = true; }

  protected:
    QString converted(const QString& typed) const override;
    bool acceptTyped(const QString& typed) override;
    int maxBytes() const override { return maxBytes_; }

  private:
    TextEntry(QLineEdit* edit, int maxBytes, const EntrySettings& settings,
              MessageService& messages);

    int maxBytes_;
    bool halfWidthKana_ = false;
};

}  // namespace keiro::ui
