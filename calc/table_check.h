#pragma once
// The verdict on a table file: what it holds (summary) and everything wrong with it (faults),
// in Japanese, as `keiro-tool tables check` prints it.

#include <string>
#include <vector>

namespace keiro::calc {

struct TableCheck {
    std::vector<std::string> summary;
    std::vector<std::string> faults;
    bool ok() const { return faults.empty(); }
};

}  // namespace keiro::calc
