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
    edYubinNo_ = boxes.postalCode("edYubinNo");
    edJusyo1_ = boxes.text("edJusyo1", addressBytes, 40);
    edJusyo2_ = boxes.text("edJusyo2", addressBytes, 40);
    edJukyuNo_ = boxes.digits("edJukyuNo", 8);
    edYakusyoku_ = boxes.text("edYakusyoku", 16, 16);
    edFurigana_ = boxes.text("edFurigana", furiganaBytes, 20);
    cbGengou_ = boxes.combo("cbGengou", birthEras());
    birth_ = {boxes.datePart("edSeinenY"), boxes.datePart("edSeinenM"),
              boxes.datePart("edSeinenD")};

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const char* caption, QWidget* box) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        grid->addWidget(box, row++, 1);
    };
    addRow("郵便番号", edYubinNo_);
    addRow("住所１", edJusyo1_);
    addRow("住所２", edJusyo2_);
    addRow("受給者番号", edJukyuNo_);
    addRow("役職名", edYakusyoku_);
    addRow("フリガナ", edFurigana_);
    grid->addWidget(new QLabel(QStringLiteral("生年月日")), row, 0);
    grid->addLayout(dateRow(cbGengou_, birth_), row++, 1);

    auto* conditions = new QGroupBox(QStringLiteral("本人の区分"));
    auto* flags = new QGridLayout(conditions);
    for (std::size_t i = 0; i < cbTaisyou_.size(); ++i) {
        const std::string name = "cbTaisyou" + std::to_string(i + 1);
        cbTaisyou_[i] = boxes.check(name.c_str(), QString::fromUtf8(kConditionCaptions[i]));
    }
    cbHitorioya_ = boxes.check("cbHitorioya", QStringLiteral("ひとり親"));
    // The year's conditions in their order, ひとり親 in place of 寡婦(特別) and 寡夫.
    std::vector<QCheckBox*> shown(cbTaisyou_.begin(), cbTaisyou_.begin() + 5);
    if (later.widower) shown.insert(shown.end(), {cbTaisyou_[5], cbTaisyou_[6]});
    if (currentFormat && later.singleParent) shown.push_back(cbHitorioya_);
    shown.insert(shown.end(), cbTaisyou_.begin() + 7, cbTaisyou_.end());
    for (QCheckBox* box : {cbTaisyou_[5], cbTaisyou_[6], cbHitorioya_}) box->hide();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        shown[i]->show();
        flags->addWidget(shown[i], int(i / 3), int(i % 3));
    }
    exclusive({cbTaisyou_[2], cbTaisyou_[3]});
    exclusive({cbTaisyou_[4], cbTaisyou_[5], cbTaisyou_[6], cbHitorioya_});

    cbSyusyoku_ = boxes.check("cbSyusyoku", QStringLiteral("就職"));
    cbTaisyoku_ = boxes.check("cbTaisyoku", QStringLiteral("退職"));
    change_ = {boxes.datePart("edSyuTaiY"), boxes.datePart("edSyuTaiM"),
               boxes.datePart("edSyuTaiD")};
    exclusive({cbSyusyoku_, cbTaisyoku_});
    connect(cbSyusyoku_, &QCheckBox::clicked, this, [this](bool on) { cbSyusyokuClick(on); });
    connect(cbTaisyoku_, &QCheckBox::clicked, this, [this](bool on) { cbSyusyokuClick(on); });
    auto* change = dateRow(nullptr, change_);
    change->insertWidget(0, cbTaisyoku_);
    change->insertWidget(0, cbSyusyoku_);
    if (currentFormat) {
        QStringList reasons;
        for (std::string_view reason : kLeaveExceptionChoices)
            reasons << QString::fromUtf8(reason.data(), qsizetype(reason.size()));
        cbTaisyokuJiyu_ = boxes.combo("cbTaisyokuJiyu", reasons);
        cbTaisyokuJiyu_->setToolTip(QStringLiteral("退職者を年末調整する理由"));
        // The slip marks 死亡退職 for a leaver adjusted because of death.
        connect(cbTaisyokuJiyu_, &QComboBox::activated, this, [this](int index) {
            if (index == kLeaveByDeath) cbTaisyou_[8]->setChecked(true);
        });
        auto* reason = new QHBoxLayout;
        reason->addWidget(new QLabel(QStringLiteral("年調する理由")));
        reason->addWidget(cbTaisyokuJiyu_);
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
    return cbSyusyoku_->isChecked() || cbTaisyoku_->isChecked();
}

bool EditPersonPanel::secondaryColumn() const {
    return cbTaisyou_[1]->isChecked();
}

void EditPersonPanel::cbSyusyokuClick(bool checked) {
    if (checked) EditBoxes::setDatePart(change_[0], dataEraYear_);
    enableJoinLeaveDate();
}

void EditPersonPanel::enableJoinLeaveDate() {
    const bool on = joinLeaveChecked();
    for (QLineEdit* part : change_) {
        if (!on) part->clear();
        part->setEnabled(on);
    }
    if (cbTaisyokuJiyu_ != nullptr) {
        const bool left = cbTaisyoku_->isChecked();
        if (!left) cbTaisyokuJiyu_->setCurrentIndex(kLeaveNoException);
        cbTaisyokuJiyu_->setEnabled(left);
    }
}

template <typename Record>
void EditPersonPanel::load(const Record& record) {
    EditBoxes::setText(edYubinNo_, record.postalCode.utf8());
    EditBoxes::setText(edJusyo1_, record.address1.utf8());
    EditBoxes::setText(edJusyo2_, record.address2.utf8());
    EditBoxes::setText(edJukyuNo_, record.recipientNumber.utf8());
    EditBoxes::setText(edYakusyoku_, record.position.utf8());
    EditBoxes::setText(edFurigana_, record.furigana.utf8());
    const std::uint8_t* flags = &record.flags.minor;
    for (std::size_t i = 0; i < cbTaisyou_.size(); ++i) cbTaisyou_[i]->setChecked(flags[i] == 1);
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        cbHitorioya_->setChecked(record.singleParent == 1);
        const int reason = record.leaveException;
        const bool known = reason >= 0 && reason < cbTaisyokuJiyu_->count();
        cbTaisyokuJiyu_->setCurrentIndex(known ? reason : kLeaveNoException);
    }

    const JoinLeaveBirth& dates = record.joinLeaveBirth;
    const bool birthEra = dates.birth.era >= 1 && dates.birth.era <= 4;
    cbGengou_->setCurrentIndex(birthEra ? dates.birth.era : 0);
    EditBoxes::setDatePart(birth_[0], birthEra ? dates.birth.year : 0);
    EditBoxes::setDatePart(birth_[1], birthEra ? dates.birth.month : 0);
    EditBoxes::setDatePart(birth_[2], birthEra ? dates.birth.day : 0);
    cbSyusyoku_->setChecked(dates.joined == 1);
    cbTaisyoku_->setChecked(dates.left == 1 && dates.joined != 1);
    enableJoinLeaveDate();
    if (joinLeaveChecked()) {
        EditBoxes::setDatePart(change_[0], dates.changeYear);
        EditBoxes::setDatePart(change_[1], dates.changeMonth);
        EditBoxes::setDatePart(change_[2], dates.changeDay);
    }
}

template <typename Record>
void EditPersonPanel::store(Record& record) const {
    storeText(record.postalCode, edYubinNo_);
    storeText(record.address1, edJusyo1_);
    storeText(record.address2, edJusyo2_);
    storeText(record.recipientNumber, edJukyuNo_);
    storeText(record.position, edYakusyoku_);
    storeText(record.furigana, edFurigana_);
    std::uint8_t* flags = &record.flags.minor;
    for (std::size_t i = 0; i < cbTaisyou_.size(); ++i)
        flags[i] = cbTaisyou_[i]->isChecked() ? 1 : 0;
    if constexpr (std::is_same_v<Record, WithholdingRecord>) {
        record.singleParent = cbHitorioya_->isChecked() ? 1 : 0;
        const int reason = cbTaisyoku_->isChecked() ? cbTaisyokuJiyu_->currentIndex() : 0;
        record.leaveException = static_cast<std::uint8_t>(std::max(reason, 0));
    }

    JoinLeaveBirth& dates = record.joinLeaveBirth;
    dates.birth.era = static_cast<std::uint8_t>(cbGengou_->currentIndex());
    dates.birth.year = byteOf(birth_[0]);
    dates.birth.month = byteOf(birth_[1]);
    dates.birth.day = byteOf(birth_[2]);
    dates.joined = cbSyusyoku_->isChecked() ? 1 : 0;
    dates.left = cbTaisyoku_->isChecked() ? 1 : 0;
    dates.changeYear = byteOf(change_[0]);
    dates.changeMonth = byteOf(change_[1]);
    dates.changeDay = byteOf(change_[2]);
}

template void EditPersonPanel::load(const WithholdingRecord&);
template void EditPersonPanel::load(const LegacyWithholdingRecord&);
template void EditPersonPanel::store(WithholdingRecord&) const;
template void EditPersonPanel::store(LegacyWithholdingRecord&) const;

}  // namespace keiro::withholding
