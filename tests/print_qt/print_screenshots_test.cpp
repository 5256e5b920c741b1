// Pictures of the print dialog and the preview at both zooms for a person to look at, written
// only when KEIRO_PRINT_SHOTS names a folder (run under a real display server for real fonts).

#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/ini.h"
#include "core/settings.h"
#include "print/qt/dialog/tfm_inji.h"
#include "print/qt/dialog/tfm_preview.h"
#include "tests/print_qt/fake_report.h"
#include "tests/support/qt_test_main.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::print {

class PrintScreenshots : public QObject {
    Q_OBJECT

  private slots:
    void dialogAndPreview() {
        const QString folder = qEnvironmentVariable("KEIRO_PRINT_SHOTS");
        if (folder.isEmpty()) QSKIP("KEIRO_PRINT_SHOTS names no folder");
        QTemporaryDir root;
        IniFile ini(fs::path(root.path().toStdString()) / "Keiro.ini");
        Settings settings;
        ui::ScriptedMessageService messages;
        ui::ScriptedFileDialogs files;
        PrintServices services{messages, files, ini, settings};
        testing::FakeLog log;
        TfmInji dialog(services);
        PrintRequest request;
        request.mode = {ReportKind::PaySlips, 4};
        request.caption = QStringLiteral("給与明細書");
        request.buildReport = [&log](const PrintChoices& choices) {
            return std::make_unique<testing::FakeReport>(ReportKind::PaySlips, 3, choices, log,
                                                         choices.formType == 0);
        };
        request.exportReport = [](QWidget*, const PrintChoices&) { return true; };
        request.payDate = payDateTexts({8, 4, 25}, {"令和", true, 8, "令和", 8});
        dialog.prepare(request);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(folder + QStringLiteral("/print-dialog.png")));

        bool saved = false;
        QTimer::singleShot(300, &dialog, [&] {
            TfmPreView* preview = dialog.preview();
            saved = preview->grab().save(folder + QStringLiteral("/preview-zoom1.png"));
            preview->findChild<QPushButton*>(QStringLiteral("sbWDisp"))->click();
            saved = saved && preview->grab().save(folder + QStringLiteral("/preview-zoom2.png"));
            preview->reject();
        });
        dialog.btPreViewClick();
        QVERIFY(saved);
    }
};

KEIRO_QTEST(PrintScreenshots);

}  // namespace keiro::print

#include "print_screenshots_test.moc"
