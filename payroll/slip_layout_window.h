#pragma once
// The pay slip item layouts: SalarySlipLayoutWindow "給与明細書印刷項目の設定" for salary slips and
// BonusSlipLayoutWindow "賞与明細書印刷項目の設定" for bonus slips (no attendance band).  The tabs
// 月 給, 日 給 and 時間給 choose the pay form whose use flags are shown and switched by clicking an
// item name; dragging a row by its handle reorders the band for all three pay forms.  Nothing is
// written before OK, which stores the layout and hands back its print tables.

#include <QDialog>
#include <array>
#include <optional>

#include "core/ini.h"
#include "core/items.h"
#include "core/layouts.h"

class QTabWidget;
class QWidget;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class LayoutGrid;

class SlipLayoutWindow : public QDialog {
    Q_OBJECT
  public:
    // Loads the layout from the configuration and shows it modally: the print tables of the
    // layout written on OK, nothing on Cancel.
    std::optional<PrintTables> edit();

    // Prepares a showing: the stored layout, the 月 給 tab.
    void prepare();
    // 初期状態に戻す: after a yes, the standard rows and flags (written only by OK).
    void resetLayout();
    // OK: writes the layout and closes; a file that cannot be written is reported and the
    // window stays open.
    void saveAndClose();

    LayoutKind kind() const { return kind_; }
    const ItemLayout& layout() const { return layout_; }
    // The pay form of the current tab, 1 月給, 2 日給, 3 時間給.
    int payForm() const;
    // nullptr for the attendance band of the bonus window.
    LayoutGrid* grid(Band band) const { return grids_[static_cast<int>(band)]; }
    const std::optional<PrintTables>& savedTables() const { return saved_; }

  protected:
    SlipLayoutWindow(QWidget* parent, LayoutKind kind, IniFile& ini, const ItemNames& names,
                     ui::MessageService& messages);

  private:
    QWidget* buildBands();
    void showPayFormTab(int index);
    void toggleRow(Band band, int row);
    void dragRow(Band band, int from, int to);
    void refreshGrids();

    LayoutKind kind_;
    IniFile& ini_;
    const ItemNames& names_;
    ui::MessageService& messages_;
    ItemLayout layout_;
    std::optional<PrintTables> saved_;
    QTabWidget* payFormTabs_;
    QWidget* bands_;  // the grids, moved onto the current tab
    std::array<LayoutGrid*, kBandCount> grids_{};
};

class SalarySlipLayoutWindow : public SlipLayoutWindow {
    Q_OBJECT
  public:
    SalarySlipLayoutWindow(QWidget* parent, IniFile& ini, const ItemNames& names,
                           ui::MessageService& messages)
        : SlipLayoutWindow(parent, LayoutKind::Salary, ini, names, messages) {}
};

class BonusSlipLayoutWindow : public SlipLayoutWindow {
    Q_OBJECT
  public:
    BonusSlipLayoutWindow(QWidget* parent, IniFile& ini, const ItemNames& names,
                          ui::MessageService& messages)
        : SlipLayoutWindow(parent, LayoutKind::Bonus, ini, names, messages) {}
};

}  // namespace keiro::payroll
