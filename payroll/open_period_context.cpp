#include "payroll/open_period_context.h"

#include "widgets/message_service.h"

namespace keiro::payroll {

bool OpenPeriodContext::mayReadSavedFile(const char* reportName) const {
    closePanels();
    if (year.period() == 0) return false;
    const std::optional<bool> modified = isModified();
    if (!modified) return false;
    return !*modified || program.messages.okCancel(
                             window, QStringLiteral("変更内容を保存しないと%1に反映されません。")
                                         .arg(QString::fromUtf8(reportName)));
}

}  // namespace keiro::payroll
