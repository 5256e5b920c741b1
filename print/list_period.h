#pragma once
// How the monthly list names its period: the title of its pages, the period in the print
// dialog's page panel and the name proposed for its CSV file.
//
// The year is the one shown for the period's month: the earlier era's 31 after April is year 1
// of the new era, as everywhere else (a bonus counts by the month it is paid).

#include <string>

#include "core/era.h"
#include "core/items.h"
#include "core/records.h"

namespace keiro::print {

struct ListPeriod {
    int period = 1;  // 1..12 the salary months, 13..15 the bonuses
    EraYear shownYear;
    std::string extraBonusName;  // the user's name of bonus 15 (TokuSyoyo)
};

// The month a period belongs to: a salary month's own number, a bonus's pay month from the
// year file's header (0 when none is set).
int periodMonth(int period, const YearFileHeader& header);

ListPeriod listPeriod(int period, int month, const EraYear& fileYear, const EraNames& eras,
                      const ItemNames& names);

// "令和8年 12 月 分 給 与 一 覧", "令和8年 夏 期 賞 与 一 覧", "令和8年 冬 期 賞 与 一 覧",
// "令和8年 特 別 賞 与 一 覧" (the first four characters of the extra bonus's name, spaced).
std::string listTitle(const ListPeriod& period);
// "12月分･給与", "夏期賞与", "冬期賞与" or the extra bonus's name.
std::string listPeriodName(const ListPeriod& period);
// "令和8年･12月分給与一覧.csv", "令和8年･夏期賞与一覧.csv" and so on, made a safe file name.
std::string listCsvFileName(const ListPeriod& period);

}  // namespace keiro::print
