// Pictures of 配偶者／扶養親族 and 会社情報の設定 filled with sample data, for a person to look
// at; written only when KEIRO_FAMILY_SHOTS names a folder (run under a real display server for
// the real window frame and fonts).
#include <QCheckBox>
#include <QMenu>
#include <QTabWidget>
#include <QtTest>

#include "tests/support/qt_test_main.h"
#include "tests/withholding_family/window/family_fixture.h"
#include "widgets/message_service.h"
#include "withholding/company_info_dialog.h"
#include "withholding/family_dialog.h"

namespace keiro::withholding {

class DialogScreenshots : public QObject {
    Q_OBJECT
  private slots:
    void familyAndCompany() {
        const QString shots = qEnvironmentVariable("KEIRO_FAMILY_SHOTS");
        if (shots.isEmpty()) QSKIP("KEIRO_FAMILY_SHOTS names no folder");
        ui::ScriptedMessageService messages;

        WithholdingRecord record = testing::familyRecord();
        WithholdingSupplement supplement = testing::familySupplement();
        FamilyDialog family(record, supplement, 2025, QStringLiteral("山田　太郎"), messages);
        family.show();
        QVERIFY(QTest::qWaitForWindowExposed(&family));
        QVERIFY(family.grab().save(shots + QStringLiteral("/family.png")));
        family.findChild<QCheckBox*>(QStringLiteral("cbHide"))->click();
        QVERIFY(family.grab().save(shots + QStringLiteral("/family-hidden.png")));
        auto* pages = family.findChild<QTabWidget*>(QStringLiteral("pcFamily"));
        pages->setCurrentIndex(1);
        QVERIFY(family.grab().save(shots + QStringLiteral("/family-more.png")));
        pages->setCurrentIndex(2);
        QVERIFY(family.grab().save(shots + QStringLiteral("/family-specific.png")));
        pages->setCurrentIndex(0);
        auto* erase = family.findChild<QMenu*>(QStringLiteral("mnErase"));
        erase->popup(family.mapToGlobal(QPoint(40, 40)));
        QTest::qWait(300);
        QVERIFY(erase->grab().save(shots + QStringLiteral("/family-erase-menu.png")));
        erase->hide();
        family.close();

        WithholdingHeader header{};
        header.address1.assign("東京都千代田区丸の内１－１－１");
        header.address2.assign("丸の内ビル３階");
        header.phone.assign("03-1234-5678");
        CompanyInfoDialog dialog(header, QStringLiteral("株式会社サンプル商事"), messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(shots + QStringLiteral("/corp-info.png")));
    }
};

KEIRO_QTEST(DialogScreenshots);

}  // namespace keiro::withholding

#include "dialog_screenshots_test.moc"
