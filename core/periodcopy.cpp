#include "core/periodcopy.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "core/errors.h"
#include "core/opening_totals.h"

namespace keiro {

std::vector<SavedMonth> listSavedMonths(const std::filesystem::path& dataFolder,
                                        const EraNames& names) {
    std::vector<SavedMonth> months;
    for (const YearFileEntry& file : findYearFiles(dataFolder, names)) {
        YearFileHeader header{};
        try {
            header = readYearFileHeader(file.path);
        } catch (const IoError& e) {
            months.push_back({file.text + " (読み込めないファイルです)", file.path, 0, e.what()});
            continue;
        }
        for (int month = 1; month <= 12; ++month) {
            if (!header.isSaved(month)) continue;
            char suffix[32];
            std::snprintf(suffix, sizeof suffix, "%2d月分給与", month);
            months.push_back({file.text + suffix, file.path, month, std::string()});
        }
    }
    return months;
}

bool copyFromMonth(YearData& year, const SavedMonth& source) {
    const std::unique_ptr<PeriodBlock> chosen = readPeriodBlock(source.path, source.month);
    PeriodBlock& block = year.block();
    std::memset(&block, 0, sizeof block);
    block.settings = chosen->settings;
    std::memcpy(block.employees, chosen->employees, sizeof block.employees);
    for (EmployeeRecord& e : block.employees) e.remarks.clear();
    // Totals of the months before the program belong to the year they were entered in.
    std::error_code error;
    if (!std::filesystem::equivalent(source.path, year.path(), error)) clearOpeningTotals(block);
    return !block.settings.companyName.empty();
}

}  // namespace keiro
