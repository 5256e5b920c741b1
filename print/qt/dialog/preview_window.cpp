#include "print/qt/dialog/preview_window.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <array>

#include "print/preview_layout.h"
#include "print/qt/dialog/preview_sheet.h"
#include "widgets/message_service.h"

namespace keiro::print {
namespace {

constexpr int kWheelNotch = 120;

QPushButton* toolButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);  // the keys are the preview's
    return button;
}

}  // namespace

PreviewWindow::PreviewWindow(ui::MessageService& messages, QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      zoomButton_(toolButton("sbWDisp", QStringLiteral("拡大表示"), this)),
      previousButton_(toolButton("sbPrev", QStringLiteral("前ページ"), this)),
      nextButton_(toolButton("sbNext", QStringLiteral("次ページ"), this)),
      printButton_(toolButton("sbPrint", QStringLiteral("印刷実行"), this)),
      closeButton_(toolButton("sbClose", QStringLiteral("閉じる"), this)),
      pageLabel_(new QLabel(this)),
      toolBarPanel_(new QWidget(this)),
      buttons_(new QHBoxLayout),
      menu_(new QMenu(this)),
      scrollBox_(new QScrollArea(this)),
      content_(new QWidget),
      sheet_(new PreviewSheet(content_)) {
    setObjectName(QStringLiteral("fmPreView"));
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    setModal(true);
    // No maximise button: the preview is always maximised.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    pageLabel_->setObjectName(QStringLiteral("lbPage"));
    scrollBox_->setObjectName(QStringLiteral("sbPreview"));
    scrollBox_->setWidget(content_);
    scrollBox_->setWidgetResizable(false);
    scrollBox_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scrollBox_->setFocusPolicy(Qt::StrongFocus);
    scrollBox_->installEventFilter(this);
    scrollBox_->viewport()->installEventFilter(this);

    toolBarPanel_->setObjectName(QStringLiteral("pnToolBar"));
    auto* bar = new QHBoxLayout(toolBarPanel_);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addLayout(buttons_);
    orderButtons();
    bar->addSpacing(16);
    bar->addWidget(pageLabel_);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(toolBarPanel_);
    layout->addWidget(scrollBox_, 1);
    buildMenu();

    connect(zoomButton_, &QPushButton::clicked, this, &PreviewWindow::toggleZoom);
    connect(previousButton_, &QPushButton::clicked, this, &PreviewWindow::showPreviousPage);
    connect(nextButton_, &QPushButton::clicked, this, &PreviewWindow::showNextPage);
    connect(printButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    // Not from inside the paint event: the message box would paint over it.
    connect(
        sheet_->page(), &PreviewPage::drawingFailed, this,
        [this](const QString& reason) {
            messages_.error(this, QStringLiteral("ページを表示できませんでした。\n%1").arg(reason));
        },
        Qt::QueuedConnection);
}

void PreviewWindow::prepare(const Report& report, const QPrinter& printer,
                            const Correction& correction) {
    report_ = &report;
    printer_ = &printer;
    correction_ = correction;
    page_ = 1;
    // The whole screen even where no window manager maximises windows.
    setGeometry(screen()->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    arrange();
    scrollBox_->horizontalScrollBar()->setValue(0);
    scrollBox_->verticalScrollBar()->setValue(0);
}

void PreviewWindow::buildMenu() {
    menu_->setObjectName(QStringLiteral("pmPreView"));
    menu_->addAction(QStringLiteral("印刷実行(&P)"), this, &QDialog::accept);
    menu_->addAction(QStringLiteral("拡大して表示する(&W)      Enter"), this,
                     &PreviewWindow::toggleZoom);
    previousAction_ = menu_->addAction(QStringLiteral("前ページを表示(&B)         PageDown"), this,
                                       &PreviewWindow::showPreviousPage);
    nextAction_ = menu_->addAction(QStringLiteral("次ページを表示(&N)         PageUp"), this,
                                   &PreviewWindow::showNextPage);
    menu_->addAction(QStringLiteral("閉じる(&C)                    Esc"), this, &QDialog::reject);
    menu_->addSeparator();
    showButtonsAction_ = menu_->addAction(QStringLiteral("ボタンを表示する(&D)"));
    showButtonsAction_->setCheckable(true);
    showButtonsAction_->setChecked(true);
    connect(showButtonsAction_, &QAction::triggered, this, &PreviewWindow::showButtons);
}

// The withholding program's order puts 印刷実行 first.
void PreviewWindow::orderButtons() {
    const bool toolBar = style_.toolBar;
    for (QPushButton* button :
         {zoomButton_, previousButton_, nextButton_, printButton_, closeButton_}) {
        buttons_->removeWidget(button);
    }
    const auto order =
        toolBar ? std::array{printButton_, zoomButton_, closeButton_, previousButton_, nextButton_}
                : std::array{zoomButton_, previousButton_, nextButton_, printButton_, closeButton_};
    for (QPushButton* button : order) buttons_->addWidget(button);
}

void PreviewWindow::setStyle(const PreviewStyle& style) {
    style_ = style;
    orderButtons();
    const bool shown = !style_.toolBar || style_.buttonsShown;
    showButtonsAction_->setChecked(shown);
    toolBarPanel_->setVisible(shown);
}

void PreviewWindow::showButtons(bool shown) {
    style_.buttonsShown = shown;
    showButtonsAction_->setChecked(shown);
    toolBarPanel_->setVisible(shown);
    if (style_.buttonsToggled) style_.buttonsToggled(shown);
    arrange();
}

void PreviewWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (!style_.toolBar) {
        QDialog::contextMenuEvent(event);
        return;
    }
    menu_->exec(event->globalPos());
}

void PreviewWindow::done(int result) {
    report_ = nullptr;
    sheet_->page()->setPage(nullptr, nullptr, correction_, 1, zoom_, 100);
    QDialog::done(result);
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    scrollBox_->setFocus();
    arrange();
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    arrange();
}

// A restore leaves the preview maximised.
void PreviewWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible() &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) {
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() | Qt::WindowMaximized); });
    }
}

void PreviewWindow::toggleZoom() {
    zoom_ = zoom_ == 1 ? 2 : 1;
    arrange();
}

void PreviewWindow::showPreviousPage() {
    if (page_ <= 1) return;
    --page_;
    showPage();
}

void PreviewWindow::showNextPage() {
    if (report_ == nullptr || page_ >= report_->pageCount()) return;
    ++page_;
    showPage();
}

void PreviewWindow::arrange() {
    zoomButton_->setText(zoom_ == 1 ? QStringLiteral("拡大表示") : QStringLiteral("全体表示"));
    if (report_ == nullptr || printer_ == nullptr) return;

    const int dpi = printer_->resolution();
    const QRect sheet = printer_->pageLayout().fullRectPixels(dpi);
    const QRect page = printer_->pageLayout().paintRectPixels(dpi);
    const QSize screen = this->screen()->size();
    const QSize view = scrollBox_->maximumViewportSize();

    PreviewInput input;
    input.sheetWidth = sheet.width();
    input.sheetHeight = sheet.height();
    input.offsetX = page.x();
    input.offsetY = page.y();
    input.pageWidth = page.width();
    input.pageHeight = page.height();
    input.printerDpi = dpi;
    input.screenDpi = logicalDpiY();
    input.screenWidth = screen.width();
    input.screenHeight = screen.height();
    input.viewWidth = view.width();
    input.viewHeight = view.height();
    input.zoom = zoom_;
    const PreviewGeometry geometry = previewGeometry(input);

    content_->resize(std::max(view.width(), geometry.sheet.x + geometry.sheet.width),
                     std::max(view.height(), geometry.sheet.height));
    sheet_->arrange(geometry, *report_, *printer_);
    sheet_->page()->setPage(report_, printer_, correction_, page_, zoom_, geometry.zoomPercent);
    showPage();
}

void PreviewWindow::showPage() {
    const int pages = report_ != nullptr ? report_->pageCount() : 0;
    previousButton_->setEnabled(page_ > 1);
    nextButton_->setEnabled(page_ < pages);
    previousAction_->setEnabled(previousButton_->isEnabled());
    nextAction_->setEnabled(nextButton_->isEnabled());
    pageLabel_->setText(QStringLiteral("%1 / %2 ページ").arg(page_).arg(pages));
    sheet_->page()->setPageNumber(page_);
}

void PreviewWindow::scrollBy(int dx, int dy) {
    QScrollBar* horizontal = scrollBox_->horizontalScrollBar();
    QScrollBar* vertical = scrollBox_->verticalScrollBar();
    horizontal->setValue(horizontal->value() + dx);
    vertical->setValue(vertical->value() + dy);
}

bool PreviewWindow::pagingKey(int key) {
    if (style_.toolBar) {
        switch (key) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                toggleZoom();
                return true;
            case Qt::Key_F12:
                key = Qt::Key_PageUp;
                break;
            case Qt::Key_F11:
                key = Qt::Key_PageDown;
                break;
            default:
                break;
        }
    }
    switch (key) {
        case Qt::Key_PageUp:  // the next page, as the users are used to
            if (nextButton_->isEnabled()) showNextPage();
            return true;
        case Qt::Key_PageDown:
            if (previousButton_->isEnabled()) showPreviousPage();
            return true;
        case Qt::Key_Left:
            scrollBy(-kArrowStep, 0);
            return true;
        case Qt::Key_Right:
            scrollBy(kArrowStep, 0);
            return true;
        case Qt::Key_Up:
            scrollBy(0, -kArrowStep);
            return true;
        case Qt::Key_Down:
            scrollBy(0, kArrowStep);
            return true;
        default:
            return false;
    }
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    if (!pagingKey(event->key())) QDialog::keyPressEvent(event);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        return pagingKey(static_cast<QKeyEvent*>(event)->key());
    }
    if (event->type() == QEvent::Wheel && watched == scrollBox_->viewport()) {
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / kWheelNotch;
        scrollBy(0, -notches * kWheelStep);  // wheel up: towards the top
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace keiro::print
