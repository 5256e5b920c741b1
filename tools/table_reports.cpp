#include "tools/table_reports.h"

#include "core/year_view.h"
#include "print/list_period.h"
#include "print/table_rows.h"
#include "tools/args.h"

namespace keiro::tool {

print::ListMethod listMethodFrom(const Args& args) {
    if (!args.option("method")) return print::ListMethod::Normal;
    switch (args.requiredInt("method", 0, 2)) {
        case 1:
            return print::ListMethod::ByCategory;
        case 2:
            return print::ListMethod::ByDepartment;
        default:
            return print::ListMethod::Normal;
    }
}

print::MonthlyListReport monthlyListReport(const SavedPeriod& saved, print::ListMethod method) {
    const print::ListPeriod period =
        print::listPeriod(saved.period, print::periodMonth(saved.period, saved.header),
                          saved.fileYear, saved.eraNames, saved.settings.itemNames);
    return print::MonthlyListReport(print::tableOptions(saved.settings), *saved.block,
                                    {period, method, todayInJapan()});
}

print::LedgerReport ledgerReport(const SavedPeriod& saved, const std::vector<int>& chosen) {
    return print::LedgerReport(print::tableOptions(saved.settings), YearView(saved.file),
                               {saved.block->settings.companyName.utf8(), saved.fileYear,
                                print::ledgerEmployees(*saved.block, chosen), todayInJapan()});
}

}  // namespace keiro::tool
