#pragma once
// The notice window: a small frameless window that shows one line of text (such as
// "データファイルに保存しました。") centred over its owner and closes itself after 1,500 ms.
// It never takes the focus, so the box the user was in stays where it was.
//
// In progress mode (a download) it is 280 × 60 pixels, shows its text in blue over a progress
// bar, and stays until its owner closes it.

#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;
class QVBoxLayout;

namespace keiro::ui {

class NoticeWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kShowMs = 1500;

    // Shows `text` centred over `owner`'s window (over the screen without an owner) and returns
    // the notice, which deletes itself when it closes.
    static NoticeWindow* showNotice(QWidget* owner, const QString& text);

    static constexpr QSize kProgressSize{280, 60};

    // The progress mode: shown centred over `owner` with the bar at 0.  The caller closes it
    // (it deletes itself then).
    static NoticeWindow* showProgress(QWidget* owner, const QString& text);

    QString text() const;

    // Progress mode: `done` of `total`; a total that is not known yet (0 or less) shows a busy
    // bar.  The notice repaints at once.
    void setProgress(qint64 done, qint64 total);
    int progressValue() const;
    int progressMaximum() const;

  private:
    NoticeWindow(QWidget* owner, const QString& text);
    void centreOver(QWidget* owner);

    QLabel* messageLabel_;
    QVBoxLayout* inner_;
    QProgressBar* progressBar_ = nullptr;
};

}  // namespace keiro::ui
