#include "print/monthly_list_report.h"

#include <cstdio>

#include "core/text.h"
#include "print/fitted_text.h"
#include "print/raised_layout.h"
#include "print/report_heading.h"
#include "print/table_frame.h"

namespace keiro::print {
namespace {

// Ten employee columns 25.5 mm wide from x 35 up to 290 mm.
constexpr float kColumnWidth = 25.5f;
constexpr TableGeometry kTable{35.0f, kColumnWidth, kListColumns, 290.0f, 9.0f};
constexpr int kMemberAmountWidth = 9;
constexpr int kTotalAmountWidth = 10;
// Names start 0.5 mm into a column, figures 5 mm; both keep clear of the column's right line.
constexpr float kNameInset = 0.5f;
constexpr float kNameWidth = kColumnWidth - 1.0f;
constexpr float kValueInset = 5.0f;
constexpr float kValueWidth = kColumnWidth - kValueInset - 0.5f;
// The group's name between the title and the print date.
constexpr float kGroupNameWidth = 31.5f;

std::vector<std::string> columnTexts(const std::vector<TableRow>& rows,
                                     const std::vector<CellValue>& values, int amountWidth,
                                     TimeStyle style) {
    std::vector<std::string> texts(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        texts[i] = cellText(rows[i], values[i], amountWidth, style);
    }
    return texts;
}

// The list carries 年調過不足 when an employee of the period has one.
TableOptions withSettlementRow(TableOptions options, const PeriodBlock& block) {
    options.settlementRow = options.settlementRow || holdsSettlement(block);
    return options;
}

}  // namespace

MonthlyListReport::MonthlyListReport(const TableOptions& options, const PeriodBlock& block,
                                     ListInput input)
    : options_(options),
      input_(std::move(input)),
      companyName_(block.settings.companyName.utf8()),
      printDate_(printDateText(input_.printDate)),
      rows_(tableRows(withSettlementRow(options, block))) {
    const std::vector<ListGroup> groups = listGroups(block, input_.method);
    for (const ListGroup& group : groups) {
        ListedGroup listed{text::fromCp932(group.name),
                           group.name,
                           group.named,
                           {},
                           std::vector<CellValue>(rows_.size())};
        for (const int slot : group.memberSlots) {
            const EmployeeRecord& employee = block.employee(slot);
            ListMember member{employee.name.utf8(), std::string(employee.name.bytes()),
                              columnValues(rows_, block, slot)};
            addColumn(listed.total, member.values);
            listed.members.push_back(std::move(member));
        }
        groups_.push_back(std::move(listed));
    }
    pages_ = listPages(groups);
}

int MonthlyListReport::employeeCount() const {
    int count = 0;
    for (const ListedGroup& group : groups_) count += static_cast<int>(group.members.size());
    return count;
}

std::string MonthlyListReport::countText() const {
    char text[64];
    std::snprintf(text, sizeof text, " %2d枚 [%d名、", pageCount(), employeeCount());
    return text + listPeriodName(input_.period) + "]";
}

PaperChoice MonthlyListReport::paper() const {
    return paperFor(ReportKind::MonthlyList, 0);
}

void MonthlyListReport::drawPage(Canvas& canvas, int page, const PageOptions&) const {
    if (page < 1 || page > pageCount()) return;
    const ListPage& listPage = pages_[static_cast<std::size_t>(page - 1)];
    canvas.setFont(FontInfo{});
    drawHeading(canvas, page, groups_[static_cast<std::size_t>(listPage.group)]);
    drawTable(canvas, listPage);
}

DocumentInfo MonthlyListReport::documentInfo() const {
    // The printed title is letter-spaced ("12 月 分 給 与 一 覧"); the file's reads plainly.
    std::string title = listTitle(input_.period);
    std::erase(title, ' ');
    return {title, companyName_};
}

void MonthlyListReport::drawHeading(Canvas& canvas, int page, const ListedGroup& group) const {
    const RaisedLayout raised(canvas, kHeadingRaiseMm);
    print::drawHeading(canvas, companyName_, printDate_, {220.0f, 260.0f}, page, pageCount());
    if (group.named) putTextWithin(canvas, "[" + group.name + "]", 187, 21.5f, kGroupNameWidth);
    canvas.setFontPt(16);
    canvas.putText(listTitle(input_.period), 100, 20);
}

void MonthlyListReport::drawTable(Canvas& canvas, const ListPage& page) const {
    const RaisedLayout raised(canvas, kTableRaiseMm);
    drawTableFrame(canvas, static_cast<int>(rows_.size()), kTable);
    drawRowLabels(canvas, rows_, kTable);

    const ListedGroup& group = groups_[static_cast<std::size_t>(page.group)];
    FontInfo font;
    font.sizeMm = pointsToMm(kTable.fontPt);
    for (int c = 0; c < page.members; ++c) {
        const ListMember& member = group.members[static_cast<std::size_t>(page.firstMember + c)];
        font.narrow = true;
        canvas.setFont(font);
        putTextWithin(canvas, member.name, kTable.columnX(c) + kNameInset, kTableTop + 0.5f,
                      kNameWidth);
        font.narrow = false;
        canvas.setFont(font);
        drawColumnTexts(canvas,
                        columnTexts(rows_, member.values, kMemberAmountWidth, options_.timeStyle),
                        kTable.columnX(c) + kValueInset, kValueWidth);
    }
    if (!page.hasTotal) return;
    canvas.setFont(font);
    drawColumnTexts(canvas, columnTexts(rows_, group.total, kTotalAmountWidth, options_.timeStyle),
                    kTable.columnX(page.members) + kValueInset, kValueWidth);
    font.bold = true;
    canvas.setFont(font);
    canvas.putText("　合　計", kTable.columnX(page.members) + kNameInset, kTableTop + 0.5f);
}

}  // namespace keiro::print
