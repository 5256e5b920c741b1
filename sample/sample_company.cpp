#include "sample/sample_company.h"

#include <string>
#include <system_error>

#include "calc/period_calc.h"
#include "core/era.h"
#include "core/fileio.h"
#include "sample/company.h"

namespace keiro::sample {
namespace {

namespace fs = std::filesystem;

ActiveItems activeItemsOf(const IniFile& ini, LayoutKind kind, const ItemNames& names) {
    return ActiveItems(buildPrintTables(loadLayout(ini, kind)), names);
}

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

// One year file of the sample, worked through month by month.
class SampleYear {
  public:
    SampleYear(const Places& places, const EraNames& names, int calendarYear,
               const calc::PayrollTables& tables, const Recalculator& recalculator)
        : calendarYear_(calendarYear), grades_(*tables.grades), recalculator_(recalculator) {
        const EraYear eraYear = fileEraYearOf(calendarYear, names);
        const fs::path path = places.dataFolder / yearFileName(eraYear);
        createYearFileIfMissing(path);
        year_.setFile(path, eraYear.eraName, eraYear.eraYear, names);
    }

    const fs::path& path() const { return year_.path(); }

    // Opens the month as the data-selection window does; a month without a previous one gets
    // the company and its employees, as the clerk enters them into an empty period.
    void saveMonth(int month, bool firstMonth, bool beforeTheSampleYear) {
        year_.openPeriod(month, monthEntry(calendarYear_, month),
                         [&](YearData& open, const OpenResult&) {
                             open.block().settings = companySettings(calendarYear_, month);
                             enterEmployees(open.block(), grades_, beforeTheSampleYear);
                         });
        updateCompanySettings(year_.block().settings, calendarYear_, month);
        enterMonth(year_.block(), month, firstMonth);
        if (firstMonth) enterHandEnteredPremium(year_.block());
        recalculator_.recalculate(year_);
        year_.savePeriod();
    }

    void saveSummerBonus() {
        PeriodEntry entry;
        entry.bonusPayMonth = kSummerBonusMonth;
        entry.bonusPayDay = kSummerBonusDay;
        year_.openPeriod(kSummerBonusPeriod, entry, nullptr);
        enterSummerBonus(year_.block());
        // Every employee was paid in June, so no tax needs hand entry; were one to, the clerk
        // would be left to enter it, as after answering No.
        recalculator_.recalculate(year_);
        year_.savePeriod();
    }

  private:
    int calendarYear_;
    const calc::HealthGradeTable& grades_;
    const Recalculator& recalculator_;
    YearData year_;
};

bool summerBonusPaid(std::chrono::year_month_day date) {
    const unsigned month = static_cast<unsigned>(date.month());
    const unsigned day = static_cast<unsigned>(date.day());
    return month > kSummerBonusMonth || (month == kSummerBonusMonth && day > kSummerBonusDay);
}

}  // namespace

Recalculator::Recalculator(const IniFile& ini, calc::PayrollTables& tables, int currentCalendarYear)
    : settings_(loadSettings(ini)),
      salary_(activeItemsOf(ini, LayoutKind::Salary, settings_.itemNames)),
      bonus_(activeItemsOf(ini, LayoutKind::Bonus, settings_.itemNames)),
      tables_(tables),
      currentCalendarYear_(currentCalendarYear) {}

std::vector<int> Recalculator::recalculate(YearData& year) const {
    const calc::CalcContext context{settings_, activeItems(isBonusPeriod(year.period())),
                                    tables_.tax, currentCalendarYear_};
    return calc::RecalculatePeriod(year, context, nullptr);
}

SampleFiles createSampleCompany(const fs::path& root, std::chrono::year_month_day date,
                                const fs::path& programFolder) {
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

    if (currentMonth == 1) {
        // Nothing of the new year is saved yet: the December before gives the program a month
        // to start from.
        SampleYear previous(places, names, calendarYear - 1, tables, recalculator);
        previous.saveMonth(12, true, true);
        files.yearFiles.push_back(previous.path());
    }
    SampleYear current(places, names, calendarYear, tables, recalculator);
    for (int month = 1; month < currentMonth; ++month) {
        current.saveMonth(month, month == 1, false);
        if (month == 6 && summerBonusPaid(date)) current.saveSummerBonus();
    }
    files.yearFiles.push_back(current.path());
    return files;
}

}  // namespace keiro::sample
