#pragma once
// What the tool tests read back from keiro-tool's files: a path quoted for the shell, a
// command's output, the text of a PDF (empty when poppler-utils are missing) and amounts as the
// reports print them.

#include <cstdio>
#include <filesystem>
#include <string>

namespace keiro::testing_support {

inline std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

inline std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

inline std::string pdfText(const std::filesystem::path& pdf) {
    return commandOutput("pdftotext " + quoted(pdf) + " - 2>/dev/null");
}

// 1234567 → "1,234,567"
inline std::string withSeparators(long long yen) {
    const bool negative = yen < 0;
    std::string digits = std::to_string(negative ? -yen : yen);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
    return negative ? "-" + digits : digits;
}

}  // namespace keiro::testing_support
