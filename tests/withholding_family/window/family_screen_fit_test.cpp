// 配偶者／扶養親族 on a 1366×768 screen (the screen CTest gives this class; run by hand, whatever
// screen the platform has): every page fits the free area with the close button on it.
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QtTest>

#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/withholding_family/window/family_fixture.h"
#include "widgets/message_service.h"
#include "withholding/family_dialog.h"

namespace keiro::withholding {

class FamilyScreenFitTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrderOnEveryPage() {
        WithholdingRecord record = testing::familyRecord();
        WithholdingSupplement supplement = testing::familySupplement();
        ui::ScriptedMessageService messages;
        FamilyDialog dialog(record, supplement, 2025, QStringLiteral("山田　太郎"), messages);
        KEIRO_VERIFY_TAB_ORDER(dialog);
    }

    void everyPageFitsASmallLaptopScreen() {
        if (qEnvironmentVariable("QT_QPA_PLATFORM").contains("screen_1366x768"))
            QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1366, 768));
        WithholdingRecord record = testing::familyRecord();
        WithholdingSupplement supplement = testing::familySupplement();
        ui::ScriptedMessageService messages;
        FamilyDialog dialog(record, supplement, 2025, QStringLiteral("山田　太郎"), messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect available = dialog.screen()->availableGeometry();
        auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("pcFamily"));
        auto* close = dialog.findChild<QPushButton*>(QStringLiteral("btClose"));
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QVERIFY2(available.contains(dialog.frameGeometry()), qPrintable(pages->tabText(page)));
            const QRect button(close->mapToGlobal(QPoint(0, 0)), close->size());
            QVERIFY(available.contains(button));
            QVERIFY(!close->visibleRegion().isEmpty());
        }
    }
};

KEIRO_QTEST(FamilyScreenFitTest);

}  // namespace keiro::withholding

#include "family_screen_fit_test.moc"
