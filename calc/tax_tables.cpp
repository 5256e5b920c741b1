#include "calc/tax_tables.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>

#include "calc/table_seal.h"
#include "calc/tax_table_build.h"
#include "core/fileio.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

constexpr int kTopDependents = 7;  // the tables print columns for 0..7 dependents

std::string problem(std::string_view fileName, std::string_view detail) {
    return "表データファイル「" + std::string(fileName) + "」が正しくありません。\n" +
           std::string(detail);
}

std::string truncatedDetail(std::size_t size) {
    return "ファイルが途中で切れています（" + std::to_string(size) + " バイト）。";
}

std::int32_t clampTax(std::int64_t tax) {
    if (tax < 0) return 0;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(tax, std::numeric_limits<std::int32_t>::max()));
}

int columnFor(std::int32_t dependents) {
    return static_cast<int>(std::clamp<std::int32_t>(dependents, 0, kTopDependents));
}

bool validRate(double rate) {
    return std::isfinite(rate) && rate >= 0.0 && rate <= 1.0;
}

std::string checkBreakpoints(const std::vector<SalaryBreakpoint>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && points[i].from <= points[i - 1].from) return "区切りが昇順に並んでいません。";
        if (!validRate(points[i].rate)) return "税率が正しくありません。";
    }
    return {};
}

std::vector<SalaryBreakpoint> readBreakpoints(const char* at, std::uint32_t count) {
    std::vector<SalaryBreakpoint> points(count);
    if (count > 0) std::memcpy(points.data(), at, count * sizeof(SalaryBreakpoint));
    return points;
}

// The index of the last breakpoint at or below the amount; the caller knows the first one is.
std::size_t breakpointBelow(const std::vector<SalaryBreakpoint>& points, std::int32_t amount) {
    const auto above = std::upper_bound(
        points.begin(), points.end(), amount,
        [](std::int32_t a, const SalaryBreakpoint& point) { return a < point.from; });
    return static_cast<std::size_t>(above - points.begin()) - 1;
}

// rate × (amount − from) by the deduction rounding, as a 32-bit amount.
std::int64_t grown(const YenRounding& rounding, const Rate& rate, std::int32_t amount,
                   std::int32_t from) {
    return rounding.RoundTax(rate, Yen(std::int64_t{amount} - from));
}

bool rowsAscendAndAreDisjoint(const SalaryTaxTableImage& image) {
    for (int i = 0; i < image.rowCount; ++i) {
        const SalaryTaxRow& row = image.rows[i];
        if (row.lower >= row.upper) return false;
        if (i + 1 < image.rowCount && row.upper > image.rows[i + 1].lower) return false;
    }
    return true;
}

// The size of a table file, or nullopt when it cannot be told (reading will report why).
std::optional<std::uintmax_t> sizeOf(const fs::path& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

// The file's content once it has passed the same checks as `keiro-tool tables check`: its seal
// when it has one, then the table's plausibility.  TableError naming the file otherwise.
std::string verifiedContent(const fs::path& path, TableCheck (*checkTable)(std::string_view)) {
    const std::string bytes = readFile(path);
    const TableCheck verdict = checkTable(bytes);
    if (!verdict.ok()) throw TableError(problem(path.filename().string(), faultLines(verdict)));
    return std::string(unsealTable(bytes).content);
}

bool stillThere(const fs::path& path) {
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    return exists || ec;  // when it cannot be told, the file is not known to be gone
}

}  // namespace

std::uint32_t fnv1a32(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string parseSalaryExtension(std::string_view bytes, SalaryExtension& out) {
    SalaryExtensionHeader header;
    if (bytes.size() < sizeof header) return "見出しが途中で切れています。";
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.magic, kSalaryExtensionMagic, sizeof header.magic) != 0) {
        return "識別子が違います。";
    }
    if (header.version != kSalaryExtensionVersion) {
        return "版 " + std::to_string(header.version) + " には対応していません。";
    }
    if (header.kouCount < 1 || header.kouCount > kMaxBreakpoints ||
        header.otsuCount > kMaxBreakpoints) {
        return "区切りの件数が範囲外です（甲 " + std::to_string(header.kouCount) + "、乙 " +
               std::to_string(header.otsuCount) + "）。";
    }
    const std::size_t body =
        sizeof header + (header.kouCount + header.otsuCount) * sizeof(SalaryBreakpoint);
    if (bytes.size() != body + sizeof(std::uint32_t)) return "大きさが件数と合いません。";
    std::uint32_t checksum = 0;
    std::memcpy(&checksum, bytes.data() + body, sizeof checksum);
    if (checksum != fnv1a32(bytes.substr(0, body))) return "検査値が合いません。";

    SalaryExtension extension;
    const char* at = bytes.data() + sizeof header;
    extension.kou = readBreakpoints(at, header.kouCount);
    extension.otsu =
        readBreakpoints(at + header.kouCount * sizeof(SalaryBreakpoint), header.otsuCount);
    for (const auto* points : {&extension.kou, &extension.otsu}) {
        if (std::string fault = checkBreakpoints(*points); !fault.empty()) return fault;
    }
    out = std::move(extension);
    return {};
}

// --- salary table ----------------------------------------------------------------------------

SalaryTaxTable SalaryTaxTable::fromBytes(std::string_view bytes, std::string_view fileName) {
    if (bytes.size() < kSalaryTableFixedSize) {
        throw TableError(problem(fileName, truncatedDetail(bytes.size())));
    }
    auto data = std::make_shared<Data>();
    std::memcpy(&data->image, bytes.data(), kSalaryTableFixedSize);
    const std::int32_t rows = data->image.rowCount;
    if (rows < SalaryTaxTableImage::kMinRows || rows > SalaryTaxTableImage::kMaxRows) {
        throw TableError(problem(
            fileName, "行数 " + std::to_string(rows) + " が " +
                          std::to_string(SalaryTaxTableImage::kMinRows) + "〜" +
                          std::to_string(SalaryTaxTableImage::kMaxRows) + " の範囲にありません。"));
    }
    if (bytes.size() > kSalaryTableFixedSize) {
        const std::string fault =
            parseSalaryExtension(bytes.substr(kSalaryTableFixedSize), data->extension);
        if (!fault.empty()) {
            throw TableError(problem(fileName, "追加データが壊れています：" + fault));
        }
        data->hasExtension = true;
    }
    data->rowsOrdered = rowsAscendAndAreDisjoint(data->image);
    const SalaryTaxTableImage& image = data->image;
    const double kou[4] = {image.kouRate1, image.kouRate2, image.kouRate3, image.kouRate4};
    for (int i = 0; i < 4; ++i) data->kouRates[i] = Rate::fromDouble(kou[i]);
    data->otsuRateLow = Rate::fromDouble(image.otsuRateLow);
    data->otsuRate1 = Rate::fromDouble(image.otsuRate1);
    data->otsuRate2 = Rate::fromDouble(image.otsuRate2);
    for (const SalaryBreakpoint& point : data->extension.kou) {
        data->kouPointRates.push_back(Rate::fromDouble(point.rate));
    }
    for (const SalaryBreakpoint& point : data->extension.otsu) {
        data->otsuPointRates.push_back(Rate::fromDouble(point.rate));
    }
    SalaryTaxTable table;
    table.data_ = std::move(data);
    return table;
}

SalaryTaxTable SalaryTaxTable::fromFile(const fs::path& path) {
    const std::optional<std::uintmax_t> size = sizeOf(path);
    if (size && *size > kSalaryTableFixedSize + kSalaryExtensionMaxSize + kTableSealSize) {
        throw TableError(
            problem(path.filename().string(),
                    "ファイルが大きすぎます（" + std::to_string(*size) + " バイト）。"));
    }
    SalaryTaxTable table =
        fromBytes(verifiedContent(path, checkSalaryTaxTable), path.filename().string());
    table.path_ = path;
    return table;
}

void SalaryTaxTable::refreshFilePresence() {
    if (!path_.empty()) present_ = stillThere(path_);
}

const SalaryTaxRow* SalaryTaxTable::rowHolding(std::int32_t amount) const {
    const SalaryTaxRow* first = data_->image.rows;
    const SalaryTaxRow* last = first + data_->image.rowCount;
    if (data_->rowsOrdered) {
        const SalaryTaxRow* row = std::partition_point(
            first, last, [amount](const SalaryTaxRow& r) { return r.upper <= amount; });
        return row != last && row->lower <= amount ? row : nullptr;
    }
    for (const SalaryTaxRow* row = first; row != last; ++row) {
        if (row->lower <= amount && amount < row->upper) return row;
    }
    return nullptr;
}

std::int64_t SalaryTaxTable::kouTax(std::int32_t amount, int d, const YenRounding& rounding) const {
    const std::vector<SalaryBreakpoint>& points = data_->extension.kou;
    if (data_->hasExtension && amount >= points.front().from) {
        const std::size_t i = breakpointBelow(points, amount);
        return std::int64_t{points[i].tax[d]} +
               grown(rounding, data_->kouPointRates[i], amount, points[i].from);
    }
    const SalaryTaxTableImage& t = data_->image;
    const int n = t.rowCount;
    const SalaryTaxRow* bp = &t.rows[n - 4];  // the four breakpoint rows T1..T4
    const auto step = [&](int i) {
        return std::int64_t{bp[i].kou[d]} +
               grown(rounding, data_->kouRates[i], amount, bp[i].lower);
    };
    if (amount < t.rows[0].lower) return 0;
    if (bp[0].lower < amount && amount < bp[1].lower) return step(0);
    if (bp[1].lower < amount && amount < bp[2].lower) return step(1);
    if (bp[2].lower < amount && amount < bp[3].lower) return step(2);
    if (amount > bp[3].lower) return step(3);
    const SalaryTaxRow* row = rowHolding(amount);
    return row ? row->kou[d] : 0;
}

std::int64_t SalaryTaxTable::otsuTax(std::int32_t amount, const YenRounding& rounding) const {
    const std::vector<SalaryBreakpoint>& points = data_->extension.otsu;
    if (data_->hasExtension && !points.empty() && amount >= points.front().from) {
        const std::size_t i = breakpointBelow(points, amount);
        return std::int64_t{points[i].tax[0]} +
               grown(rounding, data_->otsuPointRates[i], amount, points[i].from);
    }
    const SalaryTaxTableImage& t = data_->image;
    const int n = t.rowCount;
    const SalaryTaxRow* bp = &t.rows[n - 4];
    const auto step = [&](int i, const Rate& rate) {
        return std::int64_t{bp[i].otsu} + grown(rounding, rate, amount, bp[i].lower);
    };
    if (amount < t.rows[0].lower) return grown(rounding, data_->otsuRateLow, amount, 0);
    // 乙 has one rate from T1 up to T3 and another from T3 on.
    if (bp[0].lower < amount && amount < bp[1].lower) return step(0, data_->otsuRate1);
    if (bp[1].lower < amount && amount < bp[2].lower) return step(0, data_->otsuRate1);
    if (bp[2].lower < amount && amount < bp[3].lower) return step(2, data_->otsuRate2);
    if (amount > bp[3].lower) return step(2, data_->otsuRate2);
    const SalaryTaxRow* row = rowHolding(amount);
    return row ? row->otsu : 0;
}

std::int32_t SalaryTaxTable::LookupSalaryTax(std::int32_t amount, int column,
                                             std::int32_t dependents,
                                             const YenRounding& rounding) const {
    if (!data_ || !present_) return 0;
    const std::int64_t declared = std::max<std::int32_t>(dependents, 0);
    std::int64_t tax = 0;
    if (column == 0) {
        tax = kouTax(amount, columnFor(dependents), rounding);
        if (declared > kTopDependents) {
            tax -= (declared - kTopDependents) * data_->image.kouPerDependent;
        }
    } else {
        tax = otsuTax(amount, rounding) - declared * data_->image.otsuPerDependent;
    }
    return clampTax(tax);
}

// --- bonus table -----------------------------------------------------------------------------

BonusTaxTable BonusTaxTable::fromBytes(std::string_view bytes, std::string_view fileName) {
    if (bytes.size() < kBonusTableSize) {
        throw TableError(problem(fileName, truncatedDetail(bytes.size())));
    }
    if (bytes.size() > kBonusTableSize) {
        throw TableError(problem(fileName, "ファイルの大きさが正しくありません（" +
                                               std::to_string(bytes.size()) + " バイト）。"));
    }
    auto data = std::make_shared<Data>();
    BonusTaxTableImage* image = &data->image;
    std::memcpy(image, bytes.data(), kBonusTableSize);
    if (image->kouCount < 1 || image->kouCount > BonusTaxTableImage::kMaxKouRows) {
        throw TableError(problem(fileName, "甲欄の行数 " + std::to_string(image->kouCount) +
                                               " が 1〜24 の範囲にありません。"));
    }
    if (image->otsuCount < 1 || image->otsuCount > BonusTaxTableImage::kMaxOtsuRows) {
        throw TableError(problem(fileName, "乙欄の行数 " + std::to_string(image->otsuCount) +
                                               " が 1〜10 の範囲にありません。"));
    }
    for (int i = 0; i < image->kouCount; ++i) {
        data->kouRates.push_back(Rate::fromDouble(image->kouRows[i].rate));
    }
    for (int i = 0; i < image->otsuCount; ++i) {
        data->otsuRates.push_back(Rate::fromDouble(image->otsuRows[i].rate));
    }
    BonusTaxTable table;
    table.data_ = std::move(data);
    return table;
}

BonusTaxTable BonusTaxTable::fromFile(const fs::path& path) {
    const std::optional<std::uintmax_t> size = sizeOf(path);
    if (size && *size > kBonusTableSize + kTableSealSize) {
        throw TableError(problem(
            path.filename().string(),
            "ファイルの大きさが正しくありません（" + std::to_string(*size) + " バイト）。"));
    }
    BonusTaxTable table =
        fromBytes(verifiedContent(path, checkBonusTaxTable), path.filename().string());
    table.path_ = path;
    return table;
}

void BonusTaxTable::refreshFilePresence() {
    if (!path_.empty()) present_ = stillThere(path_);
}

std::pair<bool, int> BonusTaxTable::rowFor(std::int32_t previousMonthAmount,
                                           std::int32_t dependents, int column) const {
    const BonusTaxTableImage& t = data_->image;
    const std::int32_t p = previousMonthAmount;
    if (column == 0) {
        const int d = columnFor(dependents);
        for (int i = 0; i + 1 < t.kouCount; ++i) {
            const BonusKouRow::Band& band = t.kouRows[i].band[d];
            if (band.lower <= p && p < band.upper) return {true, i};
        }
        return {true, t.kouCount - 1};
    }
    for (int i = 0; i + 1 < t.otsuCount; ++i) {
        if (p < t.otsuRows[i].upper) return {false, i};
    }
    return {false, t.otsuCount - 1};
}

double BonusTaxTable::LookupBonusRate(std::int32_t previousMonthAmount, std::int32_t dependents,
                                      int column) const {
    if (!data_ || !present_) return 0.0;
    const auto [kou, row] = rowFor(previousMonthAmount, dependents, column);
    return kou ? data_->image.kouRows[row].rate : data_->image.otsuRows[row].rate;
}

std::int32_t BonusTaxTable::LookupBonusTax(std::int32_t previousMonthAmount,
                                           std::int32_t bonusAmount, std::int32_t dependents,
                                           int column, const YenRounding& rounding) const {
    if (!data_ || !present_) return 0;
    const auto [kou, row] = rowFor(previousMonthAmount, dependents, column);
    const Rate& rate = kou ? data_->kouRates[row] : data_->otsuRates[row];
    return clampTax(rounding.RoundTax(rate, Yen(bonusAmount)));
}

// --- loading at start-up ---------------------------------------------------------------------

std::string missingTableProblem(std::string_view fileName) {
    return "表データファイル「" + std::string(fileName) + "」がありません。";
}

namespace {

template <typename Table>
Table loadOne(const Places& places, std::string_view name, TableLoadReport& report) {
    const std::optional<fs::path> file = findTableFile(places, name);
    if (!file) {
        report.problems.push_back(missingTableProblem(name));
        return {};
    }
    try {
        Table table = Table::fromFile(*file);
        ++report.loaded;
        return table;
    } catch (const TableError& e) {
        report.problems.emplace_back(e.what());
    } catch (const IoError& e) {
        report.problems.emplace_back(e.what());
    }
    return {};
}

}  // namespace

TaxTables LoadTaxTables(const Places& places, TableLoadReport& report) {
    TaxTables tables;
    tables.salary = loadOne<SalaryTaxTable>(places, kSalaryTaxTableFileName, report);
    tables.bonus = loadOne<BonusTaxTable>(places, kBonusTaxTableFileName, report);
    return tables;
}

}  // namespace keiro::calc
