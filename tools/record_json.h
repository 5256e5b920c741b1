#pragma once
// The year-file records as JSON, with the records' own field names.

#include <nlohmann/json.hpp>

#include "core/records.h"

namespace keiro::tool {

nlohmann::ordered_json toJson(const YearFileHeader& header);
nlohmann::ordered_json toJson(const PeriodSettings& settings);
nlohmann::ordered_json toJson(const EmployeeRecord& employee);
nlohmann::ordered_json toJson(const AttendanceRecord& attendance);
nlohmann::ordered_json toJson(const PaymentRecord& payment);
nlohmann::ordered_json toJson(const DeductionRecord& deduction);

// Every used slot of a block: the employee's fields with its slot number and its three
// period records nested as "attendance", "payment" and "deduction".
nlohmann::ordered_json usedSlotsJson(const PeriodBlock& block);

}  // namespace keiro::tool
