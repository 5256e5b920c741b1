#include "withholding/print/slip_copy.h"

#include "withholding/print/slip_layout.h"

namespace keiro::withholding {

std::string copyNameText(CopyName name) {
    switch (name) {
        case CopyName::Recipient:
            return "（受給者交付用）";
        case CopyName::TaxOffice:
            return "（税務署提出用）";
        case CopyName::Municipality:
            break;
    }
    return "（市区町村提出用）";
}

std::vector<SingleItem> singleItems(const FormEdition& edition) {
    std::vector<SingleItem> items{SingleItem::SpouseIncome, SingleItem::NationalPension};
    if (edition.from2020) {
        items.push_back(SingleItem::Basic);
        items.push_back(SingleItem::IncomeAdjustment);
    }
    if (edition.from2025) {
        items.push_back(SingleItem::SpecificRelatives);
        items.push_back(SingleItem::SpecificRelativeDeduction);
    }
    return items;
}

std::string singleItemLabel(SingleItem item) {
    switch (item) {
        case SingleItem::SpouseIncome:
            return "配偶者の合計所得";
        case SingleItem::NationalPension:
            return "国民年金保険料等の金額";
        case SingleItem::Basic:
            return "基礎控除の額";
        case SingleItem::IncomeAdjustment:
            return "所得金額調整控除額";
        case SingleItem::SpecificRelatives:
            return "特定親族の数";
        case SingleItem::SpecificRelativeDeduction:
            break;
    }
    return "特定親族特別控除の額";
}

std::vector<PersonMark> personMarks(const FormEdition& edition) {
    using enum PersonMark;
    if (edition.from2020) {
        return {Minor,           Foreigner,     RetiredByDeath, DisasterVictim, SecondaryColumn,
                DisabledSpecial, DisabledOther, Widow,          SingleParent,   WorkingStudent};
    }
    return {Minor,           Foreigner,       RetiredByDeath, DisasterVictim,
            SecondaryColumn, DisabledSpecial, DisabledOther,  Widow,
            WidowSpecial,    Widower,         WorkingStudent};
}

float personMarkWidth(const FormEdition& edition) {
    return (slip::kChangeX - slip::kLeft) / static_cast<float>(personMarks(edition).size());
}

std::vector<std::string_view> personMarkLabel(PersonMark mark, const FormEdition& edition) {
    switch (mark) {
        case PersonMark::Minor:
            return {"未成", "年者"};
        case PersonMark::Foreigner:
            return {"外国", "人"};
        case PersonMark::RetiredByDeath:
            return {"死亡", "退職"};
        case PersonMark::DisasterVictim:
            return {"災害", "者"};
        case PersonMark::SecondaryColumn:
            return {"乙欄"};
        case PersonMark::DisabledSpecial:
        case PersonMark::WidowSpecial:
            return {"特別"};
        case PersonMark::DisabledOther:
            return {"その他"};
        case PersonMark::Widow:
            if (edition.from2020) return {"寡婦"};
            return {"一般"};
        case PersonMark::Widower:
            return {"寡夫"};
        case PersonMark::SingleParent:
            return {"ひとり", "親"};
        case PersonMark::WorkingStudent:
            break;
    }
    return {"勤労", "学生"};
}

std::string_view personMarkGroup(PersonMark mark, const FormEdition& edition) {
    switch (mark) {
        case PersonMark::DisabledSpecial:
        case PersonMark::DisabledOther:
            return "本人が障害者";
        case PersonMark::Widow:
            return edition.from2020 ? "" : "寡　婦";
        case PersonMark::WidowSpecial:
            return "寡　婦";
        default:
            return "";
    }
}

}  // namespace keiro::withholding
