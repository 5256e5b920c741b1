#include "print/print_info.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "core/text.h"

namespace keiro::print {
namespace {

constexpr std::size_t kNumberMaxChars = 7;

// A device-mode field is a 16-bit number; anything else stored is damage and counts as 0.
int storedNumber(std::string_view text) {
    if (text.empty() || text.size() > kNumberMaxChars) return 0;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return 0;
    }
    return value;
}

}  // namespace

PaperSizeMm paperSizeMm(Paper paper) {
    switch (paper) {
        case Paper::A5:
            return {148, 210};
        case Paper::B5:
            return {182, 257};
        case Paper::A4:
            break;
    }
    return {210, 297};
}

std::string printInfoSection(int index) {
    std::string section(kPrintInfoSection);
    if (index > 0) section += std::to_string(index);
    return section;
}

PrintInfo printInfoFrom(const PrinterSettings& stored) {
    PrintInfo info;
    info.deviceName = text::truncateToWidth(stored.deviceName, kDeviceNameMaxBytes);
    info.paperSize = storedNumber(stored.paperSize);
    info.paperWidth = storedNumber(stored.paperWidth);
    info.paperLength = storedNumber(stored.paperLength);
    info.orientation = storedNumber(stored.orientation);
    info.defaultSource = storedNumber(stored.defaultSource);
    info.printQuality = storedNumber(stored.printQuality);
    return info;
}

PrinterSettings toPrinterSettings(const PrintInfo& info) {
    PrinterSettings stored;
    stored.deviceName = text::truncateToWidth(info.deviceName, kDeviceNameMaxBytes);
    stored.paperSize = std::to_string(info.paperSize);
    stored.paperWidth = std::to_string(info.paperWidth);
    stored.paperLength = std::to_string(info.paperLength);
    stored.orientation = std::to_string(info.orientation);
    stored.defaultSource = std::to_string(info.defaultSource);
    stored.printQuality = std::to_string(info.printQuality);
    return stored;
}

PrintInfo loadPrintInfo(const IniFile& ini, int index) {
    return printInfoFrom(loadPrinterSettings(ini, printInfoSection(index)));
}

void savePrintInfo(IniFile& ini, const PrintInfo& info, int index) {
    savePrinterSettings(ini, printInfoSection(index), toPrinterSettings(info));
}

std::optional<PrintInfo> restorablePrinter(const PrintInfo& stored,
                                           const std::vector<std::string>& installed) {
    if (stored.deviceName.empty()) return std::nullopt;
    if (std::find(installed.begin(), installed.end(), stored.deviceName) == installed.end()) {
        return std::nullopt;
    }
    return stored;
}

PaperChoice paperFor(ReportKind kind, int formType) {
    if (kind != ReportKind::PaySlips) return {Paper::A4, Orientation::Landscape};
    if (formType == 1 || formType == 5) return {Paper::B5, Orientation::Landscape};
    return {Paper::A4, Orientation::Portrait};
}

}  // namespace keiro::print
