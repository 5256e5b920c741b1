// 会社情報の設定: what Ｏ Ｋ stores, what キャンセル keeps, and the keys of its boxes.
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <cstring>

#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/withholding_family/window/family_fixture.h"
#include "widgets/message_service.h"
#include "withholding/company_info_dialog.h"

namespace keiro::withholding {

using testing::box;

namespace {

WithholdingHeader sampleHeader() {
    WithholdingHeader header{};
    header.address1.assign("東京都千代田区丸の内１－１－１");
    header.address2.assign("丸の内ビル３階");
    header.phone.assign("03-1234-5678");
    return header;
}

}  // namespace

class CompanyInfoDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void tabFollowsReadingOrder() {
        WithholdingHeader header = sampleHeader();
        ui::ScriptedMessageService messages;
        CompanyInfoDialog dialog(header, QStringLiteral("株式会社サンプル"), messages);
        KEIRO_VERIFY_TAB_ORDER(dialog);
    }

    void okStoresTrimmedTextsWithinTheirBytes() {
        WithholdingHeader header = sampleHeader();
        ui::ScriptedMessageService messages;
        CompanyInfoDialog dialog(header, QStringLiteral("株式会社サンプル"), messages);
        QCOMPARE(dialog.findChild<QLabel*>("pnSyamei")->text(), QString("株式会社サンプル"));
        QCOMPARE(box(&dialog, "edJusyo1")->text(), QString("東京都千代田区丸の内１－１－１"));
        QCOMPARE(box(&dialog, "edTelNo")->text(), QString("03-1234-5678"));

        // Typed: 44 characters at most, and no more than the field's 64 bytes.
        QLineEdit* address2 = box(&dialog, "edJusyo2");
        address2->clear();
        QInputMethodEvent typed;
        typed.setCommitString(QString(40, QChar(u'東')));
        QCoreApplication::sendEvent(address2, &typed);
        QCOMPARE(address2->text(), QString(32, QChar(u'東')));
        // Set by other means, the text is kept within the field too; the blanks around it are
        // not stored.
        box(&dialog, "edJusyo1")->setText(QStringLiteral("　 A") + QString(40, QChar(u'西')));
        QLineEdit* phone = box(&dialog, "edTelNo");
        phone->clear();
        QTest::keyClicks(phone, " 06-9876-5432 ");
        QCOMPARE(phone->text().size(), CompanyInfoDialog::kPhoneCharacters);

        dialog.findChild<QPushButton*>("bbOk")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(header.address1.utf8(),
                 "A" + std::string(QString(30, QChar(u'西')).toStdString()));
        QCOMPARE(header.address2.bytes().size(), std::size_t{64});
        QCOMPARE(header.phone.utf8(), std::string("06-9876-5432"));
        QVERIFY(messages.shown().empty());
    }

    void cancelKeepsTheHeader() {
        WithholdingHeader header = sampleHeader();
        const WithholdingHeader before = header;
        ui::ScriptedMessageService messages;
        CompanyInfoDialog dialog(header, QString(), messages);
        box(&dialog, "edJusyo1")->setText(QStringLiteral("大阪府"));
        box(&dialog, "edTelNo")->clear();
        dialog.findChild<QPushButton*>("bbCancel")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(std::memcmp(&header, &before, sizeof header) == 0);
    }

    void enterMovesOnAndCtrlDeleteEmpties() {
        WithholdingHeader header = sampleHeader();
        ui::ScriptedMessageService messages;
        CompanyInfoDialog dialog(header, QString(), messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit* address1 = box(&dialog, "edJusyo1");
        address1->setFocus();
        QTest::keyClick(address1, Qt::Key_Return);
        QTRY_VERIFY(box(&dialog, "edJusyo2")->hasFocus());
        QVERIFY(dialog.isVisible());  // Enter is no Ｏ Ｋ
        QTest::keyClick(box(&dialog, "edJusyo2"), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(box(&dialog, "edJusyo2")->text(), QString());
    }
};

KEIRO_QTEST(CompanyInfoDialogTest);

}  // namespace keiro::withholding

#include "company_info_dialog_test.moc"
