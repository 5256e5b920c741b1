#pragma once
// A year's withholding data in memory for the document tests: a withholding file of the year's
// format, a December with named employees and a company, and the source the reports draw from.

#include <memory>
#include <string>

#include "print/recording_canvas.h"
#include "print/report.h"
#include "tests/support/built_page.h"
#include "withholding/print/document_source.h"

namespace keiro::withholding::testing {

// 10 pixels a millimetre, no margin: expected drawings read as tenths of a millimetre.
inline print::PageDevice tenPerMm() {
    return print::printerDevice({254, 254, 0, 0});
}

struct DocumentYear {
    std::unique_ptr<PeriodBlock> december = std::make_unique<PeriodBlock>();
    WithholdingFile file;
    DocumentSource source;

    DocumentYear(std::string eraName, int eraYear)
        : file(eraName != "平成" || eraYear >= 28),
          source{&file, december.get(), {std::move(eraName), eraYear}, {"平成", "令和"}, {}} {
        december->settings.companyName.assign("株式会社テスト商会");
        december->settings.corporateNumber = 1234567890123;
        file.header().address1.assign("東京都港区芝公園1-2-3");
        file.header().address2.assign("テストビル5階");
        file.header().phone.assign("03-1111-2222");
    }

    void addEmployee(int slot, const std::string& name) {
        EmployeeRecord& e = december->employee(slot);
        e.recordId.assign("260101_0900" + std::to_string(slot % 10) + "0");
        e.name.assign(name);
    }

    WithholdingRecord& record(int slot) { return file.record(slot); }
    LegacyWithholdingRecord& legacy(int slot) { return file.legacyRecord(slot); }
};

// A typical adjusted employee of the current format: amounts in every style, family and
// dependants with individual numbers, marks, a housing loan.
inline void fillTypicalRecord(WithholdingRecord& r) {
    r.postalCode.assign("105-0011");
    r.address1.assign("東京都港区芝公園4-5-6");
    r.address2.assign("芝パレス201");
    r.recipientNumber.assign("0007");
    r.position.assign("課長");
    r.furigana.assign("ﾔﾏﾀﾞ ﾀﾛｳ");
    r.paid = 9'200'000;
    r.withheld = 512'400;
    r.incomeAfterDeduction = 7'180'000;
    r.totalDeductions = 2'345'678;
    r.annualTax = 498'700;
    r.spouseDeductible = 1;
    r.spouseSpecial = 380'000;
    r.spouseIncome = 0;
    r.dependants.specific = 1;
    r.dependants.general = 1;
    r.under16 = 1;
    r.socialInsurance = 1'234'567;
    r.smallBusinessMutualAid = 120'000;
    r.lifeInsurance = 40'000;
    r.earthquakeInsurance = 50'000;
    r.housingLoanCredit = 180'000;
    r.remarks[0].assign("前職分 支払金額 1,000,000円");
    r.lifeNew = 96'000;
    r.housingLoanCount = 1;
    r.housingLoanAvailable = 180'000;
    r.residenceStart[0] = {5, 3, 4, 1};
    r.housingLoanKind[0] = 1;
    r.housingLoanSpecific[0] = 1;
    r.housingLoanBalance[0] = 25'000'000;
    r.spouse.furigana.assign("ﾔﾏﾀﾞ ﾊﾅｺ");
    r.spouse.name.assign("山田 花子");
    r.spouse.myNumber = 123456789012;
    r.dependantEntries[0].name.assign("山田 一郎");
    r.dependantEntries[0].myNumber = 23456789012;  // begins with 0 when printed in 12 places
    r.under16Entries[0].name.assign("山田 次郎");
    r.under16Entries[0].myNumber = 345678901234;
    r.joinLeaveBirth.birth = {3, 50, 7, 15};
    r.adjustStatus = 1;
}

inline std::string drawn(const print::Report& report, int page) {
    return testing_support::builtPageRecording(report, page, tenPerMm());
}

}  // namespace keiro::withholding::testing
