#pragma once
// What the payroll program's main window and the parts it delegates to need from the program,
// all made before the window.

#include "calc/payroll_tables.h"
#include "core/era.h"
#include "core/ini.h"
#include "core/places.h"
#include "core/settings.h"

namespace keiro::ui {
class FileDialogs;
class MessageService;
}  // namespace keiro::ui

namespace keiro::payroll {

struct MainContext {
    const Places& places;
    IniFile& ini;
    Settings& settings;
    calc::PayrollTables& tables;
    EraNames eraNames;
    ui::MessageService& messages;
    ui::FileDialogs& dialogs;
    int currentCalendarYear = 0;
};

}  // namespace keiro::payroll
