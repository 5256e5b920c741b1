// The check list: filling it, its colours, the header that sorts it, and the check marks.
#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "widgets/command_runner.h"
#include "widgets/fixed_font.h"
#include "widgets/message_service.h"
#include "withholding/main_window.h"

namespace keiro::withholding {

namespace {

// Every other line is tinted, so that a line can be followed across the columns.
const QColor kOddLineColour(0xDD, 0xEE, 0xFF);
// People no longer at work, while retired people are listed.
const QColor kNotAtWorkColour(0xC0, 0xC0, 0xC0);

struct Section {
    const char* caption;
    int bytes;            // the width of its column in the lines
    bool amount = false;  // right-aligned over the amounts
};
constexpr std::array<Section, kListSectionCount> kSections{{{"No", 6},
                                                            {"氏名", 18},
                                                            {"部署名", 18},
                                                            {"社員区分", 12},
                                                            {"支給形態", 14},
                                                            {"源泉税計算", 12},
                                                            {"年税額", 11, true},
                                                            {"過不足", 13, true}}};

}  // namespace

void MainWindow::buildList(QWidget* parent, QVBoxLayout* column) {
    employeeList_ = new QListWidget(parent);
    employeeList_->setObjectName(QStringLiteral("ListBox"));
    employeeList_->setFont(ui::fixedPitchFont());
    employeeList_->setSelectionMode(QAbstractItemView::SingleSelection);
    employeeList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    employeeList_->setUniformItemSizes(true);
    connect(employeeList_, &QListWidget::itemDoubleClicked, this, [this] {
        QAction* input = findChild<QAction*>(QStringLiteral("mnDataInput"));
        if (input->isEnabled()) input->trigger();
    });

    auto* sections = new QStandardItemModel(0, kListSectionCount, this);
    listHeader_ = new QHeaderView(Qt::Horizontal, parent);
    listHeader_->setObjectName(QStringLiteral("HeadCtrl"));
    listHeader_->setModel(sections);
    listHeader_->setSectionsClickable(true);
    listHeader_->setHighlightSections(false);
    listHeader_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    listHeader_->setSectionResizeMode(QHeaderView::Fixed);
    listHeader_->viewport()->setMouseTracking(true);
    listHeader_->viewport()->installEventFilter(this);
    const int charWidth = QFontMetrics(employeeList_->font()).horizontalAdvance(QLatin1Char('0'));
    // The first column also holds the check box.
    const int checkBox = style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                         2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 6;
    for (int i = 0; i < kListSectionCount; ++i) {
        sections->setHeaderData(i, Qt::Horizontal, QString::fromUtf8(kSections[i].caption));
        if (kSections[i].amount) {
            sections->setHeaderData(i, Qt::Horizontal, int(Qt::AlignRight | Qt::AlignVCenter),
                                    Qt::TextAlignmentRole);
        }
        if (sortsList(static_cast<ListOrder>(i))) {
            sections->setHeaderData(i, Qt::Horizontal, QString::fromUtf8(kSortHint),
                                    Qt::ToolTipRole);
        }
        listHeader_->resizeSection(i, kSections[i].bytes * charWidth + (i == 0 ? checkBox : 0));
    }
    listHeader_->setFixedHeight(listHeader_->fontMetrics().height() + 8);
    connect(listHeader_, &QHeaderView::sectionClicked, this, [this](int section) {
        ui::runCommand(this, context_.messages, [this, section] { sortBySection(section); });
    });

    auto* list = new QVBoxLayout;
    list->setSpacing(0);
    list->addWidget(listHeader_);
    list->addWidget(employeeList_, 1);
    column->addLayout(list, 1);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only the sections that sort show the hand.
    if (listHeader_ != nullptr && watched == listHeader_->viewport() &&
        event->type() == QEvent::MouseMove) {
        const int section =
            listHeader_->logicalIndexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (section >= 0 && sortsList(static_cast<ListOrder>(section))) {
            listHeader_->viewport()->setCursor(Qt::PointingHandCursor);
        } else {
            listHeader_->viewport()->unsetCursor();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::fillList(ListOrder order, const std::vector<int>& checked, int selected) {
    const bool showRetired = findChild<QAction*>(QStringLiteral("mnTaisyoku"))->isChecked();
    lines_ = checkListLines(year_->block(kDecember), *file_, showRetired, order);
    employeeList_->clear();
    int selectedRow = 0;
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        const CheckListLine& line = lines_[row];
        auto* item = new QListWidgetItem(QString::fromStdString(line.text), employeeList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool isChecked =
            std::find(checked.begin(), checked.end(), line.slot) != checked.end();
        item->setCheckState(isChecked ? Qt::Checked : Qt::Unchecked);
        item->setBackground(row % 2 == 1 ? QBrush(kOddLineColour) : QBrush(Qt::white));
        if (showRetired && !line.employed) item->setForeground(kNotAtWorkColour);
        if (line.slot == selected) selectedRow = static_cast<int>(row);
    }
    if (!lines_.empty()) employeeList_->setCurrentRow(selectedRow);
}

std::vector<int> MainWindow::checkedSlots() const {
    std::vector<int> checked;
    for (int row = 0; row < employeeList_->count(); ++row) {
        if (employeeList_->item(row)->checkState() == Qt::Checked)
            checked.push_back(lines_[row].slot);
    }
    return checked;
}

void MainWindow::selectSlot(int slot) {
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        if (lines_[row].slot == slot) employeeList_->setCurrentRow(static_cast<int>(row));
    }
}

int MainWindow::selectedSlot() const {
    const int row = employeeList_->currentRow();
    if (row < 0 || row >= employeeList_->count() || !employeeList_->item(row)->isSelected())
        return 0;
    return lines_[static_cast<std::size_t>(row)].slot;
}

void MainWindow::sortBySection(int section) {
    if (!file_ || section < 0 || section >= kListSectionCount) return;
    const auto order = static_cast<ListOrder>(section);
    if (!sortsList(order)) return;
    order_ = order;
    fillList(order_, checkedSlots(), selectedSlot());
}

void MainWindow::showOrHideRetired() {
    fillList(order_, checkedSlots(), selectedSlot());
}

void MainWindow::checkDone() {
    for (int row = 0; row < employeeList_->count(); ++row) {
        employeeList_->item(row)->setCheckState(lines_[row].done ? Qt::Checked : Qt::Unchecked);
    }
    findChild<QAction*>(QStringLiteral("mnAllOnOffP"))->setText(QString::fromUtf8(kCaptionClear));
    checkModeNext_ = false;
}

void MainWindow::toggleChecks() {
    if (checkModeNext_) {
        checkDone();
        return;
    }
    for (int row = 0; row < employeeList_->count(); ++row) {
        employeeList_->item(row)->setCheckState(Qt::Unchecked);
    }
    findChild<QAction*>(QStringLiteral("mnAllOnOffP"))->setText(QString::fromUtf8(kCaptionCheck));
    checkModeNext_ = true;
}

void MainWindow::editSelectedEmployee() {
    const int slot = selectedSlot();
    if (slot == 0) {
        context_.messages.error(this, QString::fromUtf8(kMsgNobodySelected));
        return;
    }
    if (!editor_) return;
    editor_(slot, paths_.currentFormat);
    // The editor may have changed any line: rebuilt where the clerk was, checks as after
    // loading.
    const int top = employeeList_->verticalScrollBar()->value();
    fillList(order_, {}, slot);
    checkDone();
    employeeList_->verticalScrollBar()->setValue(top);
}

}  // namespace keiro::withholding
