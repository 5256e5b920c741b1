#pragma once
// print ledger|list|transfer|denomination|roster FILE --period K [--root DIR] [--method 0|1|2]
//       [--all] [--slots 1,2,…] --pdf OUT.pdf

#include <string>

namespace keiro::tool {

class Args;

bool isTableReportKind(const std::string& kind);
int printTableReport(const std::string& kind, const Args& args);

}  // namespace keiro::tool
