// Keiro, the payroll program.  Until the main window exists it runs the start-up that needs no
// window and reports what it did.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "calc/payroll_tables.h"
#include "core/startup.h"

namespace {

const char* kindName(keiro::StartupMessage::Kind kind) {
    switch (kind) {
        case keiro::StartupMessage::Kind::Information:
            return "情報";
        case keiro::StartupMessage::Kind::Warning:
            return "警告";
        case keiro::StartupMessage::Kind::Error:
            return "エラー";
    }
    return "";
}

}  // namespace

int main() {
    using namespace std::chrono;
    try {
        const year_month_day today = keiro::todayInJapan();
        keiro::StartupState state =
            keiro::startWithoutWindows(keiro::placesFromEnvironment(), today);
        const keiro::calc::PayrollTables tables = keiro::calc::loadPayrollTables(state.places);
        if (state.proceed) {
            for (const auto& message : tables.missingTableMessages()) {
                state.messages.push_back(message);
            }
            state.proceed = tables.complete();
        }
        std::printf("設定フォルダー: %s\n", state.places.settingsFolder.c_str());
        std::printf("データフォルダー: %s\n", state.places.dataFolder.c_str());
        if (!state.currentYearFile.empty()) {
            std::printf("今年のデータファイル: %s%s\n", state.currentYearFile.c_str(),
                        state.currentYearFileCreated ? " (作成しました)" : "");
        }
        std::printf("表データファイル: %d/%d\n", tables.report.loaded, tables.kRequired);
        for (const auto& message : state.messages) {
            std::printf("[%s] %s\n", kindName(message.kind), message.text.c_str());
        }
        return state.proceed ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
