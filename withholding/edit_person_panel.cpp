#include "withholding/edit_person_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <type_traits>
#include <vector>

#include "withholding/edit_boxes.h"
#include "withholding/edit_record_text.h"

namespace keiro::withholding {

namespace {

constexpr std::array<const char*, 11> kConditionCaptions = {
    "未成年者", "乙欄",     "特別障害者", "その他障害者", "寡婦(一般)", "寡婦(特別)",
    "寡夫",     "勤労学生", "死亡退職",   "災害者",       "外国人"};

QStringList birthEras() {
    QStringList eras;
    for (std::string_view era : kBirthEras)
        eras << QString::fromUtf8(era.data(), qsizetype(era.size()));
    return eras;
}

// Only one of `group` stays checked: the one just checked.
void exclusive(std::initializer_list<QCheckBox*> group) {
    std::vector<QCheckBox*> boxes(group);
    for (QCheckBox* box : boxes) {
        QObject::connect(box, &QCheckBox::toggled, box, [box, boxes](bool on) {
            if (!on) return;
            for (QCheckBox* other : boxes)
                if (other != box) other->setChecked(false);
        });
    }
}

QHBoxLayout* dateRow(QComboBox* era, const std::array<QLineEdit*, 3>& parts) {
    auto* row = new QHBoxLayout;
    if (era) row->addWidget(era);
    const char* units[] = {"年", "月", "日"};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        row->addWidget(parts[i]);
        row->addWidget(new QLabel(QString::fromUtf8(units[i])));
    }
    row->addStretch();
    return row;
}

template <typename Field>
constexpr int capacityOf() {
    return static_cast<int>(Field::kCapacity);
}

}  // namespace

EditPersonPanel::EditPersonPanel(EditBoxes& boxes, bool currentFormat, const LaterInputs& later,
                                 int dataEraYear, QWidget* parent)
    : QWidget(parent), dataEraYear_(dataEraYear) {
    const int addressBytes = currentFormat
                                 ? capacityOf<decltype(WithholdingRecord::address1)>()
                                 : capacityOf<decltype(LegacyWithholdingRecord::address1)>();
    const int furiganaBytes = currentFormat
                                  ? capacityOf<decltype(WithholdingRecord::furigana)>()
                                  : capacityOf<decltype(LegacyWithholdingRecord::furigana)>();
    postalCodeEdit_ = boxes.postalCode("edYubinNo");
    address1Edit_ = boxes.text("edJusyo1", addressBytes, 40);
    address2Edit_ = boxes.text("edJusyo2", addressBytes, 40);
    recipientNumberEdit_ = boxes.digits("edJukyuNo", 8);
    positionEdit_ = boxes.text("edYakusyoku", 16, 16);
    furiganaEdit_ = boxes.text("edFurigana", furiganaBytes, 20);
    birthEraCombo_ = boxes.combo("cbGengou", birthEras());
    birth_ = {boxes.datePart("edSeinenY"), boxes.datePart("edSeinenM"),
              boxes.datePart("edSeinenD")};

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const char* caption, QWidget* box) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        grid->addWidget(box, row++, 1);
    };
    addRow("郵便番号", postalCodeEdit_);
    addRow("住所１", address1Edit_);
    addRow("住所２", address2Edit_);
    addRow("受給者番号", recipientNumberEdit_);
    addRow("役職名", positionEdit_);
    addRow("フリガナ", furiganaEdit_);
    grid->addWidget(new QLabel(QStringLiteral("生年月日")), row, 0);
    grid->addLayout(dateRow(birthEraCombo_, birth_), row++, 1);

    // In the window from the start, so that the boxes put in it keep their place in Tab.
    auto* conditions = new QGroupBox(QStringLiteral("本人の区分"), this);
    auto* flags = new QGridLayout(conditions);
    for (std::size_t i = 0; i < conditionChecks_.size(); ++i) {
        const std::string name = "cbTaisyou" + std::to_string(i + 1);
        conditionChecks_[i] = boxes.check(name.c_str(), QString::fromUtf8(kConditionCaptions[i]));
    }
    singleParentCheck_ = boxes.check("cbHitorioya", QStringLiteral("ひとり親"));
    // The year's conditions in their order, ひとり親 in place of 寡婦(特別) and 寡夫.
    std::vector<QCheckBox*> shown(conditionChecks_.begin(), conditionChecks_.begin() + 5);
    if (later.widower) shown.insert(shown.end(), {conditionChecks_[5], conditionChecks_[6]});
    if (currentFormat && later.singleParent) shown.push_back(singleParentCheck_);
    shown.insert(shown.end(), conditionChecks_.begin() + 7, conditionChecks_.end());
    for (QCheckBox* box : {conditionChecks_[5], conditionChecks_[6], singleParentCheck_})
        box->hide();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        shown[i]->show();
        flags->addWidget(shown[i], int(i / 3), int(i % 3));
    }
    exclusive({conditionChecks_[2], conditionChecks_[3]});
    exclusive({conditionChecks_[4], conditionChecks_[5], conditionChecks_[6], singleParentCheck_});

    joinedCheck_ = boxes.check("cbSyusyoku", QStringLiteral("就職"));
    leftCheck_ = boxes.check("cbTaisyoku", QStringLiteral("退職"));
    change_ = {boxes.datePart("edSyuTaiY"), boxes.datePart("edSyuTaiM"),
               boxes.datePart("edSyuTaiD")};
    exclusive({joinedCheck_, leftCheck_});
    connect(joinedCheck_, &QCheckBox::clicked, this, [this](bool on) { proposeJoinLeaveDate(on); });
    connect(leftCheck_, &QCheckBox::clicked, this, [this](bool on) { proposeJoinLeaveDate(on); });
    auto* change = dateRow(nullptr, change_);
    change->insertWidget(0, leftCheck_);
    change->insertWidget(0, joinedCheck_);
    if (currentFormat) {
        QStringList reasons;
        for (std::string_view reason : kLeaveExceptionChoices)
            reasons << QString::fromUtf8(reason.data(), qsizetype(reason.size()));
        leaveExceptionCombo_ = boxes.combo("cbTaisyokuJiyu", reasons);
        leaveExceptionCombo_->setToolTip(QStringLiteral("退職者を年末調整する理由"));
        // The slip marks 死亡退職 for a leaver adjusted because of death.
        connect(leaveExceptionCombo_, &QComboBox::activated, this, [this](int index) {
            if (index == kLeaveByDeath) conditionChecks_[8]->setChecked(true);
        });
        auto* reason = new QHBoxLayout;
        reason->addWidget(new QLabel(QStringLiteral("年調する理由")));
        reason->addWidget(leaveExceptionCombo_);
        reason->addStretch();
        change->addLayout(reason);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addWidget(conditions);
    layout->addLayout(change);
    layout->addStretch();
}

bool EditPersonPanel::joinLeaveChecked() const {
    return joinedCheck_->isChecked() || leftCheck_->isChecked();
}

bool EditPersonPanel::secondaryColumn() const {
    return conditionChecks_[1]->isChecked();
}

void EditPersonPanel::proposeJoinLeaveDate(bool checked) {
    if (checked) EditBoxes::setDatePart(change_[0], dataEraYear_);
    enableJoinLeaveDate();
}

void EditPersonPanel::enableJoinLeaveDate() {
    const bool on = joinLeaveChecked();
    for (QLineEdit* part : change_) {
        if (!on) part->clear();
        part->setEnabled(on);
    }
    if (leaveExceptionCombo_ != nullptr) {
        const bool left = leftCheck_->isChecked();
        if (!left) leaveExceptionCombo_->setCurrentIndex(kLeaveNoException);
        leaveExceptionCombo_->setEnabled(left);
    }
}

template <typename Record>
void EditPersonPanel::load(const Record& record) {
    EditBoxes::setText(postalCodeEdit_, record.postalCode.utf8());
    EditBoxes::setText(address1Edit_, record.address1.utf8());
    EditBoxes::setText(address2Edit_, record.address2.utf8());
    EditBoxes::setText(recipientNumberEdit_, record.recipientNumber.utf8());
    EditBoxes::setText(positionEdit_, record.position.utf8());
    EditBoxes::setText(furiganaEdit_, record.furigana.utf8());
    const std::uint8_t* flags = &record.flags.minor;
    for (std::size_t i = 0; i < conditionChecks_.size(); ++i)
        conditionChecks_[i]->setChecked(flags[i] == 1);
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        singleParentCheck_->setChecked(record.singleParent == 1);
        const int reason = record.leaveException;
        const bool known = reason >= 0 && reason < leaveExceptionCombo_->count();
        leaveExceptionCombo_->setCurrentIndex(known ? reason : kLeaveNoException);
    }

    const JoinLeaveBirth& dates = record.joinLeaveBirth;
    const bool birthEra = dates.birth.era >= 1 && dates.birth.era <= 4;
    birthEraCombo_->setCurrentIndex(birthEra ? dates.birth.era : 0);
    EditBoxes::setDatePart(birth_[0], birthEra ? dates.birth.year : 0);
    EditBoxes::setDatePart(birth_[1], birthEra ? dates.birth.month : 0);
    EditBoxes::setDatePart(birth_[2], birthEra ? dates.birth.day : 0);
    joinedCheck_->setChecked(dates.joined == 1);
    leftCheck_->setChecked(dates.left == 1 && dates.joined != 1);
    enableJoinLeaveDate();
    if (joinLeaveChecked()) {
        EditBoxes::setDatePart(change_[0], dates.changeYear);
        EditBoxes::setDatePart(change_[1], dates.changeMonth);
        EditBoxes::setDatePart(change_[2], dates.changeDay);
    }
}

template <typename Record>
void EditPersonPanel::store(Record& record) const {
    storeText(record.postalCode, postalCodeEdit_);
    storeText(record.address1, address1Edit_);
    storeText(record.address2, address2Edit_);
    storeText(record.recipientNumber, recipientNumberEdit_);
    storeText(record.position, positionEdit_);
    storeText(record.furigana, furiganaEdit_);
    std::uint8_t* flags = &record.flags.minor;
    for (std::size_t i = 0; i < conditionChecks_.size(); ++i)
        flags[i] = conditionChecks_[i]->isChecked() ? 1 : 0;
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        record.singleParent = singleParentCheck_->isChecked() ? 1 : 0;
        const int reason = leftCheck_->isChecked() ? leaveExceptionCombo_->currentIndex() : 0;
        record.leaveException = static_cast<std::uint8_t>(std::max(reason, 0));
    }

    JoinLeaveBirth& dates = record.joinLeaveBirth;
    dates.birth.era = static_cast<std::uint8_t>(birthEraCombo_->currentIndex());
    dates.birth.year = byteOf(birth_[0]);
    dates.birth.month = byteOf(birth_[1]);
    dates.birth.day = byteOf(birth_[2]);
    dates.joined = joinedCheck_->isChecked() ? 1 : 0;
    dates.left = leftCheck_->isChecked() ? 1 : 0;
    dates.changeYear = byteOf(change_[0]);
    dates.changeMonth = byteOf(change_[1]);
    dates.changeDay = byteOf(change_[2]);
}

template void EditPersonPanel::load(const WithholdingRecord&);
template void EditPersonPanel::load(const LegacyWithholdingRecord&);
template void EditPersonPanel::store(WithholdingRecord&) const;
template void EditPersonPanel::store(LegacyWithholdingRecord&) const;

}  // namespace keiro::withholding
