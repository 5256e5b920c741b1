#pragma once
// The behaviour every edit box of both programs shares, attached to a plain QLineEdit:
// - numeric boxes (format code: tens = width, units = decimals): key filtering by format code
//   (digits; "." unless the code is 20; ":" in hours boxes), checking and reformatting when the
//   box is left, with the exact message and the focus put back on an error;
// - text boxes: a maximum length in code page 932 bytes; characters without a code page 932
//   form are refused where they are typed;
// - both: overwrite typing when InputOverN is on, the whole text selected 150 ms after entering
//   when AutoSelect is on, Enter moves to the next control, Ctrl+Delete empties the box.
// All decisions are made by the pure functions of core/entry.h; this only wires them to Qt.

#include <QObject>

#include "core/entry.h"

class QLineEdit;

namespace keiro::ui {

class MessageService;

struct EntrySettings {
    bool autoSelect = true;      // AutoSelect
    bool overwriteInput = true;  // InputOverN
    TimeStyle timeStyle = TimeStyle::Sexagesimal;
};

class NumericEntry : public QObject {
    Q_OBJECT
public:
    // Attaches the behaviour to `edit` (the object is owned by `edit`).
    static NumericEntry* attach(QLineEdit* edit, int formatCode, bool hoursField,
                                const EntrySettings& settings, MessageService& messages);

    // The box's value (0 when empty) and setting it in the box's display format.
    double value() const;
    void setValue(double value);

signals:
    // The box was left with a valid entry (after reformatting).
    void committed();

private:
    NumericEntry(QLineEdit* edit, int formatCode, bool hoursField, const EntrySettings& settings,
                 MessageService& messages);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* edit_;
    int formatCode_;
    bool hoursField_;
    EntrySettings settings_;
    MessageService& messages_;
    int pendingLead_ = -1;
};

class TextEntry : public QObject {
    Q_OBJECT
public:
    static TextEntry* attach(QLineEdit* edit, int maxBytes, const EntrySettings& settings,
                             MessageService& messages);

private:
    TextEntry(QLineEdit* edit, int maxBytes, const EntrySettings& settings,
              MessageService& messages);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* edit_;
    int maxBytes_;
    EntrySettings settings_;
    MessageService& messages_;
    int pendingLead_ = -1;
};

}  // namespace keiro::ui
