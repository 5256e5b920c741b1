#include "print/transfer_list_report.h"

#include <array>
#include <utility>

#include "core/entry.h"
#include "print/fitted_text.h"

namespace keiro::print {
namespace {

// The table runs on to 279 mm, well past the amounts, so that the fee column holds its
// eight-place amounts and its heading.
constexpr float kRight = 279.0f;
constexpr float kBottom = 189.0f;
constexpr float kTotalLine = 184.0f;
constexpr int kTotalRow = kMoneyRowsPerPage + 1;

constexpr std::array<float, 10> kColumnLines{37, 64, 84, 124, 151, 191, 218, 227.5f, 244, 263};

constexpr std::array<ColumnHeader, 11> kHeaders{{
    {"社員ｺｰﾄﾞ", 21},
    {"社 員 名", 45},
    {"フリガナ", 68},
    {"金融機関名", 96},
    {"フリガナ", 131},
    {"支　店　名", 163},
    {"フリガナ", 198},
    {"種別", 220},
    {"口座番号", 229.5f},
    {"支給金額", 247.5f},
    {"手数料", 266},
}};

// A total ending where the column's amounts end (`places` characters from x); one longer than
// that is narrowed to stay right of the column's line.
void putTotal(Canvas& canvas, const std::string& total, std::size_t places, float x,
              float columnLine, float y) {
    if (total.size() <= places) {
        canvas.putText(total, x, y);
        return;
    }
    const float left = columnLine + 0.5f;
    putTextWithin(canvas, total, left, y, x + canvas.pitch() * static_cast<float>(places) - left);
}

}  // namespace

std::string_view accountTypeText(int accountType) {
    switch (accountType) {
        case 0:
            return "普通";
        case 1:
            return "当座";
        case 2:
            return "貯蓄";
        default:
            return {};
    }
}

TransferListReport::TransferListReport(const PeriodBlock& block, std::string periodCaption,
                                       std::chrono::year_month_day payDate)
    : MoneyTableReport(block, PaidBy::Transfer, std::move(periodCaption), payDate) {
    // The total is what goes to the bank: a net pay below zero is listed but not transferred.
    for (const PaidEmployee& paid : employees()) {
        if (paid.netPay <= 0) continue;
        netPayTotal_ += paid.netPay;
        feeTotal_ += paid.employee.transferFee;
    }
}

MoneyTableLayout TransferListReport::layout() const {
    return {"給与/賞与振込一覧", kRight, kBottom, kTotalLine, kColumnLines, kHeaders};
}

void TransferListReport::drawRow(Canvas& canvas, const PaidEmployee& paid, float y) const {
    const EmployeeRecord& e = paid.employee;
    canvas.putText(e.employeeCode.utf8(), 20, y);
    canvas.putText(e.name.utf8(), 38, y);
    canvas.putText(e.nameKana.utf8(), 65, y);
    canvas.putText(e.bankName.utf8(), 85, y);
    canvas.putText(e.bankNameKana.utf8(), 125, y);
    canvas.putText(e.branchName.utf8(), 152, y);
    canvas.putText(e.branchNameKana.utf8(), 192, y);
    canvas.putText(accountTypeText(e.accountType), 220, y);
    canvas.putText(e.accountNumber.utf8(), 230, y);
    canvas.putText(formatAmount(10, paid.netPay), 245, y);
    canvas.putText(formatAmount(8, e.transferFee), 263, y);
}

void TransferListReport::drawLastPageEnd(Canvas& canvas) const {
    const float y = moneyRowTextY(kTotalRow);
    canvas.putText("合　計", 22.5f, y);
    putTotal(canvas, formatAmount(10, netPayTotal_), 10, 245, kColumnLines[8], y);
    putTotal(canvas, formatAmount(8, feeTotal_), 8, 263, kColumnLines[9], y);
}

}  // namespace keiro::print
