#pragma once
// RateTableWindow, "健康保険料率選択": the prefecture health insurance rates of "健康保険料率.dat",
// one a line.  The user picks a prefecture and the window gives back half its full rate (the
// employee's share), which the settings dialog puts into its health rate box.

#include <QDialog>
#include <filesystem>
#include <optional>
#include <vector>

#include "calc/premium_tables.h"
#include "core/places.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

// The rate list beside the program (or in the installed share folder); a path that does not
// exist when neither has it, so the window shows an empty list.
std::filesystem::path rateListPath(const Places& places);

class RateTableWindow : public QDialog {
    Q_OBJECT
  public:
    RateTableWindow(QWidget* parent, ui::MessageService& messages,
                    std::filesystem::path rateListPath);

    // Fills the list, shows the window modally and returns half the chosen rate; nothing when
    // cancelled.
    std::optional<double> choose();

    // Reads the file again into the list: empty and disabled when the file is missing or
    // cannot be read (the reason is shown), and OK disabled until a line is clicked.
    void reloadRates();
    // OK (or a double click): the information, then half the selected line's rate.
    void acceptRate();

    std::optional<double> chosenRate() const { return chosen_; }

  private:
    void enableOkButton();

    ui::MessageService& messages_;
    std::filesystem::path path_;
    std::vector<calc::PrefectureRate> rates_;
    std::optional<double> chosen_;
    QListWidget* list_;
    QPushButton* okButton_;
};

}  // namespace keiro::payroll
