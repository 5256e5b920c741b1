#pragma once
// keiro-tool print withholding … (withholding_print_commands.cpp) and the 年末調整一覧表's print
// withholding-list … and export withholding-list … (withholding_list_commands.cpp): the withholding
// program's documents, beside the payroll program's print commands.

#include <filesystem>
#include <vector>

#include "core/era.h"
#include "core/ini.h"
#include "core/settings.h"
#include "core/year_view.h"
#include "tools/commands.h"
#include "withholding/model/withholding_file.h"
#include "withholding/print/document_source.h"

namespace keiro::tool {

// print withholding YEARFILE --kind 1|2|5 [--slots 1,2,…] [--include-unprocessed] [--root DIR]
//   --pdf OUT.pdf
int runPrintWithholding(const Words& words);
// print withholding-list YEARFILE [--root DIR] [--slots 1,2,…] --pdf OUT.pdf
int runPrintWithholdingList(const Words& words);
// export withholding-list YEARFILE [--root DIR] [--slots 1,2,…] OUT.csv
int runExportWithholdingList(const Words& words);

// A year's withholding data as the withholding program opens it: YEARFILE is the second word,
// the settings those of --root DIR or of the installation; the withholding file beside the year
// file, or built in memory when there is none (nothing is written).  std::runtime_error (exit 1)
// for a file name without an era year and a year whose December salary was never saved.
struct WithholdingYear {
    explicit WithholdingYear(const Args& args);
    // The source points into the object itself.
    WithholdingYear(const WithholdingYear&) = delete;
    WithholdingYear& operator=(const WithholdingYear&) = delete;

    std::filesystem::path yearFile;
    EraYear year;
    IniFile ini;
    Settings settings;
    EraNames eras;
    YearView view;
    withholding::WithholdingFile file;
    withholding::DocumentSource source;  // with the settings Syubetu and PrintLine
    std::vector<int> chosen;             // --slots, or every occupied slot in slot order
};

}  // namespace keiro::tool
