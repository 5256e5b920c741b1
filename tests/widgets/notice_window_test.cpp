// The notice that closes itself and the version window.
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "tests/support/qt_test_main.h"
#include "widgets/notice_window.h"
#include "widgets/version_window.h"

namespace keiro::ui {

class NoticeAndVersionTest : public QObject {
    Q_OBJECT
  private slots:
    void noticeShowsCentredKeepsTheFocusAndClosesItself() {
        QWidget owner;
        auto* edit = new QLineEdit(&owner);
        (new QVBoxLayout(&owner))->addWidget(edit);
        owner.setGeometry(120, 80, 640, 420);
        owner.show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        edit->setFocus();

        QPointer<NoticeWindow> notice =
            NoticeWindow::showNotice(&owner, QStringLiteral("データファイルに保存しました。"));
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(), QString("データファイルに保存しました。"));
        const QPoint offset = notice->frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2, "the notice is not centred over its owner");
        QVERIFY(edit->hasFocus());

        QTRY_VERIFY_WITH_TIMEOUT(notice.isNull() || !notice->isVisible(),
                                 NoticeWindow::kShowMs + 2000);
    }

    void shortVersionTakesCharactersOneThreeAndFive_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three parts") << "1.0.0"
                                     << "1.00";
        QTest::newRow("four parts") << "2.1.3.0"
                                    << "2.13";
        QTest::newRow("short") << "3"
                               << "3.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void shortVersionTakesCharactersOneThreeAndFive() {
        QFETCH(QString, version);
        QFETCH(QString, expected);
        QCOMPARE(shortVersion(version), expected);
    }

    void versionTextGetsTheLargestSizeThatFits_data() {
        QTest::addColumn<QSize>("area");
        QTest::newRow("the window's area") << VersionWindow::versionArea().size();
        QTest::newRow("narrow") << QSize(60, 30);
        QTest::newRow("low") << QSize(300, 12);
    }
    void versionTextGetsTheLargestSizeThatFits() {
        QFETCH(QSize, area);
        const QString family = QString::fromUtf8(VersionWindow::kFontFamily);
        const int size = versionFontSize(family, area);
        QVERIFY(size >= 1 && size <= VersionWindow::kLargestPointSize);
        const auto fits = [&](int points) {
            const QFontMetrics metrics(QFont(family, points, QFont::Bold));
            return metrics.horizontalAdvance("Version 0.00") <= area.width() &&
                   metrics.height() <= area.height();
        };
        if (size > 1) QVERIFY(fits(size));
        if (size < VersionWindow::kLargestPointSize) QVERIFY(!fits(size + 1));
    }

    void versionWindowShowsTheVersionAndEscapeClosesIt() {
        VersionWindow window(shortVersion("1.0.0"));
        QCOMPARE(window.versionText(), QString("Version 1.00"));
        QCOMPARE(programShortVersion(), shortVersion(KEIRO_VERSION));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!window.grab().isNull());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }
};

}  // namespace keiro::ui

using keiro::ui::NoticeAndVersionTest;
KEIRO_QTEST(NoticeAndVersionTest);

#include "notice_window_test.moc"
