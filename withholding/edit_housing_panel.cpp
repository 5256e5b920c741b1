#include "withholding/edit_housing_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <type_traits>

#include "withholding/edit/edit_rules.h"
#include "withholding/edit_boxes.h"
#include "withholding/edit_record_text.h"

namespace keiro::withholding {

namespace {

QString q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string numbered(const char* name, std::size_t index) {
    return name + std::to_string(index + 1);
}

void loadStart(const EditHousingPanel::ResidenceStart& start, const EraDateBytes& date) {
    const bool known = date.era >= 1 && date.era < start.era->count();
    start.era->setCurrentIndex(known ? date.era : 0);
    EditBoxes::setDatePart(start.parts[0], known ? date.year : 0);
    EditBoxes::setDatePart(start.parts[1], known ? date.month : 0);
    EditBoxes::setDatePart(start.parts[2], known ? date.day : 0);
}

void storeStart(const EditHousingPanel::ResidenceStart& start, EraDateBytes& date) {
    date.era = static_cast<std::uint8_t>(start.era->currentIndex());
    date.year = byteOf(start.parts[0]);
    date.month = byteOf(start.parts[1]);
    date.day = byteOf(start.parts[2]);
}

}  // namespace

EditHousingPanel::EditHousingPanel(EditBoxes& boxes, bool currentFormat,
                                   const std::string& newEraName, QWidget* parent)
    : QWidget(parent) {
    QStringList eras;
    for (std::string_view era : kBirthEras) eras << q(era);
    if (!newEraName.empty()) eras << q(newEraName);
    QStringList kinds;
    for (std::string_view kind : kHousingLoanKinds) kinds << q(kind);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::size_t loans = currentFormat ? 2 : 1;
    for (std::size_t i = 0; i < loans; ++i) {
        ResidenceStart start{boxes.combo(numbered("cbKyojuG", i).c_str(), eras),
                             {boxes.datePart(numbered("edKyojuY", i).c_str()),
                              boxes.datePart(numbered("edKyojuM", i).c_str()),
                              boxes.datePart(numbered("edKyojuD", i).c_str())}};
        starts_.push_back(start);
        auto* row = new QHBoxLayout;
        row->addWidget(start.era);
        const char* units[] = {"年", "月", "日"};
        for (std::size_t p = 0; p < 3; ++p) {
            row->addWidget(start.parts[p]);
            row->addWidget(new QLabel(QString::fromUtf8(units[p])));
        }
        if (currentFormat) {
            loanKindCombos_[i] = boxes.combo(numbered("cbJuKariKbn", i).c_str(), kinds);
            loanSpecificChecks_[i] = boxes.check(numbered("cbJuKariTok", i).c_str(), q("特定取得"));
            loanBalanceEdits_[i] = boxes.amount(numbered("edJuKariZan", i).c_str());
            row->addWidget(new QLabel(q("区分")));
            row->addWidget(loanKindCombos_[i]);
            row->addWidget(loanSpecificChecks_[i]);
            row->addWidget(new QLabel(q("年末残高")));
            row->addWidget(loanBalanceEdits_[i]);
        }
        row->addStretch();
        grid->addWidget(new QLabel(q("居住開始年月日") + QString::number(i + 1)), int(i), 0);
        grid->addLayout(row, int(i), 1);
    }
    if (currentFormat) {
        loanCreditCountEdit_ = boxes.count("edJuKariTek");
        auto* row = new QHBoxLayout;
        row->addWidget(loanCreditCountEdit_);
        row->addStretch();
        grid->addWidget(new QLabel(q("住宅借入金等特別控除適用数")), 2, 0);
        grid->addLayout(row, 2, 1);
    }
}

template <typename Record>
void EditHousingPanel::load(const Record& record) {
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        for (std::size_t i = 0; i < 2; ++i) {
            loadStart(starts_[i], record.residenceStart[i]);
            loanKindCombos_[i]->setCurrentIndex(
                record.housingLoanKind[i] < 5 ? record.housingLoanKind[i] : 0);
            loanSpecificChecks_[i]->setChecked(record.housingLoanSpecific[i] == 1);
            EditBoxes::setAmount(loanBalanceEdits_[i], record.housingLoanBalance[i]);
        }
        EditBoxes::setCount(loanCreditCountEdit_, record.housingLoanCount);
    } else {
        loadStart(starts_[0], record.residenceStart);
    }
}

template <typename Record>
void EditHousingPanel::store(Record& record) const {
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        for (std::size_t i = 0; i < 2; ++i) {
            storeStart(starts_[i], record.residenceStart[i]);
            record.housingLoanKind[i] =
                static_cast<std::uint8_t>(loanKindCombos_[i]->currentIndex());
            record.housingLoanSpecific[i] = loanSpecificChecks_[i]->isChecked() ? 1 : 0;
            record.housingLoanBalance[i] = EditBoxes::amountOf(loanBalanceEdits_[i]);
        }
        record.housingLoanCount = EditBoxes::numberOf(loanCreditCountEdit_);
    } else {
        storeStart(starts_[0], record.residenceStart);
    }
}

template void EditHousingPanel::load(const WithholdingRecord&);
template void EditHousingPanel::load(const LegacyWithholdingRecord&);
template void EditHousingPanel::store(WithholdingRecord&) const;
template void EditHousingPanel::store(LegacyWithholdingRecord&) const;

}  // namespace keiro::withholding
