#pragma once
// What the withholding documents are drawn from: the year's withholding file, the year file's
// December (the employees' names, the company and its corporate number), the data year and the
// two settings of the withholding program that change the paper.

#include <string>
#include <string_view>

#include "core/era.h"
#include "core/records.h"
#include "withholding/model/withholding_file.h"

namespace keiro::withholding {

// Settings Syubetu and PrintLine.
struct DocumentOptions {
    std::string kindText = "給与･賞与";  // printed in the 種別 box
    bool printLine = true;               // cutting guides between the copies
};

struct DocumentSource {
    const WithholdingFile* file = nullptr;
    const PeriodBlock* december = nullptr;
    EraYear year;  // the data year as the year file is named
    EraNames eras;
    DocumentOptions options;

    int calendarYear() const { return calendarYearOf(year, eras); }
    std::string employeeName(int slot) const { return december->employee(slot).name.utf8(); }
    // The employee's own 個人番号 from the payroll master (0 = none).
    long long employeeNumber(int slot) const { return december->employee(slot).myNumber; }
    std::string companyName() const { return december->settings.companyName.utf8(); }
    long long corporateNumber() const { return december->settings.corporateNumber; }
};

// The document kinds, numbered as the print dialog's tag.
enum class DocumentKind { Slip = 1, RefundNotice = 2, PaymentReport = 5 };

// The document's name as menus, the print dialog and a PDF's title give it ("源泉徴収票").
inline std::string_view documentName(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::Slip:
            return "源泉徴収票";
        case DocumentKind::RefundNotice:
            return "還付金通知書";
        case DocumentKind::PaymentReport:
            return "給与支払報告書";
    }
    return {};
}

}  // namespace keiro::withholding
