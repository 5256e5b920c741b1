// Any bytes as the file of premium rates by fiscal year: either read or refused with its error,
// never a crash; what is read answers every question the programs ask of it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/data_csv.h"
#include "calc/premium_rates.h"
#include "calc/rate_update.h"

using namespace keiro::calc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)checkPremiumRateFile(bytes);
    PremiumRateHistory history;
    try {
        history.addCsv(bytes, "fuzz");
    } catch (const DataError&) {
        return 0;
    }
    keiro::PeriodSettings settings{};
    settings.generalBusiness = 1;
    settings.healthInsRate = 4.925;
    for (int period = 1; period <= 15; ++period) {
        const PeriodRateMonths months = rateMonthsOf(2026, period, period > 12 ? 7 : 0);
        (void)ratesOfPeriod(history, months, 2);
        if (const auto update = proposeRateUpdate(settings, history, months, 0)) {
            (void)rateUpdateQuestion(*update);
        }
    }
    return 0;
}
