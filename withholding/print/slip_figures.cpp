#include "withholding/print/slip_figures.h"

#include <vector>

#include "core/entry.h"
#include "withholding/print/slip_entries.h"

namespace keiro::withholding {
namespace {

constexpr int kFlatCutYear = 2024;

std::string yen(long long amount) {
    return formatAmount(0, amount) + "円";
}

// The lines of the 令和6年分 定額減税, from the figures the calculation stored.
std::vector<std::string> flatCutLines(const WithholdingRecord& r, int calendarYear) {
    if (calendarYear != kFlatCutYear || r.figuresStored != 1) return {};
    std::vector<std::string> lines;
    if (r.flatCutApplied > 0 || r.flatCutNotApplied > 0) {
        lines.push_back("源泉徴収時所得税減税控除済額 " + yen(r.flatCutApplied));
    }
    if (r.flatCutNotApplied > 0) lines.push_back("控除外額 " + yen(r.flatCutNotApplied));
    if (r.flatCutSpouseNotDeductible == 1) lines.push_back("非控除対象配偶者減税有");
    return lines;
}

}  // namespace

long long spouseAmountShown(const WithholdingRecord& r, const EraYear& year) {
    if (r.figuresStored == 1) return r.spouseAmountGiven;
    if (r.spouseIncome > 0 || spouseSpecialAlwaysShown(year)) return r.spouseSpecial;
    return 0;
}

long long housingCreditShown(const WithholdingRecord& r) {
    return r.figuresStored == 1 ? r.housingLoanUsed : r.housingLoanCredit;
}

bool personMarkSet(const WithholdingRecord& r, PersonMark mark, const FormEdition& edition) {
    const PersonFlags& f = r.flags;
    switch (mark) {
        case PersonMark::Minor:
            return f.minor == 1;
        case PersonMark::Foreigner:
            return f.foreigner == 1;
        case PersonMark::RetiredByDeath:
            return f.retiredByDeath == 1;
        case PersonMark::DisasterVictim:
            return f.disasterVictim == 1;
        case PersonMark::SecondaryColumn:
            return f.secondaryColumn == 1;
        case PersonMark::DisabledSpecial:
            return f.disabledSpecial == 1;
        case PersonMark::DisabledOther:
            return f.disabledOther == 1;
        case PersonMark::Widow:
            if (edition.from2020)
                return (f.widow == 1 || f.widowSpecial == 1) && r.singleParent != 1;
            return f.widow == 1;
        case PersonMark::WidowSpecial:
            return f.widowSpecial == 1;
        case PersonMark::Widower:
            return f.widower == 1;
        case PersonMark::SingleParent:
            return r.singleParent == 1;
        case PersonMark::WorkingStudent:
            break;
    }
    return f.workingStudent == 1;
}

RemarkLines remarkLines(const WithholdingRecord& r, int calendarYear) {
    RemarkLines lines;
    int used = 0;  // lines up to the last typed one
    for (int i = 0; i < kRemarkLines; ++i) {
        lines[static_cast<std::size_t>(i)] = r.remarks[i].utf8();
        if (!lines[static_cast<std::size_t>(i)].empty()) used = i + 1;
    }
    for (const std::string& added : flatCutLines(r, calendarYear)) {
        if (used < kRemarkLines) {
            lines[static_cast<std::size_t>(used++)] = added;
        } else {
            std::string& last = lines[kRemarkLines - 1];
            last += (last.empty() ? "" : "、") + added;
        }
    }
    return lines;
}

}  // namespace keiro::withholding
