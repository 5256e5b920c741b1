#include "print/money_table_report.h"

#include <algorithm>
#include <utility>

#include "print/page_count.h"
#include "print/report_heading.h"

namespace keiro::print {

MoneyTableReport::MoneyTableReport(const PeriodBlock& block, PaidBy paidBy,
                                   std::string periodCaption, std::chrono::year_month_day printDate)
    : employees_(paidEmployees(block, paidBy)),
      company_(block.settings.companyName.utf8()),
      periodCaption_(std::move(periodCaption)),
      printDate_(printDateText(printDate)) {}

int MoneyTableReport::pageCount() const {
    return transferPages(static_cast<int>(employees_.size()));
}

std::string MoneyTableReport::countText() const {
    return pagesAndPeopleText(pageCount(), static_cast<int>(employees_.size()));
}

PaperChoice MoneyTableReport::paper() const {
    return {Paper::A4, Orientation::Landscape};
}

DocumentInfo MoneyTableReport::documentInfo() const {
    return {std::string(layout().title) + " " + periodCaption_, company_};
}

void MoneyTableReport::drawPage(Canvas& canvas, int page, const PageOptions& /*options*/) const {
    const int pages = pageCount();
    drawMoneyTableFrame(canvas, layout(), {company_, periodCaption_, printDate_, page, pages});
    const int count = static_cast<int>(employees_.size());
    const int first = (page - 1) * kMoneyRowsPerPage;
    const int end = std::min(first + kMoneyRowsPerPage, count);
    for (int i = std::max(first, 0); i < end; ++i) {
        drawRow(canvas, employees_[static_cast<std::size_t>(i)], moneyRowTextY(i - first + 1));
    }
    if (page == pages) drawLastPageEnd(canvas);
}

}  // namespace keiro::print
