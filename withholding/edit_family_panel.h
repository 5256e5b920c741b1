#pragma once
// The spouse, the counts of dependants and disabled persons, and the remarks (摘要) of the
// withholding editors.  The 1500-byte years mark the spouse with three check boxes
// (有, 従有, 老人) and count the non-resident relatives; the 500-byte years choose the spouse
// from a list ('有' '無' '従有' '従無', kept as four flags of which the chosen one is set) and
// have three remarks lines instead of five.
//
// The "of which 同居" counts feed their totals: typing 同居老親等 copies it into 老人, typing
// 同居 (disabled) copies it into 特別; leaving either copies it only into an empty total.

#include <QWidget>
#include <array>
#include <vector>

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

  private:
    void copyWhenEmpty(QLineEdit* from, QLineEdit* to);

    QCheckBox* cbKouHaiAri_ = nullptr;
    QCheckBox* cbKouHaiJyu_ = nullptr;
    QComboBox* cbKouHaiUmu_ = nullptr;
    QCheckBox* cbKouHaiRou_;
    std::array<QLineEdit*, 7> edFuyoKazu_{};
    QLineEdit* edUnder16_;
    std::array<QLineEdit*, 3> edSyouKazu_{};
    QLineEdit* edHikyoju_ = nullptr;
    std::vector<QLineEdit*> edTekiyou_;
};

}  // namespace keiro::withholding
