// print slips FILE --period K [--root DIR] [--form-type N] [--slots 1,2,…]
//     (--pdf OUT | --jpeg DIR | --pdf-per-employee DIR [--encrypt [--reissue-notice]])
// print ledger|list|transfer|denomination|roster … (table_print_commands.cpp)
//
// The pay slips of a saved period drawn by the same code as the print dialog: into a PDF with
// the report fonts embedded, as one JPEG picture per employee, or as one PDF per employee for
// electronic delivery, optionally encrypted with each employee's password.  Only the print
// commands start a (window-less) Qt application; the rest of keiro-tool needs none.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/layouts.h"
#include "core/slip_password.h"
#include "print/dialog_texts.h"
#include "print/employee_pdf_names.h"
#include "print/pay_date.h"
#include "print/pay_slip_report.h"
#include "print/qt/employee_pdfs.h"
#include "print/qt/picture_export.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/print_common.h"
#include "tools/saved_year.h"
#include "tools/table_print_commands.h"
#include "tools/write_lock.h"

namespace keiro::tool {
namespace {

namespace fs = std::filesystem;

// Stores the passwords the choices took from elsewhere or made into the period on disk, so that
// no file is encrypted with a password that is not kept.
void keepPasswords(const SavedPeriod& saved, const std::vector<SlipPasswordChoice>& choices) {
    if (!passwordsNeedSaving(choices)) return;
    YearData year = openSavedYear(saved.file, saved.period);
    for (const SlipPasswordChoice& choice : choices) {
        const EmployeeRecord& chosen = saved.block->employee(choice.slot);
        const EmployeeId id = year.document().idAt(choice.slot);
        const EmployeeRecord* stored = year.document().employee(id);
        if (stored == nullptr || stored->recordId.bytes() != chosen.recordId.bytes())
            throw std::runtime_error("データファイルが変更されています。やり直してください。");
        EmployeeRecord kept = *stored;
        setSlipPassword(kept, choice.password, chosen.slipPasswordGenerated == 1);
        year.document().setEmployee(id, kept);
    }
    year.savePeriod();
}

// For --reissue-notice: the passwords made for this period earlier (kept in its records) are
// listed on the notice again, as if new.
std::vector<SlipPasswordChoice> withStoredNewPasswords(const PeriodBlock& block,
                                                       std::vector<SlipPasswordChoice> choices) {
    for (SlipPasswordChoice& c : choices) {
        if (c.source == PasswordSource::Record && block.employee(c.slot).slipPasswordGenerated == 1)
            c.source = PasswordSource::Generated;
    }
    return choices;
}

// Passwords this period made earlier and keeps, with no notice of the period in the folder:
// a run killed between the notice and the passwords of an earlier version, or a notice lost.
bool hasUnannouncedPasswords(const PeriodBlock& block,
                             const std::vector<SlipPasswordChoice>& choices, const fs::path& folder,
                             const std::string& token) {
    std::error_code error;
    if (fs::exists(folder / print::passwordNoticeName(token), error)) return false;
    for (const SlipPasswordChoice& c : choices) {
        if (c.source == PasswordSource::Record && block.employee(c.slot).slipPasswordGenerated == 1)
            return true;
    }
    return false;
}

// One PDF per employee into DIR; with --encrypt the passwords are settled (and new ones saved)
// first, and the notice of new ones goes into DIR too.  The passwords never reach stdout.
int printEmployeePdfs(const Args& args, SavedPeriod& saved, const print::SlipPeriod& slipPeriod,
                      const std::vector<int>& chosen, const print::PrintChoices& choices) {
    const std::string token = print::periodFileToken(slipPeriod);
    const auto unnamed = print::employeesWithoutOwnFile(*saved.block, chosen, token);
    if (!unnamed.empty()) throw std::runtime_error(print::unnamedEmployeesMessage(unnamed));

    const print::EmployeePdfRequest request{slipPeriod,
                                            chosen,
                                            saved.file,
                                            choices,
                                            correctionOf(saved.settings),
                                            *args.option("pdf-per-employee")};
    std::optional<std::vector<SlipPasswordChoice>> passwords;
    std::optional<fs::path> notice;
    if (args.flag("encrypt")) {
        passwords = assignSlipPasswords(*saved.block, chosen,
                                        slipPasswordsElsewhere(saved.file, saved.period));
        // The notice first: a password is never stored without the notice that hands it over.
        const std::vector<SlipPasswordChoice> listed =
            args.flag("reissue-notice") ? withStoredNewPasswords(*saved.block, *passwords)
                                        : *passwords;
        notice = print::writePasswordNotice(request, listed);
        keepPasswords(saved, *passwords);
        if (!notice && hasUnannouncedPasswords(*saved.block, *passwords, request.folder, token))
            std::cerr << "keiro-tool: 作成済みのパスワードの通知書がこのフォルダーにありません。"
                         "--reissue-notice で作り直せます。\n";
    }
    const print::EmployeePdfOutcome outcome = print::writeEmployeePdfs(request, passwords);
    auto files = nlohmann::ordered_json::array();
    for (const fs::path& file : outcome.files) files.push_back(file.string());
    printJson(
        {{"folder", request.folder.string()},
         {"files", files},
         {"encrypted", passwords.has_value()},
         {"passwordsGenerated", outcome.passwordsGenerated},
         {"notice", notice ? nlohmann::ordered_json(notice->string()) : nlohmann::ordered_json()}});
    return 0;
}

int printSlips(const Args& args) {
    args.expectOnly({"period", "root", "form-type", "slots", "pdf", "jpeg", "pdf-per-employee",
                     "encrypt", "reissue-notice"},
                    2);
    const int period = args.requiredInt("period", 1, kPeriodCount);
    const std::optional<std::string> pdf = args.option("pdf");
    const std::optional<std::string> jpeg = args.option("jpeg");
    const bool perEmployee = args.option("pdf-per-employee").has_value();
    if (int{pdf.has_value()} + int{jpeg.has_value()} + int{perEmployee} != 1)
        throw UsageError("give one of --pdf, --jpeg and --pdf-per-employee");
    if (args.flag("encrypt") && !perEmployee)
        throw UsageError("--encrypt goes with --pdf-per-employee");
    if (args.flag("reissue-notice") && !args.flag("encrypt"))
        throw UsageError("--reissue-notice goes with --encrypt");

    // Passwords are stored in the year file: read and written under the payroll program's lock.
    std::optional<WriteLock> lock;
    if (args.flag("encrypt")) lock.emplace(args.positional(1, "FILE"), "Keiro");
    SavedPeriod saved = openSavedPeriod(args, period);
    const PrintTables tables = buildPrintTables(
        loadLayout(saved.ini, isBonusPeriod(period) ? LayoutKind::Bonus : LayoutKind::Salary));

    print::PrintChoices choices;
    choices.formType = args.option("form-type") ? args.requiredInt("form-type", 0, 7)
                                                : print::validFormType(saved.settings.formType);
    choices.payDate = print::payDateEntryOf(
        print::proposedPayDate(saved.fileYear, saved.eraNames, period, saved.header,
                               saved.block->settings, eraDateOf(todayInJapan()).eraYear));
    const std::vector<int> chosen = chosenSlots(args, *saved.block);

    OffscreenApplication application;
    const print::SlipPeriod slipPeriod{saved.block.get(), &saved.header,  period,
                                       saved.fileYear,    saved.eraNames, &saved.settings.itemNames,
                                       &tables,           &saved.settings};
    if (perEmployee) return printEmployeePdfs(args, saved, slipPeriod, chosen, choices);
    const print::PaySlipReport report(slipPeriod, chosen, saved.file, choices);
    if (pdf) {
        writePdf(report, *pdf, saved.settings);
        printJson({{"pdf", *pdf},
                   {"sheets", report.pageCount()},
                   {"slips", static_cast<int>(chosen.size())}});
    } else {
        auto files = nlohmann::ordered_json::array();
        for (const fs::path& picture : print::writePictures(report, *jpeg))
            files.push_back(picture.string());
        printJson({{"folder", *jpeg}, {"files", files}});
    }
    return 0;
}

}  // namespace

int runPrint(const Words& words) {
    const Args args(words, {"all", "encrypt", "reissue-notice"});
    const std::string& kind = args.positional(0, "command");
    if (kind == "slips") return printSlips(args);
    if (isTableReportKind(kind)) return printTableReport(kind, args);
    throw UsageError("unknown print command");
}

}  // namespace keiro::tool
