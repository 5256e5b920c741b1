// The main window's commands: every button of the tool tray runs one, through the command
// runner, so that a failure nobody expected is shown and the clerk keeps the window and the
// open period; and the question the reports that read the saved file ask first.
#include <QApplication>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>
#include <map>
#include <memory>
#include <stdexcept>

#include "payroll/main_window.h"
#include "payroll/open_period_context.h"
#include "payroll/social_list_window.h"
#include "payroll/tool_tray.h"
#include "tests/support/demo_company.h"
#include "tests/support/qt_test_main.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

// A picture of the tray ("imPrint") that drops down its panel ("pnPrint").
bool opensPanel(ToolTray& tray, const QString& name) {
    return name.startsWith(QStringLiteral("im")) &&
           tray.panel(QStringLiteral("pn") + name.mid(2)) != nullptr;
}

// Messages whose closing question cannot be asked: as if a message box failed.
class FailingConfirmation : public ui::ScriptedMessageService {
  public:
    bool confirm(QWidget*, const QString&, bool) override {
        throw std::runtime_error("確認できません");
    }
};

// The sample company's November salary in a shown main window over `messages`.
struct Office : testing_support::DemoCompany {
    std::unique_ptr<MainWindow> window;

    // Messages go to `shownBy`, or to the scripted `messages` when none is given.
    explicit Office(ui::MessageService* shownBy = nullptr) : DemoCompany(11) {
        MainContext context{places,         *ini,
                            state.settings, tables,
                            state.eraNames, shownBy != nullptr ? *shownBy : messages,
                            dialogs,        2026};
        window = std::make_unique<MainWindow>(context, year);
        window->show();
        window->showPeriod();
    }
};

bool startsWithUnexpected(const QString& text) {
    return text.startsWith(QString::fromUtf8(ui::kMsgUnexpectedError));
}

// A context over `year` that only closes panels (counted) and compares the
// period as `modified` says.
OpenPeriodContext contextOf(YearData& year, const MainContext& program, const PrintTables& layout,
                            int& panelsClosed, std::optional<bool> modified) {
    return OpenPeriodContext{nullptr,
                             program,
                             year,
                             layout,
                             [&panelsClosed] { ++panelsClosed; },
                             [] { return true; },
                             [modified] { return modified; },
                             [] { return true; },
                             [] {},
                             [](int) {},
                             [] { return 0; },
                             [] {},
                             nullptr,
                             nullptr};
}

}  // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    // F1 opens the page of the window in front: a social-insurance list, its grade window.
    void f1OpensThePageOfTheWindowInFront() {
        Office office;
        QUrl opened;
        office.window->setOpenUrl([&](const QUrl& url) {
            opened = url;
            return true;
        });
        SocialListWindow list(office.window.get(), office.messages, print::TextTable{},
                              QStringLiteral("TfmGetsuhen"));
        list.show();
        QTest::keyClick(list.findChild<QTableWidget*>("sgList"), Qt::Key_F1);
        QCOMPARE(opened.fileName(), QStringLiteral("social-insurance.html"));
        QTest::keyClick(office.window.get(), Qt::Key_F1);
        QCOMPARE(opened.fileName(), QStringLiteral("monthly-pay.html"));
    }

    // Each button of the tray runs exactly one command; only the pictures that open a panel
    // have nothing of their own to run.  A button added to the tray without its row would do
    // nothing at all when clicked.
    void everyTrayButtonHasOneCommand() {
        Office office;
        ToolTray* tray = office.window->toolTray();
        std::map<QString, int> rows;
        for (const MainWindow::Command& command : office.window->commands()) {
            ++rows[QString::fromLatin1(command.name)];
            QVERIFY2(tray->button(QString::fromLatin1(command.name)) != nullptr, command.name);
            QVERIFY2(static_cast<bool>(command.run) !=
                         opensPanel(*tray, QString::fromLatin1(command.name)),
                     command.name);
        }
        int buttons = 0;
        for (QToolButton* button : office.window->findChildren<QToolButton*>()) {
            const QString name = button->objectName();
            if (tray->button(name) != button) continue;  // not one of the tray's
            ++buttons;
            if (opensPanel(*tray, name)) continue;
            QVERIFY2(rows[name] == 1, qPrintable(name));
        }
        QCOMPARE(buttons, 30);  // 7 pictures, 23 panel buttons
    }

    // A failure escaping a command is shown with what it says; the window stays with the
    // period open as it was.
    void aFailureInACommandIsShownAndTheWindowStays() {
        Office office;
        const QString title = office.window->windowTitle();
        office.window->setChoosePeriod(
            []() -> PeriodChoice { throw std::runtime_error("期間を選べません"); });
        office.window->toolTray()->button("imReturn")->click();
        QCOMPARE(office.messages.shown().size(), std::size_t{1});
        QCOMPARE(office.messages.shown()[0].kind, ui::MessageKind::Error);
        QVERIFY(startsWithUnexpected(office.messages.lastText()));
        QVERIFY(office.messages.lastText().endsWith(QStringLiteral("期間を選べません")));
        QVERIFY(office.window->isVisible());
        QCOMPARE(office.window->windowTitle(), title);
        QCOMPARE(office.year.period(), 11);
        QVERIFY(office.window->toolTray()->button("imFileSave")->isEnabled());
    }

    // The window's close box goes through the same safety net: a closing question that fails
    // keeps the window open instead of ending the program with the period in it.
    void aFailingClosingQuestionKeepsTheWindowOpen() {
        FailingConfirmation messages;
        Office office(&messages);
        QVERIFY(!office.window->close());
        QVERIFY(office.window->isVisible());
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QVERIFY(startsWithUnexpected(messages.lastText()));
        office.window->abandonStartup();  // the test ends without questions
        QVERIFY(office.window->close());
    }

    // The ledger, the tax payment figures and the yearly lists read the saved periods: when
    // the open one differs from the file, the clerk is told and may stop.
    void reportsOnTheSavedFileAskOnlyWhenThePeriodDiffers() {
        testing_support::DemoCompany demo(11);
        const MainContext program{
            demo.places,         *demo.ini,     demo.state.settings, demo.tables,
            demo.state.eraNames, demo.messages, demo.dialogs,        2026};
        const PrintTables layout{};
        int panelsClosed = 0;
        const QString question =
            QStringLiteral("変更内容を保存しないと社員別給与台帳に反映されません。");

        QVERIFY(contextOf(demo.year, program, layout, panelsClosed, false)
                    .mayReadSavedFile("社員別給与台帳"));
        QVERIFY(demo.messages.shown().empty());
        QCOMPARE(panelsClosed, 1);

        const OpenPeriodContext changed = contextOf(demo.year, program, layout, panelsClosed, true);
        QVERIFY(changed.mayReadSavedFile("社員別給与台帳"));  // OK
        QCOMPARE(demo.messages.lastText(), question);
        demo.messages.answerNext(ui::Answer::Cancel);
        QVERIFY(!changed.mayReadSavedFile("社員別給与台帳"));
        QCOMPARE(demo.messages.shown().size(), std::size_t{2});

        // A period that cannot be compared (the error is shown by the comparison): no report.
        demo.messages.clear();
        QVERIFY(!contextOf(demo.year, program, layout, panelsClosed, std::nullopt)
                     .mayReadSavedFile("社員別給与台帳"));
        QVERIFY(demo.messages.shown().empty());

        // No period open: nothing is compared or asked.
        YearData none;
        QVERIFY(!contextOf(none, program, layout, panelsClosed, true)
                     .mayReadSavedFile("社員別給与台帳"));
        QVERIFY(demo.messages.shown().empty());
        QCOMPARE(panelsClosed, 5);  // each time, before anything else
    }
};

}  // namespace keiro::payroll

using keiro::payroll::MainWindowCommandsTest;
KEIRO_QTEST(MainWindowCommandsTest);

#include "main_window_commands_test.moc"
