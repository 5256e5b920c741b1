#pragma once
// The third page of the common settings dialog, "項目名称変更" (tsItemName): the display names
// of the 15 attendance items and of the 11 payment items (基本給 cannot be renamed).

#include <QWidget>
#include <array>
#include <string>

#include "core/settings.h"
#include "payroll/config_checks.h"

class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class ConfigItemNamesPage : public QWidget {
    Q_OBJECT
  public:
    ConfigItemNamesPage(QWidget* parent, const Settings& settings, ui::MessageService& messages);

    void load(const Settings& settings);
    std::array<std::string, kAttendanceItemCount> attendanceNames() const;
    std::array<std::string, kPaymentNameCount> paymentNames() const;
    // The names into the settings (基本給 stays); they have passed the checks.
    void store(Settings& settings) const;

    // 初期状態に戻す: the standard names back in the boxes.
    void restoreDefaultNames();

  private:
    void showNames(const ItemNames& names);

    std::array<QLineEdit*, kAttendanceItemCount> attendance_{};
    std::array<QLineEdit*, kPaymentNameCount> payment_{};
};

}  // namespace keiro::payroll
