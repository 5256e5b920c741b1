#include "sample/sample_company.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

#include "calc/payroll_tables.h"
#include "core/era.h"
#include "core/fileio.h"
#include "sample/company.h"
#include "sample/recalculator.h"
#include "sample/roster.h"

namespace keiro::sample {
namespace {

namespace fs = std::filesystem;

bool hasEntries(const fs::path& folder) {
    std::error_code error;
    return fs::exists(folder, error) && !fs::is_empty(folder, error);
}

void refuseExistingData(const Places& places) {
    std::error_code error;
    if (fs::exists(places.iniFile, error)) {
        throw SampleRefused("設定ファイルが既にあるため、サンプルデータを作成しません: " +
                            places.iniFile.string());
    }
    if (hasEntries(places.dataFolder)) {
        throw SampleRefused(
            "データ用フォルダーにファイルがあるため、サンプルデータを作成しません: " +
            places.dataFolder.string());
    }
}

calc::PayrollTables loadTables(const Places& places) {
    calc::PayrollTables tables = calc::loadPayrollTables(places);
    if (!tables.complete()) {
        std::string message;
        for (const StartupMessage& m : tables.missingTableMessages()) message += m.text + "\n";
        throw SampleRefused(message + places.programFolder.string());
    }
    return tables;
}

// The two years the sample may write: the year of its date and the one before.
enum class Year { Before, Sample };

// One year file of the sample, worked through month by month.
class SampleYear {
  public:
    SampleYear(const Places& places, const EraNames& names, int calendarYear, Year which,
               int employees, const calc::PayrollTables& tables, const Recalculator& recalculator)
        : calendarYear_(calendarYear),
          which_(which),
          employees_(employees),
          tables_(tables),
          recalculator_(recalculator) {
        const EraYear eraYear = fileEraYearOf(calendarYear, names);
        const fs::path path = places.dataFolder / yearFileName(eraYear);
        createYearFileIfMissing(path);
        year_.setFile(path, eraYear.eraName, eraYear.eraYear, names);
    }

    const fs::path& path() const { return year_.path(); }

    // Months 1..lastMonth, each bonus paid by `date` after the month before its pay month.
    void saveMonths(int lastMonth, std::chrono::year_month_day date) {
        for (int month = 1; month <= lastMonth; ++month) {
            saveMonth(month);
            for (const BonusDate& bonus : {kSummerBonus, kWinterBonus}) {
                if (month == bonus.month - 1 && isPaidBy(bonus, date)) saveBonus(bonus);
            }
        }
    }

  private:
    // Opens the month as the data-selection window does; a month without a previous one gets
    // the company and its employees, as the clerk enters them into an empty period, and the
    // paid-leave balances typed in.
    void saveMonth(int month) {
        const bool sampleYear = which_ == Year::Sample;
        const OpenResult opened = year_.openPeriod(
            month, monthEntry(calendarYear_, month), [&](YearData& open, const OpenResult&) {
                open.document().setSettings(companySettings(calendarYear_, month));
                // The grades in force that month (the pension range changed in 2020).
                addEmployees(open.document(), *tables_.gradesFor(calendarYear_, month),
                             !sampleYear);
            });
        PayrollPeriod& period = year_.document();
        PeriodSettings settings = period.settings();
        const bool ratesChanged = updateCompanySettings(settings, calendarYear_, month);
        period.setSettings(settings);
        if (ratesChanged && !opened.needsCompanyData) {
            updatePremiums(period, *tables_.gradesFor(calendarYear_, month));
        }
        const bool opensTheSampleYear = sampleYear && month == 1;
        if (opensTheSampleYear && !opened.needsCompanyData) recordLeavers(period);
        enterMonth(period, month,
                   !opened.needsCompanyData ? LeaveStart::Carried
                   : sampleYear             ? LeaveStart::SampleYear
                                            : LeaveStart::YearBefore);
        if (opensTheSampleYear) enterHandEnteredPremium(period);
        recalculator_.recalculate(year_);
        year_.savePeriod();
    }

    void saveBonus(const BonusDate& bonus) {
        PeriodEntry entry;
        entry.bonusPayMonth = bonus.month;
        entry.bonusPayDay = bonus.day;
        year_.openPeriod(bonus.period, entry, nullptr);
        enterBonus(year_.document(), bonus);
        // Every employee was paid the month before, so the bonus rate table serves each of them;
        // one who was not would have the tax worked by the monthly-table method.
        recalculator_.recalculate(year_);
        year_.savePeriod();
    }

    // The roster, each employee added as the employee editor adds a new one: into the empty
    // period, so that the roster's slot is the employee's.
    void addEmployees(PayrollPeriod& period, const calc::HealthGradeTable& grades,
                      bool beforeTheSampleYear) const {
        for (int slot = 1; slot <= employees_; ++slot) {
            const EmployeeRecord employee =
                employeeRecord(slot, beforeTheSampleYear, grades, period.settings());
            const std::optional<EmployeeId> added = period.addEmployee(employee);
            if (!added || period.slotOf(*added) != slot) {
                throw std::logic_error("the sample roster needs an empty period");
            }
        }
    }

    int calendarYear_;
    Year which_;
    int employees_;
    const calc::PayrollTables& tables_;
    const Recalculator& recalculator_;
    YearData year_;
};

}  // namespace

SampleFiles createSampleCompany(const fs::path& root, std::chrono::year_month_day date,
                                const fs::path& programFolder, int employees) {
    if (employees < 1 || employees > kMaxEmployees) {
        throw std::invalid_argument("employees " + std::to_string(employees) + " outside 1..100");
    }
    SampleFiles files;
    files.places = placesUnder(root, programFolder);
    const Places& places = files.places;
    refuseExistingData(places);
    calc::PayrollTables tables = loadTables(places);

    createPrivateDirectories(places.dataFolder);
    {
        IniFile ini(places.iniFile);
        writeSampleSettings(ini);
    }
    const IniFile ini(places.iniFile);
    const int calendarYear = static_cast<int>(date.year());
    const Recalculator recalculator(ini, tables, calendarYear);
    const EraNames names = eraNamesFor(date, recalculator.settings().newEraName);
    const int currentMonth = static_cast<int>(static_cast<unsigned>(date.month()));

    if (currentMonth <= 3) {
        // Early in the year the year before is still in use (its year-end adjustment, and the
        // new January opens from its December), so it is there complete.
        const std::chrono::year_month_day yearEnd{std::chrono::year(calendarYear - 1),
                                                  std::chrono::December, std::chrono::day(31)};
        SampleYear before(places, names, calendarYear - 1, Year::Before, employees, tables,
                          recalculator);
        before.saveMonths(12, yearEnd);
        files.yearFiles.push_back(before.path());
    }
    SampleYear current(places, names, calendarYear, Year::Sample, employees, tables, recalculator);
    current.saveMonths(currentMonth - 1, date);
    files.yearFiles.push_back(current.path());
    return files;
}

}  // namespace keiro::sample
