#include "withholding/print/slip_frame.h"

#include <array>
#include <string_view>
#include <vector>

#include "withholding/print/amount_cells.h"
#include "withholding/print/form_drawing.h"
#include "withholding/print/slip_copy.h"
#include "withholding/print/slip_layout.h"

namespace keiro::withholding {
namespace {

using namespace slip;
using print::Canvas;

constexpr float kLabelPt = 6.0f;
constexpr float kSmallPt = 5.0f;
constexpr float kTinyPt = 4.5f;

void hline(Canvas& c, float y, float x1 = kLeft, float x2 = kRight) {
    c.putLine(x1, y, x2, y);
}
void vline(Canvas& c, float x, float y1, float y2) {
    c.putLine(x, y1, x, y2);
}

// Labels of up to three lines centred in a cell, from y.
void putLines(Canvas& c, const std::vector<std::string_view>& lines, float x1, float x2, float y,
              float points = kTinyPt) {
    useFont(c, kMincho, points);
    const float step = print::pointsToMm(points) + 0.1f;
    for (std::string_view line : lines) {
        putCentredWithin(c, line, x1, x2, y);
        y += step;
    }
}

// The 千 and 円 marks of a styled amount cell, at the top of its value area.
void amountMarks(Canvas& c, AmountStyle style, float x, float y) {
    useFont(c, kMincho, 4.0f);
    const float end = x + amountCellWidth(style);
    const float spacing = amountGroupSpacing(style);
    c.putText("千", end - spacing - 1.45f, y);
    c.putText("円", end - 1.45f, y);
}

void recipient(Canvas& c, const SlipCopy& copy) {
    vline(c, kRecipientLabelRight, kTop, kRecipientBottom);
    vline(c, kAddressRight, kTop, kRecipientBottom);
    vline(c, kRightLabelRight, kTop, kPositionRowBottom);
    hline(c, kRefRowBottom, kRecipientLabelRight);
    hline(c, kNumberRowBottom, kAddressRight);
    hline(c, kPositionRowBottom, kAddressRight);
    useFont(c, kMincho, kLabelPt);
    putVertical(c, "支払を受ける者", 22.4f, 24.0f, 2.7f);

    // ※種別 (report: ※区分) and ※整理番号, for the office that receives the copy.
    c.putText(copy.report ? "※区　　分" : "※種　　別", 27.0f, 23.6f);
    vline(c, 38.5f, kTop, kRefRowBottom);
    vline(c, 58.0f, kTop, kRefRowBottom);
    c.putText("※整理番号", 59.0f, 23.6f);
    vline(c, 70.5f, kTop, kRefRowBottom);
    c.putText("住所又は居所", 27.0f, 27.2f);

    c.putText("(受給者番号)", 90.6f, 23.6f);
    c.putText("(個人番号)", 91.5f, 28.0f);
    if (copy.showsNumbers()) {
        putDigitBoxes(c, kRightLabelRight, kRefRowBottom, kNumberRowBottom, kPersonalNumberDigits);
    } else {
        putStruck(c, kRightLabelRight, kRefRowBottom, kRight, kNumberRowBottom);
    }
    c.putText("(役職名)", 92.0f, 32.0f);
    c.putText("(フリガナ)", 91.5f, 35.6f);
    c.putText("氏　　名", 92.0f, 39.6f);
}

void mainAmounts(Canvas& c, const SlipCopy& copy) {
    hline(c, kRecipientBottom);
    hline(c, kAmountHeadBottom);
    for (float x : {kKindRight, kIncomeX, kIncomeLine, kTaxLine}) {
        vline(c, x, kRecipientBottom, kAmountBottom);
    }
    useFont(c, kMincho, kLabelPt);
    const float y = kRecipientBottom + 1.0f;
    putCentred(c, "種　　別", kLeft, kKindRight, y);
    putCentred(c, "支 払 金 額", kPaidX, kIncomeX, y);
    putCentredWithin(
        c, copy.edition.from2020 ? "給与所得控除後の金額(調整控除後)" : "給与所得控除後の金額",
        kIncomeX + 0.3f, kIncomeLine - 0.3f, y);
    putCentredWithin(c, "所得控除の額の合計額", kIncomeLine + 0.3f, kTaxLine - 0.3f, y);
    putCentred(c, "源泉徴収税額", kTaxLine, kRight, y);

    const float marksY = kAmountHeadBottom + 0.3f;
    for (float x : {kPaidX, kIncomeX, kDeductionsX, kTaxX})
        amountMarks(c, AmountStyle::Main, x, marksY);
    useFont(c, kMincho, kSmallPt);
    c.putText("内", kPaidX + 0.6f, marksY);
    c.putText("内", kTaxLine + 0.6f, marksY);
}

void family(Canvas& c) {
    hline(c, kAmountBottom);
    const float head = kAmountBottom;
    // Group rulings: the heads span two rows where a group has sub-columns.
    for (float x : {kSpouseAmountX, kDependantsX, kUnder16X, kDisabledX, kNonResidentX}) {
        vline(c, x, head, kFamilyBottom);
    }
    for (float x : {kElderlyX, kOtherX, kDisabledOtherX})
        vline(c, x, kFamilyHeadBottom, kFamilyBottom);
    vline(c, 27.0f, kFamilyHeadBottom, kFamilyBottom);
    vline(c, 34.0f, kFamilyHeadBottom, kFamilyBottom);
    hline(c, kFamilyHeadBottom, kLeft, kSpouseAmountX);
    hline(c, kFamilyHeadBottom, kDependantsX, kUnder16X);
    hline(c, kFamilyHeadBottom, kDisabledX, kNonResidentX);
    hline(c, kFamilySubBottom, kLeft, kSpouseAmountX);
    hline(c, kFamilySubBottom, kDependantsX, kUnder16X);
    hline(c, kFamilySubBottom, kDisabledX, kNonResidentX);

    putLines(c, {"(源泉･特別)控除対象", "配偶者の有無等"}, kLeft, kSpouseAmountX, head + 0.4f);
    putLines(c, {"配偶者(特別)", "控除の額"}, kSpouseAmountX, kDependantsX, head + 1.5f, kSmallPt);
    putLines(c, {"控除対象扶養親族の数", "(配偶者を除く。)"}, kDependantsX, kUnder16X, head + 0.4f);
    putLines(c, {"16歳未満", "扶養親族", "の数"}, kUnder16X, kDisabledX, head + 0.8f);
    putLines(c, {"障害者の数", "(本人を除く。)"}, kDisabledX, kNonResidentX, head + 0.4f);
    putLines(c, {"非居住者", "である", "親族の数"}, kNonResidentX, kRight, head + 0.8f);

    const float sub = kFamilyHeadBottom + 0.6f;
    useFont(c, kMincho, kSmallPt);
    putCentred(c, "有", kLeft, 27.0f, sub);
    putCentred(c, "従有", 27.0f, 34.0f, sub);
    putCentred(c, "老人", 34.0f, kSpouseAmountX, sub);
    putCentred(c, "特　定", kDependantsX, kElderlyX, sub);
    putCentred(c, "老　人", kElderlyX, kOtherX, sub);
    putCentred(c, "そ の 他", kOtherX, kUnder16X, sub);
    putCentred(c, "特　別", kDisabledX, kDisabledOtherX, sub);
    putCentred(c, "その他", kDisabledOtherX, kNonResidentX, sub);

    // The 人, 内 and 従人 marks of the count cells.
    const float marks = kFamilySubBottom + 0.3f;
    useFont(c, kMincho, 4.0f);
    const std::array<std::pair<float, std::string_view>, 14> texts{{{67.5f, "人"},
                                                                    {72.0f, "従人"},
                                                                    {75.4f, "内"},
                                                                    {86.0f, "人"},
                                                                    {92.0f, "従人"},
                                                                    {99.5f, "人"},
                                                                    {104.0f, "従人"},
                                                                    {112.5f, "人"},
                                                                    {115.9f, "内"},
                                                                    {126.5f, "人"},
                                                                    {134.0f, "人"},
                                                                    {141.5f, "人"},
                                                                    {55.0f, "千"},
                                                                    {58.5f, "円"}}};
    for (const auto& [x, text] : texts) c.putText(text, x, marks);
}

void deductions(Canvas& c) {
    hline(c, kFamilyBottom);
    hline(c, kDeductionHeadBottom);
    for (float x : {kLifeX, kEarthquakeX, kHousingX}) vline(c, x, kFamilyBottom, kDeductionBottom);
    useFont(c, kMincho, kLabelPt);
    const float y = kFamilyBottom + 0.8f;
    putCentred(c, "社会保険料等の金額", kSocialX, kLifeX, y);
    putCentred(c, "生命保険料の控除額", kLifeX, kEarthquakeX, y);
    putCentred(c, "地震保険料の控除額", kEarthquakeX, kHousingX, y);
    putCentredWithin(c, "住宅借入金等特別控除の額", kHousingX + 0.3f, kRight - 0.3f, y);
    const float marksY = kDeductionHeadBottom + 0.2f;
    for (float x : {kSocialX, kLifeX, kEarthquakeX, kHousingX}) {
        amountMarks(c, AmountStyle::Deduction, x, marksY);
    }
    useFont(c, kMincho, kSmallPt);
    c.putText("内", kSocialX + 0.6f, marksY);
}

void remarks(Canvas& c) {
    hline(c, kDeductionBottom);
    useFont(c, kMincho, kLabelPt);
    c.putText("(摘要)", kLeft + 1.0f, kDeductionBottom + 0.6f);
}

// A label and a style-3 amount cell; the cell's value area starts after the label.
void pairLabel(Canvas& c, float x, float top, float bottom,
               const std::vector<std::string_view>& lines) {
    vline(c, x, top, bottom);
    vline(c, x + kPairLabel, top, bottom);
    putLines(c, lines, x, x + kPairLabel, top + 0.4f);
    amountMarks(c, AmountStyle::Deduction, x + kPairWidth - amountCellWidth(AmountStyle::Deduction),
                top + 0.3f);
}

void lifeBreakdown(Canvas& c) {
    hline(c, kLifeTop);
    const float second = kLifeTop + kLifeRow;
    const float bottom = second + kLifeRow;
    hline(c, second, kSectionLabelRight);
    vline(c, kSectionLabelRight, kLifeTop, bottom);
    putLines(c, {"生命保険料", "の金額の", "内訳"}, kLeft, kSectionLabelRight, kLifeTop + 1.5f,
             kSmallPt);
    const float x0 = kSectionLabelRight;
    pairLabel(c, x0, kLifeTop, second, {"新生命", "保険料の", "金額"});
    pairLabel(c, x0 + kPairWidth, kLifeTop, second, {"旧生命", "保険料の", "金額"});
    pairLabel(c, x0 + 2 * kPairWidth, kLifeTop, second, {"介護医療", "保険料の", "金額"});
    pairLabel(c, x0, second, bottom, {"新個人年金", "保険料の", "金額"});
    pairLabel(c, x0 + kPairWidth, second, bottom, {"旧個人年金", "保険料の", "金額"});
    pairLabel(c, x0 + 2 * kPairWidth, second, bottom, {"旧長期損害", "保険料の", "金額"});
}

void housingBreakdown(Canvas& c) {
    hline(c, kHousingTop);
    const float second = kHousingTop + kHousingRow;
    const float bottom = second + kHousingRow;
    hline(c, second, kSectionLabelRight);
    vline(c, kSectionLabelRight, kHousingTop, bottom);
    putLines(c, {"住宅借入金", "等特別控除", "の額の内訳"}, kLeft, kSectionLabelRight,
             kHousingTop + 3.5f, kSmallPt);
    for (int row = 0; row < 2; ++row) {
        const float top = kHousingTop + kHousingRow * static_cast<float>(row);
        const float bot = top + kHousingRow;
        for (float x : {39.0f, 55.0f, 62.0f, 84.0f, 90.0f, 98.0f, 106.0f}) vline(c, x, top, bot);
        const std::string_view nth = row == 0 ? "(1回目)" : "(2回目)";
        if (row == 0) {
            putLines(c, {"住宅借入金等", "特別控除", "適用数"}, kSectionLabelRight, 39.0f,
                     top + 0.6f);
        } else {
            putLines(c, {"住宅借入金等", "特別控除", "可能額"}, kSectionLabelRight, 39.0f,
                     top + 0.6f);
        }
        putLines(c, {"居住開始", "年月日", nth}, 55.0f, 62.0f, top + 0.6f);
        putLines(c, {"住宅借入", "金等特別", "控除区分", nth}, 84.0f, 90.0f, top + 0.1f, 4.0f);
        putLines(c, {"住宅借入", "金等年末", "残高", nth}, 98.0f, 106.0f, top + 0.1f, 4.0f);
        useFont(c, kMincho, kTinyPt);
        c.putText("年", 68.0f, top + 0.3f);
        c.putText("月", 74.5f, top + 0.3f);
        c.putText("日", 81.0f, top + 0.3f);
        amountMarks(c, AmountStyle::Deduction, kRight - amountCellWidth(AmountStyle::Deduction),
                    top + 0.3f);
    }
}

void spouse(Canvas& c, const SlipCopy& copy) {
    hline(c, kSpouseTop);
    vline(c, kSectionLabelRight, kSpouseTop, kSpouseBottom);
    putLines(c, {"(源泉･特別)", "控除対象", "配偶者"}, kLeft, kSectionLabelRight, kSpouseTop + 1.5f,
             kSmallPt);
    for (float x : {76.0f, 82.0f, 88.0f}) vline(c, x, kSpouseTop, kSpouseBottom);
    useFont(c, kMincho, kTinyPt);
    c.putText("(フリガナ)", kSectionLabelRight + 0.5f, kSpouseTop + 0.3f);
    c.putText("氏名", kSectionLabelRight + 0.5f, kSpouseTop + 4.0f);
    putLines(c, {"区分"}, 76.0f, 82.0f, kSpouseTop + 0.3f);
    putLines(c, {"個人", "番号"}, 82.0f, 88.0f, kSpouseTop + 2.6f);
    const float numberTop = kSpouseTop + 2.0f;
    const float numberBottom = kSpouseBottom - 2.0f;
    if (copy.showsNumbers()) {
        putDigitBoxes(c, 88.5f, numberTop, numberBottom, kPersonalNumberDigits);
    } else {
        putStruck(c, 88.5f, numberTop, 88.5f + kDigitBoxWidth * kPersonalNumberDigits,
                  numberBottom);
    }
}

void singles(Canvas& c, const SlipCopy& copy) {
    hline(c, kSingleTop);
    const float width = singleBoxWidth(copy.edition);
    float x = kLeft;
    for (SingleItem item : singleItems(copy.edition)) {
        if (x > kLeft) vline(c, x, kSingleTop, kSingleBottom);
        putLines(c, {singleItemLabel(item)}, x, x + width, kSingleTop + 0.4f, kSmallPt);
        useFont(c, kMincho, kTinyPt);
        c.putText(item == SingleItem::SpecificRelatives ? "人" : "円", x + width - 1.9f,
                  kSingleTop + 4.3f);
        x += width;
    }
}

// One side of the dependants: its vertical label and four entries of name and number.
void dependantSide(Canvas& c, const SlipCopy& copy, float x1, float x2, std::string_view label,
                   float labelStep) {
    useFont(c, kMincho, kSmallPt);
    putVertical(c, label, x1 + 1.1f, kDependantsTop + 0.8f, labelStep);
    const float entryX = x1 + kSideLabel;
    const float nameX = entryX + kEntryNumber;
    const float kindX = x2 - kEntryKind;
    const float boxesX = x2 - kDigitBoxWidth * kPersonalNumberDigits - 0.4f;
    vline(c, entryX, kDependantsTop, kDependantsBottom);
    vline(c, nameX, kDependantsTop, kDependantsBottom);
    for (int k = 0; k < 4; ++k) {
        const float top = kDependantsTop + kEntryHeight * static_cast<float>(k);
        const float nameBottom = top + kEntryNameHeight;
        if (k > 0) hline(c, top, entryX, x2);
        hline(c, nameBottom, nameX, x2);
        vline(c, kindX, top, nameBottom);
        useFont(c, kMincho, kLabelPt);
        putCentred(c, std::to_string(k + 1), entryX, nameX, top + 2.8f);
        useFont(c, kMincho, kTinyPt);
        c.putText("(フリガナ)", nameX + 0.3f, top + 0.2f);
        c.putText("区分", kindX + 0.4f, top + 0.2f);
        c.putText("個人番号", nameX + 0.5f, nameBottom + 0.7f);
        if (copy.showsNumbers()) {
            putDigitBoxes(c, boxesX, nameBottom + 0.3f, top + kEntryHeight - 0.3f,
                          kPersonalNumberDigits);
        } else {
            putStruck(c, boxesX, nameBottom + 0.3f, x2 - 0.4f, top + kEntryHeight - 0.3f);
        }
    }
}

void dependants(Canvas& c, const SlipCopy& copy) {
    hline(c, kSingleBottom);
    vline(c, kHalf, kDependantsTop, kDependantsBottom);
    vline(c, kLeft + kSideLabel, kDependantsTop, kDependantsBottom);
    dependantSide(c, copy, kLeft, kHalf, "控除対象扶養親族", 3.9f);
    dependantSide(c, copy, kHalf, kRight, "16歳未満の扶養親族", 3.1f);

    hline(c, kDependantsBottom);
    if (copy.report) {
        vline(c, kHalf, kDependantsBottom, kNotesBottom);
        putLines(c, {"5人目以降の控除対象扶養", "親族の個人番号"}, kLeft, 50.0f,
                 kDependantsBottom + 0.4f, kTinyPt);
        putLines(c, {"5人目以降の16歳未満の", "扶養親族等の個人番号"}, kHalf, 111.0f,
                 kDependantsBottom + 0.4f, kTinyPt);
        vline(c, 50.0f, kDependantsBottom, kNotesBottom);
        vline(c, 111.0f, kDependantsBottom, kNotesBottom);
    } else {
        useFont(c, kMincho, kSmallPt);
        c.putText("(備考)", kLeft + 0.6f, kDependantsBottom + 0.4f);
    }
}

void marks(Canvas& c, const SlipCopy& copy) {
    hline(c, kNotesBottom);
    hline(c, kMarksHeadBottom);
    const float head = kNotesBottom;
    const float split = head + 2.2f;  // group labels above, their columns below
    // The person marks; two pairs of columns share a label over them (the disabled, and the
    // widow until 2019).
    const std::vector<PersonMark> columns = personMarks(copy.edition);
    const float width = personMarkWidth(copy.edition);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const float x = kLeft + width * static_cast<float>(i);
        const std::string_view group = personMarkGroup(columns[i], copy.edition);
        const bool inGroup = !group.empty();
        const bool groupStart =
            inGroup && (i == 0 || personMarkGroup(columns[i - 1], copy.edition) != group);
        if (i > 0) vline(c, x, inGroup && !groupStart ? split : head, kMarksBottom);
        putLines(c, personMarkLabel(columns[i], copy.edition), x, x + width,
                 inGroup ? split + 0.3f : head + 0.6f);
        if (groupStart) {
            hline(c, split, x, x + 2 * width);
            putLines(c, {group}, x, x + 2 * width, head + 0.4f);
        }
    }

    // 中途就・退職 and 受給者生年月日.
    vline(c, kChangeX, head, kMarksBottom);
    vline(c, kBirthX, head, kMarksBottom);
    hline(c, split, kChangeX, kRight);
    putLines(c, {"中　途　就 ･ 退　職"}, kChangeX, kBirthX, head + 0.4f);
    putLines(c, {"受　給　者　生　年　月　日"}, kBirthX, kRight, head + 0.4f);
    const std::array<std::string_view, 5> change{"就職", "退職", "年", "月", "日"};
    for (int i = 0; i < 5; ++i) {
        const float x = kChangeX + kChangeWidth * static_cast<float>(i);
        if (i > 0) vline(c, x, split, kMarksBottom);
        putLines(c, {change[static_cast<std::size_t>(i)]}, x, x + kChangeWidth, split + 0.3f);
    }
    const std::array<std::string_view, 4> eras{"明", "大", "昭", "平"};
    for (int i = 0; i < 4; ++i) {
        const float x = kBirthX + kBirthEraWidth * static_cast<float>(i);
        if (i > 0) vline(c, x, split, kMarksBottom);
        putLines(c, {eras[static_cast<std::size_t>(i)]}, x, x + kBirthEraWidth, split + 0.3f);
    }
    const std::array<std::string_view, 3> ymd{"年", "月", "日"};
    for (int i = 0; i < 3; ++i) {
        const float x = kBirthX + 4 * kBirthEraWidth + kBirthNumberWidth * static_cast<float>(i);
        vline(c, x, split, kMarksBottom);
        putLines(c, {ymd[static_cast<std::size_t>(i)]}, x, x + kBirthNumberWidth, split + 0.3f);
    }
}

void payer(Canvas& c) {
    hline(c, kMarksBottom);
    vline(c, kPayerLabelRight, kMarksBottom, kBottom);
    vline(c, kPayerFieldLabelRight, kMarksBottom, kBottom);
    hline(c, kPayerNumberBottom, kPayerLabelRight);
    hline(c, kPayerAddressBottom, kPayerLabelRight);
    useFont(c, kMincho, kLabelPt);
    putVertical(c, "支払者", 22.4f, kMarksBottom + 0.8f, 3.0f);
    putLines(c, {"個人番号又は法人番号"}, kPayerLabelRight, kPayerFieldLabelRight,
             kMarksBottom + 0.9f, kSmallPt);
    putLines(c, {"住所(居所)", "又は所在地"}, kPayerLabelRight, kPayerFieldLabelRight,
             kPayerNumberBottom + 0.1f, kSmallPt);
    putLines(c, {"氏名又は名称"}, kPayerLabelRight, kPayerFieldLabelRight,
             kPayerAddressBottom + 0.6f, kSmallPt);
    putDigitBoxes(c, kPayerFieldLabelRight + 0.5f, kMarksBottom + 0.2f, kPayerNumberBottom - 0.2f,
                  kCorporateNumberDigits);
    useFont(c, kMincho, kSmallPt);
    c.putText("（右詰で記載してください。）", 92.5f, kMarksBottom + 0.9f);
    c.putText("(電話)", 110.0f, kPayerAddressBottom + 0.6f);
}

}  // namespace

float singleBoxWidth(const FormEdition& edition) {
    return (kRight - kLeft) / static_cast<float>(singleItems(edition).size());
}

void drawSlipFrame(Canvas& c, const SlipCopy& copy) {
    c.setPen(print::Pen::Thin);
    const float top = copy.report ? kReportTop : kTop;
    if (copy.report) {
        // The band above the slip's form: the year box, the title and the year label.
        hline(c, kTop);
        vline(c, 50.0f, kReportTop, kTop);
        putLabel(c, "給与支払報告書（個人別明細書）", 55.0f, 18.2f, 10.0f);
        putLabel(c, "年度", 43.0f, 19.4f, kLabelPt);
    } else {
        putLabel(c, "給与所得の源泉徴収票", 75.0f, 17.0f, 14.0f);
    }
    c.putBox(kLeft, top, kRight, kBottom);
    recipient(c, copy);
    mainAmounts(c, copy);
    family(c);
    deductions(c);
    remarks(c);
    lifeBreakdown(c);
    housingBreakdown(c);
    spouse(c, copy);
    singles(c, copy);
    dependants(c, copy);
    marks(c, copy);
    payer(c);

    // Under the form: the copy's name and the box kept for the office's own notes.
    putLabel(c, copyNameText(copy.name), kLeft, 197.3f, 8.0f);
    c.putBox(112.0f, 197.0f, kRight, 201.5f);
    putLabel(c, "整理欄", 113.0f, 198.3f, kSmallPt);
}

}  // namespace keiro::withholding
