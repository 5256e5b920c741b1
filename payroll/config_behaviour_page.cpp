#include "payroll/config_behaviour_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "payroll/config_widgets.h"

namespace keiro::payroll {
namespace {

QRadioButton* radio(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QCheckBox* check(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// Radio buttons of one setting exclude each other, apart from the other settings' buttons.
void exclusive(QObject* owner, std::initializer_list<QRadioButton*> buttons) {
    auto* group = new QButtonGroup(owner);
    for (QRadioButton* button : buttons) group->addButton(button);
}

}  // namespace

void ConfigBehaviourPage::RoundingChoice::show(RoundingMode mode) const {
    // Unchecking needs the group's exclusiveness lifted for a moment.
    QButtonGroup* group = buttons[0]->group();
    group->setExclusive(false);
    for (std::size_t i = 0; i < buttons.size(); ++i) buttons[i]->setChecked(modes[i] == mode);
    group->setExclusive(true);
}

RoundingMode ConfigBehaviourPage::RoundingChoice::chosen(RoundingMode current) const {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked()) return modes[i];
    }
    return current;
}

ConfigBehaviourPage::RoundingChoice ConfigBehaviourPage::roundingChoice(
    const char* first, const char* firstCaption, RoundingMode firstMode, const char* second,
    const char* secondCaption, RoundingMode secondMode) {
    RoundingChoice choice{{radio(this, first, firstCaption), radio(this, second, secondCaption)},
                          {firstMode, secondMode}};
    exclusive(this, {choice.buttons[0], choice.buttons[1]});
    return choice;
}

ConfigBehaviourPage::ConfigBehaviourPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsConfig"));
    payment_ = roundingChoice("rbSikCeil", "切り上げ", RoundingMode::Ceil, "rbSikRound", "四捨五入",
                              RoundingMode::Round);
    reduction_ = roundingChoice("rbGenTrunc", "切り捨て", RoundingMode::Truncate, "rbGenRound",
                                "四捨五入", RoundingMode::Round);
    deduction_ = roundingChoice("rbKouTrunc", "切り捨て", RoundingMode::Truncate, "rbKouRound",
                                "四捨五入", RoundingMode::Round);
    decimalHoursRadio_ = radio(this, "rbTimeStyle10", "10進法（１時間45分→1.75）");
    sexagesimalHoursRadio_ = radio(this, "rbTimeStyle60", "60進法（１時間45分→1:45）");
    exclusive(this, {decimalHoursRadio_, sexagesimalHoursRadio_});
    printCumulativeCheck_ = check(this, "cbPrRuikei", "明細書(GB1150形式)の累計欄を印刷する");
    use2000YenNotesCheck_ = check(this, "cbUse2000", "支払金種に２千円札を含める");
    hoursIncludeOvertimeCheck_ = check(this, "cbJitudou", "実働時間に残業時間を含める");

    auto* rounding = new QGroupBox(QStringLiteral("１円未満の端数処理"), this);
    auto* roundingRows = new QGridLayout(rounding);
    const std::pair<const char*, const RoundingChoice*> rows[] = {
        {"支給項目", &payment_}, {"減額項目", &reduction_}, {"控除項目", &deduction_}};
    int row = 0;
    for (const auto& [caption, choice] : rows) {
        roundingRows->addWidget(label(this, QString::fromUtf8(caption)), row, 0);
        roundingRows->addWidget(choice->buttons[0], row, 1);
        roundingRows->addWidget(choice->buttons[1], row, 2);
        ++row;
    }
    roundingRows->setColumnStretch(3, 1);

    auto* time = new QGroupBox(QStringLiteral("時間の表示･印刷形式"), this);
    auto* timeRows = new QVBoxLayout(time);
    timeRows->addWidget(decimalHoursRadio_);
    timeRows->addWidget(sexagesimalHoursRadio_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rounding);
    layout->addWidget(time);
    layout->addWidget(printCumulativeCheck_);
    layout->addWidget(use2000YenNotesCheck_);
    layout->addWidget(hoursIncludeOvertimeCheck_);

    layout->addStretch();
}

void ConfigBehaviourPage::load(const Settings& settings) {
    payment_.show(settings.monthRounding.payment);
    reduction_.show(settings.monthRounding.reduction);
    deduction_.show(settings.monthRounding.deduction);
    (settings.timeStyle == TimeStyle::Decimal ? decimalHoursRadio_ : sexagesimalHoursRadio_)
        ->setChecked(true);
    printCumulativeCheck_->setChecked(settings.printCumulative);
    use2000YenNotesCheck_->setChecked(settings.use2000YenNotes);
    hoursIncludeOvertimeCheck_->setChecked(settings.hoursWorkedIncludeOvertime);
}

void ConfigBehaviourPage::store(Settings& settings) const {
    RoundingSettings& r = settings.monthRounding;
    r.payment = payment_.chosen(r.payment);
    r.reduction = reduction_.chosen(r.reduction);
    r.deduction = deduction_.chosen(r.deduction);
    settings.timeStyle =
        decimalHoursRadio_->isChecked() ? TimeStyle::Decimal : TimeStyle::Sexagesimal;
    settings.printCumulative = printCumulativeCheck_->isChecked();
    settings.use2000YenNotes = use2000YenNotesCheck_->isChecked();
    settings.hoursWorkedIncludeOvertime = hoursIncludeOvertimeCheck_->isChecked();
}

}  // namespace keiro::payroll
