#pragma once
// Japan Post's postal-code list (KEN_ALL.CSV: code page 932, one line per code and town, CR LF)
// turned into the lines of "YubinNo.dat".
//
// Of the fifteen columns the third is the seven-digit code and the seventh to ninth are the
// prefecture, the city and the town in kanji.  Every line is checked: at least nine columns,
// a code of seven digits, one of the 47 prefectures, a city and a town, all readable as code
// page 932.  One bad line refuses the whole file (a postal list with holes would complete
// addresses wrongly without anyone noticing); the messages name the lines.
//
// The address of an entry is prefecture + city + town, with the town tidied:
//  - "以下に掲載がない場合" (the code of the rest of the city) and "…の次に番地がくる場合" (the
//    town name is followed directly by the lot number) give no town;
//  - "…一円" (the whole of the place) gives no town, except for the real town called 一円;
//  - a town with a note in parentheses keeps the text before it: "大通西（１～１９丁目）" gives
//    "大通西", "（次のビルを除く）" and the floor entries of large buildings give their plain
//    town.  The notes are long lists of lots and blocks that the clerk completes by hand
//    anyway, and they are what Japan Post splits over several lines when they get too long;
//    the continuation lines repeat the code, so they simply fall under the next rule.
//  - A code that occurs on several lines keeps the first line's address (the one the lookup
//    would find first anyway).
//
// The first column, the five-digit code of the municipality, goes with the city column into the
// list of which municipality each postal code lies in (core/municipality_file.h); a line whose
// first column is not five digits simply gives no such entry.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/municipality_file.h"

namespace keiro::withholding {

struct PostalEntry {
    std::string code;     // seven digits
    std::string address;  // UTF-8
    bool operator==(const PostalEntry&) const = default;
};

struct PostalConversion {
    std::vector<PostalEntry> entries;                // in file order, one per code
    std::vector<PostalMunicipality> municipalities;  // in file order, one per code
    std::size_t lines = 0;            // data lines read (blank lines are not counted)
    std::vector<std::string> errors;  // Japanese, each naming its line; at most kMaxErrors
    std::size_t errorCount = 0;       // all faulty lines, also those not listed
    bool ok() const { return errorCount == 0 && !entries.empty(); }
};

inline constexpr std::size_t kMaxErrors = 20;

// Reads a KEN_ALL.CSV text (code page 932 bytes).  An empty text gives one error.
PostalConversion convertKenAll(std::string_view csvBytes);

// The lines of YubinNo.dat: "1234567 address" with CR LF, code page 932.
std::string postalFileText(const std::vector<PostalEntry>& entries);

}  // namespace keiro::withholding
