// The lock beside the year files: a second copy is refused whatever its runtime folder, and the
// lock of a copy killed mid-work does not keep the clerk out.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/qt_test_main.h"
#include "widgets/data_folder_lock.h"

namespace keiro::ui {

class DataFolderLockTest : public QObject {
    Q_OBJECT
  private slots:
    void secondCopyIsRefusedUntilTheFirstEnds() {
        QTemporaryDir data;
        {
            DataFolderLock first("Keiro", data.path());
            QVERIFY(first.tryLock());
            QVERIFY(first.held());
            QVERIFY(first.tryLock());  // asking again keeps it
            QVERIFY(QFile::exists(first.lockPath()));
            QVERIFY(first.lockPath().startsWith(data.path() + "/."));
            QVERIFY(!first.lockPath().endsWith(".dat"));
            QCOMPARE(QFile::permissions(first.lockPath()),
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                         QFileDevice::WriteUser);

            DataFolderLock second("Keiro", data.path());
            QVERIFY(!second.tryLock());
            QVERIFY(!second.held());
            // The other program keeps its own lock on the same folder.
            DataFolderLock withholding("KeiroLG", data.path());
            QVERIFY(withholding.tryLock());
        }
        DataFolderLock afterwards("Keiro", data.path());
        QVERIFY(afterwards.tryLock());
    }

    // A folder that cannot take a lock file holds no year file to guard: the start goes on.
    void missingFolderDoesNotRefuseTheStart() {
        QTemporaryDir data;
        DataFolderLock lock("Keiro", data.path() + "/missing");
        QVERIFY(lock.tryLock());
        QVERIFY(!lock.held());
    }

    // A real process holds the lock and is killed with SIGKILL: its lock file stays behind,
    // names a process that is gone, and the next copy takes it over.
    void lockOfAKilledCopyIsTakenOver() {
        QTemporaryDir data;
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::close(ready[0]);
            DataFolderLock held("Keiro", data.path());
            const char answer = held.tryLock() ? 'y' : 'n';
            if (::write(ready[1], &answer, 1) != 1) ::_exit(1);
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char answer = 0;
        QCOMPARE(::read(ready[0], &answer, 1), ssize_t{1});
        ::close(ready[0]);
        QCOMPARE(answer, 'y');

        DataFolderLock whileRunning("Keiro", data.path());
        QVERIFY(!whileRunning.tryLock());

        QCOMPARE(::kill(child, SIGKILL), 0);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        DataFolderLock restarted("Keiro", data.path());
        QVERIFY(QFile::exists(restarted.lockPath()));  // left behind by the killed copy
        QVERIFY(restarted.tryLock());
    }
};

}  // namespace keiro::ui

using keiro::ui::DataFolderLockTest;
KEIRO_QTEST(DataFolderLockTest);

#include "data_folder_lock_test.moc"
