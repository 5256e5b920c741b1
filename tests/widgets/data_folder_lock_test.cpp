// The lock beside the year files: a second copy is refused whatever its runtime folder, the lock
// of a copy killed mid-work or left unreadable by a power cut does not keep the clerk out, and a
// lock that cannot be had any other way refuses the start instead of running unlocked.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/qt_test_main.h"
#include "widgets/data_folder_lock.h"

namespace keiro::ui {

namespace {

// A child process that takes the lock on `path`, then holds it for `holdUs` microseconds and
// ends (or, with a negative time, until it is killed).  Its pid once it holds the lock; -1 when
// it could not take it.
pid_t forkHolder(const QString& path, int holdUs) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        ::close(ready[0]);
        const LockAttempt held = takeLock(path);
        const char answer = held.outcome == LockAttempt::Outcome::Taken ? 'y' : 'n';
        if (::write(ready[1], &answer, 1) != 1) ::_exit(1);
        if (holdUs < 0) {
            for (;;) ::pause();
        }
        ::usleep(static_cast<useconds_t>(holdUs));
        ::_exit(0);  // the lock goes with the process
    }
    ::close(ready[1]);
    char answer = 0;
    const bool held = ::read(ready[0], &answer, 1) == 1 && answer == 'y';
    ::close(ready[0]);
    return held ? child : -1;
}

}  // namespace

class DataFolderLockTest : public QObject {
    Q_OBJECT
  private slots:
    void secondCopyIsRefusedUntilTheFirstEnds() {
        QTemporaryDir data;
        {
            DataFolderLock first("Keiro", data.path());
            QVERIFY(first.tryLock().outcome == LockAttempt::Outcome::Taken);
            QVERIFY(first.held());
            QVERIFY(first.tryLock().outcome == LockAttempt::Outcome::Taken);  // kept
            QVERIFY(QFile::exists(first.lockPath()));
            QVERIFY(first.lockPath().startsWith(data.path() + "/."));
            QVERIFY(!first.lockPath().endsWith(".dat"));
            QCOMPARE(QFile::permissions(first.lockPath()),
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                         QFileDevice::WriteUser);

            DataFolderLock second("Keiro", data.path());
            const LockAttempt& refused = second.tryLock();
            QVERIFY(refused.outcome == LockAttempt::Outcome::Held);
            QVERIFY(!second.held());
            QVERIFY2(refused.message.contains(first.lockPath()), qPrintable(refused.message));
            QVERIFY2(refused.holder.contains(QString::number(QCoreApplication::applicationPid())),
                     qPrintable(refused.holder));
            // The other program keeps its own lock on the same folder.
            DataFolderLock withholding("KeiroLG", data.path());
            QVERIFY(withholding.tryLock().outcome == LockAttempt::Outcome::Taken);
        }
        DataFolderLock afterwards("Keiro", data.path());
        QVERIFY(afterwards.tryLock().outcome == LockAttempt::Outcome::Taken);
    }

    // Empty after a power cut, or garbage: no process holds it, so it is taken over and said so.
    // A directory in its place, or a folder that takes no file, refuses with the file named.
    void unreadableLocksAreTakenOverOtherFailuresRefuse() {
        for (const QByteArray& content : {QByteArray(), QByteArray("\x01garbage\nnot a pid\n")}) {
            QTemporaryDir data;
            const QString path = DataFolderLock::pathFor("Keiro", data.path());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
            file.close();
            DataFolderLock lock("Keiro", data.path());
            const LockAttempt& attempt = lock.tryLock();
            QVERIFY(attempt.outcome == LockAttempt::Outcome::Taken);
            QVERIFY(attempt.tookOverUnreadable);
        }
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkdir(".Keiro.lock"));
        DataFolderLock directory("Keiro", data.path());
        const LockAttempt& refused = directory.tryLock();
        QVERIFY(refused.outcome == LockAttempt::Outcome::Failed);
        QVERIFY(refused.message.contains(directory.lockPath()));
        DataFolderLock missing("Keiro", data.path() + "/missing");
        QVERIFY(missing.tryLock().outcome == LockAttempt::Outcome::Failed);
        QVERIFY(!missing.held());
    }

    // keiro-tool waits for another run: a lock let go while waiting is taken, one held on is
    // reported held when the wait ends.
    void aWaitEndsWhenTheHolderLetsGo() {
        QTemporaryDir data;
        const QString path = DataFolderLock::pathFor("Keiro", data.path());
        const pid_t child = forkHolder(path, 400'000);
        QVERIFY(child > 0);
        QVERIFY(takeLock(path, 0).outcome == LockAttempt::Outcome::Held);
        QVERIFY(takeLock(path, 10'000).outcome == LockAttempt::Outcome::Taken);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
    }

    // A real process holds the lock and is killed with SIGKILL: its lock file stays behind,
    // names a process that is gone, and the next copy takes it over.
    void lockOfAKilledCopyIsTakenOver() {
        QTemporaryDir data;
        const pid_t child = forkHolder(DataFolderLock::pathFor("Keiro", data.path()), -1);
        QVERIFY(child > 0);

        DataFolderLock whileRunning("Keiro", data.path());
        QVERIFY(whileRunning.tryLock().outcome == LockAttempt::Outcome::Held);

        QCOMPARE(::kill(child, SIGKILL), 0);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        DataFolderLock restarted("Keiro", data.path());
        QVERIFY(QFile::exists(restarted.lockPath()));  // left behind by the killed copy
        QVERIFY(restarted.tryLock().outcome == LockAttempt::Outcome::Taken);
        QVERIFY(!restarted.tryLock().tookOverUnreadable);  // its owner could be read
    }
};

}  // namespace keiro::ui

using keiro::ui::DataFolderLockTest;
KEIRO_QTEST(DataFolderLockTest);

#include "data_folder_lock_test.moc"
