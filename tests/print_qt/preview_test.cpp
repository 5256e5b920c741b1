// The print preview: paging by buttons and keys (Page Up forwards), scrolling, the zoom kept
// from one preview to the next, the sheet behind the page, and 印刷実行 printing through the
// dialog.

#include <QApplication>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "print/qt/dialog/preview_sheet.h"
#include "print/qt/dialog/tfm_preview.h"
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

}  // namespace

class TfmPreViewTest : public QObject {
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
        TfmPreView preview(messages_);
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
        TfmPreView preview(messages_);
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
        QCOMPARE(vertical->value(), TfmPreView::kArrowStep);
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(scrollBox(&preview)->viewport(), &wheel);
        QCOMPARE(vertical->value(), TfmPreView::kArrowStep + TfmPreView::kWheelStep);
        QTest::keyClick(scrollBox(&preview), Qt::Key_Up);
        QCOMPARE(vertical->value(), TfmPreView::kWheelStep);

        // Back to the whole sheet, which fits the view again.
        button(&preview, "sbWDisp")->click();
        const QSize view = scrollBox(&preview)->maximumViewportSize();
        QVERIFY(sheet->width() <= view.width() && sheet->height() <= view.height());
        QVERIFY(sheet->width() == view.width() || sheet->height() == view.height());
    }

    void sheetIsGreyAndPageWhiteWithTheFormBehind() {
        FakeReport report(ReportKind::PaySlips, 2, {}, log_, true);
        TfmPreView preview(messages_);
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
            TfmPreView* preview = f.dialog->preview();
            previewed = preview->isVisible();
            button(preview, "sbPrint")->click();
        });
        f.dialog->btPreViewClick();
        QVERIFY(previewed);
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Printed);
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(QFileInfo(pdf).size() > 0);

        // 閉じる goes back to the dialog.
        f.open(ReportKind::Roster);
        QTimer::singleShot(0, f.dialog.get(),
                           [&] { button(f.dialog->preview(), "sbClose")->click(); });
        f.dialog->btPreViewClick();
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(f.dialog->outcome(), PrintOutcome::Cancelled);
    }

    void pageThatCannotBeDrawnIsSaidOnce() {
        FakeReport report(ReportKind::TransferList, 75, {}, log_);
        report.failOnPage(2);
        TfmPreView preview(messages_);
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

  private:
    ui::ScriptedMessageService messages_;
    FakeLog log_;
    std::unique_ptr<QPrinter> printer_;
};

KEIRO_QTEST(TfmPreViewTest);

}  // namespace keiro::print

#include "preview_test.moc"
