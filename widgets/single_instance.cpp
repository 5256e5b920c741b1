#include "widgets/single_instance.h"

#include <unistd.h>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include "widgets/data_folder_lock.h"

namespace keiro::ui {
namespace {

constexpr char kRaiseMessage[] = "raise\n";

QString defaultRuntimeFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists()) {
        return QString::fromLocal8Bit(runtime);
    }
    return QDir::tempPath();
}

}  // namespace

SingleInstance::SingleInstance(const QString& program, QString runtimeFolder)
    : program_(program),
      folder_(runtimeFolder.isEmpty() ? defaultRuntimeFolder() : std::move(runtimeFolder)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() {
    server_.close();
}

// Per user: the folder of XDG_RUNTIME_DIR is private already; in the shared temporary folder
// the user id keeps two users' copies apart.
QString SingleInstance::lockPath() const {
    return folder_ + QStringLiteral("/%1-%2.lock").arg(program_).arg(::getuid());
}

QString SingleInstance::socketPath() const {
    return folder_ + QStringLiteral("/%1-%2.socket").arg(program_).arg(::getuid());
}

bool SingleInstance::tryBecomeFirst() {
    lock_ = tryTakeLock(lockPath());
    if (!lock_) return false;
    QLocalServer::removeServer(socketPath());  // left by a crashed copy; we hold the lock
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(socketPath());
}

bool SingleInstance::askFirstToRaise(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kRaiseMessage);
    const bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return written;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("raise")) emit raiseRequested();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

}  // namespace keiro::ui
