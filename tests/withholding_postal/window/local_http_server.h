#pragma once
// A tiny HTTP/1.1 server on 127.0.0.1 for the download tests: each path gets a canned answer,
// every request is recorded, and an answer may be cut off part-way or trickle out slowly.
// One request per connection (the server closes after answering).

#include <QHostAddress>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace keiro::testing_support {

class LocalHttpServer : public QObject {
  public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QByteArray headers;    // extra header lines, each ending in "\r\n"
        qsizetype cutAt = -1;  // send only this many bytes of the body, then close
        int trickleMs = 0;     // send the body in pieces, one every trickleMs
    };

    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    void answer(const QString& path, Answer answer) { answers_[path] = std::move(answer); }
    const QStringList& requests() const { return requests_; }

  private:
    void read(QTcpSocket* socket) {
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n")) return;
        const QList<QByteArray> words = buffer.left(buffer.indexOf("\r\n")).split(' ');
        pending_.remove(socket);
        const QString method = QString::fromLatin1(words.value(0));
        const QString path = QString::fromLatin1(words.value(1));
        requests_ << method + QLatin1Char(' ') + path;
        const Answer a = answers_.value(path, Answer{404, "not found", {}, -1, 0});
        QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) +
                          " X\r\nContent-Length: " + QByteArray::number(a.body.size()) +
                          "\r\nConnection: close\r\n" + a.headers + "\r\n";
        socket->write(head);
        const QByteArray body = method == QLatin1String("HEAD") ? QByteArray()
                                : a.cutAt >= 0                  ? a.body.left(a.cutAt)
                                                                : a.body;
        if (a.trickleMs > 0) return trickle(socket, body, a.trickleMs);
        socket->write(body);
        socket->disconnectFromHost();
    }

    void trickle(QTcpSocket* socket, QByteArray body, int everyMs) {
        auto* timer = new QTimer(socket);
        const qsizetype piece = std::max<qsizetype>(1, body.size() / 100);
        connect(timer, &QTimer::timeout, socket,
                [socket, timer, body, piece, sent = qsizetype{0}]() mutable {
                    socket->write(body.mid(sent, piece));
                    sent += piece;
                    if (sent >= body.size()) {
                        timer->stop();
                        socket->disconnectFromHost();
                    }
                });
        timer->start(everyMs);
    }

    QTcpServer server_;
    QMap<QString, Answer> answers_;
    QMap<QTcpSocket*, QByteArray> pending_;
    QStringList requests_;
};

}  // namespace keiro::testing_support
