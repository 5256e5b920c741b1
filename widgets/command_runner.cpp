#include "widgets/command_runner.h"

#include <exception>

#include "core/errors.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

QString unexpected(const char* detail) {
    QString text = QString::fromUtf8(kMsgUnexpectedError);
    if (detail != nullptr && *detail != '\0')
        text += QStringLiteral("\n\n") + QString::fromUtf8(detail);
    return text;
}

}  // namespace

bool runCommand(QWidget* parent, MessageService& messages, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const IoError& e) {
        messages.error(parent, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        messages.error(parent, unexpected(e.what()));
    } catch (...) {
        messages.error(parent, unexpected(nullptr));
    }
    return false;
}

}  // namespace keiro::ui
