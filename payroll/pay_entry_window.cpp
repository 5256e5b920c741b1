#include "payroll/pay_entry_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/fileio.h"
#include "core/yearfile.h"
#include "payroll/config_widgets.h"
#include "payroll/pay_basis_days_box.h"
#include "payroll/pay_entry_band.h"
#include "payroll/pay_entry_summary.h"
#include "payroll/pay_facts_box.h"
#include "widgets/calculator_window.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

struct BandInfo {
    Band band;
    const char* title;
    const char* name;
};
constexpr std::array<BandInfo, kBandCount> kBands = {{
    {Band::Attendance, "勤 怠", "Kintai"},
    {Band::Pay, "支 給", "Sikyu"},
    {Band::Deduction, "控 除", "Koujo"},
    {Band::Other, "その他", "Sonota"},
}};

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    // Like the speed buttons of the tool bars: clicking leaves the focus in the box, so that
    // 修正ON/OFF and 電卓起動 know which box they are for.
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    return b;
}

std::unique_ptr<EmployeeSheet> makeSheet(QWidget* parent, const PayEntryContext& context) {
    try {
        return std::make_unique<EmployeeSheet>(context.year, context.tables, context.calc);
    } catch (const IoError& e) {
        // Without the other periods a bonus's tax is left to the user, as when there was no pay
        // the month before.
        context.messages.error(parent, QString::fromStdString(e.what()));
        return std::make_unique<EmployeeSheet>(context.year, context.tables, context.calc,
                                               calc::PeriodInputs{});
    }
}

}  // namespace

PayEntryWindow::PayEntryWindow(QWidget* parent, PayEntryContext context, int slot)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("fmDataEdit"));
    setWindowTitle(qs(std::string(kSheetCaption)));
    sheet_ = makeSheet(parent, context_);
    sheet_->show(slot);
    // A change to the employee the sheet did not make shows at once.
    sheet_->onChangedElsewhere([this] { showEmployee(); });

    const ui::EntrySettings entry = entrySettings(context_.settings);
    auto* columns = new QHBoxLayout(this);
    columns->setSpacing(8);
    for (const BandInfo& info : kBands) {
        auto* group =
            new PayEntryBand(this, QString::fromUtf8(info.title), QLatin1String(info.name),
                             info.band, *sheet_, entry, context_.messages);
        connect(group, &PayEntryBand::entryLeft, this,
                [this, info](int position) { boxLeft(info.band, position); });
        bands_[static_cast<int>(info.band)] = group;
        if (info.band != Band::Other) columns->addWidget(group);
    }
    auto* right = new QVBoxLayout;
    right->addWidget(band(Band::Other));
    summary_ = new PayEntrySummary(this);
    right->addWidget(summary_);
    basisDaysBox_ = new PayBasisDaysBox(this);
    basisDaysBox_->onEdited([this](std::optional<int> days) { sheet_->setPayBasisDays(days); });
    right->addWidget(basisDaysBox_);
    factsBox_ = new PayFactsBox(this);
    factsBox_->onEdited([this](const PayFacts& facts) { return storePayFacts(facts); });
    right->addWidget(factsBox_);
    right->addStretch(1);
    right->addWidget(buildButtons());
    columns->addLayout(right);

    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this] { updateButtons(); });
    showEmployee();
    for (const BandInfo& info : kBands) {  // start in the first box to be typed
        PayEntryBand* group = band(info.band);
        for (int p = 0; p < group->rowCount(); ++p) {
            if (!group->edit(p)->isHidden() && !group->edit(p)->isReadOnly()) {
                group->edit(p)->setFocus();
                return;
            }
        }
    }
}

PayEntryWindow::~PayEntryWindow() {
    disconnect(focusWatch_);  // the boxes go before the connection would
}

QWidget* PayEntryWindow::buildButtons() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    handEntryButton_ = button(panel, "sbManual", QStringLiteral("修正ON/OFF"));
    calculatorButton_ = button(panel, "sbCalculator", QStringLiteral("電卓起動"));
    auto* calc = button(panel, "sbCalc", QStringLiteral("再計算"));
    previousButton_ = button(panel, "sbPrev", QStringLiteral("前データ"));
    nextButton_ = button(panel, "sbNext", QStringLiteral("次データ"));
    auto* close = button(panel, "sbClose", QStringLiteral("戻る"));
    grid->addWidget(handEntryButton_, 0, 0);
    grid->addWidget(calculatorButton_, 0, 1);
    grid->addWidget(calc, 0, 2);
    grid->addWidget(previousButton_, 1, 0);
    grid->addWidget(nextButton_, 1, 1);
    grid->addWidget(close, 1, 2);
    ui::MessageService& messages = context_.messages;
    ui::connectCommand(handEntryButton_, this, messages, &PayEntryWindow::toggleHandEntry);
    ui::connectCommand(calculatorButton_, this, messages, &PayEntryWindow::runCalculator);
    ui::connectCommand(calc, this, messages, &PayEntryWindow::recalculateAndShow);
    ui::connectCommand(previousButton_, this, messages, &PayEntryWindow::showPrevious);
    ui::connectCommand(nextButton_, this, messages, &PayEntryWindow::showNext);
    connect(close, &QPushButton::clicked, this, &PayEntryWindow::close);
    return panel;
}

int PayEntryWindow::slot() const {
    return sheet_->slot();
}

PayEntryWindow::Focused PayEntryWindow::focused() const {
    const QWidget* widget = QApplication::focusWidget();
    for (PayEntryBand* group : bands_) {
        const int position = group->positionOf(widget);
        if (position >= 0) return {group->band(), position, group->edit(position)};
    }
    return {};
}

PayEntryWindow::Check PayEntryWindow::checkFocusedBox() {
    const Focused f = focused();
    if (f.box == nullptr || f.box->isReadOnly()) return Check::Unchanged;
    const EntryCheck check = sheet_->check(f.band, f.position, f.box->text().toStdString());
    if (!check.error.empty()) {
        f.box->clear();
        context_.messages.error(this, qs(check.error));
        f.box->setFocus();
        return Check::Refused;
    }
    const QString text = qs(check.text);
    if (text == f.box->text()) return Check::Unchanged;
    f.box->setText(text);
    return Check::Reformatted;
}

void PayEntryWindow::storeBoxes() {
    for (PayEntryBand* group : bands_) {
        for (int p = 0; p < group->rowCount(); ++p) {
            sheet_->enter(group->band(), p, group->edit(p)->text().toStdString());
        }
    }
    sheet_->setMemo(summary_->memo().toStdString());
}

void PayEntryWindow::storeBoxesAsLeft() {
    storeBoxes();
    const Focused f = focused();
    if (f.box != nullptr && !f.box->isReadOnly() && sheet_->isPaidLeaveDays(f.band, f.position)) {
        carryPaidLeave();
    }
}

void PayEntryWindow::carryPaidLeave() {
    try {
        sheet_->carryPaidLeave();
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromStdString(e.what()));
    }
}

bool PayEntryWindow::recalculate() {
    return sheet_->recalculate();
}

void PayEntryWindow::showPayBasisDays() {
    if (sheet_->isBonus()) {
        basisDaysBox_->showFor(nullptr, 0);
        return;
    }
    basisDaysBox_->showFor(&sheet_->attendance(), sheet_->uncorrectedPayBasisDays());
}

bool PayEntryWindow::storePayFacts(const PayFacts& facts) {
    try {
        sheet_->setPayFacts(facts);
        return true;
    } catch (const std::invalid_argument& e) {
        context_.messages.error(this, QString::fromStdString(e.what()));
        return false;
    }
}

void PayEntryWindow::showEmployee() {
    setWindowTitle(qs(sheet_->title()));
    for (PayEntryBand* group : bands_) {
        group->showEmployee(*sheet_);
        bool any = false;
        for (int p = 0; p < group->rowCount(); ++p) any = any || !group->edit(p)->isHidden();
        group->setVisible(any);  // a bonus has no attendance
    }
    summary_->showTotals(sheet_->totals());
    showPayBasisDays();
    factsBox_->showFor(sheet_->payFacts(), sheet_->payYearMonth(), sheet_->isBonus());
    const QString memo = qs(sheet_->memo());
    if (memo != summary_->memo()) summary_->setMemo(memo);
    updateButtons();
}

void PayEntryWindow::updateButtons() {
    if (previousButton_ == nullptr) return;
    previousButton_->setEnabled(sheet_->neighbour(-1) != 0);
    nextButton_->setEnabled(sheet_->neighbour(+1) != 0);
    const Focused f = focused();
    calculatorButton_->setEnabled(f.box != nullptr && !f.box->isReadOnly());
}

void PayEntryWindow::boxLeft(Band band, int position) {
    if (closing_) return;
    storeBoxes();
    if (sheet_->isPaidLeaveDays(band, position)) carryPaidLeave();
    recalculate();
    showEmployee();
}

void PayEntryWindow::recalculateAndShow() {
    if (checkFocusedBox() == Check::Refused) return;
    storeBoxesAsLeft();
    const bool byRateTable = recalculate();
    showEmployee();
    if (!byRateTable) context_.messages.information(this, qs(sheet_->monthlyTableNotice()));
}

void PayEntryWindow::toggleHandEntry() {
    const Focused f = focused();
    if (f.box == nullptr || !sheet_->row(f.band, f.position).switchable()) return;
    if (checkFocusedBox() == Check::Refused) return;
    storeBoxesAsLeft();
    sheet_->toggleManual(f.band, f.position);
    recalculate();
    showEmployee();
    f.box->setFocus();
}

void PayEntryWindow::runCalculator() {
    const Focused f = focused();
    if (f.box == nullptr || f.box->isReadOnly()) return;
    ui::CalculatorWindow calculator(this, context_.messages);
    if (!calculator.calculate(f.box)) return;
    boxLeft(f.band, f.position);
    f.box->setFocus();
}

void PayEntryWindow::moveTo(int direction) {
    const int target = sheet_->neighbour(direction);
    if (target == 0 || checkFocusedBox() == Check::Refused) return;
    const Focused f = focused();
    storeBoxesAsLeft();
    recalculate();
    sheet_->show(target);
    showEmployee();
    if (f.box != nullptr && !f.box->isHidden()) f.box->setFocus();
}

void PayEntryWindow::reject() {
    switch (checkFocusedBox()) {
        case Check::Refused:
            return;
        case Check::Reformatted: {
            const Focused f = focused();
            boxLeft(f.band, f.position);
            return;
        }
        case Check::Unchanged:
            break;
    }
    storeBoxesAsLeft();
    recalculate();
    closing_ = true;
    QDialog::reject();
}

}  // namespace keiro::payroll
