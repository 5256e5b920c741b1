#include "core/yearfile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "core/file_upkeep.h"
#include "core/fileio.h"
#include "core/opening_totals.h"
#include "core/period_check.h"
#include "core/year_recovery.h"

namespace keiro {
namespace {

constexpr std::string_view kRead = "読み込み";

std::string wrongSize(std::size_t size) {
    return "ファイルの大きさが " + std::to_string(size) + " バイトで、" +
           std::to_string(kYearFileSize) +
           " バイトではありません。壊れているか、給与･賞与のデータファイルではありません。";
}

// A year file must be a regular file of exactly its size before any part of it is used; a
// shorter one would give some periods and fail on others, a longer one is something else.
void requireWholeYearFile(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) throw IoError(path, kRead, errno);
    if (!S_ISREG(info.st_mode)) throw IoError(path, kRead, "通常のファイルではありません。");
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size != kYearFileSize) throw IoError(path, kRead, wrongSize(size));
}

// The whole file, refused unless it has the size of a year file and a sound header.
std::string readWholeYearFile(const fs::path& path) {
    requireWholeYearFile(path);  // before reading, so that a huge file is never loaded
    std::string content = readFile(path);
    if (content.size() != kYearFileSize) throw IoError(path, kRead, wrongSize(content.size()));
    YearFileHeader header;
    std::memcpy(&header, content.data(), sizeof header);
    requireSoundHeader(path, header);
    return content;
}

void checkPeriod(int period) {
    if (period < 1 || period > kPeriodCount) {
        throw std::out_of_range("period " + std::to_string(period) + " is not 1..15");
    }
}

}  // namespace

int slotOf(const PeriodBlock& block, std::string_view recordId) {
    if (recordId.empty()) return -1;
    for (int i = 0; i < kMaxEmployees; ++i) {
        if (block.employees[i].recordId.bytes() == recordId) return i;
    }
    return -1;
}

namespace {

void clearEmployeeArray(PeriodBlock& block) {
    std::memset(block.employees, 0, sizeof block.employees);
}

void markNeverSaved(YearFileHeader& header, int period) {
    header.periodSaved[period - 1] = 0;
    if (isBonusPeriod(period)) {
        header.bonusPayMonth[period - kFirstBonusPeriod] = 0;
        header.bonusPayDay[period - kFirstBonusPeriod] = 0;
    }
}

bool anyMonthSavedAfter(const YearFileHeader& header, int month) {
    for (int later = month + 1; later <= 12; ++later) {
        if (header.isSaved(later)) return true;
    }
    return false;
}

}  // namespace

// --- any year file -----------------------------------------------------------------------

bool createYearFileIfMissing(const fs::path& path) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error))) return false;
    writeFileAtomic(path, std::string(kYearFileSize, '\0'));
    return true;
}

YearFileHeader readYearFileHeader(const fs::path& path) {
    requireWholeYearFile(path);
    YearFileHeader header;
    readAt(path, 0, &header, sizeof header);
    requireSoundHeader(path, header);
    return header;
}

void readPeriodBlock(const fs::path& path, int period, PeriodBlock& out) {
    checkPeriod(period);
    requireWholeYearFile(path);
    readAt(path, blockOffset(period), &out, sizeof out);
    requireSoundPeriod(path, period, out);
}

std::unique_ptr<PeriodBlock> readPeriodBlock(const fs::path& path, int period) {
    auto block = std::make_unique<PeriodBlock>();
    readPeriodBlock(path, period, *block);
    return block;
}

NewYearFile createNewYearFile(const fs::path& dataFolder, std::string_view eraName, int eraYear) {
    if (eraYear <= 1) return {"年の入力エラー(0以下または元年は不可)", {}};
    fs::path path = dataFolder / yearFileName({std::string(eraName), eraYear});
    if (mayExist(path)) return {"入力された年のデータは存在します。", path};
    createYearFileIfMissing(path);
    return {"", path};
}

// --- the open year ------------------------------------------------------------------------

// What the second half of opening a new period needs.
struct YearData::PendingOpen {
    PeriodEntry entry;
    std::unique_ptr<PeriodBlock> previous;  // for the paid-leave carry; null when missing
    bool savedBefore = false;               // only the scheduled days and hours are taken over
};

YearData::YearData() = default;
YearData::~YearData() = default;
YearData::YearData(YearData&&) noexcept = default;
YearData& YearData::operator=(YearData&&) noexcept = default;

void YearData::setFile(fs::path path, std::string eraName, int eraYear, EraNames names) {
    path_ = std::move(path);
    try {
        removeLeftoverTempFiles(followLinks(path_));  // what an interrupted save left behind
    } catch (const IoError&) {
        // a link that leads nowhere: reading the file reports it
    }
    eraName_ = std::move(eraName);
    eraYear_ = eraYear;
    names_ = std::move(names);
    period_ = 0;
    header_ = YearFileHeader{};
    document_.close();
    pending_.reset();
}

fs::path YearData::previousYearPath() const {
    return path_.parent_path() / previousYearFileName(eraName_, eraYear_, names_);
}

void YearData::requirePeriod(int period) const {
    checkPeriod(period);
}

void YearData::clearBlock() {
    std::memset(&document_.block(), 0, sizeof(PeriodBlock));
}

std::unique_ptr<PeriodBlock> YearData::readPreviousBlock(int period) const {
    if (period > 1) return readPeriodBlock(path_, period - 1);
    const fs::path previousYear = previousYearPath();
    if (!mayExist(previousYear)) return nullptr;
    return readPeriodBlock(previousYear, 12);
}

// Where a new period's settings and employees come from: the month before, or for a bonus
// the latest saved month, or December of the previous year for a bonus paid in January.
std::unique_ptr<PeriodBlock> YearData::readSourceBlock(int period,
                                                       const YearFileHeader& header) const {
    if (!isBonusPeriod(period)) {
        std::unique_ptr<PeriodBlock> previous = readPreviousBlock(period);
        // Last year's totals of the months before the program do not carry into a new year.
        if (previous && period == 1) clearOpeningTotals(*previous);
        return previous;
    }
    for (int month = 12; month >= 1; --month) {
        if (header.isSaved(month)) return readPeriodBlock(path_, month);
    }
    if (header.bonusPayMonth[period - kFirstBonusPeriod] != 1) return nullptr;
    const fs::path previousYear = previousYearPath();
    if (!mayExist(previousYear) || !readYearFileHeader(previousYear).isSaved(12)) return nullptr;
    std::unique_ptr<PeriodBlock> december = readPeriodBlock(previousYear, 12);
    clearOpeningTotals(*december);
    return december;
}

OpenResult YearData::beginOpenPeriod(int period, const PeriodEntry& entry) {
    requirePeriod(period);
    // Everything is read into fresh objects first, so an IoError leaves memory as it was.
    YearFileHeader header = readYearFileHeader(path_);
    if (isBonusPeriod(period)) {
        header.bonusPayMonth[period - kFirstBonusPeriod] = entry.bonusPayMonth;
        header.bonusPayDay[period - kFirstBonusPeriod] = entry.bonusPayDay;
    }
    auto block = std::make_unique<PeriodBlock>();
    OpenResult result;
    std::unique_ptr<PendingOpen> pending;

    std::unique_ptr<PeriodBlock> saved;     // the block as in the file, for the unsaved-change test
    const PeriodBlock* previous = nullptr;  // the period before, for its paid-leave balances
    std::unique_ptr<PeriodBlock> previousRead;
    std::exception_ptr previousError;
    if (header.isSaved(period)) {
        readPeriodBlock(path_, period, *block);
        saved = std::make_unique<PeriodBlock>(*block);
        // The clerk may correct a saved month's scheduled days and hours in the selection
        // window; they are taken over, the attendance already entered is not touched.
        if (!isBonusPeriod(period)) {
            pending = std::make_unique<PendingOpen>();
            pending->entry = entry;
            pending->savedBefore = true;
        }
    } else {
        std::unique_ptr<PeriodBlock> source = readSourceBlock(period, header);
        if (source) {
            block->settings = source->settings;
            std::memcpy(block->employees, source->employees, sizeof block->employees);
            for (EmployeeRecord& e : block->employees) e.remarks.clear();
        }
        if (!block->settings.companyName.empty() && !isBonusPeriod(period) &&
            anyMonthSavedAfter(header, period)) {
            block->settings = PeriodSettings{};
            clearEmployeeArray(*block);
            result.laterMonthSaved = true;
        }
        result.needsCompanyData = block->settings.companyName.empty();
        // Without company data the copy window starts from an empty period, whatever it offers.
        if (result.needsCompanyData) {
            block->settings = PeriodSettings{};
            clearEmployeeArray(*block);
        }
        pending = std::make_unique<PendingOpen>();
        pending->entry = entry;
        // For a month the source is the period before, which the paid-leave carry reads too.
        if (!isBonusPeriod(period)) {
            pending->previous = std::move(source);
            previous = pending->previous.get();
        }
    }
    if (header.isSaved(period) || isBonusPeriod(period)) {
        // Read once here so that leaving a cell reads no file; an unreadable file is reported
        // when a balance is asked for, as it would have been.
        try {
            previousRead = readPreviousBlock(period);
            previous = previousRead.get();
        } catch (const IoError&) {
            previousError = std::current_exception();
        }
    }

    header_ = header;
    document_.open(period, std::move(block), saved.get(), previous, previousError);
    period_ = period;
    pending_ = std::move(pending);
    return result;
}

void YearData::finishOpenPeriod() {
    if (!pending_) return;  // a saved bonus is complete as read
    const std::unique_ptr<PendingOpen> pending = std::move(pending_);
    PeriodBlock& block = document_.block();
    PeriodSettings& settings = block.settings;
    settings.scheduledDays = pending->entry.scheduledDays;
    settings.scheduledHours = pending->entry.scheduledHours;
    if (isBonusPeriod(period_) || pending->savedBefore) return;

    for (int i = 0; i < kMaxEmployees; ++i) {
        const EmployeeRecord& employee = block.employees[i];
        if (!employee.isUsed()) continue;
        AttendanceRecord& attendance = block.attendance[i];
        if (employee.payForm == 1) {
            attendance.daysWorked = settings.scheduledDays;
            attendance.hoursWorked = settings.scheduledHours;
        }
        if (!pending->previous) continue;
        const int previousSlot = slotOf(*pending->previous, employee.recordId.bytes());
        if (previousSlot < 0) continue;
        attendance.paidLeaveBalance =
            pending->previous->attendance[previousSlot].paidLeaveBalance - attendance.paidLeaveDays;
    }
}

OpenResult YearData::openPeriod(
    int period, const PeriodEntry& entry,
    const std::function<void(YearData&, const OpenResult&)>& chooseSource) {
    const OpenResult result = beginOpenPeriod(period, entry);
    if (result.needsCompanyData && chooseSource) chooseSource(*this, result);
    finishOpenPeriod();
    return result;
}

void YearData::savePeriod() {
    saveOpenPeriod(*this);
}

void YearData::deletePeriod(int period) {
    requirePeriod(period);
    std::string content = readWholeYearFile(path_);
    YearFileHeader header;
    std::memcpy(&header, content.data(), sizeof header);
    markNeverSaved(header, period);
    std::memcpy(content.data(), &header, sizeof header);
    std::memset(content.data() + blockOffset(period), 0, kBlockSize);
    writeFileAtomic(path_, content);

    markNeverSaved(header_, period);
    if (period == period_) {
        clearBlock();
        document_.markDeleted();
        pending_.reset();
    }
}

double YearData::readPreviousPaidLeaveBalance(int period, std::string_view recordId) const {
    requirePeriod(period);
    const std::unique_ptr<PeriodBlock> previous = readPreviousBlock(period);
    const int slot = previous ? slotOf(*previous, recordId) : -1;
    return slot < 0 ? kNoPaidLeaveBalance : previous->attendance[slot].paidLeaveBalance;
}

int YearData::readPreviousPayAfterSocialIns(int period, std::string_view recordId) const {
    requirePeriod(period);
    const std::unique_ptr<PeriodBlock> previous = readPreviousBlock(period);
    const int slot = previous ? slotOf(*previous, recordId) : -1;
    return slot < 0 ? 0 : previous->deductions[slot].payAfterSocialIns;
}

void rewriteSavedBlocks(const fs::path& path,
                        const std::vector<std::pair<int, const PeriodBlock*>>& blocks) {
    const fs::path target = followLinks(path);
    std::string content = readWholeYearFile(target);
    YearFileHeader header;
    std::memcpy(&header, content.data(), sizeof header);
    for (const auto& [period, block] : blocks) {
        checkPeriod(period);
        if (!header.isSaved(period)) {
            throw std::invalid_argument("period not saved: " + std::to_string(period));
        }
        std::memcpy(content.data() + blockOffset(period), block, kBlockSize);
    }
    writeFileAtomic(target, content);
}

std::string saveOpenPeriod(YearData& year) {
    if (year.period() == 0) throw std::logic_error("no period is open");
    const int period = year.period();
    PeriodBlock& block = year.block();
    for (EmployeeRecord& e : block.employees) {
        std::memset(e.reserved573, 0, sizeof e.reserved573);
    }
    YearFileHeader header = year.header();

    // The whole file is rewritten with the header and this block patched in: the same bytes an
    // update in place would leave, but a failure can never leave a half-written file.  A file
    // that has gone or is damaged never holds the open period hostage: it is started afresh or
    // rebuilt from what can still be read, and the clerk is told.
    const fs::path target = followLinks(year.path());
    std::string content;
    std::optional<RecoveredYear> recovered;
    if (!mayExist(target)) {
        recovered = startMissingYearFile();
    } else {
        try {
            content = readWholeYearFile(target);
        } catch (const IoError& e) {
            if (e.errorNumber() != 0) throw;  // no access, no device: nothing to mend here
            recovered = salvageDamagedYearFile(target, period);
        }
    }
    if (recovered) {
        content = std::move(recovered->content);
        const double headerValue = header.headerValue;
        std::memcpy(&header, content.data(), sizeof header);
        header.headerValue = headerValue;
        if (isBonusPeriod(period)) {
            const int bonus = period - kFirstBonusPeriod;
            header.bonusPayMonth[bonus] = year.header().bonusPayMonth[bonus];
            header.bonusPayDay[bonus] = year.header().bonusPayDay[bonus];
        }
    }
    header.periodSaved[period - 1] = 1;
    std::memcpy(content.data(), &header, sizeof header);
    std::memcpy(content.data() + blockOffset(period), &block, kBlockSize);
    writeFileAtomic(target, content);
    year.header() = header;
    year.document().markSaved();
    return recovered ? recoveryNotice(target, *recovered) : std::string();
}

}  // namespace keiro
