#include "payroll/data_selection_window.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include "core/backup.h"
#include "core/entry.h"
#include "core/fileio.h"
#include "core/product.h"
#include "payroll/copy_source_window.h"
#include "payroll/year_creation_dialog.h"
#include "widgets/command_runner.h"
#include "widgets/entry_behaviour.h"
#include "widgets/message_service.h"

namespace keiro::payroll {
namespace {

const QColor kSavedColour(0, 0, 255);
const QColor kUnsavedColour(192, 192, 192);
constexpr int kSavedRole = Qt::UserRole + 1;

const QString kFirstStartInfo =
    QStringLiteral("入力する給与または賞与を選択し､必要な情報を入力して下さい。");
const QString kDeleteQuestion = QStringLiteral("選択されている給与/賞与のデータを削除しますか？");
const QString kUncalculatedInfo =
    QStringLiteral("平成24年以前のデータは給与/賞与の計算を行いません。");

QString title() {
    return QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size());
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// "１月分給与" … "12月分給与", "夏期賞与", "冬期賞与", then the extra bonus caption.
QString periodCaption(int period, const ItemNames& names) {
    static const QString kFullWidthDigits = QStringLiteral("０１２３４５６７８９");
    if (period <= 9) return kFullWidthDigits.mid(period, 1) + QStringLiteral("月分給与");
    if (period <= 12) return QString::number(period) + QStringLiteral("月分給与");
    if (period == 13) return QStringLiteral("夏期賞与");
    if (period == 14) return QStringLiteral("冬期賞与");
    return qs(names.extraBonusCaption);
}

// Saved periods in blue, never-saved ones in silver; the selected one white on its colour.
class PeriodColourDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QColor colour = index.data(kSavedRole).toBool() ? kSavedColour : kUnsavedColour;
        if (opt.state & QStyle::State_Selected) {
            opt.palette.setColor(QPalette::Highlight, colour);
            opt.palette.setColor(QPalette::HighlightedText, Qt::white);
        } else {
            opt.palette.setColor(QPalette::Text, colour);
        }
        QStyledItemDelegate::paint(painter, opt, index);
    }
};

}  // namespace

DataSelectionWindow::DataSelectionWindow(QWidget* parent, SelectionContext context, YearData& year)
    : QDialog(parent), context_(std::move(context)), year_(year) {
    setObjectName("TfmSelData");
    setWindowTitle(QStringLiteral("給与対象月/賞与時期の選択"));
    copySourceWindow_ = new CopySourceWindow(this, context_.messages);
    buildWindow();
}

void DataSelectionWindow::buildWindow() {
    auto* menu = new QMenuBar(this);
    QMenu* data = menu->addMenu(QStringLiteral("データの管理(&D)"));
    // Each file operation runs through the command runner, like the buttons.
    const auto command = [this](void (DataSelectionWindow::*handler)()) {
        return [this, handler] {
            ui::runCommand(this, context_.messages, [this, handler] { (this->*handler)(); });
        };
    };
    data->addAction(QStringLiteral("バックアップ(&B)..."), this,
                    command(&DataSelectionWindow::backUpDataFolder))
        ->setObjectName("mnDataBackup");
    data->addAction(QStringLiteral("復元(&R)..."), this,
                    command(&DataSelectionWindow::restoreDataFolder))
        ->setObjectName("mnDataRestore");
    data->addSeparator();
    data->addAction(QStringLiteral("データファイルの作成(&N)..."), this,
                    command(&DataSelectionWindow::createYearFile))
        ->setObjectName("mnCreate");

    yearCombo_ = new QComboBox(this);
    yearCombo_->setObjectName("cbTaisyoNen");
    connect(yearCombo_, &QComboBox::activated, this, [this](int index) {
        ui::runCommand(this, context_.messages, [this, index] { chooseYear(index); });
    });

    periodList_ = new QListWidget(this);
    periodList_->setObjectName("ListBox");
    periodList_->setItemDelegate(new PeriodColourDelegate(periodList_));
    for (int k = 1; k <= kPeriodCount; ++k) periodList_->addItem(QString());
    connect(periodList_, &QListWidget::currentRowChanged, this,
            &DataSelectionWindow::showPeriodDetails);
    connect(periodList_, &QListWidget::itemDoubleClicked, this,
            &DataSelectionWindow::openSelectedPeriod);
    periodList_->installEventFilter(this);

    const ui::EntrySettings entry{context_.settings.autoSelect, context_.settings.overwriteInput,
                                  context_.settings.timeStyle};
    const auto numberBox = [&](const char* name, int code, bool hours) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        ui::NumericEntry::attach(edit, code, hours, entry, context_.messages);
        return edit;
    };
    scheduledDaysEdit_ = numberBox("edNissu", 20, false);
    scheduledHoursEdit_ = numberBox("edJikan", 62, true);
    bonusPayMonthEdit_ = numberBox("edSikyuM", 20, false);
    bonusPayDayEdit_ = numberBox("edSikyuD", 20, false);
    scheduledHoursEdit_->installEventFilter(this);
    scheduledDaysLabel_ = new QLabel(this);
    scheduledHoursLabel_ = new QLabel(this);

    salaryGroup_ = new QGroupBox(QStringLiteral("給　与"), this);
    auto* salaryLayout = new QGridLayout(salaryGroup_);
    salaryLayout->addWidget(scheduledDaysLabel_, 0, 0);
    salaryLayout->addWidget(scheduledDaysEdit_, 0, 1);
    salaryLayout->addWidget(scheduledHoursLabel_, 1, 0);
    salaryLayout->addWidget(scheduledHoursEdit_, 1, 1);
    bonusGroup_ = new QGroupBox(QStringLiteral("賞　与"), this);
    auto* bonusLayout = new QGridLayout(bonusGroup_);
    bonusLayout->addWidget(new QLabel(QStringLiteral("支給月"), bonusGroup_), 0, 0);
    bonusLayout->addWidget(bonusPayMonthEdit_, 0, 1);
    bonusLayout->addWidget(new QLabel(QStringLiteral("支給日"), bonusGroup_), 1, 0);
    bonusLayout->addWidget(bonusPayDayEdit_, 1, 1);

    auto* okButton = new QPushButton(QStringLiteral("ＯＫ"), this);
    okButton->setObjectName("bbOk");
    okButton->setDefault(true);
    ui::connectCommand(okButton, this, context_.messages, &DataSelectionWindow::openSelectedPeriod);
    auto* cancelButton = new QPushButton(QStringLiteral("終了"), this);
    cancelButton->setObjectName("bbCancel");
    connect(cancelButton, &QPushButton::clicked, this, &DataSelectionWindow::reject);

    auto* grid = new QGridLayout(this);
    grid->setMenuBar(menu);
    grid->addWidget(new QLabel(QStringLiteral("対象年の選択"), this), 0, 0);
    grid->addWidget(yearCombo_, 0, 1);
    grid->addWidget(periodList_, 1, 0, 3, 1);
    grid->addWidget(salaryGroup_, 1, 1);
    grid->addWidget(bonusGroup_, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 4, 0, 1, 2);
    resize(460, 420);
}

DataSelectionWindow::Outcome DataSelectionWindow::choose() {
    outcome_ = Outcome::Quit;
    startedEmpty_ = false;
    prepare();
    exec();
    return outcome_;
}

void DataSelectionWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!infoShown_ && context_.settings.defaultHoursPerDay == 0) {
        infoShown_ = true;
        QTimer::singleShot(0, this,
                           [this] { context_.messages.information(this, kFirstStartInfo); });
    }
}

bool DataSelectionWindow::eventFilter(QObject* watched, QEvent* event) {
    // The Delete key on a saved period deletes it.
    if (watched == periodList_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteSelectedPeriod();
        return true;
    }
    // Entering the hours box while it holds 0 proposes days × the default daily hours.
    if (watched == scheduledHoursEdit_ && event->type() == QEvent::FocusIn &&
        parseNumber(scheduledHoursEdit_->text().toStdString()).value == 0) {
        const double hours = parseNumber(scheduledDaysEdit_->text().toStdString()).value *
                             context_.settings.defaultHoursPerDay;
        scheduledHoursEdit_->setText(
            QString::fromStdString(formatHours(hours, context_.settings.timeStyle)).trimmed());
    }
    return QDialog::eventFilter(watched, event);
}

void DataSelectionWindow::prepare() {
    const ItemNames& names = context_.settings.itemNames;
    years_ = findYearFiles(context_.places.dataFolder, context_.eraNames);
    yearCombo_->clear();
    int current = static_cast<int>(years_.size()) - 1;
    for (std::size_t i = 0; i < years_.size(); ++i) {
        yearCombo_->addItem(qs(years_[i].text));
        if (years_[i].path == year_.path()) current = static_cast<int>(i);
    }
    if (current >= 0) {
        yearCombo_->setCurrentIndex(current);
        if (years_[static_cast<std::size_t>(current)].path != year_.path()) {
            const YearFileEntry& entry = years_[static_cast<std::size_t>(current)];
            year_.setFile(entry.path, entry.year.eraName, entry.year.eraYear, context_.eraNames);
        }
    }
    for (int k = 1; k <= kPeriodCount; ++k)
        periodList_->item(k - 1)->setText(periodCaption(k, names));
    header_ = YearFileHeader{};
    try {
        if (!year_.path().empty()) header_ = readYearFileHeader(year_.path());
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
    }
    refreshPeriodColours();
    const int period = year_.period() != 0 ? year_.period() : QDate::currentDate().month();
    periodList_->setCurrentRow(period - 1);
    showPeriodDetails();
}

void DataSelectionWindow::refreshPeriodColours() {
    for (int k = 1; k <= kPeriodCount; ++k) {
        periodList_->item(k - 1)->setData(kSavedRole, header_.isSaved(k));
    }
    periodList_->viewport()->update();
}

int DataSelectionWindow::selectedPeriod() const {
    return periodList_->currentRow() + 1;
}

void DataSelectionWindow::showPeriodDetails() {
    const int period = selectedPeriod();
    if (period < 1 || year_.path().empty()) return;
    const bool bonus = isBonusPeriod(period);
    salaryGroup_->setEnabled(!bonus);
    bonusGroup_->setEnabled(bonus);
    const ItemNames& names = context_.settings.itemNames;
    const int month = bonus ? QDate::currentDate().month() : period;
    scheduledDaysLabel_->setText(QString::number(month) + QStringLiteral("月分･") + qs(names[0]));
    scheduledHoursLabel_->setText(QString::number(month) + QStringLiteral("月分･") + qs(names[6]));
    const QDate today = QDate::currentDate();
    bonusPayMonthEdit_->setText(QString::asprintf("%2d", today.month()));
    bonusPayDayEdit_->setText(QString::asprintf("%2d", today.day()));
    if (bonus) {
        const int b = period - kFirstBonusPeriod;
        if (header_.bonusPayMonth[b] != 0) {
            bonusPayMonthEdit_->setText(QString::asprintf("%2d", header_.bonusPayMonth[b]));
            bonusPayDayEdit_->setText(QString::asprintf("%2d", header_.bonusPayDay[b]));
        }
    } else {
        PeriodSettings stored{};
        try {
            stored = readPeriodBlock(year_.path(), period)->settings;
        } catch (const IoError&) {
            // already reported when the header could not be read; the boxes show 0
        }
        scheduledDaysEdit_->setText(QString::asprintf("%2d", stored.scheduledDays));
        scheduledHoursEdit_->setText(
            QString::fromStdString(formatHours(stored.scheduledHours, context_.settings.timeStyle))
                .trimmed());
    }
}

void DataSelectionWindow::chooseYear(int index) {
    if (index < 0 || index >= static_cast<int>(years_.size())) return;
    selectYearFile(years_[static_cast<std::size_t>(index)].path);
}

void DataSelectionWindow::selectYearFile(const std::filesystem::path& path) {
    for (const YearFileEntry& entry : years_) {
        if (entry.path == path) {
            year_.setFile(entry.path, entry.year.eraName, entry.year.eraYear, context_.eraNames);
        }
    }
    prepare();
}

void DataSelectionWindow::openSelectedPeriod() {
    const int period = selectedPeriod();
    if (period < 1 || year_.path().empty()) return;
    PeriodEntry entry;
    if (isBonusPeriod(period)) {
        entry.bonusPayMonth = bonusPayMonthEdit_->text().trimmed().toInt();
        entry.bonusPayDay = bonusPayDayEdit_->text().trimmed().toInt();
        const std::string_view error = bonusPayDateError(
            FileYear{year_.eraName() != context_.eraNames.earlier, year_.eraYear()},
            entry.bonusPayMonth, entry.bonusPayDay);
        if (!error.empty()) {
            context_.messages.error(this, QString::fromUtf8(error.data(), error.size()));
            (error == kMsgBadBonusPayMonth ? bonusPayMonthEdit_ : bonusPayDayEdit_)->setFocus();
            return;
        }
    } else {
        entry.scheduledDays = scheduledDaysEdit_->text().trimmed().toInt();
        entry.scheduledHours = parseNumber(scheduledHoursEdit_->text().toStdString()).value;
        if (entry.scheduledDays == 0 || entry.scheduledHours == 0) {
            context_.messages.error(this, qs(context_.settings.itemNames[0]) +
                                              QStringLiteral("と時間を入力して下さい。"));
            scheduledDaysEdit_->setFocus();
            return;
        }
    }
    try {
        startedEmpty_ = false;
        year_.openPeriod(period, entry, [this](YearData& year, const OpenResult& result) {
            const auto months = listSavedMonths(context_.places.dataFolder, context_.eraNames);
            startedEmpty_ = !copySourceWindow_->chooseSource(year, months, result.laterMonthSaved);
        });
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
        return;
    }
    const FileYear fileYear{year_.eraName() != context_.eraNames.earlier, year_.eraYear()};
    if (isUncalculatedEraYear(context_.currentCalendarYear, fileYear)) {
        context_.messages.information(this, kUncalculatedInfo);
    }
    outcome_ = Outcome::Opened;
    accept();
}

void DataSelectionWindow::reject() {
    const QString question = context_.settings.defaultHoursPerDay == 0
                                 ? QStringLiteral("初期設定を中止し、") + title() +
                                       QStringLiteral("を終了して宜しいですか？")
                                 : QStringLiteral("処理をする給与対象月/賞与時期の選択を中止し、") +
                                       title() + QStringLiteral("を終了して宜しいですか？");
    if (!context_.messages.confirm(this, question)) return;
    outcome_ = Outcome::Quit;
    QDialog::reject();
}

void DataSelectionWindow::deleteSelectedPeriod() {
    const int period = selectedPeriod();
    if (period < 1 || !header_.isSaved(period)) return;
    if (!context_.messages.confirm(this, kDeleteQuestion)) return;
    try {
        year_.deletePeriod(period);
        header_ = readYearFileHeader(year_.path());
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
    }
    refreshPeriodColours();
    showPeriodDetails();
}

void DataSelectionWindow::createYearFile() {
    YearCreationDialog dialog(this, context_.places.dataFolder, context_.eraNames,
                              context_.messages);
    if (dialog.exec() != QDialog::Accepted) return;
    years_ = findYearFiles(context_.places.dataFolder, context_.eraNames);
    selectYearFile(dialog.createdFile());
}

void DataSelectionWindow::backUpDataFolder() {
    const auto target =
        context_.chooseFolder(QStringLiteral("データファイルのバックアップ場所を指定"), true);
    if (!target) return;
    const CopyOutcome outcome = backupData(context_.places, *target);
    if (!outcome.ok) {
        context_.messages.error(
            this, QString::fromUtf8(kMsgBackupFailed.data(), kMsgBackupFailed.size()) +
                      QLatin1Char('\n') + QString::fromStdString(outcome.failure));
        return;
    }
    context_.settings.backupPath = target->string();
    saveBackupPath(context_.ini, context_.settings.backupPath);
    context_.messages.information(this, QString::fromStdString(backupDoneMessage(outcome)));
}

void DataSelectionWindow::restoreDataFolder() {
    const auto text = [](std::string_view t) { return QString::fromUtf8(t.data(), t.size()); };
    if (!context_.messages.confirm(this, text(kMsgRestoreConfirm))) return;
    const auto source =
        context_.chooseFolder(QStringLiteral("復元するデータファイルの場所を指定"), false);
    if (!source) return;
    if (!folderHoldsSettings(*source)) {
        context_.messages.error(this, text(kMsgRestoreNoData));
        return;
    }
    if (!restoreData(context_.places, *source).ok) {
        context_.messages.error(this, text(kMsgRestoreFailed));
        return;
    }
    context_.messages.information(this, text(kMsgRestoreDone));
    outcome_ = Outcome::Restored;
    accept();
}

}  // namespace keiro::payroll
