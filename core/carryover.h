#pragma once
// Carrying data over from the two earlier products, once, right after the data folder was
// created on the first start.
//
// When the 50-employee edition is installed (its Keiro.ini exists), its data files are already
// in this product's layout: every *.dat file of its data folder is copied, stopping at the first
// copy that fails, and its configuration file replaces ours.
//
// Otherwise the older payroll-printing product's data files are converted one by one, by the
// first four characters of their names:
//   "システム…"  its system log, left behind;
//   "社員情報…"  copied unchanged;
//   "源泉徴収…"  a withholding file: the 300-byte header is kept and the 80 records become 100
//               (the new ones zero);
//   anything else a year data file of the 80-employee layout, rewritten with 100 slots per period
//               (slots 81..100 zero).
// Then its configuration file "Inrado.ini" replaces ours.
//
// Only the new data folder and the configuration file are written, each file atomically and
// readable by its owner only.  A file already in the new data folder is never replaced.  A
// source file shorter than its layout is left behind with a reason rather than converted into a
// file with missing periods or records; a longer one is converted from its leading part.

#include <optional>
#include <string>
#include <vector>

#include "core/places.h"

namespace keiro {

enum class CarryOverSource { None, KeiroLite, Inrado4 };

inline constexpr std::string_view kMsgLiteCarriedOver = "｢Keiro 50人版｣のデータを移行しました。";
inline constexpr std::string_view kMsgInrado4CarriedOver =
    "｢Tanshop Inrado4｣のデータを移行しました。";

struct CarryOverResult {
    CarryOverSource source = CarryOverSource::None;
    std::vector<std::string> filesDone;  // names written into the new data folder
    std::vector<std::string> problems;   // one Japanese line per file left behind, with the reason
    bool iniReplaced = false;
    std::optional<StartupMessage> message;  // the information to show, when the ini was replaced
};

CarryOverResult carryOverFromEarlierProducts(const Places& places);

}  // namespace keiro
