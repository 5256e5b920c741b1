#include "core/entry.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include "core/pay_day.h"
#include "core/text.h"

namespace keiro {
namespace {

// printf-style formatting into a std::string of any length.
__attribute__((format(printf, 1, 2))) std::string format(const char* pattern, ...) {
    std::va_list args;
    va_start(args, pattern);
    std::va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(out.data(), out.size() + 1, pattern, args);
    va_end(args);
    return out;
}

std::string padLeftTo(std::string s, int width) {
    if (width > 0 && s.size() < static_cast<std::size_t>(width)) {
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    }
    return s;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLead(char c) {
    return text::isLeadByte(static_cast<std::uint8_t>(c));
}

// The text with every "," and " " removed and the remaining ends trimmed of control characters.
std::string withoutSeparators(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ',' && c != ' ') out.push_back(c);
    }
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    const auto first = std::find_if_not(out.begin(), out.end(), blank);
    const auto last = std::find_if_not(out.rbegin(), out.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

// The first `count` characters of UTF-8 text.
std::string_view firstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < utf8.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (startsCharacter && seen++ == count) break;
    }
    return utf8.substr(0, i);
}

// Reads unsigned decimal digits as a double (no overflow, any length); nullopt unless the text
// is digits only.  An empty text is 0.
std::optional<double> digitsValue(std::string_view digits) {
    double value = 0;
    for (char c : digits) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "[-]hours:minutes".
ParsedNumber parseHoursMinutes(std::string_view text, std::size_t colon) {
    constexpr ParsedNumber kError{0, true};
    std::string_view hours = text.substr(0, colon);
    const std::string_view minutes = text.substr(colon + 1);
    if (minutes.find(':') != std::string_view::npos) return kError;
    const bool negative = !hours.empty() && hours.front() == '-';
    if (negative) hours.remove_prefix(1);
    const auto h = digitsValue(hours);
    const auto m = digitsValue(minutes);
    if (!h || !m) return kError;
    const double value = *h + *m / 60.0;
    return {negative ? -value : value, false};
}

// A decimal number read from the start of the text up to the first character that cannot
// belong to it.
ParsedNumber parseDecimal(std::string_view text) {
    constexpr ParsedNumber kError{0, true};
    constexpr std::size_t kMaxCollected = 32;
    std::string collected;
    bool signSeen = false;
    bool pointSeen = false;
    for (char c : text) {
        if (collected.size() >= kMaxCollected) break;
        if (c == ' ') continue;
        if (c == '+' || c == '-') {
            if (signSeen) return kError;
            signSeen = true;
        } else if (c == '.') {
            if (pointSeen) return kError;
            pointSeen = true;
        } else if (!isDigit(c)) {
            break;
        }
        collected.push_back(c);
    }
    // A sign typed after the number ("12-") is dropped.
    if (!collected.empty() && (collected.back() == '+' || collected.back() == '-')) {
        collected.pop_back();
    }
    if (std::none_of(collected.begin(), collected.end(), isDigit)) return {};
    bool negative = false;
    std::string_view number = collected;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    // A sign between digits ("1-2") is no number.
    if (number.find_first_of("+-") != std::string_view::npos) return kError;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) return kError;
    return {negative ? -value : value, false};
}

// The integer digit limit of a numeric box.
int integerDigitLimit(int formatCode) {
    if (formatCode == 70) return 6;
    if (formatCode == 90) return 7;
    const FormatCode code = splitFormatCode(formatCode);
    return code.decimals > 0 ? code.width - code.decimals - 1 : code.width - code.decimals;
}

EntryCheck refused(std::string_view message) {
    return {std::string(), std::string(message)};
}

// The start of the character that holds byte `offset` of cp932 text.
int characterStart(std::string_view cp932, int offset) {
    int i = 0;
    while (i < offset) {
        const int step = isLead(cp932[i]) && i + 1 < static_cast<int>(cp932.size()) ? 2 : 1;
        if (i + step > offset) break;
        i += step;
    }
    return i;
}

// Pending value after a double-byte character that did not fit: its second byte is dropped too.
constexpr int kDropTrailByte = -2;

// Every doubled quote reduced to one.
std::string undoubleQuotes(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        out.push_back(field[i]);
        if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"') ++i;
    }
    return out;
}

}  // namespace

int daysInMonth(int calendarYear, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    if (month == 2 && std::chrono::year(calendarYear).is_leap()) return 29;
    return kDays[month - 1];
}

// --- item names ---------------------------------------------------------------------------------

std::string displayItemName(const ItemNames& names, std::string_view identifier) {
    const std::optional<int> index = itemIndex(identifier);
    if (!index) return std::string(identifier);
    return std::string(identifier.substr(0, 1)) + names[*index];
}

bool isTimeItem(std::string_view displayName) {
    return displayName.find("時間") != std::string_view::npos ||
           displayName.find("残業") != std::string_view::npos;
}

// --- display formats ----------------------------------------------------------------------------

std::string formatAmount(int width, long long value) {
    // Magnitude in unsigned arithmetic, so the most negative value is safe too.
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    const std::string digits = std::to_string(magnitude);
    std::string out = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return padLeftTo(std::move(out), width);
}

std::string formatHours(double value, TimeStyle style) {
    if (!std::isfinite(value)) value = 0;
    if (style == TimeStyle::Decimal) return formatQuantity(value);
    double hours = std::trunc(value);
    double minutes = std::round(std::fabs(value - hours) * 60.0);
    if (minutes >= 60) {  // 1.9999 h is 2:00, not 1:60
        minutes = 0;
        hours += value < 0 ? -1 : 1;
    }
    const bool negative = value < 0 && (hours != 0 || minutes != 0);
    return padLeftTo(
        format("%s%.0f:%.2d", negative ? "-" : "", std::fabs(hours), static_cast<int>(minutes)), 6);
}

std::string formatQuantity(double value) {
    if (!std::isfinite(value)) value = 0;
    std::string out = format("%6.2f", value);
    // A negative value that rounds to zero shows as zero.
    if (out.find_first_of("123456789") == std::string::npos) {
        const std::size_t minus = out.find('-');
        if (minus != std::string::npos) out = padLeftTo(out.erase(minus, 1), 6);
    }
    return out;
}

// --- reading numbers ----------------------------------------------------------------------------

std::optional<int> parseInt(std::string_view text) {
    const std::string cleaned = withoutSeparators(text);
    if (cleaned.empty()) return 0;
    std::string_view number = cleaned;
    // from_chars takes no "+": drop one, and nothing but a digit may follow it.
    if (number.front() == '+') {
        number.remove_prefix(1);
        if (number.empty() || !isDigit(number.front())) return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
    return value;
}

ParsedNumber parseNumber(std::string_view text) {
    const std::string cleaned = withoutSeparators(text);
    const std::size_t colon = cleaned.find(':');
    if (colon != std::string::npos) return parseHoursMinutes(cleaned, colon);
    return parseDecimal(cleaned);
}

// --- numeric edit boxes -------------------------------------------------------------------------

FormatCode splitFormatCode(int formatCode) {
    return {formatCode / 10, formatCode % 10};
}

EntryCheck validateNumericEntry(std::string_view text, int formatCode) {
    const std::string cleaned = withoutSeparators(text);
    const std::string_view entry = firstCharacters(cleaned, 9);
    if (entry.empty()) return {};
    if (entry.find_first_not_of("0123456789.:-") != std::string_view::npos) {
        return refused(kMsgNotANumber);
    }

    const auto separators =
        std::count_if(entry.begin(), entry.end(), [](char c) { return c == '.' || c == ':'; });
    if (separators > 1 || std::count(entry.begin(), entry.end(), '-') > 1) {
        return refused(kMsgDuplicateSeparator);
    }
    const std::size_t separator = entry.find_first_of(".:");
    if (separator != std::string_view::npos && entry[separator] == ':') {
        const std::string_view after = entry.substr(separator + 1);
        const std::string_view minutes = after.substr(0, after.find_first_not_of("0123456789"));
        if (digitsValue(minutes).value_or(0) > 59) return refused(kMsgMinutesOver59);
    }
    const std::size_t sign = entry.find('-');
    if (sign != std::string_view::npos && sign != 0) return refused(kMsgSignPosition);

    const bool negative = sign == 0;
    std::string_view integer = entry.substr(negative ? 1 : 0, separator - (negative ? 1 : 0));
    std::string_view fraction;
    if (separator != std::string_view::npos) {
        fraction = entry.substr(separator + 1);
        fraction = fraction.substr(
            0, static_cast<std::size_t>(std::max(0, splitFormatCode(formatCode).decimals)));
    }
    integer.remove_prefix(std::min(integer.find_first_not_of('0'), integer.size()));
    const std::string value = integer.empty() ? "0" : std::string(integer);
    if (static_cast<int>(value.size()) > integerDigitLimit(formatCode)) {
        return refused(kMsgTooManyDigits);
    }

    // The sign stays whenever the number is not zero, also for "-0.5" or "-0:30".
    const bool isZero = value == "0" && fraction.find_first_not_of('0') == std::string_view::npos;
    std::string result = negative && !isZero ? "-" + value : value;
    if (separator != std::string_view::npos) {
        result.push_back(entry[separator]);
        result.append(fraction);
    }
    return {result, std::string()};
}

std::string reformatEntry(std::string_view checkedText, int formatCode, bool hoursField,
                          TimeStyle style) {
    if (checkedText.empty()) return std::string();
    const double value = parseNumber(checkedText).value;
    if (hoursField) {
        const std::string hours = formatHours(value, style);
        return hours.substr(std::min(hours.find_first_not_of(' '), hours.size()));
    }
    const FormatCode code = splitFormatCode(formatCode);
    return format("%*.*f", code.width, std::max(0, code.decimals), value);
}

std::string asciiNumberText(std::string_view utf8) {
    struct Mapping {
        std::string_view wide;
        char ascii;
    };
    static constexpr Mapping kSigns[] = {{"－", '-'}, {"−", '-'},  {"ー", '-'}, {"，", ','},
                                         {"．", '.'}, {"：", ':'}, {"、", ','}};
    static constexpr std::string_view kWideZero = "０";  // ０–９ differ in the last byte only
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::string_view rest = utf8.substr(i);
        if (rest.size() >= 3 && rest.substr(0, 2) == kWideZero.substr(0, 2)) {
            const int offset =
                static_cast<unsigned char>(rest[2]) - static_cast<unsigned char>(kWideZero[2]);
            if (offset >= 0 && offset <= 9) {
                out += static_cast<char>('0' + offset);
                i += 3;
                continue;
            }
        }
        const auto sign = std::find_if(std::begin(kSigns), std::end(kSigns),
                                       [&](const Mapping& m) { return rest.starts_with(m.wide); });
        if (sign != std::end(kSigns)) {
            out += sign->ascii;
            i += sign->wide.size();
            continue;
        }
        out += utf8[i++];
    }
    return out;
}

std::string tooManyDigitsMessage(int formatCode) {
    const std::string largest(static_cast<std::size_t>(std::max(1, integerDigitLimit(formatCode))),
                              '9');
    return std::string(kMsgTooManyDigits) + largest + "以下で入力してください。";
}

KeyVerdict filterNumericKey(char32_t typed, int formatCode, bool takesHours) {
    if (typed == U'\r' || typed == U'\n') return KeyVerdict::MoveNext;
    if (typed == U'\b') return KeyVerdict::Accept;
    if (typed >= U'0' && typed <= U'9') return KeyVerdict::Accept;
    if (formatCode == 20) return KeyVerdict::Reject;
    if (typed == U'.') return KeyVerdict::Accept;
    if (typed == U':' && takesHours) return KeyVerdict::Accept;
    return KeyVerdict::Reject;
}

// --- overwrite typing ---------------------------------------------------------------------------

std::optional<OverwriteState> handleOverwriteKey(OverwriteState state, unsigned char typed,
                                                 int maxLength) {
    std::string& text = state.text;
    const int size = static_cast<int>(text.size());
    const bool full = maxLength > 0 && size >= maxLength;
    const char byte = static_cast<char>(typed);

    if (state.pendingLead == kDropTrailByte) {
        state.pendingLead = -1;
        return state;
    }
    // A caret between the two bytes of a character stands at the character's start.
    state.caret = characterStart(text, std::clamp(state.caret, 0, size));

    if (state.pendingLead < 0) {
        if (state.caret >= size) return std::nullopt;
        const int at = state.caret;
        if (text::isLeadByte(typed) && at + 1 == size && full) {
            state.pendingLead = kDropTrailByte;  // no room for the second byte
            return state;
        }
        if (isLead(text[at]) && at + 1 < size) text[at + 1] = ' ';  // no orphaned second byte
        text[at] = byte;
        if (text::isLeadByte(typed)) {
            state.pendingLead = at + 1;
            if (at + 1 == size) text.push_back(' ');
        }
        state.caret = at + 1;
        return state;
    }

    // The second byte of a double-byte character.
    const int at = std::min(state.pendingLead, size);
    state.pendingLead = -1;
    if (at == size) {
        if (full) return state;
        text.push_back(byte);
    } else {
        // The character it overwrites may be double-byte: its own second byte becomes a blank.
        if (isLead(text[at]) && at + 1 < size) text[at + 1] = ' ';
        text[at] = byte;
    }
    state.caret = at + 1;
    return state;
}

TruncatedText truncateToMaxLength(std::string_view cp932, int maxLength) {
    if (maxLength <= 0) return {std::string(cp932), false};
    const std::size_t limit = static_cast<std::size_t>(maxLength);
    return {std::string(text::truncateBytes(cp932, limit)), cp932.size() >= limit};
}

// --- dates and employees ------------------------------------------------------------------------

std::string_view bonusPayDateError(FileYear year, int month, int day) {
    if (month < 1 || month > 12) return kMsgBadBonusPayMonth;
    if (day < 1 || day > daysInMonth(year.calendarYear(), month)) return kMsgBadBonusPayDay;
    return {};
}

PayDate payDate(FileYear year, int period, const PeriodSettings& settings) {
    const SalaryPayDay paid = salaryPayDay(year.calendarYear(), period, settings);
    int eraYear = year.eraYear;
    // The year after 31 of the earlier era is year 2 of the new era.
    if (paid.year != year.calendarYear()) eraYear = !year.newEra && eraYear == 31 ? 2 : eraYear + 1;
    return {format("%2d", eraYear), format("%2d", paid.month), format("%2d", paid.day)};
}

bool isActiveEmployee(const EmployeeRecord& employee) {
    return employee.workStatus == 1;
}

bool isUncalculatedEraYear(int currentCalendarYear, FileYear open) {
    return currentCalendarYear > 2012 && !open.newEra && open.eraYear >= 16 && open.eraYear <= 24;
}

// --- CSV ----------------------------------------------------------------------------------------

// The lines are code page 932.  Its second bytes lie in 0x40..0xFC and are never '"' (0x22) or
// ',' (0x2C), so looking for quotes and commas byte by byte is never fooled by half of a
// double-byte character.
CsvLine splitCsvLineCounted(std::string_view line) {
    CsvLine result;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);

    std::size_t pos = 0;
    bool endsWithComma = false;
    for (std::size_t f = 0; f < kCsvFieldCount && pos < line.size(); ++f) {
        std::string field;
        if (line[pos] == '"') {
            for (++pos; pos < line.size(); ++pos) {
                if (line[pos] == '"') {
                    if (pos + 1 >= line.size() || line[pos + 1] != '"') {
                        ++pos;  // the closing quote
                        break;
                    }
                    ++pos;  // "" is one quote
                }
                field.push_back(line[pos]);
            }
        }
        // Up to the next comma (after a quoted part, text before the comma still belongs to the
        // field, so a stray character never shifts the fields after it).
        const std::size_t comma = std::min(line.find(',', pos), line.size());
        field += undoubleQuotes(line.substr(pos, comma - pos));
        endsWithComma = comma + 1 == line.size();
        pos = comma + 1;
        result.fields[f] = std::string(text::truncateBytes(field, kCsvFieldMaxBytes));
        result.count = f + 1;
    }
    // "a,b," holds a third, empty field.
    if (endsWithComma && result.count < kCsvFieldCount) ++result.count;
    return result;
}

std::array<std::string, kCsvFieldCount> splitCsvLine(std::string_view line) {
    return splitCsvLineCounted(line).fields;
}

}  // namespace keiro
