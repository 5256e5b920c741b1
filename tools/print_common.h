#pragma once
// What the print and export commands share: the saved period a report is made from, with the
// settings and era names the print dialog would use; the --slots list; the window-less Qt
// application the drawing needs; the PDF writing.

#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/ini.h"
#include "core/records.h"
#include "core/settings.h"
#include "print/qt/report_output.h"
#include "print/report.h"

namespace keiro::tool {

class Args;

// A saved period of a year file as the reports see it.  Opening it refuses (std::runtime_error,
// exit 1) a file whose name holds no era year and a period that was never saved.
struct SavedPeriod {
    std::filesystem::path file;
    int period = 0;
    EraYear fileYear;
    YearFileHeader header{};
    std::unique_ptr<PeriodBlock> block;
    IniFile ini;  // of --root DIR, or of the installation
    Settings settings;
    EraNames eraNames;
};

// FILE is the first word after the command; the settings are those of --root DIR when given.
SavedPeriod openSavedPeriod(const Args& args, int period);

// "1,2,5": slots of employees in use, in the order given; UsageError for a free slot.
std::vector<int> slotsFrom(const std::string& text, const PeriodBlock& block);
// The value of --slots, or every used slot in slot order when it is missing.
std::vector<int> chosenSlots(const Args& args, const PeriodBlock& block);

// The user's print position correction (kept in tenths of a millimetre).
print::Correction correctionOf(const Settings& settings);

// Writes the report as a PDF file with the user's print position correction, once the
// application is running.
void writePdf(const print::Report& report, const std::string& path, const Settings& settings);

// A Qt application without a screen, for the fonts and the PDF and JPEG writers: a command
// line never needs a display, so the offscreen platform is chosen whatever the environment says.
class OffscreenApplication {
  public:
    OffscreenApplication();

  private:
    int argc_ = 1;
    char name_[11] = "keiro-tool";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication application_;
};

}  // namespace keiro::tool
