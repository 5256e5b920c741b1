#pragma once
// One band of a pay slip layout on screen (sgKintai, sgSikyu, sgKoujo, sgSonota): a narrow teal
// handle column and the item names, one row each.  The grid only shows and reports: a click on
// a name asks for that row to be switched on or off, and a row dragged by its handle and dropped
// on another row asks for the move; the window changes the layout and shows the rows again.

#include <QString>
#include <QTableWidget>
#include <vector>

namespace keiro::payroll {

inline constexpr int kLayoutRowHeight = 20;

class LayoutGrid : public QTableWidget {
    Q_OBJECT
  public:
    struct Row {
        QString caption;
        bool used = true;  // on the pay form being edited; unused rows show the disabled colours
    };

    LayoutGrid(const QString& name, int rowCount, QWidget* parent);

    // Shows exactly `rows` (one per grid row, in order).
    void showRows(const std::vector<Row>& rows);
    bool isShownUsed(int row) const;

    // The point in viewport coordinates of a row's handle and of its name, for a mouse.
    QPoint handlePoint(int row) const;
    QPoint namePoint(int row) const;

  signals:
    void nameClicked(int row);
    void rowDragged(int from, int to);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // The row under a height in the viewport, the first or last row beyond the ends.
    int rowAtHeight(int y) const;
    void endDrag();

    int dragFrom_ = -1;  // the row held by its handle
    int dropRow_ = -1;   // where it would go now
    int pressedName_ = -1;
};

}  // namespace keiro::payroll
