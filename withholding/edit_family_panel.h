#pragma once
// The spouse, the counts of dependants and disabled persons, and the remarks (摘要) of the
// withholding editors.  The 1500-byte years mark the spouse with three check boxes
// (有, 従有, 老人) and count the non-resident relatives; the 500-byte years choose the spouse
// from a list ('有' '無' '従有' '従無', kept as four flags of which the chosen one is set) and
// have three remarks lines instead of five.
//
// The "of which 同居" counts feed their totals: typing 同居老親等 copies it into 老人, typing
// 同居 (disabled) copies it into 特別; leaving either copies it only into an empty total.
//
// In the 1500-byte years the birth dates of the spouse and dependants (entered in the
// dependants dialog) decide the counts 特定, 老人, その他, 16歳未満 and the spouse's 老人 once
// they are complete: an empty count (or an unchecked 老人) shows the count the dates give, and
// a count typed by hand that contradicts them is shown in red until the clerk settles it.
// Without complete dates the typed counts stand, as they always did.

#include <QWidget>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "withholding/model/family_ages.h"
#include "withholding/model/records.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace keiro::withholding {

class EditBoxes;

class EditFamilyPanel : public QWidget {
  public:
    EditFamilyPanel(EditBoxes& boxes, bool currentFormat, QWidget* parent);

    template <typename Record>
    void load(const Record& record);
    template <typename Record>
    void store(Record& record) const;

    // The automatic calculation's first step: each "of which" count goes into its empty total.
    void copyCohabitingIntoEmptyTotals();

    // The counts the birth dates give (after loading the record it belongs to): empty counts
    // take them, contradicting ones turn red.
    void showDerivedCounts(const DerivedFamilyCounts& derived);
    // Some count shown contradicts the birth dates.
    bool countsContradictDates() const;
    // The counts the dates give replace the typed ones.
    void takeDerivedCounts();
    // The clerk's answer to the contradiction: keep the typed counts (stored with the record,
    // so that the calculation takes them too) or not.
    void keepTypedCounts(bool keep) { typedCountsKept_ = keep; }

  private:
    void markContradictions();
    FamilyCountConflict contradictions() const;
    // The boxes the dates decide, with the derived count of each.
    std::array<std::pair<QLineEdit*, int>, 4> derivedBoxes() const;
    void copyWhenEmpty(QLineEdit* from, QLineEdit* to);

    QCheckBox* spouseCheck_ = nullptr;
    QCheckBox* spouseSecondaryCheck_ = nullptr;
    QComboBox* spouseCombo_ = nullptr;
    QCheckBox* spouseElderlyCheck_;
    std::array<QLineEdit*, 7> dependantCountEdits_{};
    QLineEdit* under16CountEdit_;
    std::array<QLineEdit*, 3> disabledCountEdits_{};
    QLineEdit* nonResidentCountEdit_ = nullptr;
    std::vector<QLineEdit*> remarkEdits_;
    std::optional<DerivedFamilyCounts> derived_;  // while the dates are complete
    bool typedCountsKept_ = false;
};

}  // namespace keiro::withholding
