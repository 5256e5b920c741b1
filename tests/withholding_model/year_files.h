#pragma once
// Year files written for the withholding tests: a header and fifteen blocks built in memory,
// written whole.

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/fileio.h"
#include "core/records.h"

namespace keiro::withholding::testing {

class YearFileWriter {
  public:
    YearFileWriter() : blocks_(kPeriodCount) {
        for (auto& block : blocks_) block = std::make_unique<PeriodBlock>();
    }

    PeriodBlock& block(int period) { return *blocks_[period - 1]; }
    void markSaved(int period) { header_.periodSaved[period - 1] = 1; }

    // Puts an employee into a slot of a period (marked saved) with the period's three amounts.
    EmployeeRecord& put(int period, int slot, const std::string& recordId, int paid = 0,
                        int socialInsurance = 0, int tax = 0) {
        markSaved(period);
        PeriodBlock& b = block(period);
        EmployeeRecord& employee = b.employee(slot);
        employee.recordId.assign(recordId);
        b.payments[slot - 1].taxablePayTotal = paid;
        b.deductions[slot - 1].socialInsTotal = socialInsurance;
        b.deductions[slot - 1].incomeTax = tax;
        return employee;
    }

    void write(const std::filesystem::path& path) const {
        std::string content(kYearFileSize, '\0');
        std::memcpy(content.data(), &header_, sizeof header_);
        for (int k = 1; k <= kPeriodCount; ++k) {
            std::memcpy(content.data() + blockOffset(k), blocks_[k - 1].get(), kBlockSize);
        }
        writeFileAtomic(path, content);
    }

  private:
    YearFileHeader header_{};
    std::vector<std::unique_ptr<PeriodBlock>> blocks_;
};

}  // namespace keiro::withholding::testing
