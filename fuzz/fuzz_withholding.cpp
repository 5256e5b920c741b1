// Any bytes as withholding files and as the year file they are built from: loading, building
// with last year's records carried over (converted from the 500-byte records, or copied whole)
// and the change check must either work or end in an IoError, never crash.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "core/year_view.h"
#include "fuzz/data_folder.h"
#include "withholding/model/opening.h"

namespace {

namespace fs = std::filesystem;

const fs::path& dataFolder() {
    static const keiro::fuzz::DataFolder folder("withholding");
    return folder.path();
}

// The input cut or padded to `size` bytes, so that the files are read and not refused.
std::string sized(const std::uint8_t* data, std::size_t size, std::size_t wanted) {
    std::string bytes(reinterpret_cast<const char*>(data), std::min(size, wanted));
    bytes.resize(wanted, '\0');
    return bytes;
}

void buildAndCheck(const keiro::EraYear& year, const std::uint8_t* data, std::size_t size) {
    using namespace keiro;
    using namespace keiro::withholding;
    const EraNames names{"平成", "令和"};
    const fs::path yearFile = dataFolder() / yearFileName(year);
    const WithholdingPaths paths = withholdingPathsFor(yearFile, year, names);
    std::string yearBytes = sized(data, size, kYearFileSize);
    yearBytes[8 + 11] = 1;  // December saved
    writeFileAtomic(yearFile, yearBytes);
    writeFileAtomic(paths.previousYearFile, yearBytes);
    writeFileAtomic(paths.previousFile,
                    sized(data, size, WithholdingFile::fileSize(paths.previousCurrentFormat)));
    fs::remove(paths.file);
    try {
        YearView view(yearFile);
        const std::optional<WithholdingFile> file = openWithholdingFile(view, paths);
        if (file) file->differsFrom(paths.previousFile);
    } catch (const IoError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keiro;
    // The first year with the larger records, built from a legacy year, and a later year.
    buildAndCheck({"平成", 28}, data, size);
    buildAndCheck({"令和", 2}, data, size);
    // The bytes as they are, in both formats.
    const fs::path path = dataFolder() / "raw.dat";
    writeFileAtomic(path, std::string(reinterpret_cast<const char*>(data), size));
    for (bool current : {true, false}) {
        try {
            withholding::WithholdingFile::load(path, current).differsFrom(path);
        } catch (const IoError&) {
        }
    }
    return 0;
}
