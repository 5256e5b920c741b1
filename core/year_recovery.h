#pragma once
// Saving when the year file has gone or is damaged: the open period must never be lost because
// the file under it was deleted, pulled away with its stick or cut short.  A missing file is
// started afresh; a damaged one is kept beside under a new name, and every period that can
// still be read from it is carried into the new file.

#include <filesystem>
#include <string>
#include <vector>

#include "core/records.h"

namespace keiro {

class YearData;

// Saves the open period as YearData::savePeriod does (the period marked saved, the header and
// its block written, through a symbolic link into the file it names).  When the file has gone,
// a new one holds the header and this period; when it is damaged (not a year file's size, a
// header out of range), it is kept under a new name beside and a new one holds every saved
// period still readable and this one.  Returns what the clerk is to be told then, or "" after
// an ordinary save.  IoError when nothing could be written; memory is as before then.
std::string saveOpenPeriod(YearData& year);

struct RecoveredYear {
    std::string content;              // a whole year file: header and fifteen blocks
    std::filesystem::path keptAs;     // where the damaged file was kept; empty when missing
    std::vector<int> carriedPeriods;  // saved periods taken over from the damaged file
    std::vector<int> lostPeriods;     // saved periods that could not be read
    bool headerLost = false;          // too short to tell which periods were saved
};

// An empty year file's content for a file that is missing.
RecoveredYear startMissingYearFile();

// Keeps the damaged file at `path` under a new name beside it (the original stays readable
// there until the new file replaces it) and collects the sound saved periods other than
// `openPeriod`.  Throws IoError when the file cannot be read at all.
RecoveredYear salvageDamagedYearFile(const std::filesystem::path& path, int openPeriod);

// What to tell the clerk after saving into `path` from a recovery.
std::string recoveryNotice(const std::filesystem::path& path, const RecoveredYear& recovered);

}  // namespace keiro
