#include "calc/payroll_tables.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "core/entry.h"
#include "core/era.h"
#include "core/fileio.h"
#include "core/yearfile.h"

namespace keiro::calc {
namespace {

namespace fs = std::filesystem;

std::optional<int> number(std::string_view digits, std::size_t width) {
    if (digits.size() != width) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Loads one folder's files; the reasons of those missing or unusable go to `problems`.
DatedTables loadDated(const fs::path& folder, const TableStart& start,
                      std::vector<std::string>& problems) {
    DatedTables dated{start, {}, std::nullopt};
    for (const std::string_view name : tableFilesIn(folder, start)) {
        const fs::path path = folder / name;
        const std::string shown =
            std::string(kYearTablesFolderName) + "/" + start.folderName() + "/" + std::string(name);
        if (!isFile(path)) {
            problems.push_back("表データファイル「" + shown + "」がありません。");
            continue;
        }
        try {
            if (name == kSalaryTaxTableFileName) {
                dated.tax.salary = SalaryTaxTable::fromFile(path);
            } else if (name == kBonusTaxTableFileName) {
                dated.tax.bonus = BonusTaxTable::fromFile(path);
            } else {
                dated.grades = HealthGradeTable::load(path);
            }
        } catch (const TableError& e) {
            problems.emplace_back(e.what());
        } catch (const IoError& e) {
            problems.emplace_back(e.what());
        }
    }
    return dated;
}

void loadYearFolders(const Places& places, PayrollTables& tables) {
    const std::optional<fs::path> root = findTableFolder(places, kYearTablesFolderName);
    if (!root) return;
    std::vector<std::pair<TableStart, fs::path>> folders;
    std::error_code error;
    for (fs::directory_iterator it(*root, error), end; !error && it != end; it.increment(error)) {
        const std::optional<TableStart> start = TableStart::parse(it->path().filename().string());
        std::error_code kind;
        if (start && it->is_directory(kind)) folders.emplace_back(*start, it->path());
    }
    std::sort(folders.begin(), folders.end());
    for (const auto& [start, folder] : folders) {
        std::vector<std::string> problems;
        DatedTables dated = loadDated(folder, start, problems);
        if (problems.empty()) {
            tables.dated.push_back(std::move(dated));
            continue;
        }
        tables.unusableFolders.push_back(start);
        for (std::string& problem : problems) tables.datedProblems.push_back(std::move(problem));
    }
}

bool holds(const DatedTables& d, TaxKind kind) {
    return d.start.month == 1 &&
           (kind == TaxKind::Salary ? d.tax.salary.loaded() : d.tax.bonus.loaded());
}

}  // namespace

std::string TableStart::folderName() const {
    std::string name = std::to_string(year);
    if (month != 1) name += (month < 10 ? "-0" : "-") + std::to_string(month);
    return name;
}

std::optional<TableStart> TableStart::parse(std::string_view name) {
    const std::optional<int> year = number(name.substr(0, 4), 4);
    if (!year) return std::nullopt;
    if (name.size() == 4) return TableStart{*year, 1};
    if (name.size() != 7 || name[4] != '-') return std::nullopt;
    const std::optional<int> month = number(name.substr(5), 2);
    if (!month || *month < 2 || *month > 12) return std::nullopt;
    return TableStart{*year, *month};
}

std::vector<std::string_view> tableFilesIn(const fs::path& folder, const TableStart& start) {
    std::vector<std::string_view> names;
    if (start.month == 1) {
        const bool bonus = isFile(folder / kBonusTaxTableFileName);
        if (bonus || isFile(folder / kSalaryTaxTableFileName)) {
            names.push_back(kSalaryTaxTableFileName);
        }
        if (bonus) names.push_back(kBonusTaxTableFileName);
    }
    names.push_back(kHealthGradeTableFileName);
    return names;
}

int fileCalendarYearOf(const YearData& year) {
    return calendarYearOf(EraYear{year.eraName(), year.eraYear()}, year.eraNames());
}

int taxYearOf(const YearData& year) {
    const int calendarYear = fileCalendarYearOf(year);
    const bool paidInJanuary = year.period() == 12 && year.block().settings.payNextMonth == 1;
    return paidInJanuary ? calendarYear + 1 : calendarYear;
}

int gradeMonthOf(const YearData& year) {
    const int period = year.period();
    if (!isBonusPeriod(period)) return std::clamp(period, 1, 12);
    const int month = year.header().bonusPayMonth[period - kFirstBonusPeriod];
    return month >= 1 && month <= 12 ? month : 1;
}

std::vector<StartupMessage> PayrollTables::missingTableMessages() const {
    if (complete()) return {};
    std::vector<StartupMessage> messages;
    for (const std::string& problem : report.problems) {
        messages.push_back({StartupMessage::Kind::Warning, problem});
    }
    messages.push_back({StartupMessage::Kind::Error, std::string(kMsgTablesMissing)});
    return messages;
}

std::vector<StartupMessage> PayrollTables::datedTableMessages() const {
    if (unusableFolders.empty()) return {};
    std::string folders;
    for (const TableStart& start : unusableFolders) {
        std::string text = std::to_string(start.year) + "年";
        if (start.month != 1) text += std::to_string(start.month) + "月";
        if (folders.find(text) == std::string::npos) {
            folders += (folders.empty() ? "" : "、") + text;
        }
    }
    std::string text;
    for (const std::string& problem : datedProblems) text += problem + "\n";
    text += folders + "分の表データが使えないため、その年の給与・賞与は最新の表で計算します。";
    return {{StartupMessage::Kind::Warning, text}};
}

int PayrollTables::newestYear(TaxKind kind) const {
    int newest = 0;
    for (const DatedTables& d : dated) {
        if (holds(d, kind)) newest = std::max(newest, d.start.year);
    }
    return newest;
}

bool PayrollTables::unusableYear(int year) const {
    return std::any_of(unusableFolders.begin(), unusableFolders.end(),
                       [year](const TableStart& s) { return s.year == year && s.month == 1; });
}

PayrollTables::KindChoice PayrollTables::choose(int calendarYear, TaxKind kind) const {
    std::optional<int> oldest;
    const auto consider = [&oldest](int year) { oldest = std::min(oldest.value_or(year), year); };
    for (const DatedTables& d : dated) {
        if (holds(d, kind)) consider(d.start.year);
    }
    for (const TableStart& start : unusableFolders) {
        if (start.month == 1) consider(start.year);
    }
    if (!oldest) return {nullptr, 0, true};
    // Before the oldest folder: the oldest stands for it.
    const int year = std::max(calendarYear, *oldest);
    if (unusableYear(year)) return {nullptr, newestYear(kind), true};
    // The year's own, else the newest earlier one of the kind.
    const DatedTables* found = nullptr;
    for (const DatedTables& d : dated) {
        if (holds(d, kind) && d.start.year <= year) found = &d;
    }
    if (found == nullptr) return {nullptr, newestYear(kind), true};
    return {found, found->start.year, found->start.year != year};
}

TaxChoice PayrollTables::taxFor(int calendarYear, TaxKind kind) {
    const KindChoice salary = choose(calendarYear, TaxKind::Salary);
    const KindChoice bonus = choose(calendarYear, TaxKind::Bonus);
    TaxTables& tables = composed_[calendarYear];
    tables.salary = salary.folder != nullptr ? salary.folder->tax.salary : tax.salary;
    tables.bonus = bonus.folder != nullptr ? bonus.folder->tax.bonus : tax.bonus;
    const KindChoice& asked = kind == TaxKind::Salary ? salary : bonus;
    return {tables, asked.year, asked.fellBack};
}

TaxChoice PayrollTables::taxFor(const YearData& year) {
    return taxFor(taxYearOf(year), isBonusPeriod(year.period()) ? TaxKind::Bonus : TaxKind::Salary);
}

const HealthGradeTable* PayrollTables::gradesFor(int calendarYear, int month) const {
    const TableStart at{calendarYear, month};
    const HealthGradeTable* found = nullptr;
    const HealthGradeTable* oldest = nullptr;
    for (const DatedTables& d : dated) {
        if (!d.grades) continue;
        if (oldest == nullptr) oldest = &*d.grades;
        if (d.start <= at) found = &*d.grades;
    }
    if (found == nullptr) found = oldest;  // before the oldest: the oldest
    return found != nullptr ? found : grades ? &*grades : nullptr;
}

const HealthGradeTable* PayrollTables::gradesFor(const YearData& year) const {
    return gradesFor(fileCalendarYearOf(year), gradeMonthOf(year));
}

std::string missingTaxYearNotice(int year, int newestYear, const EraNames& names, TaxKind kind) {
    const auto yearText = [&names](int calendarYear) {
        const EraYear era = fileEraYearOf(calendarYear, names);
        return era.eraName + std::to_string(era.eraYear) + "年（" + std::to_string(calendarYear) +
               "年）分";
    };
    const std::string table = kind == TaxKind::Bonus ? "賞与の税額表" : "税額表";
    return yearText(year) + "の" + table + "がありません。\n最新の" +
           (newestYear > 0 ? yearText(newestYear) + "の" : std::string()) + table +
           "で計算します。";
}

std::function<const HealthGradeTable&(int)> gradesFromMonth(const PayrollTables& tables,
                                                            const HealthGradeTable& fallback) {
    return [&tables, &fallback](int yearMonth) -> const HealthGradeTable& {
        const HealthGradeTable* found = tables.gradesFor(yearMonth / 100, yearMonth % 100);
        return found != nullptr ? *found : fallback;
    };
}

PayrollTables loadPayrollTables(const Places& places) {
    PayrollTables tables;
    tables.tax = LoadTaxTables(places, tables.report);
    if (const auto file = findTableFile(places, kHealthGradeTableFileName)) {
        try {
            tables.grades = HealthGradeTable::load(*file);
            ++tables.report.loaded;
        } catch (const IoError& e) {
            tables.report.problems.emplace_back(e.what());
        }
    } else {
        tables.report.problems.push_back(missingTableProblem(kHealthGradeTableFileName));
    }
    loadYearFolders(places, tables);
    return tables;
}

}  // namespace keiro::calc
