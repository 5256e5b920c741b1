#include "payroll/report_printing.h"

#include <QDialog>
#include <QFileInfo>
#include <filesystem>

#include "core/bank_calendar.h"
#include "core/entry.h"
#include "core/errors.h"
#include "core/year_view.h"
#include "payroll/employee_pdfs.h"
#include "payroll/open_period_context.h"
#include "payroll/tax_payment_chooser.h"
#include "payroll/zengin_date_dialog.h"
#include "print/denomination_report.h"
#include "print/ledger_report.h"
#include "print/list_period.h"
#include "print/monthly_list_report.h"
#include "print/pay_date.h"
#include "print/pay_slip_report.h"
#include "print/period_caption.h"
#include "print/pictures.h"
#include "print/qt/dialog/print_dialog.h"
#include "print/qt/picture_export.h"
#include "print/resident_tax_list.h"
#include "print/roster_report.h"
#include "print/table_csv.h"
#include "print/tax_payment_report.h"
#include "print/text_table_report.h"
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
constexpr const char* kPictureFolderTitle = "明細書を画像として保存する場所を指定";
constexpr const char* kMsgTaxPaymentCsvWritten = "所得税徴収高計算書をCSVファイルに出力しました。";

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

fs::path pathOf(const QString& text) {
    return fs::path(text.toStdString());
}

}  // namespace

ReportPrinting::ReportPrinting(const OpenPeriodContext& period, EmployeePdfs& pdfs,
                               std::function<std::vector<int>(bool ledger)> chooseEmployees)
    : period_(period),
      context_(period.program),
      year_(period.year),
      pdfs_(pdfs),
      chooseEmployees_(std::move(chooseEmployees)) {}

ReportPrinting::~ReportPrinting() = default;

print::SlipPeriod slipPeriodOf(const OpenPeriodContext& period) {
    const YearData& year = period.year;
    const MainContext& context = period.program;
    return print::SlipPeriod{&year.block(),        &year.header(),
                             year.period(),        EraYear{year.eraName(), year.eraYear()},
                             context.eraNames,     &context.settings.itemNames,
                             &period.layoutTables, &context.settings};
}

print::PrintDialog& ReportPrinting::printDialog() {
    if (!printDialog_) {
        printDialog_ = std::make_unique<print::PrintDialog>(
            print::PrintServices{context_.messages, context_.dialogs, context_.ini,
                                 context_.settings},
            period_.window);
    }
    return *printDialog_;
}

void ReportPrinting::printPaySlips() {
    period_.closePanels();
    if (year_.period() == 0 || !period_.recalculate()) return;
    const std::vector<int> chosen = chooseEmployees_(false);
    if (chosen.empty()) return;
    const bool bonus = year_.period() >= kFirstBonusPeriod;

    print::PrintRequest request;
    request.mode = {print::ReportKind::PaySlips, 99};
    request.caption = bonus ? QStringLiteral("賞与明細書") : QStringLiteral("給与明細書");
    request.buildReport = [this, chosen](const print::PrintChoices& choices) {
        return std::make_unique<print::PaySlipReport>(slipPeriodOf(period_), chosen, year_.path(),
                                                      choices);
    };
    request.exportReport = [this, chosen](QWidget* parent, const print::PrintChoices& choices) {
        const std::optional<QString> folder =
            period_.chooseFolder(parent, QString::fromUtf8(kPictureFolderTitle));
        if (!folder) return false;
        const print::PaySlipReport report(slipPeriodOf(period_), chosen, year_.path(), choices);
        print::writePictures(report, folder->toStdString());
        context_.messages.information(
            parent, qs(print::kMsgPicturesSaved).replace(QStringLiteral("%s"), *folder));
        return true;
    };
    request.exportEmployeePdfs = [this, chosen](QWidget* parent,
                                                const print::PrintChoices& choices) {
        return pdfs_.write(parent, chosen, choices);
    };
    request.payDate = print::proposedPayDate(
        EraYear{year_.eraName(), year_.eraYear()}, context_.eraNames, year_.period(),
        year_.header(), year_.block().settings, eraDateOf(todayInJapan()).eraYear);
    printDialog().run(request);
}

std::optional<fs::path> ReportPrinting::askCsvFile(QWidget* parent,
                                                   const std::string& proposedName) {
    const fs::path proposed = context_.places.settingsFolder / proposedName;
    const std::optional<QString> chosen = context_.dialogs.saveFile(
        parent, qs(print::kCsvDialogTitle), QString::fromStdString(proposed.string()),
        qs(print::kCsvDialogFilter), qs(print::kCsvDefaultExtension));
    if (!chosen) return std::nullopt;
    return pathOf(*chosen);
}

bool ReportPrinting::mayWriteCsv(QWidget* parent, const fs::path& file) {
    if (!fs::exists(file)) return true;
    return context_.messages.confirm(parent, qs(print::csvOverwriteQuestion(file.string())));
}

void ReportPrinting::runReport(print::ReportMode mode, const QString& caption,
                               print::ReportBuilder build, print::ReportExport exportFiles) {
    print::PrintRequest request;
    request.mode = mode;
    request.caption = caption;
    request.buildReport = std::move(build);
    request.exportReport = std::move(exportFiles);
    printDialog().run(request);
}

void ReportPrinting::printTextTable(print::TextTable table) {
    const QString caption = QString::fromStdString(table.title);
    runReport({print::ReportKind::SocialList, 0}, caption,
              [table = std::move(table)](const print::PrintChoices&) {
                  return std::make_unique<print::TextTableReport>(table, todayInJapan());
              },
              {});
}

void ReportPrinting::writeCsvTable(QWidget* parent, const std::string& proposedName,
                                   const std::string& content) {
    const std::optional<std::filesystem::path> file = askCsvFile(parent, proposedName);
    if (!file || !mayWriteCsv(parent, *file)) return;
    print::writeCsvFile(*file, content);
    context_.messages.information(parent, QStringLiteral("CSVファイルに出力しました。"));
}

void ReportPrinting::printLedger() {
    // The ledger reads every period from the file on disk.
    if (!period_.mayReadSavedFile("社員別給与台帳")) return;
    const std::vector<int> chosen = chooseEmployees_(true);
    if (chosen.empty()) return;
    const auto buildLedger = [this, chosen] {
        // Figures, names and company all as the file has them.
        const YearView view(year_.path());
        print::LedgerInput input{
            print::ledgerCompanyAsSaved(year_.block(), view, year_.period()),
            EraYear{year_.eraName(), year_.eraYear()},
            print::ledgerEmployeesAsSaved(year_.block(), chosen, view, year_.period()),
            todayInJapan()};
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

void ReportPrinting::printMonthlyList() {
    period_.closePanels();
    if (year_.period() == 0 || !period_.recalculate()) return;
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

void ReportPrinting::printTransferList() {
    period_.closePanels();
    if (year_.period() == 0 || !period_.recalculate()) return;
    runReport({print::ReportKind::TransferList, 0}, QStringLiteral("給与/賞与振込一覧"),
              [this](const print::PrintChoices&) {
                  const EraYear fileYear{year_.eraName(), year_.eraYear()};
                  return std::make_unique<print::TransferListReport>(
                      year_.block(), print::periodCaption(year_, context_.settings.itemNames),
                      print::periodPayDate(year_.header(), year_.block().settings, fileYear,
                                           context_.eraNames, year_.period())
                          .value_or(todayInJapan()));
              },
              {});
}

void ReportPrinting::writeTransferFile() {
    period_.closePanels();
    if (year_.period() == 0 || !period_.recalculate()) return;
    std::optional<BankCalendar> calendar;
    try {
        calendar = loadBankCalendar(context_.places);
    } catch (const std::runtime_error& e) {  // IoError too
        context_.messages.error(period_.window,
                                QString::fromUtf8(kMsgZenginNotWritten) + "\n" + e.what());
        return;
    }
    const EraYear fileYear{year_.eraName(), year_.eraYear()};
    const auto build = [&](std::optional<CalendarDate> date) {
        return print::buildPeriodZenginFile(year_.block(), year_.header(), fileYear,
                                            context_.eraNames, year_.period(),
                                            context_.settings.transfer, *calendar, date);
    };
    print::ZenginFile file = build(std::nullopt);
    const std::optional<print::ZenginDate> proposal =
        print::proposedZenginDate(year_.header(), year_.block().settings, fileYear,
                                  context_.eraNames, year_.period(), *calendar);
    if (!file.ok() || !proposal) {
        context_.messages.error(period_.window, qs(print::zenginRefusalMessage(file)));
        return;
    }
    ZenginDateDialog dateDialog(period_.window, *calendar, context_.messages);
    dateDialog.propose(*proposal);
    if (dateDialog.exec() != QDialog::Accepted) return;
    const CalendarDate date = dateDialog.date();
    file = build(date);
    if (!file.ok()) {
        context_.messages.error(period_.window, qs(print::zenginRefusalMessage(file)));
        return;
    }

    const fs::path proposed =
        context_.places.settingsFolder /
        print::zenginFileName(print::periodCaption(year_, context_.settings.itemNames));
    const std::optional<QString> chosen =
        context_.dialogs.saveFile(period_.window, QString::fromUtf8(kZenginDialogTitle),
                                  QString::fromStdString(proposed.string()),
                                  QString::fromUtf8(kZenginDialogFilter), QStringLiteral("txt"));
    if (!chosen) return;
    try {
        print::writeZenginFile(pathOf(*chosen), file);
    } catch (const IoError& e) {
        context_.messages.error(period_.window,
                                QString::fromUtf8(kMsgZenginNotWritten) + "\n" + e.what());
        return;
    }
    QString done =
        qs(print::kMsgZenginWritten) + QStringLiteral("\n%1\n%2件  合計 %3円\n取組日 %4")
                                           .arg(*chosen)
                                           .arg(file.count)
                                           .arg(QString::fromStdString(formatAmount(0, file.total)))
                                           .arg(qs(japaneseDate(date)));
    if (const std::string note = print::zenginNegativePayNote(file); !note.empty())
        done += "\n\n" + qs(note);
    context_.messages.information(period_.window, done);
}

void ReportPrinting::printDenominations() {
    period_.closePanels();
    if (year_.period() == 0 || !period_.recalculate()) return;
    runReport({print::ReportKind::Denominations, 0}, QStringLiteral("給与/賞与支払金種表"),
              [this](const print::PrintChoices& choices) {
                  return std::make_unique<print::DenominationReport>(
                      year_.block(), print::periodCaption(year_, context_.settings.itemNames),
                      todayInJapan(), choices, context_.settings.use2000YenNotes);
              },
              {});
}

void ReportPrinting::printResidentTaxList() {
    period_.closePanels();
    if (year_.period() == 0 || !period_.recalculate()) return;
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

void ReportPrinting::printRoster() {
    runReport({print::ReportKind::Roster, 0}, QStringLiteral("社員名簿一覧表"),
              [this](const print::PrintChoices&) {
                  return std::make_unique<print::RosterReport>(
                      year_.block(), context_.settings.itemNames, todayInJapan());
              },
              {});
}

void ReportPrinting::printTaxPayment() {
    // The figures read every period from the file on disk.
    if (!period_.mayReadSavedFile("所得税徴収高計算書")) return;
    TaxPaymentChooser chooser(period_.window);
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
            context_.messages.information(parent, QString::fromUtf8(kMsgTaxPaymentCsvWritten));
            return true;
        });
}

}  // namespace keiro::payroll
