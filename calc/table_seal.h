#pragma once
// The seal that closes every table file the build writes: after the table's own bytes come
// the 4 bytes "KXCS" and the FNV-1a (32 bits, little-endian) of every byte before them.  A flipped
// bit anywhere in the file then shows, in the table's fixed part as well as in its extension.
//
// A file without the seal is damaged like one whose seal does not match: a flipped bit in it
// would otherwise go unseen wherever the table's own plausibility checks cannot tell.

#include <cstddef>
#include <string>
#include <string_view>

#include "calc/table_check.h"

namespace keiro::calc {

inline constexpr char kTableSealMagic[4] = {'K', 'X', 'C', 'S'};
inline constexpr std::size_t kTableSealSize = 8;

// `content` followed by its seal.
std::string sealTable(std::string_view content);

struct UnsealedTable {
    std::string_view content;  // the bytes before the seal; the whole file when it has none
    bool sealed = false;       // the file ends in a seal
    bool intact = false;       // a seal whose checksum matches
};

UnsealedTable unsealTable(std::string_view bytes);

// For the checkers: notes a broken seal as a fault, and returns the table's own bytes to check
// further.
std::string_view checkTableSeal(std::string_view bytes, TableCheck& check);

// The faults of a check as one text for a message, one a line.
std::string faultLines(const TableCheck& check);

}  // namespace keiro::calc
