#include "payroll/main_window.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "calc/bonus_tax.h"
#include "calc/period_calc.h"
#include "calc/premiums.h"
#include "core/company_address.h"
#include "core/fileio.h"
#include "core/open_header.h"
#include "core/periodcopy.h"
#include "core/product.h"
#include "core/year_recovery.h"
#include "payroll/config_dialog.h"
#include "payroll/employee_pdfs.h"
#include "payroll/first_start_dialog.h"
#include "payroll/ledger_items_window.h"
#include "payroll/pay_grid_view.h"
#include "payroll/pay_summary_view.h"
#include "payroll/period_records.h"
#include "payroll/report_printing.h"
#include "payroll/slip_layout_window.h"
#include "payroll/social_insurance_tasks.h"
#include "payroll/tool_tray.h"
#include "payroll/year_chart_window.h"
#include "print/pay_summary.h"
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

constexpr int kReturnToCellMs = 100;
constexpr int kRecalculateAfterMs = 150;
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
    : QMainWindow(parent),
      context_(context),
      year_(year),
      openPeriod_{this,
                  context_,
                  year_,
                  layoutTables_,
                  [this] { tray_->closePanels(); },
                  [this] { return recalculatePeriod(); },
                  [this] { return isModified(); },
                  [this] { return saveWithoutNotice(); },
                  [this] { rebuildGrid(); },
                  [this](int slot) { rebuildGridAt(slot); },
                  [this] { return grid_.slotOf(gridView_->currentColumn()); },
                  [this] { showPeriod(); },
                  [this] { return calcContext(); },
                  [this](QWidget* parent, const QString& title) {
                      return ui::FolderWindow::choose(parent, context_.messages, title, true,
                                                      QString());
                  }} {
    setObjectName(QStringLiteral("TfmMain"));
    setWindowTitle(qs(kApplicationTitle));
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    tray_ = new ToolTray(this);
    auto* panes = new QSplitter(Qt::Vertical, central);
    panes->setObjectName(QStringLiteral("spMain"));
    gridView_ = new PayGridView(grid_, context_.messages, panes);
    summary_ = new PaySummaryView(panes);
    panes->addWidget(gridView_);
    panes->addWidget(summary_);
    panes->setStretchFactor(0, 3);
    panes->setStretchFactor(1, 2);
    column->addWidget(tray_);
    column->addWidget(panes, 1);
    // The summary follows the cells as they are left, a moment later so typing never waits.
    recalculationTimer_ = new QTimer(this);
    recalculationTimer_->setSingleShot(true);
    recalculationTimer_->setInterval(kRecalculateAfterMs);
    connect(recalculationTimer_, &QTimer::timeout, this, [this] { recalculatePeriod(); });
    connect(gridView_, &PayGridView::cellCommitted, recalculationTimer_,
            qOverload<>(&QTimer::start));
    connect(summary_, &PaySummaryView::calculateRequested, this, [this] { recalculatePeriod(); });
    auto* calculate = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(calculate, &QShortcut::activated, this, [this] { recalculatePeriod(); });
    // Ctrl+S saves as the tray's picture does, when saving is possible.
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this,
            [this] { runTrayCommand(QStringLiteral("imFileSave")); });
    resize(context_.settings.window.width, context_.settings.window.height);

    employeePdfs_ = std::make_unique<EmployeePdfs>(openPeriod_);
    records_ = std::make_unique<PeriodRecords>(openPeriod_, [this] { reports_->printRoster(); });
    reports_ = std::make_unique<ReportPrinting>(openPeriod_, *employeePdfs_, [this](bool ledger) {
        return records_->chooseEmployees(ledger);
    });
    socialInsurance_ = std::make_unique<SocialInsuranceTasks>(openPeriod_, *reports_);
    commands_ = makeCommands();
    refreshCommands();
    connect(tray_, &ToolTray::triggered, this, &MainWindow::runTrayCommand);
    manual_ = new ui::OnlineManual(context_.messages, this, context_.places.programFolder);
    // F1: the page of the window in front (a window not named goes up to the one it belongs to).
    ui::installManualKey(*manual_, {{QStringLiteral("TfmMembEdit"), "employees"},
                                    {QStringLiteral("TfmMembList"), "employees"},
                                    {QStringLiteral("OpeningTotalsWindow"), "mid-year"},
                                    {QStringLiteral("TfmConfig"), "first-start"},
                                    {QStringLiteral("TfmFirstSetup"), "first-start"},
                                    {QStringLiteral("TfmKenRitu"), "first-start"},
                                    {QStringLiteral("TfmKenhoHyo"), "employees"},
                                    {QStringLiteral("TfmSantei"), "social-insurance"},
                                    {QStringLiteral("TfmGetsuhen"), "social-insurance"},
                                    {QStringLiteral("TfmSyoyoTodoke"), "social-insurance"},
                                    {QStringLiteral("TfmNendoKoshin"), "social-insurance"},
                                    {QStringLiteral("fmChoshudakaChoice"), "monthly-payments"},
                                    {QStringLiteral("fmFuriDate"), "printing"},
                                    {QStringLiteral("TfmPrnFormK"), "printing"},
                                    {QStringLiteral("TfmPrnFormS"), "printing"},
                                    {QStringLiteral("TfmPrnItem"), "printing"},
                                    {QStringLiteral("TfmSelData"), "first-start"},
                                    {QStringLiteral("fmInji"), "printing"},
                                    {QStringLiteral("fmDataEdit"), "monthly-pay"},
                                    {QStringLiteral("TfmMain"), "monthly-pay"}});
}

MainWindow::~MainWindow() {
    delete gridView_;  // the view reads grid_, which goes before the base class's children
}

void MainWindow::rebuildGridAt(int slot) {
    const int row = gridView_->currentRow();
    int column = gridView_->currentColumn();
    rebuildGrid();
    for (int c = 1; c <= grid_.employeeCount(); ++c) {
        if (grid_.slotOf(c) == slot) column = c;
    }
    if (row >= 1 && row < grid_.rowCount()) gridView_->selectCell(row, column);
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
    return calc::contextFor(context_.settings, activeItems_, context_.tables, year_,
                            context_.currentCalendarYear);
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
            ui::runCommand(this, context_.messages, [this] {
                if (!setUpNewOffice()) editSettings();
            });
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
    refreshSummary();
}

void MainWindow::refreshSummary() {
    if (year_.period() == 0) {
        summary_->show(print::PaySummary{});
        return;
    }
    std::vector<int> shown;
    for (int c = 1; c <= grid_.employeeCount(); ++c) shown.push_back(grid_.slotOf(c));
    summary_->show(print::paySummary(year_.block(), print::tableOptions(context_.settings), shown));
}

bool MainWindow::recalculatePeriod() {
    gridView_->commitEditedCell();
    recalculationTimer_->stop();  // a cell committed until now is in this recalculation
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
    refreshSummary();
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
    socialInsurance_->noticeInsuranceAges();
    socialInsurance_->noticeRevisions();
    return true;
}

void MainWindow::beginPeriod(bool startedEmpty) {
    offerRateUpdate();
    showPeriod(startedEmpty);
    socialInsurance_->noticeInsuranceAges();
}

void MainWindow::offerRateUpdate() {
    socialInsurance_->offerRateUpdate();
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

bool MainWindow::mayClose(bool changePeriod) {
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
                beginPeriod(choice.startedEmpty);
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
    // The window's close box is a command like any other: a failure escaping the questions
    // keeps the window open with the period as it is.
    bool closing = closingConfirmed_;
    if (!closing) ui::runCommand(this, context_.messages, [&] { closing = mayClose(false); });
    if (!closing) {
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

void MainWindow::changePeriod() {
    if (mayClose(true)) {
        closingConfirmed_ = true;
        close();
    }
}

bool MainWindow::setUpNewOffice() {
    if (year_.period() == 0 || !year_.document().settings().companyName.empty() ||
        !listSavedMonths(context_.places.dataFolder, context_.eraNames).empty())
        return false;
    const calc::RatesOfPeriod rates = socialInsurance_->ratesOfOpenPeriod();
    FirstStartDialog dialog(this, context_.settings, rates, readCompanyAddress(context_.ini),
                            context_.messages);
    const std::optional<FirstStartAnswers> answers = dialog.ask();
    if (!answers) return false;
    PeriodSettings settings = year_.document().settings();
    applyFirstStart(settings, *answers, rates);
    year_.document().setSettings(settings);
    showPeriod();
    recalculatePeriod();
    storeCompanyAddress(context_.ini, answers->address);  // an IoError is shown by the caller
    return true;
}

void MainWindow::editSettings() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    const std::filesystem::path rateList =
        findTableFile(context_.places, kHealthRateListFileName)
            .value_or(context_.places.programFolder / kHealthRateListFileName);
    ConfigDialog config(this, context_.settings, context_.ini, context_.messages, rateList, [this] {
        ui::NewPasswordDialog password(context_.ini, context_.messages, this);
        password.exec();
    });
    PeriodSettings settings = year_.document().settings();
    config.exec(settings, socialInsurance_->ratesOfOpenPeriod());
    year_.document().setSettings(settings);
    showPeriod();  // names, time style and company may have changed
    // Roundings, items and rates change the figures: worked out now, they count as a change
    // the closing question asks about.
    recalculatePeriod();
}

void MainWindow::showYearChart() {
    tray_->closePanels();
    YearChartWindow chart(this, year_, context_.settings.itemNames, 0);
    chart.exec();
}

void MainWindow::showVersion() {
    ui::VersionWindow version(ui::programShortVersion(), this);
    version.exec();
}

void MainWindow::showLog() {
    ui::LogViewer log(context_.places.dataFolder, context_.messages, context_.dialogs, this);
    log.exec();
}

void MainWindow::setOpenUrl(std::function<bool(const QUrl&)> open) {
    manual_->setOpenUrl(std::move(open));
}

void MainWindow::openManual() {
    QToolButton* button = tray_->button(QStringLiteral("sbManual"));
    manual_->open(context_.settings.manualUrl,
                  [button](bool running) { button->setEnabled(!running); });  // one at a time
}

void MainWindow::editSlipLayout(LayoutKind kind) {
    tray_->closePanels();
    // Only the layout of the open period's kind is in force; the other one is not offered.
    if (year_.period() == 0 || isBonusPeriod(year_.period()) != (kind == LayoutKind::Bonus)) return;
    if (!recalculatePeriod()) return;
    std::unique_ptr<SlipLayoutWindow> window;
    if (kind == LayoutKind::Salary) {
        window = std::make_unique<SalarySlipLayoutWindow>(
            this, context_.ini, context_.settings.itemNames, context_.messages);
    } else {
        window = std::make_unique<BonusSlipLayoutWindow>(
            this, context_.ini, context_.settings.itemNames, context_.messages);
    }
    const std::optional<PrintTables> tables = window->edit();
    if (!tables) return;
    // The grid's rows and the calculation's items follow the layout just written.
    useLayout(*tables);
    rebuildGridAt(grid_.slotOf(gridView_->currentColumn()));
    recalculatePeriod();  // the figures follow the items now on the slip
}

void MainWindow::editLedgerItems() {
    tray_->closePanels();
    if (!recalculatePeriod()) return;
    LedgerItemsWindow window(this, context_.settings, context_.ini, context_.messages);
    window.prepare();
    window.exec();
}

}  // namespace keiro::payroll
