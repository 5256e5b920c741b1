#include "core/year_end_settlement.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <memory>
#include <optional>
#include <set>

#include "core/entry.h"
#include "core/fileio.h"
#include "core/period_check.h"
#include "core/yearfile.h"

namespace keiro {
namespace {

// An employee the period does not hold is named by the key the withholding program gave.
std::string employeeName(const SettlementEntry& entry) {
    return "社員（" + entry.recordId + "）";
}

std::string periodOf(int period) {
    return isBonusPeriod(period) ? periodLabel(period) : periodLabel(period) + "分給与";
}

// 差引支給額 as every report of the payroll program shows it.
std::int64_t netPayOf(const PaymentRecord& p, const DeductionRecord& d) {
    return std::int64_t{p.payTotal} - d.deductionTotal + p.otherItem1 + p.otherItem2 + p.otherItem3;
}

void requirePeriodNumber(int period) {
    if (period < 1 || period > kPeriodCount) {
        throw SettlementRefused("支給期間の指定が正しくありません（1〜15）。");
    }
}

void requireSaved(const YearFileHeader& header, int period) {
    if (!header.isSaved(period)) {
        throw SettlementRefused(periodOf(period) +
                                "のデータが保存されていません。給与プログラムで計算して保存してか"
                                "ら、年調過不足を書き込んでください。");
    }
}

// The period as it is on disk, refused unless it was saved.
std::unique_ptr<PeriodBlock> readSavedPeriod(const std::filesystem::path& yearFile, int period) {
    requirePeriodNumber(period);
    requireSaved(readYearFileHeader(yearFile), period);
    return readPeriodBlock(yearFile, period);
}

// The new 年調過不足 and 控除合計 of one slot, refused when the amounts leave the file's range.
void checkAmounts(const std::string& name, const SettlementEntry& entry,
                  std::int64_t deductionTotal, int period) {
    const auto inRange = [](std::int64_t value) {
        return value >= -kMaxStoredAmount && value <= kMaxStoredAmount;
    };
    if (!inRange(entry.amount) || !inRange(deductionTotal)) {
        throw SettlementRefused(name + "の年調過不足（" + std::to_string(entry.amount) + "円）は" +
                                periodOf(period) + "に書き込める金額を超えています。");
    }
}

// The process id of a lock file's holder and whether it was taken on this host; nothing when
// the file cannot be read or holds no process id.
struct LockHolder {
    long pid = 0;
    bool thisHost = true;
};
std::optional<LockHolder> readLockHolder(const std::filesystem::path& lockFile) {
    std::ifstream in(lockFile);
    std::string pidLine, program, host;
    if (!in || !std::getline(in, pidLine)) return std::nullopt;
    std::getline(in, program);
    std::getline(in, host);
    LockHolder holder;
    try {
        std::size_t used = 0;
        holder.pid = std::stol(pidLine, &used);
        if (used != pidLine.size() || holder.pid <= 0) return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    std::array<char, 256> name{};
    if (!host.empty() && ::gethostname(name.data(), name.size() - 1) == 0) {
        holder.thisHost = host == name.data();
    }
    return holder;
}

}  // namespace

bool payrollProgramHoldsFolder(const std::filesystem::path& dataFolder) {
    const std::optional<LockHolder> holder =
        readLockHolder(dataFolder / std::string(kPayrollLockFileName));
    if (!holder) return false;
    if (!holder->thisHost) return true;
    if (holder->pid == ::getpid()) return false;  // this process: a command writing under it
    // Signal 0 only asks whether the process exists (EPERM: it does, under another user).
    return ::kill(static_cast<pid_t>(holder->pid), 0) == 0 || errno == EPERM;
}

bool settlementPayableIn(const PeriodBlock& block, const SettlementEntry& entry) {
    const int index = slotOf(block, entry.recordId);
    return index >= 0 && isActiveEmployee(block.employees[index]);
}

std::vector<SettledEmployee> applySettlement(PeriodBlock& block, int period,
                                             const std::vector<SettlementEntry>& entries) {
    requirePeriodNumber(period);
    // Worked on a copy: the block stays as it was when an entry is refused.
    const auto copy = std::make_unique<PeriodBlock>(block);
    PeriodBlock& changed = *copy;
    std::set<int> taken;
    std::vector<SettledEmployee> settled;
    for (const SettlementEntry& entry : entries) {
        const int index = slotOf(changed, entry.recordId);
        if (index < 0) {
            throw SettlementRefused(employeeName(entry) + "は" + periodOf(period) +
                                    "の給与データにいません。");
        }
        const EmployeeRecord& e = changed.employees[index];
        if (!isActiveEmployee(e)) {
            throw SettlementRefused(e.name.utf8() + "は" + periodOf(period) +
                                    "に在職していないため、年調過不足を書き込めません。");
        }
        if (!taken.insert(index).second) {
            throw SettlementRefused(e.name.utf8() + "の年調過不足が二つ指定されています。");
        }
        const PaymentRecord& p = changed.payments[index];
        DeductionRecord& d = changed.deductions[index];
        const std::int64_t deductionTotal =
            std::int64_t{d.deductionTotal} - d.yearEndSettlement + entry.amount;
        checkAmounts(e.name.utf8(), entry, deductionTotal, period);

        SettledEmployee out{index + 1, e.name.utf8(), entry.amount, netPayOf(p, d), 0};
        d.yearEndSettlement = static_cast<std::int32_t>(entry.amount);
        d.deductionTotal = static_cast<std::int32_t>(deductionTotal);
        out.netPayAfter = netPayOf(p, d);
        settled.push_back(std::move(out));
    }
    std::sort(settled.begin(), settled.end(),
              [](const SettledEmployee& a, const SettledEmployee& b) { return a.slot < b.slot; });
    block = changed;
    return settled;
}

std::vector<SettledEmployee> previewYearEndSettlement(const std::filesystem::path& yearFile,
                                                      int period,
                                                      const std::vector<SettlementEntry>& entries) {
    const std::unique_ptr<PeriodBlock> block = readSavedPeriod(yearFile, period);
    return applySettlement(*block, period, entries);
}

std::vector<SettledEmployee> settleYearEnd(const std::filesystem::path& yearFile, int period,
                                           const std::vector<SettlementEntry>& entries) {
    if (payrollProgramHoldsFolder(yearFile.parent_path())) {
        throw SettlementRefused(
            "給与プログラムが起動しています。給与プログラムを終了してから、年調過不足を書き込んで"
            "ください。");
    }
    const std::unique_ptr<PeriodBlock> block = readSavedPeriod(yearFile, period);
    std::vector<SettledEmployee> settled = applySettlement(*block, period, entries);
    rewriteSavedBlocks(yearFile, {{period, block.get()}});
    return settled;
}

}  // namespace keiro
