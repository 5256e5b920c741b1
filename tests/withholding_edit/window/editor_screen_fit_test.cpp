// Both employee editors on a 1366×768 screen (the screen CTest gives this class; run by hand,
// whatever screen the platform has): the window fits the free area with every button on it,
// and the boxes scroll to the one with the focus.
#include <QScreen>
#include <QScrollArea>

#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/withholding_edit/window/editor_fixture.h"
#include "withholding/previous_employers_dialog.h"

namespace keiro::withholding {

using testing::box;
using testing::control;
using testing::EditorFixture;

class EditorScreenFitTest : public QObject {
    Q_OBJECT

    static QRect onScreen(const QWidget& widget) {
        return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
    }

  private slots:
    void tabFollowsReadingOrderInBothEditors() {
        for (int year : {2026, 2015}) {
            EditorFixture fixture(year);
            auto editor = fixture.editor(1);
            KEIRO_VERIFY_TAB_ORDER(*editor);
            editor->reject();
        }
        EditorFixture fixture(2026);
        PreviousEmployer employers[2]{};
        PreviousEmployersDialog previous(employers, {kEraNew, "令和", 8}, fixture.messages, {});
        KEIRO_VERIFY_TAB_ORDER(previous);
    }

    void theButtonsLieOnTheScreenAndTheFocusedBoxIsScrolledIntoView() {
        if (qEnvironmentVariable("QT_QPA_PLATFORM").contains("screen_1366x768"))
            QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1366, 768));
        for (int year : {2026, 2015}) {
            EditorFixture fixture(year);
            auto editor = fixture.editor(1);
            editor->show();
            QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
            const QRect available = editor->screen()->availableGeometry();
            QVERIFY(available.contains(editor->frameGeometry()));
            for (const char* name : {"sbBackData", "sbNextData", "btAutoCalc", "sbManual",
                                     "sbCalculator", "btFamily", "btZensyoku", "btCancel"}) {
                const auto* button = control<QPushButton>(*editor, name);
                if (button->isHidden()) continue;  // 配偶者/扶養親族 only in the later format
                QVERIFY2(available.contains(onScreen(*button)), name);
                QVERIFY2(!button->visibleRegion().isEmpty(), name);
            }

            // A box of the bottom row comes into view when it gets the focus.
            QLineEdit* last = box(*editor, "edKyojuY1");
            const auto* body = control<QScrollArea>(*editor, "pnBody");
            last->setFocus();
            QTRY_VERIFY(body->viewport()->rect().contains(
                QRect(last->mapTo(body->viewport(), QPoint(0, 0)), last->size())));
            editor->reject();
        }
    }
};

KEIRO_QTEST(EditorScreenFitTest);

}  // namespace keiro::withholding

#include "editor_screen_fit_test.moc"
