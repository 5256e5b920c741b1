#include "core/carryover.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <system_error>

#include "core/fileio.h"
#include "core/records.h"
#include "core/text.h"

namespace keiro {
namespace {

constexpr std::string_view kSystemLogPrefix = "システム";
constexpr std::string_view kEmployeeInfoPrefix = "社員情報";
constexpr std::string_view kWithholdingPrefix = "源泉徴収";
constexpr std::string_view kOldEraName = "平成";
constexpr int kLastLegacyWithholdingYear = 27;  // 平成27 and before: 500-byte records

constexpr std::size_t kWithholdingHeaderSize = 300;
constexpr std::size_t kWithholdingRecordSize = 1500;
constexpr std::size_t kLegacyWithholdingRecordSize = 500;

constexpr std::string_view kReadAction = "読み込み";
constexpr std::string_view kWriteAction = "書き込み";

bool hasDatExtension(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".dat";
}

// The *.dat files of a folder in name order (none when the folder is missing).
std::vector<fs::path> datFilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && hasDatExtension(it->path())) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The leading `size` bytes of the file that the layout needs, refused when the file is shorter.
// Bytes after them are not read.
std::string readLayout(const fs::path& path, std::size_t size) {
    std::error_code ec;
    const std::uintmax_t actual = fs::file_size(path, ec);
    if (ec) throw IoError(path, kReadAction, ec.value());
    if (actual < size) {
        throw IoError(path, kReadAction,
                      "ファイルの大きさが足りません(" + std::to_string(actual) + " / " +
                          std::to_string(size) + " バイト)。移行しませんでした。");
    }
    std::string content(size, '\0');
    readAt(path, 0, content.data(), size);
    return content;
}

// Record size of a withholding file from its name "源泉徴収(<era><yy>年).dat", read in code
// page 932 bytes as the name was made: the 4-byte era name starts at byte 10, the two digits of
// the era year follow.  Files of 平成27 and before hold 500-byte records, later ones 1500-byte
// records.
std::size_t withholdingRecordSize(const fs::path& path) {
    constexpr std::size_t kEraAt = 9;
    constexpr std::size_t kEraBytes = 4;
    const auto unreadable = [&path] {
        return IoError(path, kReadAction, "ファイル名から年が読み取れません。移行しませんでした。");
    };
    std::string name;
    try {
        name = text::toCp932(path.filename().string());
    } catch (const text::EncodingError&) {
        throw unreadable();
    }
    if (name.size() < kEraAt + kEraBytes) throw unreadable();
    if (name.compare(kEraAt, kEraBytes, text::toCp932(kOldEraName)) != 0) {
        return kWithholdingRecordSize;
    }
    const std::size_t yearAt = kEraAt + kEraBytes;
    const auto isDigit = [&name](std::size_t i) {
        return i < name.size() && name[i] >= '0' && name[i] <= '9';
    };
    if (!isDigit(yearAt) || !isDigit(yearAt + 1)) throw unreadable();
    const int eraYear = (name[yearAt] - '0') * 10 + (name[yearAt + 1] - '0');
    return eraYear > kLastLegacyWithholdingYear ? kWithholdingRecordSize
                                                : kLegacyWithholdingRecordSize;
}

// The header is kept; the 80 records are followed by 20 empty ones.
std::string widenWithholdingFile(const fs::path& path) {
    const std::size_t recordSize = withholdingRecordSize(path);
    const std::size_t oldSize =
        kWithholdingHeaderSize + static_cast<std::size_t>(kLegacyEmployees) * recordSize;
    std::string out = readLayout(path, oldSize);
    out.resize(kWithholdingHeaderSize + static_cast<std::size_t>(kMaxEmployees) * recordSize, '\0');
    return out;
}

// The header is kept; in each period the settings are kept and each of the four record arrays
// grows from 80 to 100 slots, the new slots zero.
std::string widenYearFile(const fs::path& path) {
    const std::string old = readLayout(path, kLegacyYearFileSize);
    std::string out(kYearFileSize, '\0');
    std::memcpy(out.data(), old.data(), kHeaderSize);

    struct Part {
        std::size_t newOffset;
        std::size_t recordSize;
    };
    static constexpr Part kArrays[] = {
        {offsetof(PeriodBlock, employees), sizeof(EmployeeRecord)},
        {offsetof(PeriodBlock, attendance), sizeof(AttendanceRecord)},
        {offsetof(PeriodBlock, payments), sizeof(PaymentRecord)},
        {offsetof(PeriodBlock, deductions), sizeof(DeductionRecord)},
    };
    for (int period = 1; period <= kPeriodCount; ++period) {
        const char* from =
            old.data() + kHeaderSize + static_cast<std::size_t>(period - 1) * kLegacyBlockSize;
        char* to = out.data() + blockOffset(period);
        std::memcpy(to + offsetof(PeriodBlock, settings), from, sizeof(PeriodSettings));
        from += sizeof(PeriodSettings);
        for (const Part& array : kArrays) {
            const std::size_t bytes = static_cast<std::size_t>(kLegacyEmployees) * array.recordSize;
            std::memcpy(to + array.newOffset, from, bytes);
            from += bytes;
        }
    }
    return out;
}

// Writes a carried-over file into the new data folder, never over a file already there.
void writeNew(const fs::path& dataFolder, const fs::path& source, std::string_view content) {
    const fs::path target = dataFolder / source.filename();
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec))) {
        throw IoError(target, kWriteAction,
                      "同じ名前のファイルが既にあります。移行しませんでした。");
    }
    writeFileAtomic(target, content);
}

void replaceIni(const fs::path& source, const Places& places, std::string_view message,
                CarryOverResult& result) {
    try {
        copyFile(source, places.iniFile);
        result.iniReplaced = true;
        result.message = StartupMessage{StartupMessage::Kind::Information, std::string(message)};
    } catch (const IoError& error) {
        result.problems.emplace_back(error.what());
    }
}

bool startsWith(const fs::path& path, std::string_view prefix) {
    return path.filename().string().starts_with(prefix);
}

void carryOverLite(const Places& places, CarryOverResult& result) {
    const fs::path lite = liteSettingsFolder(places);
    const std::vector<fs::path> files = datFilesIn(lite / kDataFolderName);
    for (std::size_t i = 0; i < files.size(); ++i) {
        try {
            writeNew(places.dataFolder, files[i], readFile(files[i]));
            result.filesDone.push_back(files[i].filename().string());
        } catch (const IoError& error) {
            result.problems.emplace_back(error.what());
            for (std::size_t rest = i + 1; rest < files.size(); ++rest) {
                result.problems.push_back(
                    files[rest].filename().string() +
                    "：前のファイルの移行に失敗したため、移行しませんでした。");
            }
            break;
        }
    }
    replaceIni(lite / kIniFileName, places, kMsgLiteCarriedOver, result);
}

void carryOverInrado4(const Places& places, CarryOverResult& result) {
    const fs::path inrado = inrado4Folder(places);
    for (const fs::path& file : datFilesIn(inrado / kDataFolderName)) {
        if (startsWith(file, kSystemLogPrefix)) continue;
        try {
            if (startsWith(file, kEmployeeInfoPrefix)) {
                writeNew(places.dataFolder, file, readFile(file));
            } else if (startsWith(file, kWithholdingPrefix)) {
                writeNew(places.dataFolder, file, widenWithholdingFile(file));
            } else {
                writeNew(places.dataFolder, file, widenYearFile(file));
            }
            result.filesDone.push_back(file.filename().string());
        } catch (const IoError& error) {
            result.problems.emplace_back(error.what());
        }
    }
    std::error_code ec;
    if (fs::path ini = inrado / kInrado4IniFileName; fs::exists(ini, ec)) {
        replaceIni(ini, places, kMsgInrado4CarriedOver, result);
    }
}

}  // namespace

CarryOverResult carryOverFromEarlierProducts(const Places& places) {
    CarryOverResult result;
    std::error_code ec;
    if (fs::exists(liteSettingsFolder(places) / kIniFileName, ec)) {
        result.source = CarryOverSource::KeiroLite;
        carryOverLite(places, result);
    } else if (fs::is_directory(inrado4Folder(places), ec)) {
        result.source = CarryOverSource::Inrado4;
        carryOverInrado4(places, result);
    }
    return result;
}

}  // namespace keiro
