#include "payroll/employee_list_window.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "core/employee_csv.h"
#include "core/employee_list.h"
#include "core/employee_master.h"
#include "core/fileio.h"
#include "core/syslog.h"
#include "payroll/resident_tax_import_dialog.h"
#include "payroll/year_chart_window.h"
#include "widgets/command_runner.h"
#include "widgets/file_dialogs.h"
#include "widgets/fixed_font.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

namespace {

constexpr int kSlotRole = Qt::UserRole;

// The header sections over the columns of a line, with each column's width in single-byte
// characters (its text and the blanks after it).
struct ListColumn {
    const char* caption;
    int width;
};
constexpr std::array<ListColumn, kEmployeeListColumns> kListColumns{{{"No.", 5},
                                                                     {"氏名", 18},
                                                                     {"社員区分", 12},
                                                                     {"支給形態", 8},
                                                                     {"就業", 6},
                                                                     {"生年月日", 11},
                                                                     {"部署", 18},
                                                                     {"扶養", 6}}};

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* addButton(QHBoxLayout* row, QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

}  // namespace

EmployeeListWindow::EmployeeListWindow(QWidget* parent, EmployeeListContext context, Mode mode)
    : QDialog(parent),
      context_(std::move(context)),
      mode_(mode),
      header_(new QHeaderView(Qt::Horizontal, this)),
      list_(new QListWidget(this)),
      status_(new QLabel(this)) {
    setObjectName(QStringLiteral("TfmMembList"));
    setWindowTitle(QStringLiteral("社員一覧リスト"));
    if (context_.sortColumn == nullptr) context_.sortColumn = &localSortColumn_;

    list_->setFont(ui::fixedPitchFont());
    auto* headerModel = new QStandardItemModel(1, kEmployeeListColumns, this);
    for (int c = 0; c < kEmployeeListColumns; ++c) {
        auto* item = new QStandardItem(QString::fromUtf8(kListColumns[c].caption));
        item->setToolTip(QString::fromUtf8(kSortHint));
        headerModel->setHorizontalHeaderItem(c, item);
    }
    header_->setObjectName(QStringLiteral("hcMembList"));
    header_->setModel(headerModel);
    header_->setSectionsClickable(true);
    header_->setSectionResizeMode(QHeaderView::Fixed);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header_->setToolTip(QString::fromUtf8(kSortHint));
    QFont headerFont = ui::fixedPitchFont();  // a size smaller, so the captions fit the columns
    headerFont.setPointSizeF(list_->font().pointSizeF() - 1);
    header_->setFont(headerFont);
    header_->setFixedHeight(header_->sizeHint().height());
    connect(header_, &QHeaderView::sectionClicked, this, &EmployeeListWindow::sortBy);

    list_->setObjectName(QStringLiteral("lbMembList"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sizeHeaderToColumns();

    status_->setObjectName(QStringLiteral("stStatus"));
    status_->setFrameShape(QFrame::StyledPanel);

    auto* buttons = new QHBoxLayout;
    if (mode_ == Mode::Edit) {
        buildEditButtons(buttons);
        connect(list_, &QListWidget::itemDoubleClicked, this, [this] { editSelected(); });
    } else {
        buildChoiceButtons(buttons);
        status_->setText(QString::fromUtf8(mode_ == Mode::ChoosePaySlips ? kMsgChoosePaySlips
                                                                         : kMsgChooseLedger));
        list_->setSelectionMode(QAbstractItemView::MultiSelection);
    }

    auto* column = new QVBoxLayout(this);
    column->setSpacing(0);
    column->addWidget(header_);
    column->addWidget(list_, 1);
    column->addSpacing(6);
    column->addLayout(buttons);
    column->addSpacing(6);
    column->addWidget(status_);

    resize(context_.settings.window.employeeListWidth, context_.settings.window.employeeListHeight);
    rebuildList();
    if (mode_ == Mode::Edit) {
        if (list_->count() > 0) list_->setCurrentRow(0);
    } else {
        list_->selectAll();
    }
}

void EmployeeListWindow::buildEditButtons(QHBoxLayout* row) {
    ui::MessageService& messages = context_.messages;
    ui::connectCommand(addButton(row, this, "sbNew", "新規作成"), this, messages,
                       &EmployeeListWindow::addEmployee);
    ui::connectCommand(addButton(row, this, "sbEdit", "内容修正"), this, messages,
                       &EmployeeListWindow::editSelected);
    ui::connectCommand(addButton(row, this, "sbDelete", "登録削除"), this, messages,
                       &EmployeeListWindow::deleteSelected);
    QPushButton* print = addButton(row, this, "sbPrint", "名簿印刷");
    print->setEnabled(static_cast<bool>(context_.printRoster));
    ui::connectCommand(print, this, messages, &EmployeeListWindow::printList);
    ui::connectCommand(addButton(row, this, "sbImport", "インポート"), this, messages,
                       &EmployeeListWindow::importCsv);
    ui::connectCommand(addButton(row, this, "sbExport", "エクスポート"), this, messages,
                       &EmployeeListWindow::exportCsv);
    ui::connectCommand(addButton(row, this, "sbJuuminImport", "住民税取込"), this, messages,
                       &EmployeeListWindow::importResidentTax);
    ui::connectCommand(addButton(row, this, "sbGraph", "年間グラフ"), this, messages,
                       &EmployeeListWindow::showYearChart);
    row->addStretch(1);
    connect(addButton(row, this, "sbClose", "閉じる"), &QPushButton::clicked, this,
            &QDialog::reject);
}

void EmployeeListWindow::printList() {
    if (context_.printRoster) context_.printRoster();
}

void EmployeeListWindow::buildChoiceButtons(QHBoxLayout* row) {
    selectAllButton_ = addButton(row, this, "sbSelectAll", "全て解除");  // all start selected
    ui::connectCommand(selectAllButton_, this, context_.messages,
                       &EmployeeListWindow::toggleSelectAll);
    row->addStretch(1);
    ui::connectCommand(addButton(row, this, "btOK", "ＯＫ"), this, context_.messages,
                       &EmployeeListWindow::acceptChoice);
    connect(addButton(row, this, "btCancel", "キャンセル"), &QPushButton::clicked, this,
            &QDialog::reject);
}

void EmployeeListWindow::sizeHeaderToColumns() {
    const QFontMetrics metrics(list_->font());
    const int unit = metrics.horizontalAdvance(QLatin1Char('0'));
    const int margin = list_->frameWidth() + 2;
    int total = 0;
    for (int c = 0; c < kEmployeeListColumns; ++c) {
        const int width = kListColumns[c].width * unit + (c == 0 ? margin : 0);
        header_->resizeSection(c, width);
        total += width;
    }
    const int scrollBar = list_->verticalScrollBar()->sizeHint().width();
    list_->setMinimumWidth(total + scrollBar + margin);
}

std::vector<int> EmployeeListWindow::shownSlots() const {
    std::vector<int> shown;
    for (int i = 0; i < list_->count(); ++i) {
        shown.push_back(list_->item(i)->data(kSlotRole).toInt());
    }
    return shown;
}

void EmployeeListWindow::selectSlot(int slot) {
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->data(kSlotRole).toInt() == slot) {
            list_->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
            return;
        }
    }
}

void EmployeeListWindow::rebuildList() {
    std::set<int> selected;
    for (const QListWidgetItem* item : list_->selectedItems()) {
        selected.insert(item->data(kSlotRole).toInt());
    }
    const int scroll = list_->verticalScrollBar()->value();
    const int current = list_->currentItem() ? list_->currentItem()->data(kSlotRole).toInt() : 0;

    list_->clear();
    const PeriodBlock& block = std::as_const(context_.year).block();
    for (const int slot : employeeListOrder(block, *context_.sortColumn)) {
        auto* item = new QListWidgetItem(QString::fromStdString(employeeListLine(block, slot)));
        item->setData(kSlotRole, slot);
        list_->addItem(item);
        if (slot == current) list_->setCurrentItem(item, QItemSelectionModel::NoUpdate);
    }
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        item->setSelected(selected.count(item->data(kSlotRole).toInt()) > 0);
    }
    list_->verticalScrollBar()->setValue(scroll);
}

void EmployeeListWindow::sortBy(int column) {
    *context_.sortColumn = std::clamp(column, 0, kEmployeeListColumns - 1);
    rebuildList();
}

int EmployeeListWindow::selectedSlot() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? 0 : selected.front()->data(kSlotRole).toInt();
}

void EmployeeListWindow::writeLog(int code) {
    try {
        keiro::writeLog(context_.places.dataFolder, code);
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
    }
}

void EmployeeListWindow::addEmployee() {
    if (context_.year.document().isFull()) {  // told before the form is filled in
        context_.messages.warning(this, qs(kMsgNoFreeSlot));
        return;
    }
    const int stored = context_.editEmployee(this, -1);
    if (stored <= 0) return;
    rebuildList();
    writeLog(kLogEmployeeRegistered);
}

void EmployeeListWindow::editSelected() {
    const int slot = selectedSlot();
    if (slot == 0) {
        context_.messages.error(this, qs(kMsgNothingSelected));
        return;
    }
    if (context_.editEmployee(this, slot) <= 0) return;
    rebuildList();
    writeLog(kLogEmployeeUpdated);
}

void EmployeeListWindow::showYearChart() {
    YearChartWindow chart(this, context_.year, context_.settings.itemNames, selectedSlot());
    chart.exec();
}

void EmployeeListWindow::deleteSelected() {
    const int slot = selectedSlot();
    if (slot == 0) {
        context_.messages.error(this, qs(kMsgNothingSelected));
        return;
    }
    std::error_code ignored;
    const YearData& year = context_.year;
    const std::filesystem::path withholding =
        withholdingFilePath(context_.places.dataFolder, year.eraName(), year.eraYear());
    if (std::filesystem::exists(withholding, ignored) &&
        !context_.messages.confirm(this, qs(kMsgDeleteWithWithholding), true)) {
        return;
    }
    if (!context_.messages.confirm(
            this, QString::fromStdString(deleteQuestion(year.block().employee(slot))))) {
        return;
    }
    PayrollPeriod& period = context_.year.document();
    period.removeEmployee(period.idAt(slot));
    list_->clearSelection();
    rebuildList();
    writeLog(kLogEmployeeDeleted);
}

void EmployeeListWindow::exportCsv() {
    const std::optional<QString> path = context_.dialogs.saveFile(
        this, QStringLiteral("社員情報データを保存する場所を指定"), QString(),
        QStringLiteral("社員情報データ (*.csv)"), QStringLiteral("csv"));
    if (!path) return;
    try {
        exportEmployeeCsv(std::as_const(context_.year).block(), path->toStdString());
    } catch (const IoError& e) {
        context_.messages.error(this, QString::fromUtf8(e.what()));
        return;
    }
    context_.messages.information(this, qs(kMsgCsvExported));
}

void EmployeeListWindow::importCsv() {
    const std::optional<QString> path =
        context_.dialogs.openFile(this, QStringLiteral("社員情報データを開く"), QString(),
                                  QStringLiteral("社員情報データ (*.csv)"));
    if (!path) return;
    EmployeeCsv csv;
    try {
        csv = readEmployeeCsv(path->toStdString());
    } catch (const IoError&) {
        context_.messages.error(this, qs(kMsgCsvCannotOpen));
        return;
    }
    if (!csv.error.empty()) {
        context_.messages.error(this, QString::fromStdString(csv.error));
        return;
    }
    const EmployeeImportResult result = importEmployees(
        context_.year.document(), csv.rows,
        [this](const std::string& question) {
            return context_.messages.confirm(this, QString::fromStdString(question));
        },
        keyTimeOf(std::chrono::system_clock::now()));
    if (result.limitReached) context_.messages.warning(this, qs(kMsgEmployeeLimit));
    context_.messages.information(this, QString::fromStdString(result.message));
    if (result.count > 0) {
        rebuildList();
        writeLog(kLogEmployeeUpdated);
    }
}

void EmployeeListWindow::importResidentTax() {
    if (importResidentTaxAmounts(this, context_.year, context_.messages, context_.dialogs) > 0) {
        writeLog(kLogEmployeeUpdated);
    }
}

void EmployeeListWindow::toggleSelectAll() {
    const bool selectAll = selectAllButton_->text() == QStringLiteral("全て選択");
    if (selectAll) {
        list_->selectAll();
    } else {
        list_->clearSelection();
    }
    selectAllButton_->setText(selectAll ? QStringLiteral("全て解除") : QStringLiteral("全て選択"));
}

void EmployeeListWindow::acceptChoice() {
    // Printed in the order the list shows them.
    std::vector<int> chosen;
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        if (item->isSelected()) chosen.push_back(item->data(kSlotRole).toInt());
    }
    if (chosen.empty()) {
        context_.messages.error(this, QString::fromUtf8(kMsgNothingToPrint));
        return;
    }
    chosen_ = std::move(chosen);
    accept();
}

void EmployeeListWindow::done(int result) {
    // The size is written with the main window's placement when the program ends.
    context_.settings.window.employeeListWidth = width();
    context_.settings.window.employeeListHeight = height();
    QDialog::done(result);
}

}  // namespace keiro::payroll
