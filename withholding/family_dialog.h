#pragma once
// 配偶者／扶養親族: the spouse, the four 控除対象扶養親族 and the four 16歳未満の扶養親族 of one
// employee's withholding record (current format), each with name, furigana, birth date (its age
// and class at 31 December of the data year shown beside it), relationship, individual number,
// non-resident flag and, for a non-resident dependant, the reason they still count.  A second
// page holds the fifth and later dependants (name, birth date, relationship, and the 備考 box
// with the individual number); from 2025 a third page holds the 特定親族.  個人番号を隠す masks
// every number box.  The 編集 menu moves an under-16 dependant to the first free 控除対象扶養親族
// row and deletes rows (the rows below move up).
//
// The dialog edits the record and the supplement it is given: closing it, in any way, stores
// every box into them (a refused birth date keeps it open, with the reason).
//
//   FamilyDialog family(file.record(slot), file.supplement(slot), 2025, employeeName, messages);
//   ui::EditBehaviour::applySettings(&family, entrySettings);  // AutoSelect, InputOverN
//   family.exec();

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "widgets/message_service.h"
#include "withholding/model/family_rows.h"
#include "withholding/model/records.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QTabWidget;

namespace keiro::withholding {

class BirthDateBox;
class FamilyPage;

class FamilyDialog : public QDialog {
    Q_OBJECT
  public:
    // `dataYear` is the calendar year of the withholding file.
    FamilyDialog(WithholdingRecord& record, WithholdingSupplement& supplement, int dataYear,
                 const QString& employeeName, ui::MessageService& messages,
                 QWidget* parent = nullptr);

    // データ移動: under-16 row `under16Index` (0..3) to the first free 控除対象扶養親族 row.
    void moveUnder16Row(int under16Index);
    // データ削除: the row, after the confirmation.
    void eraseRow(FamilyRow row);
    // 個人番号を隠す.
    void applyNumberMasking();

    // Every way of closing stores the boxes into the record first; a box that cannot be stored
    // keeps the dialog open with a message.
    void done(int result) override;

  private:
    struct RowBoxes {
        QLineEdit* name = nullptr;
        QLineEdit* furigana = nullptr;
        QLineEdit* number = nullptr;
        BirthDateBox* birth = nullptr;
        QLabel* ageClass = nullptr;  // age and class at 31 December
        QComboBox* relationship = nullptr;
        QCheckBox* nonResident = nullptr;
        QComboBox* nonResidentReason = nullptr;  // none for the spouse
        QString loadedNumber;                    // the number box's text as loaded
    };
    static constexpr int kRows = 1 + 2 * kFamilyRowsPerGroup;

    // Runs `command` under the command runner, its messages over this dialog.
    bool run(const std::function<void()>& command);
    void buildControls();
    void buildMenu(QMenuBar* bar);
    QWidget* rowGroup(const QString& title, FamilyGroup group);
    QWidget* familyPage();
    void fitScreen();
    RowBoxes makeRow(FamilyRow row);
    void loadControls();
    // The boxes into the record; false, with the message shown, when a text cannot be stored.
    bool storeControls();

    static int rowSlot(FamilyRow row);
    static FamilyRow rowAt(int slot);

    bool storeRows(WithholdingRecord& record);
    void showAgeClass(int slot, const CalendarDateBytes& birth);

    WithholdingRecord& record_;
    WithholdingSupplement& supplement_;
    int dataYear_;
    QString employeeName_;
    ui::MessageService& messages_;
    std::array<RowBoxes, kRows> rows_;
    QTabWidget* pages_ = nullptr;
    std::vector<FamilyPage*> morePages_;  // 5人目以降, and from 2025 特定親族
    QCheckBox* hideNumbersCheck_ = nullptr;
};

}  // namespace keiro::withholding
