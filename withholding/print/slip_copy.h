#pragma once
// Which copy of which document a drawing is: the current-format slip gives the recipient's and
// the tax office's copies, the payment report two copies for the municipality; the items the
// form carries follow the data year's edition.

#include <string>
#include <string_view>
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

// The row of person marks, left to right.  Until 2019 the form has 寡婦 一般 | 特別 and 寡夫;
// from 2020 a single 寡婦 column and ひとり親.
enum class PersonMark {
    Minor,            // 未成年者
    Foreigner,        // 外国人
    RetiredByDeath,   // 死亡退職
    DisasterVictim,   // 災害者
    SecondaryColumn,  // 乙欄
    DisabledSpecial,  // 本人が障害者 特別
    DisabledOther,    // 本人が障害者 その他
    Widow,            // 寡婦 (一般 until 2019)
    WidowSpecial,     // 寡婦 特別 (until 2019)
    Widower,          // 寡夫 (until 2019)
    SingleParent,     // ひとり親 (from 2020)
    WorkingStudent,   // 勤労学生
};
std::vector<PersonMark> personMarks(const FormEdition& edition);
// The width of each column: the marks share the row left of 中途就・退職.
float personMarkWidth(const FormEdition& edition);
// The lines of its column's label (under the group's label for a grouped column).
std::vector<std::string_view> personMarkLabel(PersonMark mark, const FormEdition& edition);
// The label over two columns that share one (本人が障害者; 寡婦 until 2019), empty for a column of
// its own; grouped columns follow each other.
std::string_view personMarkGroup(PersonMark mark, const FormEdition& edition);

}  // namespace keiro::withholding
