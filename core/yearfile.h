#pragma once
// The year data file: a 128-byte header and fifteen period blocks (months 1..12, bonuses
// 13..15).  The payroll program keeps one period in memory (YearData); saving replaces the
// file atomically with the header and that block patched in, so a failed save never leaves a
// half-written file.  Every file failure is an IoError naming the file; a file shorter than a
// year file is refused before anything is read from it or written to it.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/era.h"
#include "core/payroll_period.h"
#include "core/records.h"

namespace keiro {

// --- any year file -----------------------------------------------------------------------

// Creates an all-zero year file (mode 0600) when nothing exists at `path`; an existing file is
// left untouched.  Returns whether the file was created.
bool createYearFileIfMissing(const std::filesystem::path& path);

// Read one piece of a year file; IoError when it cannot be read or is not a whole year file.
YearFileHeader readYearFileHeader(const std::filesystem::path& path);
void readPeriodBlock(const std::filesystem::path& path, int period, PeriodBlock& out);
std::unique_ptr<PeriodBlock> readPeriodBlock(const std::filesystem::path& path, int period);

// Replaces the blocks of saved periods other than the open one (the yearly social-insurance
// decisions written into the months they apply to): one rewrite of the whole file, the header
// unchanged.  std::invalid_argument for a period that is not saved; IoError as for reading.
void rewriteSavedBlocks(const std::filesystem::path& path,
                        const std::vector<std::pair<int, const PeriodBlock*>>& blocks);
// The array index (0-based) of the first employee with this record id; -1 when none (or empty).
int slotOf(const PeriodBlock& block, std::string_view recordId);

// The checks of the "データファイル作成" dialog, then the creation: `error` holds the message
// to show ("年の入力エラー(0以下または元年は不可)", "入力された年のデータは存在します。"), or is
// empty when the file was created.
struct NewYearFile {
    std::string error;
    std::filesystem::path path;
};
NewYearFile createNewYearFile(const std::filesystem::path& dataFolder, std::string_view eraName,
                              int eraYear);

// --- the open year ------------------------------------------------------------------------

// What the data-selection window collected for the period being opened.
struct PeriodEntry {
    int scheduledDays = 0;      // months: 所定労働日数
    double scheduledHours = 0;  // months: 所定労働時間
    int bonusPayMonth = 0;      // bonuses: pay month and day, kept in the header
    int bonusPayDay = 0;
};

// The outcome of the first half of opening a new period.
struct OpenResult {
    bool needsCompanyData = false;  // no company data: offer to copy another month
    bool laterMonthSaved = false;   // the previous month's copy was dropped for a later month
};

class YearData {
  public:
    YearData();
    ~YearData();
    YearData(YearData&&) noexcept;
    YearData& operator=(YearData&&) noexcept;

    // Chooses the file to work on; no period is open afterwards.
    void setFile(std::filesystem::path path, std::string eraName, int eraYear, EraNames names);

    const std::filesystem::path& path() const { return path_; }
    const std::string& eraName() const { return eraName_; }
    int eraYear() const { return eraYear_; }
    const EraNames& eraNames() const { return names_; }
    std::filesystem::path previousYearPath() const;

    int period() const { return period_; }  // 1..15, 0 before a period is opened
    YearFileHeader& header() { return header_; }
    const YearFileHeader& header() const { return header_; }
    PeriodBlock& block() { return document_.block(); }
    const PeriodBlock& block() const { return document_.block(); }
    // The open period as a document: typed editing, changes, the unsaved-change test.
    PayrollPeriod& document() { return document_; }
    const PayrollPeriod& document() const { return document_; }

    // Opening a period comes in two halves so that the copy-from-another-month window can run
    // in between when the new period has no company data:
    //   beginOpenPeriod reads the header and the period (a saved one whole; a new one starts
    //   from the previous month's settings and employees, with empty remarks and zero amounts,
    //   or, when that gives no company data, from nothing at all);
    //   finishOpenPeriod stores the scheduled days and hours of a new period, fills the days
    //   and hours worked of monthly-paid employees and carries the paid-leave balance.
    // The entered bonus pay month and day are put into the header.  On an IoError nothing in
    // memory has changed.
    OpenResult beginOpenPeriod(int period, const PeriodEntry& entry);
    void finishOpenPeriod();
    // Both halves; `chooseSource` runs in between when the result asks for company data.
    OpenResult openPeriod(int period, const PeriodEntry& entry,
                          const std::function<void(YearData&, const OpenResult&)>& chooseSource);

    // Marks the current period saved and writes the header and its block.
    void savePeriod();

    // Marks period k never saved (bonuses also lose their pay month and day) and zeroes its block
    // in the file, and in memory when it is the current period.
    void deletePeriod(int period);

    // Empties the whole in-memory period.
    void clearBlock();

    // From the period before k (for k = 1 December of the previous year's file), the slot with
    // this recordId (code page 932 bytes): its 有休残日数 (−999.0 when the file or the employee
    // is missing) and its 社保控除後計 (0 when missing).
    double readPreviousPaidLeaveBalance(int period, std::string_view recordId) const;
    int readPreviousPayAfterSocialIns(int period, std::string_view recordId) const;

    static constexpr double kNoPaidLeaveBalance = -999.0;

  private:
    struct PendingOpen;

    // The block before `period` (December of the previous year for January); empty when that
    // file does not exist.
    std::unique_ptr<PeriodBlock> readPreviousBlock(int period) const;
    std::unique_ptr<PeriodBlock> readSourceBlock(int period, const YearFileHeader& header) const;
    void requirePeriod(int period) const;

    std::filesystem::path path_;
    std::string eraName_;
    int eraYear_ = 0;
    EraNames names_;
    int period_ = 0;
    YearFileHeader header_{};
    PayrollPeriod document_;
    std::unique_ptr<PendingOpen> pending_;
};

}  // namespace keiro
