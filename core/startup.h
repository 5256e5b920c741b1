#pragma once
// The payroll program's start-up up to the point where windows take over: prove the settings
// folder writable, read the configuration, name the current year's file, make sure the data
// folder exists (carrying data over from the earlier products right after creating it) and
// create the current year's file when missing.  The window shows the messages in order and
// closes when `proceed` is false.  (The table files are loaded by the calculation library.)

#include <chrono>
#include <filesystem>
#include <vector>

#include "core/carryover.h"
#include "core/era.h"
#include "core/places.h"
#include "core/settings.h"

namespace keiro {

struct StartupState {
    bool proceed = false;
    std::vector<StartupMessage> messages;  // in the order they are to be shown
    Places places;
    Settings settings;
    EraNames eraNames;
    EraYear currentYear;
    std::filesystem::path currentYearFile;
    bool currentYearFileCreated = false;
    CarryOverResult carryOver;
};

StartupState startWithoutWindows(const Places& places, std::chrono::year_month_day today);

}  // namespace keiro
