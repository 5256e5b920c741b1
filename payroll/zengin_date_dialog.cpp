#include "payroll/zengin_date_dialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QDate qtDate(CalendarDate date) {
    return QDate(static_cast<int>(date.year()),
                 static_cast<int>(static_cast<unsigned>(date.month())),
                 static_cast<int>(static_cast<unsigned>(date.day())));
}

CalendarDate calendarDate(const QDate& date) {
    return CalendarDate{std::chrono::year(date.year()),
                        std::chrono::month(static_cast<unsigned>(date.month())),
                        std::chrono::day(static_cast<unsigned>(date.day()))};
}

ZenginDateDialog::ZenginDateDialog(QWidget* parent, const BankCalendar& calendar,
                                   ui::MessageService& messages)
    : QDialog(parent), calendar_(calendar), messages_(messages) {
    setObjectName(QStringLiteral("fmFuriDate"));
    setWindowTitle(QStringLiteral("振込データ作成"));
    auto* caption = new QLabel(QStringLiteral("取組日(振込指定日)"), this);
    dateEdit_ = new QDateEdit(this);
    dateEdit_->setObjectName(QStringLiteral("edKumiDate"));
    dateEdit_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    dateEdit_->setCalendarPopup(true);
    caption->setBuddy(dateEdit_);
    dayLabel_ = new QLabel(this);
    dayLabel_->setObjectName(QStringLiteral("lbKumiYobi"));
    noteLabel_ = new QLabel(this);
    noteLabel_->setObjectName(QStringLiteral("lbKumiNote"));
    noteLabel_->setWordWrap(true);
    auto* rule = new QLabel(
        QStringLiteral("銀行の営業日を指定して下さい(土曜・日曜・祝日・12月31日〜1月3日は不可)。"),
        this);
    rule->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("bbButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ZenginDateDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(dateEdit_, &QDateEdit::dateChanged, this, &ZenginDateDialog::showDay);

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(dateEdit_, 0, 1);
    grid->addWidget(dayLabel_, 0, 2);
    grid->setColumnStretch(2, 1);
    grid->addWidget(noteLabel_, 1, 0, 1, 3);
    grid->addWidget(rule, 2, 0, 1, 3);
    grid->addWidget(buttons, 3, 0, 1, 3);
    showDay();
}

void ZenginDateDialog::propose(const print::ZenginDate& proposal) {
    dateEdit_->setDate(qtDate(proposal.date));
    noteLabel_->setText(proposal.moved()
                            ? qs("支給日 " + japaneseDate(proposal.payDate) + " は銀行の休業日(" +
                                 calendar_.closedReason(proposal.payDate) +
                                 ")のため、前の営業日にしています。")
                            : qs("支給日 " + japaneseDate(proposal.payDate) + " です。"));
}

CalendarDate ZenginDateDialog::date() const {
    return calendarDate(dateEdit_->date());
}

void ZenginDateDialog::showDay() {
    const CalendarDate day = date();
    std::string text = weekdayMark(day);
    if (!calendar_.isBankBusinessDay(day)) text += " 銀行休業日: " + calendar_.closedReason(day);
    if (!calendar_.covers(static_cast<int>(day.year())))
        text += " (祝日表にない年です。祝日は確かめられません)";
    dayLabel_->setText(qs(text));
}

void ZenginDateDialog::accept() {
    if (const std::string refusal = print::zenginDateRefusal(date(), calendar_); !refusal.empty()) {
        messages_.error(this, qs(refusal));
        dateEdit_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace keiro::payroll
