#include "payroll/social_insurance_tasks.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "calc/data_csv.h"
#include "calc/insurance_ages.h"
#include "calc/payroll_tables.h"
#include "calc/social_days.h"
#include "calc/social_year.h"
#include "core/era.h"
#include "core/errors.h"
#include "core/year_view.h"
#include "payroll/model/grade_premiums.h"
#include "payroll/model/santei_sheet.h"
#include "payroll/open_period_context.h"
#include "payroll/report_printing.h"
#include "payroll/social_list_window.h"
#include "payroll/standard_pay_review_window.h"
#include "print/santei_rows.h"
#include "print/social_rows.h"
#include "print/table_csv.h"
#include "print/text_table_report.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr const char* kMsgNoGradeTable = "健康保険料額表が見つかりません。";

QString periodsText(const std::vector<int>& periods) {
    QStringList months;
    for (const int p : periods) months << QStringLiteral("%1月").arg(p);
    return months.join(QStringLiteral("・"));
}

// The published rates beside the programs; none when the file is missing or damaged (the
// settings dialog then keeps its long-standing defaults and nothing is asked).
calc::PremiumRateHistory publishedRates(const Places& places) {
    const std::optional<std::filesystem::path> path =
        findTableFile(places, calc::kPremiumRateFileName);
    if (!path) return {};
    try {
        return calc::PremiumRateHistory::load(*path);
    } catch (const IoError&) {
        return {};
    } catch (const calc::DataError&) {
        return {};
    }
}

// A saved period other than the open one, read to be changed and written back.
PayrollPeriod savedPeriod(int period, std::unique_ptr<PeriodBlock> block) {
    PayrollPeriod document;
    document.open(period, std::move(block), nullptr, nullptr);
    return document;
}

calc::PeriodRateMonths rateMonthsOfOpenPeriod(const YearData& year) {
    const int period = year.period();
    const int payMonth =
        isBonusPeriod(period) ? year.header().bonusPayMonth[period - kFirstBonusPeriod] : 0;
    return calc::rateMonthsOf(calc::fileCalendarYearOf(year), period, payMonth);
}

}  // namespace

SocialInsuranceTasks::SocialInsuranceTasks(const OpenPeriodContext& period, ReportPrinting& reports)
    : period_(period), context_(period.program), year_(period.year), reports_(reports) {}

bool SocialInsuranceTasks::applyGradeDecisions(QWidget* parent,
                                               const std::vector<GradeDecision>& decisions,
                                               int premiumMonth,
                                               const calc::HealthGradeTable& table) {
    const std::optional<int> first = collectingPeriod(premiumMonth);
    const YearFileHeader header = readYearFileHeader(year_.path());
    std::vector<PayrollPeriod> saved;  // the saved periods, each as a document of its own
    std::vector<int> periods;
    bool openPeriod = false;
    for (int p = first.value_or(kPeriodCount); first && p <= lastCollectingPeriod(premiumMonth);
         ++p) {
        if (p == year_.period()) {
            openPeriod = true;
            periods.push_back(p);
            continue;
        }
        if (!header.isSaved(p)) continue;
        saved.push_back(savedPeriod(p, readPeriodBlock(year_.path(), p)));
        applyDecisions(saved.back(), decisions, table);
        periods.push_back(p);
    }
    std::vector<std::pair<int, const PeriodBlock*>> toWrite;
    for (const PayrollPeriod& document : saved) {
        toWrite.emplace_back(document.period(), &document.block());
    }
    if (periods.empty()) {
        // December's premium is collected from next January's pay, in next year's file.
        context_.messages.warning(
            parent, first ? QStringLiteral("%1月分の保険料を控除する給与のデータがまだありません。"
                                           "%2月の給与データを作成してから適用して下さい。")
                                .arg(premiumMonth)
                                .arg(*first)
                          : QStringLiteral("%1月分からの保険料は翌年1月の給与で控除します。"
                                           "翌年のデータファイルで社員情報の等級を変更して下さい。")
                                .arg(premiumMonth));
        return false;
    }
    // The file first: when it cannot be written, the open period is left as it was too.
    if (!toWrite.empty()) rewriteSavedBlocks(year_.path(), toWrite);
    QString done = QStringLiteral("%1の給与データに新しい等級と保険料を書き込みました。")
                       .arg(periodsText(periods));
    if (openPeriod) {
        applyDecisions(year_.document(), decisions, table);
        period_.rebuildGrid();
        done += QStringLiteral("開いている%1月は保存すると反映されます。").arg(year_.period());
    }
    context_.messages.information(parent, done);
    return true;
}

void SocialInsuranceTasks::storeDayCorrections(QWidget* parent,
                                               const std::vector<DayCorrection>& corrections) {
    if (corrections.empty()) return;
    const YearView view(year_.path());
    std::map<int, PayrollPeriod> saved;  // the saved periods, each as a document of its own
    bool openPeriod = false;
    for (const DayCorrection& c : corrections) {
        const std::optional<int> period = calc::periodPaidIn(view, c.month);
        if (!period) continue;
        if (*period == year_.period()) {
            openPeriod = true;  // corrected after the file is written
            continue;
        }
        auto found = saved.find(*period);
        if (found == saved.end()) {
            found = saved
                        .emplace(*period, savedPeriod(*period, std::make_unique<PeriodBlock>(
                                                                   view.block(*period))))
                        .first;
        }
        calc::setPayBasisDays(found->second, EmployeeId(c.recordId), c.days);
    }
    std::vector<std::pair<int, const PeriodBlock*>> toWrite;
    for (const auto& [period, document] : saved) toWrite.emplace_back(period, &document.block());
    if (!toWrite.empty()) rewriteSavedBlocks(year_.path(), toWrite);
    if (openPeriod) {
        for (const DayCorrection& c : corrections) {
            if (calc::periodPaidIn(view, c.month) != year_.period()) continue;
            calc::setPayBasisDays(year_.document(), EmployeeId(c.recordId), c.days);
        }
    }
    context_.messages.information(
        parent,
        QStringLiteral("支払基礎日数の訂正（%1件）を保存しました。").arg(corrections.size()));
}

std::optional<SocialInsuranceTasks::SocialContext> SocialInsuranceTasks::socialContext(
    const char* listName) {
    if (!period_.mayReadSavedFile(listName)) return std::nullopt;
    const int calendarYear = calc::fileCalendarYearOf(year_);
    // The grades decided in July apply from September: that month's table.
    const calc::HealthGradeTable* grades =
        context_.tables.gradesFor(calendarYear, kYearlyDecisionMonth);
    if (grades == nullptr) {
        context_.messages.error(period_.window, QString::fromUtf8(kMsgNoGradeTable));
        return std::nullopt;
    }
    return SocialContext{calendarYear, grades, year_.block().settings.companyName.utf8()};
}

void SocialInsuranceTasks::showSocialList(SocialListWindow& window, const print::TextTable& plain,
                                          const std::string& csvName) {
    window.setCsv([this, plain, csvName](QWidget* parent) {
        reports_.writeCsvTable(parent, csvName, print::csvTable(print::csvRowsOf(plain)));
    });
    window.exec();
}

void SocialInsuranceTasks::showYearlyDecision() {
    const std::optional<SocialContext> c = socialContext("算定基礎届");
    if (!c) return;
    const int calendarYear = c->calendarYear;
    const calc::HealthGradeTable* grades = c->grades;
    const YearView view(year_.path());
    calc::SocialYear social{view, calendarYear, *grades, context_.settings.fixedPayFlags};
    const calc::NeighbourYears neighbours =
        calc::neighbourYearsOf(year_.path().parent_path(), year_.eraNames(), calendarYear);
    neighbours.lendTo(social);
    StandardPayReviewWindow window(period_.window, context_.messages,
                                   SanteiSheet(calc::santeiOfYear(social), *grades, calendarYear),
                                   calendarYear);
    window.setApply([this, grades](QWidget* parent, const SanteiSheet& sheet) {
        storeDayCorrections(parent, sheet.dayCorrections());
        const std::vector<GradeDecision> decisions = sheet.decisions();
        return decisions.empty() ||
               applyGradeDecisions(parent, decisions, kYearlyDecisionMonth, *grades);
    });
    const std::string company = c->company;
    window.setPrint(
        [this, company, calendarYear](QWidget*, const std::vector<calc::SanteiLine>& lines) {
            reports_.printTextTable(print::santeiReportTable(lines, company, calendarYear));
        });
    window.setCsv(
        [this, calendarYear](QWidget* parent, const std::vector<calc::SanteiLine>& lines) {
            reports_.writeCsvTable(parent, print::santeiCsvFileName(calendarYear),
                                   print::csvTable(print::santeiTable(lines, true)));
        });
    window.exec();
}

void SocialInsuranceTasks::showMonthlyRevisions() {
    const std::optional<SocialContext> c = socialContext("月額変更届");
    if (!c) return;
    const YearView view(year_.path());
    calc::SocialYear social{view, c->calendarYear, *c->grades, context_.settings.fixedPayFlags};
    const calc::NeighbourYears neighbours =
        calc::neighbourYearsOf(year_.path().parent_path(), year_.eraNames(), c->calendarYear);
    neighbours.lendTo(social);
    const calc::GradesFrom grades = calc::gradesFromMonth(context_.tables, *c->grades);
    const std::vector<calc::RevisionLine> lines = calc::revisionsOfYear(social, grades);
    const print::TextTable table = print::revisionTable(lines, c->company, c->calendarYear, false);
    SocialListWindow window(period_.window, context_.messages, table,
                            QStringLiteral("TfmGetsuhen"));
    // Each revision from its own premium month; the record holds one grade for both insurances,
    // so a revision of the pension grade alone is listed, not written.
    std::map<int, std::vector<GradeDecision>> byMonth;
    for (const calc::RevisionLine& l : lines) {
        if (!l.result.health || l.appliesFrom / 100 != c->calendarYear) continue;
        byMonth[l.appliesFrom % 100].push_back({l.recordId, l.result.grades.health,
                                                l.result.remuneration, 0, l.appliesFrom,
                                                kDecidedOnRevision});
    }
    int count = 0;
    for (const auto& [month, decisions] : byMonth) count += static_cast<int>(decisions.size());
    if (count > 0) {
        const int year = c->calendarYear;
        window.setApply(
            QStringLiteral("%1人の標準報酬月額を改定月から新しい等級に改定し、その保険料を控除する"
                           "月以降の給与データの社員情報（等級・保険料）を書き換えます。"
                           "よろしいですか？")
                .arg(count),
            [this, byMonth, grades, year](QWidget* parent) {
                for (const auto& [month, decisions] : byMonth) {
                    applyGradeDecisions(parent, decisions, month, grades(year * 100 + month));
                }
            });
    }
    window.setPrint([this, table](QWidget*) { reports_.printTextTable(table); });
    showSocialList(window, print::revisionTable(lines, c->company, c->calendarYear, true),
                   "月額変更届" + std::to_string(c->calendarYear) + ".csv");
}

void SocialInsuranceTasks::noticeRevisions() {
    const int period = year_.period();
    if (period == 0 || isBonusPeriod(period)) return;
    const int calendarYear = calc::fileCalendarYearOf(year_);
    const calc::HealthGradeTable* grades =
        context_.tables.gradesFor(calendarYear, kYearlyDecisionMonth);
    if (grades == nullptr) return;  // the lists say why when they are opened
    const YearView view(year_.path());
    calc::SocialYear social{view, calendarYear, *grades, context_.settings.fixedPayFlags};
    const calc::NeighbourYears neighbours =
        calc::neighbourYearsOf(year_.path().parent_path(), year_.eraNames(), calendarYear);
    neighbours.lendTo(social);
    QStringList due;
    for (const calc::RevisionLine& l :
         calc::revisionsOfYear(social, calc::gradesFromMonth(context_.tables, *grades))) {
        const int thirdMonth = l.changeMonth % 100 + 2;
        if (thirdMonth > 12 || calc::periodPaidIn(view, thirdMonth) != period) continue;
        due << QStringLiteral("%1　%2年%3月から")
                   .arg(QString::fromStdString(l.name))
                   .arg(l.appliesFrom / 100)
                   .arg(l.appliesFrom % 100);
    }
    if (due.isEmpty()) return;
    context_.messages.information(
        period_.window,
        QStringLiteral("固定的賃金の変動から3か月がたち、標準報酬月額の随時改定（月額変更届）"
                       "の対象になる社員がいます。印刷の「月額変更届」で確かめてください。\n\n") +
            due.join(QLatin1Char('\n')));
}

void SocialInsuranceTasks::showBonusPaymentReport() {
    const std::optional<SocialContext> c = socialContext("賞与支払届");
    if (!c) return;
    const int period = year_.period();
    const YearView view(year_.path());
    if (!isBonusPeriod(period) || !view.isSaved(period)) {
        context_.messages.warning(period_.window,
                                  QStringLiteral("賞与のデータを保存すると使えます。"));
        return;
    }
    const calc::SocialYear social{view, c->calendarYear, *c->grades,
                                  context_.settings.fixedPayFlags};
    const std::vector<calc::BonusLine> lines =
        calc::bonusReportOf(social, YearView::ifExists(year_.previousYearPath()), period);
    const int k = period - kFirstBonusPeriod;
    const int payDate = c->calendarYear * 10'000 + view.header().bonusPayMonth[k] * 100 +
                        view.header().bonusPayDay[k];
    const print::TextTable table = print::bonusTable(lines, c->company, payDate, false);
    SocialListWindow window(period_.window, context_.messages, table,
                            QStringLiteral("TfmSyoyoTodoke"));
    window.setPrint([this, table](QWidget*) { reports_.printTextTable(table); });
    showSocialList(window, print::bonusTable(lines, c->company, payDate, true),
                   "賞与支払届" + std::to_string(payDate) + ".csv");
}

void SocialInsuranceTasks::showYearlyRenewal() {
    const std::optional<SocialContext> c = socialContext("年度更新");
    if (!c) return;
    // Done in June and July for the fiscal year that ended in March, so that one is shown
    // first; the year running (April of this file's year on) may be chosen to see it so far.
    // Each fiscal year reads two year files: April to December from its own, January to March
    // from the next.
    std::vector<std::pair<int, calc::LabourRates>> years;
    for (int y : {c->calendarYear - 1, c->calendarYear}) {
        if (const auto rates = calc::labourRatesOf(y, context_.settings))
            years.emplace_back(y, *rates);
    }
    if (years.empty()) {
        context_.messages.error(
            period_.window,
            QStringLiteral("%1年度の雇用保険料率がありません。").arg(c->calendarYear - 1));
        return;
    }
    const std::filesystem::path dataFolder = year_.path().parent_path();
    const EraNames names = year_.eraNames();
    const std::string company = c->company;
    const Settings settings = context_.settings;
    // The year's totals are read once, for the list shown and for its CSV.
    const auto tablesOf = [=](std::size_t index) {
        const auto& [fiscalYear, rates] = years[index];
        const calc::LabourRenewal renewal =
            calc::labourRenewalOf(dataFolder, names, fiscalYear, settings, rates);
        std::pair tables{print::labourTable(renewal.confirmed, rates, company, fiscalYear, false),
                         print::labourTable(renewal.confirmed, rates, company, fiscalYear, true)};
        for (const std::string& note : print::labourRenewalNotes(renewal, fiscalYear)) {
            tables.first.notes.push_back(note);
            tables.second.notes.push_back(note);
        }
        return tables;
    };
    const auto [first, firstPlain] = tablesOf(0);
    SocialListWindow window(period_.window, context_.messages, first,
                            QStringLiteral("TfmNendoKoshin"));
    const auto useOutputs = [this, &window, years](std::size_t index, const print::TextTable& table,
                                                   const print::TextTable& plain) {
        window.setPrint([this, table](QWidget*) { reports_.printTextTable(table); });
        const std::string csvName = "年度更新" + std::to_string(years[index].first) + ".csv";
        window.setCsv([this, plain, csvName](QWidget* parent) {
            reports_.writeCsvTable(parent, csvName, print::csvTable(print::csvRowsOf(plain)));
        });
    };
    useOutputs(0, first, firstPlain);
    QStringList choices;
    for (const auto& [y, rates] : years) {
        choices << QStringLiteral("%1年度（%1年4月～%2年3月）").arg(y).arg(y + 1);
    }
    window.setChoice(QStringLiteral("対象年度"), choices, 0,
                     [&window, tablesOf, useOutputs](int chosen) {
                         const auto index = static_cast<std::size_t>(chosen);
                         const auto [table, plain] = tablesOf(index);
                         window.setTable(table);
                         useOutputs(index, table, plain);
                     });
    window.exec();
}

void SocialInsuranceTasks::noticeInsuranceAges() {
    if (year_.period() == 0) return;
    const std::vector<std::string> lines = calc::insuranceAgeNotices(year_);
    if (lines.empty()) return;
    QString text = QString::fromUtf8(kMsgInsuranceAges) + QLatin1Char('\n');
    for (const std::string& line : lines) text += QLatin1Char('\n') + QString::fromStdString(line);
    context_.messages.information(period_.window, text);
}

calc::RatesOfPeriod SocialInsuranceTasks::ratesOfOpenPeriod() const {
    return calc::ratesOfPeriod(publishedRates(context_.places), rateMonthsOfOpenPeriod(year_),
                               context_.settings.employmentBusiness);
}

void SocialInsuranceTasks::offerRateUpdate() {
    const int period = year_.period();
    if (period == 0 || year_.header().isSaved(period)) return;
    PayrollPeriod& document = year_.document();
    PeriodSettings settings = document.settings();
    if (settings.companyName.empty()) return;  // the settings dialog offers the defaults
    const std::optional<calc::RateUpdate> update = calc::proposeRateUpdate(
        settings, publishedRates(context_.places), rateMonthsOfOpenPeriod(year_),
        context_.settings.employmentBusiness);
    if (!update || !context_.messages.confirm(
                       period_.window, QString::fromStdString(calc::rateUpdateQuestion(*update))))
        return;
    if (!calc::applyRateUpdate(settings, *update)) return;
    document.setSettings(settings);
    if (const calc::HealthGradeTable* grades = context_.tables.gradesFor(year_)) {
        recalculateGradePremiums(document, *grades);
    }
}

}  // namespace keiro::payroll
