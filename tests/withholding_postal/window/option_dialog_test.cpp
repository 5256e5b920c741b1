// 動作環境設定: the settings and their controls, the data date, and importing a local list.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/fileio.h"
#include "core/ini.h"
#include "tests/support/qt_test_main.h"
#include "tests/support/tab_chain.h"
#include "tests/withholding_postal/postal_fixture.h"
#include "withholding/option_dialog.h"
#include "withholding/postal/postal_file.h"

namespace keiro::withholding {

using testing_support::TempFolder;

class OptionDialogTest : public QObject {
    Q_OBJECT

    template <typename T>
    static T* control(QWidget& dialog, const char* name) {
        T* found = dialog.findChild<T*>(QString::fromUtf8(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }

  private slots:
    void tabFollowsReadingOrder() {
        TempFolder folder("keiro-option");
        IniFile ini(folder / "Keiro.ini");
        ui::ScriptedMessageService messages;
        ui::ScriptedFileDialogs files;
        OptionDialog dialog(ini, folder.path(), messages, files);
        KEIRO_VERIFY_TAB_ORDER(dialog);
    }

    void showsTheSettingsAndOkWritesThem() {
        TempFolder folder("keiro-option");
        IniFile ini(folder / "Keiro.ini");
        ini.apply(IniChanges()
                      .set("Option", "Syubetu", "賞与")
                      .setBool("Option", "InputOverN", false)
                      .setInt("Option", "YubinDat", 2)
                      .setInt("Option", "PrAdjustH", 12));
        ui::ScriptedMessageService messages;
        ui::ScriptedFileDialogs files;
        OptionDialog dialog(ini, folder.path(), messages, files);
        QCOMPARE(dialog.options().documentKind, std::string("賞与"));
        QCOMPARE(dialog.options().printOffsetXTenths, 12);
        dialog.show();

        QCOMPARE(control<QLineEdit>(dialog, "edSyubetu")->text(), QString("賞与"));
        QVERIFY(!control<QCheckBox>(dialog, "cbInpOverN")->isChecked());
        QVERIFY(control<QCheckBox>(dialog, "cbAutoSel")->isChecked());
        QVERIFY(control<QCheckBox>(dialog, "cbHasuuCut")->isChecked());
        QVERIFY(!control<QCheckBox>(dialog, "cbAtokDic")->isEnabled());
        // No YubinNo.dat: the data-file method cannot be chosen, but the setting is kept.
        QCOMPARE(control<QLabel>(dialog, "lbYubinDat")->text(), QString("(郵便番号データ無し)"));
        QVERIFY(!control<QCheckBox>(dialog, "cbYubinDat")->isEnabled());
        QVERIFY(control<QCheckBox>(dialog, "cbYubinDat")->isChecked());

        // キャンセル keeps everything as it was, in memory and on disk.
        control<QLineEdit>(dialog, "edSyubetu")->setText("変えた");
        control<QCheckBox>(dialog, "cbPrnLine")->setChecked(false);
        control<QPushButton>(dialog, "btCancel")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.options().documentKind, std::string("賞与"));
        QVERIFY(dialog.options().printLine);
        dialog.show();  // showing again shows the settings, not what was typed before
        QCOMPARE(control<QLineEdit>(dialog, "edSyubetu")->text(), QString("賞与"));
        QVERIFY(control<QCheckBox>(dialog, "cbPrnLine")->isChecked());

        control<QLineEdit>(dialog, "edSyubetu")->setText("　給与および賞与の支払い ");
        control<QCheckBox>(dialog, "cbPrnLine")->setChecked(false);
        control<QCheckBox>(dialog, "cbHasuuCut")->setChecked(false);
        control<QPushButton>(dialog, "btSysSave")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(messages.shown().empty());
        QCOMPARE(dialog.options().documentKind, std::string("給与および賞"));
        QVERIFY(!dialog.options().roundTaxTo100);
        IniFile written(folder / "Keiro.ini");
        QCOMPARE(written.readString("Option", "Syubetu"), std::string("給与および賞"));
        QCOMPARE(written.readInt("Option", "PrintLine", 9), 0);
        QCOMPARE(written.readInt("Option", "HasuuCut", 9), 0);
        QCOMPARE(written.readInt("Option", "InputOverN", 9), 0);
        QCOMPARE(written.readInt("Option", "YubinDat", 9), 2);
        QCOMPARE(written.readInt("Option", "PrAdjustH", 9), 12);
    }

    void unstorableSlipKindKeepsTheDialogOpen() {
        TempFolder folder("keiro-option");
        IniFile ini(folder / "Keiro.ini");
        ui::ScriptedMessageService messages;
        ui::ScriptedFileDialogs files;
        OptionDialog dialog(ini, folder.path(), messages, files);
        dialog.show();
        control<QLineEdit>(dialog, "edSyubetu")->setText("給与😀");
        control<QPushButton>(dialog, "btSysSave")->click();
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown().front().kind, ui::MessageKind::Error);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.options().documentKind, std::string("給与･賞与"));
    }

    void lookupMethodsExcludeEachOtherAndTheDateIsShown() {
        TempFolder folder("keiro-option");
        writeFileAtomic(postalFilePath(folder), "1000001 x\r\n");
        const QDateTime date(QDate(2026, 11, 3), QTime(10, 0));
        QFile file(QString::fromStdString(postalFilePath(folder).string()));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(date, QFileDevice::FileModificationTime));
        file.close();
        IniFile ini(folder / "Keiro.ini");
        ui::ScriptedMessageService messages;
        ui::ScriptedFileDialogs files;
        OptionDialog dialog(ini, folder.path(), messages, files);
        dialog.show();
        QCOMPARE(control<QLabel>(dialog, "lbYubinDat")->text(), QString("(2026年11月3日データ)"));
        auto* dictionary = control<QCheckBox>(dialog, "cbAtokDic");
        auto* dataFile = control<QCheckBox>(dialog, "cbYubinDat");
        QVERIFY(dataFile->isEnabled());
        dictionary->setChecked(true);  // (a stored setting from another installation)
        dataFile->click();
        QVERIFY(dataFile->isChecked() && !dictionary->isChecked());
        dictionary->setChecked(true);
        QVERIFY(!dataFile->isChecked());
        dictionary->setChecked(false);
        control<QPushButton>(dialog, "btSysSave")->click();
        QCOMPARE(dialog.options().addressLookup, AddressLookup::None);
    }

    void localListIsImportedOnlyWhenItChecksOut() {
        TempFolder folder("keiro-option");
        IniFile ini(folder / "Keiro.ini");
        writeFileAtomic(folder / "KEN_ALL.CSV", testing_support::sampleKenAll());
        writeFileAtomic(
            folder / "bad.zip",
            testing_support::makeZip({{"KEN_ALL.CSV", testing_support::kenAll({"1,2,3\r\n"})}}));
        ui::ScriptedMessageService messages;
        ui::ScriptedFileDialogs files;
        OptionDialog dialog(ini, folder.path(), messages, files);
        dialog.show();
        auto* import = control<QPushButton>(dialog, "btYubinImport");

        import->click();  // cancelled: nothing happens
        QVERIFY(messages.shown().empty());
        QVERIFY(!std::filesystem::exists(postalFilePath(folder)));

        files.answerNext(QString::fromStdString((folder / "KEN_ALL.CSV").string()));
        import->click();
        QCOMPARE(messages.lastText(), QString("郵便番号データを更新しました。（5件）"));
        QCOMPARE(lookupAddress(postalFilePath(folder), "0600042"),
                 std::optional<std::string>("北海道札幌市中央区大通西"));
        QVERIFY(control<QCheckBox>(dialog, "cbYubinDat")->isEnabled());
        QVERIFY(control<QLabel>(dialog, "lbYubinDat")->text().endsWith("日データ)"));

        const std::string before = readFile(postalFilePath(folder));
        files.answerNext(QString::fromStdString((folder / "bad.zip").string()));
        import->click();
        QCOMPARE(messages.shown().back().kind, ui::MessageKind::Warning);
        QCOMPARE(messages.lastText(),
                 QString("郵便番号データが正しくないため、取り込みませんでした。\n"
                         "1行目: 項目が足りません。"));
        files.answerNext(QString::fromStdString((folder / "missing.csv").string()));
        import->click();
        QCOMPARE(messages.shown().back().kind, ui::MessageKind::Error);
        QCOMPARE(readFile(postalFilePath(folder)), before);
    }
};

KEIRO_QTEST(OptionDialogTest);

}  // namespace keiro::withholding

#include "option_dialog_test.moc"
