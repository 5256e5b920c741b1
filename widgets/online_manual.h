#pragma once
// The manual button of both programs.  The manual is shipped with the programs as HTML and
// opened in the system browser from where it lies (beside the programs in a build tree, in the
// documentation folder of an installed tree).  An office that keeps its own copy on a server
// sets its address (ManualURL in Keiro.ini): that address is then tried first, and only when
// the server answers is the browser opened on it; otherwise "インターネットに接続できません。".
// The test runs on the user-interface thread without blocking it, one test at a time.
//
// F1 opens the local manual at the page of the window in front (openPage).  Where no browser
// takes a local page, the page is shown in a window of the program's own (a QTextBrowser), so the
// manual always opens.

#include <QObject>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QNetworkAccessManager;
class QWidget;

namespace keiro::ui {

class MessageService;

inline constexpr const char* kMsgNoInternet = "インターネットに接続できません。";
inline constexpr int kManualTimeoutMs = 10000;

// What is said when the local manual is not where it should be: the places looked at follow,
// one a line.
inline constexpr const char* kMsgManualNotFound =
    "操作マニュアルが見つかりません。次の場所を探しました:";
inline constexpr const char* kMsgManualNotFoundHint =
    "プログラムを入れ直すか、Keiro.ini の [Option] ManualURL "
    "にマニュアルのアドレスを設定してください。";
inline constexpr const char* kMsgNoBrowser = "ブラウザーで操作マニュアルを開けませんでした:";

class OnlineManual : public QObject {
    Q_OBJECT
  public:
    // Messages appear over `window`; the local manual is looked for from `programFolder`.
    OnlineManual(MessageService& messages, QWidget* window, std::filesystem::path programFolder);

    // Opens an address in the browser (the system browser by default); false when it could
    // not be handed over.
    void setOpenUrl(std::function<bool(const QUrl&)> open) { openUrl_ = std::move(open); }

    // An empty `address` opens the local manual.  Otherwise `address` is tried; `running` is
    // told true when the test starts and false when it ends, so that the caller can disable
    // what started it.
    void open(const std::string& address, const std::function<void(bool)>& running = {});
    // Opens page `name` ("monthly-pay") of the local manual; its start page when that page is
    // not there.
    void openPage(const std::string& name);

  private:
    // The first local page found, or a message naming every place looked at.
    void openLocal();
    // Opens `url` once a GET of it succeeded.
    void openRemote(const QUrl& url, const std::function<void(bool)>& running);
    // Hands `url` to the browser; a local page the browser does not take is shown in the
    // program's own window, a remote one is named in a message.
    void hand(const QUrl& url);
    void showInOwnWindow(const QUrl& url);

    MessageService& messages_;
    QWidget* window_;
    std::filesystem::path programFolder_;
    QNetworkAccessManager* network_ = nullptr;
    std::function<bool(const QUrl&)> openUrl_;
    QWidget* ownWindow_ = nullptr;  // the fallback's window, kept for the next page
};

// Installs F1 for the whole program: the page is looked up by the objectName of the active
// window (or its nearest named parent window) in `pages`, the start page when none matches.
void installManualKey(OnlineManual& manual, std::vector<std::pair<QString, std::string>> pages);

}  // namespace keiro::ui
