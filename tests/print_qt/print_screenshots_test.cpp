// Pictures of the print dialog and the preview at both zooms for a person to look at, written
// only when KEIRO_PRINT_SHOTS names a folder (run under a real display server for real fonts).

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "print/qt/dialog/preview_window.h"
#include "tests/print_qt/dialog_fixture.h"
#include "tests/support/qt_test_main.h"

namespace keiro::print {

class PrintScreenshots : public QObject {
    Q_OBJECT

  private slots:
    void dialogAndPreview() {
        const QString folder = qEnvironmentVariable("KEIRO_PRINT_SHOTS");
        if (folder.isEmpty()) QSKIP("KEIRO_PRINT_SHOTS names no folder");
        testing::DialogFixture f;
        f.open(ReportKind::PaySlips, true);
        PrintDialog& dialog = *f.dialog;
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(folder + QStringLiteral("/print-dialog.png")));
        f.open(ReportKind::TransferList);
        QVERIFY(f.dialog->grab().save(folder + QStringLiteral("/print-dialog-transfer.png")));
        f.open(ReportKind::PaySlips, true);

        bool saved = false;
        QTimer::singleShot(300, &dialog, [&] {
            PreviewWindow* preview = dialog.preview();
            saved = preview->grab().save(folder + QStringLiteral("/preview-zoom1.png"));
            preview->findChild<QPushButton*>(QStringLiteral("sbWDisp"))->click();
            saved = saved && preview->grab().save(folder + QStringLiteral("/preview-zoom2.png"));
            preview->reject();
        });
        dialog.showPreview();
        QVERIFY(saved);
    }
};

KEIRO_QTEST(PrintScreenshots);

}  // namespace keiro::print

#include "print_screenshots_test.moc"
