// The main window's notice of employees whose age calls for other insurance flags.

#include <string>
#include <vector>

#include "calc/insurance_ages.h"
#include "payroll/main_window.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

void MainWindow::noticeInsuranceAges() {
    if (year_.period() == 0) return;
    const std::vector<std::string> lines = calc::insuranceAgeNotices(year_);
    if (lines.empty()) return;
    QString text = QString::fromUtf8(kMsgInsuranceAges) + QLatin1Char('\n');
    for (const std::string& line : lines) text += QLatin1Char('\n') + QString::fromStdString(line);
    context_.messages.information(this, text);
}

}  // namespace keiro::payroll
