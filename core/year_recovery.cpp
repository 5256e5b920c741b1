#include "core/year_recovery.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/fileio.h"
#include "core/period_check.h"

namespace keiro {
namespace {

// "<name>.破損yyyymmddhhmmss", with a counter when that name is taken already.
fs::path keptName(const fs::path& path) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    const std::string base = path.filename().string() + ".破損" + stamp;
    fs::path candidate = path.parent_path() / base;
    for (int n = 2; mayExist(candidate); ++n) {
        candidate = path.parent_path() / (base + "-" + std::to_string(n));
    }
    return candidate;
}

// The damaged file stays under the new name.  A second name for the same file keeps the
// original in place until the new file replaces it; where the file system has no such names
// (memory sticks), the file is renamed.
void keep(const fs::path& path, const fs::path& kept) {
    if (::link(path.c_str(), kept.c_str()) == 0) return;
    if (::rename(path.c_str(), kept.c_str()) != 0) throw IoError(kept, "作成", errno);
}

std::string labels(const std::vector<int>& periods) {
    if (periods.empty()) return "なし";
    std::string out;
    for (int period : periods) out += (out.empty() ? "" : "、") + periodLabel(period);
    return out;
}

}  // namespace

RecoveredYear startMissingYearFile() {
    return {std::string(kYearFileSize, '\0'), {}, {}, {}};
}

RecoveredYear salvageDamagedYearFile(const fs::path& path, int openPeriod) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        throw IoError(path, "読み込み", "通常のファイルではありません。");
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) throw IoError(path, "読み込み", error.value());
    // Only the part where a year file would be is of use; a huge file is never read whole.
    std::string damaged(static_cast<std::size_t>(std::min<std::uintmax_t>(size, kYearFileSize)),
                        '\0');
    readAt(path, 0, damaged.data(), damaged.size());

    RecoveredYear out = startMissingYearFile();
    YearFileHeader old{};
    out.headerLost = damaged.size() < kHeaderSize;
    if (!out.headerLost) std::memcpy(&old, damaged.data(), sizeof old);
    YearFileHeader fresh{};
    fresh.headerValue = old.headerValue;
    auto block = std::make_unique<PeriodBlock>();
    for (int period = 1; period <= kPeriodCount; ++period) {
        if (period == openPeriod || old.periodSaved[period - 1] != 1) continue;
        const std::size_t offset = blockOffset(period);
        const bool whole = damaged.size() >= offset + kBlockSize;
        if (whole) std::memcpy(block.get(), damaged.data() + offset, kBlockSize);
        if (!whole || !periodProblem(*block).empty()) {
            out.lostPeriods.push_back(period);
            continue;
        }
        std::memcpy(out.content.data() + offset, block.get(), kBlockSize);
        fresh.periodSaved[period - 1] = 1;
        if (isBonusPeriod(period)) {
            const int bonus = period - kFirstBonusPeriod;
            fresh.bonusPayMonth[bonus] = old.bonusPayMonth[bonus];
            fresh.bonusPayDay[bonus] = old.bonusPayDay[bonus];
            if (!headerProblem(fresh).empty()) {  // a pay date out of range is not carried
                fresh.bonusPayMonth[bonus] = 0;
                fresh.bonusPayDay[bonus] = 0;
            }
        }
        out.carriedPeriods.push_back(period);
    }
    std::memcpy(out.content.data(), &fresh, sizeof fresh);
    out.keptAs = keptName(path);
    keep(path, out.keptAs);
    return out;
}

std::string recoveryNotice(const fs::path& path, const RecoveredYear& recovered) {
    if (recovered.keptAs.empty()) {
        return "データファイルが見つからないため、新しいファイルを作成して保存しました。\n" +
               path.string() + "\nこのファイルには開いている期間だけが入っています。";
    }
    return "データファイルが壊れていたため、新しいファイルを作成して保存しました。\n" +
           path.string() + "\n壊れたファイルは次の名前で残してあります。\n" +
           recovered.keptAs.string() +
           "\n新しいファイルに移した期間: " + labels(recovered.carriedPeriods) +
           "\n読み取れなかった期間: " +
           (recovered.headerLost ? std::string("不明（保存済みの印が読み取れません）")
                                 : labels(recovered.lostPeriods));
}

}  // namespace keiro
