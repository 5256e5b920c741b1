#pragma once
// The second page of the common settings dialog, "自由項目設定" (tsFreeItem): the names of the
// twelve free items and the three others, their taxable and social-insurance flags, and the
// caption of the extra bonus.

#include <QWidget>
#include <array>
#include <string>

#include "core/settings.h"
#include "payroll/config_checks.h"

class QCheckBox;
class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

// The longest item name in code page 932 bytes: six full-width characters, as long as the
// longest standard name, which is what the slips and ledgers make room for.
inline constexpr int kItemNameMaxBytes = 12;

class ConfigFreeItemsPage : public QWidget {
    Q_OBJECT
  public:
    ConfigFreeItemsPage(QWidget* parent, const Settings& settings, ui::MessageService& messages);

    void load(const Settings& settings);
    // The fifteen names (items 26..40), trimmed.
    std::array<std::string, kFreeNameCount> names() const;
    std::string extraBonusCaption() const;
    // Names, caption and flags into the settings; the names have passed the checks.
    void store(Settings& settings) const;

    // 初期状態に戻す: the standard names back in the boxes (the flags stay).
    void restoreDefaultNames();

  private:
    std::array<QLineEdit*, kFreeNameCount> names_{};
    std::array<QCheckBox*, kFreeItemCount> taxable_{};
    std::array<QCheckBox*, kFreeItemCount> socialIns_{};
    QLineEdit* extraBonusCaptionEdit_;
};

}  // namespace keiro::payroll
