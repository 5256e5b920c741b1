#include "payroll/layout_grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

#include "payroll/item_colours.h"

namespace keiro::payroll {

namespace {

constexpr int kHandleWidth = 22;
constexpr int kNameWidth = 150;
constexpr int kHandleColumn = 0;
constexpr int kNameColumn = 1;

QTableWidgetItem* fixedItem() {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);  // nothing is selected or typed in these grids
    return item;
}

}  // namespace

LayoutGrid::LayoutGrid(const QString& name, int rowCount, QWidget* parent)
    : QTableWidget(rowCount, 2, parent) {
    setObjectName(name);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kLayoutRowHeight);
    verticalHeader()->setMinimumSectionSize(kLayoutRowHeight);
    setColumnWidth(kHandleColumn, kHandleWidth);
    setColumnWidth(kNameColumn, kNameWidth);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    const int frame = 2 * frameWidth();
    setFixedSize(kHandleWidth + kNameWidth + frame, rowCount * kLayoutRowHeight + frame);

    for (int row = 0; row < rowCount; ++row) {
        QTableWidgetItem* handle = fixedItem();
        handle->setBackground(kLayoutHandleColour);
        handle->setForeground(kLayoutHandleTextColour);
        handle->setTextAlignment(Qt::AlignCenter);
        handle->setText(QString::number(row + 1));
        setItem(row, kHandleColumn, handle);
        setItem(row, kNameColumn, fixedItem());
    }
}

void LayoutGrid::showRows(const std::vector<Row>& rows) {
    const QPalette colours = palette();
    for (int row = 0; row < rowCount(); ++row) {
        const Row shown = row < static_cast<int>(rows.size()) ? rows[row] : Row{};
        QTableWidgetItem* name = item(row, kNameColumn);
        name->setText(shown.caption);
        name->setBackground(shown.used ? colours.color(QPalette::Base) : kAutomaticItemColour);
        name->setForeground(shown.used ? colours.color(QPalette::Text) : kUnusedItemTextColour);
        name->setData(Qt::UserRole, shown.used);
    }
}

bool LayoutGrid::isShownUsed(int row) const {
    const QTableWidgetItem* name = item(row, kNameColumn);
    return name != nullptr && name->data(Qt::UserRole).toBool();
}

QPoint LayoutGrid::handlePoint(int row) const {
    return visualItemRect(item(row, kHandleColumn)).center();
}

QPoint LayoutGrid::namePoint(int row) const {
    return visualItemRect(item(row, kNameColumn)).center();
}

int LayoutGrid::rowAtHeight(int y) const {
    if (y < 0) return 0;
    const int row = rowAt(y);
    return row < 0 ? rowCount() - 1 : row;
}

void LayoutGrid::mousePressEvent(QMouseEvent* event) {
    endDrag();
    pressedName_ = -1;
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    if (index.column() == kHandleColumn) {
        dragFrom_ = dropRow_ = index.row();
        viewport()->setCursor(Qt::ClosedHandCursor);
    } else {
        pressedName_ = index.row();
    }
}

void LayoutGrid::mouseMoveEvent(QMouseEvent* event) {
    if (dragFrom_ < 0) return;
    const int row = rowAtHeight(event->position().toPoint().y());
    if (row != dropRow_) {
        dropRow_ = row;
        viewport()->update();
    }
}

void LayoutGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (dragFrom_ >= 0) {
        const int from = dragFrom_;
        const int to = rowAtHeight(at.y());
        endDrag();
        if (to != from) emit rowDragged(from, to);
        return;
    }
    const int pressed = pressedName_;
    pressedName_ = -1;
    const QModelIndex index = indexAt(at);
    if (pressed >= 0 && index.isValid() && index.column() == kNameColumn && index.row() == pressed)
        emit nameClicked(pressed);
}

void LayoutGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click switches the row back, as two single clicks would.
    mousePressEvent(event);
}

void LayoutGrid::endDrag() {
    if (dragFrom_ < 0) return;
    dragFrom_ = dropRow_ = -1;
    viewport()->unsetCursor();
    viewport()->update();
}

void LayoutGrid::paintEvent(QPaintEvent* event) {
    QTableWidget::paintEvent(event);
    if (dragFrom_ < 0 || dropRow_ == dragFrom_) return;
    // A line where the row would land: above the target when moving up, below it when down.
    const int top = rowViewportPosition(dropRow_);
    const int y = dropRow_ < dragFrom_ ? top : top + rowHeight(dropRow_) - 1;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(0, y, viewport()->width(), y);
}

}  // namespace keiro::payroll
