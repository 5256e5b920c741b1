#include "payroll/pay_facts_box.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

namespace keiro::payroll {
namespace {

QSpinBox* yenBox(QWidget* parent, const char* name) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 999'999'999);
    box->setGroupSeparatorShown(true);
    box->setSuffix(QStringLiteral(" 円"));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

QDateEdit* monthBox(QWidget* parent, const char* name) {
    auto* box = new QDateEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setDisplayFormat(QStringLiteral("yyyy年M月"));
    box->setDateRange(QDate(1990, 1, 1), QDate(2100, 12, 1));
    return box;
}

QDate dateOf(int yearMonth) {
    return QDate(yearMonth / 100, yearMonth % 100, 1);
}

int yearMonthOf(const QDate& date) {
    return date.year() * 100 + date.month();
}

}  // namespace

PayFactsBox::PayFactsBox(QWidget* parent)
    : QGroupBox(QStringLiteral("社会保険の届出"), parent),
      backPay_(yenBox(this, "edSokyu")),
      backPayFirst_(monthBox(this, "dtSokyuFrom")),
      backPayLast_(monthBox(this, "dtSokyuTo")),
      leave_(new QComboBox(this)),
      leavePay_(yenBox(this, "edKyusyokuKyu")),
      adjustedLabel_(new QLabel(QStringLiteral("月変の修正平均額"), this)),
      adjusted_(yenBox(this, "edGetsuhenSyusei")) {
    setObjectName(QStringLiteral("gbTodoke"));
    leave_->setObjectName(QStringLiteral("cbKyusyoku"));
    backPay_->setToolTip(QStringLiteral(
        "この支給に含まれる、前の月の分の昇給差額などです。算定・月変の平均から除きます。"));
    adjusted_->setToolTip(QStringLiteral(
        "この月に固定的賃金が変わった月額変更で、平均額の代わりに使う額です。0 はなし。"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->addWidget(new QLabel(QStringLiteral("遡及支払額"), this), 0, 0);
    grid->addWidget(backPay_, 0, 1);
    auto* months = new QHBoxLayout;
    months->addWidget(backPayFirst_);
    months->addWidget(new QLabel(QStringLiteral("〜"), this));
    months->addWidget(backPayLast_);
    months->addWidget(new QLabel(QStringLiteral("分"), this));
    grid->addLayout(months, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("休職等"), this), 2, 0);
    grid->addWidget(leave_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("休職給"), this), 3, 0);
    grid->addWidget(leavePay_, 3, 1);
    grid->addWidget(adjustedLabel_, 4, 0);
    grid->addWidget(adjusted_, 4, 1);
    for (QSpinBox* box : {backPay_, leavePay_, adjusted_}) {
        connect(box, &QSpinBox::editingFinished, this, [this] { edited(); });
    }
    for (QDateEdit* box : {backPayFirst_, backPayLast_}) {
        connect(box, &QDateEdit::editingFinished, this, [this] { edited(); });
    }
    connect(leave_, &QComboBox::activated, this, [this] { edited(); });
}

void PayFactsBox::showFor(const PayFacts& facts, int payYearMonth, bool bonus) {
    facts_ = facts;
    payYearMonth_ = payYearMonth;
    bonus_ = bonus;
    const QSignalBlocker quiet(leave_);
    leave_->clear();
    leave_->addItem(QStringLiteral("なし"), 0);
    if (!bonus) leave_->addItem(QStringLiteral("休職"), 1);
    leave_->addItem(QStringLiteral("産休・育休（保険料免除）"), 2);
    leave_->setCurrentIndex(std::max(0, leave_->findData(facts.leaveKind)));
    backPay_->setValue(facts.backPay);
    // With no back-pay the months propose the three months before the pay.
    const QDate pay = dateOf(payYearMonth);
    backPayFirst_->setDate(facts.backPayFirstMonth != 0 ? dateOf(facts.backPayFirstMonth)
                                                        : pay.addMonths(-3));
    backPayLast_->setDate(facts.backPayLastMonth != 0 ? dateOf(facts.backPayLastMonth)
                                                      : pay.addMonths(-1));
    leavePay_->setValue(facts.leavePay);
    adjusted_->setValue(facts.revisionAdjustedAverage);
    adjustedLabel_->setVisible(!bonus);
    adjusted_->setVisible(!bonus);
    enableParts();
}

PayFacts PayFactsBox::shownFacts() const {
    PayFacts f;
    f.backPay = backPay_->value();
    if (f.backPay > 0) {
        f.backPayFirstMonth = yearMonthOf(backPayFirst_->date());
        f.backPayLastMonth = yearMonthOf(backPayLast_->date());
    }
    f.leaveKind = static_cast<std::uint8_t>(leave_->currentData().toInt());
    f.leavePay = f.leaveKind != 0 ? leavePay_->value() : 0;
    f.revisionAdjustedAverage = bonus_ ? 0 : adjusted_->value();
    return f;
}

void PayFactsBox::enableParts() {
    backPayFirst_->setEnabled(backPay_->value() > 0);
    backPayLast_->setEnabled(backPay_->value() > 0);
    leavePay_->setEnabled(leave_->currentData().toInt() != 0);
}

void PayFactsBox::edited() {
    const PayFacts facts = shownFacts();
    if (facts == facts_) {
        enableParts();
        return;
    }
    if (edited_ && !edited_(facts)) {
        showFor(facts_, payYearMonth_, bonus_);  // refused: as it was
        return;
    }
    facts_ = facts;
    enableParts();
}

}  // namespace keiro::payroll
