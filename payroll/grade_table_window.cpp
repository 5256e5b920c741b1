#include "payroll/grade_table_window.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "core/entry.h"
#include "widgets/command_runner.h"
#include "widgets/fixed_font.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

namespace {

const QString kQuestion = QStringLiteral(
    "健康保険等級表から健康･介護･厚生年金保険料と\n厚生年金基金の掛け金をセットします。");

}  // namespace

GradeTableWindow::GradeTableWindow(QWidget* parent, ui::MessageService& messages,
                                   const calc::HealthGradeTable& table)
    : QDialog(parent), table_(&table), list_(new QListWidget(this)), label_(new QLabel(this)) {
    setObjectName(QStringLiteral("TfmKenhoHyo"));
    setWindowTitle(QStringLiteral("健康保険等級表"));

    // The amounts are padded to fixed widths, so the columns line up in a fixed-pitch font.
    const QFont fixed = ui::fixedPitchFont();
    list_->setObjectName(QStringLiteral("lbKenhoHyo"));
    list_->setFont(fixed);
    const QString widest = QStringLiteral("%1円以上 %1円未満  %1円").arg(QString(9, u'0'));
    list_->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(widest) + 40);
    list_->setMinimumHeight(360);
    label_->setObjectName(QStringLiteral("lbTokyu"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btOK"));
    ok->setDefault(true);  // Enter in the list
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("btCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(label_);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    // The columns' names over the list, in its font and widths.
    auto* heading = new QLabel(QStringLiteral("%1%2%3")
                                   .arg(QStringLiteral("報酬月額(以上)"), -15)
                                   .arg(QStringLiteral("報酬月額(未満)"), -15)
                                   .arg(QStringLiteral("標準報酬月額")),
                               this);
    heading->setObjectName(QStringLiteral("lbHeading"));
    heading->setFont(fixed);
    heading->setIndent(QFontMetrics(fixed).horizontalAdvance(QStringLiteral("  ")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, [this] { showSelectedGrade(); });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this, &messages] { ui::runCommand(this, messages, [this] { acceptGrade(); }); });
    ui::connectCommand(ok, this, messages, &GradeTableWindow::acceptGrade);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void GradeTableWindow::useTable(const calc::HealthGradeTable& table) {
    if (&table == table_) return;
    table_ = &table;
    list_->clear();
    filled_ = false;
}

std::optional<int> GradeTableWindow::choose(int storedGrade) {
    prepare(storedGrade);
    return exec() == QDialog::Accepted ? chosen_ : std::nullopt;
}

void GradeTableWindow::prepare(int storedGrade) {
    chosen_.reset();
    if (!filled_) {
        for (const std::string& line : table_->listLines()) {
            list_->addItem(QString::fromStdString(line));
        }
        filled_ = true;
        adjustSize();
        if (QWidget* editor = parentWidget()) {
            QRect frame(QPoint(), size());
            frame.moveCenter(editor->window()->geometry().center());
            move(frame.topLeft());
        }
    }
    const int grade = table_->selectableGrade(storedGrade);
    list_->setCurrentRow(grade - 1);
    list_->scrollToItem(list_->currentItem(), QAbstractItemView::PositionAtCenter);
    showSelectedGrade();
}

int GradeTableWindow::selectedGrade() const {
    return list_->currentRow() + 1;
}

void GradeTableWindow::showSelectedGrade() {
    const int grade = selectedGrade();
    label_->setText(table_->hasGrade(grade)
                        ? QString::fromStdString(calc::selectedGradeLabel(grade))
                        : QString());
}

void GradeTableWindow::acceptGrade() {
    const int grade = selectedGrade();
    if (!table_->hasGrade(grade)) return;
    chosen_ = grade;
    accept();
}

// --- 等級表から入力 ---------------------------------------------------------------------------

GradePremiumSetter::GradePremiumSetter(ui::MessageService& messages,
                                       const calc::HealthGradeTable& table, Chooser chooser)
    : messages_(messages), table_(&table), chooser_(std::move(chooser)) {}

GradePremiumSetter::GradePremiumSetter(ui::MessageService& messages, GradeTableWindow& window,
                                       const calc::HealthGradeTable& table)
    : GradePremiumSetter(messages, table,
                         [&window](int storedGrade) { return window.choose(storedGrade); }) {}

std::optional<GradePremiumSetter::Result> GradePremiumSetter::setFromGrade(
    QWidget* parent, int storedGrade, const PeriodSettings& rates, std::int32_t remuneration) {
    if (!confirmed_) {
        if (!messages_.confirm(parent, kQuestion)) return std::nullopt;
        confirmed_ = true;
    }
    const std::optional<int> grade =
        chooser_(remuneration > 0 ? table_->gradeOf(remuneration) : storedGrade);
    if (!grade || !table_->hasGrade(*grade)) return std::nullopt;
    return Result{*grade, calc::SetPremiumsFromGrade(*table_, *grade, rates)};
}

QString GradePremiumSetter::describeGrade(int grade) const {
    if (!table_->hasGrade(grade)) return {};
    return QStringLiteral("%1等級　標準報酬月額 %2円")
        .arg(grade)
        .arg(QString::fromStdString(formatAmount(0, table_->standard(grade))));
}

}  // namespace keiro::payroll
