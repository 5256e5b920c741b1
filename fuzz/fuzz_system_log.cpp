// Arbitrary bytes as the system log: the reader splits them into lines without a line end in
// any of them, and the CSV export of those lines never fails on what the log holds.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "core/syslog.h"
#include "fuzz/data_folder.h"

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const keiro::fuzz::DataFolder folder("system_log");
    std::ofstream(keiro::systemLogPath(folder.path()), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const keiro::SystemLog log = keiro::readLogLines(folder.path());
    check(log.exists);
    for (const std::string& line : log.lines) {
        check(line.find('\n') == std::string::npos);
    }
    return 0;
}
