#include "withholding/designated_relatives_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/employee_master.h"
#include "widgets/message_service.h"
#include "withholding/dialog_boxes.h"
#include "withholding/edit/family_class.h"
#include "withholding/edit_boxes.h"
#include "withholding/family_entry_boxes.h"
#include "withholding/furigana_follower.h"
#include "withholding/model/entry_text.h"
#include "withholding/model/family_rows.h"

namespace keiro::withholding {
namespace {

constexpr int kNameBytes = decltype(SpecificRelative::name)::kCapacity;
constexpr int kFuriganaBytes = decltype(SpecificRelative::furigana)::kCapacity;

}  // namespace

DesignatedRelativesPanel::DesignatedRelativesPanel(int dataYear, ui::MessageService& messages,
                                                   QWidget* parent)
    : FamilyPage(parent),
      dataYear_(dataYear),
      messages_(messages),
      boxes_(new EditBoxes(this, ui::EntrySettings{}, messages)) {
    setObjectName(QStringLiteral("pnToku"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(columnHeading(QStringLiteral("氏名")), 0, 1);
    grid->addWidget(columnHeading(QStringLiteral("フリガナ")), 0, 2);
    grid->addWidget(columnHeading(QStringLiteral("生年月日")), 0, 3);
    grid->addWidget(columnHeading(QStringLiteral("個人番号")), 0, 5);
    grid->addWidget(columnHeading(QStringLiteral("合計所得")), 0, 6);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    layout->addWidget(new QLabel(
        QStringLiteral("12月31日現在で19歳以上23歳未満、合計所得が扶養親族の限度額を超える親族")));
    layout->addLayout(grid);
    layout->addStretch();
    // The grid is in the panel before the rows, so each box joins the Tab order as it is placed.
    for (int i = 0; i < kRelatives; ++i) buildRow(grid, i);
}

void DesignatedRelativesPanel::buildRow(QGridLayout* grid, int index) {
    Row& row = rows_[static_cast<std::size_t>(index)];
    const QString n = QString::number(index + 1);
    row.name = textBox(QStringLiteral("edTokuName_") + n, kNameBytes, kNameBytes, messages_);
    row.furigana =
        textBox(QStringLiteral("edTokuFuri_") + n, kFuriganaBytes, kFuriganaBytes, messages_);
    FuriganaFollower::attach(row.name, row.furigana, kFuriganaBytes);
    row.birth = new BirthDateBox(QStringLiteral("edTokuBirth_") + n, dataYear_, messages_);
    row.ageClass = ageClassLabel(QStringLiteral("lbTokuNenrei_") + n);
    row.number = digitBox(QStringLiteral("edTokuNumb_") + n, kMyNumberDigits, messages_);
    connect(row.birth, &BirthDateBox::dateLeft, this,
            [this, index](const CalendarDateBytes& date) { birthLeft(index, date); });
    const int line = index + 1;
    grid->addWidget(new QLabel(qs(rowMark(index))), line, 0);
    grid->addWidget(row.name, line, 1);
    grid->addWidget(row.furigana, line, 2);
    grid->addWidget(row.birth->edit(), line, 3);
    grid->addWidget(row.ageClass, line, 4);
    grid->addWidget(row.number, line, 5);
    // Made in the panel at once, so made after the boxes before it are placed.
    row.income = boxes_->amount(QStringLiteral("edTokuSyotoku_%1").arg(n).toUtf8().constData());
    grid->addWidget(row.income, line, 6);
}

void DesignatedRelativesPanel::birthLeft(int index, const CalendarDateBytes& date) {
    Row& row = rows_[static_cast<std::size_t>(index)];
    row.ageClass->setText(qs(familyClassText(date, dataYear_, FamilyRole::Dependant)));
    if (!fitsSpecificRelativeAge(date, dataYear_)) {
        messages_.warning(window(), qs(kMsgSpecificRelativeAge));
    }
}

void DesignatedRelativesPanel::load(const WithholdingRecord& record,
                                    const WithholdingSupplement& supplement) {
    for (std::size_t i = 0; i < kRelatives; ++i) {
        const SpecificRelative& person = supplement.specificRelatives[i];
        Row& row = rows_[i];
        row.name->setText(qs(person.name.utf8()));
        row.furigana->setText(qs(person.furigana.utf8()));
        row.birth->setDate(person.birth);
        row.ageClass->setText(qs(familyClassText(person.birth, dataYear_, FamilyRole::Dependant)));
        row.number->setText(qs(formatMyNumber(person.myNumber)));
        row.loadedNumber = row.number->text();
        EditBoxes::setAmount(row.income, record.specificRelativeIncome[i]);
        if (record.specificRelativeIncome[i] == 0) row.income->clear();
    }
}

bool DesignatedRelativesPanel::store(WithholdingRecord& record,
                                     WithholdingSupplement& supplement) const {
    for (std::size_t i = 0; i < kRelatives; ++i) {
        SpecificRelative& person = supplement.specificRelatives[i];
        const Row& row = rows_[i];
        if (!row.birth->read(person.birth)) return false;
        storeEntryText(person.name, row.name->text().toStdString());
        storeEntryText(person.furigana, row.furigana->text().toStdString());
        if (!acceptMyNumber(row.number, row.loadedNumber, messages_)) return false;
        if (row.number->text() != row.loadedNumber) {
            person.myNumber = parseMyNumber(row.number->text().toStdString()).value_or(0);
        }
        record.specificRelativeIncome[i] = EditBoxes::amountOf(row.income);
    }
    return true;
}

QList<QLineEdit*> DesignatedRelativesPanel::numberBoxes() const {
    QList<QLineEdit*> boxes;
    for (const Row& row : rows_) boxes.append(row.number);
    return boxes;
}

}  // namespace keiro::withholding
