#pragma once
// keiro-tool withholding settle: the year-end 過不足 written into a pay period (see the .cpp).

#include "tools/args.h"

namespace keiro::tool {

int runWithholdingSettle(const Args& args);

}  // namespace keiro::tool
