#include "withholding/family_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/employee_master.h"
#include "core/text.h"
#include "widgets/command_runner.h"
#include "withholding/designated_relatives_panel.h"
#include "withholding/dialog_boxes.h"
#include "withholding/edit/edit_rules.h"
#include "withholding/edit/family_class.h"
#include "withholding/family_entry_boxes.h"
#include "withholding/family_more_panel.h"
#include "withholding/furigana_follower.h"
#include "withholding/model/entry_text.h"

namespace keiro::withholding {
namespace {

constexpr int kNameBytes = decltype(FamilyEntry::name)::kCapacity;
constexpr int kFuriganaBytes = decltype(FamilyEntry::furigana)::kCapacity;

QString groupName(FamilyGroup group) {
    switch (group) {
        case FamilyGroup::Spouse:
            return QStringLiteral("控除対象配偶者");
        case FamilyGroup::Dependant:
            return QStringLiteral("控除対象扶養親族");
        case FamilyGroup::Under16:
            break;
    }
    return QStringLiteral("16歳未満の扶養親族");
}

// The suffix of a row's control names: Hai, Ko1..Ko4, 161..164.
QString rowSuffix(FamilyRow row) {
    const QString number = QString::number(row.index + 1);
    switch (row.group) {
        case FamilyGroup::Spouse:
            return QStringLiteral("Hai");
        case FamilyGroup::Dependant:
            return QStringLiteral("Ko") + number;
        case FamilyGroup::Under16:
            break;
    }
    return QStringLiteral("16") + number;
}

QString rowCaption(FamilyRow row) {
    return row.group == FamilyGroup::Spouse ? groupName(row.group)
                                            : groupName(row.group) + qs(rowMark(row.index));
}

}  // namespace

FamilyDialog::FamilyDialog(WithholdingRecord& record, WithholdingSupplement& supplement,
                           int dataYear, const QString& employeeName, ui::MessageService& messages,
                           QWidget* parent)
    : QDialog(parent),
      record_(record),
      supplement_(supplement),
      dataYear_(dataYear),
      employeeName_(employeeName),
      messages_(messages) {
    setObjectName(QStringLiteral("TfmFamily"));
    setWindowTitle(QStringLiteral("配偶者／扶養親族"));
    buildControls();
    loadControls();
    fitScreen();
    rows_[0].name->setFocus();
}

void FamilyDialog::fitScreen() {
    // The scroll area would size itself small: open as large as the rows need, within the
    // screen's free area (on a small screen the rows then scroll).
    auto* scroll = static_cast<QScrollArea*>(pages_->widget(0));
    QSize size = sizeHint();
    const QSize rows = scroll->widget()->sizeHint();
    const QSize shown = scroll->sizeHint();
    size += QSize(
        std::max(0, rows.width() - shown.width()) + scroll->verticalScrollBar()->sizeHint().width(),
        std::max(0, rows.height() - shown.height()));
    const QScreen* on = parentWidget() != nullptr ? parentWidget()->screen() : screen();
    if (on != nullptr) {
        const QRect free = on->availableGeometry();
        const int frame = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 16;
        size = size.boundedTo(QSize(free.width() - 16, free.height() - frame));
    }
    resize(size);
}

int FamilyDialog::rowSlot(FamilyRow row) {
    switch (row.group) {
        case FamilyGroup::Spouse:
            return 0;
        case FamilyGroup::Dependant:
            return 1 + row.index;
        case FamilyGroup::Under16:
            break;
    }
    return 1 + kFamilyRowsPerGroup + row.index;
}

FamilyRow FamilyDialog::rowAt(int slot) {
    if (slot == 0) return {FamilyGroup::Spouse, 0};
    if (slot <= kFamilyRowsPerGroup) return {FamilyGroup::Dependant, slot - 1};
    return {FamilyGroup::Under16, slot - 1 - kFamilyRowsPerGroup};
}

FamilyDialog::RowBoxes FamilyDialog::makeRow(FamilyRow row) {
    const QString suffix = rowSuffix(row);
    const bool spouse = row.group == FamilyGroup::Spouse;
    RowBoxes boxes;
    boxes.name = textBox(QStringLiteral("edName_") + suffix, kNameBytes, kNameBytes, messages_);
    boxes.furigana =
        textBox(QStringLiteral("edFuri_") + suffix, kFuriganaBytes, kFuriganaBytes, messages_);
    boxes.birth = new BirthDateBox(QStringLiteral("edBirth_") + suffix, dataYear_, messages_);
    boxes.ageClass = ageClassLabel(QStringLiteral("lbKubun_") + suffix);
    boxes.relationship = relationshipCombo(QStringLiteral("cbZokugara_") + suffix, spouse);
    boxes.number = digitBox(QStringLiteral("edNumb_") + suffix, kMyNumberDigits, messages_);
    boxes.nonResident = new QCheckBox(QStringLiteral("非居住者"));
    boxes.nonResident->setObjectName(QStringLiteral("cbHiKi_") + suffix);
    FuriganaFollower::attach(boxes.name, boxes.furigana, kFuriganaBytes);
    const int slot = rowSlot(row);
    connect(boxes.birth, &BirthDateBox::dateLeft, this,
            [this, slot](const CalendarDateBytes& date) { showAgeClass(slot, date); });
    if (!spouse) {
        QComboBox* reason = nonResidentReasonCombo(QStringLiteral("cbHiKiRiyu_") + suffix);
        reason->setEnabled(false);
        connect(boxes.nonResident, &QCheckBox::toggled, reason, [reason](bool checked) {
            reason->setEnabled(checked);
            if (!checked) setComboValue(reason, kNonResidentNotStated);
        });
        boxes.nonResidentReason = reason;
    }
    return boxes;
}

void FamilyDialog::showAgeClass(int slot, const CalendarDateBytes& birth) {
    const FamilyRole role =
        rowAt(slot).group == FamilyGroup::Spouse ? FamilyRole::Spouse : FamilyRole::Dependant;
    rows_[static_cast<std::size_t>(slot)].ageClass->setText(
        qs(familyClassText(birth, dataYear_, role)));
}

QWidget* FamilyDialog::rowGroup(const QString& title, FamilyGroup group) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    grid->addWidget(columnHeading(QStringLiteral("氏名")), 0, 1);
    grid->addWidget(columnHeading(QStringLiteral("フリガナ")), 0, 2);
    grid->addWidget(columnHeading(QStringLiteral("生年月日")), 0, 3);
    grid->addWidget(columnHeading(QStringLiteral("12月31日現在")), 0, 4);
    grid->addWidget(columnHeading(QStringLiteral("続柄")), 0, 5);
    grid->addWidget(columnHeading(QStringLiteral("個人番号")), 0, 6);
    const int count = group == FamilyGroup::Spouse ? 1 : kFamilyRowsPerGroup;
    for (int i = 0; i < count; ++i) {
        const FamilyRow row{group, i};
        RowBoxes& boxes = rows_[static_cast<std::size_t>(rowSlot(row))];
        boxes = makeRow(row);
        const int line = i + 1;
        grid->addWidget(new QLabel(group == FamilyGroup::Spouse ? QString() : qs(rowMark(i))), line,
                        0);
        grid->addWidget(boxes.name, line, 1);
        grid->addWidget(boxes.furigana, line, 2);
        grid->addWidget(boxes.birth->edit(), line, 3);
        grid->addWidget(boxes.ageClass, line, 4);
        grid->addWidget(boxes.relationship, line, 5);
        grid->addWidget(boxes.number, line, 6);
        grid->addWidget(boxes.nonResident, line, 7);
        if (boxes.nonResidentReason != nullptr) grid->addWidget(boxes.nonResidentReason, line, 8);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* FamilyDialog::familyPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(rowGroup(groupName(FamilyGroup::Spouse), FamilyGroup::Spouse));
    layout->addWidget(rowGroup(groupName(FamilyGroup::Dependant), FamilyGroup::Dependant));
    layout->addWidget(rowGroup(groupName(FamilyGroup::Under16), FamilyGroup::Under16));
    layout->addStretch();
    // A small screen scrolls rather than cutting rows off.
    auto* scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

void FamilyDialog::buildMenu(QMenuBar* bar) {
    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnEdit"));
    QMenu* move = edit->addMenu(QStringLiteral("データ移動(&M)"));
    move->setObjectName(QStringLiteral("mnMove"));
    for (int i = 0; i < kFamilyRowsPerGroup; ++i) {
        QAction* action = move->addAction(groupName(FamilyGroup::Under16) + qs(rowMark(i)) +
                                          QStringLiteral("を控除対象へ"));
        action->setObjectName(QStringLiteral("mnMove") + QString::number(i + 1));
        connect(action, &QAction::triggered, this,
                [this, i] { run([this, i] { moveUnder16Row(i); }); });
    }
    QMenu* erase = edit->addMenu(QStringLiteral("データ削除(&E)"));
    erase->setObjectName(QStringLiteral("mnErase"));
    for (int slot = 0; slot < kRows; ++slot) {
        const FamilyRow row = rowAt(slot);
        QAction* action = erase->addAction(rowCaption(row));
        action->setObjectName(QStringLiteral("mnErase") + QString::number(slot));
        connect(action, &QAction::triggered, this,
                [this, row] { run([this, row] { eraseRow(row); }); });
        if (slot == 0 || slot == kFamilyRowsPerGroup) erase->addSeparator();
    }
}

void FamilyDialog::buildControls() {
    auto* nameLabel = new QLabel(employeeName_);
    nameLabel->setObjectName(QStringLiteral("pnSimei"));
    nameLabel->setFrameShape(QFrame::Panel);
    nameLabel->setFrameShadow(QFrame::Sunken);
    nameLabel->setMinimumWidth(fontMetrics().horizontalAdvance(QString(20, QLatin1Char('0'))));
    hideNumbersCheck_ = new QCheckBox(QStringLiteral("個人番号を隠す"));
    hideNumbersCheck_->setObjectName(QStringLiteral("cbHide"));
    connect(hideNumbersCheck_, &QCheckBox::toggled, this,
            [this] { run([this] { applyNumberMasking(); }); });
    auto* close = new QPushButton(QStringLiteral("閉じる"));
    close->setObjectName(QStringLiteral("btClose"));
    close->setAutoDefault(false);
    // Closing stores the boxes (done), which runs under the command runner itself.
    connect(close, &QPushButton::clicked, this, &FamilyDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("氏名")));
    top->addWidget(nameLabel);
    top->addStretch();
    top->addWidget(hideNumbersCheck_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("pcFamily"));
    pages_->addTab(familyPage(), QStringLiteral("配偶者・扶養親族"));
    morePages_.push_back(new FamilyMorePanel(dataYear_, messages_));
    pages_->addTab(morePages_.back(), QStringLiteral("5人目以降"));
    if (laterInputsOf(dataYear_).specificRelatives) {
        morePages_.push_back(new DesignatedRelativesPanel(dataYear_, messages_));
        pages_->addTab(morePages_.back(), QStringLiteral("特定親族"));
    }

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    buildMenu(bar);
    layout->setMenuBar(bar);
    layout->addLayout(top);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
}

void FamilyDialog::loadControls() {
    for (int slot = 0; slot < kRows; ++slot) {
        const FamilyEntry& entry = familyEntry(record_, rowAt(slot));
        RowBoxes& boxes = rows_[static_cast<std::size_t>(slot)];
        boxes.name->setText(qs(entry.name.utf8()));
        boxes.furigana->setText(qs(entry.furigana.utf8()));
        boxes.birth->setDate(entry.birth);
        showAgeClass(slot, entry.birth);
        setComboValue(boxes.relationship, entry.relationship);
        boxes.number->setText(qs(formatMyNumber(entry.myNumber)));
        boxes.loadedNumber = boxes.number->text();
        boxes.nonResident->setChecked(entry.nonResident != 0);
        if (boxes.nonResidentReason != nullptr) {
            boxes.nonResidentReason->setEnabled(entry.nonResident != 0);
            setComboValue(boxes.nonResidentReason, entry.nonResidentReason);
        }
    }
    for (FamilyPage* page : morePages_) page->load(record_, supplement_);
}

bool FamilyDialog::storeRows(WithholdingRecord& record) {
    const auto text = [](const QLineEdit* box) { return box->text().toStdString(); };
    for (int slot = 0; slot < kRows; ++slot) {
        FamilyEntry& entry = familyEntry(record, rowAt(slot));
        const RowBoxes& boxes = rows_[static_cast<std::size_t>(slot)];
        if (!boxes.birth->read(entry.birth)) return false;
        storeEntryText(entry.name, text(boxes.name));
        storeEntryText(entry.furigana, text(boxes.furigana));
        entry.relationship = comboValue(boxes.relationship);
        // A number left as loaded stays as stored (one out of range in a damaged file too).
        if (!acceptMyNumber(boxes.number, boxes.loadedNumber, messages_)) return false;
        if (boxes.number->text() != boxes.loadedNumber) {
            entry.myNumber = parseMyNumber(text(boxes.number)).value_or(0);
        }
        entry.nonResident = boxes.nonResident->isChecked() ? 1 : 0;
        // Only a non-resident dependant has a reason to count.
        entry.nonResidentReason = boxes.nonResidentReason != nullptr && entry.nonResident != 0
                                      ? comboValue(boxes.nonResidentReason)
                                      : std::uint8_t{kNonResidentNotStated};
    }
    return true;
}

bool FamilyDialog::storeControls() {
    WithholdingRecord record = record_;
    WithholdingSupplement supplement = supplement_;
    try {
        if (!storeRows(record)) {
            pages_->setCurrentIndex(0);
            return false;
        }
        for (FamilyPage* page : morePages_) {
            if (!page->store(record, supplement)) {
                pages_->setCurrentWidget(page);
                return false;
            }
        }
    } catch (const text::EncodingError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        return false;
    }
    record_ = record;
    supplement_ = supplement;
    return true;
}

bool FamilyDialog::run(const std::function<void()>& command) {
    return ui::runCommand(this, messages_, command);
}

void FamilyDialog::done(int result) {
    bool stored = false;
    run([this, &stored] { stored = storeControls(); });
    if (stored) QDialog::done(result);
}

void FamilyDialog::applyNumberMasking() {
    const QLineEdit::EchoMode mode =
        hideNumbersCheck_->isChecked() ? QLineEdit::Password : QLineEdit::Normal;
    for (const RowBoxes& boxes : rows_) boxes.number->setEchoMode(mode);
    for (const FamilyPage* page : morePages_) {
        for (QLineEdit* box : page->numberBoxes()) box->setEchoMode(mode);
    }
}

void FamilyDialog::eraseRow(FamilyRow row) {
    if (!messages_.confirm(this, qs(eraseQuestion(row)))) return;
    if (!storeControls()) return;
    eraseFamilyRow(record_, row);
    loadControls();
}

void FamilyDialog::moveUnder16Row(int under16Index) {
    if (!storeControls()) return;
    if (!firstFreeDependantRow(record_)) {
        messages_.warning(this, qs(kMsgNoFreeDependantRow));
        return;
    }
    if (!messages_.confirm(this, qs(moveQuestion(under16Index)))) return;
    moveUnder16ToDependants(record_, under16Index);
    loadControls();
}

}  // namespace keiro::withholding
