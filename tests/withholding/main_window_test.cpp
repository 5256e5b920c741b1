// The withholding-slip program's main window on the sample company's 2026: the check list's
// colours and sorting, the check marks, the seams for the editor and printing, and the
// question about unsaved changes when closing.
#include <QAction>
#include <QHeaderView>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "core/fileio.h"
#include "tests/support/qt_test_main.h"
#include "tests/withholding/lg_fixture.h"

namespace keiro::withholding {

namespace fs = std::filesystem;
using testing::LgFixture;
using ui::Answer;

namespace {

std::vector<int> sorted(std::vector<int> v) {
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<int> listedSlots(const LgFixture& lg) {
    std::vector<int> slots_;
    for (int row = 0; row < lg.list()->count(); ++row) {
        slots_.push_back(lg.list()->item(row)->text().mid(1, 3).toInt());
    }
    return slots_;
}

QAction* menu(const LgFixture& lg, const char* name) {
    return lg.window->findChild<QAction*>(name);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void peopleNotAtWorkAreSilverWhileRetiredPeopleAreListed() {
        LgFixture lg;
        lg.setDecemberByte(3, offsetof(EmployeeRecord, workStatus), 3);  // 退職
        lg.setDecemberByte(4, offsetof(EmployeeRecord, workStatus), 2);  // 休職
        QVERIFY(lg.start());
        const QColor silver(0xC0, 0xC0, 0xC0);
        QCOMPARE(lg.list()->count(), 10);
        QCOMPARE(lg.list()->item(lg.rowOf(3))->foreground().color(), silver);
        QCOMPARE(lg.list()->item(lg.rowOf(4))->foreground().color(), silver);
        QVERIFY(lg.list()->item(lg.rowOf(1))->foreground().color() != silver);
        QCOMPARE(lg.list()->item(1)->background().color(), QColor(0xDD, 0xEE, 0xFF));
        QCOMPARE(lg.list()->item(2)->background().color(), QColor(Qt::white));

        // The hidden menu item leaves the retired out; then nobody is told apart.
        QAction* retired = menu(lg, "mnTaisyoku");
        QVERIFY(!retired->isVisible());
        retired->trigger();
        QCOMPARE(lg.list()->count(), 9);
        QCOMPARE(lg.rowOf(3), -1);
        QVERIFY(lg.list()->item(lg.rowOf(4))->foreground().color() != silver);
    }

    void sortingKeepsTheChecksAndOnlySortingSectionsInvite() {
        LgFixture lg;
        QVERIFY(lg.start());
        QVERIFY(lg.window->checkedSlots().empty());  // nobody adjusted yet
        for (int slot : {2, 5, 9}) lg.list()->item(lg.rowOf(slot))->setCheckState(Qt::Checked);
        lg.list()->setCurrentRow(lg.rowOf(5));

        auto* header = lg.window->findChild<QHeaderView*>("HeadCtrl");
        const std::vector<int> byNumber = listedSlots(lg);
        header->sectionClicked(1);  // 氏名
        const std::vector<int> byName = listedSlots(lg);
        QVERIFY(byName != byNumber);
        QCOMPARE(sorted(byName), byNumber);
        QCOMPARE(sorted(lg.window->checkedSlots()), (std::vector<int>{2, 5, 9}));
        QCOMPARE(lg.window->selectedSlot(), 5);

        header->sectionClicked(5);  // 源泉税計算 does not sort
        QCOMPARE(listedSlots(lg), byName);
        header->sectionClicked(0);
        QCOMPARE(listedSlots(lg), byNumber);
        QCOMPARE(lg.window->checkedSlots(), (std::vector<int>{2, 5, 9}));

        const QString hint("クリックすると並び替え");
        for (int section = 0; section < 5; ++section) {
            QCOMPARE(
                header->model()->headerData(section, Qt::Horizontal, Qt::ToolTipRole).toString(),
                hint);
        }
        QVERIFY(header->model()->headerData(5, Qt::Horizontal, Qt::ToolTipRole).isNull());
        const auto cursorOver = [header](int section) {
            QTest::mouseMove(
                header->viewport(),
                QPoint(header->sectionViewportPosition(section) + 4, header->height() / 2));
            return header->viewport()->cursor().shape();
        };
        QCOMPARE(cursorOver(2), Qt::PointingHandCursor);
        QCOMPARE(cursorOver(5), Qt::ArrowCursor);
        QCOMPARE(cursorOver(0), Qt::PointingHandCursor);
    }

    void checkMarksAlternateAndTheEditorSeamRebuildsTheList() {
        LgFixture lg;
        QVERIFY(lg.start());
        QAction* toggle = menu(lg, "mnAllOnOffP");
        QCOMPARE(toggle->text(), QString("全てのチェックを解除"));
        QVERIFY(!menu(lg, "mnDataInput")->isEnabled());

        // The editor marks its employee adjusted (slot 3) or 乙欄, outside the adjustment
        // (slot 6).
        lg.window->setEditor([&lg](int slot, bool currentFormat) {
            QVERIFY(currentFormat);
            lg.window->file().record(slot).adjustStatus = slot == 6 ? kNotAdjusted : kCalculated;
            if (slot == 6) lg.window->file().record(slot).flags.secondaryColumn = 1;
        });
        QVERIFY(menu(lg, "mnDataInput")->isEnabled());
        QVERIFY(lg.window->findChild<QPushButton*>("btDataInput")->isEnabled());
        for (int slot : {3, 6}) {
            lg.list()->setCurrentRow(lg.rowOf(slot));
            lg.window->editSelectedEmployee();
        }
        QCOMPARE(lg.window->selectedSlot(), 6);
        QVERIFY(lg.list()->item(lg.rowOf(3))->text().contains("済み"));
        QVERIFY(lg.list()->item(lg.rowOf(6))->text().contains("対象外"));
        // The processed lines are checked: their documents are ready.
        QCOMPARE(sorted(lg.window->checkedSlots()), (std::vector<int>{3, 6}));

        toggle->trigger();
        QVERIFY(lg.window->checkedSlots().empty());
        QCOMPARE(toggle->text(), QString("対象社員をチェック"));
        toggle->trigger();
        QCOMPARE(sorted(lg.window->checkedSlots()), (std::vector<int>{3, 6}));
        QCOMPARE(toggle->text(), QString("全てのチェックを解除"));

        lg.list()->clearSelection();
        lg.window->editSelectedEmployee();
        QCOMPARE(lg.messages.lastText(), QString("処理の対象者が選択されていません。"));
    }

    void printingRefusesAnEmptyChoiceAndHandsOverTheCheckedSlots() {
        LgFixture lg;
        QVERIFY(lg.start());
        std::vector<std::tuple<int, bool, std::vector<int>>> printed;
        lg.window->setPrinter([&printed](int tag, bool current, std::vector<int> checked) {
            printed.emplace_back(tag, current, std::move(checked));
        });
        lg.window->findChild<QPushButton*>("sbGensen")->click();
        QCOMPARE(lg.messages.lastText(),
                 QString("印刷対象者が選択されていません。\n"
                         "(No欄のチェックボックスをチェックして選択します)"));
        QVERIFY(printed.empty());

        for (int slot : {7, 1}) lg.list()->item(lg.rowOf(slot))->setCheckState(Qt::Checked);
        lg.window->findChild<QPushButton*>("sbPrnSiharai")->click();
        menu(lg, "mnKanpukin")->trigger();
        QCOMPARE(printed.size(), std::size_t{2});
        QCOMPARE(printed[0], std::make_tuple(599, true, std::vector<int>{1, 7}));
        QCOMPARE(std::get<0>(printed[1]), 299);
    }

    void closingAsksAboutUnsavedChangesYesNoCancel() {
        LgFixture lg;
        QVERIFY(lg.start());  // the file is new: not on disk yet
        lg.messages.answerNext(Answer::Cancel);
        QVERIFY(!lg.window->close());
        QVERIFY(lg.window->isVisible());
        QCOMPARE(lg.messages.lastText(), QString("データが変更されています。保存しますか？"));
        QVERIFY(!fs::exists(lg.withholdingFile()));
        QVERIFY(!IniFile(lg.files.places.iniFile).hasKey("Window", "MainFormSX"));

        lg.messages.clear();
        lg.messages.answerNext(Answer::Yes);
        QVERIFY(lg.window->close());
        QCOMPARE(lg.messages.shown().size(), std::size_t{1});  // saved, then nothing differs
        QVERIFY(fs::exists(lg.withholdingFile()));
        QVERIFY(!lg.window->file().differsFrom(lg.withholdingFile()));
        const IniFile ini(lg.files.places.iniFile);
        QCOMPARE(ini.readInt("Window", "MainFormSX", 0), lg.window->width());
        QCOMPARE(ini.readInt("Window", "MainFormSY", 0), lg.window->height());
        QVERIFY(ini.readBool("Option", "PreViewBtn", false));

        LgFixture no;
        QVERIFY(no.start());
        no.messages.answerNext(Answer::No);
        QVERIFY(no.window->close());
        QVERIFY(!fs::exists(no.withholdingFile()));
        QVERIFY(IniFile(no.files.places.iniFile).hasKey("Window", "MainFormPX"));
    }

    void savedDataClosesQuietlyButAFileDeletedMeanwhileCountsAsChanged() {
        LgFixture lg;
        QVERIFY(lg.start());
        lg.window->findChild<QPushButton*>("sbWrite")->click();
        QVERIFY(fs::exists(lg.withholdingFile()));
        QVERIFY(lg.messages.shown().empty());  // the notice is no message box
        QVERIFY(lg.window->close());
        QVERIFY(lg.messages.shown().empty());

        LgFixture again;  // a second start reads the saved file; then somebody deletes it
        QVERIFY(again.start());
        menu(again, "mnSaveFile")->trigger();
        fs::remove(again.withholdingFile());
        again.messages.answerNext(Answer::No);
        QVERIFY(again.window->close());
        QCOMPARE(again.messages.lastText(), QString("データが変更されています。保存しますか？"));
    }

    void aFailedSaveIsReportedAndTheQuestionComesBack() {
        LgFixture lg;
        QVERIFY(lg.start());
        fs::create_directory(lg.withholdingFile());  // in the way of the file
        lg.messages.answerNext(Answer::Yes);
        lg.messages.answerNext(Answer::Cancel);
        QVERIFY(!lg.window->close());
        QCOMPARE(lg.messages.shown().size(), std::size_t{3});
        QCOMPARE(lg.messages.shown()[1].kind, ui::MessageKind::Error);
        QCOMPARE(lg.messages.lastText(), QString("データが変更されています。保存しますか？"));
        QVERIFY(fs::is_directory(lg.withholdingFile()));
        QVERIFY(lg.window->isVisible());
    }

    void manualOpensTheLocalCopyUnlessAnAddressIsSet() {
        LgFixture lg;
        QVERIFY(lg.start());
        QList<QUrl> opened;
        lg.window->setOpenUrl([&opened](const QUrl& url) {
            opened.append(url);
            return true;
        });
        menu(lg, "sbManual")->trigger();
        QCOMPARE(opened,
                 QList<QUrl>{QUrl::fromLocalFile(KEIRO_BINARY_DIR "/bin/manual/index.html")});

        lg.settings.manualUrl = "keiro.example/manual";  // the office's address, but unusable
        menu(lg, "sbManual")->trigger();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(lg.messages.lastText(), QString("インターネットに接続できません。"));
    }
};

KEIRO_QTEST(MainWindowTest);

}  // namespace keiro::withholding

#include "main_window_test.moc"
