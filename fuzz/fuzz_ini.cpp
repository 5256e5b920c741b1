// Arbitrary bytes as the configuration file: parsing, editing and the typed settings must
// neither crash nor lose lines.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/ini.h"
#include "core/settings.h"

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

// The text in memory: a second parse of the written text writes the same bytes, and an edit
// reads back.
void editInMemory(std::string_view bytes) {
    const keiro::IniText ini(bytes);
    const std::string once = ini.serialize();
    keiro::IniText again(once);
    check(again.serialize() == once);
    check(again.lineCount() == ini.lineCount());

    again.set("Option", "CorpName", "\" x \"");
    check(again.value("Option", "corpname") == " x ");
    again.set("新しい節", "Key", "1");
    check(again.value("新しい節", "KEY") == "1");
    again.erase("Option", "CorpName");
    check(!again.value("Option", "CorpName").has_value());
}

// The same bytes through the file reader and every typed setting.
void loadFromFile(std::string_view bytes) {
    struct ScratchFile {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("fuzz_ini_" + std::to_string(::getpid()));
        ~ScratchFile() {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
    };
    static const ScratchFile scratch;
    std::ofstream(scratch.path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const keiro::Settings settings = keiro::loadSettings(keiro::IniFile(scratch.path));
    check(settings.itemNames[keiro::kBasePayItem] == "基本給");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    editInMemory(bytes);
    loadFromFile(bytes);
    return 0;
}
