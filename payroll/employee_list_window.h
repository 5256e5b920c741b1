#pragma once
// EmployeeListWindow, "社員一覧リスト": the employees of the open period, one fixed-width line per
// used slot.  Opened for editing it creates, modifies and deletes employees and exchanges their
// identity fields with other software as CSV; opened for choosing it lets a print command pick
// the employees to print.

#include <QDialog>
#include <functional>
#include <vector>

#include "core/ini.h"
#include "core/places.h"
#include "core/settings.h"
#include "core/yearfile.h"

class QHBoxLayout;
class QHeaderView;
class QListWidget;
class QPushButton;
class QLabel;

namespace keiro::ui {
class FileDialogs;
class MessageService;
}  // namespace keiro::ui

namespace keiro::payroll {

inline constexpr const char* kMsgChoosePaySlips =
    "給与/賞与明細書の印刷対象社員をクリックして選択して下さい。";
inline constexpr const char* kMsgChooseLedger =
    "社員別給与台帳の印刷対象社員をクリックして選択して下さい。";
inline constexpr const char* kMsgNothingToPrint = "印刷対象が選択されていません。";
inline constexpr const char* kSortHint = "クリックすると並び替え";

// What the list needs from the program.
struct EmployeeListContext {
    YearData& year;  // the open period; the list changes it through year.document()
    IniFile& ini;    // the window's size is kept in section Window
    Settings& settings;
    const Places& places;  // data folder: the system log and the withholding file
    ui::MessageService& messages;
    ui::FileDialogs& dialogs;
    // Opens the employee editor for slot 1..100, or for a new employee (a negative slot);
    // returns the slot it stored, 0 when nothing was stored.
    std::function<int(QWidget* parent, int slot)> editEmployee;
    // The column the list is sorted by (0: slot order); kept for the program's run.
    int* sortColumn = nullptr;
    // Prints the roster of the open period (名簿印刷); the button is disabled without it.
    std::function<void()> printRoster;
};

class EmployeeListWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { Edit, ChoosePaySlips, ChooseLedger };

    EmployeeListWindow(QWidget* parent, EmployeeListContext context, Mode mode = Mode::Edit);

    // In a choosing mode after ＯＫ: the chosen slots in the order the list shows them.
    std::vector<int> chosenSlots() const { return chosen_; }
    // The slot of each line, in the order shown.
    std::vector<int> shownSlots() const;
    // Selects the line of `slot` (nothing when it is not shown).
    void selectSlot(int slot);

    // The buttons' actions.
    void addEmployee();
    void editSelected();
    void deleteSelected();
    // 年間グラフ: the year's pay and deductions of the selected employee (or the company).
    void showYearChart();
    void importCsv();
    // 住民税取込: the year's residence-tax amounts from a CSV file, after a preview.
    void importResidentTax();
    void exportCsv();
    void printList();
    void toggleSelectAll();
    void acceptChoice();
    // A click on header section `column` (0..7) sorts the list by it.
    void sortBy(int column);

  protected:
    void done(int result) override;

  private:
    void buildEditButtons(QHBoxLayout* row);
    void buildChoiceButtons(QHBoxLayout* row);
    // Rebuilds the lines in the current order, keeping the selection and the scroll position.
    void rebuildList();
    // The slot of the first selected line; 0 when none is selected.
    int selectedSlot() const;
    void writeLog(int code);
    void sizeHeaderToColumns();

    EmployeeListContext context_;
    Mode mode_;
    int localSortColumn_ = 0;
    QHeaderView* header_;
    QListWidget* list_;
    QLabel* status_;
    QPushButton* selectAllButton_ = nullptr;
    std::vector<int> chosen_;
};

}  // namespace keiro::payroll
