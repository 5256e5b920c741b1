// Any bytes as the health insurance grade table, as the prefecture rate list, and as the CSV
// files they are built from: each is either used or refused with its error, never a crash, and
// an accepted grade table never sends a lookup outside its grades.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/data_csv.h"
#include "calc/premium_tables.h"
#include "calc/premiums.h"
#include "core/fileio.h"
#include "core/text.h"

namespace {

using namespace keiro;
using namespace keiro::calc;

void useGradeTable(std::string_view bytes) {
    const TableCheck check = checkHealthGradeTable(bytes);
    try {
        const HealthGradeTable table = HealthGradeTable::fromBytes(bytes, "fuzz");
        if (check.summary.empty()) __builtin_trap();  // the check refused what loads
        PeriodSettings rates{};
        rates.healthInsRate = 4.925;
        rates.nursingInsRate = 0.81;
        rates.pensionRate = 9.15;
        rates.pensionFundRate = 1.0;
        for (int g = 1; g <= table.gradeCount(); ++g) {
            const int pension = table.pensionGrade(g);
            if (!table.hasGrade(pension)) __builtin_trap();
            (void)table.listLine(g);
            (void)SetPremiumsFromGrade(table, g, rates);
        }
        if (!table.hasGrade(table.gradeOf(0)) || !table.hasGrade(table.gradeOf(INT32_MAX)) ||
            !table.hasGrade(table.gradeOf(INT32_MIN))) {
            __builtin_trap();
        }
    } catch (const IoError&) {
    }
}

void useRateList(std::string_view bytes) {
    (void)checkPrefectureRateList(bytes);
    for (const PrefectureRate& entry : parsePrefectureRates(bytes, kHealthRateListFileName)) {
        if (entry.rate.has_value() == !entry.error.empty()) __builtin_trap();
        (void)halfRate(entry);
    }
}

void buildFromCsv(std::string_view bytes) {
    try {
        const DataCsv csv(bytes, "fuzz");
        try {
            (void)buildHealthGradeTable(csv);
        } catch (const DataError&) {
        }
        try {
            (void)buildPrefectureRateList(csv);
        } catch (const DataError&) {
        }
    } catch (const DataError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    useGradeTable(bytes);
    useRateList(bytes);
    buildFromCsv(bytes);
    return 0;
}
