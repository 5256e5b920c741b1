// Every figure of a full 源泉徴収票 stays clear of the form's rules: the largest amounts each
// field takes, drawn on the slip and the payment report of the current and the 2022 form, keep
// 0.3 mm from every ruled line beside them.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/withholding_print/document_fixture.h"
#include "withholding/print/document_report.h"

namespace keiro::withholding {
namespace {

constexpr int kClearance = 3;  // 0.3 mm at ten pixels a millimetre

struct Rule {
    int x, top, bottom;
};

struct Figure {
    std::string text;
    int left, right, top, height;
};

bool isFigure(const std::string& text) {
    const bool digits =
        std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || c == ',' || c == ' ' || c == '-';
           });
}

// The vertical rules and the figures of a recording; a figure's ink runs from its first to its
// last non-blank character, each half as wide as the type is high.
void read(const std::string& recording, std::vector<Rule>& rules, std::vector<Figure>& figures) {
    std::istringstream lines(recording);
    int height = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "font") {
            std::istringstream rest(line.substr(line.rfind('"') + 1));
            rest >> height;
        } else if (kind == "line" || kind == "box") {
            int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            fields >> x1 >> y1 >> x2 >> y2;
            if (kind == "box") {
                rules.push_back({x1, std::min(y1, y2), std::max(y1, y2)});
                rules.push_back({x2, std::min(y1, y2), std::max(y1, y2)});
            } else if (x1 == x2) {
                rules.push_back({x1, std::min(y1, y2), std::max(y1, y2)});
            }
        } else if (kind == "text") {
            int x = 0, y = 0;
            fields >> x >> y;
            const std::string text =
                line.substr(line.find('"') + 1, line.rfind('"') - line.find('"') - 1);
            if (!isFigure(text)) continue;
            const auto first = text.find_first_not_of(' ');
            const auto last = text.find_last_not_of(' ');
            const int pitch = height / 2;
            figures.push_back({text, x + static_cast<int>(first) * pitch,
                               x + static_cast<int>(last + 1) * pitch, y, height});
        }
    }
}

TEST(FigureClearanceTest, TheLargestFiguresKeepClearOfTheRules) {
    const std::pair<const char*, int> years[] = {{"令和", 4}, {"令和", 8}};
    for (const auto& [eraName, eraYear] : years) {
        testing::DocumentYear year(eraName, eraYear);
        year.addEmployee(1, "山田 太郎");
        WithholdingRecord& r = year.record(1);
        testing::fillTypicalRecord(r);
        for (std::int32_t* amount :
             {&r.paid, &r.incomeAfterDeduction, &r.totalDeductions, &r.annualTax,
              &r.socialInsurance, &r.lifeInsurance, &r.earthquakeInsurance, &r.housingLoanCredit,
              &r.lifeNew, &r.lifeOld, &r.medicalCare, &r.pensionNew, &r.pensionOld,
              &r.housingLoanAvailable, &r.housingLoanBalance[0], &r.housingLoanBalance[1],
              &r.nationalPension, &r.oldLongTermInsurance, &r.smallBusinessMutualAid})
            *amount = 999'999'999;
        r.spouseSpecial = 999'999;
        r.spouseIncome = 999'999;
        for (const DocumentKind kind : {DocumentKind::Slip, DocumentKind::PaymentReport}) {
            SCOPED_TRACE(::testing::Message() << eraName << eraYear << " kind " << int(kind));
            const auto report = makeDocumentReport(year.source, {1}, kind);
            std::vector<Rule> rules;
            std::vector<Figure> figures;
            read(testing::drawn(*report, 1), rules, figures);
            ASSERT_GT(figures.size(), 20u);
            for (const Figure& f : figures) {
                const int middle = f.top + f.height / 2;
                for (const Rule& rule : rules) {
                    if (middle < rule.top || middle > rule.bottom) continue;
                    EXPECT_TRUE(rule.x <= f.left - kClearance || rule.x >= f.right + kClearance)
                        << '"' << f.text << "\" from " << f.left << " to " << f.right << " at y "
                        << f.top << " meets the rule at x " << rule.x;
                }
            }
        }
    }
}

}  // namespace
}  // namespace keiro::withholding
