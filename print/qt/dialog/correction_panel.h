#pragma once
// The print position correction of the print dialog: the vertical and horizontal edits
// (edAdjustV, edAdjustH, "%5.1f", at most 5 characters), the arrow buttons that move the print
// by 0.1 mm (↑ up, ↓ down, ← left, → right) and ﾘｾｯﾄ.  An edit that does not hold a number is
// refused with a message, and the button or the print that needed it does nothing.

#include <QGroupBox>
#include <optional>

#include "print/qt/report_output.h"

class QLabel;
class QLineEdit;

namespace keiro::ui {
class MessageService;
}

namespace keiro::print {

class CorrectionPanel : public QGroupBox {
    Q_OBJECT
  public:
    CorrectionPanel(ui::MessageService& messages, QWidget* parent = nullptr);

    // The withholding documents' dialog names the group, its labels and controls its own way
    // (印刷位置補正, 横位置 / 縦位置, edPrAdjustH ...); the payroll reports' otherwise.
    void setDocumentStyle(bool document);

    // Shows the corrections, in tenths of a millimetre.
    void setTenths(int horizontal, int vertical);
    // Both corrections, or nothing after telling the user which edit holds no number.
    std::optional<Correction> read();

  private:
    // Moves one correction by `tenths`; nothing when its edit holds no number.
    void step(QLineEdit* edit, int tenths);
    std::optional<double> valueOf(QLineEdit* edit);
    void reformat(QLineEdit* edit);

    ui::MessageService& messages_;
    QLineEdit* horizontal_;
    QLineEdit* vertical_;
    QLabel* horizontalLabel_;
    QLabel* verticalLabel_;
};

// The message for a correction that is not a number.
QString notANumberMessage(const QString& text);

}  // namespace keiro::print
