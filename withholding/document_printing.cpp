#include "withholding/document_printing.h"

#include "core/syslog.h"
#include "widgets/command_runner.h"
#include "withholding/main_window.h"
#include "withholding/print/document_report.h"
#include "withholding/print/year_end_list.h"
#include "withholding/print/year_labels.h"

namespace keiro::withholding {

QString documentCaption(DocumentKind kind) {
    const std::string_view name = documentName(kind);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<int> printLogCode(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::Slip:
            return kLogWithholdingSlipsPrinted;
        case DocumentKind::PaymentReport:
            return kLogPaymentReportsPrinted;
        case DocumentKind::RefundNotice:
            break;
    }
    return std::nullopt;
}

DocumentPrinting::DocumentPrinting(MainWindow& window, Services services, const Settings& settings)
    : window_(window),
      services_(std::move(services)),
      settings_(settings),
      dialog_(print::PrintServices{services_.messages, services_.files, services_.ini, settings_,
                                   services_.installedPrinters},
              &window) {}

DocumentSource DocumentPrinting::documentSource() const {
    DocumentSource source{&window_.file(),
                          &window_.year().block(kDecember),
                          window_.eraYear(),
                          window_.eraNames(),
                          {}};
    if (services_.documentOptions) source.options = services_.documentOptions();
    return source;
}

bool DocumentPrinting::run(const QString& caption, int printer, print::ReportBuilder build) {
    print::PrintRequest request;
    request.caption = caption;
    request.buildReport = std::move(build);
    request.documentPrinter = printer;
    request.preview.toolBar = true;
    request.preview.buttonsShown = window_.previewButtons();
    request.preview.buttonsToggled = [this](bool shown) {
        ui::runCommand(&window_, services_.messages,
                       [this, shown] { previewButtonsToggled(shown); });
    };
    return dialog_.run(request) == print::PrintOutcome::Printed;
}

void DocumentPrinting::print(int tag, std::vector<int> checked) {
    const int number = tag / 100;
    const auto kind = static_cast<DocumentKind>(number);
    const DocumentSource source = documentSource();
    // The window offers only the documents of the year; anything else is no command of it.
    if (documentCaption(kind).isEmpty() || !offersDocument(source, kind)) return;

    const bool printed =
        run(documentCaption(kind), number,
            [source, checked = std::move(checked), kind](const print::PrintChoices&) {
                return makeDocumentReport(source, checked, kind);
            });
    if (!printed) return;
    if (const std::optional<int> code = printLogCode(kind)) writeLog(services_.dataFolder, *code);
}

void DocumentPrinting::printYearEndList(std::vector<int> chosen) {
    const DocumentSource source = documentSource();
    const std::vector<YearEndListRow> rows =
        yearEndListRows(*source.file, *source.december, chosen);
    const std::string company = source.companyName();
    const std::string year = documentYearLabel(source.year, source.eras);
    const auto today = todayInJapan();
    run(QStringLiteral("年末調整一覧表"), kYearEndListPrinter,
        [rows, company, year, today](const print::PrintChoices&) {
            return std::make_unique<YearEndListReport>(rows, company, year, today);
        });
}

void DocumentPrinting::previewButtonsToggled(bool shown) {
    window_.setPreviewButtons(shown);
    services_.ini.apply(IniChanges().setBool("Option", "PreViewBtn", shown));
}

}  // namespace keiro::withholding
