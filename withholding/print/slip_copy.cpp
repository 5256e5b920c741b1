#include "withholding/print/slip_copy.h"

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

}  // namespace keiro::withholding
