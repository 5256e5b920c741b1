#pragma once
// MainWindow, the withholding-slip program's main window: the menu and tool buttons across the
// top, the check list of December's employees below the header that sorts it, and the status
// bar with the company and the year.  The window owns the year being worked on: the year file
// (only ever read), the withholding file in memory, and what happens to unsaved changes.
//
// The editors, the company and settings dialogs and printing are connected through seams
// (setters taking the function to run); until one is set, its commands stay disabled, except
// printing, whose commands check what is to be printed and then hand it to the seam.

#include <QMainWindow>
#include <QString>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/ini.h"
#include "core/places.h"
#include "core/settings.h"
#include "core/year_end_settlement.h"
#include "core/year_view.h"
#include "withholding/model/check_list.h"
#include "withholding/model/names.h"
#include "withholding/model/withholding_file.h"

class QAction;
class QHBoxLayout;
class QHeaderView;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QVBoxLayout;

namespace keiro::ui {
class FileDialogs;
class MessageService;
class OnlineManual;
}  // namespace keiro::ui

namespace keiro::withholding {

struct BatchResult;

inline constexpr const char* kProgramTitle = "KeiroLG･源泉徴収印刷";
inline constexpr const char* kMsgSaved = "データファイルに保存しました。";
inline constexpr const char* kMsgSaveChanges = "データが変更されています。保存しますか？";
inline constexpr const char* kMsgNobodySelected = "処理の対象者が選択されていません。";
inline constexpr const char* kMsgNobodyToPrint =
    "印刷対象者が選択されていません。\n(No欄のチェックボックスをチェックして選択します)";
inline constexpr const char* kMsgNobodyToCalculate =
    "計算する社員が選択されていません。\n(No欄のチェックボックスをチェックして選択します)";
inline constexpr const char* kMsgNobodyToSettle =
    "年調過不足を反映する計算済の社員がチェックされていません。";
inline constexpr const char* kMsgNoPeriodToSettle =
    "年調過不足を反映できる期間がありません。\n"
    "給与計算で12月分の給与または賞与を保存してから行って下さい。";
inline constexpr const char* kCaptionCheck = "対象社員をチェック";
inline constexpr const char* kCaptionClear = "全てのチェックを解除";
inline constexpr const char* kSortHint = "クリックすると並び替え";

// The period whose employees are the year's: December's salary.
inline constexpr int kDecember = 12;

// The tags of the three print commands: 100 × document + 99.
inline constexpr int kPrintSlips = 199;           // 源泉徴収票
inline constexpr int kPrintRefunds = 299;         // 還付金通知書
inline constexpr int kPrintPaymentReports = 599;  // 給与支払報告書

// A period the 過不足 can be written into: December's salary or a bonus, saved.
struct PeriodChoice {
    int period = 0;
    QString name;  // "12月分給与", "賞与1"
};

// What the window needs from the program, all made before the window.
struct MainContext {
    const Places& places;
    IniFile& ini;
    const Settings& settings;
    EraNames eraNames;
    std::chrono::year_month_day today;
    ui::MessageService& messages;
    ui::FileDialogs& dialogs;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(MainContext context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Seams for the windows that come with later work.  The editor gets the slot and whether
    // the year has the current record format, and returns after it closed.
    void setEditor(std::function<void(int slot, bool currentFormat)> editor);
    void setCompanyDialog(std::function<bool()> dialog);  // true after OK
    void setConfigDialog(std::function<void()> dialog);
    // Printing gets the command's tag, the format flag and the checked slots in list order.
    void setPrinter(std::function<void(int tag, bool currentFormat, std::vector<int> checked)> p) {
        printer_ = std::move(p);
    }
    // The 年末調整一覧表 of the checked slots, in list order, through the print dialog.
    void setYearEndListPrinter(std::function<void(std::vector<int> checked)> p) {
        yearEndListPrinter_ = std::move(p);
        enableCommands();
    }
    // 年調過不足を給与に反映: the period chosen among the saved ones (nothing: cancelled), and the
    // writer, which returns how many it wrote or throws with the refusal to show.
    void setPeriodChooser(std::function<std::optional<int>(const std::vector<PeriodChoice>&)> c) {
        periodChooser_ = std::move(c);
    }
    void setSettlementWriter(
        std::function<int(int period, const std::vector<SettlementEntry>&)> writer) {
        settlementWriter_ = std::move(writer);
        enableCommands();
    }
    void setOpenUrl(std::function<bool(const QUrl&)> open);

    // Window placement from the configuration file (position, height; the width is fixed).
    void applyPlacement();

    // The first activation: password, the year file chosen in the open dialog (asked again
    // until it is one of the data folder), loading, and the start in the system log.  False
    // when the program is to end (everything needed has been said).
    bool startUp();
    // Loads the year file at `path` (era year as named): December and the withholding file.
    // False when December was never saved or a file could not be read (said).
    bool loadYear(const std::filesystem::path& path, const EraYear& year);

    // Commands.  データを保存: false when the file could not be written (said).
    bool saveWithholdingFile();
    // データ入力: the editor on the selected employee.
    void editSelectedEmployee();
    // The document of print command `tag` for the checked employees.
    void printChecked(int tag);
    // 対象社員を選択: every 済み line checked, then, the next time, every check cleared.
    void toggleChecks();
    // 一括計算: the automatic calculation of every checked employee, then a summary.
    void calculateChecked();
    // The 年末調整一覧表 of the checked employees: printed, or written as a CSV file.
    void printYearEndListOfChecked();
    void writeYearEndListCsv();
    // 年調過不足を給与に反映 for the checked employees whose year is calculated.
    void settleIntoPayroll();
    void editCompanyInfo();
    void editSettings();
    // 退職者を表示する: the list again, with or without those who left.
    void showOrHideRetired();
    void showSystemLog();
    void showVersion();
    void openManual();
    // A click on header section `section` (0 No .. 5 源泉税計算).
    void sortBySection(int section);

    bool isLoaded() const { return loaded_; }
    bool currentFormat() const { return paths_.currentFormat; }
    const WithholdingPaths& paths() const { return paths_; }
    WithholdingFile& file() { return *file_; }
    const YearView& year() const { return *year_; }
    bool previewButtons() const { return previewButtons_; }
    // The preview's ボタンを表示する, kept with the window's placement when it closes.
    void setPreviewButtons(bool shown) { previewButtons_ = shown; }
    // The data year as the year file is named, and the era names in use.
    const EraYear& eraYear() const { return eraYear_; }
    const EraNames& eraNames() const { return context_.eraNames; }
    // The era the editors add to their residence-start era lists, when there is a new one.
    const std::optional<std::string>& newEraForEditors() const { return newEraForEditors_; }
    // The slots whose lines are checked, in list order.
    std::vector<int> checkedSlots() const;
    // The slot of the selected line; 0 when none is selected.
    int selectedSlot() const;
    // Selects the line of `slot` (when it is listed), as the editors do when they move.
    void selectSlot(int slot);
    // Whether the window may close (the unsaved-change question); placement is written then.
    bool mayClose();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void buildButtons(QWidget* parent, QHBoxLayout* row);
    void buildList(QWidget* parent, QVBoxLayout* column);
    // A menu item named `name` whose command runs under the command runner's safety net.
    QAction* command(const char* name, const QString& text, std::function<void()> run);
    QAction* action(const char* name, const QString& text, void (MainWindow::*handler)());
    QAction* printAction(const char* name, const QString& text, int tag);
    void enableCommands();
    // Fills the list in `order`, checking the given slots and selecting `selected` (the first
    // line when it is not listed).
    void fillList(ListOrder order, const std::vector<int>& checked, int selected);
    // The "check" mode of toggleChecks: every 済み line checked, the others cleared.
    void checkDone();
    void refreshStatusBar();
    // The calendar year of the data.
    int dataYear() const;
    // The employee's name in December, or "No.<slot>" when the slot has none.
    std::string employeeName(int slot) const;
    QString batchSummary(const BatchResult& result) const;
    bool anyCheckedCalculated() const;
    void savePlacement();
    std::optional<std::filesystem::path> chooseYearFile();
    QString openDialogFilter() const;

    MainContext context_;
    QListWidget* employeeList_ = nullptr;
    QHeaderView* listHeader_ = nullptr;
    QLabel* status_ = nullptr;
    ui::OnlineManual* manual_ = nullptr;
    std::vector<CheckListLine> lines_;  // what the list shows, line for line
    ListOrder order_ = ListOrder::Number;
    bool checkModeNext_ = true;  // what toggleChecks does next: check (true) or clear

    bool loaded_ = false;
    bool placementDue_ = false;
    bool previewButtons_ = true;
    std::optional<std::string> newEraForEditors_;
    std::optional<YearView> year_;
    std::optional<WithholdingFile> file_;
    WithholdingPaths paths_;
    EraYear eraYear_;

    std::function<void(int, bool)> editor_;
    std::function<bool()> companyDialog_;
    std::function<void()> configDialog_;
    std::function<void(int, bool, std::vector<int>)> printer_;
    std::function<void(std::vector<int>)> yearEndListPrinter_;
    std::function<std::optional<int>(const std::vector<PeriodChoice>&)> periodChooser_;
    std::function<int(int, const std::vector<SettlementEntry>&)> settlementWriter_;
};

}  // namespace keiro::withholding
