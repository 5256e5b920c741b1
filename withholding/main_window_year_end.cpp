// The year-end commands over the checked employees: 一括計算 with its summary, and the
// 年末調整一覧表 printed or written as CSV.
#include <QAction>
#include <QDir>

#include "core/era.h"
#include "core/fileio.h"
#include "core/text.h"
#include "print/table_csv.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"
#include "withholding/adjust/batch_calculation.h"
#include "withholding/main_window.h"
#include "withholding/print/year_end_list.h"

namespace keiro::withholding {

namespace {

// At most this many names are listed under one heading of the summary.
constexpr std::size_t kNamesListed = 10;

}  // namespace

int MainWindow::dataYear() const {
    return calendarYearOf(eraYear_, context_.eraNames);
}

std::string MainWindow::employeeName(int slot) const {
    const std::string name = year_->block(kDecember).employee(slot).name.utf8();
    return name.empty() ? "No." + std::to_string(slot) : name;
}

QString MainWindow::batchSummary(const BatchResult& result) const {
    std::string text = "一括計算が終わりました。\n\n計算済　　　" +
                       std::to_string(result.calculated) + "名\n年調対象外　" +
                       std::to_string(result.notAdjusted) + "名";
    std::vector<std::string> outside;
    for (const SlotOutcome& outcome : result.outcomes) {
        if (outcome.status == YearEndStatus::NotAdjusted && outcome.refusal.empty())
            outside.push_back(employeeName(outcome.slot));
    }
    for (std::size_t i = 0; i < outside.size() && i < kNamesListed; ++i)
        text += (i == 0 ? "（" : "、") + outside[i];
    if (outside.size() > kNamesListed)
        text += " ほか" + std::to_string(outside.size() - kNamesListed) + "名";
    if (!outside.empty()) text += "）";
    if (result.refused > 0) {
        text += "\n計算できなかった社員　" + std::to_string(result.refused) + "名";
        for (const SlotOutcome& outcome : result.outcomes) {
            if (!outcome.refusal.empty())
                text += "\n　" + employeeName(outcome.slot) + "：" + outcome.refusal;
        }
    }
    return QString::fromStdString(text);
}

void MainWindow::calculateChecked() {
    std::vector<int> checked = checkedSlots();
    if (checked.empty()) {
        context_.messages.error(this, QString::fromUtf8(kMsgNobodyToCalculate));
        return;
    }
    // The tax is rounded as 自動計算 rounds it: the setting as it stands now.
    const bool roundTaxTo100 = context_.ini.readBool(kOptionSection, "HasuuCut", true);
    const BatchResult result = calculateAll(*file_, *year_, checked, dataYear(), roundTaxTo100);
    fillList(order_, checked, selectedSlot());
    if (result.refused > 0) {
        context_.messages.warning(this, batchSummary(result));
    } else {
        context_.messages.information(this, batchSummary(result));
    }
}

void MainWindow::printYearEndListOfChecked() {
    std::vector<int> checked = checkedSlots();
    if (checked.empty()) {
        context_.messages.error(this, QString::fromUtf8(kMsgNobodyToPrint));
        return;
    }
    if (yearEndListPrinter_) yearEndListPrinter_(std::move(checked));
}

void MainWindow::writeYearEndListCsv() {
    const std::vector<int> checked = checkedSlots();
    if (checked.empty()) {
        context_.messages.error(this, QString::fromUtf8(kMsgNobodyToPrint));
        return;
    }
    const std::optional<QString> path = context_.dialogs.saveFile(
        this, QStringLiteral("年末調整一覧表をCSVファイルに出力"), QDir::homePath(),
        QStringLiteral("CSVﾌｧｲﾙ (*.csv)"), QStringLiteral("csv"));
    if (!path) return;
    try {
        const auto rows = yearEndListRows(*file_, year_->block(kDecember), checked);
        print::writeCsvFile(std::filesystem::path(path->toStdString()), yearEndListCsv(rows));
    } catch (const IoError& error) {
        context_.messages.error(this, QString::fromUtf8(error.what()));
        return;
    } catch (const text::EncodingError& error) {
        context_.messages.error(this, QString::fromUtf8(error.what()));
        return;
    }
    context_.messages.information(this, QStringLiteral("指定ファイルに出力しました。"));
}

}  // namespace keiro::withholding
