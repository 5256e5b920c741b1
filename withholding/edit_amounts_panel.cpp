#include "withholding/edit_amounts_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string>
#include <type_traits>

#include "withholding/edit_boxes.h"

namespace keiro::withholding {

namespace {

// One amount of both record formats: its box, caption and field; `currentOnly` for the fields
// of the 1500-byte records alone, `item` for the automatic ones.
template <typename Record>
using AmountMember = std::int32_t Record::*;

struct AmountField {
    const char* name;
    const char* caption;
    int item;  // manual item number; 0 for an ordinary amount
    bool currentOnly;
    AmountMember<WithholdingRecord> current;
    AmountMember<LegacyWithholdingRecord> legacy;
};

#define KEIRO_AMOUNT(name, caption, item, member)                                                \
    AmountField {                                                                                \
        name, caption, item, false, &WithholdingRecord::member, &LegacyWithholdingRecord::member \
    }

const std::array<AmountField, 20> kFields = {{
    KEIRO_AMOUNT("edSiharai", "支払金額", kManualPaid, paid),
    KEIRO_AMOUNT("edChousyu", "徴収税額", kManualWithheld, withheld),
    KEIRO_AMOUNT("edSyoKouGak", "給与所得控除後の金額", kManualIncomeAfterDeduction,
                 incomeAfterDeduction),
    KEIRO_AMOUNT("edKouGakKei", "所得控除の額の合計額", kManualTotalDeductions, totalDeductions),
    KEIRO_AMOUNT("edGensenGak", "源泉徴収税額", kManualAnnualTax, annualTax),
    KEIRO_AMOUNT("edSyahoGaku", "社会保険料等の金額", kManualSocialInsurance, socialInsurance),
    KEIRO_AMOUNT("edHaiTokGak", "配偶者特別控除の額", kManualSpouseSpecial, spouseSpecial),
    KEIRO_AMOUNT("edHaiSyotok", "配偶者の合計所得", 0, spouseIncome),
    KEIRO_AMOUNT("edSeihoGaku", "生命保険料の控除額", 0, lifeInsurance),
    KEIRO_AMOUNT("edJisinGaku", "地震保険料の控除額", 0, earthquakeInsurance),
    KEIRO_AMOUNT("edJutakGaku", "住宅借入金等特別控除の額", 0, housingLoanCredit),
    KEIRO_AMOUNT("edKokuho", "国民年金保険料等の金額", 0, nationalPension),
    KEIRO_AMOUNT("edSeimeiN", "新生命保険料の金額", 0, lifeNew),
    KEIRO_AMOUNT("edSeimeiO", "旧生命保険料の金額", 0, lifeOld),
    KEIRO_AMOUNT("edKaigoiryo", "介護医療保険料の金額", 0, medicalCare),
    KEIRO_AMOUNT("edNenkinN", "新個人年金保険料の金額", 0, pensionNew),
    KEIRO_AMOUNT("edNenkinO", "旧個人年金保険料の金額", 0, pensionOld),
    KEIRO_AMOUNT("edChoSonGak", "旧長期損害保険料の金額", 0, oldLongTermInsurance),
    AmountField{"edKyosaGaku", "小規模企業共済等掛金", 0, true,
                &WithholdingRecord::smallBusinessMutualAid, nullptr},
    KEIRO_AMOUNT("edJuKariGak", "住宅借入金等特別控除可能額", 0, housingLoanAvailable),
}};

#undef KEIRO_AMOUNT

template <typename Record>
AmountMember<Record> memberOf(const AmountField& field) {
    if constexpr (std::is_same_v<Record, WithholdingRecord>)
        return field.current;
    else
        return field.legacy;
}

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

EditAmountsPanel::EditAmountsPanel(EditBoxes& boxes, bool currentFormat, const LaterInputs& later,
                                   QWidget* parent)
    : QWidget(parent) {
    auto* automatic = new QGroupBox(q("自動計算項目"));
    auto* automaticGrid = new QGridLayout(automatic);
    auto* others = new QGroupBox(q("控除等"));
    auto* otherGrid = new QGridLayout(others);
    for (const AmountField& field : kFields) {
        QLineEdit* box = boxes.amount(field.name);
        boxes_.push_back(box);
        const bool shown = currentFormat || !field.currentOnly;
        if (!shown) {
            box->hide();
            continue;
        }
        QGridLayout* grid = field.item != 0 ? automaticGrid : otherGrid;
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(q(field.caption)), row, 0);
        grid->addWidget(box, row, 1);
        if (field.item != 0) automatic_.emplace_back(box, field.item);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(automatic);
    layout->addWidget(others);

    if (currentFormat && (later.incomeEstimate || later.specificRelatives)) {
        auto* laterBox = new QGroupBox(q("本人の所得・特定親族"));
        auto* grid = new QGridLayout(laterBox);
        if (later.incomeEstimate) {
            edSyotokuMitsumori_ = boxes.amount("edSyotokuMitsumori");
            grid->addWidget(new QLabel(q("所得の見積額")), 0, 0);
            grid->addWidget(edSyotokuMitsumori_, 0, 1);
        }
        if (later.specificRelatives) {
            static constexpr const char* kMarks[] = {"①", "②", "③", "④"};
            for (std::size_t i = 0; i < edTokutei_.size(); ++i) {
                edTokutei_[i] = boxes.amount(("edTokutei" + std::to_string(i + 1)).c_str());
                grid->addWidget(new QLabel(q("特定親族") + q(kMarks[i]) + q(" 合計所得")),
                                int(i) + 1, 0);
                grid->addWidget(edTokutei_[i], int(i) + 1, 1);
            }
        }
        layout->addWidget(laterBox);
    }
    layout->addStretch();
}

template <typename Record>
void EditAmountsPanel::load(const Record& record) {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const AmountMember<Record> member = memberOf<Record>(kFields[i]);
        if (member != nullptr) EditBoxes::setAmount(boxes_[i], record.*member);
    }
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        if (edSyotokuMitsumori_) {
            if (record.incomeEstimateEntered == 1)
                EditBoxes::setAmount(edSyotokuMitsumori_, record.incomeEstimate);
            else
                edSyotokuMitsumori_->clear();
        }
        for (std::size_t i = 0; i < edTokutei_.size(); ++i) {
            if (edTokutei_[i] == nullptr) continue;
            if (record.specificRelativeIncome[i] != 0)
                EditBoxes::setAmount(edTokutei_[i], record.specificRelativeIncome[i]);
            else
                edTokutei_[i]->clear();
        }
    }
}

template <typename Record>
void EditAmountsPanel::store(Record& record) const {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const AmountMember<Record> member = memberOf<Record>(kFields[i]);
        if (member != nullptr) record.*member = EditBoxes::amountOf(boxes_[i]);
    }
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        // The inputs of years that do not show them are kept as they are.
        if (edSyotokuMitsumori_) {
            const bool entered = !edSyotokuMitsumori_->text().trimmed().isEmpty();
            record.incomeEstimateEntered = entered ? 1 : 0;
            record.incomeEstimate = entered ? EditBoxes::amountOf(edSyotokuMitsumori_) : 0;
        }
        for (std::size_t i = 0; i < edTokutei_.size(); ++i) {
            if (edTokutei_[i])
                record.specificRelativeIncome[i] = EditBoxes::amountOf(edTokutei_[i]);
        }
    }
}

template void EditAmountsPanel::load(const WithholdingRecord&);
template void EditAmountsPanel::load(const LegacyWithholdingRecord&);
template void EditAmountsPanel::store(WithholdingRecord&) const;
template void EditAmountsPanel::store(LegacyWithholdingRecord&) const;

}  // namespace keiro::withholding
