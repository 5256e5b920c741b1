#pragma once
// The command line of keiro-tool: positional words and "--name value" options.

#include <chrono>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace keiro::tool {

// Wrong usage: reported on stderr with exit code 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Args {
  public:
    // `flags` are options that take no value (e.g. "--save").
    Args(const std::vector<std::string>& words, const std::vector<std::string>& flags = {});

    const std::vector<std::string>& positional() const { return positional_; }
    const std::string& positional(std::size_t index, const char* what) const;
    std::optional<std::string> option(const std::string& name) const;
    std::string required(const std::string& name) const;
    int requiredInt(const std::string& name, int min, int max) const;
    bool flag(const std::string& name) const;
    // Refuses options other than `known` and more positional words than `maxPositional`.
    void expectOnly(const std::vector<std::string>& known, std::size_t maxPositional) const;

  private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

int parseIntArgument(const std::string& text, const std::string& what);
double parseDoubleArgument(const std::string& text, const std::string& what);
// YYYY-MM-DD, a real date.
std::chrono::year_month_day parseDateArgument(const std::string& text, const std::string& what);

}  // namespace keiro::tool
