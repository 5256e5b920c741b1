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

}  // namespace keiro::withholding
