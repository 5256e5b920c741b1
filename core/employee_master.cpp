#include "core/employee_master.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <system_error>

#include "core/check_digits.h"
#include "core/fileio.h"

namespace keiro {
namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";

// The text without blanks (ASCII or ideographic) at either end.
std::string_view trimBlanks(std::string_view utf8) {
    for (;;) {
        if (!utf8.empty() && (utf8.front() == ' ' || utf8.front() == '\t')) {
            utf8.remove_prefix(1);
        } else if (utf8.starts_with(kIdeographicSpace)) {
            utf8.remove_prefix(kIdeographicSpace.size());
        } else {
            break;
        }
    }
    for (;;) {
        if (!utf8.empty() && (utf8.back() == ' ' || utf8.back() == '\t')) {
            utf8.remove_suffix(1);
        } else if (utf8.ends_with(kIdeographicSpace)) {
            utf8.remove_suffix(kIdeographicSpace.size());
        } else {
            break;
        }
    }
    return utf8;
}

bool isDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

template <std::size_t N>
void zero(std::uint8_t (&bytes)[N]) {
    std::memset(bytes, 0, N);
}

}  // namespace

// --- checks ------------------------------------------------------------------------------------

bool isEmployeeCodeTaken(const PeriodBlock& block, std::string_view codeUtf8,
                         std::string_view recordId) {
    const std::string_view code = trimBlanks(codeUtf8);
    if (code.empty()) return false;
    for (const EmployeeRecord& other : block.employees) {
        if (!other.isUsed() || other.recordId.bytes() == recordId) continue;
        if (trimBlanks(other.employeeCode.utf8()) == code) return true;
    }
    return false;
}

std::string_view myNumberProblem(std::string_view myNumberText) {
    if (myNumberText.empty()) return {};
    if (myNumberText.size() != kMyNumberDigits || !isDigits(myNumberText))
        return kMsgMyNumberInvalid;
    return isValidMyNumber(myNumberText) ? std::string_view{} : kMsgMyNumberCheckDigit;
}

bool isValidMyNumberText(std::string_view myNumberText) {
    return myNumberProblem(myNumberText).empty();
}

std::optional<EmployeeCheckFailure> checkEmployeeEntry(const PeriodBlock& block,
                                                       const EmployeeRecord& entered,
                                                       std::string_view myNumberText) {
    if (trimBlanks(entered.name.utf8()).empty()) {
        return EmployeeCheckFailure{EmployeeField::Name, kMsgNameRequired};
    }
    if (const std::string_view problem = myNumberProblem(myNumberText); !problem.empty()) {
        return EmployeeCheckFailure{EmployeeField::MyNumber, problem};
    }
    if (isEmployeeCodeTaken(block, entered.employeeCode.utf8(), entered.recordId.bytes())) {
        return EmployeeCheckFailure{EmployeeField::EmployeeCode, kMsgDuplicateCode};
    }
    return std::nullopt;
}

// --- My Number ---------------------------------------------------------------------------------

std::string formatMyNumber(std::int64_t value) {
    if (value == 0) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.12lld", static_cast<long long>(value));
    return text;
}

std::optional<std::int64_t> parseMyNumber(std::string_view text) {
    if (text.size() > 18 || !isDigits(text)) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) value = value * 10 + (c - '0');
    return value;
}

// --- storing -----------------------------------------------------------------------------------

std::optional<int> firstFreeSlot(const PeriodBlock& block) {
    for (int slot = 1; slot <= kMaxEmployees; ++slot) {
        if (!block.employee(slot).isUsed()) return slot;
    }
    return std::nullopt;
}

std::string recordKeyAt(std::chrono::system_clock::time_point moment) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
    localtime_r(&seconds, &local);
    char key[32];
    std::snprintf(key, sizeof key, "%02d%02d%02d_%02d%02d%02d", local.tm_year % 100,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return key;
}

void normaliseEmployee(EmployeeRecord& record) {
    if (record.birthYear == 0) {
        record.birthEra = 0;
        record.birthMonth = 0;
        record.birthDay = 0;
    }
    zero(record.reserved86);
    record.reserved197 = 0;
    record.reserved199 = 0;
    zero(record.reserved205);
    zero(record.reserved213);
    zero(record.reserved221);
    zero(record.reserved326);
    record.reserved332 = 0;
    zero(record.reserved573);
}

std::optional<StoredEmployee> storeEmployee(PayrollPeriod& period, const EmployeeId& employee,
                                            EmployeeRecord record, std::string_view newKey) {
    const int slot = period.slotOf(employee);
    if (!employee.empty() && slot == 0) {
        throw std::invalid_argument("no such employee in the period");
    }
    StoredEmployee stored;
    if (record.recordId.empty()) {
        record.recordId.assignBytes(newKey);
        record.recordId.clearTail();
        record.remarks.clear();
        stored.created = true;
    }
    normaliseEmployee(record);
    if (employee.empty()) {
        const std::optional<EmployeeId> added = period.addEmployee(record);
        if (!added) return std::nullopt;
        stored.employee = *added;
    } else {
        period.setEmployee(employee, record);
        stored.employee = period.idAt(slot);  // the record may bring another key
    }
    return stored;
}

// --- template ----------------------------------------------------------------------------------

EmployeeRecord defaultEmployeeTemplate() {
    EmployeeRecord record{};
    record.category = kDefaultCategory;
    record.payForm = kMonthlyPay;
    record.workStatus = kEmployed;
    return record;
}

std::filesystem::path employeeTemplatePath(const std::filesystem::path& dataFolder) {
    return dataFolder / kEmployeeTemplateFileName;
}

void clearPersonalFields(EmployeeRecord& record) {
    record.name.clear();
    record.nameKana.clear();
    record.recordId.clear();
    record.employeeCode.clear();
    record.remarks.clear();
    record.insuranceGrade = 0;
    // A template's password would open every new employee's slips.
    record.slipPassword.clear();
    record.slipPasswordGenerated = 0;
}

EmployeeRecord loadEmployeeTemplate(const std::filesystem::path& dataFolder) {
    const std::filesystem::path path = employeeTemplatePath(dataFolder);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size != sizeof(EmployeeRecord)) return defaultEmployeeTemplate();
    const std::string bytes = readFile(path);
    if (bytes.size() != sizeof(EmployeeRecord)) return defaultEmployeeTemplate();
    EmployeeRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    clearPersonalFields(record);
    return record;
}

void saveEmployeeTemplate(const std::filesystem::path& dataFolder, EmployeeRecord record) {
    clearPersonalFields(record);
    normaliseEmployee(record);
    writeFileAtomic(employeeTemplatePath(dataFolder),
                    std::string_view(reinterpret_cast<const char*>(&record), sizeof record));
}

bool removeEmployeeTemplate(const std::filesystem::path& dataFolder) {
    const std::filesystem::path path = employeeTemplatePath(dataFolder);
    std::error_code error;
    const bool removed = std::filesystem::remove(path, error);
    if (error) throw IoError(path, "削除", error.value());
    return removed;
}

bool sameBytes(const EmployeeRecord& a, const EmployeeRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace keiro
