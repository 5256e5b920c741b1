#include "withholding/family_entry_boxes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <initializer_list>
#include <utility>

#include "widgets/message_service.h"
#include "withholding/dialog_boxes.h"
#include "withholding/edit/family_birth.h"

namespace keiro::withholding {
namespace {

constexpr int kBirthBoxBytes = 16;  // "昭和60年12月31日" with room to spare
constexpr int kBirthBoxShown = 10;

void addChoices(QComboBox* combo,
                std::initializer_list<std::pair<std::uint8_t, const char*>> choices) {
    combo->addItem(QString(), 0);
    for (const auto& [value, text] : choices) {
        combo->addItem(QString::fromUtf8(text), static_cast<int>(value));
    }
}

}  // namespace

BirthDateBox::BirthDateBox(const QString& name, int dataYear, ui::MessageService& messages)
    : edit_(textBox(name, kBirthBoxBytes, kBirthBoxShown, messages)),
      dataYear_(dataYear),
      messages_(messages) {
    setParent(edit_);
    edit_->setPlaceholderText(QStringLiteral("S60.4.1"));
    edit_->setToolTip(QStringLiteral("生年月日: 1985-04-01 または S60.4.1（M T S H R）"));
    connect(edit_, &QLineEdit::editingFinished, this, &BirthDateBox::left);
}

void BirthDateBox::setDate(const CalendarDateBytes& date) {
    edit_->setText(qs(formatBirthDate(date)));
    loadedText_ = edit_->text();
    loaded_ = date;
}

bool BirthDateBox::read(CalendarDateBytes& date) {
    if (edit_->text() == loadedText_) {
        date = loaded_;  // left as loaded: stored as it was (a damaged file's date too)
        return true;
    }
    const ParsedBirth parsed = parseBirthDate(edit_->text().toStdString(), dataYear_);
    if (!parsed.ok()) {
        if (!checking_) {
            checking_ = true;  // the message box takes the focus: no second message
            messages_.error(edit_->window(), qs(parsed.error));
            checking_ = false;
        }
        QTimer::singleShot(0, edit_, [box = edit_] {
            box->setFocus();
            box->selectAll();
        });
        return false;
    }
    date = parsed.date.value_or(CalendarDateBytes{});
    return true;
}

void BirthDateBox::left() {
    if (checking_) return;
    CalendarDateBytes date{};
    if (!read(date)) return;
    setDate(date);
    emit dateLeft(date);
}

QLabel* columnHeading(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* ageClassLabel(const QString& name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setMinimumWidth(
        label->fontMetrics().horizontalAdvance(QStringLiteral("99歳 一般（16〜18歳）")));
    return label;
}

QComboBox* relationshipCombo(const QString& name, bool spouse) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    if (spouse) {
        addChoices(combo, {{kRelationHusband, "夫"}, {kRelationWife, "妻"}});
    } else {
        addChoices(combo, {{kRelationChild, "子"},
                           {kRelationParent, "父母"},
                           {kRelationSpouseParent, "配偶者の父母"},
                           {kRelationGrandparent, "祖父母"},
                           {kRelationGrandchild, "孫"},
                           {kRelationSibling, "兄弟姉妹"},
                           {kRelationOther, "その他の親族"},
                           {kRelationFosterChild, "里子"}});
    }
    return combo;
}

QComboBox* nonResidentReasonCombo(const QString& name) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setToolTip(QStringLiteral("30歳以上70歳未満の非居住者が扶養親族となる理由"));
    addChoices(combo, {{kNonResidentStudent, "留学"},
                       {kNonResidentDisabled, "障害者"},
                       {kNonResidentSupported, "38万円以上の送金"},
                       {kNonResidentNoReason, "該当なし"}});
    return combo;
}

std::uint8_t comboValue(const QComboBox* combo) {
    return static_cast<std::uint8_t>(combo->currentData().toInt());
}

void setComboValue(QComboBox* combo, std::uint8_t value) {
    const int index = combo->findData(static_cast<int>(value));
    combo->setCurrentIndex(index < 0 ? 0 : index);
}

}  // namespace keiro::withholding
