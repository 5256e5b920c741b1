#pragma once
// The online manual of both programs: its address is tried first, and only when the server
// answers is the browser opened on it; otherwise "インターネットに接続できません。".  The test
// runs on the user-interface thread without blocking it, one test at a time.

#include <QObject>
#include <QUrl>
#include <functional>
#include <string>

class QNetworkAccessManager;
class QWidget;

namespace keiro::ui {

class MessageService;

inline constexpr const char* kMsgNoInternet = "インターネットに接続できません。";
inline constexpr int kManualTimeoutMs = 10000;

class OnlineManual : public QObject {
    Q_OBJECT
  public:
    // Messages appear over `window`.
    OnlineManual(MessageService& messages, QWidget* window);

    // Opens the address once the test succeeded (the system browser by default).
    void setOpenUrl(std::function<void(const QUrl&)> open) { openUrl_ = std::move(open); }

    // Tries `address`.  `running` is told true when a test starts and false when it ends, so
    // that the caller can disable what started it.
    void open(const std::string& address, const std::function<void(bool)>& running = {});

  private:
    MessageService& messages_;
    QWidget* window_;
    QNetworkAccessManager* network_ = nullptr;
    std::function<void(const QUrl&)> openUrl_;
};

}  // namespace keiro::ui
