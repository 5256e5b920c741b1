#pragma once
// The safety net under every window command.  A command handles the failures it expects (a file
// that cannot be read or written, text that cannot be stored) and shows their message itself;
// anything it lets escape all the same must not end the program, which would lose the open
// period's unsaved work.  runCommand catches it, says what happened, and returns to the window
// with everything in memory as the command left it.

#include <QAbstractButton>
#include <QString>
#include <functional>

class QWidget;

namespace keiro::ui {

class MessageService;

inline constexpr const char* kMsgUnexpectedError =
    "予期しないエラーが発生したため、処理を中断しました。\n"
    "作業中のデータはそのまま残っています。保存してから作業を続けて下さい。";

// Runs `command`; true when it ran to its end.  A file error (IoError) that escapes shows its
// own text; anything else shows kMsgUnexpectedError followed by what the error says.
bool runCommand(QWidget* parent, MessageService& messages, const std::function<void()>& command);

// Connects a button of a window to one of the window's handlers, run through runCommand.
template <typename Window, typename Result>
void connectCommand(QAbstractButton* button, Window* window, MessageService& messages,
                    Result (Window::*handler)()) {
    QObject::connect(button, &QAbstractButton::clicked, window, [window, &messages, handler] {
        runCommand(window, messages, [window, handler] { (window->*handler)(); });
    });
}

}  // namespace keiro::ui
