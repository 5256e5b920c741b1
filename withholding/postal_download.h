#pragma once
// Fetching new postal-code data over HTTP (see withholding/postal/postal_source.h for the two
// kinds of server).  Two steps, so that the window can ask in between: the date of the
// published data, then the data itself with its progress.  Everything runs on the user-
// interface thread through Qt Network's signals; requests follow redirects and give up after a
// time without any transfer.  Nothing fetched is ever run: the data is handed over as bytes to
// be checked and converted.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstddef>

#include "withholding/postal/postal_data.h"
#include "withholding/postal/postal_source.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace keiro::withholding {

class PostalDownload : public QObject {
    Q_OBJECT
  public:
    enum class Failure {
        NoVersion,   // the date could not be fetched
        NoData,      // the data could not be fetched at all
        Incomplete,  // the transfer broke off, or was larger than any postal list
    };
    // A transfer that stays silent this long is given up.
    static constexpr int kTimeoutMs = 30000;
    // A version file is a line with a date: one longer than this, or a transfer of it that goes
    // on this long, is no version file.
    static constexpr qsizetype kMaxVersionBytes = 512;
    static constexpr int kVersionDeadlineMs = 30000;
    // However slowly bytes keep coming, the data transfer ends by then.
    static constexpr int kDataDeadlineMs = 10 * 60 * 1000;

    // A transfer larger than `maxBytes` is broken off (Incomplete): no postal list is that big.
    PostalDownload(QNetworkAccessManager& network, PostalSource source, QObject* parent = nullptr,
                   std::size_t maxBytes = kMaxPostalDataBytes);
    ~PostalDownload() override;

    // → versionReady(date) or failed(NoVersion).  The date is the version file's (an office
    // server) or the Last-Modified date of the zip ("yyyy/MM/dd"; "不明" when not given).
    void fetchVersion();
    // → progress(...)* then dataReady(bytes) or failed(NoData | Incomplete).
    void fetchData();
    // Stops what is running; no signal follows.
    void abort();
    bool isRunning() const { return !reply_.isNull(); }

  signals:
    void versionReady(const QString& date);
    void progress(qint64 received, qint64 total);
    void dataReady(const QByteArray& data);
    void failed(keiro::withholding::PostalDownload::Failure failure);

  private:
    QNetworkReply* send(const QString& url, bool headOnly, int deadlineMs);
    // The finished reply, no longer ours (deleted later); null when it was aborted.
    QNetworkReply* takeReply();
    void versionFinished();
    void dataFinished();

    QNetworkAccessManager& network_;
    PostalSource source_;
    QPointer<QNetworkReply> reply_;
    QByteArray data_;
    std::size_t maxBytes_;
    bool tooLarge_ = false;
};

}  // namespace keiro::withholding
