#include "print/social_rows.h"

namespace keiro::print {
namespace {

std::string yearMonthText(int yyyymm) {
    return std::to_string(yyyymm / 100) + "年" + std::to_string(yyyymm % 100) + "月";
}

std::string dateText(int yyyymmdd) {
    return yearMonthText(yyyymmdd / 100) + std::to_string(yyyymmdd % 100) + "日";
}

// The rate in units of 1/100,000 as per mille: 300 → "3", 1450 → "14.5".
std::string perMille(int rate) {
    std::string text = std::to_string(rate / 100);
    int rest = rate % 100;
    if (rest != 0) {
        text += '.';
        text += static_cast<char>('0' + rest / 10);
        if (rest % 10 != 0) text += static_cast<char>('0' + rest % 10);
    }
    return text + "/1000";
}

}  // namespace

std::vector<std::vector<std::string>> csvRowsOf(const TextTable& table) {
    std::vector<std::vector<std::string>> rows{table.headings};
    rows.insert(rows.end(), table.rows.begin(), table.rows.end());
    return rows;
}

namespace {

// The 備考 of a revision: back-pay taken out, the 修正平均額 decided on, a revision of health
// alone, a 70歳以上被用者.
std::string revisionRemarks(const calc::RevisionLine& l) {
    std::vector<std::string> parts;
    if (l.backPay > 0) {
        parts.push_back("遡及" + std::to_string(l.backPayMonth % 100) + "月" +
                        amountCell(l.backPay, false));
    }
    if (l.result.remuneration > 0 && l.result.remuneration != l.result.average) {
        parts.push_back("修正平均額" + amountCell(l.result.remuneration, false));
    }
    if (l.result.health && !l.result.pension && !l.over70) parts.push_back("健保のみ");
    if (l.over70) parts.push_back("70歳以上被用者月額変更");
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : " ") + part;
    return text;
}

}  // namespace

TextTable revisionTable(const std::vector<calc::RevisionLine>& lines, std::string company,
                        int calendarYear, bool plain) {
    TextTable t;
    t.title = "月額変更届 一覧";
    t.subtitle = std::to_string(calendarYear) + "年 固定的賃金の変動による随時改定";
    t.company = std::move(company);
    t.headings = {"番号",      "氏名",      "変動月",    "昇降",      "1月目日数", "1月目報酬",
                  "2月目日数", "2月目報酬", "3月目日数", "3月目報酬", "平均額",    "健保等級",
                  "年金等級",  "従前健保",  "従前年金",  "改定月",    "備考"};
    t.columns = {{8, true},  {28, false}, {20, false}, {9, false},  {12, true}, {17, true},
                 {12, true}, {17, true},  {12, true},  {17, true},  {17, true}, {13, true},
                 {13, true}, {13, true},  {13, true},  {20, false}, {36, false}};
    for (const calc::RevisionLine& l : lines) {
        std::vector<std::string> row{std::to_string(l.slot), l.name, yearMonthText(l.changeMonth),
                                     l.direction > 0 ? "昇給" : "降給"};
        for (const calc::SanteiMonth& m : l.months) {
            row.push_back(m.paid ? std::to_string(m.days) : std::string());
            row.push_back(m.paid ? amountCell(m.pay, plain) : std::string());
        }
        row.push_back(amountCell(l.result.average, plain));
        row.push_back(l.result.health ? gradeCell(l.result.grades.health) : "");
        row.push_back(l.result.pension ? gradeCell(l.result.grades.pension) : "");
        row.push_back(gradeCell(l.previous.health));
        row.push_back(gradeCell(l.previous.pension));
        row.push_back(yearMonthText(l.appliesFrom));
        row.push_back(revisionRemarks(l));
        t.rows.push_back(std::move(row));
    }
    t.notes = {
        "変動月から3か月の報酬（固定的・非固定的の全て）の平均で、2等級以上の差がある社員です。",
        "等級の空欄はその保険では改定されないことを示します。改定月の保険料から新しい等級です。"};
    return t;
}

TextTable bonusTable(const std::vector<calc::BonusLine>& lines, std::string company, int payDate,
                     bool plain) {
    TextTable t;
    t.title = "賞与支払届 一覧";
    t.subtitle = "支給日 " + dateText(payDate);
    t.company = std::move(company);
    t.headings = {"番号",       "氏名",         "支給日",     "賞与額", "標準賞与額",
                  "健保対象額", "健保年度累計", "厚年対象額", "備考"};
    t.columns = {{8, true},  {30, false}, {32, false}, {24, true}, {24, true},
                 {24, true}, {26, true},  {24, true},  {65, false}};
    for (const calc::BonusLine& l : lines) {
        const calc::BonusFigures& f = l.figures;
        std::string note;
        if (f.healthBase < f.standard) note += "健保年度上限573万円 ";
        if (f.pensionBase < f.standard) note += "厚年上限150万円";
        for (const auto& [mark, text] :
             {std::pair{l.over70, "70歳以上被用者"}, std::pair{l.premiumExempt, "保険料免除"}}) {
            if (!mark) continue;
            if (!note.empty() && note.back() != ' ') note += ' ';
            note += text;
        }
        t.rows.push_back({std::to_string(l.slot), l.name, dateText(f.date),
                          amountCell(f.paid, plain), amountCell(f.standard, plain),
                          amountCell(f.healthBase, plain), amountCell(f.healthYearTotal, plain),
                          amountCell(f.pensionBase, plain), note});
    }
    t.notes = {"標準賞与額は賞与額の千円未満を切り捨てた額です。健康保険は4月〜3月の累計573万円、",
               "厚生年金は1か月150万円が上限です。"};
    return t;
}

TextTable labourTable(const calc::LabourTotals& totals, const calc::LabourRates& rates,
                      std::string company, int fiscalYear, bool plain) {
    TextTable t;
    t.title = "確定保険料算定基礎賃金集計表";
    t.subtitle = std::to_string(fiscalYear) + "年4月〜" + std::to_string(fiscalYear + 1) + "年3月";
    t.company = std::move(company);
    t.unit = "行";
    t.headings = {"月", "常用労働者",   "人", "役員(労働者)", "人", "臨時労働者", "人", "労災計",
                  "人", "雇保被保険者", "人", "役員(雇保)",   "人", "雇保計",     "人"};
    for (std::size_t c = 0; c < t.headings.size(); ++c) {
        t.columns.push_back(c == 0       ? TextTableColumn{24, false}
                            : c % 2 == 1 ? TextTableColumn{27, true}
                                         : TextTableColumn{9, true});
    }
    const auto rowOf = [plain](const calc::LabourRow& r, const std::string& label) {
        std::vector<std::string> row{label};
        for (const calc::LabourCell* cell :
             {&r.regular, &r.director, &r.temporary, &r.accidentTotal, &r.insured,
              &r.insuredDirector, &r.employmentTotal}) {
            row.push_back(r.missing ? std::string() : amountCell(cell->wage, plain));
            row.push_back(r.missing ? std::string() : std::to_string(cell->count));
        }
        if (r.missing) row[1] = "データなし";
        return row;
    };
    for (const calc::LabourRow& r : totals.rows) t.rows.push_back(rowOf(r, r.label));
    t.rows.push_back(rowOf(totals.total, "合計"));
    t.notes = {"算定基礎額（千円未満切捨）  労災保険: " + amountCell(totals.accidentBase, false) +
                   "円   雇用保険: " + amountCell(totals.employmentBase, false) + "円",
               "確定保険料  労災保険 " + perMille(rates.accident) + ": " +
                   amountCell(totals.accidentPremium, false) + "円   雇用保険 " +
                   perMille(rates.employment) + ": " + amountCell(totals.employmentPremium, false) +
                   "円   一般拠出金 " + perMille(rates.levy) + ": " +
                   amountCell(totals.levy, false) + "円",
               "年間平均人数  労災保険: " + std::to_string(totals.accidentHeadcount) +
                   "人   雇用保険: " + std::to_string(totals.employmentHeadcount) + "人"};
    if (!totals.missingMonths.empty()) {
        std::string missing = "データのない月: ";
        for (const std::string& m : totals.missingMonths) missing += m + " ";
        t.notes.push_back(missing + "（集計に含まれていません）");
    }
    return t;
}

std::vector<std::string> labourRenewalNotes(const calc::LabourRenewal& r, int fiscalYear) {
    const std::string next = std::to_string(fiscalYear + 1) + "年度";
    const auto yen = [](std::int64_t amount) { return amountCell(amount, false) + "円"; };
    std::vector<std::string> notes;
    if (r.nextEstimate && r.nextRates) {
        const calc::LabourEstimate& e = *r.nextEstimate;
        notes.push_back(next + "概算保険料  労災保険 " + perMille(r.nextRates->accident) + " × " +
                        yen(e.accidentBase) + ": " + yen(e.accidentPremium) + "   雇用保険 " +
                        perMille(r.nextRates->employment) + " × " + yen(e.employmentBase) + ": " +
                        yen(e.employmentPremium) + "   計 " + yen(e.total()));
    } else {
        notes.push_back(next + "の雇用保険料率がないため、概算保険料は計算できません。");
    }
    if (!r.settlement) {
        notes.push_back(
            "申告済概算保険料が不明のため、精算できません（前年度のデータがありません）。");
        return notes;
    }
    const calc::LabourSettlement& s = *r.settlement;
    std::string settle =
        "精算  確定保険料 " + yen(s.confirmed) + " − 申告済概算保険料 " + yen(s.paid) + ": ";
    if (s.shortfall > 0) {
        settle += "不足額 " + yen(s.shortfall);
    } else if (s.surplus > 0) {
        settle += "超過額 " + yen(s.surplus) + "（充当 " + yen(s.credited) + "、還付 " +
                  yen(s.refund) + "）";
    } else {
        settle += "過不足なし";
    }
    notes.push_back(settle);
    if (r.nextEstimate) {
        notes.push_back("納付額（概算保険料 + 不足額 − 充当額 + 一般拠出金）: " + yen(s.payment));
    }
    return notes;
}

}  // namespace keiro::print
