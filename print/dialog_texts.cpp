#include "print/dialog_texts.h"

namespace keiro::print {

const std::array<std::string_view, kFormTypeCount>& formTypeNames() {
    static const std::array<std::string_view, kFormTypeCount> names{
        "専用用紙(HISAGO GB1150)",      "Ｂ５用紙 (GB1150形式､1名/枚)",
        "Ａ４用紙 (GB1150形式､1名/枚)", "Ａ４用紙 (GB1150形式､2名/枚)",
        "専用用紙(HISAGO GB1172)",      "Ｂ５用紙 (GB1172形式､1名/枚)",
        "Ａ４用紙 (GB1172形式､1名/枚)", "Ａ４用紙 (GB1172形式､2名/枚)",
    };
    return names;
}

int validFormType(int formType) {
    return formType >= 0 && formType < kFormTypeCount ? formType : kDefaultFormType;
}

std::string paperPanelText(const PaperChoice& paper) {
    std::string name;
    switch (paper.paper) {
        case Paper::A5:
            name = "Ａ５";
            break;
        case Paper::B5:
            name = "Ｂ５";
            break;
        case Paper::A4:
            name = "Ａ４";
            break;
    }
    const PaperSizeMm size = paperSizeMm(paper.paper);
    const bool landscape = paper.orientation == Orientation::Landscape;
    const int width = landscape ? size.height : size.width;
    const int height = landscape ? size.width : size.height;
    return " " + name + "用紙・" + (landscape ? "横" : "縦") + " [" + std::to_string(width) +
           "mm×" + std::to_string(height) + "mm]";
}

}  // namespace keiro::print
