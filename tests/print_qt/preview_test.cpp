// The print preview: paging by buttons and keys (Page Up forwards), scrolling, the zoom kept
// from one preview to the next, the sheet behind the page, 印刷実行 printing through the
// dialog, and the withholding program's tool bar with its context menu and keys.

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "print/qt/dialog/preview_sheet.h"
#include "print/qt/dialog/preview_window.h"
#include "tests/print_qt/dialog_fixture.h"
#include "tests/support/qt_test_main.h"

namespace keiro::print {

using testing::FakeLog;
using testing::FakeReport;

namespace {

QPushButton* button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

QScrollArea* scrollBox(QWidget* window) {
    return window->findChild<QScrollArea*>(QStringLiteral("sbPreview"));
}

QStringList texts(const QList<QAction*>& actions) {
    QStringList list;
    for (const QAction* action : actions) {
        if (!action->isSeparator()) list << action->text();
    }
    return list;
}

QAction* item(PreviewWindow& preview, const char* start) {
    for (QAction* action : preview.contextMenu()->actions()) {
        if (action->text().startsWith(QString::fromUtf8(start))) return action;
    }
    qFatal("no menu item %s", start);
}

}  // namespace

class PreviewWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        messages_.clear();
        log_ = FakeLog{};
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setPageOrientation(QPageLayout::Landscape);
        printer_->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    }

    void pagesWithButtonsAndKeys() {
        FakeReport report(ReportKind::TransferList, 75, {}, log_);  // three pages
        PreviewWindow preview(messages_);
        preview.prepare(report, *printer_, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(preview.windowTitle(), QStringLiteral("印刷プレビュー"));
        QVERIFY(preview.windowState() & Qt::WindowMaximized);
        QTRY_VERIFY(!log_.drawn.empty());
        QCOMPARE(log_.drawn.back(), 1);
        QVERIFY(!button(&preview, "sbPrev")->isEnabled());
        QVERIFY(button(&preview, "sbNext")->isEnabled());

        QTest::keyClick(&preview, Qt::Key_PageUp);  // Page Up goes forwards
        QCOMPARE(preview.page(), 2);
        QTRY_COMPARE(log_.drawn.back(), 2);
        button(&preview, "sbNext")->click();
        QCOMPARE(preview.page(), 3);
        QVERIFY(!button(&preview, "sbNext")->isEnabled());
        QTest::keyClick(&preview, Qt::Key_PageUp);
        QCOMPARE(preview.page(), 3);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.page(), 2);
        button(&preview, "sbPrev")->click();
        QCOMPARE(preview.page(), 1);
        QVERIFY(!button(&preview, "sbPrev")->isEnabled());
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.page(), 1);

        // A new preview starts again at page 1.
        QTest::keyClick(&preview, Qt::Key_PageUp);
        preview.prepare(report, *printer_, {});
        QCOMPARE(preview.page(), 1);
    }

    void zoomIsKeptBetweenPreviewsAndScrolls() {
        FakeReport report(ReportKind::TransferList, 5, {}, log_);
        PreviewWindow preview(messages_);
        preview.prepare(report, *printer_, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto* sheet = preview.findChild<PreviewSheet*>();
        QCOMPARE(button(&preview, "sbWDisp")->text(), QStringLiteral("拡大表示"));
        QTRY_VERIFY(!log_.atZoomOne.empty());
        QVERIFY(log_.atZoomOne.back());
        const QSize whole = sheet->size();

        button(&preview, "sbWDisp")->click();
        QCOMPARE(preview.zoom(), 2);
        QCOMPARE(button(&preview, "sbWDisp")->text(), QStringLiteral("全体表示"));
        QVERIFY(qAbs(sheet->width() - 2 * whole.width()) <= 1);
        QVERIFY(qAbs(sheet->height() - 2 * whole.height()) <= 1);
        QTRY_VERIFY(!log_.atZoomOne.back());

        preview.reject();
        preview.prepare(report, *printer_, {});
        preview.show();
        QCOMPARE(preview.zoom(), 2);
        QCOMPARE(button(&preview, "sbWDisp")->text(), QStringLiteral("全体表示"));

        QScrollBar* vertical = scrollBox(&preview)->verticalScrollBar();
        QCOMPARE(vertical->value(), 0);
        QTest::keyClick(scrollBox(&preview), Qt::Key_Down);
        QCOMPARE(vertical->value(), PreviewWindow::kArrowStep);
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(scrollBox(&preview)->viewport(), &wheel);
        QCOMPARE(vertical->value(), PreviewWindow::kArrowStep + PreviewWindow::kWheelStep);
        QTest::keyClick(scrollBox(&preview), Qt::Key_Up);
        QCOMPARE(vertical->value(), PreviewWindow::kWheelStep);

        // Back to the whole sheet, which fits the view again.
        button(&preview, "sbWDisp")->click();
        const QSize view = scrollBox(&preview)->maximumViewportSize();
        QVERIFY(sheet->width() <= view.width() && sheet->height() <= view.height());
        QVERIFY(sheet->width() == view.width() || sheet->height() == view.height());
    }

    void sheetIsGreyAndPageWhiteWithTheFormBehind() {
        FakeReport report(ReportKind::PaySlips, 2, {}, log_, true);
        PreviewWindow preview(messages_);
        preview.prepare(report, *printer_, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto* sheet = preview.findChild<PreviewSheet*>();
        const QImage shot = sheet->grab().toImage();
        const QRect page = sheet->page()->geometry();
        QVERIFY(page.top() > 2);
        QCOMPARE(shot.pixel(1, shot.height() - 2), kSheetColour);  // the margin
        QCOMPARE(shot.pixel(page.center()), qRgb(255, 255, 255));
        // The form's picture, a light blue band over the top 8 mm of the sheet, shows on the
        // page (which starts 5 mm down), not on the margin.
        QCOMPARE(shot.pixel(page.center().x(), page.top() + 1), qRgb(187, 220, 255));
        QCOMPARE(shot.pixel(page.center().x(), page.top() - 2), kSheetColour);
    }

    void printFromThePreviewPrintsAndClosesBoth() {
        testing::DialogFixture f;
        f.employees = 40;
        f.open(ReportKind::Roster);
        const QString pdf = f.folder.filePath(QStringLiteral("名簿.pdf"));
        f.files.answerNext(pdf);

        bool previewed = false;
        QTimer::singleShot(0, f.dialog.get(), [&] {
            PreviewWindow* preview = f.dialog->preview();
            previewed = preview->isVisible();
            button(preview, "sbPrint")->click();
        });
        f.dialog->showPreview();
        QVERIFY(previewed);
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Printed);
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(QFileInfo(pdf).size() > 0);

        // 閉じる goes back to the dialog.
        f.open(ReportKind::Roster);
        QTimer::singleShot(0, f.dialog.get(),
                           [&] { button(f.dialog->preview(), "sbClose")->click(); });
        f.dialog->showPreview();
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Cancelled);
    }

    void pageThatCannotBeDrawnIsSaidOnce() {
        FakeReport report(ReportKind::TransferList, 75, {}, log_);
        report.failOnPage(2);
        PreviewWindow preview(messages_);
        preview.prepare(report, *printer_, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTest::keyClick(&preview, Qt::Key_PageUp);
        QTRY_COMPARE(messages_.shown().size(), std::size_t(1));
        QCOMPARE(messages_.lastText(),
                 QStringLiteral("ページを表示できませんでした。\nデータファイルを読めません。"));
        preview.repaint();
        QTest::keyClick(&preview, Qt::Key_PageUp);  // the next page draws again
        QTRY_COMPARE(log_.drawn.back(), 3);
        QCOMPARE(messages_.shown().size(), std::size_t(1));
    }

    // The withholding program's style: the tool bar and its order, the context menu that
    // repeats it, and the keys Enter, F11, F12 and Esc.
    void menuRepeatsTheToolBarAndHidesIt() {
        FakeReport report(ReportKind::TransferList, 75, {}, log_);  // three pages
        PreviewWindow preview(messages_);
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
        PreviewWindow preview(messages_);
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
        PreviewWindow preview(messages_);
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

KEIRO_QTEST(PreviewWindowTest);

}  // namespace keiro::print

#include "preview_test.moc"
