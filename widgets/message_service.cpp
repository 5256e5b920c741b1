#include "widgets/message_service.h"

#include <QApplication>
#include <QMessageBox>

namespace keiro::ui {
namespace {

QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void QtMessageService::information(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtMessageService::warning(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtMessageService::error(QWidget* parent, const QString& text) {
    show(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageService::confirm(QWidget* parent, const QString& text, bool warning) {
    return show(parent, warning ? QMessageBox::Warning : QMessageBox::Question, text,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

Answer QtMessageService::askYesNoCancel(QWidget* parent, const QString& text) {
    switch (show(parent, QMessageBox::Warning, text,
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

bool QtMessageService::okCancel(QWidget* parent, const QString& text) {
    return show(parent, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Ok) == QMessageBox::Ok;
}

Answer ScriptedMessageService::next() {
    if (answers_.empty()) return Answer::Yes;
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ScriptedMessageService::information(QWidget*, const QString& text) {
    shown_.push_back({MessageKind::Information, text});
}

void ScriptedMessageService::warning(QWidget*, const QString& text) {
    shown_.push_back({MessageKind::Warning, text});
}

void ScriptedMessageService::error(QWidget*, const QString& text) {
    shown_.push_back({MessageKind::Error, text});
}

bool ScriptedMessageService::confirm(QWidget*, const QString& text, bool) {
    shown_.push_back({MessageKind::Confirmation, text});
    return next() == Answer::Yes;
}

Answer ScriptedMessageService::askYesNoCancel(QWidget*, const QString& text) {
    shown_.push_back({MessageKind::Confirmation, text});
    return next();
}

bool ScriptedMessageService::okCancel(QWidget*, const QString& text) {
    shown_.push_back({MessageKind::Confirmation, text});
    return next() != Answer::Cancel;
}

void showStartupMessages(MessageService& messages, const std::vector<StartupMessage>& list) {
    for (const StartupMessage& message : list) {
        const QString text = QString::fromStdString(message.text);
        switch (message.kind) {
            case StartupMessage::Kind::Information:
                messages.information(nullptr, text);
                break;
            case StartupMessage::Kind::Warning:
                messages.warning(nullptr, text);
                break;
            case StartupMessage::Kind::Error:
                messages.error(nullptr, text);
                break;
        }
    }
}

}  // namespace keiro::ui
