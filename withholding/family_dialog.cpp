#include "withholding/family_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/employee_master.h"
#include "core/text.h"
#include "withholding/dialog_boxes.h"
#include "withholding/family_dialog_furigana.h"
#include "withholding/model/entry_text.h"

namespace keiro::withholding {
namespace {

constexpr int kNameBytes = decltype(FamilyEntry::name)::kCapacity;
constexpr int kFuriganaBytes = decltype(FamilyEntry::furigana)::kCapacity;
constexpr int kBikouBytes = 16;

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

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

TfmFamily::TfmFamily(WithholdingRecord& record, const QString& employeeName,
                     ui::MessageService& messages, QWidget* parent)
    : QDialog(parent), record_(record), employeeName_(employeeName), messages_(messages) {
    setObjectName(QStringLiteral("TfmFamily"));
    setWindowTitle(QStringLiteral("配偶者／扶養親族"));
    buildControls();
    loadControls();
    rows_[0].name->setFocus();
}

int TfmFamily::rowSlot(FamilyRow row) {
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

FamilyRow TfmFamily::rowAt(int slot) {
    if (slot == 0) return {FamilyGroup::Spouse, 0};
    if (slot <= kFamilyRowsPerGroup) return {FamilyGroup::Dependant, slot - 1};
    return {FamilyGroup::Under16, slot - 1 - kFamilyRowsPerGroup};
}

TfmFamily::RowBoxes TfmFamily::makeRow(const QString& suffix) {
    RowBoxes boxes;
    boxes.name = textBox(QStringLiteral("edName_") + suffix, kNameBytes, kNameBytes, messages_);
    boxes.furigana =
        textBox(QStringLiteral("edFuri_") + suffix, kFuriganaBytes, kFuriganaBytes, messages_);
    boxes.number = digitBox(QStringLiteral("edNumb_") + suffix, kMyNumberDigits, messages_);
    boxes.nonResident = new QCheckBox(QStringLiteral("非居住者"));
    boxes.nonResident->setObjectName(QStringLiteral("cbHiKi_") + suffix);
    FuriganaFollower::attach(boxes.name, boxes.furigana, kFuriganaBytes);
    return boxes;
}

QWidget* TfmFamily::rowGroup(const QString& title, FamilyGroup group) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    grid->addWidget(heading(QStringLiteral("氏名")), 0, 1);
    grid->addWidget(heading(QStringLiteral("フリガナ")), 0, 2);
    grid->addWidget(heading(QStringLiteral("個人番号")), 0, 3);
    const int count = group == FamilyGroup::Spouse ? 1 : kFamilyRowsPerGroup;
    for (int i = 0; i < count; ++i) {
        const FamilyRow row{group, i};
        RowBoxes& boxes = rows_[static_cast<std::size_t>(rowSlot(row))];
        boxes = makeRow(rowSuffix(row));
        grid->addWidget(new QLabel(group == FamilyGroup::Spouse ? QString() : qs(rowMark(i))),
                        i + 1, 0);
        grid->addWidget(boxes.name, i + 1, 1);
        grid->addWidget(boxes.furigana, i + 1, 2);
        grid->addWidget(boxes.number, i + 1, 3);
        grid->addWidget(boxes.nonResident, i + 1, 4);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* TfmFamily::bikouGroup() {
    auto* box = new QGroupBox(QStringLiteral("備考（5人目以降の個人番号）"));
    auto* grid = new QGridLayout(box);
    const auto addLine = [&](int line, const QString& caption, const QString& prefix,
                             std::array<QLineEdit*, kBikouBoxes>& boxes) {
        grid->addWidget(new QLabel(caption), line, 0);
        for (int k = 0; k < kBikouBoxes; ++k) {
            QLineEdit* edit =
                textBox(prefix + QString::number(k + 1), kBikouBytes, kMyNumberDigits, messages_);
            maskWithStars(edit);
            boxes[static_cast<std::size_t>(k)] = edit;
            grid->addWidget(edit, line, k + 1);
        }
    };
    addLine(0, groupName(FamilyGroup::Dependant), QStringLiteral("edBikou1_"), bikouDependants_);
    addLine(1, groupName(FamilyGroup::Under16), QStringLiteral("edBikou2_"), bikouUnder16_);
    return box;
}

void TfmFamily::buildMenu(QMenuBar* bar) {
    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnEdit"));
    QMenu* move = edit->addMenu(QStringLiteral("データ移動(&M)"));
    move->setObjectName(QStringLiteral("mnMove"));
    for (int i = 0; i < kFamilyRowsPerGroup; ++i) {
        QAction* action = move->addAction(groupName(FamilyGroup::Under16) + qs(rowMark(i)) +
                                          QStringLiteral("を控除対象へ"));
        action->setObjectName(QStringLiteral("mnMove") + QString::number(i + 1));
        connect(action, &QAction::triggered, this, [this, i] { mnMoveU16_KouClick(i); });
    }
    QMenu* erase = edit->addMenu(QStringLiteral("データ削除(&E)"));
    erase->setObjectName(QStringLiteral("mnErase"));
    for (int slot = 0; slot < kRows; ++slot) {
        const FamilyRow row = rowAt(slot);
        QAction* action = erase->addAction(rowCaption(row));
        action->setObjectName(QStringLiteral("mnErase") + QString::number(slot));
        connect(action, &QAction::triggered, this, [this, row] { mnEraseClick(row); });
        if (slot == 0 || slot == kFamilyRowsPerGroup) erase->addSeparator();
    }
}

void TfmFamily::buildControls() {
    auto* simei = new QLabel(employeeName_);
    simei->setObjectName(QStringLiteral("pnSimei"));
    simei->setFrameShape(QFrame::Panel);
    simei->setFrameShadow(QFrame::Sunken);
    simei->setMinimumWidth(fontMetrics().horizontalAdvance(QString(20, QLatin1Char('0'))));
    cbHide_ = new QCheckBox(QStringLiteral("個人番号を隠す"));
    cbHide_->setObjectName(QStringLiteral("cbHide"));
    connect(cbHide_, &QCheckBox::toggled, this, &TfmFamily::cbHideClick);
    auto* close = new QPushButton(QStringLiteral("閉じる"));
    close->setObjectName(QStringLiteral("btClose"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &TfmFamily::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("氏名")));
    top->addWidget(simei);
    top->addStretch();
    top->addWidget(cbHide_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    buildMenu(bar);
    layout->setMenuBar(bar);
    layout->addLayout(top);
    layout->addWidget(rowGroup(groupName(FamilyGroup::Spouse), FamilyGroup::Spouse));
    layout->addWidget(rowGroup(groupName(FamilyGroup::Dependant), FamilyGroup::Dependant));
    layout->addWidget(rowGroup(groupName(FamilyGroup::Under16), FamilyGroup::Under16));
    layout->addWidget(bikouGroup());
    layout->addLayout(buttons);
}

void TfmFamily::loadControls() {
    for (int slot = 0; slot < kRows; ++slot) {
        const FamilyEntry& entry = familyEntry(record_, rowAt(slot));
        RowBoxes& boxes = rows_[static_cast<std::size_t>(slot)];
        boxes.name->setText(qs(entry.name.utf8()));
        boxes.furigana->setText(qs(entry.furigana.utf8()));
        boxes.number->setText(qs(formatMyNumber(entry.myNumber)));
        boxes.loadedNumber = boxes.number->text();
        boxes.nonResident->setChecked(entry.nonResident != 0);
    }
    for (std::size_t k = 0; k < kBikouBoxes; ++k) {
        bikouDependants_[k]->setText(qs(record_.moreDependantNumbers[k].utf8()));
        bikouUnder16_[k]->setText(qs(record_.moreUnder16Numbers[k].utf8()));
    }
}

bool TfmFamily::storeControls() {
    WithholdingRecord changed = record_;
    const auto text = [](const QLineEdit* box) { return box->text().toStdString(); };
    try {
        for (int slot = 0; slot < kRows; ++slot) {
            FamilyEntry& entry = familyEntry(changed, rowAt(slot));
            const RowBoxes& boxes = rows_[static_cast<std::size_t>(slot)];
            storeEntryText(entry.name, text(boxes.name));
            storeEntryText(entry.furigana, text(boxes.furigana));
            // A number left as loaded stays as stored (one out of range in a damaged file too).
            if (boxes.number->text() != boxes.loadedNumber) {
                entry.myNumber = parseMyNumber(text(boxes.number)).value_or(0);
            }
            entry.nonResident = boxes.nonResident->isChecked() ? 1 : 0;
        }
        for (std::size_t k = 0; k < kBikouBoxes; ++k) {
            storeEntryText(changed.moreDependantNumbers[k], text(bikouDependants_[k]));
            storeEntryText(changed.moreUnder16Numbers[k], text(bikouUnder16_[k]));
        }
    } catch (const text::EncodingError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        return false;
    }
    record_ = changed;
    return true;
}

void TfmFamily::done(int result) {
    if (!storeControls()) return;
    QDialog::done(result);
}

void TfmFamily::cbHideClick() {
    const QLineEdit::EchoMode mode = cbHide_->isChecked() ? QLineEdit::Password : QLineEdit::Normal;
    for (const RowBoxes& boxes : rows_) boxes.number->setEchoMode(mode);
    for (QLineEdit* box : bikouDependants_) box->setEchoMode(mode);
    for (QLineEdit* box : bikouUnder16_) box->setEchoMode(mode);
}

void TfmFamily::mnEraseClick(FamilyRow row) {
    if (!messages_.confirm(this, qs(eraseQuestion(row)))) return;
    if (!storeControls()) return;
    eraseFamilyRow(record_, row);
    loadControls();
}

void TfmFamily::mnMoveU16_KouClick(int under16Index) {
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
