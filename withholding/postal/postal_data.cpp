#include "withholding/postal/postal_data.h"

#include <zip.h>

#include <memory>

#include "core/fileio.h"

namespace keiro::withholding {
namespace {

std::string joinLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        if (!joined.empty()) joined += '\n';
        joined += line;
    }
    return joined;
}

[[noreturn]] void refuse(std::string reason) {
    throw PostalDataError({std::move(reason)});
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

bool endsWithCsv(std::string_view name) {
    if (name.size() < 4) return false;
    std::string suffix(name.substr(name.size() - 4));
    for (char& c : suffix) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return suffix == ".csv";
}

constexpr std::string_view kBrokenArchive = "圧縮ファイルが壊れているか、途中で切れています。";

}  // namespace

PostalDataError::PostalDataError(const std::vector<std::string>& reasons)
    : std::runtime_error(joinLines(reasons)), reasons_(reasons) {}

bool looksLikeZip(std::string_view bytes) {
    return bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4) ||
           bytes.substr(0, 4) == std::string_view("PK\x05\x06", 4);
}

std::string unpackSingleCsv(std::string_view zipBytes, std::size_t maxBytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(zipBytes.data(), zipBytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        refuse(std::string(kBrokenArchive));
    }
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        refuse(std::string(kBrokenArchive));
    }
    if (zip_get_num_entries(archive.get(), 0) != 1) {
        refuse("圧縮ファイルには郵便番号データのCSVファイルが1つだけ入っている必要があります。");
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), 0, 0, &stat) != 0) refuse(std::string(kBrokenArchive));
    if ((stat.valid & ZIP_STAT_NAME) == 0 || !endsWithCsv(stat.name)) {
        refuse("圧縮ファイルの中身がCSVファイルではありません。");
    }
    const std::string tooLarge = "圧縮ファイルの中身が大きすぎます（" +
                                 std::to_string(maxBytes / (1024 * 1024)) + "MBまで）。";
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > maxBytes) refuse(tooLarge);

    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive.get(), 0, 0));
    if (!entry) refuse(std::string(kBrokenArchive));
    std::string out;
    char buffer[64 * 1024];
    for (;;) {
        // The stated size is not trusted: reading stops as soon as the limit is passed.
        const zip_int64_t n = zip_fread(entry.get(), buffer, sizeof buffer);
        if (n < 0) refuse(std::string(kBrokenArchive));
        if (n == 0) break;
        if (out.size() + static_cast<std::size_t>(n) > maxBytes) refuse(tooLarge);
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}

PostalConversion convertPostalData(std::string_view bytes) {
    if (looksLikeZip(bytes)) return convertKenAll(unpackSingleCsv(bytes));
    if (bytes.size() > kMaxPostalDataBytes) {
        refuse("郵便番号データのファイルが大きすぎます。");
    }
    return convertKenAll(bytes);
}

PostalInstall installPostalData(std::string_view bytes, const fs::path& target) {
    const PostalConversion conversion = convertPostalData(bytes);
    if (!conversion.ok()) {
        std::vector<std::string> reasons = conversion.errors;
        if (conversion.errorCount > conversion.errors.size()) {
            reasons.push_back("ほか" +
                              std::to_string(conversion.errorCount - conversion.errors.size()) +
                              "行にも誤りがあります。");
        }
        throw PostalDataError(reasons);
    }
    constexpr fs::perms kPublic = kPrivateFile | fs::perms::group_read | fs::perms::others_read;
    writeFileAtomic(target, postalFileText(conversion.entries), kPublic);
    writeFileAtomic(municipalityFilePath(target.parent_path()),
                    municipalityFileText(conversion.municipalities), kPublic);
    return {conversion.lines, conversion.entries.size(), conversion.municipalities.size()};
}

}  // namespace keiro::withholding
