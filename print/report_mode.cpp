#include "print/report_mode.h"

namespace keiro::print {

int reportTag(const ReportMode& mode) {
    return 100 * static_cast<int>(mode.kind) + mode.period;
}

std::optional<ReportMode> reportModeFromTag(int tag) {
    if (tag < 0) return std::nullopt;
    const int kind = tag / 100;
    switch (kind) {
        case 1:
        case 2:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 10:
            return ReportMode{static_cast<ReportKind>(kind), tag % 100};
        default:
            return std::nullopt;
    }
}

bool oneSlipPerSheet(int formType) {
    return formType == 1 || formType == 2 || formType == 5 || formType == 6;
}

}  // namespace keiro::print
