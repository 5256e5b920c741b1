#pragma once
// Runs the real keiro-tool (its path is KEIRO_TOOL, set by the build) and collects what it
// prints on stdout and its exit code; stderr is dropped.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace keiro::testing_support {

struct ToolRun {
    int exitCode;
    std::string out;
};

// `environment` is put before the command ("NAME=value ").
inline ToolRun runTool(const std::string& arguments, const std::string& environment = "") {
    const std::string command =
        environment + std::string(KEIRO_TOOL) + " " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return {-1, {}};
    std::string out;
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

}  // namespace keiro::testing_support
