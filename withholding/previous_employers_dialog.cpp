#include "withholding/previous_employers_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "widgets/command_runner.h"
#include "withholding/edit/edit_rules.h"
#include "withholding/edit_boxes.h"
#include "withholding/edit_record_text.h"

namespace keiro::withholding {
namespace {

constexpr int kNameBytes = decltype(PreviousEmployer::payerName)::kCapacity;
constexpr int kAddressBytes = decltype(PreviousEmployer::payerAddress)::kCapacity;

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::string numbered(const char* name, int employer) {
    return name + std::to_string(employer + 1);
}

QPushButton* button(const char* name, const char* caption) {
    auto* b = new QPushButton(q(caption));
    b->setObjectName(q(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

PreviousEmployersDialog::PreviousEmployersDialog(PreviousEmployer (&employers)[kEmployers],
                                                 const Era& era, ui::MessageService& messages,
                                                 const ui::EntrySettings& settings, QWidget* parent)
    : QDialog(parent), employers_(employers), era_(era) {
    setObjectName(q("TfmZensyoku"));
    setWindowTitle(q("前職分"));
    boxes_ = new EditBoxes(this, settings, messages);
    auto* layout = new QVBoxLayout(this);
    static constexpr const char* kMarks[] = {"①", "②"};
    for (int i = 0; i < kEmployers; ++i) {
        Boxes& row = rows_[static_cast<std::size_t>(i)];
        row.name = boxes_->text(numbered("edZenName", i).c_str(), kNameBytes, 40);
        row.address = boxes_->text(numbered("edZenJusyo", i).c_str(), kAddressBytes, 60);
        row.leftOn = {boxes_->datePart(numbered("edZenTaiY", i).c_str()),
                      boxes_->datePart(numbered("edZenTaiM", i).c_str()),
                      boxes_->datePart(numbered("edZenTaiD", i).c_str())};
        row.pay = boxes_->amount(numbered("edZenSiharai", i).c_str());
        row.tax = boxes_->amount(numbered("edZenChousyu", i).c_str());
        row.social = boxes_->amount(numbered("edZenSyaho", i).c_str());

        auto* group = new QGroupBox(q("前職") + q(kMarks[i]));
        auto* grid = new QGridLayout(group);
        grid->addWidget(new QLabel(q("支払者の名称")), 0, 0);
        grid->addWidget(row.name, 0, 1, 1, 3);
        grid->addWidget(new QLabel(q("支払者の住所")), 1, 0);
        grid->addWidget(row.address, 1, 1, 1, 3);
        grid->addWidget(new QLabel(q("退職年月日")), 2, 0);
        auto* date = new QHBoxLayout;
        date->addWidget(new QLabel(era_.name));
        date->addWidget(row.leftOn[0]);
        date->addWidget(new QLabel(q("年")));
        date->addWidget(row.leftOn[1]);
        date->addWidget(new QLabel(q("月")));
        date->addWidget(row.leftOn[2]);
        date->addWidget(new QLabel(q("日")));
        date->addStretch();
        grid->addLayout(date, 2, 1, 1, 3);
        grid->addWidget(new QLabel(q("支払金額")), 3, 0);
        grid->addWidget(row.pay, 3, 1);
        grid->addWidget(new QLabel(q("源泉徴収税額")), 3, 2);
        grid->addWidget(row.tax, 3, 3);
        grid->addWidget(new QLabel(q("社会保険料等の金額")), 4, 0);
        grid->addWidget(row.social, 4, 1);
        layout->addWidget(group);
        load(employers_[i], row);
    }
    connect(boxes_, &EditBoxes::numberLeft, this,
            [this](QLineEdit* box) { checkLeavingDate(box); });

    QPushButton* ok = button("bbOk", "Ｏ Ｋ");
    QPushButton* cancel = button("bbCancel", "キャンセル");
    ui::connectCommand(ok, this, messages, &PreviousEmployersDialog::storeAndClose);
    connect(cancel, &QPushButton::clicked, this, &PreviousEmployersDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    rows_[0].name->setFocus();
}

void PreviousEmployersDialog::load(const PreviousEmployer& employer, const Boxes& boxes) const {
    EditBoxes::setText(boxes.name, employer.payerName.utf8());
    EditBoxes::setText(boxes.address, employer.payerAddress.utf8());
    const CalendarDateBytes& date = employer.leftOn;
    const int eraYear = date.yearSince1900 + 1900 - gregorianYearOf(era_.index, 1) + 1;
    const bool shown = date.yearSince1900 != 0 && eraYear >= 1;
    EditBoxes::setDatePart(boxes.leftOn[0], shown ? eraYear : 0);
    EditBoxes::setDatePart(boxes.leftOn[1], shown ? date.month : 0);
    EditBoxes::setDatePart(boxes.leftOn[2], shown ? date.day : 0);
    // The amounts are copied out of the packed record before use.
    const std::array<std::pair<QLineEdit*, std::int32_t>, 3> amounts{
        {{boxes.pay, std::int32_t(employer.pay)},
         {boxes.tax, std::int32_t(employer.tax)},
         {boxes.social, std::int32_t(employer.socialInsurance)}}};
    for (const auto& [box, value] : amounts) {
        if (value != 0)
            EditBoxes::setAmount(box, value);
        else
            box->clear();
    }
}

void PreviousEmployersDialog::store(const Boxes& boxes, PreviousEmployer& employer) const {
    PreviousEmployer stored{};
    storeText(stored.payerName, boxes.name);
    storeText(stored.payerAddress, boxes.address);
    const int eraYear = EditBoxes::numberOf(boxes.leftOn[0]);
    const int month = EditBoxes::numberOf(boxes.leftOn[1]);
    const int day = EditBoxes::numberOf(boxes.leftOn[2]);
    if (eraYear > 0 && month > 0 && day > 0) {
        stored.leftOn = {static_cast<std::uint8_t>(gregorianYearOf(era_.index, eraYear) - 1900),
                         static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day)};
    }
    stored.pay = EditBoxes::amountOf(boxes.pay);
    stored.tax = EditBoxes::amountOf(boxes.tax);
    stored.socialInsurance = EditBoxes::amountOf(boxes.social);
    // Bytes this dialog does not edit stay as they were.
    std::memcpy(stored.reserved, employer.reserved, sizeof stored.reserved);
    employer = stored;
}

void PreviousEmployersDialog::checkLeavingDate(QLineEdit* part) {
    for (const Boxes& row : rows_) {
        const auto found = std::find(row.leftOn.begin(), row.leftOn.end(), part);
        if (found == row.leftOn.end()) continue;
        const DateParts date{era_.index, EditBoxes::numberOf(row.leftOn[0]),
                             EditBoxes::numberOf(row.leftOn[1]),
                             EditBoxes::numberOf(row.leftOn[2])};
        const auto index = static_cast<int>(found - row.leftOn.begin());
        const DateCheck check =
            checkDatePart(static_cast<DateField>(static_cast<int>(DateField::Year) + index), date);
        if (check.emptyPart) part->clear();
        if (check.focusBack && *check.focusBack != DateField::Era)
            row.leftOn[static_cast<std::size_t>(*check.focusBack) - 1]->setFocus();
        return;
    }
}

void PreviousEmployersDialog::storeAndClose() {
    for (const Boxes& row : rows_)
        for (QLineEdit* part : row.leftOn) checkLeavingDate(part);
    for (int i = 0; i < kEmployers; ++i) store(rows_[static_cast<std::size_t>(i)], employers_[i]);
    accept();
}

}  // namespace keiro::withholding
