#pragma once
// Pay slips handed out electronically: one PDF per employee, named by the employee code and the
// period, optionally protected with the employee's password, plus the hand-over notice of the
// passwords made in this run.  Both the main window and `keiro-tool print slips
// --pdf-per-employee` go through here.
//
// The passwords come from assignSlipPasswords (core/slip_password.h); the caller saves the
// period before calling here when it stored new ones, so no file is ever encrypted with a
// password that is not kept.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/slip_password.h"
#include "print/qt/report_output.h"
#include "print/report.h"
#include "print/slip_data.h"

namespace keiro::print {

struct EmployeePdfRequest {
    SlipPeriod period;
    std::vector<int> chosen;  // slots of the chosen employees, each with a code of its own
    std::filesystem::path yearFile;
    PrintChoices choices;
    Correction correction;
    std::filesystem::path folder;  // created (owner only) when missing
};

struct EmployeePdfOutcome {
    std::vector<std::filesystem::path> files;  // in the order of the slots
    int passwordsGenerated = 0;
};

// The token of the request's period in the file names ("2026-05", "2026-賞与1").
std::string periodFileToken(const SlipPeriod& period);

// The notice of the passwords made in this run ("パスワード通知書_<token>.pdf" in the folder,
// owner only, written at once); nothing when none was made.  Written before the passwords are
// stored: a password is never kept without the notice that hands it over.  Throws IoError.
std::optional<std::filesystem::path> writePasswordNotice(
    const EmployeePdfRequest& request, const std::vector<SlipPasswordChoice>& passwords);

// Writes every chosen employee's slips into the folder, each file at once and readable by its
// owner only (an earlier file of the same name is replaced).  With `passwords` (one per slot, in
// order) every file is encrypted with its employee's password.  Throws IoError when the folder
// or a file cannot be written (files written before stay), std::runtime_error when a PDF cannot
// be encrypted.
EmployeePdfOutcome writeEmployeePdfs(
    const EmployeePdfRequest& request,
    const std::optional<std::vector<SlipPasswordChoice>>& passwords);

}  // namespace keiro::print
