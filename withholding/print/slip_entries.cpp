#include "withholding/print/slip_entries.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "core/text.h"
#include "print/fitted_text.h"
#include "withholding/print/amount_cells.h"
#include "withholding/print/form_drawing.h"
#include "withholding/print/slip_figures.h"
#include "withholding/print/slip_frame.h"
#include "withholding/print/slip_layout.h"
#include "withholding/print/slip_remarks.h"
#include "withholding/print/year_labels.h"

namespace keiro::withholding {
namespace {

using namespace slip;
using print::Canvas;

constexpr float kCountPt = 9.0f;
constexpr float kMarkPt = 7.0f;

std::string number(int value) {
    return value == 0 ? std::string() : std::to_string(value);
}

void putWithin(Canvas& c, const std::string& text, float x, float y, float width, float points,
               const char* face = kGothic) {
    useFont(c, face, points);
    print::putTextWithin(c, text, x, y, width);
}

void putStyled(Canvas& c, AmountStyle style, long long amount, float x, float y) {
    if (amount > 0) putStyledAmount(c, style, amount, x, y);
}

void yearParts(Canvas& c, const SlipCopy& copy, const DocumentSource& source) {
    if (copy.report) {
        putLabel(c, documentYearLabel(source.year, source.eras), 118.0f, 18.6f, 10.0f);
        const EraYear next = followingYear(source.year, source.eras);
        putLabel(c, next.eraName, 22.5f, 19.1f, 7.0f);
        useFont(c, kGothic, 10.0f);
        char text[8];
        std::snprintf(text, sizeof text, "%2d", next.eraYear);
        c.putText(text, 36.0f, 18.5f);
    } else {
        putLabel(c, documentYearLabel(source.year, source.eras), 46.0f, 17.0f, 12.0f);
    }
}

// The employee's own individual number comes from the payroll master, on the copies that show
// numbers only.
void recipient(Canvas& c, const SlipCopy& copy, const WithholdingRecord& r,
               const DocumentSource& source, int slot) {
    if (copy.showsNumbers()) {
        useFont(c, kGothic, 7.0f);
        putDigits(c, source.employeeNumber(slot), kPersonalNumberDigits, kRightLabelRight,
                  kRefRowBottom + 1.0f);
    }
    if (!r.postalCode.empty()) putWithin(c, "〒" + r.postalCode.utf8(), 42.0f, 27.1f, 40.0f, 7.0f);
    putWithin(c, r.address1.utf8(), 28.0f, 30.8f, 61.0f, 9.0f);
    putWithin(c, r.address2.utf8(), 28.0f, 36.6f, 61.0f, 9.0f);
    putWithin(c, r.recipientNumber.utf8(), 105.0f, 23.3f, 37.5f, 8.0f);
    putWithin(c, r.position.utf8(), 105.0f, 31.8f, 37.5f, 7.0f);
    putWithin(c, r.furigana.utf8(), 105.0f, 35.4f, 37.5f, 7.0f);
    putWithin(c, source.employeeName(slot), 105.0f, 38.9f, 37.5f, 10.0f);
}

void mainAmounts(Canvas& c, const WithholdingRecord& r, const DocumentSource& source) {
    useFont(c, kGothic, 8.0f);
    putCentredWithin(c, source.options.kindText, kLeft + 0.5f, kKindRight - 0.5f, 49.8f);
    putStyled(c, AmountStyle::Main, r.paid, kPaidX, kAmountTextY);
    putStyled(c, AmountStyle::Main, r.incomeAfterDeduction, kIncomeX, kAmountTextY);
    putStyled(c, AmountStyle::Main, r.totalDeductions, kDeductionsX, kAmountTextY);
    putStyledAmount(c, AmountStyle::Main, r.annualTax, kTaxX, kAmountTextY);
}

void family(Canvas& c, const WithholdingRecord& r, const DocumentSource& source) {
    useFont(c, kGothic, kCountPt);
    if (r.spouseDeductible == 1) c.putText("○", 23.5f, kFamilyTextY);
    if (r.spouseSecondary == 1) c.putText("○", 29.5f, kFamilyTextY);
    if (r.spouseElderly == 1) c.putText("○", 36.5f, kFamilyTextY);
    putStyled(c, AmountStyle::Spouse, spouseAmountShown(r, source.year), kSpouseAmountX,
              kFamilyTextY);
    useFont(c, kGothic, kCountPt);
    const DependantCounts& d = r.dependants;
    const std::array<std::pair<float, int>, 12> counts{{{65.0f, d.specific},
                                                        {70.5f, d.specificSecondary},
                                                        {76.0f, d.elderlyLivingTogether},
                                                        {83.0f, d.elderly},
                                                        {89.0f, d.elderlySecondary},
                                                        {96.0f, d.general},
                                                        {102.5f, d.generalSecondary},
                                                        {108.5f, r.under16},
                                                        {117.0f, r.disabled.specialLivingTogether},
                                                        {124.0f, r.disabled.special},
                                                        {131.5f, r.disabled.other},
                                                        {139.0f, r.nonResidentRelatives}}};
    for (const auto& [x, count] : counts) {
        if (count != 0) c.putText(number(count), x, kFamilyTextY);
    }
}

void deductions(Canvas& c, const WithholdingRecord& r) {
    putStyled(c, AmountStyle::Deduction, r.smallBusinessMutualAid, kSocialX, kMutualAidY);
    putStyled(c, AmountStyle::Deduction,
              static_cast<long long>(r.socialInsurance) + r.smallBusinessMutualAid, kSocialX,
              kDeductionTextY);
    putStyled(c, AmountStyle::Deduction, r.lifeInsurance, kLifeX, kDeductionTextY);
    putStyled(c, AmountStyle::Deduction, r.earthquakeInsurance, kEarthquakeX, kDeductionTextY);
    putStyled(c, AmountStyle::Deduction, housingCreditShown(r), kHousingX, kDeductionTextY);
}

// The copies that show numbers write them after the names; the payment report has boxes of
// its own for those of the fifth dependant on (dependants below).
void remarks(Canvas& c, const SlipCopy& copy, const WithholdingRecord& r,
             const DocumentSource& source, int slot) {
    const RemarkOptions options{source.calendarYear(), source.eras, copy.showsNumbers(),
                                copy.report, copy.edition.from2025};
    const std::vector<std::string> lines = remarkLines(r, source.file->supplement(slot), options);
    const RemarkSpacing spacing = remarkSpacing(static_cast<int>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        putWithin(c, lines[i], kLeft + 8.0f, kRemarksFirstY + spacing.step * static_cast<float>(i),
                  kRight - kLeft - 9.0f, spacing.points, kMincho);
    }
}

void lifeBreakdown(Canvas& c, const WithholdingRecord& r) {
    const std::array<long long, 6> amounts{r.lifeNew,    r.lifeOld,    r.medicalCare,
                                           r.pensionNew, r.pensionOld, r.oldLongTermInsurance};
    for (std::size_t i = 0; i < amounts.size(); ++i) {
        const float top = kLifeTop + kLifeRow * static_cast<float>(i / 3);
        const float x = kSectionLabelRight + kPairWidth * static_cast<float>(i % 3 + 1) -
                        amountCellWidth(AmountStyle::Deduction);
        putStyled(c, AmountStyle::Deduction, amounts[i], x, top + 2.4f);
    }
}

std::string housingKind(const WithholdingRecord& r, int i) {
    static constexpr std::array<const char*, 5> kKinds{"", "住", "認", "増", "震"};
    const int kind = r.housingLoanKind[i];
    if (kind <= 0 || kind >= 5) return {};
    return std::string(kKinds[static_cast<std::size_t>(kind)]) +
           (r.housingLoanSpecific[i] == 1 ? "(特)" : "");
}

void housingBreakdown(Canvas& c, const WithholdingRecord& r, const DocumentSource& source) {
    for (int i = 0; i < 2; ++i) {
        const float top = kHousingTop + kHousingRow * static_cast<float>(i);
        const float y = top + 3.2f;
        useFont(c, kGothic, 7.0f);
        if (i == 0 && r.housingLoanCount > 0) {
            putAmountEndingAt(c, r.housingLoanCount, 53.5f, y);
        } else if (i == 1 && r.housingLoanAvailable > 0) {
            putAmountEndingAt(c, r.housingLoanAvailable, 54.0f, y);
        }
        const EraDateBytes& start = r.residenceStart[i];
        if (start.year != 0) {
            // The era's first character (令, 平): the box is one character wide.
            putWithin(c, text::truncateToWidth(eraOfIndex(start.era, source.eras), 2), 62.2f, y,
                      3.3f, 7.0f);
            useFont(c, kGothic, 7.0f);
            putAmountEndingAt(c, start.year, 68.3f, y);
            putAmountEndingAt(c, start.month, 74.5f, y);
            putAmountEndingAt(c, start.day, 81.0f, y);
        }
        useFont(c, kGothic, 7.0f);
        putCentredWithin(c, housingKind(r, i), 90.3f, 97.7f, y);
        putStyled(c, AmountStyle::Deduction, r.housingLoanBalance[i],
                  kRight - amountCellWidth(AmountStyle::Deduction), y);
    }
}

// Where one person's line of the family boxes is: the name's and the 区分's x, the number
// boxes' x, and the tops of the furigana, the name and the digits.
struct EntryPlace {
    float nameX, kindX, boxesX, furiganaY, nameY, numberY;
};

// Every entry of the family boxes is in 7 pt type, the smallest that reads on paper; the
// furigana and the name share the name row of 5 mm, the digits sit in the middle of their boxes.
constexpr float kEntryPt = 7.0f;

// A person of the family boxes: furigana, name, the 区分 text ("○" for a non-resident, "特親"
// for a 特定親族) and the 個人番号 on the copies that show numbers.
void personEntry(Canvas& c, const SlipCopy& copy, const EntryPlace& at, const std::string& furigana,
                 const std::string& name, const std::string& kind, long long myNumber) {
    putWithin(c, furigana, at.nameX + 8.5f, at.furiganaY, at.kindX - at.nameX - 9.0f, kEntryPt);
    putWithin(c, name, at.nameX + 1.0f, at.nameY, at.kindX - at.nameX - 2.0f, kEntryPt);
    useFont(c, kGothic, kEntryPt);
    if (!kind.empty()) putCentredWithin(c, kind, at.kindX, at.kindX + 6.0f, at.nameY);
    if (copy.showsNumbers()) {
        useFont(c, kGothic, kEntryPt);
        putDigits(c, myNumber, kPersonalNumberDigits, at.boxesX, at.numberY);
    }
}

void familyEntry(Canvas& c, const SlipCopy& copy, const FamilyEntry& e, const EntryPlace& at) {
    personEntry(c, copy, at, e.furigana.utf8(), e.name.utf8(), e.nonResident == 1 ? "○" : "",
                e.myNumber);
}

void spouse(Canvas& c, const SlipCopy& copy, const WithholdingRecord& r) {
    familyEntry(c, copy, r.spouse,
                {kSectionLabelRight + 3.5f, 76.0f, 88.5f, kSpouseTop + 0.3f, kSpouseTop + 3.4f,
                 kSpouseTop + 2.75f});
}

void singles(Canvas& c, const SlipCopy& copy, const WithholdingRecord& r, const LawItems& law) {
    const float width = singleBoxWidth(copy.edition);
    float x = kLeft;
    useFont(c, kGothic, 7.0f);
    const float y = kSingleTop + 3.4f;
    for (SingleItem item : singleItems(copy.edition)) {
        long long value = 0;
        switch (item) {
            case SingleItem::SpouseIncome:
                value = r.spouseIncome;
                break;
            case SingleItem::NationalPension:
                value = r.nationalPension;
                break;
            case SingleItem::Basic:
                value = law.basic;
                break;
            case SingleItem::IncomeAdjustment:
                value = law.incomeAdjustment;
                break;
            case SingleItem::SpecificRelatives:
                value = law.specificRelatives;
                break;
            case SingleItem::SpecificRelativeDeduction:
                value = law.specificRelativeDeduction;
                break;
        }
        if (value > 0) putAmountEndingAt(c, value, x + width - 2.3f, y);
        x += width;
    }
}

std::string joinedNumbers(const PStr<16> (&numbers)[5]) {
    std::string out;
    for (const auto& n : numbers) {
        if (n.empty()) continue;
        if (!out.empty()) out += ' ';
        out += n.utf8();
    }
    return out;
}

EntryPlace entryPlace(float x1, float x2, int line) {
    const float top = kDependantsTop + kEntryHeight * static_cast<float>(line);
    return {x1 + kSideLabel + kEntryNumber,
            x2 - kEntryKind,
            x2 - kDigitBoxWidth * kPersonalNumberDigits - 0.4f,
            top + 0.1f,
            top + 2.5f,
            top + kEntryNameHeight + 0.25f};
}

// From 令和7年分 the 特定親族 take the 控除対象扶養親族 lines no dependant uses, marked 特親 in
// the 区分; the others are written in 摘要.
void specificRelatives(Canvas& c, const SlipCopy& copy, const WithholdingRecord& r,
                       const WithholdingSupplement& s) {
    if (!copy.edition.from2025) return;
    const std::vector<int> places = specificRelativePlaces(r, s);
    const std::vector<int> lines = specificRelativeLines(r, places);
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (lines[i] < 0) continue;
        const SpecificRelative& relative = s.specificRelatives[places[i]];
        personEntry(c, copy, entryPlace(kLeft, kHalf, lines[i]), relative.furigana.utf8(),
                    relative.name.utf8(), "特親", relative.myNumber);
    }
}

// The fifth dependant on: their names are in 摘要; the payment report's boxes hold their
// numbers (the slip writes them after the names, on the tax office's copy).
void dependants(Canvas& c, const SlipCopy& copy, const WithholdingRecord& r,
                const WithholdingSupplement& s) {
    for (int k = 0; k < 4; ++k)
        familyEntry(c, copy, r.dependantEntries[k], entryPlace(kLeft, kHalf, k));
    for (int k = 0; k < 4; ++k)
        familyEntry(c, copy, r.under16Entries[k], entryPlace(kHalf, kRight, k));
    specificRelatives(c, copy, r, s);
    if (!copy.showsNumbers() || !copy.report) return;
    const float y = kDependantsBottom + 1.4f;
    putWithin(c, joinedNumbers(r.moreDependantNumbers), 50.6f, y, 31.0f, kEntryPt);
    putWithin(c, joinedNumbers(r.moreUnder16Numbers), 111.6f, y, 31.5f, kEntryPt);
}

void marks(Canvas& c, const SlipCopy& copy, const WithholdingRecord& r) {
    const std::vector<PersonMark> columns = personMarks(copy.edition);
    const float width = personMarkWidth(copy.edition);
    const float y = kMarksHeadBottom + 1.2f;
    useFont(c, kGothic, kMarkPt);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const float x = kLeft + width * static_cast<float>(i);
        putMark(c, personMarkSet(r, columns[i], copy.edition), x, x + width, y);
    }
    const JoinLeaveBirth& j = r.joinLeaveBirth;
    putMark(c, j.joined == 1, kChangeX, kChangeX + kChangeWidth, y);
    putMark(c, j.left == 1, kChangeX + kChangeWidth, kChangeX + 2 * kChangeWidth, y);
    if (j.joined == 1 || j.left == 1) {
        const std::array<int, 3> date{j.changeYear, j.changeMonth, j.changeDay};
        for (int i = 0; i < 3; ++i) {
            const float x = kChangeX + kChangeWidth * static_cast<float>(i + 2);
            putCentred(c, number(date[static_cast<std::size_t>(i)]), x, x + kChangeWidth, y);
        }
    }
    const EraDateBytes& birth = j.birth;
    if (birth.era >= 1 && birth.era <= 4) {
        const float x = kBirthX + kBirthEraWidth * static_cast<float>(birth.era - 1);
        putMark(c, true, x, x + kBirthEraWidth, y);
    }
    const std::array<int, 3> date{birth.year, birth.month, birth.day};
    for (int i = 0; i < 3; ++i) {
        const float x = kBirthX + 4 * kBirthEraWidth + kBirthNumberWidth * static_cast<float>(i);
        putCentred(c, number(date[static_cast<std::size_t>(i)]), x, x + kBirthNumberWidth, y);
    }
}

void payer(Canvas& c, const SlipCopy& copy, const DocumentSource& source) {
    if (copy.showsNumbers()) {
        useFont(c, kGothic, 7.0f);
        putDigits(c, source.corporateNumber(), kCorporateNumberDigits, kPayerFieldLabelRight + 0.5f,
                  kMarksBottom + 0.5f);
    }
    const WithholdingHeader& h = source.file->header();
    // The field is 3.5 mm high: the address's two parts go on one line of 7 pt, the smallest
    // type the form is read in, narrowed to the field's width when long.
    const float width = kRight - kPayerFieldLabelRight - 1.0f;
    std::string address = h.address1.utf8();
    const std::string second = h.address2.utf8();
    if (!address.empty() && !second.empty()) address += "　";
    address += second;
    putWithin(c, address, kPayerFieldLabelRight + 0.8f, kPayerNumberBottom + 0.5f, width, 7.0f);
    putWithin(c, source.companyName(), kPayerFieldLabelRight + 1.0f, kPayerAddressBottom + 0.4f,
              60.0f, 7.0f);
    putWithin(c, h.phone.utf8(), 116.0f, kPayerAddressBottom + 0.4f, 27.0f, 7.0f);
}

}  // namespace

bool spouseSpecialAlwaysShown(const EraYear& year) {
    return year.eraYear > 29 || year.eraYear < 20;
}

void drawSlipEntries(Canvas& c, const SlipCopy& copy, const DocumentSource& source, int slot,
                     const LawItems& law) {
    const WithholdingRecord& r = source.file->record(slot);
    yearParts(c, copy, source);
    recipient(c, copy, r, source, slot);
    mainAmounts(c, r, source);
    family(c, r, source);
    deductions(c, r);
    remarks(c, copy, r, source, slot);
    lifeBreakdown(c, r);
    housingBreakdown(c, r, source);
    spouse(c, copy, r);
    singles(c, copy, r, law);
    dependants(c, copy, r, source.file->supplement(slot));
    marks(c, copy, r);
    payer(c, copy, source);
}

}  // namespace keiro::withholding
