// The main window with 100 employees, offscreen: showing a period (the grid built and drawn
// into its view) and committing it as the save button does (recalculation and the atomic save).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <random>

#include "calc/payroll_tables.h"
#include "core/fileio.h"
#include "core/startup.h"
#include "payroll/main_window.h"
#include "sample/company.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

namespace fs = std::filesystem;

class Office {
  public:
    Office()
        : folder_(fs::temp_directory_path() /
                  ("keiro-bench-main-" + std::to_string(std::random_device{}()))),
          places_(placesUnder(folder_, executableFolder())),
          state_(startWithoutWindows(
              places_, std::chrono::year_month_day{std::chrono::year(2026), std::chrono::month(6),
                                                   std::chrono::day(20)})),
          ini_(places_.iniFile),
          tables_(calc::loadPayrollTables(places_)) {
        year_.setFile(state_.currentYearFile, state_.currentYear.eraName,
                      state_.currentYear.eraYear, state_.eraNames);
        year_.openPeriod(6, sample::monthEntry(2026, 6), nullptr);
        sample::fillMonth(year_.block(), *tables_.grades, 2026, 6, kMaxEmployees);
        year_.savePeriod();
        const MainContext context{places_,         ini_,      state_.settings, tables_,
                                  state_.eraNames, messages_, dialogs_,        2026};
        window_ = std::make_unique<MainWindow>(context, year_);
        window_->resize(1280, 800);
        window_->show();
    }
    ~Office() {
        window_.reset();
        fs::remove_all(folder_);
    }
    MainWindow& window() { return *window_; }

  private:
    fs::path folder_;
    Places places_;
    StartupState state_;
    IniFile ini_;
    calc::PayrollTables tables_;
    ui::ScriptedMessageService messages_;
    ui::ScriptedFileDialogs dialogs_;
    YearData year_;
    std::unique_ptr<MainWindow> window_;
};

Office& office() {
    static Office o;
    return o;
}

void BM_ShowPeriod(benchmark::State& state) {
    MainWindow& window = office().window();
    for (auto _ : state) {
        window.showPeriod();
        QCoreApplication::processEvents();  // the grid view repaints
    }
}
BENCHMARK(BM_ShowPeriod)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CommitPeriod(benchmark::State& state) {
    MainWindow& window = office().window();
    window.showPeriod();
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.savePeriod());
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CommitPeriod)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace keiro::payroll

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
