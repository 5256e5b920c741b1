// 所得税徴収高計算書: the figures of the withheld tax's payment for a month or a half-year, read
// from the saved periods of the year file (and December's salary paid in January from last
// year's), printed through the print dialog or written as CSV.

#include <memory>

#include "core/errors.h"
#include "payroll/main_window.h"
#include "payroll/tax_payment_chooser.h"
#include "payroll/tool_tray.h"
#include "print/qt/dialog/print_dialog.h"
#include "print/table_csv.h"
#include "print/tax_payment_report.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr const char* kMsgReadsTheFile =
    "変更内容を保存しないと所得税徴収高計算書に反映されません。";
constexpr const char* kMsgCsvWritten = "所得税徴収高計算書をCSVファイルに出力しました。";

}  // namespace

void MainWindow::sbChoshudakaClick() {
    tray_->closePanels();
    if (year_.period() == 0) return;
    // The figures read every period from the file on disk.
    const std::optional<bool> modified = isModified();
    if (!modified) return;
    if (*modified && !context_.messages.okCancel(this, QString::fromUtf8(kMsgReadsTheFile))) return;
    TaxPaymentChooser chooser(this);
    chooser.setChoice(
        proposedTaxPaymentChoice(year_.period(), year_.header(), year_.block().settings));
    if (chooser.exec() != QDialog::Accepted) return;

    const print::TaxPaymentFiles files =
        print::TaxPaymentFiles::open(year_.path(), year_.eraNames(), chooser.choice());
    const auto figures = std::make_shared<const print::TaxPaymentFigures>(files.figures());
    print::TaxPaymentHeading heading{year_.block().settings.companyName.utf8(),
                                     year_.block().settings.corporateNumber, todayInJapan()};
    if (const PeriodSettings* company = files.company()) {
        heading.company = company->companyName.utf8();
        heading.corporateNumber = company->corporateNumber;
    }
    runReport(
        {print::ReportKind::SocialList, 0}, QStringLiteral("所得税徴収高計算書"),
        [figures, heading](const print::PrintChoices&) {
            return std::make_unique<print::TaxPaymentReport>(*figures, heading);
        },
        [this, figures](QWidget* parent, const print::PrintChoices&) {
            const std::optional<std::filesystem::path> file =
                askCsvFile(parent, print::taxPaymentCsvFileName(figures->span));
            if (!file || !mayWriteCsv(parent, *file)) return false;
            print::writeCsvFile(*file, print::taxPaymentCsv(*figures));
            context_.messages.information(parent, QString::fromUtf8(kMsgCsvWritten));
            return true;
        });
}

}  // namespace keiro::payroll
