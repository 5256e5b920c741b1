#pragma once
// 5人目以降: the 控除対象扶養親族 and the 16歳未満の扶養親族 from the fifth on, five of each, with
// name, birth date, relationship and non-resident flag (kept in the slot's supplement) beside
// the 備考 box that holds the individual number (kept in the record: edBikou1_1..5 for the
// 控除対象扶養親族, edBikou2_1..5 for those under 16).

#include <array>

#include "withholding/family_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::withholding {

class BirthDateBox;

class FamilyMorePanel : public FamilyPage {
    Q_OBJECT
  public:
    static constexpr int kMoreRows = 5;

    FamilyMorePanel(int dataYear, ui::MessageService& messages, QWidget* parent = nullptr);

    void load(const WithholdingRecord& record, const WithholdingSupplement& supplement) override;
    bool store(WithholdingRecord& record, WithholdingSupplement& supplement) const override;
    QList<QLineEdit*> numberBoxes() const override;

  private:
    struct Row {
        QLineEdit* name = nullptr;
        BirthDateBox* birth = nullptr;
        QLabel* ageClass = nullptr;
        QComboBox* relationship = nullptr;
        QCheckBox* nonResident = nullptr;
        QLineEdit* number = nullptr;
    };
    using Group = std::array<Row, kMoreRows>;

    QWidget* groupBox(const QString& title, int line, Group& rows);
    static void loadRow(Row& row, const MoreDependant& person, const std::string& number,
                        int dataYear);
    static bool storeRow(const Row& row, MoreDependant& person, PStr<16>& number);

    int dataYear_;
    ui::MessageService& messages_;
    Group dependants_;
    Group under16_;
};

}  // namespace keiro::withholding
