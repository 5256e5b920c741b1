#pragma once
// 配偶者／扶養親族: the spouse, the four 控除対象扶養親族 and the four 16歳未満の扶養親族 of one
// employee's withholding record (current format), each with name, furigana, individual number
// and non-resident flag, and the 備考 boxes for the individual numbers of the fifth and later
// dependants.  個人番号を隠す masks every number box.  The 編集 menu moves an under-16 dependant
// to the first free 控除対象扶養親族 row and deletes rows (the rows below move up).
//
// The dialog edits the record it is given: closing it, in any way, stores every box into it.
//
//   TfmFamily family(file.record(slot), employeeName, messages, this);
//   ui::EditBehaviour::applySettings(&family, entrySettings);  // AutoSelect, InputOverN
//   family.exec();

#include <QDialog>
#include <array>

#include "widgets/message_service.h"
#include "withholding/model/family_rows.h"
#include "withholding/model/records.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenuBar;

namespace keiro::withholding {

class TfmFamily : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kBikouBoxes = 5;

    TfmFamily(WithholdingRecord& record, const QString& employeeName, ui::MessageService& messages,
              QWidget* parent = nullptr);

    // データ移動: under-16 row `under16Index` (0..3) to the first free 控除対象扶養親族 row.
    void mnMoveU16_KouClick(int under16Index);
    // データ削除: the row, after the confirmation.
    void mnEraseClick(FamilyRow row);
    // 個人番号を隠す.
    void cbHideClick();

    // Every way of closing stores the boxes into the record first; a box that cannot be stored
    // keeps the dialog open with a message.
    void done(int result) override;

  private:
    struct RowBoxes {
        QLineEdit* name = nullptr;
        QLineEdit* furigana = nullptr;
        QLineEdit* number = nullptr;
        QCheckBox* nonResident = nullptr;
        QString loadedNumber;  // the number box's text as loaded
    };
    static constexpr int kRows = 1 + 2 * kFamilyRowsPerGroup;

    void buildControls();
    void buildMenu(QMenuBar* bar);
    QWidget* rowGroup(const QString& title, FamilyGroup group);
    QWidget* bikouGroup();
    RowBoxes makeRow(const QString& suffix);
    void loadControls();
    // The boxes into the record; false, with the message shown, when a text cannot be stored.
    bool storeControls();

    static int rowSlot(FamilyRow row);
    static FamilyRow rowAt(int slot);

    WithholdingRecord& record_;
    QString employeeName_;
    ui::MessageService& messages_;
    std::array<RowBoxes, kRows> rows_;
    std::array<QLineEdit*, kBikouBoxes> bikouDependants_{};
    std::array<QLineEdit*, kBikouBoxes> bikouUnder16_{};
    QCheckBox* cbHide_ = nullptr;
};

}  // namespace keiro::withholding
