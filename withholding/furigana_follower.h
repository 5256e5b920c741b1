#pragma once
// Furigana that follows a name box of the dependants dialog.  While the user composes a name
// with the input method, the composition (pre-edit text) is watched; the last one that is still
// a reading (kana, before conversion to kanji) is what was read.  When the composition is
// committed into the name, the furigana box is remembered and, 100 ms later, that reading is
// appended to it as half-width katakana.  A blank typed into the name (half-width or full-width)
// appends a half-width blank; emptying the name empties the furigana.  Names set by the program
// (loading a row) leave the furigana alone.
//
//   FuriganaFollower::attach(nameBox, furiganaBox, furiganaBytes);  // after the entry behaviour

#include <QObject>
#include <QString>

class QLineEdit;
class QTimer;

namespace keiro::withholding {

class FuriganaFollower : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDelayMs = 100;

    // The follower is owned by `name`.  `furiganaBytes` is the furigana field's size in code
    // page 932 bytes; what is appended never makes the furigana longer.
    static FuriganaFollower* attach(QLineEdit* name, QLineEdit* furigana, int furiganaBytes);

  private:
    FuriganaFollower(QLineEdit* name, QLineEdit* furigana, int furiganaBytes);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void nameEdited(const QString& now);
    // Appends the reading waiting for the timer, if any.
    void appendReading();
    void append(const QString& text);

    QLineEdit* name_;
    QLineEdit* furigana_;
    int furiganaBytes_;
    QTimer* timer_;
    QString nameBefore_;        // the name before the last change
    QString composedReading_;   // the last composition that was still a reading
    QString committedReading_;  // the reading of the composition just committed
    QString pending_;           // what the timer appends, as half-width katakana
};

}  // namespace keiro::withholding
