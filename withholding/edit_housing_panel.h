#pragma once
// The housing-loan credit of the withholding editors: the residence start dates with their era
// lists, and in the 1500-byte years two loans with category, 特定取得 and year-end balance and
// the number of credits applied.  The 500-byte years have one residence start only.  The
// residence era list is '' 明治 大正 昭和 平成, and the new era as the fifth entry when there
// is one.

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "withholding/model/records.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace keiro::withholding {

class EditBoxes;

class EditHousingPanel : public QWidget {
  public:
    struct ResidenceStart {
        QComboBox* era;
        std::array<QLineEdit*, 3> parts;  // year, month, day
    };

    EditHousingPanel(EditBoxes& boxes, bool currentFormat, const std::string& newEraName,
                     QWidget* parent);

    template <typename Record>
    void load(const Record& record);
    template <typename Record>
    void store(Record& record) const;

    const std::vector<ResidenceStart>& residenceStarts() const { return starts_; }

  private:
    std::vector<ResidenceStart> starts_;
    QLineEdit* loanCreditCountEdit_ = nullptr;
    std::array<QComboBox*, 2> loanKindCombos_{};
    std::array<QCheckBox*, 2> loanSpecificChecks_{};
    std::array<QLineEdit*, 2> loanBalanceEdits_{};
};

}  // namespace keiro::withholding
