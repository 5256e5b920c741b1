#include "calc/labour_totals.h"

#include <algorithm>
#include <tuple>
#include <utility>

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

// Premiums of two bases; when they are equal the premium is also computed once at the combined
// rate, and a yen the separate premiums lose against it goes to 労災.
std::pair<std::int64_t, std::int64_t> labourPremiums(std::int64_t accidentBase,
                                                     std::int64_t employmentBase,
                                                     const LabourRates& rates) {
    std::int64_t accident = labourPremium(accidentBase, rates.accident);
    const std::int64_t employment = labourPremium(employmentBase, rates.employment);
    if (accidentBase == employmentBase) {
        accident += labourPremium(accidentBase, rates.accident + rates.employment) -
                    (accident + employment);
    }
    return {accident, employment};
}

std::int64_t cutToThousand(std::int64_t yen) {
    return yen / 1'000 * 1'000;
}

// The base of an estimate: the last 確定 base, or the expected wages when they lie outside
// half to twice it.
std::int64_t estimateBase(std::int64_t confirmed, std::optional<std::int64_t> expected) {
    if (!expected) return confirmed;
    const std::int64_t wages = cutToThousand(*expected);
    const bool within = 2 * wages >= confirmed && wages <= 2 * confirmed;
    return within ? confirmed : wages;
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

LabourEstimate estimateLabour(std::int64_t accidentBase, std::int64_t employmentBase,
                              const LabourRates& rates,
                              std::optional<std::int64_t> expectedAccident,
                              std::optional<std::int64_t> expectedEmployment) {
    LabourEstimate e;
    e.accidentBase = estimateBase(accidentBase, expectedAccident);
    e.employmentBase = estimateBase(employmentBase, expectedEmployment);
    std::tie(e.accidentPremium, e.employmentPremium) =
        labourPremiums(e.accidentBase, e.employmentBase, rates);
    return e;
}

LabourSettlement settleLabour(std::int64_t confirmed, std::int64_t paid, std::int64_t nextEstimate,
                              std::int64_t levy) {
    LabourSettlement s;
    s.confirmed = confirmed;
    s.paid = paid;
    s.shortfall = std::max<std::int64_t>(0, confirmed - paid);
    s.surplus = std::max<std::int64_t>(0, paid - confirmed);
    s.credited = std::min(s.surplus, nextEstimate);
    s.refund = s.surplus - s.credited;
    s.payment = nextEstimate + s.shortfall - s.credited + levy;
    return s;
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

    t.accidentBase = cutToThousand(t.total.accidentTotal.wage);
    t.employmentBase = cutToThousand(t.total.employmentTotal.wage);
    std::tie(t.accidentPremium, t.employmentPremium) =
        labourPremiums(t.accidentBase, t.employmentBase, rates);
    t.levy = labourPremium(t.accidentBase, rates.levy);
    return t;
}

}  // namespace keiro::calc
