// Any bytes as a year file: opening every period, the unsaved-change test, the saved-month list,
// the whole-year view and the bonus history read from it must either work or end in an IoError,
// never crash.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "calc/premiums.h"
#include "core/fileio.h"
#include "core/periodcopy.h"
#include "core/year_view.h"
#include "core/yearfile.h"
#include "fuzz/data_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path& dataFolder() {
    static const keiro::fuzz::DataFolder folder("yearfile");
    return folder.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keiro;
    const EraNames names{"平成", "令和"};
    // The input is this year's file; a copy of it stands in as the previous year's.
    const fs::path path = dataFolder() / yearFileName({"令和", 2});
    const fs::path previous = dataFolder() / yearFileName({"平成", 31});
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    writeFileAtomic(path, bytes);
    writeFileAtomic(previous, bytes);

    try {
        const YearView whole(path);
        for (int period = kFirstBonusPeriod; period <= kPeriodCount; ++period) {
            calc::BonusHistory::load(whole, previous, period, whole.header());
        }
    } catch (const IoError&) {
    }

    YearData year;
    year.setFile(path, "令和", 2, names);
    for (int period = 1; period <= kPeriodCount; ++period) {
        try {
            year.openPeriod(period, {20, 160.0, 1, 10}, [&](YearData& y, const OpenResult&) {
                const auto months = listSavedMonths(dataFolder(), names);
                const auto usable = std::find_if(months.rbegin(), months.rend(),
                                                 [](const SavedMonth& m) { return m.usable(); });
                if (usable != months.rend()) copyFromMonth(y, *usable);
            });
            year.document().isModified();
            year.document().previousPaidLeaveBalance(year.document().idAt(1));
            year.readPreviousPayAfterSocialIns(period, year.block().employee(1).recordId.bytes());
        } catch (const IoError&) {
        }
    }
    return 0;
}
