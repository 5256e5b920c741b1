#pragma once
// What the employee withholding editors work on, handed over by the main window.

#include <filesystem>
#include <functional>
#include <string>

#include "core/year_view.h"
#include "withholding/model/withholding_file.h"
#include "withholding/postal/option_settings.h"

namespace keiro::ui {
class MessageService;
}

namespace keiro::withholding {

struct EditorContext {
    WithholdingFile& file;  // the year's records, changed in place
    const YearView& year;   // the year file; its December is the employee master
    std::string eraName;    // the data's era and era year (平成27, 令和8, ...)
    int eraYear = 0;
    int dataYear = 0;     // the calendar year of the data
    bool newEra = false;  // the data's era is the new era (not 平成)
    // The new era's name for the residence-start era lists; empty while it is the same as 平成.
    std::string newEraName;
    OptionSettings options;
    std::filesystem::path dataFolder;  // YubinNo.dat for the address lookup
    ui::MessageService& messages;
    // The editor moved to another slot (the main list selects it).
    std::function<void(int slot)> slotChanged;
    // 配偶者/扶養親族 on a slot (1500-byte years); the editor stores itself before and reloads
    // after.
    std::function<void(int slot)> openFamily;
};

}  // namespace keiro::withholding
