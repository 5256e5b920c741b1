#include "withholding/edit/edit_rules.h"

#include "core/entry.h"
#include "withholding/calc/year_end_law.h"

namespace keiro::withholding {

namespace {

struct EraSpan {
    int offset;    // Gregorian year = era year + offset
    int lastYear;  // the last era year a date may name
};

constexpr std::array<EraSpan, 5> kEras = {{
    {1867, 45},  // 明治
    {1911, 15},  // 大正
    {1925, 64},  // 昭和
    {1988, 99},  // 平成
    {2018, 99},  // the new era
}};

const EraSpan* spanOf(int eraIndex) {
    if (eraIndex < 1 || eraIndex > static_cast<int>(kEras.size())) return nullptr;
    return &kEras[static_cast<std::size_t>(eraIndex - 1)];
}

}  // namespace

int lastEraYear(int eraIndex) {
    const EraSpan* span = spanOf(eraIndex);
    return span ? span->lastYear : 0;
}

int gregorianYearOf(int eraIndex, int eraYear) {
    const EraSpan* span = spanOf(eraIndex);
    return span ? eraYear + span->offset : 0;
}

int daysInMonth(int gregorianYear, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap =
        gregorianYear % 4 == 0 && (gregorianYear % 100 != 0 || gregorianYear % 400 == 0);
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

DateCheck checkDatePart(DateField left, const DateParts& date) {
    DateCheck check;
    switch (left) {
        case DateField::Year:
            if (date.year == 0) break;
            if (date.eraIndex == 0) {
                check.emptyPart = true;
                check.focusBack = DateField::Era;
            } else if (date.year > lastEraYear(date.eraIndex)) {
                check.emptyPart = true;
            }
            break;
        case DateField::Month:
            if (date.month == 0) break;
            if (date.year == 0) {
                check.focusBack = DateField::Year;
            } else if (date.month > 12) {
                check.emptyPart = true;
            }
            break;
        case DateField::Day:
            if (date.day == 0) break;
            if (date.month == 0) {
                check.focusBack = DateField::Month;
            } else if (date.day >
                       daysInMonth(gregorianYearOf(date.eraIndex, date.year), date.month)) {
                check.emptyPart = true;
            }
            break;
        case DateField::Era:
            break;
    }
    return check;
}

std::string_view editorStatusText(std::uint8_t adjustStatus) {
    switch (adjustStatus) {
        case 1:
            return "計算済";
        case 2:
            return "年調対象外";
        default:
            return "未処理";
    }
}

bool canGoBack(int slot) {
    return slot > 1;
}

bool canGoForward(int slot, bool nextSlotOccupied) {
    return slot < 100 && nextSlotOccupied;
}

LaterInputs laterInputsOf(int dataYear) {
    const YearEndLaw& law = yearEndLaw(dataYear);
    const bool statutory = law.method == YearEndMethod::Statutory;
    return LaterInputs{statutory, statutory, !statutory, !law.specificRelative.empty()};
}

std::string partTimerPayWarning(std::int64_t paid, std::int64_t limit) {
    return "パートタイマーの退職者を年末調整できるのは、本年の給与が" + formatAmount(0, limit) +
           "円以下で、他に給与の支払を受けない場合です。\n本年の支払金額は " +
           formatAmount(0, paid) + "円です。";
}

}  // namespace keiro::withholding
