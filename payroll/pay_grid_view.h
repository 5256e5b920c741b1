#pragma once
// The main window's pay grid on screen: a table view over PayGrid.  Grid row 0 (the
// employees' names) and column 0 (the item names) are the view's fixed headers, so grid cell
// (row, col) is the view's index (row − 1, col − 1).  The view passes every key, entry and
// change of cell on to PayGrid and reports what the clerk has to be told.

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <functional>

#include "payroll/model/pay_grid.h"

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

inline const QColor kGridCaptionColour(94, 173, 228);

// The grid's texts and colours as a Qt model.
class PayGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit PayGridModel(PayGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // After PayGrid was rebuilt or a cell changed behind the model's back.
    void reset();
    void cellChanged(int row, int col);

  private:
    PayGrid& grid_;
    bool built_ = false;  // PayGrid holds no cells before its first build
};

class PayGridView : public QTableView {
    Q_OBJECT
  public:
    PayGridView(PayGrid& grid, ui::MessageService& messages, QWidget* parent = nullptr);
    ~PayGridView() override;

    // Rebuilt from PayGrid: shows the new rows and values and selects grid cell (row, col).
    void refill();

    // The cell the clerk is on, in grid coordinates (0, 0 when none).
    int currentRow() const;
    int currentColumn() const;
    // The open cell editor; nullptr when none.
    QWidget* cellEditor() const { return editor_; }
    // Moves to grid cell (row, col), doing what leaving the previous cell does.
    void selectCell(int row, int col);
    // Closes an open editor and commits the current cell: what leaving the grid does.
    void commitEditedCell();
    // What an accepted character does in the current cell; Enter moves on.  Returns whether the
    // key was handled (swallowed).
    bool filterKey(QKeyEvent* event);

  signals:
    // A cell was left with a changed entry (checked, perhaps refused and emptied).
    void cellCommitted();

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    friend class PayGridDelegate;
    void moveBetweenCells(int previousRow, int previousCol, int row, int col);
    void commitCell(int row, int col);
    void moveToNextEditableRow();
    QModelIndex indexOf(int row, int col) const;
    const std::string& textAt(int row, int col) const;

    PayGrid& grid_;
    ui::MessageService& messages_;
    PayGridModel* model_;
    QPointer<QWidget> editor_;  // the open cell editor
    std::string enteredText_;   // the current cell's text when the clerk came to it
};

}  // namespace keiro::payroll
