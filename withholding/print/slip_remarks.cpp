#include "withholding/print/slip_remarks.h"

#include <algorithm>
#include <cstdio>

#include "core/entry.h"
#include "core/text.h"
#include "print/canvas.h"
#include "withholding/print/form_drawing.h"

namespace keiro::withholding {
namespace {

constexpr int kFlatCutYear = 2024;
constexpr const char* kJoin = "、";

std::string yen(long long amount) {
    return formatAmount(0, amount) + "円";
}

// One written item: a new entry of its own, or the next of a list that shares a line.
struct RemarkItem {
    std::string text;
    bool continuesList = false;
};
using RemarkItems = std::vector<RemarkItem>;

void flatCut(RemarkItems& out, const WithholdingRecord& r, int calendarYear) {
    if (calendarYear != kFlatCutYear || r.figuresStored != 1) return;
    if (r.flatCutApplied > 0 || r.flatCutNotApplied > 0) {
        out.push_back({"源泉徴収時所得税減税控除済額 " + yen(r.flatCutApplied)});
    }
    if (r.flatCutNotApplied > 0) out.push_back({"控除外額 " + yen(r.flatCutNotApplied)});
    if (r.flatCutSpouseNotDeductible == 1) out.push_back({"非控除対象配偶者減税有"});
}

// An earlier employer as its own slip gives it: the amounts, then who paid and when the
// employee left.  The payer's part is one item when it fits a line, else address and name.
void previousEmployers(RemarkItems& out, const WithholdingSupplement& s, const EraNames& eras) {
    for (const PreviousEmployer& p : s.previousEmployers) {
        if (!p.isEntered()) continue;
        out.push_back({"前職分 支払金額 " + yen(p.pay) + " 源泉徴収税額 " + yen(p.tax) +
                       " 社会保険料等の金額 " + yen(p.socialInsurance)});
        std::string address = p.payerAddress.utf8();
        std::string name = p.payerName.utf8();
        const std::string left = eraDateText(p.leftOn, eras);
        if (!address.empty()) address = "住所 " + address;
        if (!name.empty()) name = "名称 " + name;
        if (!left.empty()) name += (name.empty() ? "" : " ") + left + "退職";
        const std::string both = address + (address.empty() || name.empty() ? "" : " ") + name;
        if (text::cp932Width(both) <= kRemarkLineBytes) {
            if (!both.empty()) out.push_back({both});
        } else {
            out.push_back({address});
            out.push_back({name});
        }
    }
}

// "山田 五郎(123456789012)", the number only where the copy shows numbers.
std::string personText(const std::string& name, const std::string& number, bool withNumber) {
    if (!withNumber || number.empty()) return name;
    return name + "(" + number + ")";
}

// A list under its heading: the first person on the heading's line, the others after.
void personList(RemarkItems& out, const std::string& heading,
                const std::vector<std::string>& people) {
    for (std::size_t i = 0; i < people.size(); ++i) {
        if (i == 0) {
            out.push_back({heading + " " + people[i]});
        } else {
            out.push_back({people[i], true});
        }
    }
}

void moreDependants(RemarkItems& out, const MoreDependant (&names)[5], const PStr<16> (&numbers)[5],
                    bool withNumbers, const std::string& heading) {
    std::vector<std::string> people;
    for (std::size_t i = 0; i < 5; ++i) {
        const std::string name = names[i].name.utf8();
        const std::string number = numbers[i].utf8();
        const std::string person = personText(name, number, withNumbers);
        if (!person.empty()) people.push_back(person);
    }
    personList(out, heading, people);
}

void specificRelativesLeftOver(RemarkItems& out, const WithholdingRecord& r,
                               const WithholdingSupplement& s, bool withNumbers) {
    const std::vector<int> places = specificRelativePlaces(r, s);
    const std::vector<int> lines = specificRelativeLines(r, places);
    std::vector<std::string> people;
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (lines[i] >= 0) continue;
        const SpecificRelative& relative = s.specificRelatives[places[i]];
        const std::string number =
            relative.myNumber > 0 ? digitText(relative.myNumber, kPersonalNumberDigits) : "";
        const std::string person = personText(relative.name.utf8(), number, withNumbers);
        people.push_back(person.empty() ? "(氏名未記入)" : person);
    }
    personList(out, "特定親族", people);
}

bool fitsAfter(const std::string& line, const std::string& item) {
    return text::cp932Width(line) + text::cp932Width(kJoin) + text::cp932Width(item) <=
           kRemarkLineBytes;
}

void append(std::string& line, const std::string& item) {
    line += (line.empty() ? "" : kJoin) + item;
}

}  // namespace

std::string eraDateText(const CalendarDateBytes& date, const EraNames& eras) {
    if (date.yearSince1900 == 0 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > 31) {
        return {};
    }
    const int year = 1900 + date.yearSince1900;
    const std::string monthDay =
        std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
    // Before the earlier era (a date mistyped by decades): the Western year, not a wrong era.
    if (year < 1989 || (year == 1989 && date.month == 1 && date.day < 8)) {
        return std::to_string(year) + "年" + monthDay;
    }
    // The new era from 1 May 2019; the earlier one before.
    const bool newEra = year > 2019 || (year == 2019 && date.month >= 5);
    const int eraYear = newEra ? year - 2018 : year - 1988;
    const std::string yearText = eraYear == 1 ? "元" : std::to_string(eraYear);
    return (newEra ? eras.newEra : eras.earlier) + yearText + "年" + monthDay;
}

std::vector<int> specificRelativePlaces(const WithholdingRecord& r,
                                        const WithholdingSupplement& s) {
    std::vector<int> places;
    for (int i = 0; i < 4; ++i) {
        const SpecificRelative& relative = s.specificRelatives[i];
        if (r.specificRelativeIncome[i] > 0 || !relative.name.empty() || relative.myNumber > 0) {
            places.push_back(i);
        }
    }
    return places;
}

std::vector<int> specificRelativeLines(const WithholdingRecord& r, const std::vector<int>& places) {
    std::vector<int> free;
    for (int k = 0; k < 4; ++k) {
        const FamilyEntry& e = r.dependantEntries[k];
        if (e.name.empty() && e.furigana.empty() && e.myNumber == 0) free.push_back(k);
    }
    std::vector<int> lines;
    for (std::size_t i = 0; i < places.size(); ++i) {
        lines.push_back(i < free.size() ? free[i] : -1);
    }
    return lines;
}

std::vector<std::string> remarkLines(const WithholdingRecord& r, const WithholdingSupplement& s,
                                     const RemarkOptions& options) {
    std::vector<std::string> lines(kRemarkLines);
    std::size_t used = 0;  // lines up to the last typed one
    for (std::size_t i = 0; i < kRemarkLines; ++i) {
        lines[i] = r.remarks[i].utf8();
        if (!lines[i].empty()) used = i + 1;
    }
    RemarkItems items;
    flatCut(items, r, options.calendarYear);
    previousEmployers(items, s, options.eras);
    const bool dependantNumbers = options.withNumbers && !options.numberBoxes;
    moreDependants(items, s.moreDependants, r.moreDependantNumbers, dependantNumbers,
                   "5人目以降の控除対象扶養親族");
    moreDependants(items, s.moreUnder16, r.moreUnder16Numbers, dependantNumbers,
                   "5人目以降の16歳未満の扶養親族");
    if (options.specificRelatives) specificRelativesLeftOver(items, r, s, options.withNumbers);

    for (const RemarkItem& item : items) {
        const bool sharesLine = used > 0 && fitsAfter(lines[used - 1], item.text);
        if (item.continuesList && sharesLine) {
            append(lines[used - 1], item.text);
        } else if (used < kRemarkLines) {
            lines[used++] = item.text;
        } else if (sharesLine || used == kMaxRemarkLines) {
            append(lines[used - 1], item.text);
        } else {
            lines.push_back(item.text);
            ++used;
        }
    }
    return lines;
}

RemarkSpacing remarkSpacing(int lines) {
    constexpr float kStep = 3.1f;
    constexpr float kPoints = 6.5f;
    if (lines <= kRemarkLines) return {kStep, kPoints};
    const float step = kStep * kRemarkLines / static_cast<float>(lines);
    // A line's characters take nine tenths of its step.
    return {step, std::min(kPoints, step * 0.9f / print::pointsToMm(1.0f))};
}

}  // namespace keiro::withholding
