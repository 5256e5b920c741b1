#include "tools/saved_year.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/era.h"
#include "tools/args.h"

namespace keiro::tool {

PeriodEntry storedEntry(const std::filesystem::path& file, int period,
                        const YearFileHeader& header) {
    PeriodEntry entry;
    if (isBonusPeriod(period)) {
        entry.bonusPayMonth = header.bonusPayMonth[period - kFirstBonusPeriod];
        entry.bonusPayDay = header.bonusPayDay[period - kFirstBonusPeriod];
    } else {
        const auto block = readPeriodBlock(file, period);
        entry.scheduledDays = block->settings.scheduledDays;
        entry.scheduledHours = block->settings.scheduledHours;
    }
    return entry;
}

YearData openSavedYear(const std::filesystem::path& file, int period) {
    const std::optional<EraYear> year = parseYearFileName(file.filename().string());
    if (!year) throw UsageError("not a year file name: " + file.filename().string());
    const YearFileHeader header = readYearFileHeader(file);
    if (!header.isSaved(period))
        throw std::runtime_error("期間 " + std::to_string(period) + " は保存されていません。");
    EraNames names = eraNamesFor(todayInJapan(), "");
    if (year->eraName != names.earlier) names.newEra = year->eraName;

    YearData data;
    data.setFile(file, year->eraName, year->eraYear, names);
    data.openPeriod(period, storedEntry(file, period, header), nullptr);
    return data;
}

}  // namespace keiro::tool
