#include "print/pictures.h"

#include <cmath>
#include <set>
#include <string_view>

#include "core/text.h"

namespace keiro::print {
namespace {

// Names stay well inside the 255 bytes a file name may take, with room for "(nn).jpg".
constexpr std::size_t kMaxNameBytes = 200;
constexpr std::string_view kForbidden = "/\\:*?\"<>|";

bool forbidden(std::string_view character) {
    if (character.size() != 1) return false;
    const auto byte = static_cast<unsigned char>(character[0]);
    return byte < 0x20 || byte == 0x7F || kForbidden.find(character[0]) != std::string_view::npos;
}

// MulDiv: a × b / c rounded to the nearest whole number.
int mulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

}  // namespace

PageDevice pictureDevice(const PaperChoice& paper) {
    const PaperSizeMm size = paperSizeMm(paper.paper);
    const int widthMm = paper.orientation == Orientation::Landscape ? size.height : size.width;
    const int zoom = static_cast<int>(
        std::lround(kPictureWidth * 25.4 * 100 / (widthMm * double{kPictureScreenDpi})));
    const float perMm = static_cast<float>(mulDiv(kPictureScreenDpi, zoom, 100) / 25.4);
    return {perMm, perMm, 0, 0, 1, 2};
}

std::string safeFileName(std::string_view name) {
    std::string safe;
    for (const text::WidthCharacter& character : text::widthCharacters(name)) {
        const std::string_view utf8 = character.character;
        if (safe.size() + utf8.size() > kMaxNameBytes) break;
        const bool hidden = safe.empty() && utf8 == ".";
        safe += forbidden(utf8) || hidden ? std::string_view("_") : utf8;
    }
    return safe.empty() ? "_" : safe;
}

std::vector<std::string> pictureFileNames(const std::vector<std::string>& names) {
    std::vector<std::string> files;
    std::set<std::string> taken;
    for (const std::string& name : names) {
        const std::string base = safeFileName(name);
        std::string file = base + ".jpg";
        for (int copy = 2; taken.count(file) != 0; ++copy)
            file = base + "(" + std::to_string(copy) + ").jpg";
        taken.insert(file);
        files.push_back(file);
    }
    return files;
}

}  // namespace keiro::print
