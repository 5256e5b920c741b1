#include "withholding/postal/ken_all.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "core/entry.h"
#include "core/text.h"

namespace keiro::withholding {
namespace {

constexpr std::size_t kMunicipalityColumn = 0;  // 0-based: the first column
constexpr std::size_t kCodeColumn = 2;
constexpr std::size_t kPrefectureColumn = 6;
constexpr std::size_t kCityColumn = 7;
constexpr std::size_t kTownColumn = 8;
constexpr std::array<std::size_t, 3> kNameColumns = {kPrefectureColumn, kCityColumn, kTownColumn};
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

constexpr std::array<std::string_view, 47> kPrefectures = {
    "北海道", "青森県", "岩手県", "宮城県", "秋田県", "山形県",   "福島県", "茨城県",
    "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県",
    "石川県", "福井県", "山梨県", "長野県", "岐阜県", "静岡県",   "愛知県", "三重県",
    "滋賀県", "京都府", "大阪府", "兵庫県", "奈良県", "和歌山県", "鳥取県", "島根県",
    "岡山県", "広島県", "山口県", "徳島県", "香川県", "愛媛県",   "高知県", "福岡県",
    "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県"};

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string tidyTown(std::string town) {
    if (town == "以下に掲載がない場合" || endsWith(town, "の次に番地がくる場合")) return {};
    if (town != "一円" && endsWith(town, "一円")) return {};
    const std::size_t note = std::min(town.find("（"), town.find('('));
    if (note != std::string::npos) town.resize(note);
    return town;
}

bool isDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    return line;
}

class Converter {
  public:
    PostalConversion result;

    void line(std::size_t number, std::string_view bytes) {
        ++result.lines;
        const CsvLine csv = splitCsvLineCounted(bytes);
        if (csv.count <= kTownColumn) return refuse(number, "項目が足りません。");
        const std::string& code = csv.fields[kCodeColumn];
        if (code.size() != 7 || !isDigits(code)) {
            return refuse(number, "郵便番号が7桁の数字ではありません。");
        }
        std::array<std::string, 3> names;  // prefecture, city, town in UTF-8
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string& field = csv.fields[kNameColumns[i]];
            names[i] = text::fromCp932(field);
            if (names[i].find(kReplacement) != std::string::npos || hasControlCharacter(field)) {
                return refuse(number, "Shift-JISの文字として読めない文字があります。");
            }
        }
        if (std::find(kPrefectures.begin(), kPrefectures.end(), names[0]) == kPrefectures.end()) {
            return refuse(number, "都道府県名が正しくありません。");
        }
        if (names[1].empty()) return refuse(number, "市区町村名がありません。");
        if (names[2].empty()) return refuse(number, "町域名がありません。");
        if (!seen_.insert(code).second) return;
        result.entries.push_back({code, names[0] + names[1] + tidyTown(std::move(names[2]))});
        const std::string& municipality = csv.fields[kMunicipalityColumn];
        if (municipality.size() == 5 && isDigits(municipality)) {
            result.municipalities.push_back({code, municipality, names[1]});
        }
    }

  private:
    void refuse(std::size_t number, std::string_view reason) {
        ++result.errorCount;
        if (result.errors.size() < kMaxErrors) {
            result.errors.push_back(std::to_string(number) + "行目: " + std::string(reason));
        }
    }

    std::unordered_set<std::string> seen_;
};

}  // namespace

PostalConversion convertKenAll(std::string_view csvBytes) {
    Converter converter;
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < csvBytes.size()) {
        std::size_t end = csvBytes.find('\n', start);
        if (end == std::string_view::npos) end = csvBytes.size();
        const std::string_view line = withoutLineEnd(csvBytes.substr(start, end - start));
        ++number;
        if (!line.empty()) converter.line(number, line);
        start = end + 1;
    }
    PostalConversion result = std::move(converter.result);
    if (result.entries.empty() && result.errorCount == 0) {
        ++result.errorCount;
        result.errors.push_back("郵便番号のデータが1件もありません。");
    }
    return result;
}

std::string postalFileText(const std::vector<PostalEntry>& entries) {
    std::string utf8;
    for (const PostalEntry& entry : entries) {
        utf8 += entry.code;
        utf8 += ' ';
        utf8 += entry.address;
        utf8 += "\r\n";
    }
    return text::toCp932(utf8);
}

}  // namespace keiro::withholding
