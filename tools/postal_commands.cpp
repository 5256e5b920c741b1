// keiro-tool postal: the postal-code data of the withholding program.
//
//   postal lookup --data DIR CODE     the address of CODE (as typed in the postal-code box:
//                                     "123-4567", "1234567", "12345") from DIR/YubinNo.dat, one
//                                     line; nothing when no entry matches
//   postal import KEN_ALL.CSV --out YubinNo.dat
//                                     Japan Post's list (the CSV or its zip) checked and
//                                     converted: {"out","lines","entries","municipalityOut",
//                                     "municipalities"}; the municipality of each postal code
//                                     goes to YubinJichitai.dat in the folder of --out.  A
//                                     faulty list is refused with its faults on stderr (exit 1)
//                                     and both files are left as they were
#include <filesystem>
#include <iostream>

#include "core/fileio.h"
#include "core/municipality_file.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "withholding/postal/postal_code.h"
#include "withholding/postal/postal_data.h"
#include "withholding/postal/postal_file.h"

namespace keiro::tool {
namespace {

using namespace keiro::withholding;

int lookup(const Words& words) {
    const Args args(words);
    args.expectOnly({"data"}, 2);
    const std::filesystem::path file = postalFilePath(args.required("data"));
    const std::string& code = args.positional(1, "CODE");
    if (!mayExist(file)) throw IoError(file, "読み込み", ENOENT);
    const std::optional<std::string> key = postalLookupKey(code);
    if (!key) return 0;
    if (const std::optional<std::string> address = lookupAddress(file, *key)) {
        std::cout << *address << '\n';
    }
    return 0;
}

int import(const Words& words) {
    const Args args(words);
    args.expectOnly({"out"}, 2);
    const std::filesystem::path in = args.positional(1, "KEN_ALL.CSV");
    const std::filesystem::path out = args.required("out");
    const PostalInstall installed = installPostalData(readFile(in), out);
    printJson({{"out", out.string()},
               {"lines", installed.lines},
               {"entries", installed.entries},
               {"municipalityOut", municipalityFilePath(out.parent_path()).string()},
               {"municipalities", installed.municipalities}});
    return 0;
}

}  // namespace

int runPostal(const Words& words) {
    if (words.empty()) throw UsageError("postal: lookup or import expected");
    if (words[0] == "lookup") return lookup(words);
    if (words[0] == "import") return import(words);
    throw UsageError("postal: unknown command " + words[0]);
}

}  // namespace keiro::tool
