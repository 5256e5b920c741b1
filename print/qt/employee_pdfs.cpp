#include "print/qt/employee_pdfs.h"

#include <cassert>
#include <memory>
#include <system_error>

#include "core/era.h"
#include "core/file_upkeep.h"
#include "core/fileio.h"
#include "print/built_report.h"
#include "print/employee_pdf_names.h"
#include "print/password_notice_report.h"
#include "print/pay_slip_report.h"
#include "print/qt/pdf_encryption.h"

namespace keiro::print {
namespace {

namespace fs = std::filesystem;

// The folder made when missing; in one already there, what an interrupted earlier run left (a
// notice's temporary file holds every password in clear) is removed first.  The callers hold
// the year file's lock, so no other run writes there meanwhile.
void makeFolder(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) {
        removeLeftoverTempFilesIn(folder);
        return;
    }
    if (!fs::create_directories(folder, error) || error)
        throw IoError(folder, "作成", error.value());
    fs::permissions(folder, fs::perms::owner_all, error);
}

PasswordNotice noticeOf(const EmployeeRecord& e, const SlipPasswordChoice& choice,
                        const std::string& fileName) {
    return {e.employeeCode.utf8(), e.name.utf8(), choice.password, fileName};
}

}  // namespace

std::string periodFileToken(const SlipPeriod& period) {
    return periodFileToken(calendarYearOf(period.fileYear, period.eraNames), period.period);
}

std::optional<fs::path> writePasswordNotice(const EmployeePdfRequest& request,
                                            const std::vector<SlipPasswordChoice>& passwords) {
    assert(passwords.size() == request.chosen.size());
    const std::string token = periodFileToken(request.period);
    std::vector<PasswordNotice> notices;
    for (std::size_t i = 0; i < request.chosen.size(); ++i) {
        const SlipPasswordChoice& choice = passwords[i];
        if (choice.source != PasswordSource::Generated) continue;
        const EmployeeRecord& e = request.period.block->employee(request.chosen[i]);
        notices.push_back(noticeOf(e, choice, employeePdfName(e.employeeCode.utf8(), token)));
    }
    if (notices.empty()) return std::nullopt;
    makeFolder(request.folder);
    const fs::path path = request.folder / passwordNoticeName(token);
    const PasswordNoticeReport notice(request.period.block->settings.companyName.utf8(),
                                      slipTitle(request.period, false), std::move(notices));
    writeReportPdf(notice, path, Correction{});
    return path;
}

EmployeePdfOutcome writeEmployeePdfs(
    const EmployeePdfRequest& request,
    const std::optional<std::vector<SlipPasswordChoice>>& passwords) {
    assert(!passwords || passwords->size() == request.chosen.size());
    makeFolder(request.folder);
    const std::string token = periodFileToken(request.period);
    EmployeePdfOutcome outcome;
    for (std::size_t i = 0; i < request.chosen.size(); ++i) {
        const int slot = request.chosen[i];
        const EmployeeRecord& e = request.period.block->employee(slot);
        const fs::path path = request.folder / employeePdfName(e.employeeCode.utf8(), token);
        const BuiltReport report(std::make_unique<PaySlipReport>(
            request.period, std::vector<int>{slot}, request.yearFile, request.choices));
        std::string pdf = reportPdfBytes(report, request.correction, path);
        if (passwords) {
            const SlipPasswordChoice& choice = (*passwords)[i];
            assert(choice.slot == slot);
            pdf = encryptPdf(pdf, choice.password);
            if (choice.source == PasswordSource::Generated) ++outcome.passwordsGenerated;
        }
        writeFileAtomic(path, pdf);
        outcome.files.push_back(path);
    }
    return outcome;
}

}  // namespace keiro::print
