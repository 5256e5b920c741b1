#include "withholding/print/legacy_slip.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include "core/entry.h"
#include "print/fitted_text.h"
#include "withholding/print/amount_cells.h"
#include "withholding/print/form_drawing.h"
#include "withholding/print/year_labels.h"

namespace keiro::withholding {
namespace {

using print::Canvas;

constexpr float kLeft = 26.0f;
constexpr float kRight = 146.0f;
constexpr float kTop = 11.0f;
constexpr float kBottom = 99.0f;
constexpr float kRecipientBottom = 25.0f;
constexpr float kAmountsBottom = 33.0f;
constexpr float kFamilyBottom = 45.0f;
constexpr float kDeductionsBottom = 54.0f;
constexpr float kRemarksBottom = 67.0f;
constexpr float kBreakdownRow = 6.0f;
constexpr float kMarksTop = 79.0f;
constexpr float kMarksBottom = 89.0f;
constexpr float kBoxWidth = 24.0f;  // the breakdown rows' five boxes
constexpr float kMarkWidth = 5.2f;
constexpr float kChangeX = 83.2f;
constexpr float kChangeWidth = 4.2f;
constexpr float kBirthX = 104.2f;
constexpr float kBirthEraWidth = 4.0f;
constexpr float kBirthNumberWidth = 8.6f;
constexpr float kTinyPt = 4.5f;

void hline(Canvas& c, float y, float x1 = kLeft, float x2 = kRight) {
    c.putLine(x1, y, x2, y);
}
void vline(Canvas& c, float x, float y1, float y2) {
    c.putLine(x, y1, x, y2);
}
void centredLabel(Canvas& c, std::string_view text, float x1, float x2, float y,
                  float points = kTinyPt) {
    useFont(c, kMincho, points);
    putCentredWithin(c, text, x1, x2, y);
}
void within(Canvas& c, const std::string& text, float x, float y, float width, float points) {
    useFont(c, kGothic, points);
    print::putTextWithin(c, text, x, y, width);
}
std::string count(int value) {
    return value == 0 ? std::string() : std::to_string(value);
}

void recipient(Canvas& c, const LegacyWithholdingRecord& r, const DocumentSource& source,
               int slot) {
    vline(c, 31.0f, kTop, kRecipientBottom);
    vline(c, 96.0f, kTop, kRecipientBottom);
    vline(c, 110.0f, kTop, kRecipientBottom);
    for (float y : {15.0f, 18.5f, 21.0f}) hline(c, y, 96.0f);
    useFont(c, kMincho, 5.0f);
    putVertical(c, "支払を受ける者", 27.6f, 11.6f, 1.9f);
    c.putText("住所又は居所", 32.0f, 11.5f);
    centredLabel(c, "受給者番号", 96.0f, 110.0f, 12.2f, 5.0f);
    centredLabel(c, "役職名", 96.0f, 110.0f, 15.9f, 5.0f);
    centredLabel(c, "フリガナ", 96.0f, 110.0f, 18.9f, kTinyPt);
    centredLabel(c, "氏　名", 96.0f, 110.0f, 22.2f, 5.0f);

    if (!r.postalCode.empty()) within(c, "〒" + r.postalCode.utf8(), 50.0f, 11.4f, 40.0f, 6.0f);
    within(c, r.address1.utf8(), 33.0f, 15.0f, 62.0f, 8.0f);
    within(c, r.address2.utf8(), 33.0f, 20.4f, 62.0f, 8.0f);
    within(c, r.recipientNumber.utf8(), 110.8f, 11.8f, 34.5f, 7.0f);
    within(c, r.position.utf8(), 110.8f, 15.6f, 34.5f, 6.5f);
    within(c, r.furigana.utf8(), 110.8f, 18.9f, 34.5f, 5.0f);
    within(c, source.employeeName(slot), 110.8f, 21.5f, 34.5f, 8.0f);
}

void amounts(Canvas& c, const LegacyWithholdingRecord& r, const DocumentSource& source) {
    hline(c, kRecipientBottom);
    hline(c, 28.0f);
    const std::array<float, 4> xs{44.0f, 69.0f, 94.0f, 119.0f};
    for (float x : xs) vline(c, x, kRecipientBottom, kAmountsBottom);
    const std::array<std::string_view, 5> labels{"種　　別", "支 払 金 額", "給与所得控除後の金額",
                                                 "所得控除の額の合計額", "源泉徴収税額"};
    centredLabel(c, labels[0], kLeft, xs[0], 25.8f, 5.5f);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        centredLabel(c, labels[i + 1], xs[i], i + 1 < xs.size() ? xs[i + 1] : kRight, 25.8f, 5.5f);
        useFont(c, kMincho, 4.0f);
        c.putText("千", xs[i] + 25.0f - 9.0f - 1.5f, 28.1f);
        c.putText("円", xs[i] + 25.0f - 1.5f, 28.1f);
    }
    useFont(c, kGothic, 7.5f);
    putCentredWithin(c, source.options.kindText, kLeft + 0.5f, xs[0] - 0.5f, 29.8f);
    const std::array<long long, 4> values{r.paid, r.incomeAfterDeduction, r.totalDeductions,
                                          r.annualTax};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] > 0 || i == 3) putStyledAmount(c, AmountStyle::Main, values[i], xs[i], 29.7f);
    }
}

void family(Canvas& c, const LegacyWithholdingRecord& r) {
    hline(c, kAmountsBottom);
    const float sub = 36.0f;
    const float values = 39.0f;
    for (float x : {48.0f, 67.0f, 106.0f, 113.0f}) vline(c, x, kAmountsBottom, kFamilyBottom);
    for (float x : {30.4f, 34.8f, 39.2f, 43.6f, 78.0f, 95.0f, 133.0f})
        vline(c, x, sub, kFamilyBottom);
    hline(c, sub, kLeft, 48.0f);
    hline(c, sub, 67.0f, 106.0f);
    hline(c, sub, 113.0f, kRight);
    hline(c, values, kLeft, 48.0f);
    hline(c, values, 67.0f, 106.0f);
    hline(c, values, 113.0f, kRight);
    centredLabel(c, "控除対象配偶者の有無等", kLeft, 48.0f, 33.7f);
    centredLabel(c, "配偶者特別控除の額", 48.0f, 67.0f, 35.0f);
    centredLabel(c, "扶養親族の数(配偶者を除く。)", 67.0f, 106.0f, 33.7f);
    centredLabel(c, "16歳未満", 106.0f, 113.0f, 34.2f, 4.0f);
    centredLabel(c, "扶養親族", 106.0f, 113.0f, 35.8f, 4.0f);
    centredLabel(c, "の数", 106.0f, 113.0f, 37.4f, 4.0f);
    centredLabel(c, "障害者の数(本人を除く。)", 113.0f, kRight, 33.7f);
    const std::array<std::pair<float, std::string_view>, 8> subs{{{26.0f, "有"},
                                                                  {30.4f, "無"},
                                                                  {34.8f, "従有"},
                                                                  {39.2f, "従無"},
                                                                  {43.6f, "老人"},
                                                                  {67.0f, "特定"},
                                                                  {78.0f, "老人"},
                                                                  {95.0f, "その他"}}};
    const std::array<float, 8> ends{30.4f, 34.8f, 39.2f, 43.6f, 48.0f, 78.0f, 95.0f, 106.0f};
    for (std::size_t i = 0; i < subs.size(); ++i) {
        centredLabel(c, subs[i].second, subs[i].first, ends[i], 36.7f);
    }
    centredLabel(c, "特別", 113.0f, 133.0f, 36.7f);
    centredLabel(c, "その他", 133.0f, kRight, 36.7f);

    useFont(c, kGothic, 8.0f);
    const float y = 40.8f;
    for (int i = 0; i < 4; ++i) {
        const float x = kLeft + 4.4f * static_cast<float>(i);
        putMark(c, r.spouseFlags[i] == 1, x, x + 4.4f, y);
    }
    putMark(c, r.spouseElderly == 1, 43.6f, 48.0f, y);
    if (r.spouseSpecial > 0) putStyledAmount(c, AmountStyle::Spouse, r.spouseSpecial, 48.0f, y);
    useFont(c, kGothic, 8.0f);
    const DependantCounts& d = r.dependants;
    const std::array<std::pair<float, int>, 11> counts{{{69.0f, d.specific},
                                                        {74.0f, d.specificSecondary},
                                                        {79.0f, d.elderlyLivingTogether},
                                                        {85.0f, d.elderly},
                                                        {90.5f, d.elderlySecondary},
                                                        {97.0f, d.general},
                                                        {102.0f, d.generalSecondary},
                                                        {108.5f, r.under16},
                                                        {115.0f, r.disabled.specialLivingTogether},
                                                        {123.0f, r.disabled.special},
                                                        {138.0f, r.disabled.other}}};
    for (const auto& [x, n] : counts) c.putText(count(n), x, y);
}

void deductions(Canvas& c, const LegacyWithholdingRecord& r) {
    hline(c, kFamilyBottom);
    hline(c, 48.0f);
    const std::array<float, 4> xs{kLeft, 56.0f, 86.0f, 116.0f};
    const std::array<std::string_view, 4> labels{"社会保険料等の金額", "生命保険料の控除額",
                                                 "地震保険料の控除額", "住宅借入金等特別控除の額"};
    const std::array<long long, 4> values{
        static_cast<long long>(r.socialInsurance) + r.smallBusinessMutualAid, r.lifeInsurance,
        r.earthquakeInsurance, r.housingLoanCredit};
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (i > 0) vline(c, xs[i], kFamilyBottom, kDeductionsBottom);
        centredLabel(c, labels[i], xs[i], xs[i] + 30.0f, 45.8f, 5.5f);
        useFont(c, kMincho, 4.0f);
        c.putText("千", xs[i] + 15.0f - 1.5f, 48.0f);
        c.putText("円", xs[i] + 30.0f - 1.5f, 48.0f);
        if (values[i] > 0) putStyledAmount(c, AmountStyle::Deduction, values[i], xs[i], 51.1f);
    }
    if (r.smallBusinessMutualAid > 0) {
        useFont(c, kMincho, 4.0f);
        c.putText("内", kLeft + 0.5f, 48.0f);
        putStyledAmount(c, AmountStyle::Deduction, r.smallBusinessMutualAid, kLeft, 48.4f);
    }
}

void remarks(Canvas& c, const LegacyWithholdingRecord& r) {
    hline(c, kDeductionsBottom);
    useFont(c, kMincho, 5.0f);
    c.putText("(摘要)", kLeft + 0.8f, kDeductionsBottom + 0.4f);
    useFont(c, kMincho, kTinyPt);
    print::putTextWithin(c,
                         "(摘要)に控除対象配偶者､扶養親族の氏名､続柄及び前職分の加算額､"
                         "支払者等を記入してください。",
                         37.0f, kDeductionsBottom + 0.5f, kRight - 38.0f);
    for (int i = 0; i < 3; ++i) {
        useFont(c, kMincho, 6.5f);
        print::putTextWithin(c, r.remarks[i].utf8(), kLeft + 2.0f,
                             57.6f + 3.1f * static_cast<float>(i), kRight - kLeft - 3.0f);
    }
}

std::string residenceText(const LegacyWithholdingRecord& r, const DocumentSource& source) {
    const EraDateBytes& d = r.residenceStart;
    if (d.year == 0) return {};
    const std::string era = eraOfIndex(d.era, source.eras);
    char text[32];
    std::snprintf(text, sizeof text, "%2d年%2d月%2d日", d.year, d.month, d.day);
    return era + text;
}

void breakdown(Canvas& c, const LegacyWithholdingRecord& r, const DocumentSource& source) {
    hline(c, kRemarksBottom);
    hline(c, kRemarksBottom + kBreakdownRow);
    const std::array<std::string_view, 10> labels{
        "新生命保険料の金額",     "旧生命保険料の金額",     "介護医療保険料の金額",
        "新個人年金保険料の金額", "旧個人年金保険料の金額", "国民年金保険料等の金額",
        "旧長期損害保険料の金額", "配偶者の合計所得",       "住宅借入金等特別控除可能額",
        "居住開始年月日"};
    const std::array<long long, 9> values{r.lifeNew,
                                          r.lifeOld,
                                          r.medicalCare,
                                          r.pensionNew,
                                          r.pensionOld,
                                          r.nationalPension,
                                          r.oldLongTermInsurance,
                                          r.spouseIncome,
                                          r.housingLoanAvailable};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const float top = kRemarksBottom + kBreakdownRow * static_cast<float>(i / 5);
        const float x = kLeft + kBoxWidth * static_cast<float>(i % 5);
        if (i % 5 != 0) vline(c, x, top, top + kBreakdownRow);
        centredLabel(c, labels[i], x + 0.3f, x + kBoxWidth - 0.3f, top + 0.3f, 4.0f);
        useFont(c, kGothic, 6.5f);
        if (i < values.size()) {
            if (values[i] > 0) putAmountEndingAt(c, values[i], x + kBoxWidth - 1.5f, top + 2.9f);
        } else {
            print::putTextWithin(c, residenceText(r, source), x + 0.8f, top + 2.9f,
                                 kBoxWidth - 1.6f);
        }
    }
}

void marks(Canvas& c, const LegacyWithholdingRecord& r) {
    hline(c, kMarksTop);
    const float split = kMarksTop + 2.5f;
    const float values = kMarksTop + 5.0f;
    hline(c, values);
    const std::array<std::string_view, 11> labels{"未成年者", "外国人", "死亡退職", "災害者",
                                                  "乙欄",     "特別",   "その他",   "一般",
                                                  "特別",     "寡夫",   "勤労学生"};
    const PersonFlags& f = r.flags;
    const std::array<std::uint8_t, 11> on{f.minor,          f.foreigner,       f.retiredByDeath,
                                          f.disasterVictim, f.secondaryColumn, f.disabledSpecial,
                                          f.disabledOther,  f.widow,           f.widowSpecial,
                                          f.widower,        f.workingStudent};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const float x = kLeft + kMarkWidth * static_cast<float>(i);
        const bool grouped = i >= 5 && i <= 8;
        if (i > 0) vline(c, x, i == 6 || i == 8 ? split : kMarksTop, kMarksBottom);
        centredLabel(c, labels[i], x, x + kMarkWidth, grouped ? split + 0.4f : kMarksTop + 1.5f,
                     3.8f);
        useFont(c, kGothic, 7.0f);
        putMark(c, on[i] == 1, x, x + kMarkWidth, values + 1.3f);
    }
    const float disabledX = kLeft + kMarkWidth * 5;
    hline(c, split, disabledX, disabledX + 4 * kMarkWidth);
    centredLabel(c, "本人が障害者", disabledX, disabledX + 2 * kMarkWidth, kMarksTop + 0.3f, 3.8f);
    centredLabel(c, "寡　婦", disabledX + 2 * kMarkWidth, disabledX + 4 * kMarkWidth,
                 kMarksTop + 0.3f, 3.8f);

    vline(c, kChangeX, kMarksTop, kMarksBottom);
    vline(c, kBirthX, kMarksTop, kMarksBottom);
    hline(c, split, kChangeX, kRight);
    centredLabel(c, "中途就･退職", kChangeX, kBirthX, kMarksTop + 0.3f, 3.8f);
    centredLabel(c, "受給者生年月日", kBirthX, kRight, kMarksTop + 0.3f, 3.8f);
    const JoinLeaveBirth& j = r.joinLeaveBirth;
    const std::array<std::string_view, 5> change{"就職", "退職", "年", "月", "日"};
    const std::array<std::string, 5> changeValues{
        j.joined == 1 ? "○" : "", j.left == 1 ? "○" : "",
        j.joined == 1 || j.left == 1 ? count(j.changeYear) : "",
        j.joined == 1 || j.left == 1 ? count(j.changeMonth) : "",
        j.joined == 1 || j.left == 1 ? count(j.changeDay) : ""};
    for (std::size_t i = 0; i < change.size(); ++i) {
        const float x = kChangeX + kChangeWidth * static_cast<float>(i);
        if (i > 0) vline(c, x, split, kMarksBottom);
        centredLabel(c, change[i], x, x + kChangeWidth, split + 0.4f, 3.8f);
        useFont(c, kGothic, 6.5f);
        putCentred(c, changeValues[i], x, x + kChangeWidth, values + 1.3f);
    }
    const std::array<std::string_view, 4> eras{"明", "大", "昭", "平"};
    for (std::size_t i = 0; i < eras.size(); ++i) {
        const float x = kBirthX + kBirthEraWidth * static_cast<float>(i);
        if (i > 0) vline(c, x, split, kMarksBottom);
        centredLabel(c, eras[i], x, x + kBirthEraWidth, split + 0.4f, 3.8f);
        useFont(c, kGothic, 7.0f);
        putMark(c, static_cast<std::size_t>(j.birth.era) == i + 1, x, x + kBirthEraWidth,
                values + 1.3f);
    }
    const std::array<std::string_view, 3> ymd{"年", "月", "日"};
    const std::array<int, 3> birth{j.birth.year, j.birth.month, j.birth.day};
    for (std::size_t i = 0; i < ymd.size(); ++i) {
        const float x = kBirthX + 4 * kBirthEraWidth + kBirthNumberWidth * static_cast<float>(i);
        vline(c, x, split, kMarksBottom);
        centredLabel(c, ymd[i], x, x + kBirthNumberWidth, split + 0.4f, 3.8f);
        useFont(c, kGothic, 7.0f);
        putCentred(c, count(birth[i]), x, x + kBirthNumberWidth, values + 1.3f);
    }
}

void payer(Canvas& c, const DocumentSource& source) {
    hline(c, kMarksBottom);
    vline(c, 31.0f, kMarksBottom, kBottom);
    vline(c, 49.0f, kMarksBottom, kBottom);
    hline(c, 94.0f, 31.0f);
    useFont(c, kMincho, 5.0f);
    putVertical(c, "支払者", 27.6f, 89.8f, 3.0f);
    centredLabel(c, "住所(居所)又は所在地", 31.0f, 49.0f, 90.7f);
    centredLabel(c, "氏名又は名称", 31.0f, 49.0f, 95.7f);
    const WithholdingHeader& h = source.file->header();
    within(c, h.address1.utf8(), 50.0f, 89.4f, kRight - 51.0f, 5.0f);
    within(c, h.address2.utf8(), 50.0f, 91.7f, kRight - 51.0f, 5.0f);
    within(c, source.companyName(), 50.0f, 95.0f, 55.0f, 7.0f);
    useFont(c, kMincho, kTinyPt);
    c.putText("(電話)", 107.0f, 95.5f);
    within(c, h.phone.utf8(), 114.0f, 95.0f, kRight - 115.0f, 7.0f);
}

}  // namespace

std::string legacyCopyName(LegacyCopy copy) {
    switch (copy) {
        case LegacyCopy::TaxOffice:
            return "(税務署提出用)";
        case LegacyCopy::Recipient:
            return "(受給者交付用)";
        case LegacyCopy::Municipality:
            break;
    }
    return "(市区町村提出用)";
}

void drawLegacySlip(Canvas& c, LegacyCopy copy, const DocumentSource& source, int slot) {
    const LegacyWithholdingRecord& r = source.file->legacyRecord(slot);
    c.setPen(print::Pen::Thin);
    putLabel(c, documentYearLabel(source.year, source.eras), 36.0f, 6.0f, 10.0f);
    putLabel(c, "給与所得の源泉徴収票", 62.0f, 5.5f, 11.0f);
    if (copy == LegacyCopy::TaxOffice) {
        c.putBox(106.0f, 4.0f, kRight, 9.5f);
        c.putLine(118.0f, 4.0f, 118.0f, 9.5f);
        centredLabel(c, "※税務署整理欄", 106.0f, 118.0f, 5.9f, 4.0f);
    }
    c.putBox(kLeft, kTop, kRight, kBottom);
    recipient(c, r, source, slot);
    amounts(c, r, source);
    family(c, r);
    deductions(c, r);
    remarks(c, r);
    breakdown(c, r, source);
    marks(c, r);
    payer(c, source);
    putLabel(c, legacyCopyName(copy), kLeft, 99.8f, 7.0f);
}

}  // namespace keiro::withholding
