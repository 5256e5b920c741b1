#include "calc/payroll_tables.h"

#include "core/fileio.h"

namespace keiro::calc {

std::vector<StartupMessage> PayrollTables::missingTableMessages() const {
    if (complete()) return {};
    std::vector<StartupMessage> messages;
    for (const std::string& problem : report.problems) {
        messages.push_back({StartupMessage::Kind::Warning, problem});
    }
    messages.push_back({StartupMessage::Kind::Error, std::string(kMsgTablesMissing)});
    return messages;
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
    }
    return tables;
}

}  // namespace keiro::calc
