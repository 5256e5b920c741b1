#pragma once
// The withholding tax tables, "税額表(給与).dat" and "税額表(賞与).dat", loaded whole once at
// start-up, and the two lookups that turn an amount into 所得税.
//
// Loading refuses anything whose counts or size do not fit the layout, with a Japanese message
// naming the file, so that no lookup can ever index outside the stored rows.  A table that is
// not loaded, or whose file has been found gone by `refreshFilePresence`, gives 0 tax.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/rounding.h"
#include "calc/table_images.h"
#include "core/money.h"
#include "core/places.h"

namespace keiro::calc {

// A table file whose content cannot be used; what() is a Japanese message naming the file.
class TableError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kSalaryTableFixedSize = sizeof(SalaryTaxTableImage);
inline constexpr std::size_t kBonusTableSize = sizeof(BonusTaxTableImage);
inline constexpr std::size_t kSalaryExtensionMaxSize =
    sizeof(SalaryExtensionHeader) + 2 * kMaxBreakpoints * sizeof(SalaryBreakpoint) + 4;

// FNV-1a, 32 bits: the checksum that closes the salary table's extension.
std::uint32_t fnv1a32(std::string_view bytes);

// Every breakpoint of the published salary table, kept after the fixed part of the file.
struct SalaryExtension {
    std::vector<SalaryBreakpoint> kou;   // ascending by `from`, at least one
    std::vector<SalaryBreakpoint> otsu;  // ascending by `from`, may be empty; tax[0] only
};

// Reads the extension bytes (everything after the fixed part).  Returns an empty string and
// fills `out` when they are sound, else a short Japanese description of the damage.
std::string parseSalaryExtension(std::string_view bytes, SalaryExtension& out);

class SalaryTaxTable {
  public:
    SalaryTaxTable() = default;  // not loaded: every lookup gives 0

    // The whole content of a file: the fixed part, optionally followed by a sound extension.
    // TableError (naming `fileName`) when the content is not usable.
    static SalaryTaxTable fromBytes(std::string_view bytes, std::string_view fileName);
    // Reads the file and remembers its path for `refreshFilePresence`.  IoError when the file
    // cannot be read, TableError when its content is not usable: a broken seal, or any fault
    // `checkSalaryTaxTable` finds.  (`fromBytes` checks only what the lookups need.)
    static SalaryTaxTable fromFile(const std::filesystem::path& path);

    bool loaded() const { return data_ != nullptr; }
    bool hasExtension() const { return data_ && data_->hasExtension; }
    // Only when loaded.
    const SalaryTaxTableImage& image() const { return data_->image; }
    const SalaryExtension& extension() const { return data_->extension; }
    const std::filesystem::path& path() const { return path_; }

    // Notes whether the file still exists at its path; a table found gone gives 0 tax until
    // a later refresh finds it again.  Tables built from bytes have no file and stay present.
    void refreshFilePresence();
    bool filePresent() const { return present_; }

    // Monthly withholding tax for `amount` (社保控除後計); column 0 = 甲欄, any other = 乙欄.
    // Below the first row 甲 is 0 and 乙 the low rate; between and above the breakpoints the
    // tax grows by rate from the breakpoint below (from the extension's breakpoints when the
    // file has them); otherwise the row holding the amount.  Then 甲 loses kouPerDependent for
    // each dependent beyond seven, 乙 otsuPerDependent for every dependent; never below 0.
    // A negative dependents count counts as none.
    std::int32_t LookupSalaryTax(std::int32_t amount, int column, std::int32_t dependents,
                                 const YenRounding& rounding) const;

  private:
    struct Data {
        SalaryTaxTableImage image;
        SalaryExtension extension;
        bool hasExtension = false;
        bool rowsOrdered = false;  // rows ascending and disjoint: the row search may bisect
        // The rates of the image and of the breakpoints, read once at load.
        Rate kouRates[4];
        Rate otsuRateLow, otsuRate1, otsuRate2;
        std::vector<Rate> kouPointRates, otsuPointRates;
    };

    std::int64_t kouTax(std::int32_t amount, int d, const YenRounding& rounding) const;
    std::int64_t otsuTax(std::int32_t amount, const YenRounding& rounding) const;
    const SalaryTaxRow* rowHolding(std::int32_t amount) const;

    std::shared_ptr<const Data> data_;
    std::filesystem::path path_;
    bool present_ = true;
};

class BonusTaxTable {
  public:
    BonusTaxTable() = default;  // not loaded: every lookup gives 0

    static BonusTaxTable fromBytes(std::string_view bytes, std::string_view fileName);
    // As the salary table's: the seal and every fault `checkBonusTaxTable` finds.
    static BonusTaxTable fromFile(const std::filesystem::path& path);

    bool loaded() const { return data_ != nullptr; }
    const BonusTaxTableImage& image() const { return data_->image; }  // only when loaded
    const std::filesystem::path& path() const { return path_; }

    void refreshFilePresence();
    bool filePresent() const { return present_; }

    // The rate for the previous month's pay P: 甲 (column 0) the first row whose band for
    // min(D, 7) dependents holds P, 乙 the first row with P below its upper bound; the last
    // row of each part when none does.  0 when not loaded or the file is gone.
    double LookupBonusRate(std::int32_t previousMonthAmount, std::int32_t dependents,
                           int column) const;
    // RoundTax(rate, bonusAmount), never below 0.
    std::int32_t LookupBonusTax(std::int32_t previousMonthAmount, std::int32_t bonusAmount,
                                std::int32_t dependents, int column,
                                const YenRounding& rounding) const;

  private:
    struct Data {
        BonusTaxTableImage image;
        std::vector<Rate> kouRates, otsuRates;  // of the rows, read once at load
    };
    // The row whose rate applies: (甲, index) or (乙, index).
    std::pair<bool, int> rowFor(std::int32_t previousMonthAmount, std::int32_t dependents,
                                int column) const;

    std::shared_ptr<const Data> data_;
    std::filesystem::path path_;
    bool present_ = true;
};

// Both withholding tables, loaded once and passed to the calculation.
struct TaxTables {
    SalaryTaxTable salary;
    BonusTaxTable bonus;

    // Called once per period recalculation, before the lookups.
    void refreshFilePresence() {
        salary.refreshFilePresence();
        bonus.refreshFilePresence();
    }
};

// What start-up learns from loading the tables.
struct TableLoadReport {
    int loaded = 0;                     // table files loaded and usable
    std::vector<std::string> problems;  // Japanese messages: files present but unusable
};

// "表データファイル「…」がありません。"
std::string missingTableProblem(std::string_view fileName);

// Loads both tax tables from the program folder (or the installed share folder).  A missing,
// unreadable or invalid file leaves its table unloaded and adds a message naming it.
TaxTables LoadTaxTables(const Places& places, TableLoadReport& report);

}  // namespace keiro::calc
