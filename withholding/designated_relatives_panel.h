#pragma once
// 特定親族 (from 2025): up to four relatives aged 19 to 22 at 31 December whose income is above
// the dependant limit, each with name, furigana, birth date and individual number (kept in the
// slot's supplement) and 合計所得 (the record's specificRelativeIncome of the same place, the
// one field the data editor shows too).  A birth date outside 19 to 22 is warned about, not
// refused: the clerk may be correcting the date.

#include <array>

#include "withholding/family_page.h"

class QGridLayout;
class QLabel;
class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::withholding {

class BirthDateBox;
class EditBoxes;

class DesignatedRelativesPanel : public FamilyPage {
    Q_OBJECT
  public:
    static constexpr int kRelatives = 4;

    DesignatedRelativesPanel(int dataYear, ui::MessageService& messages, QWidget* parent = nullptr);

    void load(const WithholdingRecord& record, const WithholdingSupplement& supplement) override;
    bool store(WithholdingRecord& record, WithholdingSupplement& supplement) const override;
    QList<QLineEdit*> numberBoxes() const override;

  private:
    struct Row {
        QLineEdit* name = nullptr;
        QLineEdit* furigana = nullptr;
        BirthDateBox* birth = nullptr;
        QLabel* ageClass = nullptr;
        QLineEdit* number = nullptr;
        QLineEdit* income = nullptr;
        QString loadedNumber;
    };

    void buildRow(QGridLayout* grid, int index);
    void birthLeft(int index, const CalendarDateBytes& date);

    int dataYear_;
    ui::MessageService& messages_;
    EditBoxes* boxes_;
    std::array<Row, kRelatives> rows_;
};

}  // namespace keiro::withholding
