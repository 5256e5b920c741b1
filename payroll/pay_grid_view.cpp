#include "payroll/pay_grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "core/fileio.h"
#include "core/items.h"
#include "payroll/item_colours.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

namespace {
constexpr int kPaidLeaveBalanceItem = 15;  // 有休残日数 in AttendanceRecord
}  // namespace

// --- the model -------------------------------------------------------------------------------

PayGridModel::PayGridModel(PayGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int PayGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !built_ ? 0 : grid_.rowCount() - 1;
}

int PayGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !built_ ? 0 : grid_.columnCount() - 1;
}

QVariant PayGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    const bool editable = grid_.cellKind(row, col) == GridCellKind::Editable;
    switch (role) {
        case Qt::DisplayRole:
            // A cell that is not for its employee shows no text.
            return editable ? QVariant(QString::fromStdString(grid_.text(row, col))) : QVariant();
        case Qt::EditRole:
            return QString::fromStdString(grid_.text(row, col)).trimmed();
        case Qt::BackgroundRole:
            return editable ? QVariant() : QVariant(kAutomaticItemColour);
        case Qt::TextAlignmentRole:
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant PayGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    const std::string& text =
        orientation == Qt::Horizontal ? grid_.text(0, section + 1) : grid_.text(section + 1, 0);
    return QString::fromStdString(text);
}

Qt::ItemFlags PayGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid_.isEditable(index.row() + 1, index.column() + 1)) result |= Qt::ItemIsEditable;
    return result;
}

bool PayGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    if (QString::fromStdString(grid_.text(row, col)).trimmed() == value.toString()) return true;
    if (!grid_.setText(row, col, value.toString().toStdString())) return false;
    emit dataChanged(index, index);
    return true;
}

void PayGridModel::reset() {
    beginResetModel();
    built_ = true;
    endResetModel();
}

void PayGridModel::cellChanged(int row, int col) {
    const QModelIndex changed = index(row - 1, col - 1);
    emit dataChanged(changed, changed);
}

// --- the cell editor ---------------------------------------------------------------------------

// A plain line editor without input method, whose keys go through the grid's filter.
class PayGridDelegate : public QStyledItemDelegate {
  public:
    explicit PayGridDelegate(PayGridView* view) : QStyledItemDelegate(view), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setAttribute(Qt::WA_InputMethodEnabled, false);
        editor->setObjectName(QStringLiteral("StrGridEditor"));
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setAlignment(Qt::AlignRight);
        view_->editor_ = editor;
        return editor;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && view_->filterKey(static_cast<QKeyEvent*>(event))) {
            return true;
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

  private:
    PayGridView* view_;
};

// --- the view --------------------------------------------------------------------------------

PayGridView::PayGridView(PayGrid& grid, ui::MessageService& messages, QWidget* parent)
    : QTableView(parent), grid_(grid), messages_(messages), model_(new PayGridModel(grid, this)) {
    setObjectName(QStringLiteral("StrGrid"));
    setModel(model_);
    // A change the document tells of (the individual entry window's) shows at once.
    grid_.onCellChanged([this](int row, int col) { model_->cellChanged(row, col); });
    setItemDelegate(new PayGridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setAttribute(Qt::WA_InputMethodEnabled, false);  // numbers only
    setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(94, 173, 228); "
                       "color: white; padding: 4px 2px 2px 2px; "
                       "border: 1px solid rgb(64, 140, 200); } "
                       "QTableCornerButton::section { background-color: rgb(94, 173, 228); "
                       "border: 1px solid rgb(64, 140, 200); }"));
    horizontalHeader()->setDefaultSectionSize(84);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

PayGridView::~PayGridView() {
    grid_.onCellChanged(nullptr);
}

void PayGridView::refill() {
    model_->reset();
    verticalHeader()->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("休日深夜残業時間")) + 12);
    enteredText_.clear();
    if (model_->rowCount() > 0) selectCell(grid_.rowCount() - 1, 1);
}

const std::string& PayGridView::textAt(int row, int col) const {
    static const std::string kNone;
    // Before the first build PayGrid holds no cells at all.
    if (row < 1 || col < 1 || model_->rowCount() == 0) return kNone;
    return grid_.text(row, col);
}

QModelIndex PayGridView::indexOf(int row, int col) const {
    return model_->index(row - 1, col - 1);
}

int PayGridView::currentRow() const {
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

int PayGridView::currentColumn() const {
    return currentIndex().isValid() ? currentIndex().column() + 1 : 0;
}

void PayGridView::selectCell(int row, int col) {
    const QModelIndex target = indexOf(row, col);
    if (target.isValid()) setCurrentIndex(target);
}

void PayGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);  // hands an open editor's text to the model
    moveBetweenCells(
        previous.isValid() ? previous.row() + 1 : 0, previous.isValid() ? previous.column() + 1 : 0,
        current.isValid() ? current.row() + 1 : 0, current.isValid() ? current.column() + 1 : 0);
}

void PayGridView::moveBetweenCells(int previousRow, int previousCol, int row, int col) {
    if (previousRow >= 1 && previousCol >= 1) {
        if (textAt(previousRow, previousCol) != enteredText_) {
            commitCell(previousRow, previousCol);
        }
        try {
            if (grid_.leaveCell(previousRow, previousCol)) {
                model_->cellChanged(grid_.attendanceRow(kPaidLeaveBalanceItem), previousCol);
            }
        } catch (const IoError& e) {
            messages_.error(this, QString::fromStdString(e.what()));
        }
    }
    enteredText_ = textAt(row, col);
}

void PayGridView::commitCell(int row, int col) {
    const std::string message = grid_.commitCell(row, col);
    model_->cellChanged(row, col);
    if (!message.empty()) messages_.error(this, QString::fromStdString(message));
    emit cellCommitted();
}

void PayGridView::commitEditedCell() {
    if (editor_ != nullptr) {
        QWidget* editor = editor_;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        editor_ = nullptr;
    }
    const int row = currentRow();
    const int col = currentColumn();
    if (row >= 1 && textAt(row, col) != enteredText_) commitCell(row, col);
    enteredText_ = textAt(row, col);
}

void PayGridView::moveToNextEditableRow() {
    const int row = currentRow();
    const int col = currentColumn();
    if (row < 1) return;
    if (editor_ != nullptr) {
        QWidget* editor = editor_;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        editor_ = nullptr;
    }
    const int next = grid_.nextEditableRow(row, col);
    if (next != row) {
        selectCell(next, col);
    } else {  // the only editable row: the entry is finished all the same
        if (textAt(row, col) != enteredText_) commitCell(row, col);
        enteredText_ = textAt(row, col);
    }
}

bool PayGridView::filterKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        moveToNextEditableRow();
        return true;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;  // cursor keys and the like
    const int row = currentRow();
    if (row < 1) return false;
    const char32_t typed = text.toUcs4().value(0);
    if (grid_.keyVerdict(row, typed) == KeyVerdict::Reject) {
        QApplication::beep();
        return true;
    }
    return false;
}

void PayGridView::keyPressEvent(QKeyEvent* event) {
    if (filterKey(event)) return;
    QTableView::keyPressEvent(event);
}

void PayGridView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    // Leaving the grid (not for its own cell editor) finishes the entry.
    QWidget* now = QApplication::focusWidget();
    if (now != nullptr && !isAncestorOf(now) && editor_ == nullptr) {
        const int row = currentRow();
        const int col = currentColumn();
        if (row >= 1 && textAt(row, col) != enteredText_) commitCell(row, col);
        enteredText_ = textAt(row, col);
    }
}

}  // namespace keiro::payroll
