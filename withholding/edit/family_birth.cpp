#include "withholding/edit/family_birth.h"

#include <array>
#include <cstdio>
#include <vector>

#include "withholding/edit/edit_rules.h"

namespace keiro::withholding {
namespace {

constexpr std::string_view kFormatError =
    "生年月日は 1985-04-01 または S60.4.1 の形で入力してください。";

// An era as a birth date may name it: its letter, its name, its first and last day.
struct BirthEra {
    char letter;
    std::string_view name;
    int offset;  // Western year = era year + offset
    int firstMonth, firstDay;
    int lastYear, lastMonth, lastDay;  // era year; 0 = still running
};

constexpr std::array<BirthEra, 5> kBirthEras = {{
    {'M', "明治", 1867, 1, 1, 45, 7, 29},
    {'T', "大正", 1911, 7, 30, 15, 12, 24},
    {'S', "昭和", 1925, 12, 25, 64, 1, 7},
    {'H', "平成", 1988, 1, 8, 31, 4, 30},
    {'R', "令和", 2018, 5, 1, 0, 0, 0},
}};

// Decodes one UTF-8 character at `at`, advancing it; U+FFFD for a broken sequence.
char32_t nextChar(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 4;
    if (at + static_cast<std::size_t>(length) > text.size()) length = 1;
    char32_t c = length == 1   ? lead
                 : length == 2 ? (lead & 0x1F)
                 : length == 3 ? (lead & 0x0F)
                               : (lead & 0x07);
    for (int k = 1; k < length; ++k) c = (c << 6) | (byte(at + static_cast<std::size_t>(k)) & 0x3F);
    at += static_cast<std::size_t>(length);
    return c;
}

void appendUtf8(std::u32string_view from, std::string& to) {
    for (const char32_t c : from) {
        if (c < 0x80) {
            to += static_cast<char>(c);
        } else if (c < 0x800) {
            to += static_cast<char>(0xC0 | (c >> 6));
            to += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            to += static_cast<char>(0xE0 | (c >> 12));
            to += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            to += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

// The text as code points, full-width ASCII read as ASCII, ideographic spaces as spaces.
std::u32string halfWidth(std::string_view text) {
    std::u32string out;
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = nextChar(text, at);
        if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
        if (c == 0x3000) c = U' ';
        if (c >= U'a' && c <= U'z') c -= 0x20;
        out += c;
    }
    const auto blank = [](char32_t c) { return c == U' ' || c == U'\t'; };
    while (!out.empty() && blank(out.back())) out.pop_back();
    std::size_t start = 0;
    while (start < out.size() && blank(out[start])) ++start;
    return out.substr(start);
}

bool startsWith(std::u32string_view text, std::string_view utf8) {
    std::string head;
    appendUtf8(text.substr(0, utf8.size() / 3), head);  // era names are three-byte characters
    return head == utf8;
}

// The era the text starts with, removing it; nullptr (text unchanged) when there is none.
const BirthEra* takeEra(std::u32string& text) {
    for (const BirthEra& era : kBirthEras) {
        if (!text.empty() && text.front() == static_cast<char32_t>(era.letter)) {
            text.erase(0, 1);
            return &era;
        }
        if (startsWith(text, era.name)) {
            text.erase(0, era.name.size() / 3);
            return &era;
        }
    }
    return nullptr;
}

// The runs of digits ("元" is the year 1) with the number of digits of each; nothing when a
// character is neither a digit nor a separator.
std::optional<std::vector<std::pair<int, int>>> numberRuns(std::u32string_view text) {
    static constexpr std::u32string_view kSeparators = U"-/. 年月日";
    std::vector<std::pair<int, int>> runs;
    bool inRun = false;
    for (const char32_t c : text) {
        if (c >= U'0' && c <= U'9') {
            if (!inRun) runs.emplace_back(0, 0);
            inRun = true;
            auto& [value, digits] = runs.back();
            if (digits < 9) value = value * 10 + static_cast<int>(c - U'0');
            ++digits;
        } else if (c == U'元' && !inRun && runs.empty()) {
            runs.emplace_back(1, 1);
        } else if (kSeparators.find(c) != std::u32string_view::npos) {
            inRun = false;
        } else {
            return std::nullopt;
        }
    }
    return runs;
}

std::string format(const char* pattern, int a, int b = 0, int c = 0) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

ParsedBirth refused(std::string why) {
    return {std::nullopt, std::move(why)};
}

int dayNumber(int year, int month, int day) {
    return (year * 100 + month) * 100 + day;
}

// Whether the era's span holds the date; the reason when it does not.
std::string outsideEra(const BirthEra& era, int eraYear, int year, int month, int day) {
    const std::string name(era.name);
    if (era.lastYear != 0 && eraYear > era.lastYear) {
        return name + format("は%d年までです。", era.lastYear);
    }
    const int first = dayNumber(era.offset + 1, era.firstMonth, era.firstDay);
    const int date = dayNumber(year, month, day);
    if (date < first) {
        return name + format("元年は%d月%d日からです。", era.firstMonth, era.firstDay);
    }
    if (era.lastYear != 0 &&
        date > dayNumber(era.offset + era.lastYear, era.lastMonth, era.lastDay)) {
        return name + format("%d年は%d月%d日までです。", era.lastYear, era.lastMonth, era.lastDay);
    }
    return {};
}

}  // namespace

bool isBirthEntered(const CalendarDateBytes& date) {
    return date.yearSince1900 != 0 || date.month != 0 || date.day != 0;
}

std::string formatBirthDate(const CalendarDateBytes& date) {
    if (!isBirthEntered(date)) return {};
    return format("%04d-%02d-%02d", 1900 + date.yearSince1900, date.month, date.day);
}

ParsedBirth parseBirthDate(std::string_view typed, int dataYear) {
    std::u32string text = halfWidth(typed);
    if (text.empty()) return {};
    const BirthEra* era = takeEra(text);
    const auto runs = numberRuns(text);
    if (!runs) return refused(std::string(kFormatError));
    int year = 0, month = 0, day = 0;
    if (runs->size() == 3) {
        year = (*runs)[0].first;
        month = (*runs)[1].first;
        day = (*runs)[2].first;
        if (era == nullptr && (*runs)[0].second != 4) return refused(std::string(kFormatError));
    } else if (runs->size() == 1 && (*runs)[0].second == (era ? 6 : 8)) {
        const int all = (*runs)[0].first;  // YYYYMMDD, or the era's YYMMDD
        year = all / 10000;
        month = all / 100 % 100;
        day = all % 100;
    } else {
        return refused(std::string(kFormatError));
    }
    const int eraYear = year;
    if (era != nullptr) {
        if (eraYear < 1) return refused(std::string(kFormatError));
        year += era->offset;
    }
    if (month < 1 || month > 12) return refused("月は1から12までです。");
    const int lastDay = daysInMonth(year, month);
    if (day < 1 || day > lastDay) {
        std::string why = format("%d年%d月は%d日までです。", year, month, lastDay);
        if (month == 2 && day == 29) why += "（閏年ではありません）";
        return refused(why);
    }
    if (era != nullptr) {
        if (std::string why = outsideEra(*era, eraYear, year, month, day); !why.empty()) {
            return refused(why);
        }
    }
    if (year < 1900) return refused("1900年より前の生年月日は入力できません。");
    if (year > dataYear) {
        return refused(format("生年月日が%d年12月31日より後です。", dataYear));
    }
    const CalendarDateBytes date{static_cast<std::uint8_t>(year - 1900),
                                 static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day)};
    return {date, {}};
}

}  // namespace keiro::withholding
