#pragma once
// DataSelectionWindow "給与対象月/賞与時期の選択": the year file and period to work on, the
// period's basic figures, and the data management menu (backup, restore, creating a year file).

#include <QDialog>
#include <functional>
#include <optional>

#include "core/era.h"
#include "core/ini.h"
#include "core/places.h"
#include "core/settings.h"
#include "core/yearfile.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace keiro::ui {
class MessageService;
class NumericEntry;
}  // namespace keiro::ui

namespace keiro::payroll {

class CopySourceWindow;

// What the window needs from the program.
struct SelectionContext {
    const Places& places;
    IniFile& ini;
    Settings& settings;
    EraNames eraNames;
    ui::MessageService& messages;
    // Folder choice for backup and restore (FolderWindow): title, whether folders may be created.
    std::function<std::optional<std::filesystem::path>(const QString&, bool)> chooseFolder;
    int currentCalendarYear = 0;
};

class DataSelectionWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Outcome { Opened, Quit, Restored };

    DataSelectionWindow(QWidget* parent, SelectionContext context, YearData& year);

    // Shows the window modally.  Opened: a period is open in `year` (startedEmpty() tells
    // whether the clerk declined to copy data); Quit: the clerk ended the program; Restored:
    // data was restored and the program must end without questions.
    Outcome choose();
    bool startedEmpty() const { return startedEmpty_; }
    // Fills the window from the data folder and the open file (what showing it does).
    void prepare();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;  // 終了 and closing the window

  private:
    void buildWindow();
    void chooseYear(int index);
    void showPeriodDetails();
    void openSelectedPeriod();
    void deleteSelectedPeriod();
    void createYearFile();
    void backUpDataFolder();
    void restoreDataFolder();
    void refreshPeriodColours();
    void selectYearFile(const std::filesystem::path& path);
    int selectedPeriod() const;

    SelectionContext context_;
    YearData& year_;
    CopySourceWindow* copySourceWindow_;
    Outcome outcome_ = Outcome::Quit;
    bool startedEmpty_ = false;
    bool infoShown_ = false;
    std::vector<YearFileEntry> years_;
    YearFileHeader header_{};

    QComboBox* yearCombo_;
    QListWidget* periodList_;
    QGroupBox* salaryGroup_;
    QGroupBox* bonusGroup_;
    QLabel* scheduledDaysLabel_;
    QLabel* scheduledHoursLabel_;
    QLineEdit* scheduledDaysEdit_;
    QLineEdit* scheduledHoursEdit_;
    QLineEdit* bonusPayMonthEdit_;
    QLineEdit* bonusPayDayEdit_;
};

}  // namespace keiro::payroll
