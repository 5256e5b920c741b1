#include "calc/tax_table_build.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "calc/table_images.h"
#include "calc/table_seal.h"
#include "calc/tax_tables.h"

namespace keiro::calc {
namespace {

constexpr std::int32_t kNoUpperLimit = std::numeric_limits<std::int32_t>::max();
// Rates are read as printed into millionths of a percent, so the builder's own arithmetic
// (乙 at the breakpoints) is exact; the files store the fraction as a double.
constexpr int kRateDecimals = 6;
constexpr std::int64_t kPercentScale = 1'000'000;             // 1 % in millionths of a percent
constexpr std::int64_t kFractionScale = 100 * kPercentScale;  // 100 %

[[noreturn]] void fail(std::string_view what, std::size_t row, std::string_view why) {
    throw DataError(std::string(what) + ": line " + std::to_string(row + 2) + ": " +
                    std::string(why));
}

[[noreturn]] void fail(std::string_view what, std::string_view why) {
    throw DataError(std::string(what) + ": " + std::string(why));
}

std::int64_t percentMillionths(const DataCsv& csv, std::size_t row, std::string_view header,
                               std::string_view what) {
    const std::string& text = csv.text(row, header);
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int digits = 0;
    int decimals = -1;  // -1 before the decimal point
    for (const char c : text) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9' || decimals >= kRateDecimals || ++digits > 9) {
            fail(what, row, std::string(header) + " is not a percentage: " + text);
        }
        if (decimals < 0) {
            whole = whole * 10 + (c - '0');
        } else {
            fraction = fraction * 10 + (c - '0');
            ++decimals;
        }
    }
    if (digits == 0) fail(what, row, std::string(header) + " is empty");
    for (int i = std::max(decimals, 0); i < kRateDecimals; ++i) fraction *= 10;
    const std::int64_t value = whole * kPercentScale + fraction;
    if (value > kFractionScale) fail(what, row, std::string(header) + " is above 100 %: " + text);
    return value;
}

double rateFraction(std::int64_t millionths) {
    return static_cast<double>(millionths) / static_cast<double>(kFractionScale);
}

// --- salary -----------------------------------------------------------------------------------

struct Params {
    std::int32_t firstBand = 0;
    std::int32_t tableUpper = 0;
    std::int32_t kouPerDependent = 0;
    std::int32_t otsuPerDependent = 0;
    std::int64_t otsuLowRate = 0;
};

Params readParams(const DataCsv& params, std::string_view period) {
    constexpr std::string_view what = "withholding params";
    for (std::size_t row = 0; row < params.rowCount(); ++row) {
        if (params.text(row, "period") != period) continue;
        Params p;
        p.firstBand = params.integer(row, "first_band_lower");
        p.tableUpper = params.integer(row, "table_upper");
        p.kouPerDependent = params.integer(row, "kou_deduction_per_dependent_over_7");
        p.otsuPerDependent = params.integer(row, "otsu_deduction_per_dependent");
        p.otsuLowRate = percentMillionths(params, row, "otsu_rate_percent_below_first_band", what);
        if (p.firstBand <= 0 || p.tableUpper <= p.firstBand) {
            fail(what, row, "first band and table end out of order");
        }
        if (p.kouPerDependent < 0 || p.otsuPerDependent < 0) {
            fail(what, row, "negative deduction per dependent");
        }
        return p;
    }
    fail(what, "no period " + std::string(period));
}

const char* const kKouColumns[8] = {"kou0", "kou1", "kou2", "kou3", "kou4", "kou5", "kou6", "kou7"};
const char* const kBaseColumns[8] = {"base0", "base1", "base2", "base3",
                                     "base4", "base5", "base6", "base7"};

// The printed bands from the first band to the end of the table (the row below the first band
// holds a rate for 乙, not amounts, and is not stored).
std::vector<SalaryTaxRow> readBands(const DataCsv& monthly, const Params& p) {
    constexpr std::string_view what = "withholding monthly table";
    if (monthly.rowCount() < 2) fail(what, "fewer than two rows");
    if (monthly.integer(0, "lower") != 0 || monthly.integer(0, "upper") != p.firstBand) {
        fail(what, 0,
             "the first row must run from 0 to the first band " + std::to_string(p.firstBand));
    }
    std::vector<SalaryTaxRow> bands;
    for (std::size_t row = 1; row < monthly.rowCount(); ++row) {
        SalaryTaxRow band{};
        band.lower = monthly.integer(row, "lower");
        band.upper = monthly.integer(row, "upper");
        const std::int32_t expected = bands.empty() ? p.firstBand : bands.back().upper;
        if (band.lower != expected) {
            fail(what, row,
                 "band does not start where the previous one ends (" + std::to_string(expected) +
                     ")");
        }
        if (band.upper <= band.lower) fail(what, row, "band is empty");
        for (int d = 0; d < 8; ++d) band.kou[d] = monthly.integer(row, kKouColumns[d]);
        band.otsu = monthly.integer(row, "otsu");
        bands.push_back(band);
    }
    if (bands.back().upper != p.tableUpper) {
        fail(what, "the last band must end at " + std::to_string(p.tableUpper));
    }
    if (bands.size() + 4 > static_cast<std::size_t>(SalaryTaxTableImage::kMaxRows)) {
        fail(what, "too many bands for the file: " + std::to_string(bands.size()));
    }
    return bands;
}

struct Rule {
    std::int32_t from = 0;
    std::optional<std::int32_t> to;
    std::int64_t rate = 0;  // millionths of a percent
    std::int32_t base[8] = {};

    // base + (amount − from) × rate, rounded down; amount >= from.
    std::int64_t taxAt(std::int32_t amount, int d) const {
        return base[d] + (std::int64_t{amount} - from) * rate / kFractionScale;
    }
};

struct Rules {
    std::vector<Rule> kou;
    std::vector<Rule> otsu;
};

void checkRuleSequence(const std::vector<Rule>& rules, std::string_view column) {
    constexpr std::string_view what = "withholding rules";
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const bool last = i + 1 == rules.size();
        if (rules[i].from < 0) fail(what, std::string(column) + " rule with a negative start");
        if (last ? rules[i].to.has_value() : rules[i].to != rules[i + 1].from) {
            fail(what, std::string(column) + " rules are not contiguous at " +
                           std::to_string(rules[i].from) +
                           " (each ends where the next starts, the last has no end)");
        }
    }
}

Rules readRules(const DataCsv& rules) {
    constexpr std::string_view what = "withholding rules";
    Rules out;
    for (std::size_t row = 0; row < rules.rowCount(); ++row) {
        const std::string& column = rules.text(row, "column");
        if (column != "kou" && column != "otsu") fail(what, row, "column must be kou or otsu");
        const bool kou = column == "kou";
        Rule rule;
        rule.from = rules.integer(row, "from");
        rule.to = rules.optionalInteger(row, "to");
        rule.rate = percentMillionths(rules, row, "rate_percent", what);
        for (int d = 0; d < (kou ? 8 : 1); ++d) rule.base[d] = rules.integer(row, kBaseColumns[d]);
        for (int d = 1; d < 8 && !kou; ++d) rule.base[d] = rule.base[0];
        (kou ? out.kou : out.otsu).push_back(rule);
    }
    checkRuleSequence(out.kou, "kou");
    return out;
}

// The 乙 rule for amounts below the first band, and the rules from the end of the table on.
struct OtsuRules {
    Rule low;
    std::vector<Rule> above;
};

OtsuRules splitOtsuRules(const std::vector<Rule>& otsu, const Params& p) {
    constexpr std::string_view what = "withholding rules";
    OtsuRules out;
    bool haveLow = false;
    for (const Rule& rule : otsu) {
        if (rule.from == 0 && !haveLow) {
            if (rule.to != p.firstBand) fail(what, "the low otsu rule must end at the first band");
            if (rule.rate != p.otsuLowRate) {
                fail(what, "the low otsu rate differs from the params file");
            }
            out.low = rule;
            haveLow = true;
        } else if (rule.from >= p.tableUpper) {
            out.above.push_back(rule);
        } else {
            fail(what,
                 "an otsu rule starts inside the printed bands: " + std::to_string(rule.from));
        }
    }
    if (!haveLow) fail(what, "no otsu rule from 0 (below the first band)");
    if (out.above.empty() || out.above.front().from != p.tableUpper) {
        fail(what, "the otsu rules must continue at the end of the table " +
                       std::to_string(p.tableUpper));
    }
    if (out.above.size() > kMaxBreakpoints) fail(what, "too many otsu rules");
    checkRuleSequence(out.above, "otsu");
    return out;
}

const Rule& ruleHolding(const std::vector<Rule>& rules, std::int32_t amount) {
    const Rule* holding = &rules.front();
    for (const Rule& rule : rules) {
        if (rule.from <= amount) holding = &rule;
    }
    return *holding;
}

SalaryBreakpoint breakpointOf(const Rule& rule) {
    SalaryBreakpoint point{};
    point.from = rule.from;
    point.rate = rateFraction(rule.rate);
    for (int d = 0; d < 8; ++d) point.tax[d] = rule.base[d];
    return point;
}

template <typename T>
void appendBytes(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string extensionBytes(const std::vector<Rule>& kou, const std::vector<Rule>& otsu) {
    SalaryExtensionHeader header{};
    std::memcpy(header.magic, kSalaryExtensionMagic, sizeof header.magic);
    header.version = kSalaryExtensionVersion;
    header.kouCount = static_cast<std::uint32_t>(kou.size());
    header.otsuCount = static_cast<std::uint32_t>(otsu.size());
    std::string out;
    appendBytes(out, header);
    for (const Rule& rule : kou) appendBytes(out, breakpointOf(rule));
    for (const Rule& rule : otsu) appendBytes(out, breakpointOf(rule));
    appendBytes(out, fnv1a32(out));
    return out;
}

// --- checking ----------------------------------------------------------------------------------

std::string yen(std::int32_t amount) {
    return std::to_string(amount);
}

std::string percent(double rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g%%", rate * 100.0);
    return text;
}

// No withholding rate has ever come near half the amount: anything above is damage.
constexpr double kMaxPlausibleRate = 0.5;

bool validRate(double rate) {
    return std::isfinite(rate) && rate >= 0.0 && rate <= kMaxPlausibleRate;
}

// Within each column the tax never falls as the amount rises.
bool taxFalls(const SalaryTaxRow& before, const SalaryTaxRow& row) {
    bool falls = row.otsu < before.otsu;
    for (int d = 0; d < 8; ++d) falls = falls || row.kou[d] < before.kou[d];
    return falls;
}

void checkSalaryRows(const SalaryTaxTableImage& t, TableCheck& check) {
    const int n = t.rowCount;
    const int bands = n - 4;
    const SalaryTaxRow* bp = &t.rows[bands];
    check.summary.push_back(
        "行数 " + std::to_string(n) + "（金額の行 " + std::to_string(bands) +
        (bands > 0 ? "：" + yen(t.rows[0].lower) + "〜" + yen(t.rows[bands - 1].upper) : "") +
        "、区切り " + yen(bp[0].lower) + " / " + yen(bp[1].lower) + " / " + yen(bp[2].lower) +
        " / " + yen(bp[3].lower) + "）");
    for (int i = 0; i < n; ++i) {
        const SalaryTaxRow& row = t.rows[i];
        const std::string where =
            "行 " + std::to_string(i + 1) + "（" + yen(row.lower) + "〜" + yen(row.upper) + "）：";
        if (row.upper <= row.lower) check.faults.push_back(where + "範囲が空です。");
        if (i < bands && i + 1 < n && row.upper != t.rows[i + 1].lower) {
            check.faults.push_back(where + "次の行と続いていません。");
        }
        bool negative = row.otsu < 0;
        for (int d = 0; d < 8; ++d) negative = negative || row.kou[d] < 0;
        if (negative) check.faults.push_back(where + "負の税額があります。");
        if (i > 0 && taxFalls(t.rows[i - 1], row)) {
            check.faults.push_back(where + "税額が前の行より小さくなっています。");
        }
    }
    for (int i = 1; i < 4; ++i) {
        if (bp[i].lower <= bp[i - 1].lower) {
            check.faults.push_back("区切り " + std::to_string(i + 1) + " が昇順ではありません。");
        }
    }
}

void checkSalaryRates(const SalaryTaxTableImage& t, TableCheck& check) {
    check.summary.push_back("甲の税率 " + percent(t.kouRate1) + " / " + percent(t.kouRate2) +
                            " / " + percent(t.kouRate3) + " / " + percent(t.kouRate4));
    check.summary.push_back("乙の税率 " + percent(t.otsuRateLow) + "（最初の行未満） / " +
                            percent(t.otsuRate1) + " / " + percent(t.otsuRate2));
    check.summary.push_back("扶養親族等1人につき 甲 " + yen(t.kouPerDependent) +
                            " 円（7人超）、乙 " + yen(t.otsuPerDependent) + " 円");
    for (const double rate : {t.kouRate1, t.kouRate2, t.kouRate3, t.kouRate4, t.otsuRateLow,
                              t.otsuRate1, t.otsuRate2}) {
        if (!validRate(rate))
            check.faults.push_back("税率 " + percent(rate) + " が正しくありません。");
    }
    if (t.kouPerDependent < 0 || t.otsuPerDependent < 0) {
        check.faults.push_back("扶養親族等1人あたりの控除額が負です。");
    }
}

// The extension must take over where the printed bands end and give the printed tax at each
// breakpoint row of the fixed part.
void checkSalaryExtension(std::string_view bytes, const SalaryTaxTableImage& t, TableCheck& check) {
    const int n = t.rowCount;
    SalaryExtension extension;
    if (const std::string fault =
            parseSalaryExtension(bytes.substr(kSalaryTableFixedSize), extension);
        !fault.empty()) {
        check.faults.push_back("追加データが壊れています：" + fault);
        return;
    }
    std::string froms;
    for (const SalaryBreakpoint& point : extension.kou) froms += " " + yen(point.from);
    check.summary.push_back("追加データ：甲の区切り " + std::to_string(extension.kou.size()) +
                            " 件（" + froms.substr(1) + "）、乙の区切り " +
                            std::to_string(extension.otsu.size()) + " 件");
    if (extension.kou.front().from != t.rows[n - 4].lower) {
        check.faults.push_back("追加データの最初の区切り " + yen(extension.kou.front().from) +
                               " が区切り 1 と違います。");
    }
    const SalaryTaxTable table = SalaryTaxTable::fromBytes(bytes, "");
    const YenRounding truncate(
        RoundingSettings{RoundingMode::Truncate, RoundingMode::Truncate, RoundingMode::Truncate});
    for (int i = 0; i < 4; ++i) {
        const SalaryTaxRow& row = t.rows[n - 4 + i];
        bool agrees = true;
        for (int d = 0; d < 8; ++d) {
            agrees = agrees && table.LookupSalaryTax(row.lower, 0, d, truncate) == row.kou[d];
        }
        if (!extension.otsu.empty() && row.lower >= extension.otsu.front().from) {
            agrees = agrees && table.LookupSalaryTax(row.lower, 1, 0, truncate) == row.otsu;
        }
        if (!agrees) {
            check.faults.push_back("区切り " + std::to_string(i + 1) + "（" + yen(row.lower) +
                                   "）の税額が追加データと合いません。");
        }
    }
}

void checkBonusKouBands(const BonusTaxTableImage& t, TableCheck& check) {
    for (int d = 0; d < 8; ++d) {
        std::optional<std::int32_t> previousUpper;
        for (int i = 0; i < t.kouCount; ++i) {
            const BonusKouRow::Band& band = t.kouRows[i].band[d];
            if (band.lower == 0 && band.upper == 0) continue;  // no band in this column
            const std::string where =
                "甲 " + std::to_string(i + 1) + " 行目（扶養 " + std::to_string(d) + " 人）：";
            if (band.upper <= band.lower) {
                check.faults.push_back(where + "範囲が空です。");
            } else if (band.lower != previousUpper.value_or(0)) {
                check.faults.push_back(where + "前の範囲と続いていません。");
            }
            previousUpper = band.upper;
        }
    }
}

}  // namespace

std::string buildSalaryTaxTable(const DataCsv& monthly, const DataCsv& rules, const DataCsv& params,
                                std::string_view period) {
    constexpr std::string_view what = "withholding rules";
    const Params p = readParams(params, period);
    const std::vector<SalaryTaxRow> bands = readBands(monthly, p);
    const Rules all = readRules(rules);
    const OtsuRules otsu = splitOtsuRules(all.otsu, p);
    if (all.kou.size() < 4) fail(what, "fewer than four kou rules");
    if (all.kou.size() > kMaxBreakpoints) fail(what, "too many kou rules");
    if (all.kou.front().from != p.tableUpper) {
        fail(what, "the kou rules must start at the end of the table " + yen(p.tableUpper));
    }
    if (all.kou[3].from == kNoUpperLimit) fail(what, "breakpoint at the largest amount");

    SalaryTaxTableImage image{};
    image.rowCount = static_cast<std::int32_t>(bands.size() + 4);
    std::copy(bands.begin(), bands.end(), image.rows);
    for (int i = 0; i < 4; ++i) {
        const Rule& kou = all.kou[i];
        SalaryTaxRow& row = image.rows[bands.size() + i];
        row.lower = kou.from;
        row.upper = kou.from + 1;
        for (int d = 0; d < 8; ++d) row.kou[d] = kou.base[d];
        const std::int64_t otsuTax = ruleHolding(otsu.above, kou.from).taxAt(kou.from, 0);
        if (otsuTax > kNoUpperLimit) fail(what, "otsu tax out of range");
        row.otsu = static_cast<std::int32_t>(otsuTax);
    }
    image.kouRate1 = rateFraction(all.kou[0].rate);
    image.kouRate2 = rateFraction(all.kou[1].rate);
    image.kouRate3 = rateFraction(all.kou[2].rate);
    image.kouRate4 = rateFraction(all.kou[3].rate);
    image.otsuRateLow = rateFraction(otsu.low.rate);
    image.otsuRate1 = rateFraction(ruleHolding(otsu.above, all.kou[0].from).rate);
    image.otsuRate2 = rateFraction(ruleHolding(otsu.above, all.kou[2].from).rate);
    image.kouPerDependent = p.kouPerDependent;
    image.otsuPerDependent = p.otsuPerDependent;

    std::string out;
    appendBytes(out, image);
    out += extensionBytes(all.kou, otsu.above);
    return out;
}

std::string buildBonusTaxTable(const DataCsv& bonus) {
    constexpr std::string_view what = "withholding bonus table";
    const std::size_t rows = bonus.rowCount();
    if (rows < 1 || rows > static_cast<std::size_t>(BonusTaxTableImage::kMaxKouRows)) {
        fail(what, "the table must have 1 to 24 rows");
    }
    BonusTaxTableImage image{};
    image.kouCount = static_cast<std::int32_t>(rows);
    std::optional<std::int32_t> otsuUpper;
    for (std::size_t row = 0; row < rows; ++row) {
        const bool last = row + 1 == rows;
        const double rate = rateFraction(percentMillionths(bonus, row, "rate_percent", what));
        BonusKouRow& kou = image.kouRows[row];
        kou.rate = rate;
        for (int d = 0; d < 8; ++d) {
            const std::string column = "kou" + std::to_string(d);
            const auto lower = bonus.optionalInteger(row, column + "_lower");
            const auto upper = bonus.optionalInteger(row, column + "_upper");
            if (!lower && upper) fail(what, row, column + " has an upper bound but no lower");
            if (lower && !upper && !last) fail(what, row, column + " has no upper bound");
            if (lower && upper && *upper <= *lower) fail(what, row, column + " band is empty");
            kou.band[d] = {lower.value_or(0), lower ? upper.value_or(kNoUpperLimit) : 0};
        }
        const auto lower = bonus.optionalInteger(row, "otsu_lower");
        const auto upper = bonus.optionalInteger(row, "otsu_upper");
        if (!lower && !upper) continue;
        if (lower.value_or(-1) != otsuUpper.value_or(0)) {
            fail(what, row, "otsu band does not start where the previous one ends");
        }
        if (image.otsuCount == BonusTaxTableImage::kMaxOtsuRows) fail(what, "too many otsu rows");
        if (upper && *upper <= *lower) fail(what, row, "otsu band is empty");
        if (!upper && otsuUpper == kNoUpperLimit) fail(what, row, "two otsu rows without end");
        image.otsuRows[image.otsuCount++] = {rate, upper.value_or(kNoUpperLimit)};
        otsuUpper = upper.value_or(kNoUpperLimit);
    }
    if (image.otsuCount == 0) fail(what, "no otsu rows");
    if (otsuUpper != kNoUpperLimit) fail(what, "the last otsu row must have no upper bound");
    std::string out;
    appendBytes(out, image);
    return out;
}

TableCheck checkSalaryTaxTable(std::string_view file) {
    TableCheck check;
    check.summary.push_back("大きさ " + std::to_string(file.size()) + " バイト");
    const std::string_view bytes = checkTableSeal(file, check);
    if (bytes.size() < kSalaryTableFixedSize) {
        check.faults.push_back("ファイルが途中で切れています（" +
                               std::to_string(kSalaryTableFixedSize) + " バイト未満）。");
        return check;
    }
    SalaryTaxTableImage image;
    std::memcpy(&image, bytes.data(), sizeof image);
    if (image.rowCount < SalaryTaxTableImage::kMinRows ||
        image.rowCount > SalaryTaxTableImage::kMaxRows) {
        check.faults.push_back("行数 " + std::to_string(image.rowCount) +
                               " が 4〜380 の範囲にありません。");
        return check;
    }
    checkSalaryRows(image, check);
    checkSalaryRates(image, check);
    if (bytes.size() > kSalaryTableFixedSize) {
        checkSalaryExtension(bytes, image, check);
    } else {
        check.summary.push_back(
            "追加データなし：区切り 4 を超える金額は区切り 4 の税率で計算されます");
    }
    return check;
}

TableCheck checkBonusTaxTable(std::string_view file) {
    TableCheck check;
    check.summary.push_back("大きさ " + std::to_string(file.size()) + " バイト");
    const std::string_view bytes = checkTableSeal(file, check);
    if (bytes.size() != kBonusTableSize) {
        check.faults.push_back("大きさが " + std::to_string(kBonusTableSize) +
                               " バイトではありません。");
        return check;
    }
    BonusTaxTableImage image;
    std::memcpy(&image, bytes.data(), sizeof image);
    if (image.kouCount < 1 || image.kouCount > BonusTaxTableImage::kMaxKouRows) {
        check.faults.push_back("甲欄の行数 " + std::to_string(image.kouCount) +
                               " が 1〜24 の範囲にありません。");
    }
    if (image.otsuCount < 1 || image.otsuCount > BonusTaxTableImage::kMaxOtsuRows) {
        check.faults.push_back("乙欄の行数 " + std::to_string(image.otsuCount) +
                               " が 1〜10 の範囲にありません。");
    }
    if (!check.ok()) return check;
    check.summary.push_back(
        "甲 " + std::to_string(image.kouCount) + " 行（税率 " + percent(image.kouRows[0].rate) +
        "〜" + percent(image.kouRows[image.kouCount - 1].rate) + "）、乙 " +
        std::to_string(image.otsuCount) + " 行（税率 " + percent(image.otsuRows[0].rate) + "〜" +
        percent(image.otsuRows[image.otsuCount - 1].rate) + "）");
    for (int i = 0; i < image.kouCount; ++i) {
        if (!validRate(image.kouRows[i].rate)) {
            check.faults.push_back("甲 " + std::to_string(i + 1) +
                                   " 行目の税率が正しくありません。");
        } else if (i > 0 && image.kouRows[i].rate < image.kouRows[i - 1].rate) {
            check.faults.push_back("甲 " + std::to_string(i + 1) +
                                   " 行目の税率が前の行より小さくなっています。");
        }
    }
    checkBonusKouBands(image, check);
    for (int i = 0; i < image.otsuCount; ++i) {
        const std::string where = "乙 " + std::to_string(i + 1) + " 行目：";
        if (!validRate(image.otsuRows[i].rate)) {
            check.faults.push_back(where + "税率が正しくありません。");
        } else if (i > 0 && image.otsuRows[i].rate < image.otsuRows[i - 1].rate) {
            check.faults.push_back(where + "税率が前の行より小さくなっています。");
        }
        if (i > 0 && image.otsuRows[i].upper <= image.otsuRows[i - 1].upper) {
            check.faults.push_back(where + "上限が昇順ではありません。");
        }
    }
    return check;
}

}  // namespace keiro::calc
