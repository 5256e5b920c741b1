#pragma once
// The main window's check list of employees, without any widget: the text of each line, the
// orders the header sorts by, and what the check marks and the colours depend on.
//
// A line is one occupied slot of December: " 001  <name>  <department>  <category>  <pay
// form><blank> <status>  <年税額>  <過不足>", every column padded with blanks to its width in
// code page 932 bytes, so that the columns line up in the fixed-pitch font (a wider text pushes
// the rest of its line along rather than losing characters).  The slot is bytes 2-4, the
// status starts at byte 69, the two amounts are right-aligned in 11 bytes each.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "withholding/model/withholding_file.h"

namespace keiro::withholding {

// The header sections, left to right.  Only the first five sort the list.
enum class ListOrder {
    Number,
    Name,
    Department,
    Category,
    PayForm,
    TaxCalculation,
    AnnualTax,
    Difference
};
inline constexpr int kListSectionCount = 8;
inline bool sortsList(ListOrder order) {
    return order < ListOrder::TaxCalculation;
}

inline constexpr std::string_view kStatusDone = "済み";
inline constexpr std::string_view kStatusNotAdjusted = "対象外";
inline constexpr std::string_view kStatusOpen = "未処理";

// The adjustment's state: "済み" once calculated, "対象外" when the calculation found the
// employee outside the adjustment (乙欄, a leaver without an exception, pay above the limit),
// "未処理" before, 乙欄 or not: until it is calculated, a record has no tax for its slip.
std::string_view statusText(std::uint8_t adjustStatus);
// The status of a slot of the withholding file, in either record format.
std::string_view statusOf(const WithholdingFile& file, int slot);
// Whether the slot's documents are ready to print: calculated or found outside the adjustment.
bool isProcessed(std::string_view status);

// The amounts beside the status: the annual tax (源泉徴収税額) once the slot is processed, and
// the 過不足 = annual tax − tax withheld (negative: a refund) once it is calculated.  Nothing
// before; a record outside the adjustment has no 過不足.
struct ListFigures {
    std::optional<std::int64_t> annualTax;
    std::optional<std::int64_t> difference;
    bool operator==(const ListFigures&) const = default;
};
ListFigures figuresOf(const WithholdingFile& file, int slot);

// The category as listed: the name of categories 1..5, the employee's own text for 0.
std::string categoryText(const EmployeeRecord& employee);
// 月給, 日給, 時間給; empty for anything else.
std::string payFormText(const EmployeeRecord& employee);

// The whole line of an employee.
std::string lineText(int slot, const EmployeeRecord& employee, std::string_view status,
                     const ListFigures& figures = {});

struct CheckListLine {
    int slot = 0;  // 1..100
    std::string text;
    bool done = false;     // processed (済み, 対象外): what "check" mode checks
    bool employed = true;  // 在職; the others are told apart while retired people are listed
    bool operator==(const CheckListLine&) const = default;
};

// The lines of every occupied slot in the given order.  Retired employees (退職) are left out
// unless `showRetired`.  Sorting by name or department compares code page 932 bytes, then the
// slot; by category, the category number, its text, then the slot; by pay form, 月給, 日給,
// 時間給 and then anything else, each in slot order; the last section keeps slot order.
std::vector<CheckListLine> checkListLines(const PeriodBlock& december, const WithholdingFile& file,
                                          bool showRetired, ListOrder order);

// The question before printing documents of employees whose year is not calculated yet (their
// slips would show no tax): how many, and who (the first ten names, then how many more).
std::string unprocessedPrintQuestion(const std::vector<std::string>& names);

// Whether any slot has a name: the editor has somebody to open.
bool hasNamedEmployee(const PeriodBlock& december);

}  // namespace keiro::withholding
