#pragma once
// A whole year file, read once, for the work that needs more than one period: the year-to-date
// figures of pay slips and ledgers, the earlier bonuses of the health-insurance year, the yearly
// totals of the year-end adjustment.  It is a snapshot of the file on disk: what the payroll
// program holds in memory and has not saved is not in it.
//
// A period that was never saved (or was deleted) reads as all zeros, whatever bytes its block
// holds: only saved periods are periods.  A file that cannot be read, or is shorter than a year
// file, is an IoError, as with the single-period readers of yearfile.h.

#include <filesystem>
#include <memory>
#include <optional>

#include "core/records.h"

namespace keiro {

class YearView {
  public:
    explicit YearView(const std::filesystem::path& path);

    // The view of a file that may not exist: nothing when it is missing (a year before the
    // first one kept); IoError when it exists but cannot be read.
    static std::optional<YearView> ifExists(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    const YearFileHeader& header() const { return header_; }
    bool isSaved(int period) const { return header_.isSaved(period); }
    // Period 1..15; all zeros when it was never saved.
    const PeriodBlock& block(int period) const;

    // Puts an employee into a slot of a period of this view, in memory only (the file is not
    // touched), with the slot's attendance, payment and deduction rows cleared: how the
    // withholding program shows an employee whose payroll row was removed before December.
    void placeEmployee(int period, int slot, const EmployeeRecord& employee);

  private:
    std::filesystem::path path_;
    YearFileHeader header_{};
    std::unique_ptr<PeriodBlock[]> blocks_;  // kPeriodCount of them
};

}  // namespace keiro
