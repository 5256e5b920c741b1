#pragma once
// The print preview: the report's current page as the printer would print it, shown maximised
// and modally from the print dialog.  sbWDisp toggles between the whole sheet (zoom 1,
// "拡大表示") and twice that (zoom 2, "全体表示"); the zoom stays as it was for the next preview.
// 前ページ / 次ページ page through the report; Page Up shows the next page and Page Down the
// previous one, the arrow keys scroll by 20 pixels, the wheel by 10.  印刷実行 closes the preview
// with Accepted (the dialog then prints); 閉じる with Rejected.
//
// In the withholding program's style the buttons sit on a tool bar (印刷実行, 拡大表示, 閉じる,
// 前ページ, 次ページ) that the context menu's ボタンを表示する can hide; the menu repeats the
// buttons.  Enter toggles the zoom, F12 shows the next page and F11 the previous one, as Page Up
// and Page Down do; Esc closes.

#include <QDialog>

#include "print/qt/dialog/print_request.h"
#include "print/qt/report_output.h"

class QAction;
class QHBoxLayout;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace keiro::ui {
class MessageService;
}

namespace keiro::print {

class PreviewSheet;

class PreviewWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kArrowStep = 20;
    static constexpr int kWheelStep = 10;

    explicit PreviewWindow(ui::MessageService& messages, QWidget* parent = nullptr);

    // Shows page 1 of the report at the top left.  The report and the printer must outlive
    // the preview's showing.
    void prepare(const Report& report, const QPrinter& printer, const Correction& correction);
    // The style of the next showings (the payroll program's until set).
    void setStyle(const PreviewStyle& style);

    QMenu* contextMenu() const { return menu_; }

    int page() const { return page_; }
    int zoom() const { return zoom_; }

    void toggleZoom();
    void showPreviousPage();
    void showNextPage();
    // ボタンを表示する: shows or hides the tool bar and lays the page out again.
    void showButtons(bool shown);

    // Closing forgets the report: the dialog may build a new one before the next preview.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void arrange();
    void showPage();
    // Handles the paging and scrolling keys; false for any other key.
    bool pagingKey(int key);
    void scrollBy(int dx, int dy);
    void buildMenu();
    void orderButtons();

    ui::MessageService& messages_;
    const Report* report_ = nullptr;
    const QPrinter* printer_ = nullptr;
    Correction correction_;
    int page_ = 1;
    int zoom_ = 1;
    PreviewStyle style_;

    QPushButton* zoomButton_;
    QPushButton* previousButton_;
    QPushButton* nextButton_;
    QPushButton* printButton_;
    QPushButton* closeButton_;
    QLabel* pageLabel_;
    QWidget* toolBarPanel_;
    QHBoxLayout* buttons_;
    QMenu* menu_;
    QAction* previousAction_ = nullptr;
    QAction* nextAction_ = nullptr;
    QAction* showButtonsAction_ = nullptr;
    QScrollArea* scrollBox_;
    QWidget* content_;
    PreviewSheet* sheet_;
};

}  // namespace keiro::print
