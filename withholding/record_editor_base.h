#pragma once
// What the two employee withholding editors share: the header with the employee's name,
// department and status, the buttons and keys, moving between slots, the automatic items with
// 修正ON/OFF, the calculator, the date checks and the automatic calculation.  The two windows
// (WithholdingEditor for the 1500-byte years, LegacyWithholdingEditor for the 500-byte years) add
// only how their record is loaded and stored; the boxes live in the shared panels.
//
// The window is stored into the record whenever it closes and before every move or
// calculation; counts that contradict the family's birth dates are asked about first.

#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

#include "withholding/edit/edit_rules.h"
#include "withholding/editor_context.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace keiro::ui {
class CalculatorWindow;
}

namespace keiro::withholding {

class EditAmountsPanel;
class EditBoxes;
class EditFamilyPanel;
class EditHousingPanel;
class EditPersonPanel;

class RecordEditorBase : public QDialog {
    Q_OBJECT
  public:
    ~RecordEditorBase() override;

    // Loads `slot` (1..100) and shows the window modally.
    int execOn(int slot);
    // Loads `slot` without showing the window.
    void showSlot(int slot);
    int slot() const { return slot_; }

    void showPreviousEmployee() { moveBy(-1); }
    void showNextEmployee() { moveBy(+1); }
    void calculateEmployee();
    void toggleManualEntry();
    void openCalculator();
    void editFamily();
    // 前職分: the employers who paid earlier in the year (1500-byte years).
    void editPreviousEmployers();
    // Leaving a year, month or day box of a date group.
    void checkLeftDatePart(QLineEdit* part);

  protected:
    RecordEditorBase(const EditorContext& context, bool currentFormat, QWidget* parent);

    virtual void loadRecord() = 0;
    virtual void storeRecord() = 0;
    virtual std::uint8_t* manualFlags() = 0;
    virtual std::uint8_t adjustStatus() const = 0;

    // Every panel shows, or stores into, one record of either format.
    template <typename Record>
    void loadPanels(const Record& record);
    template <typename Record>
    void storePanels(Record& record) const;

    const EditorContext& context() const { return context_; }
    bool currentFormat() const { return currentFormat_; }

    EditBoxes* boxes_;
    EditPersonPanel* person_;
    EditFamilyPanel* family_;
    EditAmountsPanel* amounts_;
    EditHousingPanel* housing_;

    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct DateGroup {
        QComboBox* era;  // nothing: the joining/leaving date, in the data's era
        std::vector<QLineEdit*> parts;
    };

    // Runs `command` under the command runner, its messages over this window.
    bool run(const std::function<void()>& command);
    void load();
    void store();
    void moveBy(int step);
    void refreshHeader();
    void refreshManualLook();
    void updateToolButtons();
    bool isAutomatic(const QLineEdit* box) const;
    int manualItemOf(const QLineEdit* box) const;
    bool occupied(int slot) const;
    void checkAllDates();
    // The window no larger than the screen's free area, and placed inside it.
    void fitToScreen();
    // A part-timer who left is adjusted only while the year's pay stays within the year's limit.
    void warnIfPayOverPartTimerLimit();
    void lookUpAddress();
    // Counts that contradict the birth dates are settled before the window moves on or
    // closes: Yes takes the dates' counts, No keeps the typed ones, Cancel stays (false).
    bool settleCountsWithDates();
    // A typed deduction above the law's maximum is held at it, with a message; an income
    // estimate below the employment income is refused and the box shows what it held before.
    void holdWithinLaw(QLineEdit* box);
    void checkIncomeEstimate(QLineEdit* box);

    EditorContext context_;
    bool currentFormat_;
    int slot_ = 1;
    bool spouseSpecialComputed_;
    std::vector<DateGroup> dates_;
    QPointer<QLineEdit> focusedBox_;
    QString estimateBefore_;  // the income estimate last accepted
    QMetaObject::Connection focusTracking_;

    QScrollArea* body_;
    QLabel* nameLabel_;
    QLabel* departmentLabel_;
    QLabel* statusLabel_;
    QPushButton* previousButton_;
    QPushButton* nextButton_;
    QPushButton* calculateButton_;
    QPushButton* manualButton_;
    QPushButton* calculatorButton_;
    QPushButton* familyButton_;
    QPushButton* previousEmployersButton_;
    QPushButton* closeButton_;
    ui::CalculatorWindow* calculator_;
};

// The editor of one record format: the hooks of the shell on that format's records.
template <typename Record>
class RecordEditor : public RecordEditorBase {
  protected:
    static constexpr bool kCurrentFormat = std::is_same_v<Record, WithholdingRecord>;

    RecordEditor(const EditorContext& context, QWidget* parent)
        : RecordEditorBase(context, kCurrentFormat, parent) {}

    void loadRecord() override { loadPanels(record()); }
    void storeRecord() override { storePanels(record()); }
    std::uint8_t* manualFlags() override { return record().manualFlags; }
    std::uint8_t adjustStatus() const override { return record().adjustStatus; }

  private:
    Record& record() const {
        if constexpr (kCurrentFormat)
            return context().file.record(slot());
        else
            return context().file.legacyRecord(slot());
    }
};

}  // namespace keiro::withholding
