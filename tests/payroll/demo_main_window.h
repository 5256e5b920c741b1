#pragma once
// The sample company with one period open in a shown main window, for tests of the windows the
// main window opens.

#include <memory>

#include "payroll/main_window.h"
#include "tests/support/demo_company.h"

namespace keiro::payroll {

struct DemoMainWindow : testing_support::DemoCompany {
    std::unique_ptr<MainWindow> main;

    explicit DemoMainWindow(int period) : DemoCompany(period) {
        MainContext context{places,         *ini,     state.settings, tables,
                            state.eraNames, messages, dialogs,        2026};
        main = std::make_unique<MainWindow>(context, year);
        main->show();
        main->showPeriod();
    }
};

}  // namespace keiro::payroll
