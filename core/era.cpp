#include "core/era.h"

#include <unicode/ucal.h>
#include <unicode/udat.h>
#include <unicode/ustring.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <system_error>

namespace keiro {
namespace {

constexpr const UChar* kZone = u"Asia/Tokyo";
constexpr const char* kJapaneseLocale = "ja_JP@calendar=japanese";
constexpr const char* kGregorianLocale = "ja_JP@calendar=gregorian";
constexpr int kEarlierEraLastYear = 31;  // 2019 is filed as the earlier era's 31
// The years the year list looks for.
constexpr int kEarlierEraFirstListed = 16;
constexpr int kNewEraFirstListed = 2;
constexpr int kNewEraLastListed = 20;

struct CalendarCloser {
    void operator()(UCalendar* c) const { ucal_close(c); }
};
struct FormatCloser {
    void operator()(UDateFormat* f) const { udat_close(f); }
};
using Calendar = std::unique_ptr<UCalendar, CalendarCloser>;
using DateFormat = std::unique_ptr<UDateFormat, FormatCloser>;

void check(UErrorCode status) {
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("和暦の取得に失敗しました。(") + u_errorName(status) +
                                 ")");
    }
}

Calendar openCalendar(const char* locale, UCalendarType type) {
    UErrorCode status = U_ZERO_ERROR;
    Calendar calendar(ucal_open(kZone, -1, locale, type, &status));
    check(status);
    return calendar;
}

// The instant of noon, Tokyo time, on a Gregorian date.
UDate noonOf(std::chrono::year_month_day date) {
    Calendar gregorian = openCalendar(kGregorianLocale, UCAL_GREGORIAN);
    UErrorCode status = U_ZERO_ERROR;
    ucal_clear(gregorian.get());
    ucal_setDateTime(gregorian.get(), static_cast<int>(date.year()),
                     static_cast<int>(static_cast<unsigned>(date.month())) - 1,
                     static_cast<int>(static_cast<unsigned>(date.day())), 12, 0, 0, &status);
    const UDate instant = ucal_getMillis(gregorian.get(), &status);
    check(status);
    return instant;
}

// The era name in its full form ("平成", not "H").
std::string eraNameAt(UDate instant) {
    UErrorCode status = U_ZERO_ERROR;
    DateFormat format(
        udat_open(UDAT_PATTERN, UDAT_PATTERN, kJapaneseLocale, kZone, -1, u"GGGG", -1, &status));
    check(status);
    UChar buffer[32];
    const int32_t length = udat_format(format.get(), instant, buffer, 32, nullptr, &status);
    check(status);
    char utf8[128];
    int32_t utf8Length = 0;
    u_strToUTF8(utf8, sizeof utf8, &utf8Length, buffer, length, &status);
    check(status);
    return std::string(utf8, static_cast<std::size_t>(utf8Length));
}

std::chrono::year_month_day ymd(int y, unsigned m, unsigned d) {
    return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d};
}

bool usableAsFileName(std::string_view eraName) {
    return !eraName.empty() && eraName.find('/') == std::string_view::npos &&
           eraName.find('\0') == std::string_view::npos && eraName != "." && eraName != "..";
}

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2d", value);
    return buffer;
}

}  // namespace

EraDate eraDateOf(std::chrono::year_month_day date) {
    const UDate instant = noonOf(date);
    Calendar japanese = openCalendar(kJapaneseLocale, UCAL_DEFAULT);
    UErrorCode status = U_ZERO_ERROR;
    ucal_setMillis(japanese.get(), instant, &status);
    EraDate result;
    result.eraYear = ucal_get(japanese.get(), UCAL_YEAR, &status);
    result.month = ucal_get(japanese.get(), UCAL_MONTH, &status) + 1;
    result.day = ucal_get(japanese.get(), UCAL_DATE, &status);
    check(status);
    result.eraName = eraNameAt(instant);
    return result;
}

std::optional<EraDate> eraDateOfBirthYear(int westernYear, int month, int day) {
    using namespace std::chrono;
    if (westernYear < 1868 || westernYear > 9999 || month < 0 || month > 12 || day < 0)
        return std::nullopt;
    const year_month ym{year(westernYear),
                        std::chrono::month(static_cast<unsigned>(month == 0 ? 12 : month))};
    const year_month_day date =
        day == 0 ? year_month_day{ym / last}
                 : year_month_day{ym / std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) return std::nullopt;
    return eraDateOf(date);
}

int lastYearOfEra(std::string_view eraName) {
    if (eraName == "明治") return 45;
    if (eraName == "大正") return 15;
    if (eraName == "昭和") return 64;
    if (eraName == "平成") return 31;
    return 99;
}

EraNames eraNamesFor(std::chrono::year_month_day today, std::string_view newEraOverride) {
    EraNames names;
    names.earlier = eraNameAt(noonOf(ymd(1989, 1, 8)));
    if (static_cast<int>(today.year()) < 2019) {
        names.newEra = names.earlier;
    } else if (usableAsFileName(newEraOverride)) {
        names.newEra = std::string(newEraOverride);
    } else {
        names.newEra = eraNameAt(noonOf(ymd(2019, 5, 1)));
    }
    return names;
}

EraYear fileEraYearOf(int calendarYear, const EraNames& names) {
    if (calendarYear == 2019) return {names.earlier, kEarlierEraLastYear};
    if (calendarYear > 2019) return {names.newEra, calendarYear - 2018};
    return {names.earlier, calendarYear - 1988};
}

int calendarYearOf(const EraYear& eraYear, const EraNames& names) {
    return eraYear.eraYear + (eraYear.eraName == names.earlier ? 1988 : 2018);
}

std::string yearFileName(const EraYear& eraYear) {
    return eraYear.eraName + twoDigits(eraYear.eraYear) + "年給与･賞与.dat";
}

std::optional<EraYear> parseYearFileName(std::string_view fileName) {
    constexpr std::string_view kSuffix = "年給与･賞与.dat";
    if (fileName.size() < kSuffix.size() + 3 || !fileName.ends_with(kSuffix)) return std::nullopt;
    const std::string_view stem = fileName.substr(0, fileName.size() - kSuffix.size());
    const std::string_view digits = stem.substr(stem.size() - 2);
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    return EraYear{std::string(stem.substr(0, stem.size() - 2)),
                   (digits[0] - '0') * 10 + (digits[1] - '0')};
}

std::chrono::year_month_day todayInJapan() {
    using namespace std::chrono;
    return year_month_day{floor<days>(system_clock::now() + hours(9))};
}

std::string currentYearFileName(std::chrono::year_month_day today, const EraNames& names) {
    return yearFileName(fileEraYearOf(static_cast<int>(today.year()), names));
}

std::string previousYearFileName(std::string_view eraName, int eraYear, const EraNames& names) {
    if (eraYear == 2 && eraName == names.newEra && names.newEra != names.earlier) {
        return yearFileName({names.earlier, kEarlierEraLastYear});
    }
    return yearFileName({std::string(eraName), eraYear - 1});
}

EraYear displayEraYear(const EraYear& fileYear, int month, const EraNames& names) {
    // Only the earlier era's 31 straddles the change of era (2019-05-01); a later era's 31 is
    // an ordinary year.
    if (fileYear.eraYear == kEarlierEraLastYear && month > 4 && fileYear.eraName == names.earlier) {
        return {names.newEra, 1};
    }
    return fileYear;
}

bool isListedYear(const EraYear& year, const EraNames& names) {
    if (year.eraName == names.earlier) {
        return year.eraYear >= kEarlierEraFirstListed && year.eraYear <= kEarlierEraLastYear;
    }
    return names.newEra != names.earlier && year.eraName == names.newEra &&
           year.eraYear >= kNewEraFirstListed && year.eraYear <= kNewEraLastListed;
}

std::string listedYearsMessage(const EraNames& names) {
    std::string text = "作成できるのは" + names.earlier + twoDigits(kEarlierEraFirstListed) +
                       "年～" + twoDigits(kEarlierEraLastYear) + "年";
    if (names.newEra != names.earlier) {
        text += "、" + names.newEra + twoDigits(kNewEraFirstListed) + "年～" +
                twoDigits(kNewEraLastListed) + "年";
    }
    return text + "のデータファイルです。";
}

std::vector<YearFileEntry> findYearFiles(const std::filesystem::path& dataFolder,
                                         const EraNames& names) {
    std::vector<YearFileEntry> found;
    auto tryYears = [&](const std::string& eraName, int first, int last) {
        for (int year = first; year <= last; ++year) {
            EraYear eraYear{eraName, year};
            std::filesystem::path path = dataFolder / yearFileName(eraYear);
            std::error_code error;
            if (!std::filesystem::exists(path, error)) continue;
            found.push_back(
                {eraName + twoDigits(year) + "年", std::move(eraYear), std::move(path)});
        }
    };
    tryYears(names.earlier, kEarlierEraFirstListed, kEarlierEraLastYear);
    if (names.newEra != names.earlier)
        tryYears(names.newEra, kNewEraFirstListed, kNewEraLastListed);
    return found;
}

}  // namespace keiro
