// The password is set in the settings dialog and asked for at start-up: what is stored must be
// the scrambled form, and only the right entry may pass.
#include "widgets/password_windows.h"

#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/fileio.h"
#include "core/ini.h"
#include "core/settings.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

using testing_support::TempFolder;

void typeInto(QLineEdit* box, const QString& text) {
    box->clear();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

void click(QWidget* window, const char* button) {
    QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
}

// Sets the password through the window, answering はい to its question.
void setThroughWindow(IniFile& ini, ScriptedMessageService& messages, const QString& first,
                      const QString& second) {
    NewPasswordDialog window(ini, messages);
    window.show();
    typeInto(window.findChild<QLineEdit*>("edPass1"), first);
    typeInto(window.findChild<QLineEdit*>("edPass2"), second);
    click(&window, "btOK");
}

// Runs the start-up check; `answer` plays the user once the window is up.
bool startupCheck(const IniFile& ini, ScriptedMessageService& messages,
                  std::function<void(PasswordDialog*)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* window = qobject_cast<PasswordDialog*>(modal);
        if (window == nullptr) {
            if (modal != nullptr) modal->close();
            QFAIL("the password window is not up");
        }
        answer(window);
    });
    return PasswordDialog::passwordCheckPassed(nullptr, ini, messages);
}

}  // namespace

class PasswordWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void setPasswordIsStoredScrambledAndAskedAtStartup() {
        TempFolder folder("pass");
        IniFile ini(folder / "Keiro.ini");
        ScriptedMessageService messages;
        setThroughWindow(ini, messages, "abc", "abc");
        QCOMPARE(messages.shown().size(), std::size_t{2});
        QCOMPARE(messages.shown()[0].text, QString("パスワードを設定しますか？"));
        QCOMPARE(messages.shown()[1].text, QString("パスワードを設定しました。"));
        QVERIFY(readFile(folder / "Keiro.ini").find("ListFile=\"QRS\"\r\n") != std::string::npos);

        messages.clear();
        bool stayedOpen = false;
        const bool passed = startupCheck(ini, messages, [&](PasswordDialog* window) {
            auto* box = window->findChild<QLineEdit*>("edPassword");
            QTest::keyClicks(box, "abd");
            QCOMPARE(box->displayText(), QString("***"));
            window->findChild<QCheckBox*>("cbDispChar")->click();
            QCOMPARE(box->displayText(), QString("abd"));
            click(window, "btOK");
            QCOMPARE(messages.lastText(), QString("パスワードが違います"));
            stayedOpen = window->isVisible();
            QTest::keyClicks(box, "abc");  // the wrong entry is selected and typed over
            click(window, "btOK");
        });
        QVERIFY(passed);
        QVERIFY(stayedOpen);
        QCOMPARE(messages.shown().size(), std::size_t{1});
    }

    void cancellingTheQuestionDoesNotPass() {
        TempFolder folder("pass");
        IniFile ini(folder / "Keiro.ini");
        savePassword(ini, "abc");
        ScriptedMessageService messages;
        QVERIFY(!startupCheck(ini, messages,
                              [](PasswordDialog* window) { click(window, "btCancel"); }));
        QVERIFY(messages.shown().empty());
    }

    void differentEntriesAreRefusedAndNothingIsStored() {
        TempFolder folder("pass");
        IniFile ini(folder / "Keiro.ini");
        ScriptedMessageService messages;
        NewPasswordDialog window(ini, messages);
        window.show();
        typeInto(window.findChild<QLineEdit*>("edPass1"), "abc");
        typeInto(window.findChild<QLineEdit*>("edPass2"), "abx");
        click(&window, "btOK");
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown()[0].kind, MessageKind::Error);
        QCOMPARE(messages.lastText(), QString("パスワードの設定入力と確認入力が異なっています。"));
        QVERIFY(window.isVisible());
        QVERIFY(!std::filesystem::exists(folder / "Keiro.ini"));
    }

    void decliningOrUnstorableEntriesKeepTheOldPassword() {
        TempFolder folder("pass");
        IniFile ini(folder / "Keiro.ini");
        savePassword(ini, "abc");
        ScriptedMessageService messages;
        messages.answerNext(Answer::No);
        setThroughWindow(ini, messages, "xyz", "xyz");
        setThroughWindow(ini, messages, "😀", "😀");  // no code page 932 form
        QCOMPARE(messages.shown().back().kind, MessageKind::Error);
        QVERIFY(messages.lastText().startsWith("使用できない文字が含まれています。"));
        QCOMPARE(loadPassword(IniFile(folder / "Keiro.ini")), std::string("abc"));
    }

    void emptyEntryClearsThePasswordAndTheCheckThenPassesSilently() {
        TempFolder folder("pass");
        IniFile ini(folder / "Keiro.ini");
        savePassword(ini, "abc");
        ScriptedMessageService messages;
        setThroughWindow(ini, messages, "", "");
        QCOMPARE(messages.shown().size(), std::size_t{2});
        QCOMPARE(messages.shown()[0].text, QString("パスワード設定を解除しますか？"));
        QCOMPARE(messages.shown()[1].text, QString("パスワード設定を解除しました。"));
        QVERIFY(readFile(folder / "Keiro.ini").find("ListFile=\"\"\r\n") != std::string::npos);

        messages.clear();
        bool windowShown = false;
        QTimer guard;  // closes a window that should not have appeared
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                windowShown = true;
                modal->close();
            }
        });
        guard.start(0);
        QVERIFY(
            PasswordDialog::passwordCheckPassed(nullptr, IniFile(folder / "Keiro.ini"), messages));
        QVERIFY(!windowShown);
        QVERIFY(messages.shown().empty());
    }

    void entriesAreComparedInTheirStoredForm_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        QTest::newRow("same") << "abc"
                              << "abc" << true;
        QTest::newRow("other") << "abc"
                               << "abd" << false;
        QTest::newRow("longer") << "abc"
                                << "abcd" << false;
        QTest::newRow("empty") << "abc"
                               << "" << false;
        QTest::newRow("japanese") << "給与"
                                  << "給与" << true;
        QTest::newRow("wave dash twin") << "a～b"
                                        << "a〜b" << true;
        QTest::newRow("unstorable") << "abc"
                                    << "a😀c" << false;
    }
    void entriesAreComparedInTheirStoredForm() {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, matches);
        QCOMPARE(passwordMatches(stored.toStdString(), typed), matches);
    }
};

}  // namespace keiro::ui

using keiro::ui::PasswordWindowsTest;
KEIRO_QTEST(PasswordWindowsTest);

#include "password_windows_test.moc"
