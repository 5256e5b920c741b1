#pragma once
// The notice window: a small frameless window that shows one line of text (such as
// "データファイルに保存しました。") centred over its owner and closes itself after 1,500 ms.
// It never takes the focus, so the box the user was in stays where it was.

#include <QString>
#include <QWidget>

class QLabel;

namespace keiro::ui {

class TfmNotice : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kShowMs = 1500;

    // Shows `text` centred over `owner`'s window (over the screen without an owner) and returns
    // the notice, which deletes itself when it closes.
    static TfmNotice* showNotice(QWidget* owner, const QString& text);

    QString text() const;

  private:
    TfmNotice(QWidget* owner, const QString& text);
    void centreOver(QWidget* owner);

    QLabel* lbMessage_;
};

}  // namespace keiro::ui
