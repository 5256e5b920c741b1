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
    ListBox_ = new QListWidget(parent);
    ListBox_->setObjectName(QStringLiteral("ListBox"));
    ListBox_->setFont(ui::fixedPitchFont());
    ListBox_->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox_->setUniformItemSizes(true);
    connect(ListBox_, &QListWidget::itemDoubleClicked, this, [this] {
        QAction* input = findChild<QAction*>(QStringLiteral("mnDataInput"));
        if (input->isEnabled()) input->trigger();
    });

    auto* sections = new QStandardItemModel(0, kListSectionCount, this);
    HeadCtrl_ = new QHeaderView(Qt::Horizontal, parent);
    HeadCtrl_->setObjectName(QStringLiteral("HeadCtrl"));
    HeadCtrl_->setModel(sections);
    HeadCtrl_->setSectionsClickable(true);
    HeadCtrl_->setHighlightSections(false);
    HeadCtrl_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    HeadCtrl_->setSectionResizeMode(QHeaderView::Fixed);
    HeadCtrl_->viewport()->setMouseTracking(true);
    HeadCtrl_->viewport()->installEventFilter(this);
    const int charWidth = QFontMetrics(ListBox_->font()).horizontalAdvance(QLatin1Char('0'));
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
        HeadCtrl_->resizeSection(i, kSections[i].bytes * charWidth + (i == 0 ? checkBox : 0));
    }
    HeadCtrl_->setFixedHeight(HeadCtrl_->fontMetrics().height() + 8);
    connect(HeadCtrl_, &QHeaderView::sectionClicked, this,
            [this](int section) { HeadCtrlSectionClick(section); });

    auto* list = new QVBoxLayout;
    list->setSpacing(0);
    list->addWidget(HeadCtrl_);
    list->addWidget(ListBox_, 1);
    column->addLayout(list, 1);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only the sections that sort show the hand.
    if (HeadCtrl_ != nullptr && watched == HeadCtrl_->viewport() &&
        event->type() == QEvent::MouseMove) {
        const int section =
            HeadCtrl_->logicalIndexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (section >= 0 && sortsList(static_cast<ListOrder>(section))) {
            HeadCtrl_->viewport()->setCursor(Qt::PointingHandCursor);
        } else {
            HeadCtrl_->viewport()->unsetCursor();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::fillList(ListOrder order, const std::vector<int>& checked, int selected) {
    const bool showRetired = findChild<QAction*>(QStringLiteral("mnTaisyoku"))->isChecked();
    lines_ = checkListLines(year_->block(kDecember), *file_, showRetired, order);
    ListBox_->clear();
    int selectedRow = 0;
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        const CheckListLine& line = lines_[row];
        auto* item = new QListWidgetItem(QString::fromStdString(line.text), ListBox_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool isChecked =
            std::find(checked.begin(), checked.end(), line.slot) != checked.end();
        item->setCheckState(isChecked ? Qt::Checked : Qt::Unchecked);
        item->setBackground(row % 2 == 1 ? QBrush(kOddLineColour) : QBrush(Qt::white));
        if (showRetired && !line.employed) item->setForeground(kNotAtWorkColour);
        if (line.slot == selected) selectedRow = static_cast<int>(row);
    }
    if (!lines_.empty()) ListBox_->setCurrentRow(selectedRow);
}

std::vector<int> MainWindow::checkedSlots() const {
    std::vector<int> checked;
    for (int row = 0; row < ListBox_->count(); ++row) {
        if (ListBox_->item(row)->checkState() == Qt::Checked) checked.push_back(lines_[row].slot);
    }
    return checked;
}

void MainWindow::selectSlot(int slot) {
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        if (lines_[row].slot == slot) ListBox_->setCurrentRow(static_cast<int>(row));
    }
}

int MainWindow::selectedSlot() const {
    const int row = ListBox_->currentRow();
    if (row < 0 || row >= ListBox_->count() || !ListBox_->item(row)->isSelected()) return 0;
    return lines_[static_cast<std::size_t>(row)].slot;
}

void MainWindow::HeadCtrlSectionClick(int section) {
    if (!file_ || section < 0 || section >= kListSectionCount) return;
    const auto order = static_cast<ListOrder>(section);
    if (!sortsList(order)) return;
    order_ = order;
    fillList(order_, checkedSlots(), selectedSlot());
}

void MainWindow::mnTaisyokuClick() {
    fillList(order_, checkedSlots(), selectedSlot());
}

void MainWindow::checkDone() {
    for (int row = 0; row < ListBox_->count(); ++row) {
        ListBox_->item(row)->setCheckState(lines_[row].done ? Qt::Checked : Qt::Unchecked);
    }
    findChild<QAction*>(QStringLiteral("mnAllOnOffP"))->setText(QString::fromUtf8(kCaptionClear));
    checkModeNext_ = false;
}

void MainWindow::mnAllOnOffPClick() {
    if (checkModeNext_) {
        checkDone();
        return;
    }
    for (int row = 0; row < ListBox_->count(); ++row) {
        ListBox_->item(row)->setCheckState(Qt::Unchecked);
    }
    findChild<QAction*>(QStringLiteral("mnAllOnOffP"))->setText(QString::fromUtf8(kCaptionCheck));
    checkModeNext_ = true;
}

void MainWindow::btDataInputClick() {
    const int slot = selectedSlot();
    if (slot == 0) {
        context_.messages.error(this, QString::fromUtf8(kMsgNobodySelected));
        return;
    }
    if (!editor_) return;
    editor_(slot, paths_.currentFormat);
    // The editor may have changed any line: rebuilt where the clerk was, checks as after
    // loading.
    const int top = ListBox_->verticalScrollBar()->value();
    fillList(order_, {}, slot);
    checkDone();
    ListBox_->verticalScrollBar()->setValue(top);
}

}  // namespace keiro::withholding
