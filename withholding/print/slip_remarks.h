#pragma once
// The (摘要) of the current-format slip and payment report: the lines the clerk typed, then the
// lines the program writes from what was declared, in this order:
//   - 令和6年分 only, the 定額減税 ("源泉徴収時所得税減税控除済額 30,000円", "控除外額 12,000円"
//     when part of it was not used, "非控除対象配偶者減税有");
//   - each earlier employer of the year (前職分), in the order of its own slip: 支払金額,
//     源泉徴収税額, 社会保険料等の金額, then its 住所(居所)又は所在地, 氏名又は名称 and 退職年月日;
//   - the 控除対象扶養親族 and the 16歳未満の扶養親族 from the fifth on, by name, each followed by
//     its 個人番号 in brackets on the tax office's copy (the recipient's copy shows no numbers;
//     the payment report has boxes of its own for them);
//   - from 令和7年分, the 特定親族 that find no free place among the four 控除対象扶養親族 lines,
//     with their numbers on the copies that show numbers.
//
// How they fit: typed lines keep their places, gaps included; each written item takes the next
// free line of the five, and the items of one list (the fifth dependant on) share a line while
// they fit in a typed line's width (85 bytes).  When the five lines are used, an item joins the
// last line if it fits there, else the block gets another line and is set smaller and closer,
// up to ten lines; after that, items are added to the last line, which is squeezed into its
// width.  Nothing typed or written is ever left out.

#include <string>
#include <vector>

#include "core/era.h"
#include "withholding/model/records.h"

namespace keiro::withholding {

inline constexpr int kRemarkLines = 5;      // the form's lines at full size
inline constexpr int kMaxRemarkLines = 10;  // set smaller, the most the box holds
inline constexpr std::size_t kRemarkLineBytes = 85;

struct RemarkOptions {
    int calendarYear = 0;
    EraNames eras;                   // for the leaving dates of earlier employers
    bool withNumbers = false;        // the copy shows 個人番号: after the names written here
    bool numberBoxes = false;        // the payment report: the fifth dependant on have boxes
                                     // of their own for their numbers
    bool specificRelatives = false;  // the form has 特定親族 (from 令和7年分)
};

// The lines of 摘要, at least kRemarkLines (empty ones included) and at most kMaxRemarkLines.
std::vector<std::string> remarkLines(const WithholdingRecord& record,
                                     const WithholdingSupplement& supplement,
                                     const RemarkOptions& options);

// The 特定親族 entered for the record, in their places: those with an income or a name.
std::vector<int> specificRelativePlaces(const WithholdingRecord& record,
                                        const WithholdingSupplement& supplement);

// Which of the four 控除対象扶養親族 lines a 特定親族 of `places` is printed on (−1: none free,
// written in 摘要 instead).  Lines without a dependant are free, taken in order.
std::vector<int> specificRelativeLines(const WithholdingRecord& record,
                                       const std::vector<int>& places);

// The line step and the font size of `lines` lines in the box.
struct RemarkSpacing {
    float step = 0;
    float points = 0;
};
RemarkSpacing remarkSpacing(int lines);

// "令和7年6月30日" (元年 for the first year); empty for a date not entered.
std::string eraDateText(const CalendarDateBytes& date, const EraNames& eras);

}  // namespace keiro::withholding
