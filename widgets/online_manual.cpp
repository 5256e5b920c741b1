#include "widgets/online_manual.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QWidget>

#include "core/places.h"
#include "widgets/message_service.h"

namespace keiro::ui {

OnlineManual::OnlineManual(MessageService& messages, QWidget* window,
                           std::filesystem::path programFolder)
    : QObject(window),
      messages_(messages),
      window_(window),
      programFolder_(std::move(programFolder)),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

void OnlineManual::open(const std::string& address, const std::function<void(bool)>& running) {
    if (address.empty()) {
        openLocal();
        return;
    }
    const QUrl url(QString::fromStdString(address));
    if (!url.isValid() || url.scheme().isEmpty()) {
        messages_.error(window_, QString::fromUtf8(kMsgNoInternet));
        return;
    }
    openRemote(url, running);
}

void OnlineManual::openLocal() {
    if (const auto page = findManualStartPage(programFolder_)) {
        hand(QUrl::fromLocalFile(QString::fromStdString(page->string())));
        return;
    }
    QString text = QString::fromUtf8(kMsgManualNotFound);
    for (const std::filesystem::path& place : manualStartPageCandidates(programFolder_)) {
        text += QStringLiteral("\n") + QString::fromStdString(place.string());
    }
    messages_.error(window_,
                    text + QStringLiteral("\n") + QString::fromUtf8(kMsgManualNotFoundHint));
}

void OnlineManual::openRemote(const QUrl& url, const std::function<void(bool)>& running) {
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
        hand(url);
    });
}

void OnlineManual::hand(const QUrl& url) {
    if (openUrl_(url)) return;
    messages_.error(
        window_, QString::fromUtf8(kMsgNoBrowser) + QStringLiteral("\n") + url.toDisplayString());
}

}  // namespace keiro::ui
