#include "calc/premium_tables.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "calc/table_seal.h"
#include "core/entry.h"
#include "core/fileio.h"
#include "core/text.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

using std::to_string;

constexpr int kMaxGrades = HealthGradeTableImage::kMaxGrades;
constexpr std::size_t kRateLineBytes = kPrefectureNameBytes + kPrefectureRateChars;
// No health insurance rate has come near half the pay: a higher one is damage.
constexpr double kMaxPlausibleRate = 50.0;

std::string imageBytes(const HealthGradeTableImage& image) {
    return std::string(reinterpret_cast<const char*>(&image), sizeof image);
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += "\n  " + line;
    return out;
}

// --- grade table ------------------------------------------------------------------------

// One CSV row into grade g; returns the row's pension grade, if any.
std::optional<std::int32_t> readGradeRow(const DataCsv& csv, std::size_t row, int g,
                                         HealthGrade& out) {
    const std::string where = "health grades, grade " + to_string(g) + ": ";
    if (csv.integer(row, "health_grade") != g) {
        throw DataError(where + "the grades must be numbered 1, 2, 3, ... in order");
    }
    out.lower = csv.integer(row, "lower_yen_inclusive");
    const std::optional<std::int32_t> upper = csv.optionalInteger(row, "upper_yen_exclusive");
    if (!upper && static_cast<std::size_t>(g) != csv.rowCount()) {
        throw DataError(where + "only the top grade may have no upper bound");
    }
    out.upper = upper.value_or(std::numeric_limits<std::int32_t>::max());
    out.standard = csv.integer(row, "standard_monthly_yen");
    return csv.optionalInteger(row, "pension_grade");
}

std::string yen(std::int32_t amount) {
    return formatAmount(0, amount);
}

void checkGrades(const HealthGradeTableImage& image, std::vector<std::string>& faults) {
    for (int g = 1; g <= image.gradeCount; ++g) {
        const HealthGrade& grade = image.grades[g - 1];
        const std::string where = "第" + to_string(g) + "等級：";
        if (grade.lower >= grade.upper) {
            faults.push_back(where + "下限 " + yen(grade.lower) + " が上限 " + yen(grade.upper) +
                             " 以上です。");
        }
        if (grade.standard < grade.lower || grade.standard >= grade.upper) {
            faults.push_back(where + "標準報酬月額 " + yen(grade.standard) +
                             " が報酬月額の範囲外です。");
        }
        if (g == 1) continue;
        const HealthGrade& previous = image.grades[g - 2];
        if (grade.lower != previous.upper) {
            faults.push_back(where + "下限 " + yen(grade.lower) + " が前の等級の上限 " +
                             yen(previous.upper) + " と続いていません。");
        }
        if (grade.standard <= previous.standard) {
            faults.push_back(where + "標準報酬月額 " + yen(grade.standard) +
                             " が前の等級より大きくありません。");
        }
    }
}

bool pensionLimitsValid(const HealthGradeTableImage& image) {
    return image.pensionMinGrade >= 1 && image.pensionMinGrade <= image.pensionMaxGrade &&
           image.pensionMaxGrade <= image.gradeCount;
}

// --- rate list ---------------------------------------------------------------------------

struct RawLine {
    std::string_view bytes;  // without the line end
    int number = 0;          // 1-based
    bool crlf = false;
};

std::vector<RawLine> splitLines(std::string_view content) {
    std::vector<RawLine> lines;
    int number = 0;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        RawLine line{content.substr(0, end), ++number, false};
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (!line.bytes.empty() && line.bytes.back() == '\r') {
            line.bytes.remove_suffix(1);
            line.crlf = end != std::string_view::npos;
        }
        lines.push_back(line);
    }
    return lines;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isBlankLine(std::string_view line) {
    return trimmed(line).empty();
}

// A rate as written in the list: a plain decimal from 0 up to 100, blanks around allowed.
std::optional<double> parseRate(std::string_view field) {
    field = trimmed(field);
    if (field.empty()) return std::nullopt;
    double value = 0;  // from_chars: independent of the process locale
    const auto [end, error] =
        std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
    if (!std::isfinite(value) || value < 0 || value >= 100) return std::nullopt;
    return value;
}

PrefectureRate parseRateLine(const RawLine& line, std::string_view fileName) {
    PrefectureRate entry;
    const std::string_view nameBytes = text::truncateBytes(line.bytes, kPrefectureNameBytes);
    entry.name = text::fromCp932(trimmed(nameBytes));
    entry.display = text::fromCp932(line.bytes) + "%";
    const std::string_view rateField =
        line.bytes.size() > kPrefectureNameBytes
            ? line.bytes.substr(kPrefectureNameBytes, kPrefectureRateChars)
            : std::string_view();
    entry.rate = parseRate(rateField);
    if (!entry.rate) {
        entry.error = std::string(fileName) + " の " + to_string(line.number) + "行目の保険料率「" +
                      text::fromCp932(rateField) + "」は数値ではありません。";
    }
    return entry;
}

// "10.28", " 9.85": two decimals right-aligned in five characters.
std::string formatRate(double rate, const std::string& where) {
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::fixed, 2);
    const std::string digits(buffer, error == std::errc() ? end : buffer);
    if (!(rate >= 0) || digits.empty() || digits.size() > kPrefectureRateChars) {
        throw DataError(where + "rate " + digits + " does not fit in five characters");
    }
    return std::string(kPrefectureRateChars - digits.size(), ' ') + digits;
}

std::string trimmedRate(double rate) {
    return std::string(trimmed(formatRate(rate, "")));
}

}  // namespace

// --- building ---------------------------------------------------------------------------

std::string buildHealthGradeTable(const DataCsv& csv, std::optional<int> topPensionGrade) {
    const std::size_t count = csv.rowCount();
    if (count < 1 || count > static_cast<std::size_t>(kMaxGrades)) {
        throw DataError("health grades: " + to_string(count) + " grades, the table holds 1.." +
                        to_string(kMaxGrades));
    }
    HealthGradeTableImage image{};
    image.gradeCount = static_cast<std::int32_t>(count);
    for (int g = 1; g <= image.gradeCount; ++g) {
        const std::optional<std::int32_t> pension =
            readGradeRow(csv, static_cast<std::size_t>(g - 1), g, image.grades[g - 1]);
        if (!pension || (topPensionGrade && *pension > *topPensionGrade)) continue;
        if (image.pensionMinGrade == 0) image.pensionMinGrade = g;
        // The pension grades must be one unbroken run, numbered from 1 at pensionMinGrade.
        if (image.pensionMaxGrade != 0 && image.pensionMaxGrade != g - 1) {
            throw DataError("health grades, grade " + to_string(g) +
                            ": the pension grades have a gap before it");
        }
        if (*pension != g - image.pensionMinGrade + 1) {
            throw DataError("health grades, grade " + to_string(g) + ": pension grade " +
                            to_string(*pension) + " out of sequence");
        }
        image.pensionMaxGrade = g;
    }
    if (image.pensionMinGrade == 0) throw DataError("health grades: no grade has a pension grade");

    std::string bytes = imageBytes(image);
    const TableCheck check = checkHealthGradeTable(sealTable(bytes));  // as the file will be
    if (!check.ok()) throw DataError("health grades:" + joined(check.faults));
    return bytes;
}

std::string buildPrefectureRateList(const DataCsv& csv) {
    struct Row {
        int code;
        std::string line;
    };
    std::vector<Row> rows;
    for (std::size_t r = 0; r < csv.rowCount(); ++r) {
        if (csv.text(r, "section") != "health") continue;
        const std::string& name = csv.text(r, "name");
        const std::string where = "health rates, " + name + ": ";
        if (name.empty() || text::cp932Width(name) > kPrefectureNameBytes) {
            throw DataError(where + "the name must be 1.." + to_string(kPrefectureNameBytes) +
                            " bytes in code page 932");
        }
        std::string line;
        try {
            line = text::toCp932(text::padRight(name, kPrefectureNameBytes));
        } catch (const text::EncodingError&) {
            throw DataError(where + "the name has a character without a code page 932 form");
        }
        line += formatRate(csv.decimal(r, "total_rate_pct"), where) + "\r\n";
        rows.push_back({csv.integer(r, "code"), line});
    }
    if (rows.empty()) throw DataError("health rates: no rows of section health");
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.code < b.code; });
    std::string out;
    for (const Row& row : rows) out += row.line;
    return out;
}

// --- checking ---------------------------------------------------------------------------

TableCheck checkHealthGradeTable(std::string_view file) {
    TableCheck check;
    const std::string_view bytes = checkTableSeal(file, check);
    if (bytes.size() != sizeof(HealthGradeTableImage)) {
        check.faults.push_back("大きさが " + to_string(bytes.size()) + " バイトです（" +
                               to_string(sizeof(HealthGradeTableImage)) + " バイトのはずです）。");
        return check;
    }
    HealthGradeTableImage image;
    std::memcpy(&image, bytes.data(), sizeof image);
    if (image.gradeCount < 1 || image.gradeCount > kMaxGrades) {
        check.faults.push_back("等級数 " + to_string(image.gradeCount) + " が 1〜" +
                               to_string(kMaxGrades) + " の範囲にありません。");
        return check;
    }
    check.summary.push_back("等級数 " + to_string(image.gradeCount) + "（標準報酬月額 " +
                            yen(image.grades[0].standard) + "〜" +
                            yen(image.grades[image.gradeCount - 1].standard) + " 円）");
    if (pensionLimitsValid(image)) {
        check.summary.push_back("厚生年金 第" + to_string(image.pensionMinGrade) + "等級〜第" +
                                to_string(image.pensionMaxGrade) + "等級（標準報酬月額 " +
                                yen(image.grades[image.pensionMinGrade - 1].standard) + "〜" +
                                yen(image.grades[image.pensionMaxGrade - 1].standard) + " 円）");
    } else {
        check.faults.push_back("厚生年金の等級範囲 " + to_string(image.pensionMinGrade) + "〜" +
                               to_string(image.pensionMaxGrade) + " が等級 1〜" +
                               to_string(image.gradeCount) + " の中にありません。");
    }
    checkGrades(image, check.faults);
    return check;
}

TableCheck checkPrefectureRateList(std::string_view file) {
    TableCheck check;
    const std::string_view bytes = checkTableSeal(file, check);
    int count = 0;
    double lowest = 0;
    double highest = 0;
    for (const RawLine& line : splitLines(bytes)) {
        const std::string where = "第" + to_string(line.number) + "行：";
        if (!line.crlf) check.faults.push_back(where + "行末が CR LF ではありません。");
        if (isBlankLine(line.bytes)) {
            check.faults.push_back(where + "空行です。");
            continue;
        }
        if (line.bytes.size() != kRateLineBytes) {
            check.faults.push_back(where + to_string(line.bytes.size()) + " バイトです（" +
                                   to_string(kRateLineBytes) + " バイトのはずです）。");
        }
        const PrefectureRate entry = parseRateLine(line, kHealthRateListFileName);
        if (entry.name.empty()) check.faults.push_back(where + "都道府県名がありません。");
        if (!entry.rate) {
            check.faults.push_back(where + "11〜15 バイト目が保険料率ではありません。");
            continue;
        }
        if (*entry.rate > kMaxPlausibleRate) {
            check.faults.push_back(where + "保険料率 " + trimmedRate(*entry.rate) + " % が " +
                                   trimmedRate(kMaxPlausibleRate) + " % を超えています。");
        }
        lowest = count == 0 ? *entry.rate : std::min(lowest, *entry.rate);
        highest = count == 0 ? *entry.rate : std::max(highest, *entry.rate);
        ++count;
    }
    if (count == 0) {
        check.faults.push_back("都道府県がありません。");
        return check;
    }
    check.summary.push_back("都道府県 " + to_string(count) + "（保険料率 " + trimmedRate(lowest) +
                            "〜" + trimmedRate(highest) + " %）");
    return check;
}

// --- the grade table --------------------------------------------------------------------

HealthGradeTable HealthGradeTable::load(const fs::path& path) {
    const std::string bytes = readFile(path);
    const UnsealedTable file = unsealTable(bytes);
    if (!file.intact) {
        throw IoError(path, "読み込み",
                      "健康保険料額表の検査値が合いません（ファイルが壊れています）。");
    }
    HealthGradeTable table = fromBytes(file.content, path);
    const TableCheck verdict = checkHealthGradeTable(bytes);
    if (!verdict.ok()) {
        throw IoError(path, "読み込み",
                      "健康保険料額表が正しくありません。\n" + faultLines(verdict));
    }
    return table;
}

HealthGradeTable HealthGradeTable::fromBytes(std::string_view bytes, const fs::path& source) {
    constexpr std::string_view kAction = "読み込み";
    HealthGradeTable table;
    table.path_ = source;
    if (bytes.size() != sizeof table.image_) {
        throw IoError(source, kAction,
                      "健康保険料額表の大きさが正しくありません（" + to_string(bytes.size()) +
                          "バイト。" + to_string(sizeof table.image_) + "バイトのはずです）。");
    }
    std::memcpy(&table.image_, bytes.data(), sizeof table.image_);
    const HealthGradeTableImage& image = table.image_;
    if (image.gradeCount < 1 || image.gradeCount > kMaxGrades) {
        throw IoError(source, kAction,
                      "健康保険料額表の等級数 " + to_string(image.gradeCount) +
                          " が正しくありません（1〜" + to_string(kMaxGrades) + "）。");
    }
    if (!pensionLimitsValid(image)) {
        throw IoError(source, kAction,
                      "健康保険料額表の厚生年金の等級範囲 " + to_string(image.pensionMinGrade) +
                          "〜" + to_string(image.pensionMaxGrade) + " が正しくありません（1〜" +
                          to_string(image.gradeCount) + "）。");
    }
    return table;
}

const HealthGrade& HealthGradeTable::grade(int g) const {
    assert(hasGrade(g));
    return image_.grades[g - 1];
}

int HealthGradeTable::pensionGrade(int g) const {
    return std::clamp(g, pensionMinGrade(), pensionMaxGrade());
}

int HealthGradeTable::gradeOf(std::int32_t amount) const {
    for (int g = gradeCount(); g > 1; --g) {
        if (amount >= image_.grades[g - 1].lower) return g;
    }
    return 1;
}

std::string HealthGradeTable::listLine(int g) const {
    const HealthGrade& band = grade(g);
    // The top grade has no upper bound: its 未満 column stays blank.
    const std::string upper = band.upper == std::numeric_limits<std::int32_t>::max()
                                  ? std::string(15, ' ')
                                  : formatAmount(9, band.upper) + "円未満";
    return formatAmount(9, band.lower) + "円以上 " + upper + "  " + formatAmount(9, band.standard) +
           "円";
}

std::vector<std::string> HealthGradeTable::listLines() const {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(gradeCount()));
    for (int g = 1; g <= gradeCount(); ++g) lines.push_back(listLine(g));
    return lines;
}

std::string selectedGradeLabel(int grade) {
    return "選択等級：" + to_string(grade) + "等級";
}

// --- the prefecture rate list -----------------------------------------------------------

std::vector<PrefectureRate> readPrefectureRates(const fs::path& path) {
    std::error_code error;
    if (!fs::exists(path, error) && !error) return {};
    const std::string bytes = readFile(path);
    if (!unsealTable(bytes).intact) {
        throw IoError(path, "読み込み",
                      "健康保険料率の一覧の検査値が合いません（ファイルが壊れています）。");
    }
    return parsePrefectureRates(bytes, kHealthRateListFileName);
}

std::vector<PrefectureRate> parsePrefectureRates(std::string_view bytes,
                                                 std::string_view fileName) {
    std::vector<PrefectureRate> entries;
    for (const RawLine& line : splitLines(unsealTable(bytes).content)) {
        if (!isBlankLine(line.bytes)) entries.push_back(parseRateLine(line, fileName));
    }
    return entries;
}

std::optional<double> halfRate(const PrefectureRate& entry) {
    if (!entry.rate) return std::nullopt;
    return *entry.rate / 2;
}

}  // namespace keiro::calc
