#pragma once
// Postal data for tests: lines of Japan Post's KEN_ALL.CSV and zip archives made with libzip.

#include <zip.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/fileio.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace keiro::testing_support {

// One KEN_ALL line (UTF-8) with the fifteen columns Japan Post writes; the first is the
// municipality's five-digit code.
inline std::string kenAllLine(const std::string& code, const std::string& prefecture,
                              const std::string& city, const std::string& town,
                              const std::string& municipality = "01101") {
    return municipality + ",\"" + code.substr(0, 3) + "  \",\"" + code +
           "\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\",\"" + prefecture + "\",\"" + city +
           "\",\"" + town + "\",0,0,0,0,0,0\r\n";
}

// The lines in code page 932, as the published file is.
inline std::string kenAll(const std::vector<std::string>& utf8Lines) {
    std::string all;
    for (const std::string& line : utf8Lines) all += line;
    return text::toCp932(all);
}

// A zip archive holding the named files.
inline std::string makeZip(const std::vector<std::pair<std::string, std::string>>& files) {
    // libzip writes no file for an empty archive: the end record alone is one.
    if (files.empty()) return std::string("PK\x05\x06", 4) + std::string(18, '\0');
    TempFolder folder("keiro-zip");
    const std::filesystem::path path = folder / "test.zip";
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) throw std::runtime_error("zip_open");
    for (const auto& [name, content] : files) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        if (source == nullptr || zip_file_add(archive, name.c_str(), source, 0) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("zip_file_add");
        }
    }
    if (zip_close(archive) != 0) throw std::runtime_error("zip_close");
    return readFile(path);
}

// A small but real list: Sapporo's rest-of-city code, a note in parentheses split over two
// lines, a code on two lines, and a Tokyo town.
inline std::string sampleKenAll() {
    return kenAll({
        kenAllLine("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合"),
        kenAllLine("0600042", "北海道", "札幌市中央区", "大通西（１～１９丁目）"),
        kenAllLine("0660005", "北海道", "千歳市", "協和（８８－２、２７１－１０、３４３－２、",
                   "01224"),
        kenAllLine("0660005", "北海道", "千歳市", "４０４－１、４２７－３）", "01224"),
        kenAllLine("1000001", "東京都", "千代田区", "千代田", "13101"),
        kenAllLine("1000001", "東京都", "千代田区", "皇居外苑", "13101"),
        kenAllLine("1234500", "東京都", "架空市", "五番町", "13999"),
    });
}

}  // namespace keiro::testing_support
