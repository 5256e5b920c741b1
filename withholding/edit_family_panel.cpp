#include "withholding/edit_family_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string>
#include <type_traits>

#include "withholding/edit/edit_rules.h"
#include "withholding/edit_boxes.h"
#include "withholding/edit_record_text.h"

namespace keiro::withholding {

namespace {

constexpr bool kCurrent = true;

template <typename Record>
constexpr bool isCurrent() {
    return std::is_same_v<Record, WithholdingRecord>;
}

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

EditFamilyPanel::EditFamilyPanel(EditBoxes& boxes, bool currentFormat, QWidget* parent)
    : QWidget(parent) {
    auto* spouse = new QGroupBox(q("控除対象配偶者"));
    auto* spouseRow = new QHBoxLayout(spouse);
    if (currentFormat == kCurrent) {
        spouseCheck_ = boxes.check("cbKouHaiAri", q("有"));
        spouseSecondaryCheck_ = boxes.check("cbKouHaiJyu", q("従有"));
        spouseRow->addWidget(spouseCheck_);
        spouseRow->addWidget(spouseSecondaryCheck_);
    } else {
        QStringList choices;
        for (std::string_view c : kLegacySpouseChoices)
            choices << QString::fromUtf8(c.data(), qsizetype(c.size()));
        spouseCombo_ = boxes.combo("cbKouHaiUmu", choices);
        spouseRow->addWidget(spouseCombo_);
    }
    spouseElderlyCheck_ = boxes.check("cbKouHaiRou", q("老人"));
    spouseRow->addWidget(spouseElderlyCheck_);
    spouseRow->addStretch();

    for (std::size_t i = 0; i < dependantCountEdits_.size(); ++i)
        dependantCountEdits_[i] = boxes.count(("edFuyoKazu" + std::to_string(i + 1)).c_str());
    under16CountEdit_ = boxes.count("edUnder16");
    for (std::size_t i = 0; i < disabledCountEdits_.size(); ++i)
        disabledCountEdits_[i] = boxes.count(("edSyouKazu" + std::to_string(i + 1)).c_str());

    auto* counts = new QGroupBox(q("扶養親族等の数"));
    auto* grid = new QGridLayout(counts);
    auto pair = [&](int row, const char* caption, QLineEdit* count, const char* sub,
                    QLineEdit* subBox) {
        grid->addWidget(new QLabel(q(caption)), row, 0);
        if (count) grid->addWidget(count, row, 1);
        if (subBox) {
            grid->addWidget(new QLabel(q(sub)), row, 2);
            grid->addWidget(subBox, row, 3);
        }
    };
    pair(0, "特定", dependantCountEdits_[0], "従人", dependantCountEdits_[1]);
    pair(1, "老人", dependantCountEdits_[3], "内 同居老親等", dependantCountEdits_[2]);
    pair(2, "", nullptr, "従人", dependantCountEdits_[4]);
    pair(3, "その他", dependantCountEdits_[5], "従人", dependantCountEdits_[6]);
    pair(4, "16歳未満", under16CountEdit_, "", nullptr);
    pair(5, "障害者 特別", disabledCountEdits_[1], "内 同居", disabledCountEdits_[0]);
    pair(6, "障害者 その他", disabledCountEdits_[2], "", nullptr);
    if (currentFormat) {
        nonResidentCountEdit_ = boxes.count("edHikyoju");
        pair(7, "非居住者である親族", nonResidentCountEdit_, "", nullptr);
    }

    // A count changed, by hand or by its "of which" box, is checked against the dates again.
    for (QLineEdit* box : {dependantCountEdits_[0], dependantCountEdits_[3],
                           dependantCountEdits_[5], under16CountEdit_})
        connect(box, &QLineEdit::textChanged, this, [this] { markContradictions(); });
    for (QCheckBox* spouseBox : {spouseElderlyCheck_, spouseCheck_})
        if (spouseBox)
            connect(spouseBox, &QCheckBox::toggled, this, [this] { markContradictions(); });

    // Typing an "of which" count copies it into its total.
    connect(dependantCountEdits_[2], &QLineEdit::textEdited, this,
            [this](const QString& text) { dependantCountEdits_[3]->setText(text); });
    connect(disabledCountEdits_[0], &QLineEdit::textEdited, this,
            [this](const QString& text) { disabledCountEdits_[1]->setText(text); });
    connect(&boxes, &EditBoxes::numberLeft, this, [this](QLineEdit* box) {
        if (box == dependantCountEdits_[2])
            copyWhenEmpty(dependantCountEdits_[2], dependantCountEdits_[3]);
        if (box == disabledCountEdits_[0])
            copyWhenEmpty(disabledCountEdits_[0], disabledCountEdits_[1]);
    });

    auto* remarks = new QGroupBox(q("摘要"));
    auto* remarkRows = new QVBoxLayout(remarks);
    const int lines = currentFormat ? 5 : 3;
    const int bytes =
        currentFormat
            ? int(std::remove_all_extents_t<decltype(WithholdingRecord::remarks)>::kCapacity)
            : int(std::remove_all_extents_t<decltype(LegacyWithholdingRecord::remarks)>::kCapacity);
    for (int i = 1; i <= lines; ++i) {
        remarkEdits_.push_back(boxes.text(("edTekiyou" + std::to_string(i)).c_str(), bytes, 44));
        remarkRows->addWidget(remarkEdits_.back());
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(spouse);
    layout->addWidget(counts);
    layout->addWidget(remarks);
    layout->addStretch();
}

void EditFamilyPanel::copyWhenEmpty(QLineEdit* from, QLineEdit* to) {
    if (to->text().trimmed().isEmpty() && !from->text().trimmed().isEmpty())
        to->setText(from->text().trimmed());
}

void EditFamilyPanel::copyCohabitingIntoEmptyTotals() {
    copyWhenEmpty(dependantCountEdits_[2], dependantCountEdits_[3]);
    copyWhenEmpty(disabledCountEdits_[0], disabledCountEdits_[1]);
}

std::array<std::pair<QLineEdit*, int>, 4> EditFamilyPanel::derivedBoxes() const {
    const DerivedFamilyCounts& d = *derived_;
    return {{{dependantCountEdits_[0], d.specific},
             {dependantCountEdits_[3], d.elderly},
             {dependantCountEdits_[5], d.general},
             {under16CountEdit_, d.under16}}};
}

void EditFamilyPanel::showDerivedCounts(const DerivedFamilyCounts& derived) {
    derived_.reset();
    if (derived.complete || derived.spouseAgeKnown) derived_ = derived;
    if (derived.complete) {
        for (const auto& [box, count] : derivedBoxes())
            if (EditBoxes::numberOf(box) == 0)
                EditBoxes::setCount(box, count, box == under16CountEdit_);
    }
    if (derived.spouseAgeKnown && derived.spouseElderly && spouseCheck_->isChecked())
        spouseElderlyCheck_->setChecked(true);
    markContradictions();
}

FamilyCountConflict EditFamilyPanel::contradictions() const {
    if (!derived_) return {};
    WithholdingRecord shown{};
    store(shown);
    return typedCountsConflict(shown, *derived_);
}

bool EditFamilyPanel::countsContradictDates() const {
    return contradictions().any();
}

void EditFamilyPanel::markContradictions() {
    const FamilyCountConflict conflict = contradictions();
    const auto mark = [](QWidget* box, bool red, QPalette::ColorRole role) {
        QPalette palette = QApplication::palette(box);
        if (red) palette.setColor(role, Qt::red);
        box->setPalette(palette);
        box->setToolTip(red ? q("生年月日から求めた人数と違います") : QString());
    };
    mark(dependantCountEdits_[0], conflict.specific, QPalette::Text);
    mark(dependantCountEdits_[3], conflict.elderly, QPalette::Text);
    mark(dependantCountEdits_[5], conflict.general, QPalette::Text);
    mark(under16CountEdit_, conflict.under16, QPalette::Text);
    mark(spouseElderlyCheck_, conflict.spouseElderly, QPalette::WindowText);
}

void EditFamilyPanel::takeDerivedCounts() {
    if (!derived_) return;
    const FamilyCountConflict conflict = contradictions();
    if (derived_->complete) {
        for (const auto& [box, count] : derivedBoxes())
            EditBoxes::setCount(box, count, box == under16CountEdit_);
    }
    if (conflict.spouseElderly) spouseElderlyCheck_->setChecked(derived_->spouseElderly);
    typedCountsKept_ = false;
    markContradictions();
}

template <typename Record>
void EditFamilyPanel::load(const Record& record) {
    derived_.reset();
    typedCountsKept_ = false;
    if constexpr (isCurrent<Record>()) {
        spouseCheck_->setChecked(record.spouseDeductible == 1);
        spouseSecondaryCheck_->setChecked(record.spouseSecondary == 1);
        EditBoxes::setCount(nonResidentCountEdit_, record.nonResidentRelatives, true);
        typedCountsKept_ = record.typedCountsKept == 1;
    } else {
        int chosen = 0;
        for (int i = 0; i < 4; ++i) {
            if (record.spouseFlags[i] == 1) {
                chosen = i;
                break;
            }
        }
        spouseCombo_->setCurrentIndex(chosen);
    }
    spouseElderlyCheck_->setChecked(record.spouseElderly == 1);
    const std::uint8_t* dependants = &record.dependants.specific;
    for (std::size_t i = 0; i < dependantCountEdits_.size(); ++i)
        EditBoxes::setCount(dependantCountEdits_[i], dependants[i]);
    EditBoxes::setCount(under16CountEdit_, record.under16, true);
    const std::uint8_t* disabled = &record.disabled.specialLivingTogether;
    for (std::size_t i = 0; i < disabledCountEdits_.size(); ++i)
        EditBoxes::setCount(disabledCountEdits_[i], disabled[i]);
    for (std::size_t i = 0; i < remarkEdits_.size(); ++i)
        EditBoxes::setText(remarkEdits_[i], record.remarks[i].utf8());
    markContradictions();
}

template <typename Record>
void EditFamilyPanel::store(Record& record) const {
    if constexpr (isCurrent<Record>()) {
        record.spouseDeductible = spouseCheck_->isChecked() ? 1 : 0;
        record.spouseSecondary = spouseSecondaryCheck_->isChecked() ? 1 : 0;
        record.nonResidentRelatives = byteOf(nonResidentCountEdit_);
        record.typedCountsKept = typedCountsKept_ ? 1 : 0;
    } else {
        for (int i = 0; i < 4; ++i)
            record.spouseFlags[i] = spouseCombo_->currentIndex() == i ? 1 : 0;
    }
    record.spouseElderly = spouseElderlyCheck_->isChecked() ? 1 : 0;
    std::uint8_t* dependants = &record.dependants.specific;
    for (std::size_t i = 0; i < dependantCountEdits_.size(); ++i)
        dependants[i] = byteOf(dependantCountEdits_[i]);
    record.under16 = byteOf(under16CountEdit_);
    std::uint8_t* disabled = &record.disabled.specialLivingTogether;
    for (std::size_t i = 0; i < disabledCountEdits_.size(); ++i)
        disabled[i] = byteOf(disabledCountEdits_[i]);
    for (std::size_t i = 0; i < remarkEdits_.size(); ++i)
        storeText(record.remarks[i], remarkEdits_[i]);
}

template void EditFamilyPanel::load(const WithholdingRecord&);
template void EditFamilyPanel::load(const LegacyWithholdingRecord&);
template void EditFamilyPanel::store(WithholdingRecord&) const;
template void EditFamilyPanel::store(LegacyWithholdingRecord&) const;

}  // namespace keiro::withholding
