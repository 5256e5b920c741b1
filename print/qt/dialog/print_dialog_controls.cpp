// The print dialog's controls and their layout.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/settings.h"
#include "print/dialog_texts.h"
#include "print/qt/dialog/comment_memo.h"
#include "print/qt/dialog/correction_panel.h"
#include "print/qt/dialog/pay_date_row.h"
#include "print/qt/dialog/print_dialog.h"
#include "print/qt/dialog/printer_choice.h"
#include "widgets/command_runner.h"
#include "widgets/entry_behaviour.h"

namespace keiro::print {
namespace {

template <typename W, typename... Args>
W* named(const char* name, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* panel(const char* name, QWidget* parent) {
    auto* label = named<QLabel>(name, parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(260);
    return label;
}

}  // namespace

void PrintDialog::buildControls() {
    const ui::EntrySettings entry{services_.settings.autoSelect, services_.settings.overwriteInput,
                                  services_.settings.timeStyle};

    auto* report = named<QGroupBox>("gbReport", QStringLiteral("印刷の内容"), this);
    reportGroup_ = report;
    auto* grid = new QGridLayout(report);

    formTypeLabel_ = named<QLabel>("lbFormType", QStringLiteral("明細書の種類"), report);
    formTypeCombo_ = named<QComboBox>("cbFormType", report);
    for (const std::string_view name : formTypeNames()) {
        formTypeCombo_->addItem(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    grid->addWidget(formTypeLabel_, 0, 0);
    grid->addWidget(formTypeCombo_, 0, 1);

    // The pay date and, for the monthly list, the print method share one row.
    payDateLabel_ = named<QLabel>("lbNengappi", report);
    payDate_ = new PayDateRow(entry, services_.messages, report);
    methods_ = named<QWidget>("gbMethod", report);
    auto* methodLayout = new QHBoxLayout(methods_);
    methodLayout->setContentsMargins(0, 0, 0, 0);
    normalOrderRadio_ = named<QRadioButton>("rbNormal", QStringLiteral("通常"), methods_);
    byCategoryRadio_ = named<QRadioButton>("rbSyaKbn", QStringLiteral("社員区分別"), methods_);
    byDepartmentRadio_ = named<QRadioButton>("rbBusyo", QStringLiteral("部署別"), methods_);
    auto* group = new QButtonGroup(methods_);
    for (QRadioButton* radio : {normalOrderRadio_, byCategoryRadio_, byDepartmentRadio_}) {
        group->addButton(radio);
        methodLayout->addWidget(radio);
    }
    normalOrderRadio_->setChecked(true);
    auto* dateOrMethod = new QHBoxLayout;
    dateOrMethod->addWidget(payDate_);
    dateOrMethod->addWidget(methods_);
    dateOrMethod->addStretch();
    grid->addWidget(payDateLabel_, 1, 0);
    grid->addLayout(dateOrMethod, 1, 1);

    memoEdit_ = named<QPlainTextEdit>("mmEditMemo", report);
    memoEdit_->setTabChangesFocus(true);
    memoEdit_->setFixedHeight(QFontMetrics(memoEdit_->font()).lineSpacing() * kMemoMaxLines + 12);
    limitMemo(memoEdit_);
    grid->addWidget(named<QLabel>("lbComment", QStringLiteral("コメント"), report), 2, 0,
                    Qt::AlignTop);
    grid->addWidget(memoEdit_, 2, 1);

    printRemarksCheck_ = named<QCheckBox>(
        "cbBikoPrn", QStringLiteral("詳細入力の備考欄をコメントとして印刷"), report);
    includeTransferPaidCheck_ =
        named<QCheckBox>("cbAllPrint", QStringLiteral("振込支給者も印刷する"), report);
    grid->addWidget(printRemarksCheck_, 3, 1);
    grid->addWidget(includeTransferPaidCheck_, 4, 1);

    auto* printer = new QGroupBox(QStringLiteral("プリンタ"), this);
    auto* printerGrid = new QGridLayout(printer);
    printerPanel_ = panel("pnPrinter", printer);
    paperPanel_ = panel("pnPaper", printer);
    pagesPanel_ = panel("pnPages", printer);
    printerSetupButton_ =
        named<QPushButton>("btPrnSetup", QStringLiteral("プリンタの設定..."), printer);
    printerGrid->addWidget(new QLabel(QStringLiteral("プリンタ"), printer), 0, 0);
    printerGrid->addWidget(printerPanel_, 0, 1);
    printerGrid->addWidget(printerSetupButton_, 0, 2);
    printerGrid->addWidget(new QLabel(QStringLiteral("用紙"), printer), 1, 0);
    printerGrid->addWidget(paperPanel_, 1, 1);
    printerGrid->addWidget(new QLabel(QStringLiteral("枚数"), printer), 2, 0);
    printerGrid->addWidget(pagesPanel_, 2, 1);

    corrections_ = new CorrectionPanel(services_.messages, this);

    previewButton_ = named<QPushButton>("btPreView", QStringLiteral("プレビュー"), this);
    printButton_ = named<QPushButton>("btPrint", QStringLiteral("印刷"), this);
    pdfButton_ = named<QPushButton>("btPdf", QString::fromUtf8(kPdfChoiceName), this);
    csvButton_ = named<QPushButton>("btCsvFile", QStringLiteral("CSV書き出し"), this);
    employeePdfsButton_ = named<QPushButton>("btPdfEach", QStringLiteral("社員別PDF出力"), this);
    cancelButton_ = named<QPushButton>("btCancel", QStringLiteral("キャンセル"), this);
    printButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(previewButton_);
    buttons->addWidget(printButton_);
    buttons->addWidget(pdfButton_);
    buttons->addWidget(csvButton_);
    buttons->addWidget(employeePdfsButton_);
    buttons->addStretch();
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(report);
    layout->addWidget(printer);
    layout->addWidget(corrections_);
    layout->addLayout(buttons);

    // Every choice and button runs as a window command: a report that fails to build or draw
    // (a data file that cannot be read) says so and leaves the dialog as it was.
    ui::MessageService& messages = services_.messages;
    const auto command = [this, &messages](auto handler) {
        return [this, &messages, handler] {
            ui::runCommand(this, messages, [this, handler] { (this->*handler)(); });
        };
    };
    connect(formTypeCombo_, &QComboBox::activated, this, command(&PrintDialog::chooseFormType));
    connect(group, &QButtonGroup::buttonToggled, this,
            [recount = command(&PrintDialog::countPages)](QAbstractButton*, bool checked) {
                if (checked) recount();
            });
    connect(includeTransferPaidCheck_, &QCheckBox::toggled, this,
            command(&PrintDialog::countPages));
    connect(printRemarksCheck_, &QCheckBox::toggled, this,
            [this](bool checked) { memoEdit_->setEnabled(!checked); });
    ui::connectCommand(printerSetupButton_, this, messages, &PrintDialog::setUpPrinter);
    ui::connectCommand(previewButton_, this, messages, &PrintDialog::showPreview);
    ui::connectCommand(printButton_, this, messages, &PrintDialog::printNow);
    ui::connectCommand(pdfButton_, this, messages, &PrintDialog::savePdf);
    ui::connectCommand(csvButton_, this, messages, &PrintDialog::writeCsv);
    ui::connectCommand(employeePdfsButton_, this, messages, &PrintDialog::writeEmployeePdfs);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace keiro::print
