// Any bytes as a salary or bonus tax table file: loading either refuses them with a message or
// accepts them, and every lookup in an accepted table stays inside it and gives a tax >= 0.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/tax_table_build.h"
#include "calc/tax_tables.h"

namespace {

using namespace keiro::calc;

constexpr std::int32_t kAmounts[] = {INT32_MIN, -1,        0,         1,         87'999,
                                     105'000,   500'000,   739'999,   740'000,   790'001,
                                     960'000,   1'710'001, 2'130'000, 3'500'001, INT32_MAX};
constexpr std::int32_t kDependents[] = {-5, 0, 3, 7, 9, INT32_MAX};

template <typename Lookup>
void everyCase(Lookup lookup) {
    const YenRounding roundings[] = {
        YenRounding(),
        YenRounding(
            {keiro::RoundingMode::Round, keiro::RoundingMode::Round, keiro::RoundingMode::Round}),
        YenRounding(
            {keiro::RoundingMode::Ceil, keiro::RoundingMode::Ceil, keiro::RoundingMode::Ceil})};
    for (const YenRounding& rounding : roundings) {
        for (const std::int32_t amount : kAmounts) {
            for (const std::int32_t dependents : kDependents) {
                for (const int column : {0, 1}) {
                    if (lookup(amount, dependents, column, rounding) < 0) __builtin_trap();
                }
            }
        }
    }
}

// The input padded or cut to the fixed size, with its count brought into `lo..hi`, so that the
// lookups see arbitrary rows, bands and rates rather than mostly short files.
std::string fitted(std::string_view bytes, std::size_t size, std::size_t countAt, std::uint32_t lo,
                   std::uint32_t hi) {
    std::string out(bytes.substr(0, size));
    out.resize(size, '\0');
    std::uint32_t count = 0;
    std::memcpy(&count, out.data() + countAt, sizeof count);
    count = lo + count % (hi - lo + 1);
    std::memcpy(out.data() + countAt, &count, sizeof count);
    return out;
}

// The input as an extension whose checksum is right, so that what lies behind it is reached.
std::string sealed(std::string_view bytes) {
    std::string out(bytes);
    if (out.size() < 4) return out;
    const std::uint32_t sum = fnv1a32(std::string_view(out).substr(0, out.size() - 4));
    std::memcpy(out.data() + out.size() - 4, &sum, sizeof sum);
    return out;
}

void trySalary(std::string_view bytes) {
    (void)checkSalaryTaxTable(bytes);
    try {
        const SalaryTaxTable table = SalaryTaxTable::fromBytes(bytes, "fuzz");
        everyCase([&](std::int32_t a, std::int32_t d, int c, const YenRounding& r) {
            return table.LookupSalaryTax(a, c, d, r);
        });
    } catch (const TableError&) {
    }
}

void tryBonus(std::string_view bytes) {
    (void)checkBonusTaxTable(bytes);
    try {
        const BonusTaxTable table = BonusTaxTable::fromBytes(bytes, "fuzz");
        everyCase([&](std::int32_t a, std::int32_t d, int c, const YenRounding& r) {
            return table.LookupBonusTax(a, a, d, c, r);
        });
    } catch (const TableError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    trySalary(bytes);
    tryBonus(bytes);
    const std::string salary = fitted(bytes, kSalaryTableFixedSize, 0, 4, 380);
    trySalary(salary);
    trySalary(salary + sealed(bytes));
    trySalary(salary + sealed(bytes.substr(std::min<std::size_t>(size, 64))));
    tryBonus(fitted(fitted(bytes, kBonusTableSize, 0, 1, 24), kBonusTableSize,
                    offsetof(BonusTaxTableImage, otsuCount), 1, 10));
    return 0;
}
