// The main window's tabular reports: the per-employee pay ledger, the monthly list, the transfer
// list and the denomination table (and the roster, printed from the employee list), each through
// the shared print dialog, the ledger and the list also as CSV files; and beside the transfer
// list the bank's transfer file of the same people and amounts.

#include <QFileInfo>
#include <filesystem>

#include "core/entry.h"
#include "core/errors.h"
#include "core/year_view.h"
#include "payroll/main_window.h"
#include "payroll/tool_tray.h"
#include "print/denomination_report.h"
#include "print/ledger_report.h"
#include "print/list_period.h"
#include "print/monthly_list_report.h"
#include "print/period_caption.h"
#include "print/qt/dialog/print_dialog.h"
#include "print/resident_tax_list.h"
#include "print/roster_report.h"
#include "print/table_csv.h"
#include "print/transfer_list_report.h"
#include "print/zengin_file.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

namespace fs = std::filesystem;

constexpr const char* kZenginDialogTitle = "振込データの保存";
constexpr const char* kZenginDialogFilter = "振込データ (*.txt);;すべてのファイル (*)";
constexpr const char* kMsgZenginNotWritten = "振込データを作成できませんでした。";

constexpr const char* kMsgLedgerReadsTheFile =
    "変更内容を保存しないと社員別給与台帳に反映されません。";

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

fs::path pathOf(const QString& text) {
    return fs::path(text.toStdString());
}

}  // namespace

std::optional<fs::path> MainWindow::askCsvFile(QWidget* parent, const std::string& proposedName) {
    const fs::path proposed = context_.places.settingsFolder / proposedName;
    const std::optional<QString> chosen = context_.dialogs.saveFile(
        parent, qs(print::kCsvDialogTitle), QString::fromStdString(proposed.string()),
        qs(print::kCsvDialogFilter), qs(print::kCsvDefaultExtension));
    if (!chosen) return std::nullopt;
    return pathOf(*chosen);
}

bool MainWindow::mayWriteCsv(QWidget* parent, const fs::path& file) {
    if (!fs::exists(file)) return true;
    return context_.messages.confirm(parent, qs(print::csvOverwriteQuestion(file.string())));
}

void MainWindow::runReport(print::ReportMode mode, const QString& caption, print::ReportBuilder build,
                        print::ReportExport exportFiles) {
    print::PrintRequest request;
    request.mode = mode;
    request.caption = caption;
    request.buildReport = std::move(build);
    request.exportReport = std::move(exportFiles);
    printDialog().run(request);
}

void MainWindow::sbKyuyoDaichoClick() {
    tray_->closePanels();
    if (year_.period() == 0) return;
    // The ledger reads every period from the file on disk.
    const std::optional<bool> modified = isModified();
    if (!modified) return;
    if (*modified && !context_.messages.okCancel(this, QString::fromUtf8(kMsgLedgerReadsTheFile)))
        return;
    const std::vector<int> chosen = chooseEmployees(true);
    if (chosen.empty()) return;
    const auto buildLedger = [this, chosen] {
        const YearView view(year_.path());
        print::LedgerInput input{year_.block().settings.companyName.utf8(),
                                 EraYear{year_.eraName(), year_.eraYear()},
                                 print::ledgerEmployees(year_.block(), chosen), todayInJapan()};
        return std::make_unique<print::LedgerReport>(print::tableOptions(context_.settings), view,
                                                     std::move(input));
    };
    runReport(
        {print::ReportKind::Ledger, 99}, QStringLiteral("社員別給与台帳"),
        [buildLedger](const print::PrintChoices&) { return buildLedger(); },
        [this, buildLedger](QWidget* parent, const print::PrintChoices&) {
            const std::optional<fs::path> chosenFile =
                askCsvFile(parent, std::string(print::kLedgerCsvDefaultName));
            if (!chosenFile) return false;
            const std::unique_ptr<print::LedgerReport> ledger = buildLedger();
            for (int page = 1; page <= ledger->pageCount(); ++page) {
                const fs::path file = chosenFile->parent_path() /
                                      print::ledgerCsvFileName(ledger->employee(page),
                                                               chosenFile->filename().string());
                if (!mayWriteCsv(parent, file)) return false;
                print::writeCsvFile(file,
                                    print::ledgerCsv(*ledger, page, context_.settings.itemNames,
                                                     context_.settings.timeStyle));
            }
            context_.messages.information(parent, qs(print::kMsgLedgerCsvWritten));
            return true;
        });
}

void MainWindow::sbKyuyoIchiranClick() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    const int period = year_.period();
    const print::ListPeriod listPeriod = print::listPeriod(
        period, print::periodMonth(period, year_.header()),
        EraYear{year_.eraName(), year_.eraYear()}, context_.eraNames, context_.settings.itemNames);
    const auto buildList = [this, listPeriod](const print::PrintChoices& choices) {
        return std::make_unique<print::MonthlyListReport>(
            print::tableOptions(context_.settings), year_.block(),
            print::ListInput{listPeriod, choices.listMethod, todayInJapan()});
    };
    runReport(
        {print::ReportKind::MonthlyList, period}, QStringLiteral("月別給与/賞与一覧"), buildList,
        [this, buildList, listPeriod](QWidget* parent, const print::PrintChoices& choices) {
            const std::optional<fs::path> file =
                askCsvFile(parent, print::listCsvFileName(listPeriod));
            if (!file || !mayWriteCsv(parent, *file)) return false;
            print::writeCsvFile(
                *file, print::monthlyListCsv(*buildList(choices), context_.settings.timeStyle));
            context_.messages.information(parent, qs(print::kMsgListCsvWritten));
            return true;
        });
}

void MainWindow::sbFuriListClick() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    runReport({print::ReportKind::TransferList, 0}, QStringLiteral("給与/賞与振込一覧"),
              [this](const print::PrintChoices&) {
                  return std::make_unique<print::TransferListReport>(
                      year_.block(), print::periodCaption(year_, context_.settings.itemNames),
                      todayInJapan());
              },
              {});
}

void MainWindow::sbFuriDataClick() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    const print::ZenginFile file = print::buildPeriodZenginFile(
        year_.block(), year_.header(), EraYear{year_.eraName(), year_.eraYear()}, context_.eraNames,
        year_.period(), context_.settings.transfer);
    if (!file.ok()) {
        context_.messages.error(this, qs(print::zenginRefusalMessage(file)));
        return;
    }
    const fs::path proposed =
        context_.places.settingsFolder /
        print::zenginFileName(print::periodCaption(year_, context_.settings.itemNames));
    const std::optional<QString> chosen = context_.dialogs.saveFile(
        this, QString::fromUtf8(kZenginDialogTitle), QString::fromStdString(proposed.string()),
        QString::fromUtf8(kZenginDialogFilter), QStringLiteral("txt"));
    if (!chosen) return;
    try {
        print::writeZenginFile(pathOf(*chosen), file);
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(kMsgZenginNotWritten) + "\n" + e.what());
        return;
    }
    context_.messages.information(
        this, qs(print::kMsgZenginWritten) +
                  QStringLiteral("\n%1\n%2件  合計 %3円")
                      .arg(*chosen)
                      .arg(file.count)
                      .arg(QString::fromStdString(formatAmount(0, file.total))));
}

void MainWindow::sbKinsyuListClick() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    runReport({print::ReportKind::Denominations, 0}, QStringLiteral("給与/賞与支払金種表"),
              [this](const print::PrintChoices& choices) {
                  return std::make_unique<print::DenominationReport>(
                      year_.block(), print::periodCaption(year_, context_.settings.itemNames),
                      todayInJapan(), choices, context_.settings.use2000YenNotes);
              },
              {});
}

void MainWindow::sbJuuminListClick() {
    tray_->closePanels();
    if (year_.period() == 0 || !recalculatePeriod()) return;
    const std::string caption = print::periodCaption(year_, context_.settings.itemNames);
    runReport(
        {print::ReportKind::ResidentTax, 0}, QStringLiteral("住民税納付一覧"),
        [this, caption](const print::PrintChoices&) {
            return std::make_unique<print::TextTableReport>(
                print::residentTaxTable(print::residentTaxList(year_.block()),
                                        year_.block().settings.companyName.utf8(), caption, false),
                todayInJapan());
        },
        [this, caption](QWidget* parent, const print::PrintChoices&) {
            const std::optional<fs::path> file =
                askCsvFile(parent, print::residentTaxCsvFileName(caption));
            if (!file || !mayWriteCsv(parent, *file)) return false;
            print::writeCsvFile(*file,
                                print::residentTaxCsv(print::residentTaxList(year_.block())));
            context_.messages.information(parent, qs(print::kMsgResidentTaxCsvWritten));
            return true;
        });
}

void MainWindow::printRoster() {
    runReport({print::ReportKind::Roster, 0}, QStringLiteral("社員名簿一覧表"),
              [this](const print::PrintChoices&) {
                  return std::make_unique<print::RosterReport>(
                      year_.block(), context_.settings.itemNames, todayInJapan());
              },
              {});
}

}  // namespace keiro::payroll
