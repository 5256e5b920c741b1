#include "withholding/edit_amounts_panel.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>

#include "withholding/calc/insurance_deductions.h"
#include "withholding/edit_boxes.h"

namespace keiro::withholding {

namespace {

// One amount of both record formats: its box, caption, group and field; `currentOnly` for the
// fields of the 1500-byte records alone, `item` for the automatic ones.
template <typename Record>
using AmountMember = std::int32_t Record::*;

// Where a box is shown: the automatic items, the amounts declared as deductions (and the
// spouse's income), or the premiums the employee paid, from which the calculation works out
// the insurance deductions.
enum class Group { Automatic, Deduction, Premium };

// The premiums each insurance deduction is worked out from.
enum class Premium { None, Life, Earthquake };

struct AmountField {
    const char* name;
    const char* caption;
    Group group;
    Premium premium;
    int item;  // manual item number; 0 for an ordinary amount
    bool currentOnly;
    AmountMember<WithholdingRecord> current;
    AmountMember<LegacyWithholdingRecord> legacy;
};

#define KEIRO_AUTOMATIC(name, caption, item, member)                                             \
    AmountField {                                                                                \
        name, caption, Group::Automatic, Premium::None, item, false, &WithholdingRecord::member, \
            &LegacyWithholdingRecord::member                                                     \
    }
#define KEIRO_AMOUNT(name, caption, group, premium, member)                  \
    AmountField {                                                            \
        name, caption, group, premium, 0, false, &WithholdingRecord::member, \
            &LegacyWithholdingRecord::member                                 \
    }
#define KEIRO_CURRENT_AMOUNT(name, caption, group, premium, member)                 \
    AmountField {                                                                   \
        name, caption, group, premium, 0, true, &WithholdingRecord::member, nullptr \
    }

const std::array<AmountField, 22> kFields = {{
    KEIRO_AUTOMATIC("edSiharai", "支払金額", kManualPaid, paid),
    KEIRO_AUTOMATIC("edChousyu", "徴収税額", kManualWithheld, withheld),
    KEIRO_AUTOMATIC("edSyoKouGak", "給与所得控除後の金額", kManualIncomeAfterDeduction,
                    incomeAfterDeduction),
    KEIRO_AUTOMATIC("edKouGakKei", "所得控除の額の合計額", kManualTotalDeductions, totalDeductions),
    KEIRO_AUTOMATIC("edGensenGak", "源泉徴収税額", kManualAnnualTax, annualTax),
    KEIRO_AUTOMATIC("edSyahoGaku", "社会保険料等の金額", kManualSocialInsurance, socialInsurance),
    KEIRO_AUTOMATIC("edHaiTokGak", "配偶者特別控除の額", kManualSpouseSpecial, spouseSpecial),
    KEIRO_AMOUNT("edHaiSyotok", "配偶者の合計所得", Group::Deduction, Premium::None, spouseIncome),
    KEIRO_AMOUNT("edSeihoGaku", "生命保険料の控除額", Group::Deduction, Premium::None,
                 lifeInsurance),
    KEIRO_AMOUNT("edJisinGaku", "地震保険料の控除額", Group::Deduction, Premium::None,
                 earthquakeInsurance),
    KEIRO_AMOUNT("edJutakGaku", "住宅借入金等特別控除の額", Group::Deduction, Premium::None,
                 housingLoanCredit),
    KEIRO_AMOUNT("edKokuho", "国民年金保険料等", Group::Premium, Premium::None, nationalPension),
    KEIRO_CURRENT_AMOUNT("edKokuhoSonota", "国民健康保険料等", Group::Premium, Premium::None,
                         otherDeclaredSocial),
    KEIRO_AMOUNT("edSeimeiN", "新生命保険料", Group::Premium, Premium::Life, lifeNew),
    KEIRO_AMOUNT("edSeimeiO", "旧生命保険料", Group::Premium, Premium::Life, lifeOld),
    KEIRO_AMOUNT("edKaigoiryo", "介護医療保険料", Group::Premium, Premium::Life, medicalCare),
    KEIRO_AMOUNT("edNenkinN", "新個人年金保険料", Group::Premium, Premium::Life, pensionNew),
    KEIRO_AMOUNT("edNenkinO", "旧個人年金保険料", Group::Premium, Premium::Life, pensionOld),
    KEIRO_CURRENT_AMOUNT("edJisinHokenRyo", "地震保険料", Group::Premium, Premium::Earthquake,
                         earthquakePremium),
    KEIRO_AMOUNT("edChoSonGak", "旧長期損害保険料", Group::Premium, Premium::Earthquake,
                 oldLongTermInsurance),
    KEIRO_CURRENT_AMOUNT("edKyosaGaku", "小規模企業共済等掛金", Group::Deduction, Premium::None,
                         smallBusinessMutualAid),
    KEIRO_AMOUNT("edJuKariGak", "住宅借入金等特別控除可能額", Group::Deduction, Premium::None,
                 housingLoanAvailable),
}};

#undef KEIRO_AUTOMATIC
#undef KEIRO_CURRENT_AMOUNT
#undef KEIRO_AMOUNT

template <typename Record>
AmountMember<Record> memberOf(const AmountField& field) {
    if constexpr (std::is_same_v<Record, WithholdingRecord>)
        return field.current;
    else
        return field.legacy;
}

// The packed records hold some amounts at odd offsets: they are copied, never loaded in place.
template <typename Record>
std::int32_t amountIn(const Record& record, AmountMember<Record> member) {
    std::int32_t value;
    std::memcpy(&value, reinterpret_cast<const char*>(&(record.*member)), sizeof value);
    return value;
}

template <typename Record>
void putAmount(Record& record, AmountMember<Record> member, std::int32_t value) {
    std::memcpy(reinterpret_cast<char*>(&(record.*member)), &value, sizeof value);
}

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

EditAmountsPanel::EditAmountsPanel(EditBoxes& boxes, bool currentFormat, const LaterInputs& later,
                                   QWidget* parent)
    : QWidget(parent), earthquakeFromPremiums_(currentFormat) {
    auto* automatic = new QGroupBox(q("自動計算項目"));
    auto* deductions = new QGroupBox(q("控除額等"));
    // The premiums are a group of their own, placed by the editor.
    auto* premiums = new QGroupBox(q("本人が支払った保険料等（支払額）"), this);
    premiums->setObjectName(q("gbPremiums"));
    premiums_ = premiums;
    std::map<Group, QGridLayout*> grids{{Group::Automatic, new QGridLayout(automatic)},
                                        {Group::Deduction, new QGridLayout(deductions)},
                                        {Group::Premium, new QGridLayout(premiums)}};
    for (const AmountField& field : kFields) {
        QLineEdit* box = boxes.amount(field.name);
        boxes_.push_back(box);
        const bool shown = currentFormat || !field.currentOnly;
        if (!shown) {
            box->hide();
            continue;
        }
        QGridLayout* grid = grids.at(field.group);
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(q(field.caption)), row, 0);
        grid->addWidget(box, row, 1);
        if (field.item != 0) automatic_.emplace_back(box, field.item);
        if (std::string_view(field.name) == "edSeihoGaku") lifeDeduction_ = box;
        if (std::string_view(field.name) == "edJisinGaku") earthquakeDeduction_ = box;
        if (field.premium == Premium::Life) lifePremiums_.push_back(box);
        if (field.premium == Premium::Earthquake) earthquakePremiums_.push_back(box);
        if (field.premium != Premium::None)
            connect(box, &QLineEdit::textChanged, this, [this] { refreshComputedDeductions(); });
    }
    // The 500-byte years work out only the life insurance deduction from premiums.
    auto* note =
        new QLabel(currentFormat ? q("保険料を入力すると、その控除額は自動計算で求めます。")
                                 : q("生命保険料を入力すると、その控除額は自動計算で求めます。"));
    note->setWordWrap(true);
    grids.at(Group::Premium)->addWidget(note, grids.at(Group::Premium)->rowCount(), 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(automatic);
    layout->addWidget(deductions);

    if (currentFormat && (later.incomeEstimate || later.specificRelatives)) {
        auto* laterBox = new QGroupBox(q("本人の所得・特定親族"));
        auto* grid = new QGridLayout(laterBox);
        if (later.incomeEstimate) {
            incomeEstimateEdit_ = boxes.amount("edSyotokuMitsumori");
            grid->addWidget(new QLabel(q("所得の見積額")), 0, 0);
            grid->addWidget(incomeEstimateEdit_, 0, 1);
        }
        if (later.specificRelatives) {
            static constexpr const char* kMarks[] = {"①", "②", "③", "④"};
            for (std::size_t i = 0; i < specificRelativeIncomeEdits_.size(); ++i) {
                specificRelativeIncomeEdits_[i] =
                    boxes.amount(("edTokutei" + std::to_string(i + 1)).c_str());
                grid->addWidget(new QLabel(q("特定親族") + q(kMarks[i]) + q(" 合計所得")),
                                int(i) + 1, 0);
                grid->addWidget(specificRelativeIncomeEdits_[i], int(i) + 1, 1);
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
        if (member != nullptr) EditBoxes::setAmount(boxes_[i], amountIn(record, member));
    }
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        if (incomeEstimateEdit_) {
            if (record.incomeEstimateEntered == 1)
                EditBoxes::setAmount(incomeEstimateEdit_, record.incomeEstimate);
            else
                incomeEstimateEdit_->clear();
        }
        for (std::size_t i = 0; i < specificRelativeIncomeEdits_.size(); ++i) {
            if (specificRelativeIncomeEdits_[i] == nullptr) continue;
            if (record.specificRelativeIncome[i] != 0)
                EditBoxes::setAmount(specificRelativeIncomeEdits_[i],
                                     record.specificRelativeIncome[i]);
            else
                specificRelativeIncomeEdits_[i]->clear();
        }
    }
    refreshComputedDeductions();
}

template <typename Record>
void EditAmountsPanel::store(Record& record) const {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const AmountMember<Record> member = memberOf<Record>(kFields[i]);
        if (member != nullptr) putAmount(record, member, EditBoxes::amountOf(boxes_[i]));
    }
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        // The inputs of years that do not show them are kept as they are.
        if (incomeEstimateEdit_) {
            const bool entered = !incomeEstimateEdit_->text().trimmed().isEmpty();
            record.incomeEstimateEntered = entered ? 1 : 0;
            record.incomeEstimate = entered ? EditBoxes::amountOf(incomeEstimateEdit_) : 0;
        }
        for (std::size_t i = 0; i < specificRelativeIncomeEdits_.size(); ++i) {
            if (specificRelativeIncomeEdits_[i])
                record.specificRelativeIncome[i] =
                    EditBoxes::amountOf(specificRelativeIncomeEdits_[i]);
        }
    }
}

bool EditAmountsPanel::anyEntered(const std::vector<QLineEdit*>& premiums) {
    return std::any_of(premiums.begin(), premiums.end(),
                       [](const QLineEdit* box) { return EditBoxes::amountOf(box) != 0; });
}

// A deduction worked out from premiums is shown, not typed: read-only on the window's
// background; without premiums it is the clerk's amount again.
void EditAmountsPanel::showComputed(QLineEdit* deduction, bool computed) {
    if (deduction == nullptr || deduction->isReadOnly() == computed) return;
    QPalette palette = QApplication::palette(deduction);
    if (computed) palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    deduction->setPalette(palette);
    deduction->setReadOnly(computed);
    deduction->setToolTip(computed ? q("保険料から自動計算で求めます") : QString());
}

void EditAmountsPanel::refreshComputedDeductions() {
    showComputed(lifeDeduction_, anyEntered(lifePremiums_));
    const bool earthquake = earthquakeFromPremiums_ && anyEntered(earthquakePremiums_);
    showComputed(earthquakeDeduction_, earthquake);
    if (earthquake) {
        // The same deduction the calculation stores: premiums paid in the year as typed.
        const EarthquakePremiums paid{EditBoxes::amountOf(earthquakePremiums_[0]),
                                      EditBoxes::amountOf(earthquakePremiums_[1])};
        EditBoxes::setAmount(earthquakeDeduction_,
                             static_cast<std::int32_t>(earthquakeInsuranceDeduction(paid)));
    }
}

template void EditAmountsPanel::load(const WithholdingRecord&);
template void EditAmountsPanel::load(const LegacyWithholdingRecord&);
template void EditAmountsPanel::store(WithholdingRecord&) const;
template void EditAmountsPanel::store(LegacyWithholdingRecord&) const;

}  // namespace keiro::withholding
