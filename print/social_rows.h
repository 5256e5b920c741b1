#pragma once
// The revisions after a change of fixed pay, the bonus payment report and the labour insurance
// wage summary as tables of texts: the same rows in their windows, printed lists and CSV files.
// `plain` gives amounts without thousands separators (for CSV).

#include <string>
#include <vector>

#include "calc/social_year.h"
#include "print/text_table_report.h"

namespace keiro::print {

// 月額変更届 (随時改定) candidates of the year.
TextTable revisionTable(const std::vector<calc::RevisionLine>& lines, std::string company,
                        int calendarYear, bool plain);
// 賞与支払届 of one bonus paid on `payDate` (yyyymmdd).
TextTable bonusTable(const std::vector<calc::BonusLine>& lines, std::string company, int payDate,
                     bool plain);
// 確定保険料算定基礎賃金集計表 of fiscal year `fiscalYear`, with the bases and premiums as notes.
TextTable labourTable(const calc::LabourTotals& totals, const calc::LabourRates& rates,
                      std::string company, int fiscalYear, bool plain);

// Headings and rows as one list, for csvTable.
std::vector<std::vector<std::string>> csvRowsOf(const TextTable& table);

// The lines of the 年度更新 after the 確定: the next year's 概算, the 精算 against the 概算
// paid and what is paid with the return; or why one of them cannot be given.
std::vector<std::string> labourRenewalNotes(const calc::LabourRenewal& renewal, int fiscalYear);

}  // namespace keiro::print
