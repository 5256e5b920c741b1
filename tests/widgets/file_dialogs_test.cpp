// The Qt open dialog with Japanese file-name patterns, which Qt itself would not read: only
// the files of the chosen filter are listed.
#include "widgets/file_dialogs.h"

#include <QFileDialog>
#include <QTimer>
#include <QTreeView>
#include <fstream>

#include "tests/support/qt_test_main.h"
#include "tests/support/temp_folder.h"

namespace keiro::ui {

class FileDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void patternsAreTheWordsInTheLastParentheses() {
        QCOMPARE(filterPatterns("給与･賞与ﾃﾞｰﾀﾌｧｲﾙ(令和??年給与･賞与.dat) (令和*.dat)"),
                 QStringList{"令和*.dat"});
        QCOMPARE(filterPatterns("CSVﾌｧｲﾙ (*.csv *.txt)"), (QStringList{"*.csv", "*.txt"}));
        QCOMPARE(filterPatterns("*.dat"), QStringList{"*.dat"});
    }

    void theOpenDialogListsOnlyTheFilesOfAJapanesePattern() {
        testing_support::TempFolder folder("keiro-dialog");
        for (const char* name :
             {"令和08年給与･賞与.dat", "平成30年給与･賞与.dat", "システムログ.dat"}) {
            std::ofstream(folder / name) << "x";
        }
        QStringList listed;
        QTimer::singleShot(0, this, [&listed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            auto* view = dialog->findChild<QTreeView*>();
            const auto rows = [view] { return view->model()->rowCount(view->rootIndex()); };
            if (!QTest::qWaitFor([&rows] { return rows() > 0; }, 5000)) {
                dialog->reject();
                return;
            }
            QTest::qWait(200);  // the listing settles
            for (int row = 0; row < rows(); ++row) {
                const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
                if (index.flags() & Qt::ItemIsEnabled) listed << index.data().toString();
            }
            dialog->reject();
        });
        QtFileDialogs dialogs;
        const auto chosen =
            dialogs.openFile(nullptr, "選択", QString::fromStdString(folder.path().string()),
                             "給与･賞与ﾃﾞｰﾀﾌｧｲﾙ(令和??年給与･賞与.dat) (令和*.dat);;"
                             "給与･賞与ﾃﾞｰﾀﾌｧｲﾙ(平成??年給与･賞与.dat) (平成*.dat)");
        QVERIFY(!chosen.has_value());
        QCOMPARE(listed, QStringList{"令和08年給与･賞与.dat"});
    }
};

}  // namespace keiro::ui

using keiro::ui::FileDialogsTest;
KEIRO_QTEST(FileDialogsTest);

#include "file_dialogs_test.moc"
