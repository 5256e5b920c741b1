#include "withholding/family_more_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/employee_master.h"
#include "withholding/dialog_boxes.h"
#include "withholding/edit/family_class.h"
#include "withholding/family_entry_boxes.h"
#include "withholding/model/entry_text.h"

namespace keiro::withholding {
namespace {

constexpr int kNameBytes = decltype(MoreDependant::name)::kCapacity;
constexpr int kRemarkNumberBytes = 16;
constexpr std::array<const char*, FamilyMorePanel::kMoreRows> kMarks = {"⑤", "⑥", "⑦", "⑧", "⑨"};

}  // namespace

FamilyMorePanel::FamilyMorePanel(int dataYear, ui::MessageService& messages, QWidget* parent)
    : FamilyPage(parent), dataYear_(dataYear), messages_(messages) {
    setObjectName(QStringLiteral("pnMore"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupBox(QStringLiteral("控除対象扶養親族（5人目以降）"), 1, dependants_));
    layout->addWidget(groupBox(QStringLiteral("16歳未満の扶養親族（5人目以降）"), 2, under16_));
    layout->addStretch();
}

QWidget* FamilyMorePanel::groupBox(const QString& title, int line, Group& rows) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    grid->addWidget(columnHeading(QStringLiteral("氏名")), 0, 1);
    grid->addWidget(columnHeading(QStringLiteral("生年月日")), 0, 2);
    grid->addWidget(columnHeading(QStringLiteral("続柄")), 0, 4);
    grid->addWidget(columnHeading(QStringLiteral("個人番号（備考）")), 0, 6);
    const QString n = QString::number(line);
    for (int k = 0; k < kMoreRows; ++k) {
        Row& row = rows[static_cast<std::size_t>(k)];
        const QString suffix = n + QLatin1Char('_') + QString::number(k + 1);
        row.name =
            textBox(QStringLiteral("edBikouName") + suffix, kNameBytes, kNameBytes, messages_);
        row.birth = new BirthDateBox(QStringLiteral("edBikouBirth") + suffix, dataYear_, messages_);
        row.ageClass = ageClassLabel(QStringLiteral("lbBikouKubun") + suffix);
        row.relationship = relationshipCombo(QStringLiteral("cbBikouZokugara") + suffix, false);
        row.nonResident = new QCheckBox(QStringLiteral("非居住者"));
        row.nonResident->setObjectName(QStringLiteral("cbBikouHiKi") + suffix);
        row.number = textBox(QStringLiteral("edBikou") + suffix, kRemarkNumberBytes,
                             kMyNumberDigits, messages_);
        maskWithStars(row.number);
        QLabel* ageClass = row.ageClass;
        connect(row.birth, &BirthDateBox::dateLeft, ageClass,
                [ageClass, year = dataYear_](const CalendarDateBytes& date) {
                    ageClass->setText(qs(familyClassText(date, year, FamilyRole::Dependant)));
                });
        grid->addWidget(new QLabel(QString::fromUtf8(kMarks[static_cast<std::size_t>(k)])), k + 1,
                        0);
        grid->addWidget(row.name, k + 1, 1);
        grid->addWidget(row.birth->edit(), k + 1, 2);
        grid->addWidget(row.ageClass, k + 1, 3);
        grid->addWidget(row.relationship, k + 1, 4);
        grid->addWidget(row.nonResident, k + 1, 5);
        grid->addWidget(row.number, k + 1, 6);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

void FamilyMorePanel::loadRow(Row& row, const MoreDependant& person, const std::string& number,
                              int dataYear) {
    row.name->setText(qs(person.name.utf8()));
    row.birth->setDate(person.birth);
    row.ageClass->setText(qs(familyClassText(person.birth, dataYear, FamilyRole::Dependant)));
    setComboValue(row.relationship, person.relationship);
    row.nonResident->setChecked(person.nonResident != 0);
    row.number->setText(qs(number));
}

bool FamilyMorePanel::storeRow(const Row& row, MoreDependant& person, PStr<16>& number) {
    if (!row.birth->read(person.birth)) return false;
    storeEntryText(person.name, row.name->text().toStdString());
    person.relationship = comboValue(row.relationship);
    person.nonResident = row.nonResident->isChecked() ? 1 : 0;
    storeEntryText(number, row.number->text().toStdString());
    return true;
}

void FamilyMorePanel::load(const WithholdingRecord& record,
                           const WithholdingSupplement& supplement) {
    for (std::size_t k = 0; k < kMoreRows; ++k) {
        loadRow(dependants_[k], supplement.moreDependants[k], record.moreDependantNumbers[k].utf8(),
                dataYear_);
        loadRow(under16_[k], supplement.moreUnder16[k], record.moreUnder16Numbers[k].utf8(),
                dataYear_);
    }
}

bool FamilyMorePanel::store(WithholdingRecord& record, WithholdingSupplement& supplement) const {
    for (std::size_t k = 0; k < kMoreRows; ++k) {
        if (!storeRow(dependants_[k], supplement.moreDependants[k],
                      record.moreDependantNumbers[k]) ||
            !storeRow(under16_[k], supplement.moreUnder16[k], record.moreUnder16Numbers[k])) {
            return false;
        }
    }
    return true;
}

QList<QLineEdit*> FamilyMorePanel::numberBoxes() const {
    QList<QLineEdit*> boxes;
    for (const Row& row : dependants_) boxes.append(row.number);
    for (const Row& row : under16_) boxes.append(row.number);
    return boxes;
}

}  // namespace keiro::withholding
