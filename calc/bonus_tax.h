#pragma once
// The withholding income tax (所得税) of a bonus, and the texts of the switch to hand entry
// when the rate table cannot be used for it.

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/rounding.h"
#include "calc/tax_tables.h"

namespace keiro::calc {

// The warning shown when bonuses need their tax entered by hand: the two cases in which the
// rate table may not be used, then the question for the whole period or for one employee.
inline constexpr std::string_view kMsgBonusTaxExceptions =
    "下記の何れかの例外に該当する為、所得税が自動計算されません。\n"
    "ユーザーによる所得税の計算と入力が必要です。\n"
    "　１．前月中に給与の支払いが無い。\n"
    "　２．今回支給の｢社保控除後計｣の金額が、前月中の給与等の金額\n"
    "　　　(社会保険控除後)の10倍を超えている。\n"
    "\n";
inline constexpr std::string_view kMsgBonusTaxQuestionAll =
    "該当する社員の所得税を手入力モードに変更しますか？";
inline constexpr std::string_view kMsgBonusTaxQuestionOne =
    "この社員の所得税を手入力モードに変更しますか？";
std::string bonusTaxHandEntryQuestion(bool forOneEmployee);

// Information after Yes, for the whole period and in the individual entry window.
inline constexpr std::string_view kMsgBonusTaxHandEntrySet =
    "該当社員の所得税計算を手入力モードに変更しました。\n"
    "詳細入力画面にて該当社員の確認と入力を行って下さい。";
inline constexpr std::string_view kMsgBonusTaxHandEntrySetOne =
    "所得税計算を手入力モードに変更しました。\n"
    "所得税の計算と入力を行って下さい。";

struct BonusTaxInput {
    bool taxItemActive = false;  // 所得税 is among the deduction items of the pay form
    bool manual = false;         // the 所得税 manual flag of the bonus's deduction record
    std::int32_t storedTax = 0;  // 所得税 as stored (kept when manual)
    std::int32_t previousMonthAmount = 0;  // P: 社保控除後計 of the month before the pay month
    std::int32_t bonusAmount = 0;          // B: this bonus's 社保控除後計
    std::int32_t dependents = 0;           // 扶養親族等の数
    int column = 0;                        // 0 = 甲欄, otherwise 乙欄
};

struct BonusTaxResult {
    std::int32_t tax = 0;
    bool needsHandEntry = false;  // the table may not be used: the user must enter the tax
};

// Item absent: 0.  Manual flag set: the stored tax.  No pay the month before (P <= 0, which
// covers pay not above its premiums) or B above ten times P: 0 and hand entry needed; exactly
// ten times still uses the table.  Otherwise the rate table's tax.
BonusTaxResult BonusIncomeTax(const BonusTaxInput& input, const BonusTaxTable& table,
                              const YenRounding& rounding);

}  // namespace keiro::calc
