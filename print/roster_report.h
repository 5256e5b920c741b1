#pragma once
// 社員名簿一覧表: every registered employee's master settings, in slot order (those on leave or
// gone included), ten employee columns a page on A4 landscape.

#include <chrono>
#include <string>
#include <vector>

#include "core/items.h"
#include "core/records.h"
#include "print/report.h"
#include "print/roster_rows.h"

namespace keiro::print {

inline constexpr int kRosterColumnsPerPage = 10;

class RosterReport : public Report {
  public:
    // The employees are the used slots of `block` up to the first free one, gathered now.
    RosterReport(const PeriodBlock& block, const ItemNames& names,
                 std::chrono::year_month_day printDate);

    int pageCount() const override;
    std::string countText() const override;  // " %2d枚 [%d名]"
    PaperChoice paper() const override;
    DocumentInfo documentInfo() const override { return {"社員名簿一覧表", company_}; }
    void drawPage(Canvas& canvas, int page, const PageOptions& options) const override;

    int employeeCount() const { return static_cast<int>(columns_.size()); }

  private:
    void drawFrame(Canvas& canvas, int page) const;

    std::vector<std::array<RosterCell, kRosterRows>> columns_;
    std::array<std::string, kRosterRows> labels_;
    std::string company_;
    std::string printDate_;
};

}  // namespace keiro::print
