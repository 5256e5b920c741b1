#include "withholding/record_editor_base.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "widgets/calculator_window.h"
#include "widgets/command_runner.h"
#include "widgets/entry_behaviour.h"
#include "widgets/message_service.h"
#include "widgets/notice_window.h"
#include "withholding/adjust/automatic_calculation.h"
#include "withholding/adjust/record_input.h"
#include "withholding/calc/adjustment_scope.h"
#include "withholding/edit/income_estimate.h"
#include "withholding/edit_amounts_panel.h"
#include "withholding/edit_boxes.h"
#include "withholding/edit_family_panel.h"
#include "withholding/edit_housing_panel.h"
#include "withholding/edit_person_panel.h"
#include "withholding/model/declaration_limits.h"
#include "withholding/model/family_ages.h"
#include "withholding/postal/address_completion.h"
#include "withholding/previous_employers_dialog.h"

namespace keiro::withholding {

namespace {

// The employee master is the year file's December.
constexpr int kDecember = 12;

// The title bar and borders around a window; before the window manager has framed it, those of
// a usual one.
QMargins frameMarginsOf(const QWidget& window) {
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    if (inner == outer) return {8, 36, 8, 8};
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QPushButton* toolButton(QWidget* owner, const char* name, const char* caption) {
    auto* button = new QPushButton(q(caption), owner);
    button->setObjectName(q(name));
    button->setFocusPolicy(Qt::NoFocus);  // the box being worked on keeps the focus
    button->setAutoDefault(false);
    return button;
}

QLabel* panel(QWidget* owner, const char* name, int widthChars) {
    auto* label = new QLabel(owner);
    label->setObjectName(q(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(
        label->fontMetrics().horizontalAdvance(QString(widthChars, QChar(0x3000))));
    return label;
}

ui::EntrySettings entrySettingsOf(const OptionSettings& options) {
    ui::EntrySettings settings;
    settings.autoSelect = options.autoSelect;
    settings.overwriteInput = options.overwriteDigits;
    return settings;
}

// The boxes' scroll area leaves the arrow and page keys to the window, which moves between the
// boxes and the slots with them.
class BoxesScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                event->ignore();
                return;
            default:
                QScrollArea::keyPressEvent(event);
        }
    }
};

}  // namespace

RecordEditorBase::RecordEditorBase(const EditorContext& context, bool currentFormat,
                                   QWidget* parent)
    : QDialog(parent),
      context_(context),
      currentFormat_(currentFormat),
      spouseSpecialComputed_(spouseSpecialComputed(context.dataYear, currentFormat)) {
    setWindowTitle(q("源泉徴収データの入力"));
    const LaterInputs later = laterInputsOf(context.dataYear);
    boxes_ = new EditBoxes(this, entrySettingsOf(context.options), context.messages);
    person_ = new EditPersonPanel(*boxes_, currentFormat, later, context.eraYear, this);
    family_ = new EditFamilyPanel(*boxes_, currentFormat, this);
    amounts_ = new EditAmountsPanel(*boxes_, currentFormat, later, this);
    housing_ = new EditHousingPanel(*boxes_, currentFormat, context.newEraName, this);
    calculator_ = new ui::CalculatorWindow(this, context.messages);

    nameLabel_ = panel(this, "pnSimei", 10);
    departmentLabel_ = panel(this, "pnBusyo", 10);
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(q("lbStatus"));
    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(q("氏名")));
    header->addWidget(nameLabel_);
    header->addWidget(new QLabel(q("部署名")));
    header->addWidget(departmentLabel_);
    header->addWidget(statusLabel_);
    header->addStretch();

    previousButton_ = toolButton(this, "sbBackData", "前のデータ");
    nextButton_ = toolButton(this, "sbNextData", "次のデータ");
    calculateButton_ = toolButton(this, "btAutoCalc", "自動計算");
    manualButton_ = toolButton(this, "sbManual", "修正ON/OFF");
    calculatorButton_ = toolButton(this, "sbCalculator", "電卓起動");
    familyButton_ = toolButton(this, "btFamily", "配偶者/扶養親族");
    previousEmployersButton_ = toolButton(this, "btZensyoku", "前職分…");
    closeButton_ = toolButton(this, "btCancel", "戻　る");
    previousButton_->setProperty("tag", -1);
    nextButton_->setProperty("tag", +1);
    familyButton_->setVisible(currentFormat);
    familyButton_->setEnabled(static_cast<bool>(context.openFamily));
    previousEmployersButton_->setVisible(currentFormat);
    // Every button runs under the command runner: whatever a command lets escape is said, and
    // the window stays with the record as the command left it.
    const auto command = [this, &messages = context.messages](QPushButton* button,
                                                              void (RecordEditorBase::*handler)()) {
        ui::connectCommand(button, this, messages, handler);
    };
    command(previousButton_, &RecordEditorBase::showPreviousEmployee);
    command(nextButton_, &RecordEditorBase::showNextEmployee);
    command(calculateButton_, &RecordEditorBase::calculateEmployee);
    command(manualButton_, &RecordEditorBase::toggleManualEntry);
    command(calculatorButton_, &RecordEditorBase::openCalculator);
    command(familyButton_, &RecordEditorBase::editFamily);
    command(previousEmployersButton_, &RecordEditorBase::editPreviousEmployers);
    // Closing stores the window (done), which runs under the runner itself.
    connect(closeButton_, &QPushButton::clicked, this, [this] { reject(); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {previousButton_, nextButton_, calculateButton_, manualButton_,
                                calculatorButton_, familyButton_, previousEmployersButton_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(closeButton_);

    // The boxes scroll between the header and the buttons, so that the buttons stay on a
    // small screen; the box with the focus is scrolled into view.
    auto* boxesPage = new QWidget;
    auto* body = new QGridLayout(boxesPage);
    body->setContentsMargins(0, 0, 0, 0);
    // The premiums paid fill the room under the employee's own boxes.
    auto* personColumn = new QVBoxLayout;
    personColumn->addWidget(person_);
    personColumn->addWidget(amounts_->premiumsGroup());
    personColumn->addStretch();
    body->addLayout(personColumn, 0, 0);
    body->addWidget(family_, 0, 1);
    body->addWidget(amounts_, 0, 2, 2, 1);
    body->addWidget(housing_, 1, 0, 1, 2);
    body_ = new BoxesScrollArea(this);
    body_->setObjectName(q("pnBody"));
    body_->setFrameShape(QFrame::NoFrame);
    body_->setWidgetResizable(true);
    body_->setWidget(boxesPage);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(body_, 1);
    layout->addLayout(buttons);

    // Date groups, checked as their parts are left.
    dates_.push_back(
        {person_->birthEra(), {person_->birthDate().begin(), person_->birthDate().end()}});
    dates_.push_back({nullptr, {person_->joinLeaveDate().begin(), person_->joinLeaveDate().end()}});
    for (const EditHousingPanel::ResidenceStart& start : housing_->residenceStarts())
        dates_.push_back({start.era, {start.parts.begin(), start.parts.end()}});
    connect(boxes_, &EditBoxes::numberLeft, this, [this](QLineEdit* box) {
        run([this, box] {
            if (tagOf(box) == BoxTag::DatePart) checkLeftDatePart(box);
            if (tagOf(box) == BoxTag::Amount) holdWithinLaw(box);
        });
    });

    if (QComboBox* reason = person_->leaveException()) {
        connect(reason, &QComboBox::activated, this, [this](int index) {
            if (index == kLeavePartTimer) run([this] { warnIfPayOverPartTimerLimit(); });
        });
    }
    person_->postalCode()->installEventFilter(this);
    focusTracking_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now != nullptr && isAncestorOf(now)) {
                focusedBox_ = qobject_cast<QLineEdit*>(now);
                if (body_->widget()->isAncestorOf(now)) body_->ensureWidgetVisible(now);
            }
            updateToolButtons();
        });
}

// The focus moves while the window's children are destroyed; by then nothing is to be tracked.
RecordEditorBase::~RecordEditorBase() {
    disconnect(focusTracking_);
}

void RecordEditorBase::showEvent(QShowEvent* event) {
    fitToScreen();
    QDialog::showEvent(event);
}

void RecordEditorBase::fitToScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr) return;
    const QMargins frame = frameMarginsOf(*this);
    const QRect room = screen->availableGeometry().marginsRemoved(frame);
    // All the boxes if the screen has room for them (a scroll area on its own asks for less).
    const QSize boxes = body_->widget()->sizeHint();
    const QMargins margins = layout()->contentsMargins();
    QSize whole(std::max(sizeHint().width(), boxes.width() + margins.left() + margins.right()),
                sizeHint().height() - body_->sizeHint().height() + boxes.height());
    if (whole.height() > room.height())
        whole.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize size = whole.boundedTo(room.size());
    resize(size);
    // Where the window would come, moved inside the free area.
    const QPoint wanted = geometry().topLeft();
    move(std::clamp(wanted.x(), room.left(), room.right() + 1 - size.width()) - frame.left(),
         std::clamp(wanted.y(), room.top(), room.bottom() + 1 - size.height()) - frame.top());
}

int RecordEditorBase::execOn(int slot) {
    showSlot(slot);
    return exec();
}

void RecordEditorBase::showSlot(int slot) {
    slot_ = std::clamp(slot, 1, kMaxEmployees);
    load();
}

void RecordEditorBase::load() {
    loadRecord();
    if (currentFormat_) {
        family_->showDerivedCounts(deriveFamilyCounts(
            context_.file.record(slot_), context_.file.supplement(slot_), context_.dataYear));
    }
    if (QLineEdit* estimate = amounts_->incomeEstimate()) estimateBefore_ = estimate->text();
    refreshHeader();
    refreshManualLook();
    previousButton_->setEnabled(canGoBack(slot_));
    nextButton_->setEnabled(canGoForward(slot_, slot_ < kMaxEmployees && occupied(slot_ + 1)));
    person_->postalCode()->setFocus();
    focusedBox_ = person_->postalCode();
    updateToolButtons();
}

void RecordEditorBase::store() {
    storeRecord();
}

template <typename Record>
void RecordEditorBase::loadPanels(const Record& record) {
    person_->load(record);
    family_->load(record);
    amounts_->load(record);
    housing_->load(record);
}

template <typename Record>
void RecordEditorBase::storePanels(Record& record) const {
    person_->store(record);
    family_->store(record);
    amounts_->store(record);
    housing_->store(record);
}

template void RecordEditorBase::loadPanels(const WithholdingRecord&);
template void RecordEditorBase::loadPanels(const LegacyWithholdingRecord&);
template void RecordEditorBase::storePanels(WithholdingRecord&) const;
template void RecordEditorBase::storePanels(LegacyWithholdingRecord&) const;

bool RecordEditorBase::occupied(int slot) const {
    return !context_.year.block(kDecember).employee(slot).recordId.empty();
}

void RecordEditorBase::refreshHeader() {
    const EmployeeRecord& employee = context_.year.block(kDecember).employee(slot_);
    nameLabel_->setText(QString::fromStdString(employee.name.utf8()));
    departmentLabel_->setText(QString::fromStdString(employee.department.utf8()));
    const std::string_view status = editorStatusText(adjustStatus());
    statusLabel_->setText(QString::fromUtf8(status.data(), qsizetype(status.size())));
}

void RecordEditorBase::moveBy(int step) {
    const QPushButton* button = step < 0 ? previousButton_ : nextButton_;
    if (!button->isEnabled()) return;
    if (!settleCountsWithDates()) return;
    store();
    showSlot(slot_ + step);
    if (context_.slotChanged) context_.slotChanged(slot_);
}

int RecordEditorBase::manualItemOf(const QLineEdit* box) const {
    for (const auto& [automaticBox, item] : amounts_->automaticItems()) {
        if (automaticBox != box) continue;
        if (item == kManualSpouseSpecial && !spouseSpecialComputed_) return 0;
        return item;
    }
    return 0;
}

bool RecordEditorBase::isAutomatic(const QLineEdit* box) const {
    return manualItemOf(box) != 0;
}

void RecordEditorBase::refreshManualLook() {
    const std::uint8_t* flags = manualFlags();
    for (const auto& [box, item] : amounts_->automaticItems()) {
        QPalette palette = QApplication::palette(box);
        if (manualItemOf(box) == 0) {
            // Typed in by hand in these years: an ordinary box on the window's background.
            palette.setColor(QPalette::Base, palette.color(QPalette::Window));
            box->setReadOnly(false);
        } else {
            const bool manual = flags[item - 1] == 1;
            palette.setColor(QPalette::Text, manual ? Qt::red : Qt::black);
            box->setReadOnly(!manual);
        }
        box->setPalette(palette);
        // A read-only automatic item does not select its text on entering.
        if (auto* behaviour = box->findChild<ui::EditBehaviour*>()) {
            ui::EntrySettings settings = behaviour->settings();
            settings.autoSelect = context_.options.autoSelect && !box->isReadOnly();
            behaviour->setSettings(settings);
        }
    }
}

void RecordEditorBase::updateToolButtons() {
    const QLineEdit* box = focusedBox_;
    const bool automatic = box != nullptr && isAutomatic(box);
    manualButton_->setEnabled(automatic);
    const BoxTag tag = tagOf(box);
    const bool numeric = box != nullptr && (tag == BoxTag::Amount || tag == BoxTag::Count);
    calculatorButton_->setEnabled(numeric && !box->isReadOnly());
}

void RecordEditorBase::toggleManualEntry() {
    QLineEdit* box = focusedBox_;
    const int item = box ? manualItemOf(box) : 0;
    if (item == 0) return;
    std::uint8_t& flag = manualFlags()[item - 1];
    flag = flag == 1 ? 0 : 1;
    refreshManualLook();
    box->setFocus();
    updateToolButtons();
}

void RecordEditorBase::openCalculator() {
    QLineEdit* box = focusedBox_;
    if (box == nullptr || !calculatorButton_->isEnabled()) return;
    if (calculator_->calculate(box) && tagOf(box) == BoxTag::Amount)
        EditBoxes::setAmount(box, EditBoxes::amountOf(box));
}

void RecordEditorBase::editFamily() {
    if (!context_.openFamily || !currentFormat_) return;
    store();
    context_.openFamily(slot_);
    load();
}

void RecordEditorBase::editPreviousEmployers() {
    if (!currentFormat_) return;
    store();
    const PreviousEmployersDialog::Era era{context_.newEra ? kEraNew : kEraHeisei,
                                           QString::fromStdString(context_.eraName),
                                           context_.eraYear};
    PreviousEmployersDialog dialog(context_.file.supplement(slot_).previousEmployers, era,
                                   context_.messages, entrySettingsOf(context_.options), this);
    dialog.exec();
}

void RecordEditorBase::checkLeftDatePart(QLineEdit* part) {
    for (const DateGroup& group : dates_) {
        const auto found = std::find(group.parts.begin(), group.parts.end(), part);
        if (found == group.parts.end()) continue;
        if (group.era == nullptr && !person_->joinLeaveChecked()) return;
        DateParts date;
        date.eraIndex =
            group.era ? group.era->currentIndex() : (context_.newEra ? kEraNew : kEraHeisei);
        date.year = EditBoxes::numberOf(group.parts[0]);
        date.month = EditBoxes::numberOf(group.parts[1]);
        date.day = EditBoxes::numberOf(group.parts[2]);
        const auto index = found - group.parts.begin();
        const DateField field = static_cast<DateField>(static_cast<int>(DateField::Year) + index);
        const DateCheck check = checkDatePart(field, date);
        if (check.emptyPart) part->clear();
        if (check.focusBack) {
            QWidget* back = *check.focusBack == DateField::Era
                                ? static_cast<QWidget*>(group.era)
                                : group.parts[static_cast<std::size_t>(*check.focusBack) - 1];
            if (back) back->setFocus();
        }
        return;
    }
}

void RecordEditorBase::checkAllDates() {
    for (const DateGroup& group : dates_)
        for (QLineEdit* part : group.parts) checkLeftDatePart(part);
}

void RecordEditorBase::calculateEmployee() {
    family_->copyCohabitingIntoEmptyTotals();
    checkAllDates();
    store();
    if (currentFormat_ && context_.file.record(slot_).leaveException == kLeavePartTimer)
        warnIfPayOverPartTimerLimit();
    try {
        calculateSlot(context_.file, slot_, context_.year, context_.dataYear,
                      context_.options.roundTaxTo100);
    } catch (const std::exception&) {
        context_.messages.error(this,
                                q("計算結果が金額の範囲を超えました。入力内容を確認して下さい。"));
        return;
    }
    load();
    ui::NoticeWindow::showNotice(this, q("源泉徴収税額等の計算完了"));
}

void RecordEditorBase::warnIfPayOverPartTimerLimit() {
    const WithholdingRecord& record = context_.file.record(slot_);
    const EmployeeRecord& employee = context_.year.block(kDecember).employee(slot_);
    // The year's pay as the calculation takes it: typed in, or the year file's totals.
    const std::int64_t paid = record.isManual(kManualPaid)
                                  ? record.paid
                                  : yearlyTotals(context_.year, employee.recordId.bytes()).paid;
    if (const std::optional<std::int64_t> limit = partTimerLimitExceeded(context_.dataYear, paid))
        context_.messages.warning(this, QString::fromStdString(partTimerPayWarning(paid, *limit)));
}

void RecordEditorBase::lookUpAddress() {
    try {
        const std::optional<std::string> address = completedAddress(
            context_.options, context_.dataFolder, person_->postalCode()->text().toStdString(),
            person_->address1()->text().toStdString());
        if (address) person_->address1()->setText(QString::fromStdString(*address));
    } catch (const std::exception& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
    }
}

bool RecordEditorBase::settleCountsWithDates() {
    if (!family_->countsContradictDates()) {
        family_->keepTypedCounts(false);
        return true;
    }
    switch (context_.messages.askYesNoCancel(this,
                                             q("扶養親族の人数が生年月日から求めた人数と違います。"
                                               "生年月日から求めた人数にしますか？"))) {
        case ui::Answer::Yes:
            family_->takeDerivedCounts();
            return true;
        case ui::Answer::No:
            family_->keepTypedCounts(true);
            return true;
        case ui::Answer::Cancel:
            break;
    }
    return false;
}

void RecordEditorBase::holdWithinLaw(QLineEdit* box) {
    const std::int32_t typed = EditBoxes::amountOf(box);
    LimitedAmount limited;
    if (box == amounts_->incomeEstimate()) {
        checkIncomeEstimate(box);
        return;
    }
    if (box == amounts_->lifeDeduction())
        limited = limitLifeInsuranceDeduction(typed, context_.dataYear);
    else if (box == amounts_->earthquakeDeduction())
        limited = limitEarthquakeDeduction(typed, context_.dataYear);
    if (!limited.changed) return;
    EditBoxes::setAmount(box, static_cast<std::int32_t>(limited.value));
    context_.messages.warning(this, QString::fromStdString(limited.message));
}

void RecordEditorBase::checkIncomeEstimate(QLineEdit* box) {
    if (!currentFormat_ || box->text().trimmed().isEmpty()) {
        estimateBefore_ = box->text();
        return;
    }
    WithholdingRecord shown = context_.file.record(slot_);
    storePanels(shown);
    const LimitedAmount limited = limitIncomeEstimate(
        EditBoxes::amountOf(box), leastIncomeEstimate(shown, context_.dataYear));
    if (!limited.changed) {
        estimateBefore_ = box->text();
        return;
    }
    context_.messages.warning(this, QString::fromStdString(limited.message));
    box->setText(estimateBefore_);
}

bool RecordEditorBase::run(const std::function<void()>& command) {
    return ui::runCommand(this, context_.messages, command);
}

void RecordEditorBase::done(int result) {
    // However the window closes (戻る, Escape, the title bar), it is stored first; a store
    // that fails keeps it open.
    bool stored = false;
    run([this, &stored] {
        if (!settleCountsWithDates()) return;
        store();
        stored = true;
    });
    if (stored) QDialog::done(result);
}

void RecordEditorBase::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageDown:
            run([this] { showPreviousEmployee(); });
            return;
        case Qt::Key_PageUp:
            run([this] { showNextEmployee(); });
            return;
        case Qt::Key_Down:
            focusNextChild();
            return;
        case Qt::Key_Up:
            focusPreviousChild();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

bool RecordEditorBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched == person_->postalCode() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) run([this] { lookUpAddress(); });
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace keiro::withholding
