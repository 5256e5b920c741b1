#include "tools/print_common.h"

#include <stdexcept>

#include "core/yearfile.h"
#include "fonts/report_fonts.h"
#include "print/built_report.h"
#include "print/qt/report_output.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {

SavedPeriod openSavedPeriod(const Args& args, int period) {
    const std::filesystem::path file = args.positional(1, "FILE");
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
    std::unique_ptr<PeriodBlock> block = readPeriodBlock(file, period);
    IniFile ini(placesFromArgs(args).iniFile);
    Settings settings = loadSettings(ini);
    EraNames eraNames = eraNamesFor(todayInJapan(), settings.newEraName);
    return {file,
            period,
            *fileYear,
            header,
            std::move(block),
            std::move(ini),
            std::move(settings),
            std::move(eraNames)};
}

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

std::vector<int> chosenSlots(const Args& args, const PeriodBlock& block) {
    if (const std::optional<std::string> text = args.option("slots"))
        return slotsFrom(*text, block);
    std::vector<int> chosen;
    for (int slot = 1; slot <= kMaxEmployees && block.employee(slot).isUsed(); ++slot)
        chosen.push_back(slot);
    return chosen;
}

print::Correction correctionOf(const Settings& settings) {
    return {settings.printOffsetXTenths / 10.0, settings.printOffsetYTenths / 10.0};
}

void writePdf(const print::Report& report, const std::string& path, const Settings& settings) {
    print::writeReportPdf(print::BuiltReport(report), path, correctionOf(settings));
}

OffscreenApplication::OffscreenApplication()
    : application_((qputenv("QT_QPA_PLATFORM", "offscreen"), argc_), argv_) {
    fonts::useReportFonts();
}

}  // namespace keiro::tool
