#pragma once
// MainWindow, the payroll program's main window: the tool tray across the top and the pay grid of
// the open period below it.  The window owns the decisions about the open period: when it is
// recalculated, saved, and what happens to unsaved changes when the clerk leaves it.  Its
// commands run through the command runner; the reports, the social-insurance lists, the
// per-employee PDFs and the record windows are delegated to parts of their own, which reach the
// grid only through the steps the window hands them (OpenPeriodContext).

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "calc/payroll_tables.h"
#include "core/layouts.h"
#include "core/yearfile.h"
#include "payroll/data_selection_window.h"
#include "payroll/main_context.h"
#include "payroll/model/pay_grid.h"
#include "payroll/open_period_context.h"

class QTimer;
class QUrl;

namespace keiro::ui {
class OnlineManual;
}  // namespace keiro::ui

namespace keiro::payroll {

class EmployeePdfs;
class PayGridView;
class PaySummaryView;
class PeriodRecords;
class ReportPrinting;
class SocialInsuranceTasks;
class ToolTray;

inline constexpr const char* kMsgSaved = "データファイルに保存しました。";
inline constexpr const char* kMsgSaveChanges = "データが変更されています。保存しますか？";

// The data-selection window's answer to a change of period.
struct PeriodChoice {
    DataSelectionWindow::Outcome outcome = DataSelectionWindow::Outcome::Quit;
    bool startedEmpty = false;
};

// The data-selection window over `parent`, for the first choice and every change of period.
PeriodChoice runDataSelection(QWidget* parent, const MainContext& context, YearData& year);

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(MainContext context, YearData& year, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Asks for the period when the clerk goes back from the window (imReturn); by default the
    // window's own data-selection window.
    void setChoosePeriod(std::function<PeriodChoice()> choose) {
        choosePeriod_ = std::move(choose);
    }
    // Opens the manual in the browser (the system browser by default): the local copy, or the
    // office's own address (ManualURL) once the connection test succeeded.
    void setOpenUrl(std::function<bool(const QUrl&)> open);
    // Asks for the folder the slip pictures and the per-employee PDFs go to (the folder window
    // by default).
    void setChooseFolder(std::function<std::optional<QString>(QWidget*, const QString&)> choose) {
        openPeriod_.chooseFolder = std::move(choose);
    }
    // Start-up was abandoned: closing then asks nothing and saves no placement.
    void abandonStartup() { startupAbandoned_ = true; }
    // Applies the saved placement (maximised, or position and size).
    void applyPlacement();

    // After the data selection opened a period: the question about the published rates
    // (offerRateUpdate), the period shown (`startedEmpty` as for showPeriod), and the notice of
    // insurance flags that no longer fit the employees' ages.
    void beginPeriod(bool startedEmpty);
    // After a period was opened: caption, the layouts of its kind, the grid; `startedEmpty`
    // (nothing was copied into a new period) opens the settings at once.
    void showPeriod(bool startedEmpty = false);
    // After a period that was never saved was opened: when its rates are not the published ones
    // of its months, asks once whether to take them (SocialInsuranceTasks::offerRateUpdate).
    void offerRateUpdate();
    // Commits the current cell, collects the grid and recalculates the whole period; for a bonus
    // names the employees whose income tax was worked by the monthly-table method, once for
    // each change of that list while the period is open.  False after a file error (already
    // shown).
    bool recalculatePeriod();
    // データ保存: recalculation, saving, the notice, then the notices of insurance ages and of
    // revisions that fall due.  False when it failed (shown).
    bool savePeriod();
    // Whether the window may be left: the unsaved-change question, then a change of period
    // (`changePeriod`) or the closing question.  True when the window is to close.
    bool mayClose(bool changePeriod);

    PayGrid& grid() { return grid_; }
    PayGridView* gridView() const { return gridView_; }
    ToolTray* toolTray() const { return tray_; }

    // What a tool-tray command needs before its button is enabled.
    enum class Needs {
        Nothing,
        OpenPeriod,   // a period is open
        Employee,     // the open period has an employee (slot 1 is used: the slots are packed)
        SalaryMonth,  // the open period is a month's salary
        BonusPeriod,  // the open period is a bonus
    };
    struct Command {
        const char* name;  // the button's object name
        Needs needs;
        std::function<void()> run;  // empty for a picture that only opens its panel
    };
    // Every command of the tool tray, once: the buttons' names, what they do and their
    // enabling rules.
    const std::vector<Command>& commands() const { return commands_; }
    // Enables each command's button by its rule; a disabled one says why in its tooltip.
    void refreshCommands();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The command table (main_commands.cpp).
    std::vector<Command> makeCommands();
    // Runs the command of a tool-tray button through the safety net of the command runner.
    void runTrayCommand(const QString& name);
    bool isSatisfied(Needs needs) const;
    // 給与対象月/賞与時期の選択: mayClose for a change of period; closes the window when the
    // clerk ends there.
    void changePeriod();
    // 共通設定: the settings dialog, then the period shown again.
    void editSettings();
    // On a data folder without a saved month, the short set-up in place of the settings dialog;
    // false when it is not such a folder or the clerk chose to set up later.
    bool setUpNewOffice();
    // 年間グラフ: the company's pay and deductions of the year, month by month.
    void showYearChart();
    // 給与明細印刷項目 / 賞与明細印刷項目: the slip layout of the open period's kind; after OK
    // the grid and the calculation follow the layout written.
    void editSlipLayout(LayoutKind kind);
    // 給与台帳/月別一覧: the items the ledger and the monthly list add and leave out.
    void editLedgerItems();
    void openManual();
    void showVersion();
    void showLog();
    void rebuildGrid();
    // The pay slip layout of the open period's kind, for the grid and the calculation.
    void useLayout(const PrintTables& tables);
    // rebuildGrid, then back to the row the clerk was on, in the column of `slot` (the current
    // column when that employee has none).
    void rebuildGridAt(int slot);
    void savePlacement();
    bool saveWithoutNotice();
    // Whether the period differs from its saved block; nothing after a file error (shown).
    std::optional<bool> isModified();
    calc::CalcContext calcContext() const;
    // The 支給控除一覧 from the records as the last recalculation left them.
    void refreshSummary();
    // Once per run and year: the open period's year has no tax tables of its own.
    void noticeMissingTaxYear();

    MainContext context_;
    YearData& year_;
    PayGrid grid_;
    PrintTables layoutTables_;
    ActiveItems activeItems_;
    ToolTray* tray_;
    PayGridView* gridView_;
    PaySummaryView* summary_;
    QTimer* recalculationTimer_;
    ui::OnlineManual* manual_ = nullptr;
    std::function<PeriodChoice()> choosePeriod_;
    OpenPeriodContext openPeriod_;  // what the parts below work with
    std::unique_ptr<EmployeePdfs> employeePdfs_;
    std::unique_ptr<PeriodRecords> records_;
    std::unique_ptr<ReportPrinting> reports_;
    std::unique_ptr<SocialInsuranceTasks> socialInsurance_;
    std::vector<Command> commands_;
    std::set<std::pair<int, calc::TaxKind>> noticedTaxYears_;  // once per year and kind
    bool startupAbandoned_ = false;
    bool closingConfirmed_ = false;
    std::string monthlyTableNoticeShown_;  // the bonus tax notice last shown in the open period
};

}  // namespace keiro::payroll
