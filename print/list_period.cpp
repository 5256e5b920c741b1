#include "print/list_period.h"

#include "core/text.h"
#include "print/pictures.h"

namespace keiro::print {
namespace {

constexpr int kSummerBonus = 13;
constexpr int kWinterBonus = 14;
constexpr int kExtraBonus = 15;
constexpr std::size_t kTitleCharacters = 4;

std::string yearText(const ListPeriod& period) {
    return period.shownYear.eraName + std::to_string(period.shownYear.eraYear) + "年";
}

// The extra bonus's name in the title: its first four characters with blanks between them.
std::string spacedName(const std::string& name) {
    std::string spaced;
    std::size_t taken = 0;
    for (const text::WidthCharacter& character : text::widthCharacters(name)) {
        if (taken == kTitleCharacters) break;
        if (taken++ > 0) spaced += ' ';
        spaced += character.character;
    }
    return spaced;
}

}  // namespace

int periodMonth(int period, const YearFileHeader& header) {
    if (!isBonusPeriod(period)) return period;
    return header.bonusPayMonth[period - kFirstBonusPeriod];
}

ListPeriod listPeriod(int period, int month, const EraYear& fileYear, const EraNames& eras,
                      const ItemNames& names) {
    return {period, displayEraYear(fileYear, month, eras), names.extraBonusCaption};
}

std::string listTitle(const ListPeriod& period) {
    const std::string year = yearText(period) + " ";
    switch (period.period) {
        case kSummerBonus:
            return year + "夏 " + "期" + " 賞 与 一 覧";
        case kWinterBonus:
            return year + "冬 " + "期" + " 賞 与 一 覧";
        case kExtraBonus:
            return year + spacedName(period.extraBonusName) + " 一 覧";
        default:
            break;
    }
    return year + std::to_string(period.period) + " 月 分 給 与 一 覧";
}

std::string listPeriodName(const ListPeriod& period) {
    switch (period.period) {
        case kSummerBonus:
            return "夏期賞与";
        case kWinterBonus:
            return "冬期賞与";
        case kExtraBonus:
            return period.extraBonusName;
        default:
            break;
    }
    return std::to_string(period.period) + "月分･給与";
}

std::string listCsvFileName(const ListPeriod& period) {
    const std::string year = yearText(period) + "･";
    // The extra bonus's name is the user's: whatever it holds stays a name in one folder.
    if (isBonusPeriod(period.period))
        return safeFileName(year + listPeriodName(period) + "一覧.csv");
    return safeFileName(year + std::to_string(period.period) + "月分給与一覧.csv");
}

}  // namespace keiro::print
