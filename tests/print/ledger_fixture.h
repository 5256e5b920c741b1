// Small pay data for the ledger and list tests: period blocks with a few employees whose figures
// follow from their pay, and a year file holding some of them as saved periods.
#pragma once

#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "core/fileio.h"
#include "core/records.h"

namespace keiro::testing_support {

inline std::unique_ptr<PeriodBlock> newBlock(std::string_view company = "有限会社テスト商会") {
    auto block = std::make_unique<PeriodBlock>();
    std::memset(block.get(), 0, sizeof(PeriodBlock));
    block->settings.companyName.assign(company);
    return block;
}

// An employee in employment, paid `basePay` with 固定手当２ 5,000, その他１ 1,000, 健康保険料
// 10,000, 子ども・子育て支援金 300 and 所得税 4,000; 20 days worked and 1.5 hours of overtime.
inline EmployeeRecord& addEmployee(PeriodBlock& block, int slot, std::string_view recordId,
                                   std::string_view name, int basePay,
                                   std::string_view department = "") {
    EmployeeRecord& e = block.employee(slot);
    e.recordId.assign(recordId);
    e.name.assign(name);
    e.department.assign(department);
    e.category = 2;
    e.payForm = 1;
    e.workStatus = 1;
    AttendanceRecord& a = block.attendance[slot - 1];
    a.daysWorked = 20;
    a.overtimeHours = 1.5;
    PaymentRecord& p = block.payments[slot - 1];
    p.basePayAmount = basePay;
    p.fixedAllowance2 = 5000;
    p.payTotal = basePay + 5000;
    p.taxablePayTotal = basePay + 5000;
    p.otherItem1 = 1000;
    DeductionRecord& d = block.deductions[slot - 1];
    d.healthInsAmount = 10000;
    d.supportAmount = 300;
    d.socialInsTotal = 10300;
    d.payAfterSocialIns = p.payTotal - 10300;
    d.incomeTax = 4000;
    d.deductionTotal = 14300;
    d.socialInsBase = p.payTotal;
    return e;
}

// A year file with the given periods saved (nullptr: never saved, its block left as zeros).
inline void writeYearFile(const std::filesystem::path& path,
                          const std::array<const PeriodBlock*, kPeriodCount>& periods) {
    std::string content(kYearFileSize, '\0');
    YearFileHeader header{};
    for (int k = 1; k <= kPeriodCount; ++k) {
        const PeriodBlock* block = periods[static_cast<std::size_t>(k - 1)];
        if (block == nullptr) continue;
        header.periodSaved[k - 1] = 1;
        std::memcpy(content.data() + blockOffset(k), block, kBlockSize);
    }
    std::memcpy(content.data(), &header, sizeof header);
    writeFileAtomic(path, content);
}

}  // namespace keiro::testing_support
