#include <cstdio>
#include <iostream>

#include "core/entry.h"
#include "core/text.h"
#include "tools/args.h"
#include "tools/commands.h"

namespace keiro::tool {

// entry parse-number TEXT | entry validate --code N TEXT | entry format-hours --style 0|1 VALUE
int runEntry(const Words& words) {
    const Args args(words);
    const std::string& command = args.positional(0, "command");
    if (command == "parse-number") {
        args.expectOnly({}, 2);
        const ParsedNumber parsed = parseNumber(args.positional(1, "TEXT"));
        if (parsed.inputError) std::cerr << kMsgInputError << '\n';
        char text[64];
        std::snprintf(text, sizeof text, "%.10g", parsed.value);
        std::cout << text << '\n';
        return 0;
    }
    if (command == "validate") {
        args.expectOnly({"code"}, 2);
        const int code = args.requiredInt("code", 10, 99);
        const EntryCheck check = validateNumericEntry(args.positional(1, "TEXT"), code);
        if (!check.error.empty()) {
            std::cout << check.error << '\n';
            return 1;
        }
        std::cout << check.text << '\n';
        return 0;
    }
    if (command == "format-hours") {
        args.expectOnly({"style"}, 2);
        const int style = args.requiredInt("style", 0, 1);
        const double value = parseDoubleArgument(args.positional(1, "VALUE"), "VALUE");
        std::cout << formatHours(value, static_cast<TimeStyle>(style)) << '\n';
        return 0;
    }
    throw UsageError("unknown entry command " + command);
}

// csv split LINE: the line is taken as UTF-8 and split as the code page 932 bytes it stands for.
int runCsv(const Words& words) {
    const Args args(words);
    args.expectOnly({}, 2);
    if (args.positional(0, "command") != "split") throw UsageError("unknown csv command");
    const CsvLine line = splitCsvLineCounted(text::toCp932(args.positional(1, "LINE")));
    auto list = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < line.count; ++i) list.push_back(text::fromCp932(line.fields[i]));
    printJson(list);
    return 0;
}

}  // namespace keiro::tool
