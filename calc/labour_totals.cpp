#include "calc/labour_totals.h"

#include <algorithm>

namespace keiro::calc {
namespace {

struct YearRate {
    int fiscalYear;
    std::array<int, 3> rates;  // general, agriculture and sake, construction
};

// 雇用保険料率 (employee + employer) by fiscal year; see data/labour_rates.csv.
constexpr YearRate kEmploymentRates[] = {
    {2024, {1'550, 1'750, 1'850}},
    {2025, {1'450, 1'650, 1'750}},
    {2026, {1'350, 1'550, 1'650}},
};

void addCell(LabourCell& into, const LabourCell& from) {
    into.count += from.count;
    into.wage += from.wage;
}

void addRow(LabourRow& into, const LabourRow& from) {
    addCell(into.regular, from.regular);
    addCell(into.director, from.director);
    addCell(into.temporary, from.temporary);
    addCell(into.accidentTotal, from.accidentTotal);
    addCell(into.insured, from.insured);
    addCell(into.insuredDirector, from.insuredDirector);
    addCell(into.employmentTotal, from.employmentTotal);
}

int yearlyHeadcount(int monthlyCounts) {
    return monthlyCounts == 0 ? 0 : std::max(1, monthlyCounts / 12);
}

}  // namespace

LabourColumn labourColumnOf(const EmployeeRecord& e) {
    switch (e.social.labourClass) {
        case 1:
            return LabourColumn::Regular;
        case 2:
            return LabourColumn::WorkingDirector;
        case 3:
            return LabourColumn::Temporary;
        case 4:
            return LabourColumn::Outside;
        default:
            break;
    }
    if (e.category == 1) return LabourColumn::Outside;
    return e.employmentInsured == 1 ? LabourColumn::Regular : LabourColumn::Temporary;
}

std::optional<int> employmentRateOf(int fiscalYear, LabourBusiness business) {
    for (const YearRate& r : kEmploymentRates) {
        if (r.fiscalYear == fiscalYear) return r.rates[static_cast<std::size_t>(business)];
    }
    return std::nullopt;
}

std::int64_t labourPremium(std::int64_t base, int rate) {
    return base * rate / kLabourRateUnit;
}

LabourTotals summarizeLabour(std::vector<LabourRow> rows, const std::vector<LabourEntry>& entries,
                             const LabourRates& rates) {
    LabourTotals t;
    for (const LabourEntry& e : entries) {
        if (e.row < 0 || e.column == LabourColumn::Outside) continue;
        if (static_cast<std::size_t>(e.row) >= rows.size()) rows.resize(e.row + 1);
        LabourRow& row = rows[static_cast<std::size_t>(e.row)];
        const bool director = e.column == LabourColumn::WorkingDirector;
        const bool insured = e.employmentInsured && e.column != LabourColumn::Temporary;
        (director                              ? row.director
         : e.column == LabourColumn::Temporary ? row.temporary
                                               : row.regular)
            .add(e.wage);
        row.accidentTotal.add(e.wage);
        if (insured) {
            (director ? row.insuredDirector : row.insured).add(e.wage);
            row.employmentTotal.add(e.wage);
        }
    }
    int accidentCounts = 0;
    int employmentCounts = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        addRow(t.total, rows[i]);
        if (rows[i].missing) t.missingMonths.push_back(rows[i].label);
        if (i < static_cast<std::size_t>(kLabourMonthRows)) {
            accidentCounts += rows[i].accidentTotal.count;
            employmentCounts += rows[i].employmentTotal.count;
        }
    }
    t.rows = std::move(rows);
    t.accidentHeadcount = yearlyHeadcount(accidentCounts);
    t.employmentHeadcount = yearlyHeadcount(employmentCounts);

    t.accidentBase = t.total.accidentTotal.wage / 1'000 * 1'000;
    t.employmentBase = t.total.employmentTotal.wage / 1'000 * 1'000;
    t.accidentPremium = labourPremium(t.accidentBase, rates.accident);
    t.employmentPremium = labourPremium(t.employmentBase, rates.employment);
    if (t.accidentBase == t.employmentBase) {
        const std::int64_t combined =
            labourPremium(t.accidentBase, rates.accident + rates.employment);
        t.accidentPremium += combined - (t.accidentPremium + t.employmentPremium);
    }
    t.levy = labourPremium(t.accidentBase, rates.levy);
    return t;
}

}  // namespace keiro::calc
