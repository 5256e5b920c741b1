// The main window's print commands: the employees to print are chosen in the employee list,
// then the shared print dialog prints, previews or exports the report.

#include <QDialog>

#include "payroll/employee_list_window.h"
#include "payroll/main_window.h"
#include "payroll/tool_tray.h"
#include "print/pay_date.h"
#include "print/pay_slip_report.h"
#include "print/pictures.h"
#include "print/qt/dialog/print_dialog.h"
#include "print/qt/picture_export.h"
#include "widgets/folder_window.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr const char* kPictureFolderTitle = "明細書を画像として保存する場所を指定";

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

print::PrintDialog& MainWindow::printDialog() {
    if (!printDialog_) {
        printDialog_ = std::make_unique<print::PrintDialog>(
            print::PrintServices{context_.messages, context_.dialogs, context_.ini,
                                 context_.settings},
            this);
    }
    return *printDialog_;
}

std::vector<int> MainWindow::chooseEmployees(bool ledger) {
    EmployeeListWindow chooser(
        this, employeeListContext(),
        ledger ? EmployeeListWindow::Mode::ChooseLedger : EmployeeListWindow::Mode::ChoosePaySlips);
    if (chooser.exec() != QDialog::Accepted) return {};
    return chooser.chosenSlots();
}

print::SlipPeriod MainWindow::slipPeriod() const {
    return print::SlipPeriod{&year_.block(),    &year_.header(),
                             year_.period(),    EraYear{year_.eraName(), year_.eraYear()},
                             context_.eraNames, &context_.settings.itemNames,
                             &layoutTables_,    &context_.settings};
}

void MainWindow::sbMeisaihyoClick() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    const std::vector<int> chosen = chooseEmployees(false);
    if (chosen.empty()) return;
    const bool bonus = year_.period() >= kFirstBonusPeriod;

    print::PrintRequest request;
    request.mode = {print::ReportKind::PaySlips, 99};
    request.caption = bonus ? QStringLiteral("賞与明細書") : QStringLiteral("給与明細書");
    request.buildReport = [this, chosen](const print::PrintChoices& choices) {
        return std::make_unique<print::PaySlipReport>(slipPeriod(), chosen, year_.path(), choices);
    };
    request.exportReport = [this, chosen](QWidget* parent, const print::PrintChoices& choices) {
        const std::optional<QString> folder =
            chooseFolder_(parent, QString::fromUtf8(kPictureFolderTitle));
        if (!folder) return false;
        const print::PaySlipReport report(slipPeriod(), chosen, year_.path(), choices);
        print::writePictures(report, folder->toStdString());
        context_.messages.information(
            parent, qs(print::kMsgPicturesSaved).replace(QStringLiteral("%s"), *folder));
        return true;
    };
    request.exportEmployeePdfs = [this, chosen](QWidget* parent,
                                                const print::PrintChoices& choices) {
        return exportEmployeePdfs(parent, chosen, choices);
    };
    request.payDate = print::proposedPayDate(
        EraYear{year_.eraName(), year_.eraYear()}, context_.eraNames, year_.period(),
        year_.header(), year_.block().settings, eraDateOf(todayInJapan()).eraYear);
    printDialog().run(request);
}

}  // namespace keiro::payroll
