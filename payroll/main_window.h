#pragma once
// MainWindow, the payroll program's main window: the tool tray across the top and the pay grid of
// the open period below it.  The window owns the decisions about the open period: when it is
// recalculated, saved, and what happens to unsaved changes when the clerk leaves it.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "calc/payroll_tables.h"
#include "calc/rate_update.h"
#include "core/era.h"
#include "core/ini.h"
#include "core/layouts.h"
#include "core/places.h"
#include "core/settings.h"
#include "core/yearfile.h"
#include "payroll/data_selection_window.h"
#include "payroll/employee_list_window.h"
#include "payroll/model/pay_grid.h"
#include "print/qt/dialog/print_request.h"
#include "print/slip_data.h"

namespace keiro::ui {
class FileDialogs;
class MessageService;
class OnlineManual;
}  // namespace keiro::ui

namespace keiro::print {
class PrintDialog;
struct TextTable;
}  // namespace keiro::print

namespace keiro::payroll {

class GradePremiumSetter;
struct DayCorrection;
struct GradeDecision;
class PayGridView;
class GradeTableWindow;
class SocialListWindow;
class ToolTray;

inline constexpr const char* kMsgSaved = "データファイルに保存しました。";
inline constexpr const char* kMsgSaveChanges = "データが変更されています。保存しますか？";
inline constexpr const char* kMsgInsuranceAges =
    "次の社員は年齢により社会保険の設定の見直しが必要です。社員情報で確認して下さい。";

// What the window needs from the program, all made before the window.
struct MainContext {
    const Places& places;
    IniFile& ini;
    Settings& settings;
    calc::PayrollTables& tables;
    EraNames eraNames;
    ui::MessageService& messages;
    ui::FileDialogs& dialogs;
    int currentCalendarYear = 0;
};

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
    // Start-up was abandoned: closing then asks nothing and saves no placement.
    void abandonStartup() { startupAbandoned_ = true; }
    // Applies the saved placement (maximised, or position and size).
    void applyPlacement();

    // After a period was opened: caption, the layouts of its kind, the grid; `startedEmpty`
    // (nothing was copied into a new period) opens the settings at once.
    void showPeriod(bool startedEmpty = false);
    // After a period was opened by the data selection, and after saving: one notice listing the
    // employees whose insurance flags no longer fit their age in the period's premium month
    // (calc/insurance_ages.h).  Changes nothing; says nothing when all fit.
    void noticeInsuranceAges();
    // After saving a salary month: one notice listing the employees whose fixed pay changed two
    // months before and whose three months now call for a revision (月額変更届).  Changes
    // nothing; says nothing when there is none.
    void noticeRevisions();
    // After a period that was never saved was opened: when its rates are not the published ones
    // of its months (a new fiscal year), asks once whether to take them, showing old and new;
    // Yes sets them and works the employees' monthly premiums out again from their grades.
    // Says nothing when the rates agree or no published rates are found.
    void offerRateUpdate();
    // Commits the current cell, collects the grid and recalculates the whole period; for a bonus
    // names the employees whose income tax was worked by the monthly-table method, once for
    // each change of that list while the period is open.  False after a file error (already
    // shown).
    bool recalculatePeriod();
    // imFileSave: recalculation, saving and the notice.  False when it failed (shown).
    bool savePeriod();
    // FormCloseQuery: the unsaved-change question, then a change of period (`changePeriod`) or
    // the closing question.  True when the window is to close.
    bool FormCloseQuery(bool changePeriod);

    // 勤怠インポート: asks for an attendance file, writes it into the open period's attendance
    // records, rebuilds the grid and reports how many employees it read.
    void ImportAttendance();
    // 社員情報: the employee list (with the employee editor), then the grid refilled.
    void imSyainEditClick();
    // 個別入力: the detail entry window for the employee of the grid's current column.
    void sbDataEditClick();
    // 給与/賞与明細書: the employees chosen in the employee list, then the print dialog for
    // their pay slips (printed, previewed or saved as pictures).
    void sbMeisaihyoClick();
    // 社員別PDF出力 in the slips' print dialog: a folder, whether to protect the files with the
    // employees' passwords (new ones are made, saved with the period and listed on a hand-over
    // notice), then one PDF per chosen employee.  False when nothing was written.
    bool exportEmployeePdfs(QWidget* parent, const std::vector<int>& chosen,
                            const print::PrintChoices& choices);
    // 社員別給与台帳 (after the question about unsaved changes: it reads the file on disk),
    // 月別給与/賞与一覧, 給与/賞与振込一覧 and 給与/賞与支払金種表.
    void sbKyuyoDaichoClick();
    void sbKyuyoIchiranClick();
    void sbFuriListClick();
    void sbKinsyuListClick();
    // 振込データ作成: the bank transfer file of the transfer list's people, after the
    // recalculation, saved where the clerk chooses; a refusal lists what is missing.
    void sbFuriDataClick();
    // 社員名簿一覧表, from the employee list.
    void printRoster();
    // 算定基礎届: the April-June decision of the open year's stored pay (after the question about
    // unsaved changes: it reads the file on disk), whose 適用 writes the new grades into the
    // periods collecting the September premium and after.
    void sbSanteiClick();
    // 月額変更届 (with 適用 as above, from each revision's month), 賞与支払届 of the open bonus
    // period once saved, and 労働保険 年度更新 of the fiscal year that ended in March.
    void sbGetsuhenClick();
    void sbSyoyoTodokeClick();
    void sbNendoKoshinClick();
    // 所得税徴収高計算書 of a month or a half-year, from the file on disk (after the question
    // about unsaved changes).
    void sbChoshudakaClick();
    // 住民税納付一覧: the residence tax deducted in the open period per municipality, printed
    // or written as CSV.
    void sbJuuminListClick();
    // Asks for the folder the slip pictures go to (the folder window by default).
    void setChooseFolder(std::function<std::optional<QString>(QWidget*, const QString&)> choose) {
        chooseFolder_ = std::move(choose);
    }
    // The print dialog, made on first use and kept for the run (it keeps the preview's zoom).
    print::PrintDialog& printDialog();
    // 給与明細印刷項目 / 賞与明細印刷項目: the slip layout of the open period's kind; after OK
    // the grid and the calculation follow the layout written.
    void sbPrnFormKClick();
    void sbPrnFormSClick();
    // 給与台帳/月別一覧: the items the ledger and the monthly list add and leave out.
    void sbDaichoClick();
    // 前月までの支給累計: the totals of the months paid before the first period kept here.
    void sbOpeningTotalsClick();

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
        NotBuilt,     // the window behind it is not part of the program yet
    };
    struct Command {
        const char* name;            // the button's object name
        void (MainWindow::*handler)();  // nullptr for a picture that only opens its panel
        Needs needs;
    };
    // Every command of the tool tray, once: the buttons' names, handlers and enabling rules.
    static const std::vector<Command>& commands();
    // Enables each command's button by its rule; a disabled one says why in its tooltip.
    void refreshCommands();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Runs the command of a tool-tray button through the safety net of the command runner.
    void toolTrayClick(const QString& name);
    bool isSatisfied(Needs needs) const;
    void imFileSaveClick() { savePeriod(); }
    void imReturnClick();
    void sbConfigClick();
    void sbManualClick();
    void sbVerInfoClick();
    void sbShowLogClick();
    void rebuildGrid();
    // The pay slip layout of the open period's kind, for the grid and the calculation.
    void useLayout(const PrintTables& tables);
    void editSlipLayout(LayoutKind kind);
    // rebuildGrid, then back to the row the clerk was on, in the column of `slot` (the current
    // column when that employee has none).
    void rebuildGridAt(int slot);
    void savePlacement();
    bool saveWithoutNotice();
    // Whether the period differs from its saved block; nothing after a file error (shown).
    std::optional<bool> isModified();
    PeriodChoice chooseWithSelectionWindow();
    calc::CalcContext calcContext() const;
    // The published rates of the open period's months (main_window_rates.cpp).
    calc::RatesOfPeriod ratesOfOpenPeriod() const;
    // Once per run and year: the open period's year has no tax tables of its own.
    void noticeMissingTaxYear();
    // 等級表から入力 of the employee editor: one for the run, so its question is asked once;
    // nullptr when the grade table could not be loaded.
    GradePremiumSetter* gradeSetter();
    // What the employee list works with, in editing and in choosing.
    EmployeeListContext employeeListContext();
    // The employee list in its choosing mode: the chosen slots in the list's order, none when
    // cancelled.
    std::vector<int> chooseEmployees(bool ledger);
    // Runs the print dialog for one report.
    void runReport(print::ReportMode mode, const QString& caption, print::ReportBuilder build,
                   print::ReportExport exportFiles);
    // The CSV file the clerk chooses, proposed in the settings folder; and whether a file may be
    // written (asked when it exists).
    std::optional<std::filesystem::path> askCsvFile(QWidget* parent,
                                                    const std::string& proposedName);
    bool mayWriteCsv(QWidget* parent, const std::filesystem::path& file);
    // Writes decided grades (and the premiums of each period's rates) into the salary periods
    // from the one collecting premium month `premiumMonth` to December: the saved ones in the
    // file, the open one in memory (saved with it).  Tells the clerk what was written, or that
    // no period collects that premium yet; false then and after a file error (shown).
    bool applyGradeDecisions(QWidget* parent, const std::vector<GradeDecision>& decisions,
                             int premiumMonth, const calc::HealthGradeTable& table);
    // Keeps the 支払基礎日数 the clerk corrected in the April-June list in the attendance of the
    // periods paid in those months (the open one in memory), and says so.
    void storeDayCorrections(QWidget* parent, const std::vector<DayCorrection>& corrections);
    // A yearly social-insurance list through the print dialog, and a CSV file of one written
    // where the clerk chooses (asked before overwriting).
    void printTextTable(print::TextTable table);
    // What the yearly lists start from, after the question about unsaved changes (they read the
    // file on disk): the open year and the grade table of its September.
    struct SocialContext {
        int calendarYear = 0;
        const calc::HealthGradeTable* grades = nullptr;
        std::string company;
    };
    std::optional<SocialContext> socialContext(const char* listName);
    // Shows a list window whose CSV file is `plain` (amounts without separators).
    void showSocialList(SocialListWindow& window, const print::TextTable& plain,
                        const std::string& csvName);
    void writeCsvTable(QWidget* parent, const std::string& proposedName,
                       const std::string& content);
    // The open period as the pay slips read it.
    print::SlipPeriod slipPeriod() const;

    MainContext context_;
    YearData& year_;
    PayGrid grid_;
    PrintTables layoutTables_;
    ActiveItems activeItems_;
    ToolTray* tray_;
    PayGridView* gridView_;
    ui::OnlineManual* manual_ = nullptr;
    std::function<PeriodChoice()> choosePeriod_;
    GradeTableWindow* gradeWindow_ = nullptr;
    std::unique_ptr<GradePremiumSetter> gradeSetter_;
    std::unique_ptr<print::PrintDialog> printDialog_;
    std::function<std::optional<QString>(QWidget*, const QString&)> chooseFolder_;
    int employeeListSort_ = 0;  // the employee list's order, kept for the run
    std::set<std::pair<int, calc::TaxKind>> noticedTaxYears_;  // once per year and kind
    bool startupAbandoned_ = false;
    bool closingConfirmed_ = false;
    std::string monthlyTableNoticeShown_;  // the bonus tax notice last shown in the open period
};

}  // namespace keiro::payroll
