#include "widgets/online_manual.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QKeyEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

#include "core/places.h"
#include "widgets/message_service.h"

namespace keiro::ui {

OnlineManual::OnlineManual(MessageService& messages, QWidget* window,
                           std::filesystem::path programFolder)
    : QObject(window),
      messages_(messages),
      window_(window),
      programFolder_(std::move(programFolder)),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

void OnlineManual::open(const std::string& address, const std::function<void(bool)>& running) {
    if (address.empty()) {
        openLocal();
        return;
    }
    const QUrl url(QString::fromStdString(address));
    if (!url.isValid() || url.scheme().isEmpty()) {
        messages_.error(window_, QString::fromUtf8(kMsgNoInternet));
        return;
    }
    openRemote(url, running);
}

void OnlineManual::openPage(const std::string& name) {
    if (const auto start = findManualStartPage(programFolder_)) {
        const std::filesystem::path page = start->parent_path() / (name + ".html");
        std::error_code error;
        hand(QUrl::fromLocalFile(QString::fromStdString(
            std::filesystem::is_regular_file(page, error) ? page.string() : start->string())));
        return;
    }
    openLocal();
}

void OnlineManual::openLocal() {
    if (const auto page = findManualStartPage(programFolder_)) {
        hand(QUrl::fromLocalFile(QString::fromStdString(page->string())));
        return;
    }
    QString text = QString::fromUtf8(kMsgManualNotFound);
    for (const std::filesystem::path& place : manualStartPageCandidates(programFolder_)) {
        text += QStringLiteral("\n") + QString::fromStdString(place.string());
    }
    messages_.error(window_,
                    text + QStringLiteral("\n") + QString::fromUtf8(kMsgManualNotFoundHint));
}

void OnlineManual::openRemote(const QUrl& url, const std::function<void(bool)>& running) {
    if (network_ == nullptr) network_ = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setTransferTimeout(kManualTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_->get(request);
    if (running) running(true);
    connect(reply, &QNetworkReply::finished, this, [this, reply, url, running] {
        reply->deleteLater();
        if (running) running(false);
        if (reply->error() != QNetworkReply::NoError) {
            messages_.error(window_, QString::fromUtf8(kMsgNoInternet));
            return;
        }
        hand(url);
    });
}

void OnlineManual::hand(const QUrl& url) {
    if (openUrl_(url)) return;
    if (url.isLocalFile()) {
        showInOwnWindow(url);
        return;
    }
    messages_.error(
        window_, QString::fromUtf8(kMsgNoBrowser) + QStringLiteral("\n") + url.toDisplayString());
}

void OnlineManual::showInOwnWindow(const QUrl& url) {
    if (ownWindow_ == nullptr) {
        ownWindow_ = new QDialog(window_);
        ownWindow_->setObjectName(QStringLiteral("fmManual"));
        ownWindow_->setWindowTitle(QStringLiteral("操作マニュアル"));
        auto* browser = new QTextBrowser(ownWindow_);
        browser->setObjectName(QStringLiteral("tbManual"));
        browser->setOpenExternalLinks(false);
        auto* layout = new QVBoxLayout(ownWindow_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        ownWindow_->resize(800, 640);
    }
    ownWindow_->findChild<QTextBrowser*>()->setSource(url);
    ownWindow_->show();
    ownWindow_->raise();
    ownWindow_->activateWindow();
}

namespace {

// F1 anywhere in the program: the page of the window in front.
class ManualKey : public QObject {
  public:
    ManualKey(OnlineManual& manual, std::vector<std::pair<QString, std::string>> pages)
        : QObject(&manual), manual_(manual), pages_(std::move(pages)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 || !watched->isWidgetType()) {
            return false;
        }
        for (QWidget* w = static_cast<QWidget*>(watched)->window(); w != nullptr;
             w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
            for (const auto& [name, page] : pages_) {
                if (w->objectName() == name) {
                    manual_.openPage(page);
                    return true;
                }
            }
        }
        manual_.openPage("index");
        return true;
    }

  private:
    OnlineManual& manual_;
    std::vector<std::pair<QString, std::string>> pages_;
};

}  // namespace

void installManualKey(OnlineManual& manual, std::vector<std::pair<QString, std::string>> pages) {
    QApplication::instance()->installEventFilter(new ManualKey(manual, std::move(pages)));
}

}  // namespace keiro::ui
