// print slips FILE --period K [--root DIR] [--form-type N] [--slots 1,2,…] (--pdf OUT | --jpeg DIR)
//
// The pay slips of a saved period drawn by the same code as the print dialog: into a PDF with
// the report fonts embedded, or as one JPEG picture per employee.  Only these commands start a
// (window-less) Qt application; the rest of keiro-tool needs none.
#include <QGuiApplication>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/layouts.h"
#include "core/settings.h"
#include "core/yearfile.h"
#include "print/dialog_texts.h"
#include "print/pay_date.h"
#include "print/pay_slip_report.h"
#include "print/qt/picture_export.h"
#include "print/qt/report_fonts.h"
#include "print/qt/report_output.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {
namespace {

namespace fs = std::filesystem;

// "1,2,5": slots of employees in use, in the order given.
std::vector<int> slotsFrom(const std::string& text, const PeriodBlock& block) {
    std::vector<int> chosen;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const int slot = parseIntArgument(text.substr(start, comma - start), "--slots");
        if (slot < 1 || slot > kMaxEmployees || !block.employee(slot).isUsed())
            throw UsageError("--slots: no employee in slot " + std::to_string(slot));
        chosen.push_back(slot);
        start = comma + 1;
    }
    return chosen;
}

std::vector<int> usedSlots(const PeriodBlock& block) {
    std::vector<int> chosen;
    for (int slot = 1; slot <= kMaxEmployees && block.employee(slot).isUsed(); ++slot)
        chosen.push_back(slot);
    return chosen;
}

// A Qt application without a screen, for the fonts and the PDF and JPEG writers: a command
// line never needs a display, so the offscreen platform is chosen whatever the environment says.
class OffscreenApplication {
  public:
    OffscreenApplication() : application_((qputenv("QT_QPA_PLATFORM", "offscreen"), argc_), argv_) {
        print::useReportFonts();
    }

  private:
    int argc_ = 1;
    char name_[11] = "keiro-tool";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication application_;
};

int printSlips(const Args& args) {
    args.expectOnly({"period", "root", "form-type", "slots", "pdf", "jpeg"}, 2);
    const fs::path file = args.positional(1, "FILE");
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const std::optional<std::string> pdf = args.option("pdf");
    const std::optional<std::string> jpeg = args.option("jpeg");
    if (pdf.has_value() == jpeg.has_value()) throw UsageError("give one of --pdf and --jpeg");

    const std::optional<EraYear> fileYear = parseYearFileName(file.filename().string());
    if (!fileYear) {
        throw std::runtime_error("データファイル名から年号と年を読み取れません: " +
                                 file.filename().string());
    }
    const YearFileHeader header = readYearFileHeader(file);
    if (!header.isSaved(period)) {
        throw std::runtime_error("指定された給与/賞与のデータは保存されていません: " +
                                 std::to_string(period));
    }
    const std::unique_ptr<PeriodBlock> block = readPeriodBlock(file, period);
    const Places places = placesFromArgs(args);
    const IniFile ini(places.iniFile);
    const Settings settings = loadSettings(ini);
    const EraNames eraNames = eraNamesFor(todayInJapan(), settings.newEraName);
    const PrintTables tables = buildPrintTables(
        loadLayout(ini, isBonusPeriod(period) ? LayoutKind::Bonus : LayoutKind::Salary));

    print::PrintChoices choices;
    choices.formType = args.option("form-type") ? args.requiredInt("form-type", 0, 7)
                                                : print::validFormType(settings.formType);
    choices.payDate = print::payDateEntryOf(print::proposedPayDate(
        *fileYear, eraNames, period, header, block->settings, eraDateOf(todayInJapan()).eraYear));
    const std::optional<std::string> slotText = args.option("slots");
    const std::vector<int> chosen = slotText ? slotsFrom(*slotText, *block) : usedSlots(*block);

    OffscreenApplication application;
    const print::SlipPeriod slipPeriod{block.get(),         &header, period,   *fileYear, eraNames,
                                       &settings.itemNames, &tables, &settings};
    const print::PaySlipReport report(slipPeriod, chosen, file, choices);
    if (pdf) {
        const print::Correction correction{settings.printAdjustH / 10.0,
                                           settings.printAdjustV / 10.0};
        print::writeReportPdf(report, *pdf, correction);
        printJson({{"pdf", *pdf},
                   {"sheets", report.pageCount()},
                   {"slips", static_cast<int>(chosen.size())}});
    } else {
        auto files = nlohmann::ordered_json::array();
        for (const fs::path& picture : print::writePictures(report, *jpeg))
            files.push_back(picture.string());
        printJson({{"folder", *jpeg}, {"files", files}});
    }
    return 0;
}

}  // namespace

int runPrint(const Words& words) {
    const Args args(words);
    if (args.positional(0, "command") != "slips") throw UsageError("unknown print command");
    return printSlips(args);
}

}  // namespace keiro::tool
