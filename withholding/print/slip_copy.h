#pragma once
// Which copy of which document a drawing is: the current-format slip gives the recipient's and
// the tax office's copies, the payment report two copies for the municipality; the items the
// form carries follow the data year's edition.

#include <string>
#include <vector>

#include "withholding/print/law_items.h"

namespace keiro::withholding {

enum class CopyName { Recipient, TaxOffice, Municipality };

// "（受給者交付用）", "（税務署提出用）", "（市区町村提出用）".
std::string copyNameText(CopyName name);

struct SlipCopy {
    bool report = false;  // 給与支払報告書 rather than 源泉徴収票
    CopyName name = CopyName::TaxOffice;
    FormEdition edition;

    // The recipient's copy shows no individual numbers: their boxes are struck through, and the
    // payer's number is left out.
    bool showsNumbers() const { return name != CopyName::Recipient; }
};

// The row of single amounts under the spouse: what it holds in the edition, left to right.
enum class SingleItem {
    SpouseIncome,               // 配偶者の合計所得
    NationalPension,            // 国民年金保険料等の金額
    Basic,                      // 基礎控除の額 (from 2020)
    IncomeAdjustment,           // 所得金額調整控除額 (from 2020)
    SpecificRelatives,          // 特定親族の数 (from 2025)
    SpecificRelativeDeduction,  // 特定親族特別控除の額 (from 2025)
};
std::vector<SingleItem> singleItems(const FormEdition& edition);
// The label of its box.
std::string singleItemLabel(SingleItem item);

}  // namespace keiro::withholding
