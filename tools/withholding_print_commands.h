#pragma once
// keiro-tool print withholding … (withholding_print_commands.cpp): the withholding program's
// documents, beside the payroll program's print commands.

#include "tools/commands.h"

namespace keiro::tool {

// print withholding YEARFILE --kind 1|2|5 [--slots 1,2,…] [--root DIR] --pdf OUT.pdf
int runPrintWithholding(const Words& words);

}  // namespace keiro::tool
