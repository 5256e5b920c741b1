#include "payroll/employee_pdfs.h"

#include <QString>
#include <map>

#include "core/slip_password.h"
#include "payroll/open_period_context.h"
#include "payroll/report_printing.h"
#include "print/employee_pdf_names.h"
#include "print/qt/employee_pdfs.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr const char* kPdfFolderTitle = "社員別PDFを保存する場所を指定";
constexpr const char* kMsgEncryptQuestion =
    "PDFにパスワードを設定しますか？\n\n"
    "パスワードが未設定の社員には新しいパスワードを作成してデータを保存し、"
    "パスワード通知書をPDFで出力します。";
constexpr const char* kMsgPdfsSaved =
    "下記の場所に明細書を社員別のPDFとして%1件保存しました。\n【%2】";
constexpr const char* kMsgPasswordsMade =
    "\n\n新しいパスワードを%1名分作成し、データを保存しました。\n"
    "「%2」を印刷して本人に手渡し、印刷後はファイルを削除してください。";

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// What the chosen employees' records held before new passwords were put in, to put back when
// the period cannot be saved (a password never kept must not be taken for one handed over).
std::map<EmployeeId, EmployeeRecord> recordsOf(const PayrollPeriod& period,
                                               const std::vector<int>& chosen) {
    std::map<EmployeeId, EmployeeRecord> records;
    for (const int slot : chosen) {
        const EmployeeId id = period.idAt(slot);
        if (const EmployeeRecord* e = period.employee(id)) records.emplace(id, *e);
    }
    return records;
}

}  // namespace

bool EmployeePdfs::write(QWidget* parent, const std::vector<int>& chosen,
                         const print::PrintChoices& choices) {
    YearData& year = period_.year;
    const MainContext& context = period_.program;
    const std::optional<QString> folder =
        period_.chooseFolder(parent, QString::fromUtf8(kPdfFolderTitle));
    if (!folder) return false;
    const std::string token = print::periodFileToken(slipPeriodOf(period_));
    const auto unnamed = print::employeesWithoutOwnFile(year.block(), chosen, token);
    if (!unnamed.empty()) {
        context.messages.error(parent, qs(print::unnamedEmployeesMessage(unnamed)));
        return false;
    }
    const ui::Answer encrypt =
        context.messages.askYesNoCancel(parent, QString::fromUtf8(kMsgEncryptQuestion));
    if (encrypt == ui::Answer::Cancel) return false;

    const print::EmployeePdfRequest request{
        slipPeriodOf(period_),
        chosen,
        year.path(),
        choices,
        {context.settings.printOffsetXTenths / 10.0, context.settings.printOffsetYTenths / 10.0},
        folder->toStdString()};
    std::optional<std::vector<SlipPasswordChoice>> passwords;
    std::optional<std::filesystem::path> notice;
    if (encrypt == ui::Answer::Yes) {
        PayrollPeriod& document = year.document();
        const std::map<EmployeeId, EmployeeRecord> before = recordsOf(document, chosen);
        const auto restore = [&] {
            for (const auto& [id, record] : before) {
                const EmployeeRecord* stored = document.employee(id);
                if (stored == nullptr) continue;
                EmployeeRecord e = *stored;
                setSlipPassword(e, slipPasswordOf(record), record.slipPasswordGenerated == 1);
                document.setEmployee(id, e);
            }
        };
        passwords = assignSlipPasswords(document, chosen,
                                        slipPasswordsElsewhere(year.path(), year.period()));
        // The notice first: a password is never stored without the notice that hands it over.
        try {
            notice = print::writePasswordNotice(request, *passwords);
        } catch (...) {
            restore();
            throw;
        }
        if (passwordsNeedSaving(*passwords) && !period_.saveWithoutNotice()) {
            restore();
            return false;
        }
    }
    const print::EmployeePdfOutcome outcome = print::writeEmployeePdfs(request, passwords);
    QString message =
        QString::fromUtf8(kMsgPdfsSaved).arg(static_cast<int>(outcome.files.size())).arg(*folder);
    if (notice) {
        message += QString::fromUtf8(kMsgPasswordsMade)
                       .arg(outcome.passwordsGenerated)
                       .arg(qs(notice->filename().string()));
    }
    context.messages.information(parent, message);
    return true;
}

}  // namespace keiro::payroll
