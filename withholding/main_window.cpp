#include "withholding/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include "core/fileio.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"
#include "widgets/online_manual.h"

namespace keiro::withholding {

namespace {

constexpr int kMinimumHeight = 480;
constexpr int kDesignedHeight = 560;

}  // namespace

MainWindow::MainWindow(MainContext context, QWidget* parent)
    : QMainWindow(parent), context_(context), eraYear_{} {
    setObjectName(QStringLiteral("TfmMain"));
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    manual_ = new ui::OnlineManual(context_.messages, this, context_.places.programFolder);
    // F1: every window of the year-end program opens the year-end page.
    ui::installManualKey(*manual_, {{QStringLiteral("TfmMain"), "year-end"}});

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    column->addLayout(row);
    buildMenus();
    buildButtons(central, row);
    buildList(central, column);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(status_, 1);

    // The lines are fixed-width columns: the window keeps the width they need.
    int width = listHeader_->length() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                2 * employeeList_->frameWidth() + 8;  // the layout's margins
    width += QFontMetrics(employeeList_->font()).horizontalAdvance(QLatin1Char('0'));
    setFixedWidth(width);
    setMinimumHeight(kMinimumHeight);
    resize(width, kDesignedHeight);
    enableCommands();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::command(const char* name, const QString& text, std::function<void()> run) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this,
            [this, run = std::move(run)] { ui::runCommand(this, context_.messages, run); });
    return a;
}

QAction* MainWindow::action(const char* name, const QString& text, void (MainWindow::*handler)()) {
    return command(name, text, [this, handler] { (this->*handler)(); });
}

QAction* MainWindow::printAction(const char* name, const QString& text, int tag) {
    return command(name, text, [this, tag] { printChecked(tag); });
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    QAction* save = command("mnSaveFile", QStringLiteral("データを保存(&S)..."),
                            [this] { saveWithholdingFile(); });
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addAction(save);
    file->addSeparator();
    file->addAction(
        command("mnQuit", QStringLiteral("源泉徴収印刷の終了(&X)"), [this] { close(); }));

    QMenu* work = menuBar()->addMenu(QStringLiteral("処理(&D)"));
    work->addAction(action("mnDataInput", QStringLiteral("源泉徴収データの入力(&I)"),
                           &MainWindow::editSelectedEmployee));
    work->addAction(
        action("mnBatchCalc", QStringLiteral("一括計算(&B)"), &MainWindow::calculateChecked));
    work->addAction(action("mnSettle", QStringLiteral("年調過不足を給与に反映(&P)..."),
                           &MainWindow::settleIntoPayroll));
    work->addAction(
        action("mnAllOnOffP", QStringLiteral("対象社員を選択(&A)"), &MainWindow::toggleChecks));
    QAction* retired = action("mnTaisyoku", QStringLiteral("退職者を表示する(&T)"),
                              &MainWindow::showOrHideRetired);
    retired->setCheckable(true);
    retired->setChecked(true);
    retired->setVisible(false);
    work->addAction(retired);

    QMenu* print = menuBar()->addMenu(QStringLiteral("印刷(&P)"));
    print->addAction(
        printAction("mnGensenHyo", QStringLiteral("源泉徴収票の印刷(&G)..."), kPrintSlips));
    print->addAction(
        printAction("mnKanpukin", QStringLiteral("還付金通知書の印刷(&K)..."), kPrintRefunds));
    print->addAction(printAction("mnPrnSiharai", QStringLiteral("給与支払報告書の印刷(&H)..."),
                                 kPrintPaymentReports));
    print->addSeparator();
    print->addAction(action("mnYearEndList", QStringLiteral("年末調整一覧表の印刷(&L)..."),
                            &MainWindow::printYearEndListOfChecked));
    print->addAction(action("mnYearEndListCsv", QStringLiteral("年末調整一覧表のCSV出力(&V)..."),
                            &MainWindow::writeYearEndListCsv));

    QMenu* settings = menuBar()->addMenu(QStringLiteral("設定(&O)"));
    settings->addAction(action("mnCorpInfo", QStringLiteral("会社情報の設定(&C)..."),
                               &MainWindow::editCompanyInfo));
    settings->addAction(
        action("mnConfig", QStringLiteral("動作環境設定(&E)..."), &MainWindow::editSettings));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(
        action("sbManual", QStringLiteral("オンラインマニュアル(&M)..."), &MainWindow::openManual));
    help->addAction(
        action("mnShowLog", QStringLiteral("システムログ表示(&L)..."), &MainWindow::showSystemLog));
    help->addSeparator();
    help->addAction(
        action("mnVerInfo", QStringLiteral("バージョン情報(&A)..."), &MainWindow::showVersion));
}

void MainWindow::buildButtons(QWidget* parent, QHBoxLayout* row) {
    struct Button {
        const char* name;
        const char* text;
        const char* action;  // the menu item it does the same as
    };
    const Button buttons[] = {{"sbWrite", "保存", "mnSaveFile"},
                              {"btDataInput", "データ入力", "mnDataInput"},
                              {"sbBatchCalc", "一括計算", "mnBatchCalc"},
                              {"sbGensen", "源泉徴収票", "mnGensenHyo"},
                              {"sbKanpukin", "還付金通知書", "mnKanpukin"},
                              {"sbPrnSiharai", "給与支払報告書", "mnPrnSiharai"}};
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.text), parent);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFocusPolicy(Qt::NoFocus);
        auto* twin = findChild<QAction*>(QString::fromLatin1(b.action));
        button->setToolTip(twin->text().remove(QLatin1Char('&')));
        connect(button, &QPushButton::clicked, twin, &QAction::trigger);
        // The button follows its menu item's enabled and visible state.
        connect(twin, &QAction::changed, button, [button, twin] {
            button->setEnabled(twin->isEnabled());
            button->setVisible(twin->isVisible());
        });
        row->addWidget(button);
    }
    row->addStretch(1);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A question that cannot be answered (the saved file unreadable) keeps the window and the
    // work in it.
    bool closing = false;
    ui::runCommand(this, context_.messages, [this, &closing] { closing = mayClose(); });
    if (closing) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool MainWindow::mayClose() {
    if (!loaded_) return true;  // nothing was opened: no question, no placement
    while (file_->differsFrom(paths_.file)) {
        QApplication::beep();
        const ui::Answer answer =
            context_.messages.askYesNoCancel(this, QString::fromUtf8(kMsgSaveChanges));
        if (answer == ui::Answer::Cancel) return false;
        if (answer == ui::Answer::No) break;
        saveWithholdingFile();  // then look again: a failed save asks once more
    }
    if (placementDue_) {
        placementDue_ = false;
        savePlacement();
    }
    return true;
}

void MainWindow::applyPlacement() {
    const IniFile& ini = context_.ini;
    const int height = ini.readInt(kWindowSection, "MainFormSY", this->height());
    resize(width(), std::max(height, kMinimumHeight));
    move(ini.readInt(kWindowSection, "MainFormPX", 0),
         ini.readInt(kWindowSection, "MainFormPY", 0));
}

void MainWindow::savePlacement() {
    try {
        IniChanges changes;
        changes.setInt(kWindowSection, "MainFormSX", width())
            .setInt(kWindowSection, "MainFormSY", height())
            .setInt(kWindowSection, "MainFormPX", x())
            .setInt(kWindowSection, "MainFormPY", y())
            .setBool(kOptionSection, "PreViewBtn", previewButtons_);
        context_.ini.apply(changes);
    } catch (const std::exception& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
    }
}

void MainWindow::refreshStatusBar() {
    const std::string company = year_->block(kDecember).settings.companyName.utf8();
    status_->setText(
        QStringLiteral("%1 %2年分")
            .arg(QString::fromStdString(company),
                 QString::fromStdString(eraYear_.eraName) + QString::number(eraYear_.eraYear)));
}

void MainWindow::enableCommands() {
    const bool loaded = loaded_ || file_.has_value();
    const auto enable = [this](const char* name, bool on) {
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(on);
    };
    for (const char* name : {"mnSaveFile", "mnAllOnOffP", "mnTaisyoku", "mnBatchCalc",
                             "mnGensenHyo", "mnKanpukin", "mnPrnSiharai"}) {
        enable(name, loaded);
    }
    enable("mnDataInput", loaded && editor_ && hasNamedEmployee(year_->block(kDecember)));
    enable("mnYearEndList", loaded && yearEndListPrinter_);
    enable("mnYearEndListCsv", loaded);
    enable("mnSettle", loaded && settlementWriter_);
    enable("mnCorpInfo", loaded && companyDialog_);
    enable("mnConfig", static_cast<bool>(configDialog_));
    // The salary payment report exists only for years with the current record format.
    findChild<QAction*>(QStringLiteral("mnPrnSiharai"))
        ->setVisible(!loaded || paths_.currentFormat);
}

void MainWindow::setEditor(std::function<void(int, bool)> editor) {
    editor_ = std::move(editor);
    enableCommands();
}

void MainWindow::setCompanyDialog(std::function<bool()> dialog) {
    companyDialog_ = std::move(dialog);
    enableCommands();
}

void MainWindow::setConfigDialog(std::function<void()> dialog) {
    configDialog_ = std::move(dialog);
    enableCommands();
}

void MainWindow::setOpenUrl(std::function<bool(const QUrl&)> open) {
    manual_->setOpenUrl(std::move(open));
}

}  // namespace keiro::withholding
