#include "print/resident_tax_list.h"

#include <algorithm>
#include <map>

#include "core/municipality.h"
#include "print/social_rows.h"
#include "print/table_csv.h"

namespace keiro::print {

ResidentTaxList residentTaxList(const PeriodBlock& block) {
    std::map<int, ResidentTaxLine> byCode;
    ResidentTaxList list;
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        const EmployeeRecord& employee = block.employee(slot);
        if (!employee.isUsed()) continue;
        const long long amount = int(block.deductions[slot - 1].residentTaxAmount);
        if (amount == 0) continue;
        const int code = int(employee.residentTaxCityCode);
        auto [it, added] = byCode.try_emplace(code);
        ResidentTaxLine& line = it->second;
        if (added) {
            line.code = code;
            line.name =
                code == 0 ? std::string(kUnsetMunicipality) : employee.residentTaxCity.utf8();
        }
        ++line.people;
        line.amount += amount;
        ++list.people;
        list.amount += amount;
    }
    for (auto& [code, line] : byCode) {
        if (code != 0) list.lines.push_back(std::move(line));
    }
    if (const auto unset = byCode.find(0); unset != byCode.end())
        list.lines.push_back(unset->second);
    return list;
}

TextTable residentTaxTable(const ResidentTaxList& list, std::string company,
                           std::string periodCaption, bool plain) {
    TextTable t;
    t.title = "住民税納付一覧";
    t.subtitle = std::move(periodCaption);
    t.company = std::move(company);
    t.headings = {"市区町村コード", "市区町村名", "人員", "特別徴収税額"};
    t.columns = {{32.0f, false}, {60.0f, false}, {20.0f, true}, {36.0f, true}};
    t.unit = "行";
    for (const ResidentTaxLine& line : list.lines) {
        t.rows.push_back({municipalityCodeText(line.code), line.name, std::to_string(line.people),
                          amountCell(line.amount, plain)});
    }
    t.rows.push_back({"", "合計", std::to_string(list.people), amountCell(list.amount, plain)});
    return t;
}

std::string residentTaxCsvFileName(std::string_view periodCaption) {
    std::string name;
    for (const char c : periodCaption) {
        if (c != '[' && c != ']' && c != ' ') name += c;
    }
    return name + "_住民税納付一覧.csv";
}

std::string residentTaxCsv(const ResidentTaxList& list) {
    return csvTable(csvRowsOf(residentTaxTable(list, {}, {}, true)));
}

}  // namespace keiro::print
