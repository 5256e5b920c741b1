// The main window's yearly social-insurance windows: the April-June decision and the writing of
// decided grades into the periods they apply to.

#include <memory>
#include <utility>

#include "calc/social_year.h"
#include "core/era.h"
#include "core/year_view.h"
#include "payroll/main_window.h"
#include "payroll/model/santei_sheet.h"
#include "payroll/santei_window.h"
#include "payroll/tool_tray.h"
#include "print/santei_rows.h"
#include "print/table_csv.h"
#include "print/text_table_report.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr const char* kMsgSanteiReadsTheFile =
    "変更内容を保存しないと算定基礎届に反映されません。";
constexpr const char* kMsgNoGradeTable = "健康保険料額表が見つかりません。";

QString periodsText(const std::vector<int>& periods) {
    QStringList months;
    for (const int p : periods) months << QStringLiteral("%1月").arg(p);
    return months.join(QStringLiteral("・"));
}

}  // namespace

bool TfmMain::applyGradeDecisions(QWidget* parent, const std::vector<GradeDecision>& decisions,
                                  int premiumMonth, const calc::HealthGradeTable& table) {
    const std::optional<int> first = collectingPeriod(premiumMonth);
    const YearFileHeader header = readYearFileHeader(year_.path());
    std::vector<std::unique_ptr<PeriodBlock>> blocks;
    std::vector<std::pair<int, const PeriodBlock*>> toWrite;
    std::vector<int> periods;
    bool openPeriod = false;
    for (int p = first.value_or(kPeriodCount); first && p <= 12; ++p) {
        if (p == year_.period()) {
            openPeriod = true;
            periods.push_back(p);
            continue;
        }
        if (!header.isSaved(p)) continue;
        blocks.push_back(readPeriodBlock(year_.path(), p));
        applyDecisions(*blocks.back(), decisions, table);
        toWrite.emplace_back(p, blocks.back().get());
        periods.push_back(p);
    }
    if (periods.empty()) {
        context_.messages.warning(
            parent, QStringLiteral("%1月分の保険料を控除する給与のデータがまだありません。"
                                   "%2月の給与データを作成してから適用して下さい。")
                        .arg(premiumMonth)
                        .arg(first.value_or(1)));
        return false;
    }
    // The file first: when it cannot be written, the open period is left as it was too.
    if (!toWrite.empty()) rewriteSavedBlocks(year_.path(), toWrite);
    QString done = QStringLiteral("%1の給与データに新しい等級と保険料を書き込みました。")
                       .arg(periodsText(periods));
    if (openPeriod) {
        applyDecisions(year_.block(), decisions, table);
        rebuildGrid();
        done += QStringLiteral("開いている%1月は保存すると反映されます。").arg(year_.period());
    }
    context_.messages.information(parent, done);
    return true;
}

void TfmMain::printTextTable(print::TextTable table) {
    const QString caption = QString::fromStdString(table.title);
    runReport({print::ReportKind::SocialList, 0}, caption,
              [table = std::move(table)](const print::PrintChoices&) {
                  return std::make_unique<print::TextTableReport>(table, todayInJapan());
              },
              {});
}

void TfmMain::writeCsvTable(QWidget* parent, const std::string& proposedName,
                            const std::string& content) {
    const std::optional<std::filesystem::path> file = askCsvFile(parent, proposedName);
    if (!file || !mayWriteCsv(parent, *file)) return;
    print::writeCsvFile(*file, content);
    context_.messages.information(parent, QStringLiteral("CSVファイルに出力しました。"));
}

void TfmMain::sbSanteiClick() {
    tray_->closePanels();
    if (year_.period() == 0) return;
    const std::optional<bool> modified = isModified();
    if (!modified) return;
    if (*modified && !context_.messages.okCancel(this, QString::fromUtf8(kMsgSanteiReadsTheFile)))
        return;
    const int calendarYear =
        calendarYearOf({year_.eraName(), year_.eraYear()}, year_.eraNames());
    // The grades decided in July apply from September: that month's table.
    const calc::HealthGradeTable* grades =
        context_.tables.gradesFor(calendarYear, kYearlyDecisionMonth);
    if (grades == nullptr) {
        context_.messages.error(this, QString::fromUtf8(kMsgNoGradeTable));
        return;
    }
    const YearView view(year_.path());
    const calc::SocialYear social{view, calendarYear, *grades, context_.settings.fixedPayFlags};
    TfmSantei window(this, context_.messages,
                     SanteiSheet(calc::santeiOfYear(social), *grades, calendarYear), calendarYear);
    window.setApply([this, grades](QWidget* parent, const std::vector<GradeDecision>& decisions) {
        return applyGradeDecisions(parent, decisions, kYearlyDecisionMonth, *grades);
    });
    const std::string company = year_.block().settings.companyName.utf8();
    window.setPrint([this, company, calendarYear](QWidget*,
                                                  const std::vector<calc::SanteiLine>& lines) {
        printTextTable(print::santeiReportTable(lines, company, calendarYear));
    });
    window.setCsv([this, calendarYear](QWidget* parent,
                                       const std::vector<calc::SanteiLine>& lines) {
        writeCsvTable(parent, print::santeiCsvFileName(calendarYear),
                      print::csvTable(print::santeiTable(lines, true)));
    });
    window.exec();
}

}  // namespace keiro::payroll
