#include "widgets/notice_window.h"

#include <algorithm>
#include <limits>

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace keiro::ui {

NoticeWindow::NoticeWindow(QWidget* owner, const QString& text)
    : QWidget(owner ? owner->window() : nullptr, Qt::Tool | Qt::FramelessWindowHint),
      messageLabel_(new QLabel(text)),
      inner_(nullptr) {
    setObjectName(QStringLiteral("TfmNotice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    messageLabel_->setObjectName(QStringLiteral("lbMessage"));
    messageLabel_->setAlignment(Qt::AlignCenter);
    QFont font = messageLabel_->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    messageLabel_->setFont(font);

    inner_ = new QVBoxLayout(frame);
    inner_->setContentsMargins(28, 18, 28, 18);
    inner_->addWidget(messageLabel_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    setMinimumSize(260, 70);
}

NoticeWindow* NoticeWindow::showNotice(QWidget* owner, const QString& text) {
    auto* notice = new NoticeWindow(owner, text);
    notice->adjustSize();
    notice->centreOver(owner);
    notice->show();
    QTimer::singleShot(kShowMs, notice, &QWidget::close);
    return notice;
}

NoticeWindow* NoticeWindow::showProgress(QWidget* owner, const QString& text) {
    auto* notice = new NoticeWindow(owner, text);
    QFont font = notice->messageLabel_->font();
    font.setPointSizeF(font.pointSizeF() / 1.2);
    notice->messageLabel_->setFont(font);
    QPalette blue = notice->messageLabel_->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    notice->messageLabel_->setPalette(blue);
    notice->progressBar_ = new QProgressBar;
    notice->progressBar_->setObjectName(QStringLiteral("pbProgress"));
    notice->progressBar_->setRange(0, 100);
    notice->progressBar_->setValue(0);
    notice->progressBar_->setTextVisible(false);
    notice->progressBar_->setFixedHeight(14);
    notice->inner_->setContentsMargins(12, 6, 12, 8);
    notice->inner_->setSpacing(4);
    notice->inner_->addWidget(notice->progressBar_);
    notice->setMinimumSize(kProgressSize);
    notice->setFixedSize(kProgressSize);
    notice->centreOver(owner);
    notice->show();
    return notice;
}

void NoticeWindow::setProgress(qint64 done, qint64 total) {
    if (!progressBar_) return;
    if (total <= 0) {
        progressBar_->setRange(0, 0);
    } else {
        // The bar counts in ints: very large transfers are shown in kilobytes.
        const qint64 scale = total > std::numeric_limits<int>::max() ? 1024 : 1;
        progressBar_->setRange(0, static_cast<int>(total / scale));
        progressBar_->setValue(static_cast<int>(std::clamp<qint64>(done, 0, total) / scale));
    }
    progressBar_->repaint();
}

int NoticeWindow::progressValue() const {
    return progressBar_ ? progressBar_->value() : 0;
}

int NoticeWindow::progressMaximum() const {
    return progressBar_ ? progressBar_->maximum() : 0;
}

QString NoticeWindow::text() const {
    return messageLabel_->text();
}

void NoticeWindow::centreOver(QWidget* owner) {
    QRect area;
    if (owner) {
        area = owner->window()->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(area.center());
    move(placed.topLeft());
}

}  // namespace keiro::ui
