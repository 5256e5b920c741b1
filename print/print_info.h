#pragma once
// The remembered printer, typed: the device name and the device-mode numbers kept in the ini
// sections PrintInfo (the payroll program) and PrintInfo<n> (further remembered printers), and
// the paper each report asks for.
//
// The ini holds the numbers as decimal texts of at most 7 characters; a missing, empty or
// damaged one (not a whole number within a device-mode field's range) counts as 0, which the
// device takes as "leave as it is".  The device name is kept to 127 bytes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini.h"
#include "core/settings.h"
#include "print/report_mode.h"

namespace keiro::print {

// Device-mode paper codes; B5 is the JIS size.
enum class Paper { A4 = 9, A5 = 11, B5 = 13 };
enum class Orientation { Portrait = 1, Landscape = 2 };

struct PaperSizeMm {
    int width = 0;  // portrait
    int height = 0;
    bool operator==(const PaperSizeMm&) const = default;
};
PaperSizeMm paperSizeMm(Paper paper);

inline constexpr std::size_t kDeviceNameMaxBytes = 127;

struct PrintInfo {
    std::string deviceName;  // empty: none remembered
    int paperSize = 0;       // a Paper code, or another device-mode code
    int paperWidth = 0;      // tenths of a millimetre
    int paperLength = 0;
    int orientation = 0;  // an Orientation code
    int defaultSource = 0;
    int printQuality = 0;
    bool operator==(const PrintInfo&) const = default;
};

// The section of the n-th remembered printer: "PrintInfo" for 0, "PrintInfo<n>" after that.
std::string printInfoSection(int index);

PrintInfo printInfoFrom(const PrinterSettings& stored);
PrinterSettings toPrinterSettings(const PrintInfo& info);
PrintInfo loadPrintInfo(const IniFile& ini, int index = 0);
void savePrintInfo(IniFile& ini, const PrintInfo& info, int index = 0);

// The remembered printer when it is still installed under exactly that name; nothing when none
// is remembered or it has gone (the current printer is used then, with A4 portrait).
std::optional<PrintInfo> restorablePrinter(const PrintInfo& stored,
                                           const std::vector<std::string>& installed);

// The paper a report is printed on: pay slips of forms 1 and 5 on B5 landscape, other pay slips
// on A4 portrait, every other report on A4 landscape.
struct PaperChoice {
    Paper paper = Paper::A4;
    Orientation orientation = Orientation::Portrait;
    bool operator==(const PaperChoice&) const = default;
};
PaperChoice paperFor(ReportKind kind, int formType);

}  // namespace keiro::print
