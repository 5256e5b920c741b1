#include "core/csv_cells.h"

namespace keiro {
namespace {

bool isPlainNumber(std::string_view cell) {
    if (!cell.empty() && (cell.front() == '-' || cell.front() == '+')) cell.remove_prefix(1);
    if (cell.empty()) return false;
    for (const char c : cell) {
        if ((c < '0' || c > '9') && c != ',' && c != '.') return false;
    }
    return true;
}

bool startsLikeFormula(std::string_view cell) {
    return !cell.empty() &&
           std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
}

}  // namespace

bool looksLikeFormula(std::string_view cell) {
    return startsLikeFormula(cell) && !isPlainNumber(cell);
}

std::string neutralisedCell(std::string_view cell) {
    return looksLikeFormula(cell) ? "'" + std::string(cell) : std::string(cell);
}

std::string_view withoutNeutraliser(std::string_view cell) {
    if (cell.size() >= 2 && cell.front() == '\'' && looksLikeFormula(cell.substr(1)))
        cell.remove_prefix(1);
    return cell;
}

}  // namespace keiro
