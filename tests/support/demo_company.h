#pragma once
// The sample company of keiro-tool demo (dated 2026-12-08) in a temporary settings root, started
// as the program starts, with one period of the current year's file opened: everything a window
// test needs besides the window itself (scripted message boxes and file dialogs included).
// Test executables that link keiro_sample and find the table files under KEIRO_BINARY_DIR.

#include "tests/support/demo_year.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::testing_support {

struct DemoCompany : DemoYear {
    using DemoYear::DemoYear;

    ui::ScriptedMessageService messages;
    ui::ScriptedFileDialogs dialogs;
};

}  // namespace keiro::testing_support
