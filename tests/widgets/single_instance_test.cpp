// A second launch must find the first copy, and a lock left by a crashed copy must not keep
// the program from starting.
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>

#include "tests/support/qt_test_main.h"
#include "widgets/single_instance.h"

namespace keiro::ui {

class SingleInstanceTest : public QObject {
    Q_OBJECT
  private slots:
    void secondCopyIsRefusedAndRaisesTheFirst() {
        QTemporaryDir folder;
        SingleInstance first("Keiro", folder.path());
        QVERIFY(first.tryBecomeFirst());
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);

        SingleInstance second("Keiro", folder.path());
        QVERIFY(!second.tryBecomeFirst());
        QVERIFY(second.askFirstToRaise());
        QTRY_COMPARE(raised.count(), 1);

        // Another program has its own lock.
        SingleInstance withholding("KeiroLG", folder.path());
        QVERIFY(withholding.tryBecomeFirst());
    }

    void leftoversOfACrashedCopyAreTakenOver() {
        QTemporaryDir folder;
        SingleInstance probe("Keiro", folder.path());
        // A lock naming a process that no longer exists, and its socket file left behind.
        QFile lock(probe.lockPath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("999999\nKeiro\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QFile socket(probe.socketPath());
        QVERIFY(socket.open(QIODevice::WriteOnly));
        socket.close();

        SingleInstance restarted("Keiro", folder.path());
        QVERIFY(restarted.tryBecomeFirst());
        SingleInstance second("Keiro", folder.path());
        QVERIFY(!second.tryBecomeFirst());
        QVERIFY(second.askFirstToRaise());
    }

    void nobodyAnswersWhenNoCopyRuns() {
        QTemporaryDir folder;
        SingleInstance lonely("Keiro", folder.path());
        QVERIFY(!lonely.askFirstToRaise(200));
    }
};

}  // namespace keiro::ui

using keiro::ui::SingleInstanceTest;
KEIRO_QTEST(SingleInstanceTest);

#include "single_instance_test.moc"
