// The withholding program's preview: the tool bar and its order, the context menu that repeats
// it, and the keys Enter, F11, F12 and Esc; the payroll program's preview keeps none of them.

#include <QAction>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

#include "print/qt/dialog/tfm_preview.h"
#include "tests/print_qt/fake_report.h"
#include "tests/support/qt_test_main.h"
#include "widgets/message_service.h"

namespace keiro::print {

using testing::FakeLog;
using testing::FakeReport;

namespace {

QStringList texts(const QList<QAction*>& actions) {
    QStringList list;
    for (const QAction* action : actions) {
        if (!action->isSeparator()) list << action->text();
    }
    return list;
}

QAction* item(TfmPreView& preview, const char* start) {
    for (QAction* action : preview.contextMenu()->actions()) {
        if (action->text().startsWith(QString::fromUtf8(start))) return action;
    }
    qFatal("no menu item %s", start);
}

}  // namespace

class PreviewToolBarTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        log_ = FakeLog{};
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
    }

    void menuRepeatsTheToolBarAndHidesIt() {
        FakeReport report(ReportKind::TransferList, 75, {}, log_);  // three pages
        TfmPreView preview(messages_);
        std::vector<bool> toggled;
        preview.setStyle({true, true, [&toggled](bool shown) { toggled.push_back(shown); }});
        preview.prepare(report, *printer_, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));

        QCOMPARE(
            texts(preview.contextMenu()->actions()),
            (QStringList{"印刷実行(&P)", "拡大して表示する(&W)      Enter",
                         "前ページを表示(&B)         PageDown", "次ページを表示(&N)         PageUp",
                         "閉じる(&C)                    Esc", "ボタンを表示する(&D)"}));
        auto* toolBar = preview.findChild<QWidget*>("pnToolBar");
        QStringList order;
        for (auto* button : toolBar->findChildren<QPushButton*>()) {
            order << button->objectName();
        }
        std::sort(order.begin(), order.end(), [toolBar](const QString& a, const QString& b) {
            return toolBar->findChild<QWidget*>(a)->x() < toolBar->findChild<QWidget*>(b)->x();
        });
        QCOMPARE(order, (QStringList{"sbPrint", "sbWDisp", "sbClose", "sbPrev", "sbNext"}));

        // The page items follow the buttons.
        QVERIFY(!item(preview, "前ページ")->isEnabled());
        item(preview, "次ページ")->trigger();
        QCOMPARE(preview.page(), 2);
        QVERIFY(item(preview, "前ページ")->isEnabled());

        QAction* buttons = item(preview, "ボタンを表示する");
        QVERIFY(buttons->isCheckable() && buttons->isChecked());
        buttons->trigger();
        QVERIFY(!toolBar->isVisible());
        QCOMPARE(toggled, std::vector<bool>{false});
        buttons->trigger();
        QVERIFY(toolBar->isVisible());
        QCOMPARE(toggled, (std::vector<bool>{false, true}));

        item(preview, "印刷実行")->trigger();
        QCOMPARE(preview.result(), int(QDialog::Accepted));
    }

    void keysPageZoomAndClose() {
        FakeReport report(ReportKind::TransferList, 75, {}, log_);
        TfmPreView preview(messages_);
        preview.setStyle({true, false, {}});
        preview.prepare(report, *printer_, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(!preview.findChild<QWidget*>("pnToolBar")->isVisible());

        QTest::keyClick(&preview, Qt::Key_F12);
        QTest::keyClick(&preview, Qt::Key_F12);
        QTest::keyClick(&preview, Qt::Key_F12);  // the last page stays
        QCOMPARE(preview.page(), 3);
        QTest::keyClick(&preview, Qt::Key_F11);
        QCOMPARE(preview.page(), 2);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QTest::keyClick(&preview, Qt::Key_F11);
        QCOMPARE(preview.page(), 1);

        const int zoom = preview.zoom();
        QTest::keyClick(&preview, Qt::Key_Return);
        QCOMPARE(preview.zoom(), 3 - zoom);
        QTest::keyClick(&preview, Qt::Key_Enter);
        QCOMPARE(preview.zoom(), zoom);
        QVERIFY(preview.isVisible());

        QTest::keyClick(&preview, Qt::Key_Escape);
        QVERIFY(!preview.isVisible());
        QCOMPARE(preview.result(), int(QDialog::Rejected));
    }

    // The payroll program's preview has no hidden buttons and leaves F11, F12 and Enter alone.
    void payrollStyleHasNone() {
        FakeReport report(ReportKind::TransferList, 75, {}, log_);
        TfmPreView preview(messages_);
        preview.setStyle({true, false, {}});
        preview.setStyle({});
        preview.prepare(report, *printer_, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(preview.findChild<QWidget*>("pnToolBar")->isVisible());
        const int zoom = preview.zoom();
        QTest::keyClick(&preview, Qt::Key_F12);
        QTest::keyClick(&preview, Qt::Key_Return);
        QCOMPARE(preview.page(), 1);
        QCOMPARE(preview.zoom(), zoom);
        preview.reject();
    }

  private:
    ui::ScriptedMessageService messages_;
    FakeLog log_;
    std::unique_ptr<QPrinter> printer_;
};

KEIRO_QTEST(PreviewToolBarTest);

}  // namespace keiro::print

#include "preview_toolbar_test.moc"
