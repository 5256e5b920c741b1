#include "withholding/postal_download.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimeZone>
#include <QTimer>
#include <QUrl>
#include <utility>

#include "core/text.h"

namespace keiro::withholding {
namespace {

constexpr int kMaxRedirects = 10;

}  // namespace

PostalDownload::PostalDownload(QNetworkAccessManager& network, PostalSource source, QObject* parent,
                               std::size_t maxBytes)
    : QObject(parent), network_(network), source_(std::move(source)), maxBytes_(maxBytes) {}

PostalDownload::~PostalDownload() {
    abort();
}

QNetworkReply* PostalDownload::send(const QString& url, bool headOnly, int deadlineMs) {
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(kTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    reply_ = headOnly ? network_.head(request) : network_.get(request);
    // A server that never stops sending is cut off: finished follows with an error.
    QTimer::singleShot(deadlineMs, reply_, [reply = reply_.data()] { reply->abort(); });
    return reply_;
}

void PostalDownload::fetchVersion() {
    abort();
    data_.clear();
    tooLarge_ = false;
    QNetworkReply* reply =
        source_.hasVersionFile
            ? send(QString::fromStdString(source_.versionUrl), false, kVersionDeadlineMs)
            : send(QString::fromStdString(source_.dataUrl), true, kVersionDeadlineMs);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        data_ += reply->readAll();
        if (data_.size() > kMaxVersionBytes) {
            tooLarge_ = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, &PostalDownload::versionFinished);
}

QNetworkReply* PostalDownload::takeReply() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (reply) reply->deleteLater();
    return reply;
}

void PostalDownload::versionFinished() {
    QNetworkReply* reply = takeReply();
    if (reply == nullptr) return;
    if (!tooLarge_) data_ += reply->readAll();
    const QByteArray body = std::exchange(data_, QByteArray());
    if (tooLarge_ || reply->error() != QNetworkReply::NoError)
        return emit failed(Failure::NoVersion);
    QString date;
    if (source_.hasVersionFile) {
        const std::string found =
            versionDate(text::fromCp932(std::string_view(body.constData(), body.size())));
        if (!isVersionDate(found)) return emit failed(Failure::NoVersion);
        date = QString::fromStdString(found);
    } else {
        const QDateTime modified = reply->header(QNetworkRequest::LastModifiedHeader).toDateTime();
        date = modified.isValid() ? modified.toTimeZone(QTimeZone("Asia/Tokyo"))
                                        .toString(QStringLiteral("yyyy/MM/dd"))
                                  : QStringLiteral("不明");
    }
    emit versionReady(date);
}

void PostalDownload::fetchData() {
    abort();
    data_.clear();
    tooLarge_ = false;
    QNetworkReply* reply = send(QString::fromStdString(source_.dataUrl), false, kDataDeadlineMs);
    connect(reply, &QNetworkReply::downloadProgress, this, &PostalDownload::progress);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        data_ += reply->readAll();
        if (static_cast<std::size_t>(data_.size()) > maxBytes_) {
            tooLarge_ = true;
            reply->abort();  // finished follows with OperationCanceledError
        }
    });
    connect(reply, &QNetworkReply::finished, this, &PostalDownload::dataFinished);
}

void PostalDownload::dataFinished() {
    QNetworkReply* reply = takeReply();
    if (reply == nullptr) return;
    if (!tooLarge_) data_ += reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool error = reply->error() != QNetworkReply::NoError;
    // The announced length counts the bytes on the wire, which differ from the data when the
    // server compressed them (Qt unpacks those); a compressed transfer cut short fails to unpack.
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    const bool cutShort = length.isValid() && !reply->hasRawHeader("Content-Encoding") &&
                          length.toLongLong() != data_.size();
    Failure failure = Failure::Incomplete;
    if (!tooLarge_ && (status >= 400 || (error && data_.isEmpty()))) failure = Failure::NoData;
    if (tooLarge_ || error || cutShort) {
        data_.clear();
        return emit failed(failure);
    }
    const QByteArray data = std::exchange(data_, QByteArray());
    emit dataReady(data);
}

void PostalDownload::abort() {
    if (QNetworkReply* reply = reply_) {
        reply_ = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

}  // namespace keiro::withholding
