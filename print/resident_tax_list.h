#pragma once
// 住民税納付一覧: what the residence tax deducted in one period's pay comes to per municipality,
// the figures of each municipality's 納入書.  Per municipality (in code order) the number of
// employees it was deducted from and the total; the employees without a municipality come
// last as one line "納付先未設定", so the grand total is every yen deducted.
//
// An employee counts where an amount was deducted (a hand-entered correction below zero
// counts too); the municipality's name is that of the first such employee in slot order.

#include <string>
#include <vector>

#include "core/records.h"
#include "print/text_table_report.h"

namespace keiro::print {

inline constexpr std::string_view kUnsetMunicipality = "納付先未設定";

struct ResidentTaxLine {
    int code = 0;  // six digits with the check digit; 0 for the employees without one
    std::string name;
    int people = 0;
    long long amount = 0;
    bool operator==(const ResidentTaxLine&) const = default;
};

struct ResidentTaxList {
    std::vector<ResidentTaxLine> lines;  // by code, the unset line (code 0) last
    int people = 0;
    long long amount = 0;
};

ResidentTaxList residentTaxList(const PeriodBlock& block);

// The list as a table: code, name, people, amount, then the total line.  `periodCaption` names
// the pay ("令和8年11月分給与"); `plain` gives amounts without separators (CSV).
TextTable residentTaxTable(const ResidentTaxList& list, std::string company,
                           std::string periodCaption, bool plain);

// The CSV file: the headings and the rows of the table, code page 932, CR LF.
std::string residentTaxCsv(const ResidentTaxList& list);

inline constexpr std::string_view kMsgResidentTaxCsvWritten =
    "住民税納付一覧をCSVファイルに出力しました。";
// The file name proposed for the CSV: "令和8年11月分給与_住民税納付一覧.csv" from the period's
// caption "[令和8年 11月分給与]".
std::string residentTaxCsvFileName(std::string_view periodCaption);

}  // namespace keiro::print
