#include "widgets/notice_window.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace keiro::ui {

TfmNotice::TfmNotice(QWidget* owner, const QString& text)
    : QWidget(owner ? owner->window() : nullptr, Qt::Tool | Qt::FramelessWindowHint),
      lbMessage_(new QLabel(text)) {
    setObjectName(QStringLiteral("TfmNotice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    lbMessage_->setObjectName(QStringLiteral("lbMessage"));
    lbMessage_->setAlignment(Qt::AlignCenter);
    QFont font = lbMessage_->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    lbMessage_->setFont(font);

    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(28, 18, 28, 18);
    inner->addWidget(lbMessage_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    setMinimumSize(260, 70);
}

TfmNotice* TfmNotice::showNotice(QWidget* owner, const QString& text) {
    auto* notice = new TfmNotice(owner, text);
    notice->adjustSize();
    notice->centreOver(owner);
    notice->show();
    QTimer::singleShot(kShowMs, notice, &QWidget::close);
    return notice;
}

QString TfmNotice::text() const {
    return lbMessage_->text();
}

void TfmNotice::centreOver(QWidget* owner) {
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
