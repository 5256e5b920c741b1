#include "print/santei_rows.h"

namespace keiro::print {

std::vector<std::string> santeiHeadings() {
    return {"番号",     "氏名",     "4月日数",      "4月報酬",      "5月日数", "5月報酬",
            "6月日数",  "6月報酬",  "算定月",       "合計",         "平均額",  "修正平均額",
            "健保等級", "年金等級", "従前健保等級", "従前年金等級", "備考"};
}

namespace {

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        if (!text.empty()) text += ' ';
        text += part;
    }
    return text;
}

std::string monthDay(int yyyymmdd) {
    return std::to_string(yyyymmdd / 100 % 100) + "/" + std::to_string(yyyymmdd % 100);
}

}  // namespace

std::string santeiRemarks(const calc::SanteiLine& line) {
    std::vector<std::string> parts;
    if (line.raiseMonth > 0) {
        parts.push_back(std::to_string(line.raiseMonth) + "月" +
                        (line.raiseDirection > 0 ? "昇給" : "降給"));
    }
    if (line.backPay > 0) {
        parts.push_back("遡及" + std::to_string(line.backPayMonth) + "月" +
                        amountCell(line.backPay, false));
    }
    if (line.frequentBonusShare > 0) {
        parts.push_back("賞与÷12 " + amountCell(line.frequentBonusShare, false));
    }
    // The codes of the form's 備考, in its order.
    if (line.over70) parts.push_back("70歳以上被用者算定");
    if (line.revisionExpected) parts.push_back("月額変更予定");
    if (line.insuredSince > 0) parts.push_back("途中入社(" + monthDay(line.insuredSince) + ")");
    if (line.onLeave) parts.push_back("病休・育休・休職等");
    if (line.rule == calc::DayRule::ShortTime) parts.push_back("短時間労働者");
    if (line.rule == calc::DayRule::PartTime) parts.push_back("パート");
    if (line.annualAverage) parts.push_back("年間平均");
    return joined(parts);
}

std::vector<std::string> santeiRow(const calc::SanteiLine& line, bool plain) {
    std::vector<std::string> row(kSanteiColumnCount);
    const auto at = [&row](SanteiColumn c) -> std::string& {
        return row[static_cast<std::size_t>(c)];
    };
    at(SanteiColumn::Slot) = std::to_string(line.slot);
    at(SanteiColumn::Name) = line.name;
    const bool reported = line.excluded == calc::SanteiExclusion::None;
    const calc::SanteiResult& r = line.result;
    std::string counted;
    for (std::size_t k = 0; k < 3; ++k) {
        const calc::SanteiMonth& m = line.months[k];
        const auto column = static_cast<int>(SanteiColumn::Days4) + 2 * static_cast<int>(k);
        if (m.paid) {
            row[static_cast<std::size_t>(column)] = std::to_string(m.days);
            row[static_cast<std::size_t>(column + 1)] = amountCell(m.pay, plain);
        }
        if (reported && r.counted[k]) {
            counted += (counted.empty() ? "" : "・") + std::to_string(m.month);
        }
    }
    at(SanteiColumn::OldHealth) = gradeCell(line.previous.health);
    at(SanteiColumn::OldPension) = gradeCell(line.previous.pension);
    const std::string remarks = santeiRemarks(line);
    if (!reported) {
        at(SanteiColumn::Note) = joined({calc::exclusionText(line.excluded), remarks});
        return row;
    }
    at(SanteiColumn::Counted) = counted;
    if (!r.keepPrevious) {
        at(SanteiColumn::Total) = amountCell(r.total, plain);
        at(SanteiColumn::Average) = amountCell(r.average, plain);
    }
    if (r.adjusted > 0) at(SanteiColumn::Adjusted) = amountCell(r.adjusted, plain);
    at(SanteiColumn::NewHealth) = gradeCell(r.grades.health);
    at(SanteiColumn::NewPension) = gradeCell(r.grades.pension);
    at(SanteiColumn::Note) = joined({r.keepPrevious ? "従前" : "", remarks});
    return row;
}

std::vector<std::vector<std::string>> santeiTable(const std::vector<calc::SanteiLine>& lines,
                                                  bool plain) {
    std::vector<std::vector<std::string>> table{santeiHeadings()};
    for (const calc::SanteiLine& line : lines) table.push_back(santeiRow(line, plain));
    return table;
}

TextTable santeiReportTable(const std::vector<calc::SanteiLine>& lines, std::string company,
                            int calendarYear) {
    TextTable t;
    t.title = "算定基礎届 一覧";
    t.subtitle = std::to_string(calendarYear) + "年4月〜6月の報酬  (" +
                 std::to_string(calendarYear) + "年9月から適用)";
    t.company = std::move(company);
    t.headings = santeiHeadings();
    const float day = 9, money = 17, grade = 12;
    t.columns = {{8, true},     {28, false},   {day, true},   {money, true}, {day, true},
                 {money, true}, {day, true},   {money, true}, {14, false},   {19, true},
                 {money, true}, {money, true}, {grade, true}, {grade, true}, {grade, true},
                 {grade, true}, {48, false}};
    for (const calc::SanteiLine& line : lines) t.rows.push_back(santeiRow(line));
    t.notes = {
        "日数は支払基礎日数、報酬は社会保険の対象となる支給額（通勤手当を含む）です。",
        "算定月は平均に含めた月です。従前：算定の対象となる月がなく、従前の等級を継続します。"};
    return t;
}

std::string santeiCsvFileName(int calendarYear) {
    return "算定基礎届" + std::to_string(calendarYear) + ".csv";
}

}  // namespace keiro::print
