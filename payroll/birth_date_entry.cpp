#include "payroll/birth_date_entry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <functional>

#include "core/era.h"
#include "payroll/employee_boxes.h"
#include "widgets/entry_behaviour.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

constexpr int kFirstWesternYear = 1868;

void connectCommitted(QLineEdit* box, QObject* receiver, const std::function<void()>& slot) {
    QObject::connect(box->findChild<ui::NumericEntry*>(), &ui::NumericEntry::committed, receiver,
                     slot);
}

QString rangeMessage(int last) {
    return QStringLiteral("1〜%1の範囲で入力してください。").arg(last);
}

}  // namespace

BirthDateEntry::BirthDateEntry(QComboBox* era, QLineEdit* year, QLineEdit* month, QLineEdit* day,
                               ui::MessageService& messages)
    : QObject(era), era_(era), year_(year), month_(month), day_(day), messages_(messages) {
    connectCommitted(year_, this, [this] { yearCommitted(); });
    connectCommitted(month_, this, [this] { monthOrDayCommitted(month_, 12); });
    connectCommitted(day_, this, [this] { monthOrDayCommitted(day_, 31); });
    // Choosing the era by hand makes the year an era year again.
    connect(era_, &QComboBox::activated, this, [this] { westernYear_ = 0; });
}

void BirthDateEntry::yearCommitted() {
    const int typed = amountIn(year_);
    westernYear_ = 0;
    if (typed == 0) {
        era_->setCurrentIndex(-1);
        year_->clear();
        month_->clear();
        day_->clear();
        return;
    }
    if (typed >= kFirstWesternYear) {
        westernYear_ = typed;
        placeWesternYear();
        return;
    }
    const int last =
        era_->currentIndex() >= 0 ? lastYearOfEra(era_->currentText().toStdString()) : 99;
    if (typed > last) refuse(year_, rangeMessage(last));
}

void BirthDateEntry::monthOrDayCommitted(QLineEdit* box, int last) {
    const int typed = amountIn(box);
    if (typed > last) {
        refuse(box, rangeMessage(last));
        return;
    }
    if (westernYear_ != 0) placeWesternYear();
}

void BirthDateEntry::placeWesternYear() {
    const auto date = eraDateOfBirthYear(westernYear_, amountIn(month_), amountIn(day_));
    const int index = date ? era_->findText(QString::fromStdString(date->eraName)) : -1;
    if (index < 0) {
        // Before 明治, or an era the list does not hold (nobody employed was born in it).
        westernYear_ = 0;
        refuse(year_, QStringLiteral("西暦は明治から平成までの年(%1〜2019)を入力してください。")
                          .arg(kFirstWesternYear));
        return;
    }
    era_->setCurrentIndex(index);
    showTwoDigits(year_, date->eraYear);
}

void BirthDateEntry::refuse(QLineEdit* box, const QString& message) {
    box->clear();
    // The message and the focus wait until the change of focus under way is done.
    QTimer::singleShot(0, box, [this, box, message] {
        messages_.error(box->window(), message);
        box->setFocus(Qt::OtherFocusReason);
    });
}

}  // namespace keiro::payroll
