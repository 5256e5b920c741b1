#pragma once
// One running copy per user and program.  A lock file in the runtime folder decides which copy
// is first; the first copy listens on a local socket, and a second copy asks it through that
// socket to bring its window forward, then ends.  A lock left by a crashed copy is taken over
// (its process is gone), and only the lock holder removes a stale socket.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace keiro::ui {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `program` names the lock and socket ("Keiro", "KeiroLG").  The folder defaults to
    // $XDG_RUNTIME_DIR, or the temporary folder when that is not set.
    explicit SingleInstance(const QString& program, QString runtimeFolder = {});
    ~SingleInstance() override;

    // True when this is the first copy: the lock is now held and the socket listens.
    bool tryBecomeFirst();
    // From a second copy: asks the first to raise its window.  False when nobody answered.
    bool askFirstToRaise(int timeoutMs = 2000);

    QString lockPath() const;
    QString socketPath() const;

  signals:
    // The first copy: another launch asked for the window.
    void raiseRequested();

  private:
    void acceptConnections();

    QString program_;
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace keiro::ui
