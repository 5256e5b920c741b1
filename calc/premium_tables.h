#pragma once
// The two health insurance files shipped beside the payroll program: the standard-remuneration
// grade table "健康保険料額表.dat" (binary, 972 bytes) and the prefecture rate list
// "健康保険料率.dat" (code page 932 text, one prefecture a line), each closed by its seal
// (calc/table_seal.h).  Both are built from the CSV files under data/, checked by keiro-tool,
// and read by the program.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/data_csv.h"
#include "calc/table_check.h"
#include "calc/table_images.h"
#include "core/places.h"  // kHealthGradeTableFileName, kHealthRateListFileName

namespace keiro::calc {

// The prefecture rate list's line: the name padded with blanks to 10 bytes, then the full
// (employer plus employee) rate in percent in 5 characters ("10.28", " 9.85").
inline constexpr std::size_t kPrefectureNameBytes = 10;
inline constexpr std::size_t kPrefectureRateChars = 5;

// --- building and checking the files --------------------------------------------------------

// The grade table from health_grades.csv (columns health_grade, lower_yen_inclusive,
// upper_yen_exclusive, standard_monthly_yen, pension_grade).  The pension limits are the first
// and last grades that have a pension grade; an empty upper bound (the top grade) is stored as
// INT32_MAX.  `topPensionGrade`, when given, drops the pension grades above it (the pension range
// as it stood before grades were added at the top).  DataError when the CSV does not give a
// valid table.
std::string buildHealthGradeTable(const DataCsv& grades,
                                  std::optional<int> topPensionGrade = std::nullopt);

// The rate list from the "health" rows of health_rates_*.csv, in prefecture code order, code
// page 932 with CRLF line ends.  DataError when a name or rate does not fit its columns.
std::string buildPrefectureRateList(const DataCsv& rates);

// Size, grade count, bounds ascending without gaps, each standard amount inside its band,
// pension limits inside the grades.
TableCheck checkHealthGradeTable(std::string_view bytes);
// CRLF lines of exactly 15 bytes, a name and a rate between 0 and 100 on each.
TableCheck checkPrefectureRateList(std::string_view bytes);

// --- the grade table as the program uses it -------------------------------------------------

class HealthGradeTable {
  public:
    // Reads the file whole.  IoError when it cannot be read, and (naming the file, with a
    // Japanese reason) when its seal is broken, when it is not exactly 972 bytes (seal aside) or
    // its counts are invalid: gradeCount outside 1..80, a pension limit outside 1..gradeCount,
    // or the lower limit above the upper; and when `checkHealthGradeTable` finds any fault.
    static HealthGradeTable load(const std::filesystem::path& path);
    // The size and count checks on the table's bytes already read (without a seal); `source`
    // names the file in the message.
    static HealthGradeTable fromBytes(std::string_view bytes, const std::filesystem::path& source);

    const std::filesystem::path& path() const { return path_; }
    int gradeCount() const { return image_.gradeCount; }
    int pensionMinGrade() const { return image_.pensionMinGrade; }
    int pensionMaxGrade() const { return image_.pensionMaxGrade; }

    bool hasGrade(int grade) const { return grade >= 1 && grade <= gradeCount(); }
    // Grade 1..gradeCount (asserted: callers choose among hasGrade).
    const HealthGrade& grade(int grade) const;
    std::int32_t lower(int g) const { return grade(g).lower; }
    std::int32_t upper(int g) const { return grade(g).upper; }
    std::int32_t standard(int g) const { return grade(g).standard; }

    // The grade the pension and fund use for health grade g: g raised to pensionMinGrade and
    // lowered to pensionMaxGrade.
    int pensionGrade(int g) const;
    // The grade whose band holds a monthly remuneration (the highest grade whose lower bound
    // it reaches; grade 1 below all of them).
    int gradeOf(std::int32_t amount) const;
    // The grade to select when the window opens for an employee: the stored grade when it is
    // one of the table's, else grade 1.
    int selectableGrade(int storedGrade) const { return hasGrade(storedGrade) ? storedGrade : 1; }

    // The grade window's lines, "%9.0n円以上 %9.0n円未満  %9.0n円" (lower, upper, standard with
    // thousands separators), one for each grade 1..gradeCount.
    std::string listLine(int g) const;
    std::vector<std::string> listLines() const;

    const HealthGradeTableImage& image() const { return image_; }

  private:
    HealthGradeTable() = default;

    HealthGradeTableImage image_{};
    std::filesystem::path path_;
};

// The grade window's label for the selected grade: "選択等級：%d等級".
std::string selectedGradeLabel(int grade);

// --- the prefecture rate list ---------------------------------------------------------------

inline constexpr std::string_view kMsgHalfRateSet =
    "選択した健康保険料率の半分の値がセットされます。";

struct PrefectureRate {
    std::string name;            // UTF-8, trailing blanks removed
    std::string display;         // the line as listed, "%" appended: "神奈川県  10.19%"
    std::optional<double> rate;  // the full rate in percent; empty when bytes 11..15 are not one
    std::string error;           // for such a line, the message to show
};

// Every non-blank line of the list (its seal aside).  A missing file gives an empty list (the
// window then stays disabled); a file that exists but cannot be read, or whose seal is broken,
// is an IoError.  A damaged line is listed with its error, to be shown when it is chosen.
std::vector<PrefectureRate> readPrefectureRates(const std::filesystem::path& path);
// The same from bytes already read; `fileName` names the file in the messages.
std::vector<PrefectureRate> parsePrefectureRates(std::string_view bytes, std::string_view fileName);

// What the settings dialog receives for a chosen line: half the full rate (the employee's
// share).  Empty when the line has no valid rate: nothing is set then.
std::optional<double> halfRate(const PrefectureRate& entry);

}  // namespace keiro::calc
