#include "payroll/employee_editor.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>
#include <chrono>
#include <utility>

#include "core/employee_master.h"
#include "core/fileio.h"
#include "core/ini.h"
#include "core/text.h"
#include "core/zengin_settings.h"
#include "payroll/config_widgets.h"
#include "payroll/employee_boxes.h"
#include "payroll/employee_identity_page.h"
#include "payroll/employee_pay_page.h"
#include "payroll/employee_resident_city_box.h"
#include "payroll/employee_social_page.h"
#include "payroll/unit_price_dialog.h"
#include "widgets/calculator_window.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"
#include "widgets/notice_window.h"

namespace keiro::payroll {
namespace {

constexpr int kIdentityPage = 0;
constexpr int kPayPage = 1;

// A tool button of the window: it never takes the focus, so the calculator finds the amount box
// the user was in.
QPushButton* toolButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

QPushButton* dialogButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(90);
    return button;
}

}  // namespace

EmployeeEditor::EmployeeEditor(QWidget* parent, EmployeeEditorContext context, int slot)
    : QDialog(parent),
      context_(context),
      slot_(slot >= 1 && slot <= kMaxEmployees ? slot : -1),
      pageTabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("TfmMembEdit"));
    setWindowTitle(QStringLiteral("社員情報の編集"));
    const ui::EntrySettings entry = entrySettings(context_.settings);

    identity_ = new EmployeeIdentityPage(
        pageTabs_, entry, nameClassOf(context_.settings.transfer.characters), context_.messages);
    pay_ = new EmployeePayPage(pageTabs_, entry, context_.messages, context_.places.dataFolder);
    social_ = new EmployeeSocialPage(pageTabs_, entry, context_.messages);
    pageTabs_->setObjectName(QStringLiteral("PageCtrl"));
    pageTabs_->addTab(identity_, QStringLiteral("基本情報/振込先"));
    pageTabs_->addTab(pay_, QStringLiteral("支給/控除/保険料"));
    pageTabs_->addTab(social_, QStringLiteral("社会保険の届出"));
    pageTabs_->setFocusPolicy(Qt::NoFocus);

    slotLabel_ = new QLabel(this);
    slotLabel_->setObjectName(QStringLiteral("lbSlot"));
    slotLabel_->setMinimumWidth(
        slotLabel_->fontMetrics().horizontalAdvance(QStringLiteral("No.000")));
    previousButton_ = toolButton(this, "sbPrev", QStringLiteral("◀ 前データ"));
    nextButton_ = toolButton(this, "sbNext", QStringLiteral("次データ ▶"));
    QPushButton* calculatorButton = toolButton(this, "sbCalc", QStringLiteral("電卓起動"));
    QPushButton* templateButton = toolButton(this, "sbDefault", QStringLiteral("基本に設定"));
    fromGradeButton_ = toolButton(this, "sbFromGrade", QStringLiteral("等級表から入力"));
    QPushButton* okButton = dialogButton(this, "btOK", QStringLiteral("ＯＫ"));
    QPushButton* cancelButton = dialogButton(this, "btCancel", QStringLiteral("キャンセル"));
    calculator_ = new ui::CalculatorWindow(this, context_.messages);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(slotLabel_);
    buttons->addWidget(previousButton_);
    buttons->addWidget(nextButton_);
    buttons->addSpacing(16);
    buttons->addWidget(calculatorButton);
    buttons->addWidget(templateButton);
    buttons->addWidget(fromGradeButton_);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageTabs_);
    layout->addLayout(buttons);

    connect(identity_, &EmployeeIdentityPage::payFormChanged, pay_, &EmployeePayPage::showPayForm);
    connect(pageTabs_, &QTabWidget::currentChanged, this, [this] { updateButtons(); });
    connect(pay_, &EmployeePayPage::unitPricesRequested, this,
            [this] { ui::runCommand(this, context_.messages, [this] { suggestUnitPrices(); }); });
    ui::MessageService& messages = context_.messages;
    ui::connectCommand(previousButton_, this, messages, &EmployeeEditor::showPreviousEmployee);
    ui::connectCommand(nextButton_, this, messages, &EmployeeEditor::showNextEmployee);
    ui::connectCommand(calculatorButton, this, messages, &EmployeeEditor::calculateFocusedBox);
    ui::connectCommand(templateButton, this, messages, &EmployeeEditor::saveOrRemoveTemplate);
    ui::connectCommand(fromGradeButton_, this, messages, &EmployeeEditor::setPremiumsFromGrade);
    ui::connectCommand(okButton, this, messages, &EmployeeEditor::saveEmployee);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    const auto shortcut = [this](Qt::Key key, void (EmployeeEditor::*handler)()) {
        connect(
            new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this, handler] {
                ui::runCommand(this, context_.messages, [this, handler] { (this->*handler)(); });
            });
    };
    shortcut(Qt::Key_PageDown, &EmployeeEditor::showNextEmployee);
    shortcut(Qt::Key_PageUp, &EmployeeEditor::showPreviousEmployee);

    showCurrentEmployee();
}

void EmployeeEditor::showCurrentEmployee() {
    pay_->setItemNames(context_.settings.itemNames);
    showRecord(slot_ > 0 ? records().employee(slot_) : newEmployeeTemplate());
    pageTabs_->setCurrentIndex(kIdentityPage);
}

void EmployeeEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    identity_->nameBox()->setFocus(Qt::OtherFocusReason);
}

EmployeeRecord EmployeeEditor::newEmployeeTemplate() {
    try {
        return loadEmployeeTemplate(context_.places.dataFolder);
    } catch (const IoError& e) {
        context_.messages.error(this, qs(e.what()));
        return defaultEmployeeTemplate();
    }
}

void EmployeeEditor::showRecord(const EmployeeRecord& record) {
    working_ = record;
    identity_->load(record);
    pay_->load(record);
    pay_->showGrade(context_.gradeSetter != nullptr
                        ? context_.gradeSetter->describeGrade(record.insuranceGrade)
                        : QString());
    social_->load(record);
    // What the form makes of the record is the yardstick for changes, so stale bytes after a
    // text or in unused parts of the record never count as an edit.
    try {
        asLoaded_ = formRecord();
    } catch (const text::EncodingError&) {
        asLoaded_ = working_;
    }
    updateButtons();
}

const PeriodBlock& EmployeeEditor::records() const {
    return std::as_const(context_.year).block();
}

EmployeeRecord EmployeeEditor::formRecord() const {
    EmployeeRecord record = working_;
    identity_->store(record);
    pay_->store(record);
    social_->store(record);
    normaliseEmployee(record);
    return record;
}

void EmployeeEditor::reject() {
    if (isChanged() && !context_.messages.confirm(this, qs(std::string(kMsgDropChanges)), true)) {
        return;
    }
    QDialog::reject();
}

bool EmployeeEditor::isChanged() const {
    try {
        return !sameBytes(formRecord(), asLoaded_);
    } catch (const text::EncodingError&) {
        return true;  // new text that cannot be stored is a change all the same
    }
}

int EmployeeEditor::previousUsedSlot() const {
    for (int slot = slot_ - 1; slot >= 1; --slot) {
        if (records().employee(slot).isUsed()) return slot;
    }
    return 0;
}

void EmployeeEditor::updateButtons() {
    const bool existing = slot_ >= 1;
    slotLabel_->setText(existing ? QStringLiteral("No.%1").arg(slot_) : QStringLiteral("新規"));
    previousButton_->setEnabled(existing && previousUsedSlot() > 0);
    nextButton_->setEnabled(existing && slot_ < kMaxEmployees &&
                            records().employee(slot_ + 1).isUsed());
    fromGradeButton_->setEnabled(context_.gradeSetter != nullptr &&
                                 pageTabs_->currentIndex() == kPayPage);
}

void EmployeeEditor::moveTo(int slot) {
    if (isChanged()) {
        context_.messages.warning(this, qs(std::string(kMsgChangedNoMove)));
        return;
    }
    slot_ = slot;
    showRecord(records().employee(slot));
}

void EmployeeEditor::showPreviousEmployee() {
    if (previousButton_->isEnabled()) moveTo(previousUsedSlot());
}

void EmployeeEditor::showNextEmployee() {
    if (nextButton_->isEnabled()) moveTo(slot_ + 1);
}

void EmployeeEditor::calculateFocusedBox() {
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (calculator_->calculate(box)) reformatAmount(box);
    if (box != nullptr) box->setFocus(Qt::OtherFocusReason);  // back where the user was
}

void EmployeeEditor::saveOrRemoveTemplate() {
    const std::filesystem::path& folder = context_.places.dataFolder;
    try {
        switch (context_.messages.askYesNoCancel(this, qs(kMsgTemplateQuestion))) {
            case ui::Answer::Yes:
                // A template hands its My Number to every new employee: only a valid one.
                if (const std::string_view problem =
                        myNumberProblem(identity_->myNumberText().toStdString());
                    !problem.empty()) {
                    context_.messages.error(this, qs(std::string(problem)));
                    pageTabs_->setCurrentIndex(kIdentityPage);
                    identity_->myNumberBox()->setFocus();
                    return;
                }
                saveEmployeeTemplate(folder, formRecord());
                ui::NoticeWindow::showNotice(this, qs(kMsgTemplateSaved));
                break;
            case ui::Answer::No:
                if (!context_.messages.confirm(this, qs(kMsgTemplateRemoveQuestion))) return;
                removeEmployeeTemplate(folder);
                // Only a new employee's form starts again from the template; an employee on
                // show keeps what is entered.
                if (slot_ < 1) showRecord(newEmployeeTemplate());
                ui::NoticeWindow::showNotice(this, qs(kMsgTemplateRemoved));
                break;
            case ui::Answer::Cancel:
                break;
        }
    } catch (const IoError& e) {
        context_.messages.error(this, qs(e.what()));
    } catch (const text::EncodingError& e) {
        context_.messages.error(this, qs(e.what()));
    }
}

void EmployeeEditor::suggestUnitPrices() {
    const PeriodSettings& period = records().settings;
    calc::UnitPriceBasis basis = calc::unitPriceBasisOf(formRecord());
    IniFile ini(context_.places.iniFile);
    // The company's monthly hours; the open month's scheduled hours until they are set.
    const double hours = ini.readDouble("Option", "TankaJikan", period.scheduledHours);
    basis.minutesPerMonth = calc::minutesOfHours(hours);
    basis.daysPerMonth = period.scheduledDays;
    basis.minutesPerDay = calc::minutesOfHours(period.hoursPerDay);
    UnitPriceDialog dialog(this, basis, context_.settings.monthRounding,
                           entrySettings(context_.settings), context_.messages);
    const std::optional<calc::UnitPrices> prices = dialog.ask();
    if (!prices) return;
    pay_->setUnitPrices(*prices);
    if (basis.payForm == 1)
        ini.writeString("Option", "TankaJikan",
                        QString::number(dialog.hoursPerMonth(), 'g', 6).toStdString());
}

void EmployeeEditor::setPremiumsFromGrade() {
    if (context_.gradeSetter == nullptr || pageTabs_->currentIndex() != kPayPage) return;
    const auto chosen = context_.gradeSetter->setFromGrade(
        this, working_.insuranceGrade, records().settings, social_->remuneration());
    if (!chosen) return;
    pay_->setPremiums(chosen->premiums);
    working_.insuranceGrade = static_cast<std::uint16_t>(chosen->grade);
    pay_->showGrade(context_.gradeSetter->describeGrade(chosen->grade));
}

void EmployeeEditor::saveEmployee() {
    EmployeeRecord entered;
    try {
        entered = formRecord();
    } catch (const text::EncodingError& e) {
        context_.messages.error(this, qs(e.what()));
        return;
    }
    if (const auto problem = identity_->slipPasswordProblem()) {
        pageTabs_->setCurrentIndex(kIdentityPage);
        context_.messages.error(this, qs(std::string(*problem)));
        identity_->slipPasswordBox()->setFocus(Qt::OtherFocusReason);
        return;
    }
    const std::string myNumber = identity_->myNumberText().toStdString();
    if (const auto failure = checkEmployeeEntry(records(), entered, myNumber)) {
        pageTabs_->setCurrentIndex(kIdentityPage);
        context_.messages.error(this, qs(std::string(failure->message)));
        QLineEdit* box = failure->field == EmployeeField::Name       ? identity_->nameBox()
                         : failure->field == EmployeeField::MyNumber ? identity_->myNumberBox()
                                                                     : identity_->codeBox();
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (const auto failure = identity_->checkTransferBoxes()) {
        pageTabs_->setCurrentIndex(kIdentityPage);
        context_.messages.error(this, qs(failure->message));
        identity_->transferBox(failure->field)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (const auto problem = pay_->residentTaxCity()->problem()) {
        pageTabs_->setCurrentIndex(kPayPage);
        context_.messages.error(this, qs(problem->message));
        problem->box->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The slip's count typed where the tax's was meant: the tax would take no dependants.
    if (entered.dependents > 0 && entered.dependentRelatives == 0 &&
        !context_.messages.confirm(this, qs(std::string(kMsgDependantsNotCounted)), true)) {
        pageTabs_->setCurrentIndex(kIdentityPage);
        identity_->dependentRelativesBox()->setFocus(Qt::OtherFocusReason);
        return;
    }
    PayrollPeriod& period = context_.year.document();
    const EmployeeId employee = slot_ > 0 ? period.idAt(slot_) : EmployeeId();
    const auto stored =
        storeEmployee(period, employee, entered, recordKeyAt(std::chrono::system_clock::now()));
    if (!stored) {
        context_.messages.error(this, qs(std::string(kMsgNoFreeSlot)));
        return;
    }
    storedSlot_ = period.slotOf(stored->employee);
    accept();
}

void EmployeeEditor::keyPressEvent(QKeyEvent* event) {
    // Enter moves on in every control (boxes do it themselves); it never closes the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace keiro::payroll
