#pragma once
// Copying the company settings and the employee list of another saved month into a new period
// that has nothing to start from (the "参照するデータの選択" window).

#include <filesystem>
#include <string>
#include <vector>

#include "core/era.h"
#include "core/yearfile.h"

namespace keiro {

// One saved month of one year file, or a year file that cannot be read.
struct SavedMonth {
    std::string text;  // "%s%2d月分給与" of the year entry and month: "令和08年 5月分給与"
    std::filesystem::path path;
    int month = 0;  // 1..12; 0 for a damaged file
    // Why the file cannot be read; the entry is then only shown, never copied from.
    std::string damage;
    bool usable() const { return damage.empty(); }
};

// Every saved month of every existing year file of the data folder, in the order of the year
// list and then by month.  A year file that cannot be read does not hide the others: it is
// listed once, in its place, as "令和07年 (読み込めないファイルです)" with the reason.
std::vector<SavedMonth> listSavedMonths(const std::filesystem::path& dataFolder,
                                        const EraNames& names);

// Replaces the open period's settings and employees with those of `source`, with every remark
// emptied, and zeroes its attendance, payments and deductions.  Returns whether the copied
// company name is non-empty.  On an IoError the open period is unchanged.
bool copyFromMonth(YearData& year, const SavedMonth& source);

}  // namespace keiro
