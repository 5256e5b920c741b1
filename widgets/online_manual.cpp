#include "widgets/online_manual.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QWidget>

#include "widgets/message_service.h"

namespace keiro::ui {

OnlineManual::OnlineManual(MessageService& messages, QWidget* window)
    : QObject(window),
      messages_(messages),
      window_(window),
      openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {}

void OnlineManual::open(const std::string& address, const std::function<void(bool)>& running) {
    const QUrl url(QString::fromStdString(address));
    if (!url.isValid() || url.scheme().isEmpty()) {
        messages_.error(window_, QString::fromUtf8(kMsgNoInternet));
        return;
    }
    if (network_ == nullptr) network_ = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setTransferTimeout(kManualTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_->get(request);
    if (running) running(true);
    connect(reply, &QNetworkReply::finished, this, [this, reply, url, running] {
        reply->deleteLater();
        if (running) running(false);
        if (reply->error() != QNetworkReply::NoError) {
            messages_.error(window_, QString::fromUtf8(kMsgNoInternet));
            return;
        }
        openUrl_(url);
    });
}

}  // namespace keiro::ui
