#include "core/year_view.h"

#include <cassert>
#include <cstring>

#include "core/fileio.h"
#include "core/period_check.h"
#include "core/yearfile.h"

namespace keiro {

YearView::YearView(const std::filesystem::path& path)
    : path_(path), blocks_(std::make_unique<PeriodBlock[]>(kPeriodCount)) {
    // The header reader refuses a file too short to be a year file before anything else.
    header_ = readYearFileHeader(path);
    readAt(path, blockOffset(1), blocks_.get(), kPeriodCount * sizeof(PeriodBlock));
    for (int period = 1; period <= kPeriodCount; ++period) {
        if (!isSaved(period)) {
            std::memset(&blocks_[period - 1], 0, sizeof(PeriodBlock));
        } else {
            requireSoundPeriod(path, period, blocks_[period - 1]);
        }
    }
}

std::optional<YearView> YearView::ifExists(const std::filesystem::path& path) {
    if (!mayExist(path)) return std::nullopt;
    return YearView(path);
}

const PeriodBlock& YearView::block(int period) const {
    assert(period >= 1 && period <= kPeriodCount);
    return blocks_[period - 1];
}

void YearView::placeEmployee(int period, int slot, const EmployeeRecord& employee) {
    assert(period >= 1 && period <= kPeriodCount);
    PeriodBlock& b = blocks_[period - 1];
    b.employee(slot) = employee;
    const auto index = static_cast<std::size_t>(indexOf(slot, kMaxEmployees));
    b.attendance[index] = {};
    b.payments[index] = {};
    b.deductions[index] = {};
}

}  // namespace keiro
