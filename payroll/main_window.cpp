#include "payroll/main_window.h"

#include <QCloseEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "calc/bonus_tax.h"
#include "calc/period_calc.h"
#include "calc/premiums.h"
#include "core/fileio.h"
#include "core/open_header.h"
#include "core/product.h"
#include "core/year_recovery.h"
#include "payroll/config_dialog.h"
#include "payroll/grade_table_window.h"
#include "payroll/pay_grid_view.h"
#include "payroll/tool_tray.h"
#include "print/qt/dialog/print_dialog.h"
#include "widgets/command_runner.h"
#include "widgets/file_dialogs.h"
#include "widgets/folder_window.h"
#include "widgets/log_viewer.h"
#include "widgets/message_service.h"
#include "widgets/notice_window.h"
#include "widgets/online_manual.h"
#include "widgets/password_windows.h"
#include "widgets/version_window.h"

namespace keiro::payroll {

namespace {

constexpr int kFirstBonusPeriod = 13;
constexpr int kReturnToCellMs = 100;
constexpr const char* kMsgCloseUnsaved =
    "保存できませんでした。保存せずに終了しますか？\n（変更は失われます）";
constexpr const char* kMsgLeaveUnsaved =
    "保存できませんでした。保存せずに期間を変更しますか？\n（変更は失われます）";

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PeriodChoice runDataSelection(QWidget* parent, const MainContext& context, YearData& year) {
    ui::MessageService& messages = context.messages;
    const Settings& settings = context.settings;
    SelectionContext selection{
        context.places,
        context.ini,
        context.settings,
        context.eraNames,
        context.messages,
        [parent, &messages, &settings](const QString& title, bool allowCreate) {
            const std::optional<QString> chosen = ui::FolderWindow::choose(
                parent, messages, title, allowCreate, QString::fromStdString(settings.backupPath));
            return chosen ? std::optional<std::filesystem::path>(chosen->toStdString())
                          : std::nullopt;
        },
        context.currentCalendarYear};
    DataSelectionWindow window(parent, selection, year);
    const DataSelectionWindow::Outcome outcome = window.choose();
    return {outcome, window.startedEmpty()};
}

MainWindow::MainWindow(MainContext context, YearData& year, QWidget* parent)
    : QMainWindow(parent), context_(context), year_(year) {
    setObjectName(QStringLiteral("TfmMain"));
    setWindowTitle(qs(kApplicationTitle));
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    tray_ = new ToolTray(this);
    gridView_ = new PayGridView(grid_, context_.messages, central);
    column->addWidget(tray_);
    column->addWidget(gridView_, 1);
    resize(context_.settings.window.width, context_.settings.window.height);

    refreshCommands();
    connect(tray_, &ToolTray::triggered, this, &MainWindow::toolTrayClick);
    manual_ = new ui::OnlineManual(context_.messages, this, context_.places.programFolder);
    chooseFolder_ = [this](QWidget* parent, const QString& title) {
        return ui::FolderWindow::choose(parent, context_.messages, title, true, QString());
    };
}

MainWindow::~MainWindow() {
    delete gridView_;  // the view reads grid_, which goes before the base class's children
}

void MainWindow::applyPlacement() {
    const WindowPlacement& placement = context_.settings.window;
    if (placement.maximized) {
        showMaximized();
    } else {
        setGeometry(placement.x, placement.y, placement.width, placement.height);
        show();
    }
}

calc::CalcContext MainWindow::calcContext() const {
    return calc::CalcContext{context_.settings, activeItems_, context_.tables.taxFor(year_).tables,
                             context_.currentCalendarYear};
}

void MainWindow::noticeMissingTaxYear() {
    const calc::TaxChoice choice = context_.tables.taxFor(year_);
    const int year = calc::taxYearOf(year_);
    const calc::TaxKind kind =
        isBonusPeriod(year_.period()) ? calc::TaxKind::Bonus : calc::TaxKind::Salary;
    if (!choice.fellBackToNewest || !noticedTaxYears_.insert({year, kind}).second) return;
    context_.messages.information(
        this, qs(calc::missingTaxYearNotice(year, choice.year, context_.eraNames, kind)));
}

void MainWindow::showPeriod(bool startedEmpty) {
    setWindowTitle(QString::fromStdString(periodTitle(year_, context_.settings.itemNames)));
    monthlyTableNoticeShown_.clear();
    if (year_.period() == 0) {
        refreshCommands();
        return;
    }
    const bool bonus = year_.period() >= kFirstBonusPeriod;
    useLayout(
        buildPrintTables(loadLayout(context_.ini, bonus ? LayoutKind::Bonus : LayoutKind::Salary)));
    const int rememberedRow = gridView_->currentRow();
    const int rememberedColumn = gridView_->currentColumn();
    rebuildGrid();
    refreshCommands();
    noticeMissingTaxYear();
    gridView_->setFocus();
    // Back to the cell the clerk was on, once the new grid has been laid out.
    QTimer::singleShot(kReturnToCellMs, gridView_, [this, rememberedRow, rememberedColumn] {
        if (rememberedRow >= 1 && rememberedRow < grid_.rowCount()) {
            gridView_->selectCell(rememberedRow, rememberedColumn);
        }
    });
    if (startedEmpty) {
        QTimer::singleShot(0, this, [this] {
            ui::runCommand(this, context_.messages, [this] { sbConfigClick(); });
        });
    }
}

void MainWindow::useLayout(const PrintTables& tables) {
    layoutTables_ = tables;
    activeItems_ = ActiveItems(layoutTables_, context_.settings.itemNames);
}

void MainWindow::rebuildGrid() {
    grid_.build(year_, layoutTables_, activeItems_, context_.settings.itemNames,
                context_.settings.timeStyle);
    gridView_->refill();
}

bool MainWindow::recalculatePeriod() {
    gridView_->commitEditedCell();
    if (year_.period() == 0) return true;
    const std::vector<calc::GridColumn> columns = grid_.columns();
    try {
        const std::vector<int> byMonthlyTable =
            calc::RecalculatePeriod(year_, calcContext(), &columns);
        const std::string notice = calc::monthlyTableNotice(year_, byMonthlyTable);
        if (notice != monthlyTableNoticeShown_) {
            monthlyTableNoticeShown_ = notice;
            if (!notice.empty()) context_.messages.information(this, qs(notice));
        }
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

bool MainWindow::saveWithoutNotice() {
    if (!recalculatePeriod()) return false;
    try {
        const std::string recovery = saveOpenPeriod(year_);
        if (!recovery.empty()) context_.messages.warning(this, QString::fromStdString(recovery));
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

bool MainWindow::savePeriod() {
    tray_->closePanels();
    if (year_.period() == 0 || !saveWithoutNotice()) return false;
    ui::NoticeWindow::showNotice(this, QString::fromUtf8(kMsgSaved));
    noticeInsuranceAges();
    noticeRevisions();
    return true;
}

std::optional<bool> MainWindow::isModified() {
    // The grid's entries are in the document as they are typed; the cell being edited is
    // finished first.  Nothing is recalculated; of the file only a bonus's header is read.
    gridView_->commitEditedCell();
    try {
        return year_.document().isModified() || isOpenHeaderModified(year_);
    } catch (const IoError& e) {  // a bonus's pay date is still compared with the file's
        context_.messages.error(this, QString::fromStdString(e.what()));
        return std::nullopt;
    }
}

bool MainWindow::FormCloseQuery(bool changePeriod) {
    if (startupAbandoned_) return true;
    while (year_.period() != 0) {
        // A period that cannot be compared (the recalculation failed, shown) counts as changed.
        if (!isModified().value_or(true)) break;
        const ui::Answer answer =
            context_.messages.askYesNoCancel(this, QString::fromUtf8(kMsgSaveChanges));
        if (answer == ui::Answer::Cancel) return false;
        if (answer == ui::Answer::No) break;
        if (saveWithoutNotice()) continue;  // Yes: saved, then tested again
        // Closing is never held up by a file that cannot be written: the clerk decides.
        if (!context_.messages.confirm(
                this, QString::fromUtf8(changePeriod ? kMsgLeaveUnsaved : kMsgCloseUnsaved), true))
            return false;
        if (!changePeriod) return true;  // the question was the closing question
        break;
    }
    if (changePeriod) {
        const PeriodChoice choice =
            choosePeriod_ ? choosePeriod_() : runDataSelection(this, context_, year_);
        switch (choice.outcome) {
            case DataSelectionWindow::Outcome::Opened:
                offerRateUpdate();
                showPeriod(choice.startedEmpty);
                noticeInsuranceAges();
                return false;
            case DataSelectionWindow::Outcome::Restored:
                startupAbandoned_ = true;  // ends without questions and without the placement
                return true;
            case DataSelectionWindow::Outcome::Quit:
                return true;  // the selection window has asked already
        }
        return false;
    }
    return context_.messages.confirm(this,
                                     qs(kApplicationTitle) + QStringLiteral("を終了しますか？"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closingConfirmed_ && !FormCloseQuery(false)) {
        event->ignore();
        return;
    }
    closingConfirmed_ = false;
    if (!startupAbandoned_) savePlacement();
    event->accept();
}

void MainWindow::savePlacement() {
    WindowPlacement placement = context_.settings.window;
    placement.maximized = isMaximized();
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    placement.x = normal.x();
    placement.y = normal.y();
    placement.width = normal.width();
    placement.height = normal.height();
    try {
        saveWindowPlacement(context_.ini, placement);
        context_.settings.window = placement;
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromStdString(e.what()));
    }
}

void MainWindow::imReturnClick() {
    if (FormCloseQuery(true)) {
        closingConfirmed_ = true;
        close();
    }
}

void MainWindow::sbConfigClick() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    const std::filesystem::path rateList =
        findTableFile(context_.places, kHealthRateListFileName)
            .value_or(context_.places.programFolder / kHealthRateListFileName);
    ConfigDialog config(this, context_.settings, context_.ini, context_.messages, rateList, [this] {
        ui::NewPasswordDialog password(context_.ini, context_.messages, this);
        password.exec();
    });
    config.exec(year_.block().settings, ratesOfOpenPeriod());
    showPeriod();  // names, time style and company may have changed
}

void MainWindow::sbVerInfoClick() {
    ui::VersionWindow version(ui::programShortVersion(), this);
    version.exec();
}

void MainWindow::sbShowLogClick() {
    ui::LogViewer log(context_.places.dataFolder, context_.messages, context_.dialogs, this);
    log.exec();
}

void MainWindow::setOpenUrl(std::function<bool(const QUrl&)> open) {
    manual_->setOpenUrl(std::move(open));
}

void MainWindow::sbManualClick() {
    QToolButton* button = tray_->button(QStringLiteral("sbManual"));
    manual_->open(context_.settings.manualUrl,
                  [button](bool running) { button->setEnabled(!running); });  // one at a time
}

}  // namespace keiro::payroll
