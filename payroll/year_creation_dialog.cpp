#include "payroll/year_creation_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>

#include "core/fileio.h"
#include "core/yearfile.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

YearCreationDialog::YearCreationDialog(QWidget* parent, std::filesystem::path dataFolder,
                                       const EraNames& names, ui::MessageService& messages)
    : QDialog(parent), dataFolder_(std::move(dataFolder)), names_(names), messages_(messages) {
    setObjectName("TfmInpDlg");
    setWindowTitle(QStringLiteral("データファイル作成"));
    eraCombo_ = new QComboBox(this);
    eraCombo_->setObjectName("cbGengo");
    if (names.newEra != names.earlier) eraCombo_->addItem(QString::fromStdString(names.newEra));
    eraCombo_->addItem(QString::fromStdString(names.earlier));
    yearEdit_ = new QLineEdit(this);
    yearEdit_->setObjectName("edYear");
    yearEdit_->setMaxLength(2);
    yearEdit_->setValidator(new QIntValidator(0, 99, yearEdit_));  // digits only
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("bbOk");
    connect(buttons, &QDialogButtonBox::accepted, this, &YearCreationDialog::createYear);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("元号"), eraCombo_);
    layout->addRow(QStringLiteral("年"), yearEdit_);
    layout->addRow(buttons);
}

void YearCreationDialog::createYear() {
    const EraYear year{eraCombo_->currentText().toStdString(), yearEdit_->text().toInt()};
    NewYearFile result;
    if (year.eraYear > 1 && !isListedYear(year, names_)) {
        // A file the year list never shows could not be worked on.
        result.error = listedYearsMessage(names_);
    } else {
        try {
            result = createNewYearFile(dataFolder_, year.eraName, year.eraYear);
        } catch (const IoError& e) {
            result.error = e.what();
        }
    }
    if (!result.error.empty()) {
        messages_.error(this, QString::fromStdString(result.error));
        yearEdit_->setFocus();
        return;
    }
    created_ = result.path;
    accept();
}

}  // namespace keiro::payroll
