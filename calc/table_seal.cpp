#include "calc/table_seal.h"

#include <cstdint>
#include <cstring>

#include "calc/tax_tables.h"

namespace keiro::calc {

std::string sealTable(std::string_view content) {
    std::string out(content);
    out.append(kTableSealMagic, sizeof kTableSealMagic);
    const std::uint32_t checksum = fnv1a32(content);
    out.append(reinterpret_cast<const char*>(&checksum), sizeof checksum);
    return out;
}

UnsealedTable unsealTable(std::string_view bytes) {
    if (bytes.size() < kTableSealSize) return {bytes, false, false};
    const std::string_view seal = bytes.substr(bytes.size() - kTableSealSize);
    if (std::memcmp(seal.data(), kTableSealMagic, sizeof kTableSealMagic) != 0) {
        return {bytes, false, false};
    }
    const std::string_view content = bytes.substr(0, bytes.size() - kTableSealSize);
    std::uint32_t stored = 0;
    std::memcpy(&stored, seal.data() + sizeof kTableSealMagic, sizeof stored);
    return {content, true, stored == fnv1a32(content)};
}

std::string_view checkTableSeal(std::string_view bytes, TableCheck& check) {
    const UnsealedTable table = unsealTable(bytes);
    if (!table.sealed) {
        check.faults.push_back("検査値がありません（ファイルが壊れています）。");
    } else if (!table.intact) {
        check.faults.push_back("検査値が合いません（ファイルが壊れています）。");
    }
    return table.content;
}

std::string faultLines(const TableCheck& check) {
    std::string text;
    for (const std::string& fault : check.faults) text += (text.empty() ? "" : "\n") + fault;
    return text;
}

}  // namespace keiro::calc
