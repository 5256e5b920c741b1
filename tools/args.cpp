#include "tools/args.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace keiro::tool {

Args::Args(const std::vector<std::string>& words, const std::vector<std::string>& flags) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--" && !optionsEnded) {
            optionsEnded = true;  // everything after "--" is positional
        } else if (!optionsEnded && word.size() > 2 && word.rfind("--", 0) == 0) {
            const std::string name = word.substr(2);
            if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
                options_[name] = "";
            } else {
                if (i + 1 >= words.size()) throw UsageError("--" + name + " needs a value");
                options_[name] = words[++i];
            }
        } else {
            positional_.push_back(word);
        }
    }
}

const std::string& Args::positional(std::size_t index, const char* what) const {
    if (index >= positional_.size()) throw UsageError(std::string("missing ") + what);
    return positional_[index];
}

std::optional<std::string> Args::option(const std::string& name) const {
    const auto it = options_.find(name);
    if (it == options_.end()) return std::nullopt;
    return it->second;
}

std::string Args::required(const std::string& name) const {
    auto value = option(name);
    if (!value) throw UsageError("missing --" + name);
    return *value;
}

int Args::requiredInt(const std::string& name, int min, int max) const {
    const int value = parseIntArgument(required(name), "--" + name);
    if (value < min || value > max) {
        throw UsageError("--" + name + " must be " + std::to_string(min) + ".." +
                         std::to_string(max));
    }
    return value;
}

bool Args::flag(const std::string& name) const {
    return options_.count(name) != 0;
}

void Args::expectOnly(const std::vector<std::string>& known, std::size_t maxPositional) const {
    for (const auto& [name, value] : options_) {
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            throw UsageError("unknown option --" + name);
        }
    }
    if (positional_.size() > maxPositional) throw UsageError("too many arguments");
}

int parseIntArgument(const std::string& text, const std::string& what) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw UsageError(what + " is not a whole number: " + text);
    }
    return value;
}

std::chrono::year_month_day parseDateArgument(const std::string& text, const std::string& what) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3) {
        throw UsageError(what + " must be YYYY-MM-DD: " + text);
    }
    const std::chrono::year_month_day date{std::chrono::year(y), std::chrono::month(m),
                                           std::chrono::day(d)};
    if (!date.ok()) throw UsageError("no such date: " + text);
    return date;
}

double parseDoubleArgument(const std::string& text, const std::string& what) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) {
        throw UsageError(what + " is not a number: " + text);
    }
    return value;
}

}  // namespace keiro::tool
