#include "payroll/unit_price_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "payroll/config_widgets.h"

namespace keiro::payroll {
namespace {

constexpr int kHoursFormat = 52;
constexpr int kDayFormat = 20;

QString yen(std::int64_t amount) {
    return QLocale(QLocale::Japanese).toString(static_cast<qlonglong>(amount)) +
           QStringLiteral("円");
}

}  // namespace

UnitPriceDialog::UnitPriceDialog(QWidget* parent, const calc::UnitPriceBasis& basis,
                                 const RoundingSettings& rounding, const ui::EntrySettings& entry,
                                 ui::MessageService& messages)
    : QDialog(parent), basis_(basis), rounding_(rounding) {
    setObjectName(QStringLiteral("TfmTanka"));
    setWindowTitle(QStringLiteral("単価の計算"));
    auto* form = new QFormLayout;
    static const char* const kWageCaptions[] = {
        "基本給＋役職手当＋固定手当（家族手当・通勤費を除く）", "日給", "時給"};
    form->addRow(label(this, QString::fromUtf8(kWageCaptions[basis.payForm - 1])),
                 label(this, yen(basis.wage)));
    if (basis.payForm == 1) {
        hoursEntry_ =
            ui::NumericEntry::attach(numberLineEdit(this, QStringLiteral("edTankaJikan"), 70),
                                     kHoursFormat, true, entry, messages);
        hoursEntry_->setValue(basis.minutesPerMonth / 60.0);
        daysEntry_ =
            ui::NumericEntry::attach(numberLineEdit(this, QStringLiteral("edTankaNissu"), 40),
                                     kDayFormat, false, entry, messages);
        daysEntry_->setValue(basis.daysPerMonth);
        form->addRow(label(this, QStringLiteral("月平均所定労働時間")), hoursEntry_->edit());
        form->addRow(label(this, QStringLiteral("所定労働日数")), daysEntry_->edit());
        connect(hoursEntry_->edit(), &QLineEdit::textChanged, this, [this] { showPrices(); });
        connect(daysEntry_->edit(), &QLineEdit::textChanged, this, [this] { showPrices(); });
    } else if (basis.payForm == 2) {
        form->addRow(label(this, QStringLiteral("日労働時間数（設定）")),
                     label(this, QString::number(basis.minutesPerDay / 60.0, 'g', 4) +
                                     QStringLiteral("時間")));
    }
    pricesLabel_ = label(this, {});
    pricesLabel_->setObjectName(QStringLiteral("lbTanka"));
    pricesLabel_->setTextFormat(Qt::PlainText);

    auto* buttons = new QDialogButtonBox(this);
    okButton_ = buttons->addButton(QStringLiteral("単価に入れる"), QDialogButtonBox::AcceptRole);
    okButton_->setObjectName(QStringLiteral("btOK"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(pricesLabel_);
    layout->addWidget(label(this, QStringLiteral("時間外×1.25、深夜の時間外×1.50、休日×1.35、"
                                                 "休日の深夜×1.60。端数は端数処理の設定どおり。")));
    layout->addWidget(buttons);
    showPrices();
}

calc::UnitPriceBasis UnitPriceDialog::basisShown() const {
    calc::UnitPriceBasis basis = basis_;
    if (hoursEntry_ != nullptr) {
        basis.minutesPerMonth = calc::minutesOfHours(hoursEntry_->value());
        const double days = daysEntry_->value();
        basis.daysPerMonth =
            std::isfinite(days) && days > 0 && days < 32 ? static_cast<int>(days) : 0;
    }
    return basis;
}

double UnitPriceDialog::hoursPerMonth() const {
    return basisShown().minutesPerMonth / 60.0;
}

std::optional<calc::UnitPrices> UnitPriceDialog::ask() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return calc::suggestUnitPrices(basisShown(), rounding_);
}

void UnitPriceDialog::showPrices() {
    const std::optional<calc::UnitPrices> p = calc::suggestUnitPrices(basisShown(), rounding_);
    okButton_->setEnabled(p.has_value());
    if (!p) {
        pricesLabel_->setText(QStringLiteral("賃金と時間を入れると単価を計算します。"));
        return;
    }
    QString text = QStringLiteral("普通残業 %1　深夜残業 %2\n休日普通残業 %3　休日深夜残業 %4")
                       .arg(yen(p->overtime), yen(p->lateNight), yen(p->holidayOvertime),
                            yen(p->holidayLateNight));
    if (basis_.payForm == 1)
        text += QStringLiteral("\n欠勤控除 %1（1日）　遅早控除 %2（1時間）")
                    .arg(yen(p->absencePerDay), yen(p->latePerHour));
    pricesLabel_->setText(text);
}

}  // namespace keiro::payroll
