#pragma once
// DataSelectionWindow "給与対象月/賞与時期の選択": the year file and period to work on, the period's
// basic figures, and the data management menu (backup, restore, creating a year file).

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
    void formShow();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;  // 終了 and closing the window

  private:
    void buildWindow();
    void cbTaisyoNenChange(int index);
    void listBoxChange();
    void bbOkClick();
    void deleteSelectedPeriod();
    void mnCreateClick();
    void mnDataBackupClick();
    void mnDataRestoreClick();
    void refreshPeriodColours();
    void selectYearFile(const std::filesystem::path& path);
    int selectedPeriod() const;

    SelectionContext context_;
    YearData& year_;
    CopySourceWindow* refData_;
    Outcome outcome_ = Outcome::Quit;
    bool startedEmpty_ = false;
    bool infoShown_ = false;
    std::vector<YearFileEntry> years_;
    YearFileHeader header_{};

    QComboBox* cbTaisyoNen_;
    QListWidget* listBox_;
    QGroupBox* gbKyuyo_;
    QGroupBox* gbSyoyo_;
    QLabel* lbNissu_;
    QLabel* lbJikan_;
    QLineEdit* edNissu_;
    QLineEdit* edJikan_;
    QLineEdit* edSikyuM_;
    QLineEdit* edSikyuD_;
};

}  // namespace keiro::payroll
